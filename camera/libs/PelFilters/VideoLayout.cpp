#include "camera/libs/PelFilters/VideoLayout.h"

#include "media/MediaType.h"

namespace pel {

VideoLayout VideoLayout::FromType(const AM_MEDIA_TYPE& type) {
    VideoLayout layout;
    if (const VIDEOINFOHEADER* vih = media::Rgb24VideoHeader(type)) {
        layout.width = vih->bmiHeader.biWidth;
        layout.topDown = vih->bmiHeader.biHeight < 0;
        layout.height = layout.topDown ? -vih->bmiHeader.biHeight : vih->bmiHeader.biHeight;
    }
    return layout;
}

VideoLayout VideoLayout::AfterSample(IMediaSample* sample, const VideoLayout& current) {
    AM_MEDIA_TYPE* type = nullptr;
    if (sample->GetMediaType(&type) != S_OK || !type) return current;
    const VideoLayout changed = FromType(*type);
    media::DeleteMediaType(type);
    return changed;
}

Rgb24Frame VideoLayout::FrameIn(IMediaSample* sample) const {
    Rgb24Frame frame;
    BYTE* bits = nullptr;
    if (!Known() || FAILED(sample->GetPointer(&bits)) || !bits) return frame;
    if (sample->GetActualDataLength() < static_cast<long>(Stride()) * height) return frame;
    frame.bits = bits;
    frame.width = width;
    frame.height = height;
    frame.stride = Stride();
    frame.topDown = topDown;
    return frame;
}

}  // namespace pel
