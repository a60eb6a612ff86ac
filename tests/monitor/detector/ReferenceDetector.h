// A straightforward version of the detector's mask and boxes: one pixel at a time, every step
// written out plainly, fresh buffers each frame. The tests hold the fast detector to its results
// and the benchmark measures the fast one beside it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <queue>
#include <vector>

#include "monitor/libs/YsDetector/MovBox.h"

namespace refdet {

class ReferenceDetector {
  public:
    ReferenceDetector(int width, int height)
        : w_(width), h_(height), bg_(static_cast<size_t>(width) * height) {}

    void Generate(const uint8_t* frame, uint8_t* mask, int threshold) {
        boxes.clear();
        const int n = w_ * h_;
        auto luma = [&](int i) {
            const uint8_t* p = frame + 3 * static_cast<size_t>(i);
            return (p[0] * 29 + p[1] * 150 + p[2] * 77 + 128) >> 8;
        };
        if (!primed_) {
            for (int i = 0; i < n; ++i) bg_[i] = static_cast<uint16_t>(luma(i) << 8);
            std::fill(mask, mask + n, 0);
            primed_ = true;
            return;
        }
        long long drift = 0;
        for (int i = 0; i < n; ++i) {
            const int y = luma(i);
            const int d = y - (bg_[i] >> 8);
            drift += d;
            mask[i] = std::abs(d - offset_) > threshold ? 255 : 0;
            bg_[i] = static_cast<uint16_t>(bg_[i] + (((y << 8) - bg_[i]) >> 5));
        }
        offset_ = static_cast<int>((drift >= 0 ? drift + n / 2 : drift - n / 2) / n);

        // 8 x 8 blocks with at least a quarter of their pixels changed are moving.
        const int bw = (w_ + 7) / 8;
        const int bh = (h_ + 7) / 8;
        std::vector<int> count(static_cast<size_t>(bw) * bh, 0);
        std::vector<int> area(static_cast<size_t>(bw) * bh, 0);
        for (int row = 0; row < h_; ++row) {
            for (int col = 0; col < w_; ++col) {
                const int b = (row / 8) * bw + col / 8;
                ++area[b];
                if (mask[row * w_ + col]) ++count[b];
            }
        }
        std::vector<bool> moving(count.size());
        for (size_t b = 0; b < count.size(); ++b) moving[b] = count[b] > 0 && count[b] * 4 >= area[b];
        for (int row = 0; row < h_; ++row)
            for (int col = 0; col < w_; ++col)
                if (!moving[(row / 8) * bw + col / 8]) mask[row * w_ + col] = 0;

        // Connected moving blocks (8 neighbours), boxes tight around their changed pixels.
        std::vector<bool> seen(count.size(), false);
        for (int start = 0; start < bw * bh; ++start) {
            if (!moving[start] || seen[start]) continue;
            std::queue<int> todo;
            todo.push(start);
            seen[start] = true;
            int top = h_, bottom = 0, left = w_, right = 0;
            while (!todo.empty()) {
                const int b = todo.front();
                todo.pop();
                const int bx = b % bw;
                const int by = b / bw;
                for (int row = by * 8; row < std::min(by * 8 + 8, h_); ++row) {
                    for (int col = bx * 8; col < std::min(bx * 8 + 8, w_); ++col) {
                        if (!mask[row * w_ + col]) continue;
                        top = std::min(top, row);
                        bottom = std::max(bottom, row + 1);
                        left = std::min(left, col);
                        right = std::max(right, col + 1);
                    }
                }
                for (int ny = by - 1; ny <= by + 1; ++ny) {
                    for (int nx = bx - 1; nx <= bx + 1; ++nx) {
                        if (nx < 0 || ny < 0 || nx >= bw || ny >= bh) continue;
                        const int nb = ny * bw + nx;
                        if (moving[nb] && !seen[nb]) {
                            seen[nb] = true;
                            todo.push(nb);
                        }
                    }
                }
            }
            boxes.push_back({h_ - bottom, h_ - top, left, right});
        }
        auto size = [](const MOVBOX& b) {
            return static_cast<long long>(b.bottom - b.top) * (b.right - b.left);
        };
        std::stable_sort(boxes.begin(), boxes.end(),
                         [&](const MOVBOX& a, const MOVBOX& b) { return size(a) > size(b); });
    }

    std::vector<MOVBOX> boxes;

  private:
    int w_, h_;
    bool primed_ = false;
    int offset_ = 0;
    std::vector<uint16_t> bg_;
};

}  // namespace refdet
