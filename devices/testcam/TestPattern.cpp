#include "devices/testcam/TestPattern.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace testcam {
namespace {

// 5 x 7 glyphs for the digits, ':' and '.', one byte per row, bit 4 = leftmost column.
const uint8_t kDigits[10][7] = {
    {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}, {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}, {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}, {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}, {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},
    {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}, {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}};
const uint8_t kColon[7] = {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00};
const uint8_t kDot[7] = {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C};

struct Bgr {
    uint8_t b, g, r;
};
// White, yellow, cyan, green, magenta, red, blue, black.
const Bgr kBars[8] = {{235, 235, 235}, {16, 235, 235}, {235, 235, 16}, {16, 235, 16},
                      {235, 16, 235},  {16, 16, 235},  {235, 16, 16},  {16, 16, 16}};

const int kCounterDigits = 8;

class Canvas {
  public:
    Canvas(uint8_t* pixels, int width, int height, int stride)
        : pixels_(pixels), width_(width), height_(height), stride_(stride) {}

    // Top-down coordinates; clipped.
    void Fill(int x, int y, int w, int h, Bgr c) {
        const int x0 = std::max(0, x), x1 = std::min(width_, x + w);
        const int y0 = std::max(0, y), y1 = std::min(height_, y + h);
        for (int row = y0; row < y1; ++row) {
            uint8_t* p = Row(row) + x0 * 3;
            for (int col = x0; col < x1; ++col, p += 3) {
                p[0] = c.b;
                p[1] = c.g;
                p[2] = c.r;
            }
        }
    }
    uint8_t* Row(int y) { return pixels_ + static_cast<size_t>(height_ - 1 - y) * stride_; }

    void Glyph(const uint8_t rows[7], int x, int y, int scale, Bgr c) {
        for (int r = 0; r < 7; ++r)
            for (int col = 0; col < 5; ++col)
                if (rows[r] & (0x10 >> col)) Fill(x + col * scale, y + r * scale, scale, scale, c);
    }
    // Draws text of digits, ':' and '.'; returns the x after it.
    int Text(const char* text, int x, int y, int scale, Bgr c) {
        for (; *text; ++text, x += 6 * scale) {
            if (*text >= '0' && *text <= '9') Glyph(kDigits[*text - '0'], x, y, scale, c);
            if (*text == ':') Glyph(kColon, x, y, scale, c);
            if (*text == '.') Glyph(kDot, x, y, scale, c);
        }
        return x;
    }

  private:
    uint8_t* pixels_;
    int width_, height_, stride_;
};

int TextScale(int width) {
    return std::max(1, width / 320);
}
int StripHeight(int width) {
    return 9 * TextScale(width) + 2;
}
int TextLeft(int width) {
    return TextScale(width);
}
int TextTop(int width, int height) {
    return height - StripHeight(width) + TextScale(width);
}

}  // namespace

SquarePosition MovingSquare(int width, int height, uint32_t frame) {
    SquarePosition s;
    s.size = std::max(4, std::min(width, height) / 8);
    const int travel = std::max(1, width - s.size);
    const int step = std::max(1, width / 80);
    const uint32_t phase = (frame * static_cast<uint32_t>(step)) % static_cast<uint32_t>(2 * travel);
    s.x = static_cast<int>(phase) < travel ? static_cast<int>(phase) : 2 * travel - static_cast<int>(phase);
    s.y = height / 3 - s.size / 2;
    return s;
}

namespace {

// The still background (bars over a grey ramp) inside the given top-down rectangle.
void DrawBackground(Canvas& canvas, int width, int height, int x, int y, int w, int h) {
    const int barsHeight = height * 2 / 3;
    const int top = std::max(0, y), bottom = std::min(height, y + h);
    const int left = std::max(0, x), right = std::min(width, x + w);
    for (int i = 0; i < 8; ++i) {
        const int x0 = std::max(left, width * i / 8), x1 = std::min(right, width * (i + 1) / 8);
        canvas.Fill(x0, top, x1 - x0, std::min(bottom, barsHeight) - top, kBars[i]);
    }
    for (int row = std::max(top, barsHeight); row < bottom; ++row) {
        uint8_t* p = canvas.Row(row) + left * 3;
        for (int col = left; col < right; ++col, p += 3)
            p[0] = p[1] = p[2] = static_cast<uint8_t>(col * 255 / width);
    }
}

// The moving square and the strip, drawn over the background.
void DrawMovingParts(Canvas& canvas, int width, int height, uint32_t frame, const PatternClock& clock) {
    const SquarePosition sq = MovingSquare(width, height, frame);
    // A light rim keeps the dark square visible over the black bar too.
    const int rim = std::max(1, sq.size / 12);
    canvas.Fill(sq.x, sq.y, sq.size, sq.size, {200, 200, 200});
    canvas.Fill(sq.x + rim, sq.y + rim, sq.size - 2 * rim, sq.size - 2 * rim, {40, 40, 40});

    const int scale = TextScale(width);
    canvas.Fill(0, height - StripHeight(width), width, StripHeight(width), {0, 0, 0});
    char counter[16];
    std::snprintf(counter, sizeof counter, "%0*lu", kCounterDigits,
                  static_cast<unsigned long>(frame % 100000000UL));
    char time[24];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d.%03d", clock.hour % 100, clock.minute % 100,
                  clock.second % 100, clock.millisecond % 1000);
    const Bgr white = {255, 255, 255};
    const int after = canvas.Text(counter, TextLeft(width), TextTop(width, height), scale, white);
    canvas.Text(time, after + 6 * scale, TextTop(width, height), scale, white);
}

}  // namespace

void DrawTestPattern(uint8_t* pixels, int width, int height, int stride, uint32_t frame,
                     const PatternClock& clock) {
    if (!pixels || width <= 0 || height <= 0) return;
    Canvas canvas(pixels, width, height, stride);
    DrawBackground(canvas, width, height, 0, 0, width, height);
    DrawMovingParts(canvas, width, height, frame, clock);
}

void AdvanceTestPattern(uint8_t* pixels, int width, int height, int stride, uint32_t previous, uint32_t frame,
                        const PatternClock& clock) {
    if (!pixels || width <= 0 || height <= 0) return;
    Canvas canvas(pixels, width, height, stride);
    const SquarePosition old = MovingSquare(width, height, previous);
    DrawBackground(canvas, width, height, old.x, old.y, old.size, old.size);
    DrawMovingParts(canvas, width, height, frame, clock);
}

long ReadFrameCounter(const uint8_t* pixels, int width, int height, int stride) {
    if (!pixels || width < 6 * TextScale(width) * kCounterDigits + TextLeft(width) ||
        height < StripHeight(width))
        return -1;
    const int scale = TextScale(width);
    const int top = TextTop(width, height);
    long value = 0;
    for (int d = 0; d < kCounterDigits; ++d) {
        const int left = TextLeft(width) + d * 6 * scale;
        uint8_t rows[7] = {};
        for (int r = 0; r < 7; ++r) {
            const uint8_t* row = pixels + static_cast<size_t>(height - 1 - (top + r * scale)) * stride;
            for (int c = 0; c < 5; ++c)
                if (row[(left + c * scale) * 3 + 1] > 128) rows[r] |= static_cast<uint8_t>(0x10 >> c);
        }
        int digit = -1;
        for (int k = 0; k < 10; ++k)
            if (std::memcmp(rows, kDigits[k], 7) == 0) digit = k;
        if (digit < 0) return -1;
        value = value * 10 + digit;
    }
    return value;
}

}  // namespace testcam
