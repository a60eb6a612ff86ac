// VideoEncoder: turns 24-bit bottom-up frames into AVI video chunks, either as full frames or
// through an installed Video for Windows compressor (ICCompress).
#pragma once

#include <windows.h>
#include <vfw.h>

#include <cstdint>
#include <vector>

namespace yscap {

class VideoEncoder {
  public:
    VideoEncoder() = default;
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;
    ~VideoEncoder() { Close(); }

    // handler 0 = full frames. False when the compressor refuses 24-bit frames of this size.
    bool Open(DWORD handler, int width, int height);
    void Close();

    DWORD StreamHandler() const;                                    // four-cc for the stream header
    const std::vector<uint8_t>& Format() const { return format_; }  // strf bytes

    // Encodes one frame (width * 3 bytes a row, bottom-up). out stays valid until the next call.
    bool Encode(const uint8_t* frame, const uint8_t*& out, uint32_t& size, bool& keyFrame);

  private:
    const uint8_t* Padded(const uint8_t* frame);

    HIC hic_ = nullptr;
    DWORD handler_ = 0;
    int width_ = 0, height_ = 0;
    BITMAPINFOHEADER input_{};
    std::vector<uint8_t> format_;  // output format (BITMAPINFOHEADER + palette)
    std::vector<uint8_t> work_;    // output format the compressor fills per frame
    std::vector<uint8_t> output_;
    std::vector<uint8_t> padded_;    // frame with 4-byte aligned rows when width * 3 is not
    std::vector<uint8_t> previous_;  // last frame, for compressors that code differences
    bool temporal_ = false;
    bool started_ = false;
    LONG frameNumber_ = 0;
    DWORD quality_ = ICQUALITY_DEFAULT;
    LONG keyRate_ = 15;
};

}  // namespace yscap
