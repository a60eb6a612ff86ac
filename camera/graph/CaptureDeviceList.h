// The capture devices of one category (video or audio input) as the Device menu lists them: at
// most kMaxDevices, each with its friendly name and a reference to its moniker. Devices whose
// name cannot be read take their slot without a name (they get no menu item).
#pragma once

#include <windows.h>

#include <string>

#include "framework/ComPtr.h"

struct IMoniker;

class CaptureDeviceList {
  public:
    static constexpr int kMaxDevices = 10;

    enum class Category { Video, Audio };

    CaptureDeviceList() = default;
    ~CaptureDeviceList();
    CaptureDeviceList(const CaptureDeviceList&) = delete;
    CaptureDeviceList& operator=(const CaptureDeviceList&) = delete;

    // Lists the devices of the category anew. False when the system device enumerator cannot be
    // created (the list stays empty).
    bool Enumerate(Category category);
    // Releases every moniker.
    void Clear();

    // Number of devices enumerated (slots used).
    int Count() const { return count_; }
    IMoniker* Moniker(int slot) const;
    const std::wstring& Name(int slot) const;
    bool HasName(int slot) const;
    // Slot of the device equal (IMoniker::IsEqual) to `moniker`, -1 when none.
    int Find(IMoniker* moniker) const;
    bool IsSame(int slot, IMoniker* moniker) const;

  private:
    int count_ = 0;
    ComPtr<IMoniker> monikers_[kMaxDevices];
    std::wstring names_[kMaxDevices];
    bool named_[kMaxDevices] = {};
};
