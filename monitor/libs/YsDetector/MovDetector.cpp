#include "monitor/libs/YsDetector/MovDetector.h"

#include <algorithm>
#include <cstring>

#include "monitor/libs/YsDetector/MotionKernels.h"

namespace {

constexpr int kMaxSide = 8192;

// Changed pixels in 8 mask bytes that are each 0 or 255.
inline int CountSet8(const uint8_t* mask) {
    uint64_t v;
    std::memcpy(&v, mask, 8);
    v &= 0x0101010101010101ull;
    return static_cast<int>((v * 0x0101010101010101ull) >> 56);
}

}  // namespace

CMovDetector::CMovDetector() {
    m_pBoxes = nullptr;
}

bool CMovDetector::Init(int width, int height) {
    Release();
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
    width_ = width;
    height_ = height;
    blocksX_ = (width + kBlock - 1) / kBlock;
    blocksY_ = (height + kBlock - 1) / kBlock;
    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    const size_t blocks = static_cast<size_t>(blocksX_) * static_cast<size_t>(blocksY_);
    background_.assign(pixels, 0);
    blockCounts_.assign(blocks, 0);
    labels_.assign(blocks, -1);
    queue_.assign(blocks, 0);
    boxes_.assign(kMaxBoxes, MOVBOX{});
    columnTable_.assign(static_cast<size_t>(width), 0);
    m_pBoxes = boxes_.data();
    m_nLastBox = -1;
    primed_ = false;
    offset_ = 0;
    return true;
}

void CMovDetector::Release() {
    width_ = height_ = blocksX_ = blocksY_ = 0;
    primed_ = false;
    offset_ = 0;
    background_ = {};
    blockCounts_ = {};
    labels_ = {};
    queue_ = {};
    columnTable_ = {};
    // The box list stays readable (and empty) after Release.
    boxes_.assign(kMaxBoxes, MOVBOX{});
    m_pBoxes = boxes_.data();
    m_nLastBox = -1;
}

void CMovDetector::GenerateMask(const uint8_t* frame, uint8_t* mask, uint8_t sensitivity) {
    m_nLastBox = -1;
    if (!frame || !mask || width_ == 0) return;
    const size_t stride = static_cast<size_t>(width_) * 3;
    const size_t pixels = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    if (!primed_) {
        for (int row = 0; row < height_; ++row) {
            const uint8_t* in = frame + stride * row;
            uint16_t* bg = &background_[static_cast<size_t>(row) * width_];
            for (int x = 0; x < width_; ++x) bg[x] = static_cast<uint16_t>(ysd::Luma(in + 3 * x) << 8);
        }
        std::memset(mask, 0, pixels);
        primed_ = true;
        return;
    }

    std::fill(blockCounts_.begin(), blockCounts_.end(), 0);
    const int fullChunks = width_ / kBlock;
    int64_t drift = 0;
    for (int row = 0; row < height_; ++row) {
        uint8_t* maskRow = mask + static_cast<size_t>(row) * width_;
        drift += ysd::DifferenceRow(frame + stride * row, &background_[static_cast<size_t>(row) * width_],
                                    maskRow, width_, offset_, sensitivity);
        uint16_t* counts = &blockCounts_[static_cast<size_t>(row / kBlock) * blocksX_];
        for (int bx = 0; bx < fullChunks; ++bx)
            counts[bx] += static_cast<uint16_t>(CountSet8(maskRow + bx * kBlock));
        for (int x = fullChunks * kBlock; x < width_; ++x) counts[fullChunks] += maskRow[x] & 1;
    }
    // Rounded mean, used for the next frame: lighting drifts slowly, so last frame's drift is close.
    const int64_t n = static_cast<int64_t>(pixels);
    offset_ = static_cast<int>((drift >= 0 ? drift + n / 2 : drift - n / 2) / n);

    ClassifyBlocks(mask);
    CollectBoxes(mask);
}

// Marks blocks with at least a quarter of their pixels changed as moving and clears the mask of
// every other block, so isolated noise pixels neither show in the mask nor make boxes.
void CMovDetector::ClassifyBlocks(uint8_t* mask) {
    for (int by = 0; by < blocksY_; ++by) {
        const int rowBegin = by * kBlock;
        const int rowEnd = std::min(rowBegin + kBlock, height_);
        for (int bx = 0; bx < blocksX_; ++bx) {
            const int colBegin = bx * kBlock;
            const int colEnd = std::min(colBegin + kBlock, width_);
            const size_t index = static_cast<size_t>(by) * blocksX_ + bx;
            const int area = (rowEnd - rowBegin) * (colEnd - colBegin);
            const int count = blockCounts_[index];
            const bool moving = count * 4 >= area && count > 0;
            labels_[index] = moving ? -2 : -1;  // -2: moving, not yet labelled
            if (!moving && count > 0) {
                for (int row = rowBegin; row < rowEnd; ++row) {
                    std::memset(mask + static_cast<size_t>(row) * width_ + colBegin, 0, colEnd - colBegin);
                }
            }
        }
    }
}

// Groups moving blocks that touch (also diagonally) and puts a box tight around the changed
// pixels of each group.
void CMovDetector::CollectBoxes(const uint8_t* mask) {
    std::vector<MOVBOX>& found = boxes_;
    int count = 0;
    // Boxes beyond kMaxBoxes are folded by keeping the largest: collect into a small local list.
    MOVBOX local[kMaxBoxes];
    auto area = [](const MOVBOX& b) { return int64_t{b.bottom - b.top} * (b.right - b.left); };
    for (int start = 0; start < blocksX_ * blocksY_; ++start) {
        if (labels_[start] != -2) continue;
        int head = 0;
        int tail = 0;
        queue_[tail++] = start;
        labels_[start] = 0;
        int top = height_, bottom = 0, left = width_, right = 0;  // buffer rows and columns
        while (head < tail) {
            const int block = queue_[head++];
            const int bx = block % blocksX_;
            const int by = block / blocksX_;
            // Tight bounds of the changed pixels inside this block.
            const int rowEnd = std::min((by + 1) * kBlock, height_);
            const int colEnd = std::min((bx + 1) * kBlock, width_);
            for (int row = by * kBlock; row < rowEnd; ++row) {
                const uint8_t* m = mask + static_cast<size_t>(row) * width_;
                for (int col = bx * kBlock; col < colEnd; ++col) {
                    if (!m[col]) continue;
                    top = std::min(top, row);
                    bottom = std::max(bottom, row + 1);
                    left = std::min(left, col);
                    right = std::max(right, col + 1);
                }
            }
            for (int ny = std::max(by - 1, 0); ny <= std::min(by + 1, blocksY_ - 1); ++ny) {
                for (int nx = std::max(bx - 1, 0); nx <= std::min(bx + 1, blocksX_ - 1); ++nx) {
                    const int neighbour = ny * blocksX_ + nx;
                    if (labels_[neighbour] == -2) {
                        labels_[neighbour] = 0;
                        queue_[tail++] = neighbour;
                    }
                }
            }
        }
        // Buffer rows count from the bottom of the picture; boxes count from the top.
        const MOVBOX box{height_ - bottom, height_ - top, left, right};
        if (count < kMaxBoxes) {
            local[count++] = box;
        } else {
            MOVBOX* smallest = std::min_element(
                local, local + count, [&](const MOVBOX& a, const MOVBOX& b) { return area(a) < area(b); });
            if (area(box) > area(*smallest)) *smallest = box;
        }
    }
    std::stable_sort(local, local + count,
                     [&](const MOVBOX& a, const MOVBOX& b) { return area(a) > area(b); });
    std::copy(local, local + count, found.begin());
    m_nLastBox = count - 1;
}

void CMovDetector::Resize(const uint8_t* src, uint8_t* dst, uint8_t scale, unsigned x, unsigned y) {
    if (!src || !dst || width_ == 0) return;
    const int percent = std::clamp<int>(scale, 1, 100);
    const int viewWidth = std::max(1, width_ * percent / 100);
    const int viewHeight = std::max(1, height_ * percent / 100);
    const int left = static_cast<int>(std::min<unsigned>(x, static_cast<unsigned>(width_ - viewWidth)));
    const int top = static_cast<int>(std::min<unsigned>(y, static_cast<unsigned>(height_ - viewHeight)));
    ysd::ResizeView(src, dst, width_, height_, left, top, viewWidth, viewHeight, columnTable_.data());
}
