// Makes "Pel Overlay" and "Pel Reversal" creatable by class id (CoCreateInstance with
// CLSCTX_INPROC_SERVER) inside this process, in the calling thread's apartment:
//
//     pel::PelFilterClasses classes = pel::RegisterPelFilters();   // after CoInitialize
//     if (FAILED(classes.Result())) ...
//     ... CoCreateInstance(CLSID_PelOverlay, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, ...)
//
// The class objects stay registered as long as the owner lives (revoke before CoUninitialize).
#pragma once

#include <memory>

#include "media/DShow.h"

namespace media {
class ClassObjectRegistration;
}

namespace pel {

class PelFilterClasses {
  public:
    PelFilterClasses();
    ~PelFilterClasses();
    PelFilterClasses(PelFilterClasses&&) noexcept;
    PelFilterClasses& operator=(PelFilterClasses&&) noexcept;
    PelFilterClasses(const PelFilterClasses&) = delete;
    PelFilterClasses& operator=(const PelFilterClasses&) = delete;

    // S_OK when both classes are registered; otherwise the failure, and neither is.
    HRESULT Result() const { return result_; }
    bool Registered() const { return SUCCEEDED(result_); }
    // Takes both class objects back (the destructor does the same).
    void Revoke();

  private:
    friend PelFilterClasses RegisterPelFilters();

    std::unique_ptr<media::ClassObjectRegistration> overlay_, reversal_;
    HRESULT result_ = E_UNEXPECTED;
};

PelFilterClasses RegisterPelFilters();

// Creates a filter directly (what the class objects do), handing out the interface iid.
HRESULT CreatePelOverlay(REFIID iid, void** out);
HRESULT CreatePelReversal(REFIID iid, void** out);

}  // namespace pel
