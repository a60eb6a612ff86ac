// The camera's property page: the power-line frequency (50 Hz / 60 Hz) and the frame count.
#pragma once

#include "framework/ComPtr.h"
#include "media/DShow.h"
#include "media/ModuleLock.h"

#include <olectl.h>

namespace testcam {

class CameraPropertyPage final : public IPropertyPage {
public:
    enum ControlId { kId50Hz = 101, kId60Hz = 102, kIdFrames = 103 };

    CameraPropertyPage() = default;
    ~CameraPropertyPage();

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
    STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) override;
    STDMETHODIMP Deactivate() override;
    STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
    STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override;
    STDMETHODIMP Show(UINT command) override;
    STDMETHODIMP Move(LPCRECT rect) override;
    STDMETHODIMP IsPageDirty() override { return dirty_ ? S_OK : S_FALSE; }
    STDMETHODIMP Apply() override;
    STDMETHODIMP Help(LPCOLESTR) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG*) override { return S_FALSE; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wp, LPARAM lp);
    void OnChoice();
    void ShowValues();

    media::ModuleObject moduleObject_;
    volatile LONG refs_ = 0;
    ComPtr<IPropertyPageSite> site_;
    ComPtr<IAMVideoProcAmp> amp_;
    ComPtr<IAMDroppedFrames> frames_;
    HWND window_ = nullptr;
    bool dirty_ = false;
};

}  // namespace testcam
