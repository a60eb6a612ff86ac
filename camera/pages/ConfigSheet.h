// CConfigSheet: the configuration sheet, carrying the basic configuration page; OK and Cancel only.
#pragma once

#include "camera/pages/BasicCfgPage.h"
#include "framework/PropertySheet.h"

class CConfigSheet : public CPropertySheet {
  public:
    // No parent window, page 0 selected. The page takes its values from CameraSettings now.
    CConfigSheet(LPCTSTR caption, PageHost& host);
    BOOL OnInitDialog() override { return CPropertySheet::OnInitDialog(); }

    CBasicCfgPage basicPage;
};
