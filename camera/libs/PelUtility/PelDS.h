// PelDS: DirectShow graph helpers, Base64 and resource extraction of the camera program.
// Results are HRESULT-style: 0 (S_OK) or positive = done, negative = failure, unless stated.
#pragma once

#include <windows.h>
#include <dshow.h>

class PelDS {
  public:
    // Creates the filter, adds it to the graph under `name` and hands out a reference.
    static HRESULT AddFilterByCLSID(IGraphBuilder* graph, REFCLSID clsid, LPCWSTR name, IBaseFilter** filter);
    // Binds the moniker with that display name ("@device:cm:{...}\mp42") and adds the filter
    // under its friendly name (or the display name when it has none).
    static HRESULT AddFilterByDisplayName(IGraphBuilder* graph, LPCWSTR displayName, IBaseFilter** filter);
    // Connects the first free output pin of `upstream` to a free input pin of `downstream`,
    // letting the graph insert converters. 0 = connected.
    static HRESULT ConnectFilters(IGraphBuilder* graph, IBaseFilter* upstream, IBaseFilter* downstream);
    // Disconnects and removes every filter downstream of `filter`; `filter` itself stays.
    static void NukeDownstream(IGraphBuilder* graph, IBaseFilter* filter);
    // Releases a non-null moniker and nulls the pointer.
    static void IMonRelease(IMoniker*& moniker);

    // Writes the Base64 text of `length` bytes with a terminating zero into `out`, which must hold
    // (length + 2) / 3 * 4 + 1 characters plus 2 for every line break. `bytesPerLine` is the
    // largest number of input bytes on one line (0 = one line); a 92-byte record with 100 stays on
    // one line. Returns the number of characters written (without the zero), -1 on bad arguments.
    static int EncodeBase64(const BYTE* data, int length, LPWSTR out, int bytesPerLine);
    // Decodes `length` characters into `out` (room for `length` bytes is always enough).
    // Returns the number of bytes written.
    static int DecodeBase64(LPCWSTR text, int length, BYTE* out);

    // Writes the resource (id, type) of the program file to `path`, replacing any file there.
    static BOOL Res2File(UINT id, LPCWSTR type, LPCWSTR path);
};
