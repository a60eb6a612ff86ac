// The test devices measured against how capture drivers behave, one interface at a time: COM
// identity and reference counts, IPersistPropertyBag, the microphone's WaveInId, GetState while
// paused, IAMVideoControl, IAMBufferNegotiation and IAMStreamConfig's narrowing.
#include "devices/common/TestcamIds.h"
#include "devices/testcam/CameraSizes.h"
#include "devices/testcam/TestPattern.h"
#include "framework/Handles.h"
#include "media/DeviceMonikers.h"
#include "media/MediaType.h"
#include "tests/devices/support/CaptureProbe.h"
#include "tests/devices/support/TestCamera.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const wchar_t kCamera[] = L"Test Pattern Camera";
const wchar_t kMicrophone[] = L"Test Tone Microphone";

ULONG RefCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

ComPtr<IUnknown> Identity(IUnknown* object) {
    ComPtr<IUnknown> identity;
    object->QueryInterface(IID_IUnknown, identity.AsOut());
    return identity;
}

// The QueryInterface rules over the interfaces an object has: each is found from each other one
// (symmetric and transitive), every one leads to the same IUnknown, the ones it lacks are refused
// with a null pointer, and no reference is left behind.
void ExpectComIdentity(IUnknown* object, const std::vector<IID>& present, const std::vector<IID>& absent) {
    const ULONG before = RefCount(object);
    {
        const ComPtr<IUnknown> identity = Identity(object);
        ASSERT_TRUE(identity);
        std::vector<ComPtr<IUnknown>> held;
        for (size_t i = 0; i < present.size(); ++i) {
            ComPtr<IUnknown> p;
            ASSERT_EQ(S_OK, object->QueryInterface(present[i], p.AsOut())) << "interface " << i;
            held.push_back(p);
        }
        for (size_t i = 0; i < held.size(); ++i) {
            EXPECT_EQ(identity.Get(), Identity(held[i].Get()).Get()) << "interface " << i;
            for (size_t j = 0; j < present.size(); ++j) {
                ComPtr<IUnknown> q;
                EXPECT_EQ(S_OK, held[i]->QueryInterface(present[j], q.AsOut())) << i << " -> " << j;
            }
            for (size_t j = 0; j < absent.size(); ++j) {
                void* none = reinterpret_cast<void*>(1);
                EXPECT_EQ(E_NOINTERFACE, held[i]->QueryInterface(absent[j], &none))
                    << i << " -> absent " << j;
                EXPECT_EQ(nullptr, none);
            }
        }
    }
    EXPECT_EQ(before, RefCount(object));
}

ComPtr<IPin> CapturePin(IBaseFilter* filter) {
    return ComPtr<IPin>::Adopt(probe::FirstPin(filter, PINDIR_OUTPUT));
}

template <typename T>
ComPtr<T> Query(IUnknown* object, REFIID iid) {
    ComPtr<T> p;
    object->QueryInterface(iid, p.AsOut());
    return p;
}

// A property bag holding at most a FriendlyName; counts its references.
class NameBag : public IPropertyBag {
  public:
    explicit NameBag(const wchar_t* name) : name_(name ? name : L""), hasName_(name != nullptr) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = (iid == IID_IUnknown || iid == IID_IPropertyBag) ? static_cast<IPropertyBag*>(this) : nullptr;
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override { return InterlockedDecrement(&refs_); }
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        if (!hasName_ || lstrcmpW(name, L"FriendlyName") != 0) return E_INVALIDARG;
        value->vt = VT_BSTR;
        value->bstrVal = SysAllocString(name_.c_str());
        return S_OK;
    }
    STDMETHODIMP Write(LPCOLESTR, VARIANT*) override { return E_NOTIMPL; }
    LONG refs_ = 1;

  private:
    std::wstring name_;
    bool hasName_;
};

class TestcamConformance : public ::testing::Test {
  protected:
    ScopedComInit com_;
};

TEST_F(TestcamConformance, CameraFilterAndPinKeepTheirIdentitiesAndCounts) {
    IBaseFilter* camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera).Detach();
    ASSERT_NE(nullptr, camera);
    ExpectComIdentity(
        camera,
        {IID_IBaseFilter, IID_IMediaFilter, IID_IPersist, IID_IAMFilterMiscFlags, IID_IAMVideoProcAmp,
         IID_ISpecifyPropertyPages, IID_IAMDroppedFrames, IID_IAMVideoControl, IID_IPersistPropertyBag},
        {IID_IPin, IID_IAMStreamConfig, IID_IAMStreamControl, IID_IAMBufferNegotiation});
    {
        auto pin = CapturePin(camera);
        ASSERT_TRUE(pin);
        // Dropped frames are the filter's: from the pin one could not get back to IPin.
        ExpectComIdentity(
            pin.Get(),
            {IID_IPin, IID_IQualityControl, IID_IAMStreamConfig, IID_IKsPropertySet, IID_IAMStreamControl,
             IID_IAMBufferNegotiation},
            {IID_IAMDroppedFrames, IID_IBaseFilter, IID_IAMVideoControl, IID_IPersistPropertyBag});
        EXPECT_NE(Identity(pin.Get()).Get(), Identity(camera).Get());
    }
    EXPECT_EQ(0u, camera->Release());
}

TEST_F(TestcamConformance, MicrophoneFilterAndPinKeepTheirIdentitiesAndCounts) {
    IBaseFilter* mic = probe::BindDevice(CLSID_AudioInputDeviceCategory, kMicrophone).Detach();
    ASSERT_NE(nullptr, mic);
    ExpectComIdentity(mic, {IID_IBaseFilter, IID_IPersist, IID_IAMFilterMiscFlags, IID_IPersistPropertyBag},
                      {IID_IPin, IID_IAMVideoControl, IID_IAMDroppedFrames});
    {
        auto pin = CapturePin(mic);
        ASSERT_TRUE(pin);
        ExpectComIdentity(pin.Get(),
                          {IID_IPin, IID_IAMStreamConfig, IID_IKsPropertySet, IID_IAMStreamControl},
                          {IID_IBaseFilter, IID_IAMDroppedFrames});
    }
    EXPECT_EQ(0u, mic->Release());
}

TEST_F(TestcamConformance, PersistPropertyBagTakesItsOwnEntryOnlyAndKeepsNoBag) {
    struct Device {
        REFCLSID category;
        const wchar_t* name;
        const CLSID& clsid;
    };
    for (const Device& d :
         {Device{CLSID_VideoInputDeviceCategory, kCamera, testcam::kClsidTestPatternCamera},
          Device{CLSID_AudioInputDeviceCategory, kMicrophone, testcam::kClsidTestToneMicrophone}}) {
        SCOPED_TRACE(::testing::Message() << static_cast<const void*>(d.name));
        auto filter = probe::BindDevice(d.category, d.name);
        ASSERT_TRUE(filter);
        auto persist = Query<IPersistPropertyBag>(filter.Get(), IID_IPersistPropertyBag);
        ASSERT_TRUE(persist);
        CLSID clsid = GUID_NULL;
        EXPECT_EQ(S_OK, persist->GetClassID(&clsid));
        EXPECT_TRUE(clsid == d.clsid);
        EXPECT_EQ(S_OK, persist->InitNew());
        EXPECT_EQ(E_POINTER, persist->Load(nullptr, nullptr));
        NameBag own(d.name), other(L"Another Camera"), unnamed(nullptr);
        EXPECT_EQ(S_OK, persist->Load(&own, nullptr));
        EXPECT_EQ(S_OK, persist->Load(&unnamed, nullptr));
        EXPECT_EQ(E_INVALIDARG, persist->Load(&other, nullptr));
        EXPECT_EQ(E_NOTIMPL, persist->Save(&own, TRUE, TRUE));
        EXPECT_EQ(1, own.refs_);
        EXPECT_EQ(1, other.refs_);
        EXPECT_EQ(1, unnamed.refs_);
    }
}

TEST_F(TestcamConformance, MicrophoneEntryHasNoWaveInTwin) {
    bool seen = false;
    media::ForEachDevice(CLSID_AudioInputDeviceCategory, [&](IMoniker* moniker, const std::wstring& name) {
        if (name != kMicrophone) return true;
        seen = true;
        ComPtr<IPropertyBag> bag;
        EXPECT_HRESULT_SUCCEEDED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.AsOut()));
        if (!bag) return false;
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_I4;
        EXPECT_EQ(S_OK, bag->Read(L"WaveInId", &value, nullptr));
        EXPECT_EQ(VT_I4, value.vt);
        EXPECT_EQ(-1, value.lVal);
        VariantClear(&value);
        return false;
    });
    EXPECT_TRUE(seen);
}

TEST_F(TestcamConformance, PausedAnswersCantCueOnlyWhileConnected) {
    auto camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera);
    ASSERT_TRUE(camera);
    FILTER_STATE state = State_Stopped;
    ASSERT_HRESULT_SUCCEEDED(camera->Pause());
    EXPECT_EQ(S_OK, camera->GetState(0, &state));
    EXPECT_EQ(State_Paused, state);
    ASSERT_HRESULT_SUCCEEDED(camera->Stop());

    probe::GrabberGraph g;
    ASSERT_EQ(S_OK, g.Build(camera.Get(), MEDIATYPE_Video, nullptr));
    ASSERT_HRESULT_SUCCEEDED(g.control->Pause());
    EXPECT_EQ(VFW_S_CANT_CUE, camera->GetState(0, &state));
    EXPECT_EQ(State_Paused, state);
    g.Release();
}

TEST_F(TestcamConformance, VideoControlAnswersForTheCapturePinOnly) {
    auto camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera);
    auto mic = probe::BindDevice(CLSID_AudioInputDeviceCategory, kMicrophone);
    ASSERT_TRUE(camera && mic);
    auto control = Query<IAMVideoControl>(camera.Get(), IID_IAMVideoControl);
    ASSERT_TRUE(control);
    auto pin = CapturePin(camera.Get());
    auto foreign = CapturePin(mic.Get());
    long flags = 0;
    ASSERT_EQ(S_OK, control->GetCaps(pin.Get(), &flags));
    EXPECT_EQ(VideoControlFlag_FlipHorizontal | VideoControlFlag_FlipVertical | VideoControlFlag_Trigger,
              flags);
    EXPECT_EQ(E_INVALIDARG, control->GetCaps(foreign.Get(), &flags));
    EXPECT_EQ(E_POINTER, control->GetCaps(nullptr, &flags));
    EXPECT_EQ(E_INVALIDARG, control->SetMode(pin.Get(), VideoControlFlag_ExternalTriggerEnable));
    long mode = -1;
    ASSERT_EQ(S_OK, control->GetMode(pin.Get(), &mode));
    EXPECT_EQ(0, mode);

    for (int i = 0; i < testcam::kCameraSizeCount; ++i) {
        const SIZE size = {testcam::kCameraSizes[i].width, testcam::kCameraSizes[i].height};
        long count = 0;
        LONGLONG* intervals = nullptr;
        ASSERT_EQ(S_OK, control->GetFrameRateList(pin.Get(), i, size, &count, &intervals)) << i;
        ASSERT_EQ(1, count);
        EXPECT_EQ(333333, intervals[0]);
        CoTaskMemFree(intervals);
        EXPECT_EQ(S_OK, control->GetFrameRateList(pin.Get(), i, size, &count, nullptr));  // count only
        LONGLONG best = 0;
        EXPECT_EQ(S_OK, control->GetMaxAvailableFrameRate(pin.Get(), i, size, &best));
        EXPECT_EQ(333333, best);
    }
    const SIZE odd = {333, 222};
    LONGLONG interval = 0;
    EXPECT_EQ(E_INVALIDARG, control->GetMaxAvailableFrameRate(pin.Get(), 0, odd, &interval));
    EXPECT_EQ(E_INVALIDARG, control->GetMaxAvailableFrameRate(pin.Get(), testcam::kCameraSizeCount,
                                                              SIZE{1600, 1200}, &interval));
    EXPECT_EQ(VFW_E_NOT_CONNECTED, control->GetCurrentActualFrameRate(pin.Get(), &interval));
    probe::GrabberGraph g;
    ASSERT_EQ(S_OK, g.Build(camera.Get(), MEDIATYPE_Video, nullptr));
    EXPECT_EQ(S_OK, control->GetCurrentActualFrameRate(pin.Get(), &interval));
    EXPECT_EQ(333333, interval);
    g.Release();
}

// The camera's picture turned by 180 degrees (both flips): rows in reverse, pixels in reverse.
std::vector<BYTE> Turned(const std::vector<BYTE>& picture, int width, int height) {
    std::vector<BYTE> out(picture.size());
    const int stride = media::Rgb24Stride(width);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                out[y * stride + x * 3 + c] = picture[(height - 1 - y) * stride + (width - 1 - x) * 3 + c];
    return out;
}

class TestcamStillPicture : public TestcamConformance {
  protected:
    void TearDown() override { probe::RunTestcamctl("still off"); }
};

TEST_F(TestcamStillPicture, FlipsTurnThePictureAndTheTriggerTakesANewStill) {
    auto camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera);
    ASSERT_TRUE(camera);
    auto control = Query<IAMVideoControl>(camera.Get(), IID_IAMVideoControl);
    auto pin = CapturePin(camera.Get());
    ASSERT_TRUE(control && pin);
    probe::FrameRecorder recorder;
    probe::GrabberGraph g;
    ASSERT_EQ(S_OK, g.Build(camera.Get(), MEDIATYPE_Video, &recorder));
    ASSERT_HRESULT_SUCCEEDED(g.control->Run());
    ASSERT_TRUE(recorder.WaitFrames(2, 5000));
    ASSERT_EQ(0, probe::RunTestcamctl("still on"));
    Sleep(300);

    recorder.Clear();
    ASSERT_TRUE(recorder.WaitFrames(1, 5000));
    const std::vector<BYTE> still = recorder.Take().back().bytes;
    ASSERT_EQ(S_OK,
              control->SetMode(pin.Get(), VideoControlFlag_FlipHorizontal | VideoControlFlag_FlipVertical));
    Sleep(100);
    recorder.Clear();
    ASSERT_TRUE(recorder.WaitFrames(1, 5000));
    EXPECT_TRUE(recorder.Take().back().bytes == Turned(still, 640, 480));
    long mode = 0;
    ASSERT_EQ(S_OK, control->GetMode(pin.Get(), &mode));
    EXPECT_EQ(VideoControlFlag_FlipHorizontal | VideoControlFlag_FlipVertical, mode);

    // The trigger (flips off again) takes one new picture, which then stands still in its turn.
    ASSERT_EQ(S_OK, control->SetMode(pin.Get(), VideoControlFlag_Trigger));
    ASSERT_EQ(S_OK, control->GetMode(pin.Get(), &mode));
    EXPECT_EQ(0, mode);
    Sleep(100);
    recorder.Clear();
    ASSERT_TRUE(recorder.WaitFrames(2, 5000));
    const auto frames = recorder.Take();
    const long before = testcam::ReadFrameCounter(still.data(), 640, 480, 640 * 3);
    const long after = testcam::ReadFrameCounter(frames.back().bytes.data(), 640, 480, 640 * 3);
    EXPECT_GT(after, before);
    EXPECT_TRUE(frames[frames.size() - 2].bytes == frames.back().bytes);
    g.control->Stop();
    g.Release();
}

TEST_F(TestcamConformance, BufferNegotiationTakesAWishBeforeConnecting) {
    auto camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera);
    ASSERT_TRUE(camera);
    auto pin = CapturePin(camera.Get());
    auto negotiation = Query<IAMBufferNegotiation>(pin.Get(), IID_IAMBufferNegotiation);
    ASSERT_TRUE(negotiation);
    ALLOCATOR_PROPERTIES actual = {};
    EXPECT_EQ(VFW_E_NO_ALLOCATOR, negotiation->GetAllocatorProperties(&actual));
    const ALLOCATOR_PROPERTIES wish = {7, -1, -1, -1};
    ASSERT_EQ(S_OK, negotiation->SuggestAllocatorProperties(&wish));
    probe::FrameRecorder recorder;
    probe::GrabberGraph g;
    ASSERT_EQ(S_OK, g.Build(camera.Get(), MEDIATYPE_Video, &recorder));
    ASSERT_EQ(S_OK, negotiation->GetAllocatorProperties(&actual));
    EXPECT_EQ(7, actual.cBuffers);
    EXPECT_GE(actual.cbBuffer, 640 * 480 * 3);
    EXPECT_EQ(VFW_E_ALREADY_CONNECTED, negotiation->SuggestAllocatorProperties(&wish));
    ASSERT_HRESULT_SUCCEEDED(g.control->Run());
    EXPECT_TRUE(recorder.WaitFrames(3, 5000));
    g.Release();
}

std::vector<std::pair<int, int>> OfferedSizes(IPin* pin) {
    std::vector<std::pair<int, int>> sizes;
    ComPtr<IEnumMediaTypes> types;
    if (FAILED(pin->EnumMediaTypes(&types))) return sizes;
    AM_MEDIA_TYPE* mt = nullptr;
    while (types->Next(1, &mt, nullptr) == S_OK) {
        if (const VIDEOINFOHEADER* vih = media::Rgb24VideoHeader(*mt))
            sizes.emplace_back(vih->bmiHeader.biWidth, vih->bmiHeader.biHeight);
        media::DeleteMediaType(mt);
    }
    return sizes;
}

TEST_F(TestcamConformance, SetFormatNarrowsTheOfferUntilDisconnected) {
    auto camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera);
    ASSERT_TRUE(camera);
    auto pin = CapturePin(camera.Get());
    auto config = Query<IAMStreamConfig>(pin.Get(), IID_IAMStreamConfig);
    ASSERT_TRUE(config);
    EXPECT_EQ(static_cast<size_t>(testcam::kCameraSizeCount), OfferedSizes(pin.Get()).size());

    media::MediaType qvga, vga;
    ASSERT_HRESULT_SUCCEEDED(media::MakeRgb24VideoType(qvga.Get(), 320, 240, 333333));
    ASSERT_HRESULT_SUCCEEDED(media::MakeRgb24VideoType(vga.Get(), 640, 480, 333333));
    ASSERT_EQ(S_OK, config->SetFormat(&qvga.Get()));
    const std::vector<std::pair<int, int>> only = {{320, 240}};
    EXPECT_EQ(only, OfferedSizes(pin.Get()));
    EXPECT_EQ(S_FALSE, pin->QueryAccept(&vga.Get()));
    EXPECT_EQ(S_OK, pin->QueryAccept(&qvga.Get()));

    probe::GrabberGraph g;
    ASSERT_EQ(S_OK, g.Create(MEDIATYPE_Video, nullptr));
    ASSERT_HRESULT_SUCCEEDED(g.graph->AddFilter(camera.Get(), L"Source"));
    auto grabIn = ComPtr<IPin>::Adopt(probe::FirstPin(g.grabberFilter.Get(), PINDIR_INPUT));
    EXPECT_TRUE(FAILED(g.graph->ConnectDirect(pin.Get(), grabIn.Get(), &vga.Get())));  // another size: no
    ASSERT_EQ(S_OK, g.Connect(camera.Get()));
    int width = 0, height = 0;
    g.ConnectedSize(width, height);
    EXPECT_EQ(320, width);
    EXPECT_EQ(240, height);
    EXPECT_EQ(only, OfferedSizes(pin.Get()));

    ASSERT_HRESULT_SUCCEEDED(g.graph->Disconnect(pin.Get()));
    ASSERT_HRESULT_SUCCEEDED(g.graph->Disconnect(grabIn.Get()));
    const auto all = OfferedSizes(pin.Get());
    ASSERT_EQ(static_cast<size_t>(testcam::kCameraSizeCount), all.size());
    EXPECT_EQ(std::make_pair(320, 240), all.front());  // the chosen size still comes first
    g.Release();
}

TEST_F(TestcamConformance, SetFormatLeavesAnOpenDepthToTheCamera) {
    auto camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera);
    ASSERT_TRUE(camera);
    auto config = Query<IAMStreamConfig>(CapturePin(camera.Get()).Get(), IID_IAMStreamConfig);
    ASSERT_TRUE(config);
    media::MediaType open;
    ASSERT_HRESULT_SUCCEEDED(media::MakeRgb24VideoType(open.Get(), 176, 144, 333333));
    auto* vih = reinterpret_cast<VIDEOINFOHEADER*>(open.Get().pbFormat);
    vih->bmiHeader.biBitCount = 0;
    vih->bmiHeader.biCompression = 0;
    open.Get().subtype = GUID_NULL;
    ASSERT_EQ(S_OK, config->SetFormat(&open.Get()));
    AM_MEDIA_TYPE* current = nullptr;
    ASSERT_EQ(S_OK, config->GetFormat(&current));
    const VIDEOINFOHEADER* now = media::Rgb24VideoHeader(*current);
    ASSERT_NE(nullptr, now);
    EXPECT_EQ(176, now->bmiHeader.biWidth);
    EXPECT_EQ(144, now->bmiHeader.biHeight);
    EXPECT_EQ(24, now->bmiHeader.biBitCount);
    media::DeleteMediaType(current);
    // An open depth still needs a listed size, and a depth we do not have is refused.
    vih->bmiHeader.biWidth = 333;
    EXPECT_TRUE(FAILED(config->SetFormat(&open.Get())));
    vih->bmiHeader.biWidth = 176;
    vih->bmiHeader.biBitCount = 16;
    EXPECT_TRUE(FAILED(config->SetFormat(&open.Get())));
}

}  // namespace
