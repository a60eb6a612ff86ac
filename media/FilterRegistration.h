// Registration of our filters: the COM server keys (CLSID\{clsid}\InprocServer32) and the entry in
// a filter category through IFilterMapper2, which is what the system device enumerator lists.
#pragma once

#include "media/DShow.h"

namespace media {

struct FilterDescription {
    const CLSID* clsid;
    const wchar_t* name;   // also the friendly name in the category
    const GUID* category;  // e.g. CLSID_VideoInputDeviceCategory; null = the legacy filter category
    DWORD merit;
    bool hasInput;
    bool hasOutput;
    const GUID* majorType;  // of every pin
    const GUID* subType;
    const GUID* outputPinCategory;  // e.g. PIN_CATEGORY_CAPTURE, or null
    // A DWORD value written into the category entry beside FriendlyName (e.g. WaveInId), or null.
    const wchar_t* entryValueName = nullptr;
    LONG entryValue = 0;
};

// Writes CLSID\{clsid} (name) and its InprocServer32 (module path, threading model Both).
HRESULT RegisterComServer(HMODULE module, const CLSID& clsid, const wchar_t* name);
// Removes CLSID\{clsid} with everything under it.
HRESULT UnregisterComServer(const CLSID& clsid);
// Adds the filter to its category (the COM server keys must exist for binding to work).
// COM must be initialised on the calling thread.
HRESULT RegisterInCategory(const FilterDescription& filter);
HRESULT UnregisterFromCategory(const FilterDescription& filter);
// Both of the above for a DLL: DllRegisterServer / DllUnregisterServer bodies.
HRESULT RegisterFilters(HMODULE module, const FilterDescription* filters, size_t count);
HRESULT UnregisterFilters(const FilterDescription* filters, size_t count);

}  // namespace media
