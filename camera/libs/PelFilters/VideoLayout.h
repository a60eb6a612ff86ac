// Where the picture lies in a sample of the connected RGB24 video.
#pragma once

#include "camera/libs/PelFilters/kernels/Rgb24Frame.h"
#include "media/DShow.h"

namespace pel {

struct VideoLayout {
    int width = 0;  // of the picture
    int height = 0;
    int stride = 0;        // of the buffer's rows: biWidth x 3 rounded up to 4 bytes
    bool topDown = false;  // a negative biHeight

    bool Known() const { return width > 0 && height > 0 && stride >= width * 3; }

    // The layout of RGB24 video with a VIDEOINFOHEADER; an unknown layout for any other type. A
    // renderer may ask for rows wider than the picture (biWidth beyond rcSource): the picture is
    // then the source rectangle's width, when that starts at the top-left corner.
    static VideoLayout FromType(const AM_MEDIA_TYPE& type);
    // The layout after this sample: a type attached to the sample (a format change on the fly)
    // replaces the current one.
    static VideoLayout AfterSample(IMediaSample* sample, const VideoLayout& current);

    // The picture in the sample's buffer; an invalid frame (no bits) when the layout is unknown or
    // the sample holds fewer bytes than the picture needs.
    Rgb24Frame FrameIn(IMediaSample* sample) const;
};

}  // namespace pel
