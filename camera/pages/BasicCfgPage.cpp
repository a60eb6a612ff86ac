#include "camera/pages/BasicCfgPage.h"

#include "camera/libs/PelUtility/FolderDialog.h"
#include "camera/libs/PelUtility/PelLang.h"
#include "camera/libs/PelUtility/ZelParser.h"
#include "camera/pages/PageIds.h"
#include "camera/settings/CameraSettings.h"
#include "camera/settings/SettingsStore.h"
#include "framework/DataExchange.h"

namespace {
constexpr UINT kFolderChooserFlags = 0x41;  // file-system folders only, new dialog style
}

BEGIN_MESSAGE_MAP(CBasicCfgPage, CPropertyPage)
ON_BN_CLICKED(IDC_CHOOSE_FOLDER, &CBasicCfgPage::OnChooseFolder)
ON_BN_CLICKED(IDC_REVERSAL_H, &CBasicCfgPage::OnReversalH)
ON_BN_CLICKED(IDC_REVERSAL_V, &CBasicCfgPage::OnReversalV)
ON_CONTROL_RANGE(BN_CLICKED, IDC_FREQUENCY_50, IDC_FREQUENCY_60, &CBasicCfgPage::OnFrequency)
ON_CONTROL_RANGE(BN_CLICKED, IDC_ZOOM_1X, IDC_ZOOM_4X, &CBasicCfgPage::OnZoom)
END_MESSAGE_MAP()

CBasicCfgPage::CBasicCfgPage(PageHost& host)
    : CPropertyPage(IDD_BASIC_CONFIG),
      displaySize_(CameraSettings.displaySize),
      photoSize_(CameraSettings.photoSize),
      albumFolder_(CameraSettings.albumFolder.c_str()),
      frequency_(CameraSettings.frequency),
      zoom_(CameraSettings.zoomOut),
      reversalH_(CameraSettings.reversalH),
      reversalV_(CameraSettings.reversalV),
      host_(host) {
    title_ = CPelLang::GetInstance()->GetLangAttrib(IDD_BASIC_CONFIG, L"Title").c_str();
    if (!title_.IsEmpty()) {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = title_.GetString();
    }
}

void CBasicCfgPage::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    DDX_CBIndex(dx, IDC_DISPLAY_SIZE, displaySize_);
    DDX_CBIndex(dx, IDC_PHOTO_SIZE, photoSize_);
    DDX_Text(dx, IDC_ALBUM_FOLDER, albumFolder_);
    DDX_Control(dx, IDC_REVERSAL_H, reversalHBox_);
    DDX_Control(dx, IDC_REVERSAL_V, reversalVBox_);
    DDX_Radio(dx, IDC_FREQUENCY_50, frequency_);
    DDX_Radio(dx, IDC_ZOOM_1X, zoom_);
}

BOOL CBasicCfgPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();  // the size lists from the template, then the members
    CPelLang::GetInstance()->SetDialogStrings(m_hWnd, IDD_BASIC_CONFIG);
    reversalHBox_.SetCheck(CameraSettings.reversalH != 0 ? BST_CHECKED : BST_UNCHECKED);
    reversalVBox_.SetCheck(CameraSettings.reversalV != 0 ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CBasicCfgPage::OnChooseFolder() {
    CFolderDialog chooser(albumFolder_.GetString(), kFolderChooserFlags, m_hWnd);
    if (chooser.DoModal() != IDOK) return;
    const std::wstring path = chooser.GetPathName();
    // The chooser gives folders without the trailing backslash: the folder already shown comes
    // back different only by that, and is left as it is.
    if (path == albumFolder_.Str()) return;
    std::wstring folder = path;
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    if (folder == albumFolder_.Str()) return;
    albumFolder_ = folder.c_str();
    SetDlgItemText(IDC_ALBUM_FOLDER, albumFolder_);
}

void CBasicCfgPage::OnReversalH() {
    reversalH_ = reversalHBox_.GetCheck() == BST_CHECKED ? 1 : 0;
    host_.ApplyReversal(reversalV_, reversalH_, CameraSettings.mosaicWidth);
}

void CBasicCfgPage::OnReversalV() {
    reversalV_ = reversalVBox_.GetCheck() == BST_CHECKED ? 1 : 0;
    host_.ApplyReversal(reversalV_, reversalH_, CameraSettings.mosaicWidth);
}

void CBasicCfgPage::OnFrequency(UINT) {
    if (!UpdateData(TRUE)) return;
    host_.ApplyPowerLineFrequency(frequency_);
}

void CBasicCfgPage::OnZoom(UINT) {
    if (!UpdateData(TRUE)) return;
    host_.ApplyZoom(zoom_);
}

void CBasicCfgPage::OnOK() {
    UpdateData(TRUE);
    CameraSettings.frequency = frequency_;
    CameraSettings.zoomOut = zoom_;
    CameraSettings.reversalV = reversalV_;
    CameraSettings.reversalH = reversalH_;

    if (CZelParser* document = host_.SettingsDocument(); document && EnterSettingRoot(*document)) {
        document->SetFirstData(L"FoldPath", albumFolder_.GetString());
        document->SetFirstData(L"PhotoSize", photoSize_);
        document->SetFirstData(L"DisplaySize", displaySize_);
        document->SetFirstData(L"ReversalH", CameraSettings.reversalH);
        document->SetFirstData(L"ReversalV", CameraSettings.reversalV);
        document->SetFirstData(L"Frequency", CameraSettings.frequency);
        document->SetFirstData(L"ZoomOut", CameraSettings.zoomOut);
    }

    if (albumFolder_.Str() != CameraSettings.albumFolder) CameraSettings.albumFolder = albumFolder_.Str();
    if (displaySize_ != CameraSettings.displaySize) {
        CameraSettings.displaySize = displaySize_;
        host_.ResizeToDisplaySize();
    }
    if (photoSize_ != CameraSettings.photoSize) {
        CameraSettings.photoSize = photoSize_;
        host_.PreparePhotoBuffer();
    }
    CPropertyPage::OnOK();
}

void CBasicCfgPage::OnCancel() {
    host_.ApplyReversal(CameraSettings.reversalV, CameraSettings.reversalH, CameraSettings.mosaicWidth);
    host_.ApplyZoom(CameraSettings.zoomOut);
    CPropertyPage::OnCancel();
}
