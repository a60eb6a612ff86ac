// IKsPropertySet answers of a capture pin: the pin category property (AMPROPSETID_Pin) only.
#pragma once

#include "media/DShow.h"

namespace testcam {

HRESULT GetPinCategory(REFGUID set, DWORD id, void* data, DWORD dataSize, DWORD* returned,
                       const GUID& category);
HRESULT QueryPinCategorySupport(REFGUID set, DWORD id, DWORD* support);

}  // namespace testcam
