#include "framework/Framework.h"
#include "tests/support/ModalScript.h"
#include "tests/framework/TestIds.h"

#include <gtest/gtest.h>

namespace {

class CSettingsDlg : public CDialog {
  public:
    CSettingsDlg() : CDialog(IDD_SETTINGS) {}

    CString m_strName = _T("alpha");
    int m_nSeconds = 5;
    int m_bEnabled = 1;
    int m_nRadio = 1;
    int m_nChoice = 2;
    CComboBox m_choice;
    int browseClicks = 0;

    BOOL OnInitDialog() override {
        // The list must be filled before the members are shown in it.
        ::SendDlgItemMessage(m_hWnd, IDC_CHOICE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(_T("zero")));
        ::SendDlgItemMessage(m_hWnd, IDC_CHOICE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(_T("one")));
        ::SendDlgItemMessage(m_hWnd, IDC_CHOICE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(_T("two")));
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, IDC_CHOICE, m_choice);
        DDX_Text(dx, IDC_NAME, m_strName);
        DDX_Text(dx, IDC_SECONDS, m_nSeconds);
        DDV_MinMaxInt(dx, m_nSeconds, 1, 3600);
        DDX_Check(dx, IDC_ENABLED, m_bEnabled);
        DDX_Radio(dx, IDC_RADIO_A, m_nRadio);
        DDX_CBIndex(dx, IDC_CHOICE, m_nChoice);
    }
    afx_msg void OnBrowse() { ++browseClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSettingsDlg, CDialog)
ON_BN_CLICKED(IDC_BROWSE, &CSettingsDlg::OnBrowse)
END_MESSAGE_MAP()

CString ItemText(CWnd& dlg, int id) {
    CString text;
    dlg.GetDlgItemText(id, text);
    return text;
}

TEST(Dialog, ModalRunShowsMembersAndOkReadsControlsBack) {
    fw::ModalScript script;
    CSettingsDlg dlg;
    script.OnNextDialog([](CDialog& d) {
        auto& s = static_cast<CSettingsDlg&>(d);
        // What the user sees after initialisation.
        EXPECT_EQ(ItemText(s, IDC_NAME), CString(_T("alpha")));
        EXPECT_EQ(ItemText(s, IDC_SECONDS), CString(_T("5")));
        EXPECT_EQ(s.IsDlgButtonChecked(IDC_ENABLED), BST_CHECKED);
        EXPECT_EQ(s.IsDlgButtonChecked(IDC_RADIO_A), BST_UNCHECKED);
        EXPECT_EQ(s.IsDlgButtonChecked(IDC_RADIO_B), BST_CHECKED);
        EXPECT_EQ(s.m_choice.GetCurSel(), 2);  // bound through DDX_Control
        // The user edits every control, clicks Browse, then OK.
        s.SetDlgItemText(IDC_NAME, _T("beta"));
        s.SetDlgItemText(IDC_SECONDS, _T(" 3600 "));
        s.CheckDlgButton(IDC_ENABLED, BST_UNCHECKED);
        s.CheckRadioButton(IDC_RADIO_A, IDC_RADIO_C, IDC_RADIO_C);
        s.m_choice.SetCurSel(0);
        fw::PressButton(s, IDC_BROWSE);
        fw::PressButton(s, IDOK);
        EXPECT_TRUE(s.IsEnded());
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strName, CString(_T("beta")));
    EXPECT_EQ(dlg.m_nSeconds, 3600);
    EXPECT_EQ(dlg.m_bEnabled, 0);
    EXPECT_EQ(dlg.m_nRadio, 2);
    EXPECT_EQ(dlg.m_nChoice, 0);
    EXPECT_EQ(dlg.browseClicks, 1);
    EXPECT_EQ(dlg.m_hWnd, nullptr);  // the window is gone after the run
    ASSERT_EQ(script.dialogs.size(), 1u);
    EXPECT_EQ(script.dialogs[0].templateId, static_cast<UINT>(IDD_SETTINGS));
    EXPECT_EQ(script.dialogs[0].caption, CString(_T("Settings")));
    EXPECT_EQ(script.dialogs[0].result, IDOK);
    EXPECT_TRUE(script.messageBoxes.empty());
}

TEST(Dialog, OutOfRangeOrNonNumericValueIsRefusedAndNothingIsStored) {
    fw::ModalScript script;
    CSettingsDlg dlg;
    script.OnNextDialog([&script](CDialog& d) {
        d.SetDlgItemText(IDC_NAME, _T("edited"));  // exchanged before the failing field
        const TCHAR* bad[] = {_T("0"), _T("3601"), _T("12x"), _T("")};
        for (const TCHAR* text : bad) {
            d.SetDlgItemText(IDC_SECONDS, text);
            fw::PressButton(d, IDOK);
            EXPECT_FALSE(static_cast<CSettingsDlg&>(d).IsEnded()) << text;
            // The focus stays on the field that failed.
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(d.m_hWnd, IDC_SECONDS)) << text;
        }
        EXPECT_EQ(static_cast<CSettingsDlg&>(d).m_strName, CString(_T("alpha")));
        EXPECT_EQ(static_cast<CSettingsDlg&>(d).m_nSeconds, 5);
        fw::PressButton(d, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_nSeconds, 5);
    EXPECT_EQ(dlg.m_strName, CString(_T("alpha")));
    ASSERT_EQ(script.messageBoxes.size(), 4u);
    EXPECT_EQ(script.messageBoxes[0].text, CString(_T("Please enter an integer between 1 and 3600.")));
    EXPECT_EQ(script.messageBoxes[1].text, CString(_T("Please enter an integer between 1 and 3600.")));
    EXPECT_EQ(script.messageBoxes[2].text, CString(_T("Please enter an integer.")));
    EXPECT_EQ(script.messageBoxes[3].text, CString(_T("Please enter an integer.")));
    EXPECT_EQ(script.messageBoxes[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
}

TEST(Dialog, RadioGroupAndComboWithNothingChosenReadAsMinusOne) {
    fw::ModalScript script;
    CSettingsDlg dlg;
    dlg.m_nRadio = -1;
    dlg.m_nChoice = -1;
    script.OnNextDialog([](CDialog& d) {
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_RADIO_A) + d.IsDlgButtonChecked(IDC_RADIO_B) +
                      d.IsDlgButtonChecked(IDC_RADIO_C),
                  0u);
        EXPECT_EQ(d.SendDlgItemMessage(IDC_CHOICE, CB_GETCURSEL), CB_ERR);
        EXPECT_TRUE(d.UpdateData(TRUE));
        auto& s = static_cast<CSettingsDlg&>(d);
        EXPECT_EQ(s.m_nRadio, -1);
        EXPECT_EQ(s.m_nChoice, -1);
        d.CheckRadioButton(IDC_RADIO_A, IDC_RADIO_C, IDC_RADIO_A);
        fw::PressButton(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nRadio, 0);
}

TEST(Dialog, DialogLeftOpenByTheScriptIsCancelledAndInitCanEndTheRun) {
    fw::ModalScript script;
    CSettingsDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);  // no action queued: the run is cancelled

    class CEndsAtOnce : public CDialog {
      public:
        CEndsAtOnce() : CDialog(IDD_SETTINGS) {}
        BOOL OnInitDialog() override {
            CDialog::OnInitDialog();
            EndDialog(IDABORT);
            return TRUE;
        }
    } quits;
    EXPECT_EQ(quits.DoModal(), IDABORT);
    ASSERT_EQ(script.dialogs.size(), 1u);  // the second one never reached the hook
}

// A dialog that opens another one while it initialises, as a main window opens its splash screen.
class COuterDlg : public CDialog {
  public:
    COuterDlg() : CDialog(IDD_SETTINGS) {}
    INT_PTR innerResult = 0;
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        CDialog inner(IDD_SPLASH, this);
        innerResult = inner.DoModal();
        return TRUE;
    }
};

TEST(Dialog, ActionsFindTheirTemplateWhenDialogsNestAndDisabledButtonsCannotBePressed) {
    fw::ModalScript script;
    script.OnNextDialog(IDD_SETTINGS, [](CDialog& d) {
        d.GetDlgItem(IDC_BROWSE)->EnableWindow(FALSE);
        EXPECT_FALSE(fw::PressButton(d, IDC_BROWSE));
        EXPECT_TRUE(fw::PressButton(d, IDOK));
    });
    script.OnNextDialog(IDD_SPLASH, [](CDialog& d) { fw::PressButton(d, IDOK); });
    COuterDlg outer;
    EXPECT_EQ(outer.DoModal(), IDOK);
    EXPECT_EQ(outer.innerResult, IDOK);
    ASSERT_EQ(script.dialogs.size(), 2u);
    EXPECT_EQ(script.dialogs[0].templateId, static_cast<UINT>(IDD_SPLASH));  // initialised first
    EXPECT_EQ(script.dialogs[0].result, IDOK);
    EXPECT_EQ(script.dialogs[1].templateId, static_cast<UINT>(IDD_SETTINGS));
    EXPECT_EQ(script.dialogs[1].result, IDOK);
}

// Reads its controls on every change of the text, as a dialog that validates while typing does.
class CValidatingDlg : public CSettingsDlg {
  public:
    int changes = 0;
    afx_msg void OnTextChanged() {
        ++changes;
        UpdateData(TRUE);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CValidatingDlg, CSettingsDlg)
ON_EN_CHANGE(IDC_SECONDS, &CValidatingDlg::OnTextChanged)
END_MESSAGE_MAP()

TEST(Dialog, ReadingWhileTheMembersAreShownKeepsThemAndTypingValidatesAtOnce) {
    fw::ModalScript script;
    CValidatingDlg dlg;
    dlg.m_strName = _T("kept");
    script.OnNextDialog([&script](CDialog& d) {
        auto& v = static_cast<CValidatingDlg&>(d);
        // Filling the seconds field during initialisation sent a change; the controls shown after
        // it were not read back while still blank.
        EXPECT_GE(v.changes, 1);
        EXPECT_EQ(v.m_bEnabled, 1);
        EXPECT_EQ(v.m_nRadio, 1);
        EXPECT_EQ(v.m_nChoice, 2);
        EXPECT_EQ(v.IsDlgButtonChecked(IDC_ENABLED), BST_CHECKED);
        EXPECT_TRUE(script.messageBoxes.empty());
        v.SetDlgItemText(IDC_SECONDS, _T(""));  // clearing the field complains at once
        ASSERT_EQ(script.messageBoxes.size(), 1u);
        EXPECT_EQ(v.m_nSeconds, 5);
        v.SetDlgItemText(IDC_SECONDS, _T("60"));
        EXPECT_EQ(v.m_nSeconds, 60);
        fw::PressButton(v, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strName, CString(_T("kept")));
    EXPECT_EQ(dlg.m_nSeconds, 60);
}

}  // namespace
