// A small timing harness for benchmarks that must run under Wine (there is no benchmark library for
// the target). It takes the options scripts/bench.sh passes and writes the JSON shape of the host
// benchmarks, so one table holds both.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace winebench {

struct Result {
    std::string name;
    std::vector<double> perIterationUs;     // wall clock, one mean per repetition
    std::vector<double> cpuPerIterationUs;  // the calling thread's CPU time, likewise
    double targetUs = 0;                    // 0: no target
};

struct Options {
    int repetitions = 7;
    std::string out;  // --benchmark_out=...; empty: no JSON file
};

Options ParseOptions(int argc, char** argv);

// Runs body 20 times to warm up, then for each repetition as often as fits in 0.2 s.
Result Time(const std::string& name, int repetitions, const std::function<void()>& body, double targetUs = 0);

double Median(std::vector<double> values);

// Prints one line per result and writes the JSON file when asked for.
void Report(const char* executable, const Options& options, const std::vector<Result>& results);

}  // namespace winebench
