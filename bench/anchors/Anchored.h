#pragma once

// Rows of the anchored table: "vs/<kernel>/<who>", who being "project", "plain", "memcpy" or an
// anchor's name; scripts/bench_table.py prints each anchor's time over the project's and the
// project's time over the memcpy's.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

// The memory limit of a kernel writing `bytes`: one copy of that many bytes.
inline void RunMemcpy(benchmark::State& state, std::size_t bytes) {
    std::vector<std::uint8_t> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}

// Largest difference of two equally long byte runs (256 when the lengths differ).
inline int MaxDifference(const std::uint8_t* a, const std::uint8_t* b, std::size_t count) {
    int worst = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const int d = a[i] > b[i] ? a[i] - b[i] : b[i] - a[i];
        if (d > worst) worst = d;
    }
    return worst;
}
