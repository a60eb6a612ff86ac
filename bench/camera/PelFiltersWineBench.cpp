// The real "Pel Overlay" and "Pel Reversal" filters' Transform on a 640 x 480 RGB24 sample, timed
// under Wine.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/camera/PelFilterWorkload.h"
#include "bench/wine/WineBench.h"
#include "camera/libs/PelFilters/PelFilterClasses.h"
#include "camera/libs/PelFilters/PelOverlayFilter.h"
#include "camera/libs/PelFilters/PelReversalFilter.h"
#include "framework/ComPtr.h"
#include "media/MediaType.h"
#include "media/MemAllocator.h"

namespace {

using namespace pelbench;

using winebench::Result;
using winebench::Time;

constexpr double kPerPictureTargetUs = 1000;  // a streaming-thread cost per picture

// One 640 x 480 picture in a sample of our allocator, with the connection type set on the filter.
class Picture {
  public:
    Picture() {
        allocator_ = ComPtr<IMemAllocator>::Adopt(media::MemAllocator::Create());
        ALLOCATOR_PROPERTIES want{1, pel::Rgb24Stride(kWidth) * kHeight, 1, 0}, got{};
        allocator_->SetProperties(&want, &got);
        allocator_->Commit();
        allocator_->GetBuffer(&sample_, nullptr, nullptr, 0);
        BYTE* bits = nullptr;
        sample_->GetPointer(&bits);
        const std::vector<std::uint8_t> video = VideoBytes();
        std::memcpy(bits, video.data(), video.size());
        sample_->SetActualDataLength(static_cast<long>(video.size()));
        media::MakeRgb24VideoType(type_.Get(), kWidth, kHeight, 333333);
    }
    ~Picture() {
        sample_ = nullptr;
        allocator_->Decommit();
    }
    IMediaSample* Sample() { return sample_.Get(); }
    const AM_MEDIA_TYPE& Type() { return type_.Get(); }

  private:
    ComPtr<IMemAllocator> allocator_;
    ComPtr<IMediaSample> sample_;
    media::MediaType type_;
};

}  // namespace

int main(int argc, char** argv) {
    const winebench::Options options = winebench::ParseOptions(argc, argv);
    const int repetitions = options.repetitions;
    std::vector<Result> results;
    Picture picture;

    {
        ComPtr<IBaseFilter> filter;
        pel::CreatePelOverlay(IID_IBaseFilter, filter.AsOut());
        auto* overlay = static_cast<pel::PelOverlayFilter*>(filter.Get());
        overlay->OnInputTypeSet(picture.Type());
        const std::vector<std::uint8_t> bitmap = PhotoFrame();
        const std::vector<std::uint8_t> mask = TextMask();
        overlay->SetFrame(bitmap.data(), kWidth, kHeight);
        results.push_back(Time(
            "BM_WineOverlayTransform/frame", repetitions, [&] { overlay->Transform(picture.Sample()); },
            kPerPictureTargetUs));
        overlay->SetText(mask.data(), kTextWidth, kTextHeight, RGB(255, 255, 0));
        results.push_back(Time(
            "BM_WineOverlayTransform/frame_and_text", repetitions,
            [&] { overlay->Transform(picture.Sample()); }, kPerPictureTargetUs));
        // The window thread's cost of a new photo frame: no per-picture target.
        results.push_back(Time("BM_WineOverlaySetFrame", repetitions,
                               [&] { overlay->SetFrame(bitmap.data(), kWidth, kHeight); }));
    }
    {
        ComPtr<IBaseFilter> filter;
        pel::CreatePelReversal(IID_IBaseFilter, filter.AsOut());
        auto* reversal = static_cast<pel::PelReversalFilter*>(filter.Get());
        reversal->OnInputTypeSet(picture.Type());
        for (int c = 0; c < kReversalCases; ++c) {
            const pel::ReversalSettings s = ReversalCase(c);
            reversal->SetReversalV(s.vertical);
            reversal->SetReversalH(s.horizontal);
            reversal->SetMosaicWidth(s.mosaicWidth);
            reversal->SetZoom(s.zoom);
            results.push_back(Time(
                std::string("BM_WineReversalTransform/") + ReversalCaseName(c), repetitions,
                [&] { reversal->Transform(picture.Sample()); }, kPerPictureTargetUs));
        }
    }

    winebench::Report("camera_filters_wine_bench", options, results);
    return 0;
}
