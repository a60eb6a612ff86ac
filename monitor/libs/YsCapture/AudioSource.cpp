#include "monitor/libs/YsCapture/AudioSource.h"

#include "monitor/libs/YsCapture/DeviceList.h"
#include "monitor/libs/YsCapture/DirectShowAudioSource.h"
#include "monitor/libs/YsCapture/WaveInSource.h"

#include <mmsystem.h>

#include <algorithm>

namespace yscap {
namespace {

std::vector<std::string> WaveInNames() {
    std::vector<std::string> names;
    const UINT count = waveInGetNumDevs();
    for (UINT i = 0; i < count; ++i) {
        WAVEINCAPSA caps{};
        names.push_back(waveInGetDevCapsA(i, &caps, sizeof caps) == MMSYSERR_NOERROR ? caps.szPname : "");
    }
    return names;
}

// DirectShow audio inputs whose names the waveIn list does not already have, with their indexes.
std::vector<std::pair<std::string, int>> ExtraDirectShowInputs(const std::vector<std::string>& waveIn) {
    std::vector<std::pair<std::string, int>> extra;
    const std::vector<std::string> names = ListDevices(CLSID_AudioInputDeviceCategory);
    for (size_t i = 0; i < names.size(); ++i)
        if (std::find(waveIn.begin(), waveIn.end(), names[i]) == waveIn.end())
            extra.push_back({names[i], int(i)});
    return extra;
}

}  // namespace

std::vector<std::string> ListAudioInputs() {
    std::vector<std::string> names = WaveInNames();
    for (auto& extra : ExtraDirectShowInputs(names)) names.push_back(extra.first);
    return names;
}

std::unique_ptr<AudioSource> OpenAudioInput(int index) {
    const std::vector<std::string> waveIn = WaveInNames();
    if (index < 0) return nullptr;
    if (size_t(index) < waveIn.size()) return std::make_unique<WaveInSource>(UINT(index));
    const auto extra = ExtraDirectShowInputs(waveIn);
    const size_t k = size_t(index) - waveIn.size();
    if (k >= extra.size()) return nullptr;
    auto source = std::make_unique<DirectShowAudioSource>();
    if (!source->Open(extra[k].second)) return nullptr;
    return source;
}

}  // namespace yscap
