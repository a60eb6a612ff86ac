// The filter behind CreateAviFileMux (AviFileMux.h): two input pins whose samples become the
// chunks of one AVI file, written by avi::AviWriter. Samples of both pins arrive on their own
// streaming threads; the writer is used under one lock.
#pragma once

#include <memory>
#include <string>

#include "media/BaseFilter.h"
#include "media/InputPin.h"

namespace avi {
class AviWriter;
}

namespace media::avi {

class AviFileMuxFilter;

class AviMuxInputPin : public InputPin {
  public:
    AviMuxInputPin(AviFileMuxFilter* filter, const wchar_t* name, bool video);

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP EndOfStream() override;
    HRESULT Active() override;

    bool EndOfStreamSeen() const { return endOfStream_; }

  private:
    AviFileMuxFilter* mux_;
    bool video_;
    volatile bool endOfStream_ = false;
};

class AviFileMuxFilter : public BaseFilter, public IFileSinkFilter, public IAMFilterMiscFlags {
  public:
    AviFileMuxFilter();
    ~AviFileMuxFilter() override;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        return BaseFilter::QueryInterface(iid, out);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return BaseFilter::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return BaseFilter::Release(); }
    // IMediaFilter: the file is opened on the way out of Stopped and completed on the way back.
    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;
    // IFileSinkFilter
    STDMETHODIMP SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* type) override;
    // IAMFilterMiscFlags: a renderer (the end of its streams).
    STDMETHODIMP_(ULONG) GetMiscFlags() override { return AM_FILTER_MISC_FLAGS_IS_RENDERER; }

    int PinCount() override { return 2; }
    BasePin* PinAt(int index) override;

    // Streaming threads.
    HRESULT WriteSample(bool video, IMediaSample* sample);
    void PinEnded();

  protected:
    HRESULT QueryExtraInterface(REFIID iid, void** out) override;

  private:
    HRESULT OpenFile();
    void CloseFile();

    AviMuxInputPin video_;
    AviMuxInputPin audio_;
    std::wstring path_;
    CRITICAL_SECTION writeLock_;
    std::unique_ptr<::avi::AviWriter> writer_;
};

}  // namespace media::avi
