#include "devices/testcam/TestTonePin.h"

#include "devices/testcam/PinCategory.h"
#include "media/MediaType.h"

#include <mmreg.h>

#include <cstring>

namespace testcam {
namespace {

const int kSampleRate = 44100;
const int kChannels = 1;
const int kBufferFrames = kSampleRate / 10;  // 100 ms
const long kBufferBytes = kBufferFrames * kChannels * 2;
const REFERENCE_TIME kBufferDuration = 1000000;

HRESULT MakeToneType(AM_MEDIA_TYPE& type) {
    type = AM_MEDIA_TYPE();
    auto* wf = static_cast<WAVEFORMATEX*>(CoTaskMemAlloc(sizeof(WAVEFORMATEX)));
    if (!wf) return E_OUTOFMEMORY;
    wf->wFormatTag = WAVE_FORMAT_PCM;
    wf->nChannels = kChannels;
    wf->nSamplesPerSec = kSampleRate;
    wf->wBitsPerSample = 16;
    wf->nBlockAlign = kChannels * 2;
    wf->nAvgBytesPerSec = kSampleRate * wf->nBlockAlign;
    wf->cbSize = 0;
    type.majortype = MEDIATYPE_Audio;
    type.subtype = MEDIASUBTYPE_PCM;
    type.bFixedSizeSamples = TRUE;
    type.lSampleSize = wf->nBlockAlign;
    type.formattype = FORMAT_WaveFormatEx;
    type.cbFormat = sizeof(WAVEFORMATEX);
    type.pbFormat = reinterpret_cast<BYTE*>(wf);
    return S_OK;
}

}  // namespace

TestTonePin::TestTonePin(media::BaseFilter* filter)
    : LiveSourcePin(filter, L"Capture"), tone_(440.0, kSampleRate, kChannels, 0.5) {}

HRESULT TestTonePin::QueryExtraInterface(REFIID iid, void** out) {
    if (iid == IID_IAMStreamConfig) {
        *out = static_cast<IAMStreamConfig*>(this);
    } else if (iid == IID_IKsPropertySet) {
        *out = static_cast<IKsPropertySet*>(this);
    } else {
        return LiveSourcePin::QueryExtraInterface(iid, out);  // IAMStreamControl
    }
    AddRef();
    return S_OK;
}

HRESULT TestTonePin::CheckMediaType(const AM_MEDIA_TYPE& type) {
    if (type.majortype != MEDIATYPE_Audio || type.subtype != MEDIASUBTYPE_PCM ||
        type.formattype != FORMAT_WaveFormatEx || type.cbFormat < sizeof(WAVEFORMATEX) - 2 || !type.pbFormat)
        return S_FALSE;
    const auto* wf = reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
    const bool ours = wf->wFormatTag == WAVE_FORMAT_PCM && wf->nChannels == kChannels &&
                      wf->nSamplesPerSec == kSampleRate && wf->wBitsPerSample == 16;
    return ours ? S_OK : S_FALSE;
}

HRESULT TestTonePin::GetMediaType(int position, AM_MEDIA_TYPE& type) {
    if (position != 0) return VFW_S_NO_MORE_ITEMS;
    return MakeToneType(type);
}

HRESULT TestTonePin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request) {
    if (request.cBuffers < 4) request.cBuffers = 4;
    if (request.cbBuffer < kBufferBytes) request.cbBuffer = kBufferBytes;
    if (request.cbAlign < 1) request.cbAlign = 1;
    ALLOCATOR_PROPERTIES actual{};
    const HRESULT hr = allocator->SetProperties(&request, &actual);
    if (FAILED(hr)) return hr;
    return actual.cbBuffer >= kBufferBytes ? S_OK : E_FAIL;
}

HRESULT TestTonePin::Active() {
    tone_.Restart();
    return LiveSourcePin::Active();
}

REFERENCE_TIME TestTonePin::SampleDuration() {
    return kBufferDuration;
}

HRESULT TestTonePin::FillSample(IMediaSample* sample, REFERENCE_TIME, REFERENCE_TIME) {
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data)) || sample->GetSize() < kBufferBytes) return E_UNEXPECTED;
    tone_.Fill(reinterpret_cast<int16_t*>(data), kBufferFrames);
    sample->SetActualDataLength(kBufferBytes);
    sample->SetSyncPoint(TRUE);
    return S_OK;
}

STDMETHODIMP TestTonePin::SetFormat(AM_MEDIA_TYPE* type) {
    if (!type) return E_POINTER;
    return CheckMediaType(*type) == S_OK ? S_OK : VFW_E_INVALIDMEDIATYPE;
}

STDMETHODIMP TestTonePin::GetFormat(AM_MEDIA_TYPE** type) {
    if (!type) return E_POINTER;
    media::MediaType mt;
    const HRESULT hr = MakeToneType(mt.Get());
    if (FAILED(hr)) return hr;
    *type = media::CreateMediaType(mt.Get());
    return *type ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP TestTonePin::GetNumberOfCapabilities(int* count, int* size) {
    if (!count || !size) return E_POINTER;
    *count = 1;
    *size = sizeof(AUDIO_STREAM_CONFIG_CAPS);
    return S_OK;
}

STDMETHODIMP TestTonePin::GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps) {
    if (!type || !caps) return E_POINTER;
    if (index < 0) return E_INVALIDARG;
    if (index > 0) return S_FALSE;
    const HRESULT hr = GetFormat(type);
    if (FAILED(hr)) return hr;
    AUDIO_STREAM_CONFIG_CAPS c = {};
    c.guid = MEDIATYPE_Audio;
    c.MinimumChannels = c.MaximumChannels = kChannels;
    c.ChannelsGranularity = 1;
    c.MinimumBitsPerSample = c.MaximumBitsPerSample = 16;
    c.BitsPerSampleGranularity = 16;
    c.MinimumSampleFrequency = c.MaximumSampleFrequency = kSampleRate;
    c.SampleFrequencyGranularity = 1;
    std::memcpy(caps, &c, sizeof c);
    return S_OK;
}

STDMETHODIMP TestTonePin::Set(REFGUID, DWORD, void*, DWORD, void*, DWORD) {
    return E_PROP_ID_UNSUPPORTED;
}

STDMETHODIMP TestTonePin::Get(REFGUID set, DWORD id, void*, DWORD, void* data, DWORD dataSize,
                              DWORD* returned) {
    return GetPinCategory(set, id, data, dataSize, returned, PIN_CATEGORY_CAPTURE);
}

STDMETHODIMP TestTonePin::QuerySupported(REFGUID set, DWORD id, DWORD* support) {
    return QueryPinCategorySupport(set, id, support);
}

}  // namespace testcam
