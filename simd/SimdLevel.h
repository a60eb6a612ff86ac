#pragma once

// The vector instructions a kernel may use. Kernels take the level as a parameter so that tests can
// run every path on the same picture and compare it with the plain one; the programs pass
// DetectedSimdLevel(), found once from the processor at start. Each level includes those before it.
// AVX2 code in the Windows builds is assembled with unaligned vector moves only: the x64 compiler
// would spill 256-bit registers with aligned moves onto a stack that is only 16-byte aligned.
enum class SimdLevel { Plain, Sse2, Ssse3, Avx2 };

#if defined(__x86_64__) || defined(__i386__)
#define PROJECT_X86_SIMD 1
#endif

inline SimdLevel DetectedSimdLevel() {
#if defined(PROJECT_X86_SIMD)
    static const SimdLevel level = [] {
        __builtin_cpu_init();
        if (__builtin_cpu_supports("avx2")) return SimdLevel::Avx2;
        if (__builtin_cpu_supports("ssse3")) return SimdLevel::Ssse3;
        return __builtin_cpu_supports("sse2") ? SimdLevel::Sse2 : SimdLevel::Plain;
    }();
    return level;
#else
    return SimdLevel::Plain;
#endif
}
