#include "devices/testcam/CameraPropertyPage.h"

#include "devices/testcam/TestPatternCamera.h"

#include <cstring>

namespace testcam {
namespace {

const wchar_t kWindowClass[] = L"TestPatternCameraPage";
const SIZE kPageSize = {240, 110};

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

LPOLESTR CoTaskText(const wchar_t* text) {
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (copy) std::memcpy(copy, text, bytes);
    return copy;
}

}  // namespace

CameraPropertyPage::~CameraPropertyPage() {
    if (window_) DestroyWindow(window_);
}

STDMETHODIMP CameraPropertyPage::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPropertyPage) {
        *out = static_cast<IPropertyPage*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CameraPropertyPage::AddRef() { return InterlockedIncrement(&refs_); }

STDMETHODIMP_(ULONG) CameraPropertyPage::Release() {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
}

STDMETHODIMP CameraPropertyPage::SetPageSite(IPropertyPageSite* site) {
    site_ = ComPtr<IPropertyPageSite>(site);
    return S_OK;
}

STDMETHODIMP CameraPropertyPage::SetObjects(ULONG count, IUnknown** objects) {
    amp_ = nullptr;
    frames_ = nullptr;
    if (count == 0) return S_OK;
    if (!objects || !objects[0]) return E_POINTER;
    const HRESULT hr = objects[0]->QueryInterface(IID_IAMVideoProcAmp, amp_.AsOut());
    if (FAILED(hr)) return hr;
    objects[0]->QueryInterface(IID_IAMDroppedFrames, frames_.AsOut());
    return S_OK;
}

STDMETHODIMP CameraPropertyPage::GetPageInfo(PROPPAGEINFO* info) {
    if (!info) return E_POINTER;
    std::memset(info, 0, sizeof *info);
    info->cb = sizeof *info;
    info->pszTitle = CoTaskText(L"Test Pattern Camera");
    info->size = kPageSize;
    return info->pszTitle ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CameraPropertyPage::Activate(HWND parent, LPCRECT rect, BOOL) {
    if (window_) return E_UNEXPECTED;
    const HINSTANCE module = ThisModule();
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &CameraPropertyPage::WindowProc;
    wc.hInstance = module;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.lpszClassName = kWindowClass;
    RegisterClassW(&wc);  // fails harmlessly when already registered
    const RECT r = rect ? *rect : RECT{0, 0, kPageSize.cx, kPageSize.cy};
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, L"", WS_CHILD, r.left, r.top, r.right - r.left,
                              r.bottom - r.top, parent, nullptr, module, this);
    if (!window_) return HRESULT_FROM_WIN32(GetLastError());
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const struct {
        const wchar_t* cls;
        const wchar_t* text;
        DWORD style;
        int id, x, y, w, h;
    } controls[] = {
        {L"BUTTON", L"Power line frequency", BS_GROUPBOX, 0, 8, 6, 224, 56},
        {L"BUTTON", L"50 Hz", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, kId50Hz, 20, 26, 90, 20},
        {L"BUTTON", L"60 Hz", BS_AUTORADIOBUTTON, kId60Hz, 120, 26, 90, 20},
        {L"STATIC", L"", SS_LEFT, kIdFrames, 8, 74, 224, 20},
    };
    for (const auto& c : controls) {
        HWND control = CreateWindowExW(0, c.cls, c.text, WS_CHILD | WS_VISIBLE | c.style, c.x, c.y, c.w, c.h, window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), module, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ShowValues();
    return S_OK;
}

STDMETHODIMP CameraPropertyPage::Deactivate() {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
    return S_OK;
}

STDMETHODIMP CameraPropertyPage::Show(UINT command) {
    if (!window_) return E_UNEXPECTED;
    ShowWindow(window_, command);
    return S_OK;
}

STDMETHODIMP CameraPropertyPage::Move(LPCRECT rect) {
    if (!window_) return E_UNEXPECTED;
    if (!rect) return E_POINTER;
    MoveWindow(window_, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
    return S_OK;
}

STDMETHODIMP CameraPropertyPage::Apply() {
    if (!dirty_) return S_OK;
    if (!amp_ || !window_) return E_UNEXPECTED;
    const long value = IsDlgButtonChecked(window_, kId60Hz) == BST_CHECKED ? 2 : 1;
    const HRESULT hr = amp_->Set(kPowerLineFrequencyProperty, value, VideoProcAmp_Flags_Manual);
    if (SUCCEEDED(hr)) dirty_ = false;
    return hr;
}

void CameraPropertyPage::ShowValues() {
    long value = 1, flags = 0;
    if (amp_) amp_->Get(kPowerLineFrequencyProperty, &value, &flags);
    CheckRadioButton(window_, kId50Hz, kId60Hz, value == 2 ? kId60Hz : kId50Hz);
    long delivered = 0, dropped = 0;
    if (frames_) {
        frames_->GetNumNotDropped(&delivered);
        frames_->GetNumDropped(&dropped);
    }
    wchar_t text[96];
    wsprintfW(text, L"Frames delivered: %ld, dropped: %ld", delivered, dropped);
    SetDlgItemTextW(window_, kIdFrames, text);
    dirty_ = false;
}

void CameraPropertyPage::OnChoice() {
    dirty_ = true;
    if (site_) site_->OnStatusChange(PROPPAGESTATUS_DIRTY);
}

LRESULT CALLBACK CameraPropertyPage::WindowProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* page = reinterpret_cast<CameraPropertyPage*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (page && message == WM_COMMAND && HIWORD(wp) == BN_CLICKED &&
        (LOWORD(wp) == kId50Hz || LOWORD(wp) == kId60Hz)) {
        page->OnChoice();
        return 0;
    }
    return DefWindowProcW(window, message, wp, lp);
}

}  // namespace testcam
