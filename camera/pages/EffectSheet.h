// CEffectSheet: the effects sheet, carrying the effects page; OK and Cancel only.
#pragma once

#include "camera/pages/BasicEftPage.h"
#include "framework/PropertySheet.h"

class CEffectSheet : public CPropertySheet {
  public:
    // No parent window, page 0 selected. The page takes its values from CameraSettings now.
    CEffectSheet(LPCTSTR caption, PageHost& host);
    BOOL OnInitDialog() override { return CPropertySheet::OnInitDialog(); }

    CBasicEftPage effectsPage;
};
