#include "camera/libs/PelFilters/VideoLayout.h"

#include "media/MediaType.h"

namespace pel {

VideoLayout VideoLayout::FromType(const AM_MEDIA_TYPE& type) {
    VideoLayout layout;
    if (const VIDEOINFOHEADER* vih = media::Rgb24VideoHeader(type)) {
        const BITMAPINFOHEADER& bih = vih->bmiHeader;
        layout.width = bih.biWidth;
        layout.stride = Rgb24Stride(bih.biWidth);
        layout.topDown = bih.biHeight < 0;
        layout.height = layout.topDown ? -bih.biHeight : bih.biHeight;
        const RECT& source = vih->rcSource;
        if (source.left == 0 && source.top == 0 && source.right > 0 && source.right < bih.biWidth &&
            source.bottom == layout.height)
            layout.width = source.right;
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
    if (sample->GetActualDataLength() < static_cast<long>(stride) * height) return frame;
    frame.bits = bits;
    frame.width = width;
    frame.height = height;
    frame.stride = stride;
    frame.topDown = topDown;
    return frame;
}

}  // namespace pel
