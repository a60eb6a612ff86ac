#include "media/InPlaceTransformFilter.h"

namespace media {

InPlaceTransformFilter::InPlaceTransformFilter(const CLSID& clsid)
    : BaseFilter(clsid), input_(this, L"Input"), output_(this, L"Output") {}

BasePin* InPlaceTransformFilter::PinAt(int index) {
    if (index == 0) return &input_;
    if (index == 1) return &output_;
    return nullptr;
}

HRESULT InPlaceTransformFilter::CheckInputType(const AM_MEDIA_TYPE& type) {
    return Rgb24VideoHeader(type) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

}  // namespace media
