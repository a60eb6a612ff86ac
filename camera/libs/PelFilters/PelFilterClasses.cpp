#include "camera/libs/PelFilters/PelFilterClasses.h"

#include <cstdio>
#include <utility>

#include "camera/libs/PelFilters/PelOverlayFilter.h"
#include "camera/libs/PelFilters/PelReversalFilter.h"
#include "media/ClassObjectRegistration.h"

namespace pel {

HRESULT CreatePelOverlay(REFIID iid, void** out) {
    return media::CreateObject<PelOverlayFilter>(iid, out);
}

HRESULT CreatePelReversal(REFIID iid, void** out) {
    return media::CreateObject<PelReversalFilter>(iid, out);
}

PelFilterClasses::PelFilterClasses() = default;
PelFilterClasses::~PelFilterClasses() = default;
PelFilterClasses::PelFilterClasses(PelFilterClasses&& other) noexcept
    : overlay_(std::move(other.overlay_)),
      reversal_(std::move(other.reversal_)),
      result_(std::exchange(other.result_, E_UNEXPECTED)) {}

PelFilterClasses& PelFilterClasses::operator=(PelFilterClasses&& other) noexcept {
    if (this != &other) {
        overlay_ = std::move(other.overlay_);
        reversal_ = std::move(other.reversal_);
        result_ = std::exchange(other.result_, E_UNEXPECTED);
    }
    return *this;
}

void PelFilterClasses::Revoke() {
    overlay_.reset();
    reversal_.reset();
    result_ = E_UNEXPECTED;
}

PelFilterClasses RegisterPelFilters() {
    PelFilterClasses classes;
    auto overlay = std::make_unique<media::ClassObjectRegistration>();
    auto reversal = std::make_unique<media::ClassObjectRegistration>();
    HRESULT hr = overlay->Register(CLSID_PelOverlay, &CreatePelOverlay);
    if (SUCCEEDED(hr)) hr = reversal->Register(CLSID_PelReversal, &CreatePelReversal);
    if (FAILED(hr)) {
        char line[96];
        std::snprintf(line, sizeof line, "Pel filters: class registration failed, hr=0x%08lX\n",
                      static_cast<unsigned long>(hr));
        OutputDebugStringA(line);
        classes.result_ = hr;
        return classes;  // the registrations made so far are revoked on the way out
    }
    classes.overlay_ = std::move(overlay);
    classes.reversal_ = std::move(reversal);
    classes.result_ = S_OK;
    return classes;
}

}  // namespace pel
