#include "monitor/libs/YsCapture/DirectShowAudioSource.h"

#include "monitor/libs/YsCapture/DeviceList.h"

#include <algorithm>
#include <cstring>

namespace yscap {

bool DirectShowAudioSource::Open(int index) {
    std::string name;
    if (!BindDevice(CLSID_AudioInputDeviceCategory, index, source_, name)) return false;
    auto forward = [this](const GrabbedSample& s) {
        if (running_) sink_(s.data, s.size);
    };
    if (!graph_.Build(source_.Get(), MEDIATYPE_Audio, MEDIASUBTYPE_PCM, nullptr, forward)) return false;
    const std::vector<uint8_t>& f = graph_.ConnectedFormat();
    if (graph_.Connected().formattype != FORMAT_WaveFormatEx || f.size() < 16) return false;
    format_ = WAVEFORMATEX{};
    std::memcpy(&format_, f.data(), std::min(f.size(), sizeof format_));
    format_.cbSize = 0;
    return format_.wFormatTag == WAVE_FORMAT_PCM && format_.nBlockAlign != 0;
}

DirectShowAudioSource::~DirectShowAudioSource() {
    Stop();
    graph_.Close();
    if (source_) NoteComLeak("audio source release", source_.Detach()->Release());
}

bool DirectShowAudioSource::Start(Sink sink) {
    sink_ = std::move(sink);
    running_ = true;
    return graph_.Run();
}

void DirectShowAudioSource::Stop() {
    graph_.Stop();
    running_ = false;
}

}  // namespace yscap
