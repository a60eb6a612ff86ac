#include "media/ClassObjectRegistration.h"

#include "framework/ComPtr.h"

namespace media {

HRESULT ClassObjectRegistration::Register(const CLSID& clsid, CreateInstanceFn create) {
    Revoke();
    auto factory = ComPtr<IClassFactory>::Adopt(new (std::nothrow) ClassFactory(create));
    if (!factory) return E_OUTOFMEMORY;
    const HRESULT hr =
        CoRegisterClassObject(clsid, factory.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_);
    if (FAILED(hr)) {
        cookie_ = 0;
        OutputDebugStringW(L"media: CoRegisterClassObject failed\n");
    }
    return hr;
}

void ClassObjectRegistration::Revoke() {
    if (cookie_) CoRevokeClassObject(cookie_);
    cookie_ = 0;
}

}  // namespace media
