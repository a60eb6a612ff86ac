// "AVI File Mux": an AVI multiplexer and file writer in one filter, for graphs whose platform
// multiplexer cannot run. Two input pins, "Video" (MEDIATYPE_Video with a VIDEOINFOHEADER) and
// "Audio" (MEDIATYPE_Audio with a WAVEFORMATEX); IFileSinkFilter names the file. The file is opened
// when the graph leaves Stopped and closed (indexes and headers complete) when it stops again;
// a video-only recording leaves the audio pin unconnected.
#pragma once

#include "media/DShow.h"

namespace media::avi {

// {6C1E38A4-2E5B-4C8F-9B1D-5A7E0C3F9D21}
inline constexpr CLSID kClsidAviFileMux = {
    0x6C1E38A4, 0x2E5B, 0x4C8F, {0x9B, 0x1D, 0x5A, 0x7E, 0x0C, 0x3F, 0x9D, 0x21}};

HRESULT CreateAviFileMux(REFIID iid, void** out);

}  // namespace media::avi
