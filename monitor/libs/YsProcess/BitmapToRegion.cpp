#include "monitor/libs/YsProcess/YsProcess.h"

#include <algorithm>
#include <vector>

#include "framework/Handles.h"
#include "monitor/libs/YsProcess/BitmapPixels.h"
#include "monitor/libs/YsProcess/RegionRuns.h"

namespace {

// ExtCreateRegion takes the rectangles in batches of this many; batches are joined with CombineRgn.
constexpr size_t kBatch = 2000;

ScopedRegion RegionFromRects(const ysp::RunRect* rects, size_t count) {
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + sizeof(RECT) * count);
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(count);
    header->nRgnSize = static_cast<DWORD>(sizeof(RECT) * count);
    RECT bounds{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    auto* out = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
    for (size_t i = 0; i < count; ++i) {
        out[i] = RECT{rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
        bounds.left = std::min(bounds.left, out[i].left);
        bounds.top = std::min(bounds.top, out[i].top);
        bounds.right = std::max(bounds.right, out[i].right);
        bounds.bottom = std::max(bounds.bottom, out[i].bottom);
    }
    header->rcBound = bounds;
    return ScopedRegion(::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                          reinterpret_cast<const RGNDATA*>(data.data())));
}

}  // namespace

HRGN BitmapToRegion(HBITMAP bitmap, COLORREF key, COLORREF tolerance) {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    if (!ysp::ReadBitmapPixels(bitmap, 32, false, width, height, pixels)) return nullptr;
    std::vector<ysp::RunRect> rects;
    ysp::CollectShapeRuns(pixels.data(), width, height, {GetRValue(key), GetGValue(key), GetBValue(key)},
                          {GetRValue(tolerance), GetGValue(tolerance), GetBValue(tolerance)}, rects);
    ScopedRegion region(::CreateRectRgn(0, 0, 0, 0));
    if (!region) {
        ::OutputDebugStringA("BitmapToRegion: CreateRectRgn failed\n");
        return nullptr;
    }
    for (size_t first = 0; first < rects.size(); first += kBatch) {
        ScopedRegion part = RegionFromRects(rects.data() + first, std::min(kBatch, rects.size() - first));
        if (!part || ::CombineRgn(region.Get(), region.Get(), part.Get(), RGN_OR) == ERROR) {
            ::OutputDebugStringA("BitmapToRegion: building the region failed\n");
            return nullptr;
        }
    }
    return region.Release();
}
