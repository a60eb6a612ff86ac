#include "media/MediaType.h"

#include <cstring>

namespace media {

void FreeMediaType(AM_MEDIA_TYPE& mt) {
    if (mt.cbFormat != 0 || mt.pbFormat) CoTaskMemFree(mt.pbFormat);
    mt.cbFormat = 0;
    mt.pbFormat = nullptr;
    if (mt.pUnk) {
        mt.pUnk->Release();
        mt.pUnk = nullptr;
    }
}

void DeleteMediaType(AM_MEDIA_TYPE* mt) {
    if (!mt) return;
    FreeMediaType(*mt);
    CoTaskMemFree(mt);
}

HRESULT CopyMediaType(AM_MEDIA_TYPE& dst, const AM_MEDIA_TYPE& src) {
    dst = src;
    dst.pbFormat = nullptr;
    dst.cbFormat = 0;
    if (src.cbFormat && src.pbFormat) {
        dst.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(src.cbFormat));
        if (!dst.pbFormat) {
            dst = AM_MEDIA_TYPE();
            return E_OUTOFMEMORY;
        }
        std::memcpy(dst.pbFormat, src.pbFormat, src.cbFormat);
        dst.cbFormat = src.cbFormat;
    }
    if (dst.pUnk) dst.pUnk->AddRef();
    return S_OK;
}

AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE& src) {
    auto* mt = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (!mt) return nullptr;
    if (FAILED(CopyMediaType(*mt, src))) {
        CoTaskMemFree(mt);
        return nullptr;
    }
    return mt;
}

bool MediaTypesEqual(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b) {
    if (a.majortype != b.majortype || a.subtype != b.subtype || a.formattype != b.formattype) return false;
    if (a.cbFormat != b.cbFormat) return false;
    return a.cbFormat == 0 || std::memcmp(a.pbFormat, b.pbFormat, a.cbFormat) == 0;
}

bool MediaTypeMatchesPartial(const AM_MEDIA_TYPE& full, const AM_MEDIA_TYPE* partial) {
    if (!partial) return true;
    if (partial->majortype != GUID_NULL && partial->majortype != full.majortype) return false;
    if (partial->subtype != GUID_NULL && partial->subtype != full.subtype) return false;
    if (partial->formattype != GUID_NULL) {
        if (partial->formattype != full.formattype) return false;
        if (partial->cbFormat && partial->pbFormat) return MediaTypesEqual(full, *partial);
    }
    return true;
}

HRESULT MakeRgb24VideoType(AM_MEDIA_TYPE& mt, int width, int height, REFERENCE_TIME frameDuration) {
    mt = AM_MEDIA_TYPE();
    auto* vih = static_cast<VIDEOINFOHEADER*>(CoTaskMemAlloc(sizeof(VIDEOINFOHEADER)));
    if (!vih) return E_OUTOFMEMORY;
    std::memset(vih, 0, sizeof(*vih));
    const int absHeight = height < 0 ? -height : height;
    const DWORD imageSize = static_cast<DWORD>(Rgb24Stride(width)) * static_cast<DWORD>(absHeight);
    vih->AvgTimePerFrame = frameDuration;
    vih->dwBitRate =
        frameDuration > 0 ? static_cast<DWORD>(imageSize * 8ULL * 10000000ULL / frameDuration) : 0;
    vih->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    vih->bmiHeader.biWidth = width;
    vih->bmiHeader.biHeight = height;
    vih->bmiHeader.biPlanes = 1;
    vih->bmiHeader.biBitCount = 24;
    vih->bmiHeader.biCompression = BI_RGB;
    vih->bmiHeader.biSizeImage = imageSize;
    mt.majortype = MEDIATYPE_Video;
    mt.subtype = MEDIASUBTYPE_RGB24;
    mt.bFixedSizeSamples = TRUE;
    mt.bTemporalCompression = FALSE;
    mt.lSampleSize = imageSize;
    mt.formattype = FORMAT_VideoInfo;
    mt.cbFormat = sizeof(VIDEOINFOHEADER);
    mt.pbFormat = reinterpret_cast<BYTE*>(vih);
    return S_OK;
}

const VIDEOINFOHEADER* Rgb24VideoHeader(const AM_MEDIA_TYPE& mt) {
    if (mt.majortype != MEDIATYPE_Video || mt.subtype != MEDIASUBTYPE_RGB24) return nullptr;
    if (mt.formattype != FORMAT_VideoInfo || mt.cbFormat < sizeof(VIDEOINFOHEADER) || !mt.pbFormat)
        return nullptr;
    const auto* vih = reinterpret_cast<const VIDEOINFOHEADER*>(mt.pbFormat);
    const BITMAPINFOHEADER& bih = vih->bmiHeader;
    if (bih.biBitCount != 24 || bih.biCompression != BI_RGB) return nullptr;
    if (bih.biWidth <= 0 || bih.biWidth > 16384 || bih.biHeight == 0 || bih.biHeight > 16384 ||
        bih.biHeight < -16384)
        return nullptr;
    return vih;
}

}  // namespace media
