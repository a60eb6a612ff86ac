#include "camera/graph/CaptureDeviceList.h"

#include "media/DShow.h"

CaptureDeviceList::~CaptureDeviceList() = default;

void CaptureDeviceList::Clear() {
    for (int i = 0; i < kMaxDevices; ++i) {
        monikers_[i].Reset();
        names_[i].clear();
        named_[i] = false;
    }
    count_ = 0;
}

bool CaptureDeviceList::Enumerate(Category category) {
    Clear();
    ComPtr<ICreateDevEnum> devices;
    HRESULT hr = CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                  devices.AsOut());
    if (FAILED(hr)) {
        OutputDebugStringW(L"CaptureDeviceList: no system device enumerator\n");
        return false;
    }
    const CLSID& id =
        category == Category::Video ? CLSID_VideoInputDeviceCategory : CLSID_AudioInputDeviceCategory;
    ComPtr<IEnumMoniker> monikers;
    if (devices->CreateClassEnumerator(id, &monikers, 0) != S_OK || !monikers) return true;  // none
    monikers->Reset();
    ComPtr<IMoniker> moniker;
    // An eleventh device and more are left out: the menu has ten commands of each kind.
    while (count_ < kMaxDevices && monikers->Next(1, &moniker, nullptr) == S_OK) {
        const int slot = count_++;
        ComPtr<IPropertyBag> bag;
        if (SUCCEEDED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.AsOut()))) {
            VARIANT value;
            VariantInit(&value);
            value.vt = VT_BSTR;
            value.bstrVal = nullptr;  // a failed Read may leave it, and VariantClear would free it
            if (SUCCEEDED(bag->Read(L"FriendlyName", &value, nullptr)) && value.vt == VT_BSTR &&
                value.bstrVal) {
                names_[slot] = value.bstrVal;
                named_[slot] = true;
            }
            VariantClear(&value);
        }
        if (named_[slot]) monikers_[slot] = std::move(moniker);
    }
    return true;
}

IMoniker* CaptureDeviceList::Moniker(int slot) const {
    return slot >= 0 && slot < kMaxDevices ? monikers_[slot].Get() : nullptr;
}

const std::wstring& CaptureDeviceList::Name(int slot) const {
    static const std::wstring empty;
    return slot >= 0 && slot < kMaxDevices ? names_[slot] : empty;
}

bool CaptureDeviceList::HasName(int slot) const {
    return slot >= 0 && slot < kMaxDevices && named_[slot];
}

bool CaptureDeviceList::IsSame(int slot, IMoniker* moniker) const {
    IMoniker* mine = Moniker(slot);
    return mine && moniker && mine->IsEqual(moniker) == S_OK;
}

int CaptureDeviceList::Find(IMoniker* moniker) const {
    for (int i = 0; i < count_; ++i) {
        if (IsSame(i, moniker)) return i;
    }
    return -1;
}
