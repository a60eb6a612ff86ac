#include "monitor/libs/YsCapture/AudioEncoder.h"

#include "monitor/libs/YsCapture/AudioCompressors.h"
#include "monitor/libs/YsCapture/Log.h"

#include <algorithm>

namespace yscap {

bool AudioEncoder::Open(const WAVEFORMATEX& pcm, WORD tag) {
    Close();
    if (tag == WAVE_FORMAT_PCM) {
        WAVEFORMATEX plain = pcm;
        plain.cbSize = 0;
        format_.assign(reinterpret_cast<const uint8_t*>(&plain),
                       reinterpret_cast<const uint8_t*>(&plain + 1));
        return true;
    }
    std::vector<uint8_t> format;
    if (!SuggestCompressedFormat(pcm, tag, format)) return LogFailure("acmFormatSuggest", tag), false;
    HACMSTREAM stream = nullptr;
    const MMRESULT r = acmStreamOpen(&stream, nullptr, const_cast<WAVEFORMATEX*>(&pcm),
                                     reinterpret_cast<WAVEFORMATEX*>(format.data()), nullptr, 0, 0,
                                     ACM_STREAMOPENF_NONREALTIME);
    if (r != 0) return LogFailure("acmStreamOpen", LONG(r)), false;
    stream_ = stream;
    format_ = std::move(format);
    return true;
}

void AudioEncoder::Close() {
    if (stream_) acmStreamClose(stream_, 0);
    stream_ = nullptr;
    format_.clear();
    pending_.clear();
}

bool AudioEncoder::Convert(const uint8_t* pcm, size_t size, std::vector<uint8_t>& out, bool final) {
    if (!stream_) {
        out.insert(out.end(), pcm, pcm + size);
        return true;
    }
    pending_.insert(pending_.end(), pcm, pcm + size);
    if (pending_.empty()) return true;
    DWORD dstSize = 0;
    MMRESULT r = acmStreamSize(stream_, DWORD(pending_.size()), &dstSize, ACM_STREAMSIZEF_SOURCE);
    if (r != 0 || dstSize == 0) dstSize = DWORD(pending_.size()) + 4096;
    std::vector<uint8_t> dst(dstSize);
    ACMSTREAMHEADER header{};
    header.cbStruct = sizeof header;
    header.pbSrc = pending_.data();
    header.cbSrcLength = DWORD(pending_.size());
    header.pbDst = dst.data();
    header.cbDstLength = dstSize;
    if ((r = acmStreamPrepareHeader(stream_, &header, 0)) != 0)
        return LogFailure("acmStreamPrepareHeader", LONG(r)), false;
    r = acmStreamConvert(stream_, &header, final ? ACM_STREAMCONVERTF_END : ACM_STREAMCONVERTF_BLOCKALIGN);
    const DWORD used = header.cbSrcLengthUsed, produced = header.cbDstLengthUsed;
    header.cbSrcLength = DWORD(pending_.size());
    header.cbDstLength = dstSize;
    acmStreamUnprepareHeader(stream_, &header, 0);
    if (r != 0) return LogFailure("acmStreamConvert", LONG(r)), false;
    out.insert(out.end(), dst.begin(), dst.begin() + produced);
    pending_.erase(pending_.begin(), pending_.begin() + std::min<size_t>(used, pending_.size()));
    if (final) pending_.clear();
    return true;
}

}  // namespace yscap
