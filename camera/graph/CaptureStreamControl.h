// Start and stop times for every capture stream of a graph (ICaptureGraphBuilder2::ControlStream
// with the capture category and no filter). Where the builder does not implement the method
// (Wine's answers E_NOTIMPL) it is done as documented: IAMStreamControl::StartAt and StopAt on
// each output pin of the capture category that has the interface.
#pragma once

#include "media/DShow.h"

// S_OK when at least one pin took the times; E_FAIL when no capture pin has stream control.
HRESULT ControlCaptureStreams(ICaptureGraphBuilder2* builder, IFilterGraph* graph, REFERENCE_TIME* start,
                              REFERENCE_TIME* stop);
