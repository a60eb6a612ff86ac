#pragma once

#include <cstdint>
#include <vector>

#include "camera/libs/PelFilters/kernels/Rgb24Frame.h"

// An RGB24 frame with its own storage; padding bytes hold 0xEE so a kernel touching them shows.
struct TestFrame {
    int width, height, stride;
    std::vector<std::uint8_t> bytes;
    bool topDown = false;

    TestFrame(int w, int h, bool topDownRows = false)
        : width(w),
          height(h),
          stride(pel::Rgb24Stride(w)),
          bytes(static_cast<std::size_t>(pel::Rgb24Stride(w)) * h, 0xEE),
          topDown(topDownRows) {
        for (int line = 0; line < h; ++line)
            for (int x = 0; x < w; ++x) Set(x, line, 0, 0, 0);
    }

    pel::Rgb24Frame View() { return pel::Rgb24Frame{bytes.data(), width, height, stride, topDown}; }

    // Pixel at column x of picture line `line` (0 = top of the picture).
    std::uint8_t* At(int x, int line) { return View().Line(line) + x * 3; }
    void Set(int x, int line, std::uint8_t b, std::uint8_t g, std::uint8_t r) {
        std::uint8_t* p = At(x, line);
        p[0] = b;
        p[1] = g;
        p[2] = r;
    }
    std::uint8_t Blue(int x, int line) { return At(x, line)[0]; }
    std::uint8_t Green(int x, int line) { return At(x, line)[1]; }
    std::uint8_t Red(int x, int line) { return At(x, line)[2]; }

    // Every pixel names its place: blue = column, green = line, red = 7.
    void FillWithPositions() {
        for (int line = 0; line < height; ++line)
            for (int x = 0; x < width; ++x)
                Set(x, line, static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(line), 7);
    }

    bool PaddingIntact() const {
        for (int row = 0; row < height; ++row)
            for (int i = width * 3; i < stride; ++i)
                if (bytes[static_cast<std::size_t>(row) * stride + i] != 0xEE) return false;
        return true;
    }
};
