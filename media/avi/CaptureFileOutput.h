// The two file calls of a capture graph, on every platform: where the system's capture graph
// builder lacks them (E_NOTIMPL) or its AVI multiplexer cannot run, our own take their place, so
// that a recording graph is built the same way everywhere.
#pragma once

#include "media/DShow.h"

namespace media::avi {

// ICaptureGraphBuilder2::AllocCapFile: makes `path` at least `bytes` long (a new file is created).
// The builder's own call when it has one, else the file is extended here.
HRESULT AllocCapFile(ICaptureGraphBuilder2* builder, LPCWSTR path, DWORDLONG bytes);

// ICaptureGraphBuilder2::SetOutputFileName for MEDIASUBTYPE_Avi: puts an AVI multiplexer and a
// file writer for `path` into the builder's graph and hands out the multiplexer (the filter to
// render the streams to) and the writer's IFileSinkFilter. The builder's own call when it works;
// otherwise our AVI file multiplexer (one filter with a video and an audio input that writes the
// file itself) is added to `graph`.
HRESULT SetOutputFileName(ICaptureGraphBuilder2* builder, IGraphBuilder* graph, const GUID* type,
                          LPCWSTR path, IBaseFilter** mux, IFileSinkFilter** sink);

}  // namespace media::avi
