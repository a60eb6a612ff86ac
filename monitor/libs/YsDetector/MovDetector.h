// Motion detector of the monitor: differencing against a slowly adapting background, a mask of the
// changed pixels and boxes around the connected moving regions; plus the magnified view of the scan.
#pragma once

#include <cstdint>
#include <vector>

#include "monitor/libs/YsDetector/MovBox.h"

class CMovDetector {
  public:
    // Boxes of the last GenerateMask, largest first; entries 0 to m_nLastBox inclusive are valid
    // (m_nLastBox is -1 when nothing moved). At most kMaxBoxes boxes are kept.
    static constexpr int kMaxBoxes = 64;
    MOVBOX* m_pBoxes;
    int m_nLastBox = -1;

    CMovDetector();
    CMovDetector(const CMovDetector&) = delete;
    CMovDetector& operator=(const CMovDetector&) = delete;

    // Prepares for frames of width x height; the next frame becomes the first background.
    bool Init(int width, int height);
    void Release();

    // frame: bottom-up BGR of the Init size; mask: width x height bytes in the same row order, set to
    // 255 for changed pixels that belong to a moving region and 0 elsewhere. A pixel has changed when
    // its brightness differs from the background (corrected for a global brightness drift) by more
    // than sensitivity; an 8 x 8 block moves when at least a quarter of its pixels changed.
    void GenerateMask(const uint8_t* frame, uint8_t* mask, uint8_t sensitivity);

    // Writes into dst (both bottom-up BGR of the Init size) the part of src that is scale percent
    // of the picture's width and height (100 = whole frame, 50 = half; clamped to 1..100), with its
    // top-left corner at picture column x and row y counted from the top, stretched to the whole
    // frame. An origin that would put the view outside the picture is moved back inside.
    void Resize(const uint8_t* src, uint8_t* dst, uint8_t scale, unsigned x, unsigned y);

    int Width() const { return width_; }
    int Height() const { return height_; }

  private:
    static constexpr int kBlock = 8;

    void ClassifyBlocks(uint8_t* mask);
    void CollectBoxes(const uint8_t* mask);

    int width_ = 0;
    int height_ = 0;
    int blocksX_ = 0;
    int blocksY_ = 0;
    bool primed_ = false;
    int offset_ = 0;  // mean brightness drift of the previous frame against the background
    std::vector<uint16_t> background_;
    std::vector<uint16_t> blockCounts_;  // changed pixels per block
    std::vector<int32_t> labels_;        // per block: -1 still, else component index
    std::vector<int32_t> queue_;
    std::vector<MOVBOX> boxes_;
    std::vector<int> columnTable_;
};
