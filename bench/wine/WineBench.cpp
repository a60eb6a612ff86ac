#include "bench/wine/WineBench.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace winebench {
namespace {

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

double Mean(const std::vector<double>& v) {
    double sum = 0;
    for (double x : v) sum += x;
    return v.empty() ? 0 : sum / static_cast<double>(v.size());
}

void WriteJson(const char* executable, const std::string& path, const std::vector<Result>& results) {
    FILE* f = std::fopen(path.c_str(), "w");
    if (!f) {
        std::fprintf(stderr, "%s: cannot write %s\n", executable, path.c_str());
        return;
    }
    std::fprintf(f, "{\n  \"context\": {\"executable\": \"%s\"},\n  \"benchmarks\": [\n", executable);
    bool first = true;
    for (const Result& r : results) {
        struct Aggregate {
            const char* name;
            double real, cpu;
        };
        const Aggregate aggregates[] = {{"mean", Mean(r.perIterationUs), Mean(r.cpuPerIterationUs)},
                                        {"median", Median(r.perIterationUs), Median(r.cpuPerIterationUs)}};
        for (const Aggregate& a : aggregates) {
            char target[64] = "";
            if (r.targetUs > 0) std::snprintf(target, sizeof target, ", \"target_us\": %.0f", r.targetUs);
            std::fprintf(f,
                         "%s    {\"name\": \"%s_%s\", \"run_name\": \"%s\", \"run_type\": \"aggregate\", "
                         "\"aggregate_name\": \"%s\", \"repetitions\": %u, \"real_time\": %.3f, "
                         "\"cpu_time\": %.3f, \"time_unit\": \"us\"%s}",
                         first ? "" : ",\n", r.name.c_str(), a.name, r.name.c_str(), a.name,
                         static_cast<unsigned>(r.perIterationUs.size()), a.real, a.cpu, target);
            first = false;
        }
    }
    std::fprintf(f, "\n  ]\n}\n");
    std::fclose(f);
}

}  // namespace

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--benchmark_repetitions=", 24) == 0)
            options.repetitions = std::max(1, std::atoi(argv[i] + 24));
        if (std::strncmp(argv[i], "--benchmark_out=", 16) == 0) options.out = argv[i] + 16;
    }
    return options;
}

Result Time(const std::string& name, int repetitions, const std::function<void()>& body, double targetUs) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (int i = 0; i < 20; ++i) body();  // tables, caches
    Result result;
    result.name = name;
    result.targetUs = targetUs;
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
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void Report(const char* executable, const Options& options, const std::vector<Result>& results) {
    for (const Result& r : results)
        std::printf("%-48s median %8.1f us wall %8.1f us cpu\n", r.name.c_str(), Median(r.perIterationUs),
                    Median(r.cpuPerIterationUs));
    if (!options.out.empty()) WriteJson(executable, options.out, results);
}

}  // namespace winebench
