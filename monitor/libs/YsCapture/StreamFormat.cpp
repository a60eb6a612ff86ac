#include "monitor/libs/YsCapture/StreamFormat.h"

#include "framework/ComPtr.h"
#include "monitor/libs/YsCapture/Log.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace yscap {
namespace {

struct Candidate {
    int index;
    int width, height;  // size this entry will be set to
    bool rgb24;
    long long cost;  // 0 = exact size
};

VIDEOINFOHEADER* VideoHeader(AM_MEDIA_TYPE* mt) {
    if (!mt || mt->formattype != FORMAT_VideoInfo || mt->cbFormat < sizeof(VIDEOINFOHEADER) || !mt->pbFormat)
        return nullptr;
    return reinterpret_cast<VIDEOINFOHEADER*>(mt->pbFormat);
}

// Size the entry gives for the asked size: exact when the entry's range and step allow it.
void SizeFor(const VIDEO_STREAM_CONFIG_CAPS& caps, const BITMAPINFOHEADER& bih, int width, int height, int& w,
             int& h) {
    w = bih.biWidth;
    h = std::abs(bih.biHeight);
    const SIZE lo = caps.MinOutputSize, hi = caps.MaxOutputSize;
    const int gx = caps.OutputGranularityX, gy = caps.OutputGranularityY;
    if (hi.cx > lo.cx && gx > 0 && width >= lo.cx && width <= hi.cx && (width - lo.cx) % gx == 0 && gy > 0 &&
        height >= lo.cy && height <= hi.cy && (height - lo.cy) % gy == 0) {
        w = width;
        h = height;
    }
}

}  // namespace

bool ChooseCaptureFormat(ICaptureGraphBuilder2* builder, IBaseFilter* source, int width, int height) {
    ComPtr<IAMStreamConfig> config;
    HRESULT hr = builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, source, IID_IAMStreamConfig,
                                        config.AsOut());
    if (FAILED(hr))
        hr = builder->FindInterface(nullptr, &MEDIATYPE_Video, source, IID_IAMStreamConfig, config.AsOut());
    if (FAILED(hr)) return true;  // a camera without stream configuration: its format is scaled

    int count = 0, capsSize = 0;
    if (FAILED(hr = config->GetNumberOfCapabilities(&count, &capsSize)) ||
        capsSize < int(sizeof(VIDEO_STREAM_CONFIG_CAPS)))
        return true;

    std::vector<Candidate> candidates;
    for (int i = 0; i < count; ++i) {
        AM_MEDIA_TYPE* mt = nullptr;
        VIDEO_STREAM_CONFIG_CAPS caps{};
        if (FAILED(config->GetStreamCaps(i, &mt, reinterpret_cast<BYTE*>(&caps)))) continue;
        if (VIDEOINFOHEADER* vih = VideoHeader(mt)) {
            int w = 0, h = 0;
            SizeFor(caps, vih->bmiHeader, width, height, w, h);
            const long long dw = w - width, dh = h - height;
            // Prefer sizes at least as large (scaling down keeps detail), then the nearest area.
            long long cost = dw * dw + dh * dh;
            if (w < width || h < height) cost += 1LL << 40;
            candidates.push_back({i, w, h, mt->subtype == MEDIASUBTYPE_RGB24, cost});
        }
        DeleteMediaType(mt);
    }
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        if (a.cost != b.cost) return a.cost < b.cost;
        return a.rgb24 && !b.rgb24;
    });
    if (candidates.empty()) return true;

    for (const Candidate& c : candidates) {
        AM_MEDIA_TYPE* mt = nullptr;
        VIDEO_STREAM_CONFIG_CAPS caps{};
        if (FAILED(config->GetStreamCaps(c.index, &mt, reinterpret_cast<BYTE*>(&caps)))) continue;
        VIDEOINFOHEADER* vih = VideoHeader(mt);
        if (vih) {
            BITMAPINFOHEADER& bih = vih->bmiHeader;
            const bool bottomUp = bih.biHeight > 0;
            bih.biWidth = c.width;
            bih.biHeight = bottomUp ? c.height : -c.height;
            if (bih.biCompression == BI_RGB || bih.biCompression == BI_BITFIELDS)
                bih.biSizeImage = DWORD(((c.width * bih.biBitCount + 31) / 32) * 4 * c.height);
            mt->lSampleSize = bih.biSizeImage;
            hr = config->SetFormat(mt);
        }
        DeleteMediaType(mt);
        if (vih && SUCCEEDED(hr)) return true;
        if (vih) LogFailure("IAMStreamConfig::SetFormat", hr);
    }
    return false;
}

}  // namespace yscap
