#include "camera/pages/BasicEftPage.h"

#include <cstring>

#include "camera/libs/PelUtility/PelLang.h"
#include "camera/libs/PelUtility/ZelParser.h"
#include "camera/pages/EffectsFolder.h"
#include "camera/pages/PageIds.h"
#include "camera/settings/CameraSettings.h"
#include "camera/settings/SettingsStore.h"
#include "framework/DataExchange.h"
#include "framework/FontDialog.h"

namespace {
constexpr int kMosaicMax = 24;
constexpr int kMosaicPage = 4;
}  // namespace

BEGIN_MESSAGE_MAP(CBasicEftPage, CPropertyPage)
ON_CBN_SELCHANGE(IDC_FRAME_LIST, &CBasicEftPage::OnFrameChanged)
ON_BN_CLICKED(IDC_CHOOSE_FONT, &CBasicEftPage::OnChooseFont)
ON_BN_CLICKED(IDC_APPLY_TEXT, &CBasicEftPage::OnApplyText)
ON_WM_VSCROLL()
END_MESSAGE_MAP()

CBasicEftPage::CBasicEftPage(PageHost& host)
    : CPropertyPage(IDD_BASIC_EFFECT),
      text_(CameraSettings.textContent.c_str()),
      frameName_(CameraSettings.photoFrame.c_str()),
      mosaic_(CameraSettings.mosaicWidth),
      charFormat_(CameraSettings.charFormat),
      host_(host) {
    title_ = CPelLang::GetInstance()->GetLangAttrib(IDD_BASIC_EFFECT, L"Title").c_str();
    if (!title_.IsEmpty()) {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = title_.GetString();
    }
    CameraSettings.effectsPageOpen = 1;
}

CBasicEftPage::~CBasicEftPage() {
    CameraSettings.effectsPageOpen = 0;
}

void CBasicEftPage::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_FRAME_LIST, frameList_);
    DDX_Control(dx, IDC_TEXT_BOX, textBox_);
    DDX_Control(dx, IDC_MOSAIC_SLIDER, mosaicSlider_);
    DDX_Text(dx, IDC_TEXT_BOX, text_);
}

BOOL CBasicEftPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();  // the no-frame item from the template, the text
    CPelLang& lang = *CPelLang::GetInstance();
    lang.SetDialogStrings(m_hWnd, IDD_BASIC_EFFECT);
    const std::wstring noFrame = lang.GetLangString(L"ID_313", L"NoPhotoFrame");
    if (!noFrame.empty()) {
        frameList_.ResetContent();
        frameList_.AddString(noFrame.c_str());
    }
    FillFrameList();

    if (charFormat_.szFaceName[0] != 0) {
        textBox_.SetDefaultCharFormat(charFormat_);
    } else {
        textBox_.GetDefaultCharFormat(charFormat_);
    }

    mosaicSlider_.SetRange(0, kMosaicMax);
    mosaicSlider_.SetPageSize(kMosaicPage);
    mosaicSlider_.SetPos(mosaic_);

    UpdateData(FALSE);  // the text again, now in the chosen format
    return TRUE;
}

void CBasicEftPage::FillFrameList() {
    for (const std::wstring& name : ListPhotoFrames(host_.ProgramFolder()))
        frameList_.AddString(name.c_str());
    // Exact, case-sensitive match (the combo box's own search ignores case).
    int selected = -1;
    for (int i = 0; i < frameList_.GetCount() && selected < 0; ++i) {
        CString item;
        frameList_.GetLBText(i, item);
        if (item == frameName_) selected = i;
    }
    if (selected >= 0) frameList_.SetCurSel(selected);
    if (frameList_.GetCurSel() < 0) {
        frameList_.SetCurSel(0);
        frameName_.Empty();
    }
}

void CBasicEftPage::OnFrameChanged() {
    const int selected = frameList_.GetCurSel();
    if (selected <= 0) {
        frameName_.Empty();
    } else {
        frameList_.GetLBText(selected, frameName_);
    }
    host_.ApplyPhotoFrame(frameName_.Str());
}

void CBasicEftPage::OnChooseFont() {
    CharFormatRecord current;
    std::memset(&current, 0, sizeof current);
    textBox_.GetDefaultCharFormat(current);
    // With the effects shown the dialog offers colour, underline and strike-out, and gives them back.
    CFontDialog dialog(current, CF_SCREENFONTS | CF_EFFECTS, nullptr, this);
    if (dialog.DoModal() == IDCANCEL) return;
    CharFormatRecord chosen;
    std::memset(&chosen, 0, sizeof chosen);
    dialog.GetCharFormat(chosen);
    if (std::memcmp(&chosen, &current, sizeof chosen) == 0) return;
    textBox_.SetDefaultCharFormat(chosen);
    charFormat_ = chosen;
}

void CBasicEftPage::OnApplyText() {
    UpdateData(TRUE);
    host_.ApplyTextOverlay(text_.Str(), charFormat_);
}

void CBasicEftPage::OnVScroll(UINT code, UINT pos, CWnd* bar) {
    if (bar && bar->m_hWnd && bar->m_hWnd == mosaicSlider_.m_hWnd) {
        const int position = mosaicSlider_.GetPos();
        if (position != mosaic_) {
            mosaic_ = position;
            host_.ApplyReversal(CameraSettings.reversalV, CameraSettings.reversalH, mosaic_);
        }
    }
    CPropertyPage::OnVScroll(code, pos, bar);
}

void CBasicEftPage::OnOK() {
    UpdateData(TRUE);
    CameraSettings.mosaicWidth = mosaic_;
    CameraSettings.textContent = text_.Str();
    CameraSettings.photoFrame = frameName_.Str();
    CameraSettings.charFormat = charFormat_;

    if (CZelParser* document = host_.SettingsDocument(); document && EnterSettingRoot(*document)) {
        document->SetFirstData(L"CharFormat", EncodeCharFormat(CameraSettings.charFormat).c_str());
        document->SetFirstData(L"TextContent", CameraSettings.textContent.c_str());
        document->SetFirstData(L"PhotoFrame", CameraSettings.photoFrame.c_str());
        document->SetFirstData(L"MosaicWidth", CameraSettings.mosaicWidth);
    }
    host_.ApplyTextOverlay(text_.Str(), charFormat_);
    CPropertyPage::OnOK();
}

void CBasicEftPage::OnCancel() {
    host_.ApplyReversal(CameraSettings.reversalV, CameraSettings.reversalH, CameraSettings.mosaicWidth);
    host_.ApplyPhotoFrame(CameraSettings.photoFrame);
    host_.ApplyTextOverlay(CameraSettings.textContent, CameraSettings.charFormat);
    CPropertyPage::OnCancel();
}
