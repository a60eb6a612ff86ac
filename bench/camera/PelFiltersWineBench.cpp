// The real "Pel Overlay" and "Pel Reversal" filters' Transform on a 640 x 480 RGB24 sample, timed
// under Wine. A small harness of our own (there is no benchmark library for the target) that takes
// the options scripts/bench.sh passes and writes the same JSON shape as the host benchmarks.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench/camera/PelFilterWorkload.h"
#include "camera/libs/PelFilters/PelFilterClasses.h"
#include "camera/libs/PelFilters/PelOverlayFilter.h"
#include "camera/libs/PelFilters/PelReversalFilter.h"
#include "framework/ComPtr.h"
#include "media/MediaType.h"
#include "media/MemAllocator.h"

namespace {

using namespace pelbench;

struct Result {
    std::string name;
    std::vector<double> perIterationUs;     // wall clock, one mean per repetition
    std::vector<double> cpuPerIterationUs;  // this thread's CPU time, likewise
    bool perPicture = true;                 // a streaming-thread cost, with its 1 ms target
};

// User plus kernel time of the calling thread, in microseconds.
double ThreadCpuUs() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto us = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) /
               10.0;
    };
    return us(kernel) + us(user);
}

double Now(const LARGE_INTEGER& frequency) {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

Result Time(const std::string& name, int repetitions, const std::function<void()>& body) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (int i = 0; i < 20; ++i) body();  // tables, caches
    Result result{name, {}, {}};
    for (int r = 0; r < repetitions; ++r) {
        long iterations = 0;
        const double cpuStart = ThreadCpuUs();
        const double start = Now(frequency);
        double elapsed = 0;
        do {
            body();
            ++iterations;
            elapsed = Now(frequency) - start;
        } while (elapsed < 200000.0);
        result.perIterationUs.push_back(elapsed / static_cast<double>(iterations));
        result.cpuPerIterationUs.push_back((ThreadCpuUs() - cpuStart) / static_cast<double>(iterations));
    }
    return result;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Mean(const std::vector<double>& v) {
    double sum = 0;
    for (double x : v) sum += x;
    return sum / static_cast<double>(v.size());
}

void WriteJson(const char* path, const std::vector<Result>& results) {
    FILE* f = std::fopen(path, "w");
    if (!f) return;
    std::fprintf(f,
                 "{\n  \"context\": {\"executable\": \"camera_filters_wine_bench\"},\n  \"benchmarks\": [\n");
    bool first = true;
    for (const Result& r : results) {
        struct Aggregate {
            const char* name;
            double real, cpu;
        };
        const Aggregate aggregates[] = {{"mean", Mean(r.perIterationUs), Mean(r.cpuPerIterationUs)},
                                        {"median", Median(r.perIterationUs), Median(r.cpuPerIterationUs)}};
        for (const Aggregate& a : aggregates) {
            std::fprintf(f,
                         "%s    {\"name\": \"%s_%s\", \"run_name\": \"%s\", \"run_type\": \"aggregate\", "
                         "\"aggregate_name\": \"%s\", \"repetitions\": %u, \"real_time\": %.3f, "
                         "\"cpu_time\": %.3f, \"time_unit\": \"us\"%s}",
                         first ? "" : ",\n", r.name.c_str(), a.name, r.name.c_str(), a.name,
                         static_cast<unsigned>(r.perIterationUs.size()), a.real, a.cpu,
                         r.perPicture ? ", \"target_us\": 1000" : "");
            first = false;
        }
    }
    std::fprintf(f, "\n  ]\n}\n");
    std::fclose(f);
}

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
    int repetitions = 7;
    const char* out = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--benchmark_repetitions=", 24) == 0)
            repetitions = std::max(1, std::atoi(argv[i] + 24));
        if (std::strncmp(argv[i], "--benchmark_out=", 16) == 0) out = argv[i] + 16;
    }
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
        results.push_back(Time("BM_WineOverlayTransform/frame", repetitions,
                               [&] { overlay->Transform(picture.Sample()); }));
        overlay->SetText(mask.data(), kTextWidth, kTextHeight, RGB(255, 255, 0));
        results.push_back(Time("BM_WineOverlayTransform/frame_and_text", repetitions,
                               [&] { overlay->Transform(picture.Sample()); }));
        results.push_back(Time("BM_WineOverlaySetFrame", repetitions,
                               [&] { overlay->SetFrame(bitmap.data(), kWidth, kHeight); }));
        results.back().perPicture = false;  // the window thread's cost of a new photo frame
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
            results.push_back(Time(std::string("BM_WineReversalTransform/") + ReversalCaseName(c),
                                   repetitions, [&] { reversal->Transform(picture.Sample()); }));
        }
    }

    for (const Result& r : results)
        std::printf("%-48s median %8.1f us wall %8.1f us cpu\n", r.name.c_str(), Median(r.perIterationUs),
                    Median(r.cpuPerIterationUs));
    if (out) WriteJson(out, results);
    return 0;
}
