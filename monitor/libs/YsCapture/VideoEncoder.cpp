#include "monitor/libs/YsCapture/VideoEncoder.h"

#include "monitor/libs/YsCapture/Log.h"

#include <cstring>

namespace yscap {
namespace {
size_t Stride(int width) {
    return (size_t(width) * 3 + 3) & ~size_t(3);
}
}  // namespace

bool VideoEncoder::Open(DWORD handler, int width, int height) {
    Close();
    if (width <= 0 || height <= 0) return false;
    width_ = width;
    height_ = height;
    handler_ = handler;
    input_ = BITMAPINFOHEADER{};
    input_.biSize = sizeof(BITMAPINFOHEADER);
    input_.biWidth = width;
    input_.biHeight = height;
    input_.biPlanes = 1;
    input_.biBitCount = 24;
    input_.biCompression = BI_RGB;
    input_.biSizeImage = DWORD(Stride(width) * size_t(height));
    if (Stride(width) != size_t(width) * 3) padded_.assign(input_.biSizeImage, 0);

    if (handler == 0) {
        format_.assign(reinterpret_cast<const uint8_t*>(&input_),
                       reinterpret_cast<const uint8_t*>(&input_ + 1));
        return true;
    }

    HIC hic = ICOpen(ICTYPE_VIDEO, handler, ICMODE_COMPRESS);
    if (!hic) return LogFailure("ICOpen", LONG(handler)), false;
    hic_ = hic;
    auto* in = reinterpret_cast<BITMAPINFO*>(&input_);
    LRESULT r = ICERR_OK;
    const LRESULT formatSize = ICCompressGetFormatSize(hic_, in);
    if (formatSize < LRESULT(sizeof(BITMAPINFOHEADER)) || formatSize > 65536)
        return LogFailure("ICCompressGetFormatSize", LONG(formatSize)), Close(), false;
    format_.assign(size_t(formatSize), 0);
    auto* out = reinterpret_cast<BITMAPINFO*>(format_.data());
    if ((r = ICCompressGetFormat(hic_, in, out)) != ICERR_OK)
        return LogFailure("ICCompressGetFormat", LONG(r)), Close(), false;
    if ((r = ICCompressQuery(hic_, in, out)) != ICERR_OK)
        return LogFailure("ICCompressQuery(output)", LONG(r)), Close(), false;
    const LRESULT maxSize = ICCompressGetSize(hic_, in, out);
    output_.assign(size_t(maxSize > 0 ? maxSize : LRESULT(input_.biSizeImage) * 2 + 4096), 0);
    work_ = format_;

    ICINFO info{};
    info.dwSize = sizeof info;
    if (ICGetInfo(hic_, &info, sizeof info)) temporal_ = (info.dwFlags & VIDCF_TEMPORAL) != 0;
    const DWORD q = DWORD(ICGetDefaultQuality(hic_));
    quality_ = q <= ICQUALITY_HIGH ? q : ICQUALITY_DEFAULT;
    const LONG k = LONG(ICGetDefaultKeyFrameRate(hic_));
    keyRate_ = k > 0 && k < 1000 ? k : 15;
    if ((r = ICCompressBegin(hic_, in, out)) != ICERR_OK)
        return LogFailure("ICCompressBegin", LONG(r)), Close(), false;
    started_ = true;
    if (temporal_) previous_.assign(input_.biSizeImage, 0);
    return true;
}

void VideoEncoder::Close() {
    if (hic_) {
        if (started_) ICCompressEnd(hic_);
        ICClose(hic_);
    }
    hic_ = nullptr;
    started_ = false;
    temporal_ = false;
    frameNumber_ = 0;
    format_.clear();
    work_.clear();
    output_.clear();
    padded_.clear();
    previous_.clear();
}

DWORD VideoEncoder::StreamHandler() const {
    return handler_ ? handler_ : mmioFOURCC('D', 'I', 'B', ' ');
}

const uint8_t* VideoEncoder::Padded(const uint8_t* frame) {
    if (padded_.empty()) return frame;
    const size_t row = size_t(width_) * 3, stride = Stride(width_);
    for (int y = 0; y < height_; ++y) std::memcpy(&padded_[stride * size_t(y)], frame + row * size_t(y), row);
    return padded_.data();
}

bool VideoEncoder::Encode(const uint8_t* frame, const uint8_t*& out, uint32_t& size, bool& keyFrame) {
    const uint8_t* dib = Padded(frame);
    if (!hic_) {
        out = dib;
        size = input_.biSizeImage;
        keyFrame = true;
        return true;
    }
    const bool key = !temporal_ || frameNumber_ % keyRate_ == 0;
    std::memcpy(work_.data(), format_.data(), format_.size());
    auto* outHeader = reinterpret_cast<BITMAPINFOHEADER*>(work_.data());
    DWORD ckid = 0, flags = 0;
    const DWORD r = ICCompress(hic_, key ? ICCOMPRESS_KEYFRAME : 0, outHeader, output_.data(), &input_,
                               const_cast<uint8_t*>(dib), &ckid, &flags, frameNumber_, 0, quality_,
                               key ? nullptr : &input_, key ? nullptr : previous_.data());
    if (r != ICERR_OK) return LogFailure("ICCompress", LONG(r)), false;
    if (outHeader->biSizeImage > output_.size())
        return LogFailure("ICCompress size", LONG(outHeader->biSizeImage)), false;
    if (temporal_) std::memcpy(previous_.data(), dib, previous_.size());
    ++frameNumber_;
    out = output_.data();
    size = outHeader->biSizeImage;
    keyFrame = key || (flags & AVIIF_KEYFRAME) != 0;
    return true;
}

}  // namespace yscap
