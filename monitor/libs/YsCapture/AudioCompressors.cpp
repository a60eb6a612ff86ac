#include "monitor/libs/YsCapture/AudioCompressors.h"

#include <mmsystem.h>
#include <msacm.h>

#include <algorithm>

namespace yscap {
namespace {

struct TagList {
    std::vector<AudioCompressorChoice> tags;
};

BOOL CALLBACK OnFormatTag(HACMDRIVERID, LPACMFORMATTAGDETAILSA details, DWORD_PTR context, DWORD) {
    auto* list = reinterpret_cast<TagList*>(context);
    const WORD tag = WORD(details->dwFormatTag);
    const bool known = std::any_of(list->tags.begin(), list->tags.end(),
                                   [&](const AudioCompressorChoice& c) { return c.formatTag == tag; });
    if (!known) list->tags.push_back({details->szFormatTag, tag});
    return TRUE;
}

bool Converts(const WAVEFORMATEX& pcm, const std::vector<uint8_t>& format) {
    return acmStreamOpen(nullptr, nullptr, const_cast<WAVEFORMATEX*>(&pcm),
                         reinterpret_cast<WAVEFORMATEX*>(const_cast<uint8_t*>(format.data())), nullptr, 0, 0,
                         ACM_STREAMOPENF_QUERY | ACM_STREAMOPENF_NONREALTIME) == 0;
}

std::vector<AudioCompressorChoice> Measure() {
    std::vector<AudioCompressorChoice> list{{"PCM", WAVE_FORMAT_PCM}};
    TagList all;
    ACMFORMATTAGDETAILSA details{};
    details.cbStruct = sizeof details;
    acmFormatTagEnumA(nullptr, &details, OnFormatTag, reinterpret_cast<DWORD_PTR>(&all), 0);
    const WAVEFORMATEX pcm = CapturePcmFormat();
    for (const AudioCompressorChoice& c : all.tags) {
        if (c.formatTag == WAVE_FORMAT_PCM) continue;
        std::vector<uint8_t> format;
        if (SuggestCompressedFormat(pcm, c.formatTag, format) && Converts(pcm, format)) list.push_back(c);
    }
    return list;
}

}  // namespace

WAVEFORMATEX CapturePcmFormat() {
    WAVEFORMATEX f{};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = 1;
    f.nSamplesPerSec = 22050;
    f.wBitsPerSample = 16;
    f.nBlockAlign = 2;
    f.nAvgBytesPerSec = f.nSamplesPerSec * f.nBlockAlign;
    f.cbSize = 0;
    return f;
}

const std::vector<AudioCompressorChoice>& AudioCompressors() {
    static const std::vector<AudioCompressorChoice> list = Measure();
    return list;
}

bool SuggestCompressedFormat(const WAVEFORMATEX& pcm, WORD tag, std::vector<uint8_t>& format) {
    DWORD maxSize = 0;
    if (acmMetrics(nullptr, ACM_METRIC_MAX_SIZE_FORMAT, &maxSize) != 0 || maxSize < sizeof(WAVEFORMATEX))
        maxSize = 256;
    format.assign(maxSize, 0);
    auto* dst = reinterpret_cast<WAVEFORMATEX*>(format.data());
    dst->wFormatTag = tag;
    if (acmFormatSuggest(nullptr, const_cast<WAVEFORMATEX*>(&pcm), dst, maxSize,
                         ACM_FORMATSUGGESTF_WFORMATTAG) != 0)
        return false;
    format.resize(sizeof(WAVEFORMATEX) + (dst->wFormatTag == WAVE_FORMAT_PCM ? 0 : dst->cbSize));
    return dst->nBlockAlign != 0 && dst->nAvgBytesPerSec != 0;
}

}  // namespace yscap
