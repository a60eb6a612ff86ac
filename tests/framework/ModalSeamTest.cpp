#include "framework/Framework.h"
#include "tests/support/ModalScript.h"
#include "tests/framework/TestIds.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(ModalSeam, MessageBoxesAreAnsweredAndRecorded) {
    fw::ModalScript script;
    script.AnswerMessageBox(IDNO);
    EXPECT_EQ(AfxMessageBox(_T("Delete it?"), MB_YESNO | MB_ICONQUESTION), IDNO);
    // Without a queued answer the first button is pressed.
    EXPECT_EQ(AfxMessageBox(_T("Retry?"), MB_RETRYCANCEL), IDRETRY);

    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, _T("owner"), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(owner.MessageBox(_T("Not found video capture device!"), _T("Halmere"),
                               MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL),
              IDOK);
    owner.DestroyWindow();

    ASSERT_EQ(script.messageBoxes.size(), 3u);
    EXPECT_EQ(script.messageBoxes[0].text, CString(_T("Delete it?")));
    EXPECT_EQ(script.messageBoxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    // Without a program app object the stand-in's title is the module name.
    EXPECT_EQ(script.messageBoxes[0].caption.Left(15), CString(_T("framework_test_")));
    ASSERT_NE(AfxGetApp(), nullptr);
    EXPECT_EQ(AfxGetApp()->m_hInstance, ::GetModuleHandle(nullptr));
    EXPECT_EQ(fw::ProgramApp(), nullptr);
    EXPECT_EQ(script.messageBoxes[2].caption, CString(_T("Halmere")));
    EXPECT_EQ(script.messageBoxes[2].type, 0x2030u);
    EXPECT_NE(script.messageBoxes[2].owner, nullptr);
}

TEST(ModalSeam, HooksNestAndTheOuterOneComesBack) {
    fw::ModalScript outer;
    {
        fw::ModalScript inner;
        AfxMessageBox(_T("inner"));
        EXPECT_EQ(inner.messageBoxes.size(), 1u);
    }
    AfxMessageBox(_T("outer"));
    ASSERT_EQ(outer.messageBoxes.size(), 1u);
    EXPECT_EQ(outer.messageBoxes[0].text, CString(_T("outer")));
}

TEST(ModalSeam, SaveDialogGetsFilterExtensionFlagsAndGivesThePath) {
    fw::ModalScript script;
    script.AnswerFileDialog(_T("C:\\shots\\TimerCap.bmp"));
    CFileDialog dlg(FALSE, _T("*.bmp"), _T("TimerCap"), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    _T("BMP Files (*.bmp)|*.bmp|"));
    // What the real dialog would get: a double-zero-ended filter and a bare default extension.
    const TCHAR expected[] = _T("BMP Files (*.bmp)\0*.bmp\0");
    EXPECT_EQ(std::memcmp(dlg.m_ofn.lpstrFilter, expected, sizeof expected), 0);
    EXPECT_EQ(CString(dlg.m_ofn.lpstrDefExt), CString(_T("bmp")));
    EXPECT_EQ(CString(dlg.m_ofn.lpstrFile), CString(_T("TimerCap")));
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPathName(), CString(_T("C:\\shots\\TimerCap.bmp")));
    EXPECT_EQ(dlg.GetFileName(), CString(_T("TimerCap.bmp")));
    EXPECT_EQ(dlg.GetFileExt(), CString(_T("bmp")));
    EXPECT_EQ(dlg.GetFileTitle(), CString(_T("TimerCap")));
    ASSERT_EQ(script.fileDialogs.size(), 1u);
    EXPECT_FALSE(script.fileDialogs[0].open);
    EXPECT_EQ(script.fileDialogs[0].filter, CString(_T("BMP Files (*.bmp)|*.bmp|")));
    EXPECT_EQ(script.fileDialogs[0].defaultExt, CString(_T("*.bmp")));
    EXPECT_EQ(script.fileDialogs[0].flags & (OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT),
              static_cast<DWORD>(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));

    CFileDialog cancelled(FALSE, _T("avi"), nullptr, 0, _T("AVI Files (*.avi)|*.avi|"));
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
}

TEST(ModalSeam, FontDialogGivesBackTheSameFormatUnchangedAndTheChoiceWhenChanged) {
#ifdef UNICODE
    static_assert(sizeof(CHARFORMATW) == 92, "the stored character format is 92 bytes");
#endif
    CHARFORMAT start = {};
    start.cbSize = sizeof start;
    start.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_CHARSET | CFM_COLOR;
    start.yHeight = 240;  // 12 pt
    start.crTextColor = RGB(255, 0, 0);
    start.bCharSet = DEFAULT_CHARSET;
    lstrcpy(start.szFaceName, _T("Arial"));

    fw::ModalScript script;
    script.OnNextFontDialog([](CFontDialog& dlg) {
        EXPECT_EQ(dlg.GetFaceName(), CString(_T("Arial")));
        EXPECT_EQ(dlg.GetSize(), 120);
        EXPECT_EQ(dlg.m_cf.Flags & CF_SCREENFONTS, static_cast<DWORD>(CF_SCREENFONTS));
        return IDOK;
    });
    script.OnNextFontDialog([](CFontDialog& dlg) {
        lstrcpy(dlg.m_lf.lfFaceName, _T("Tahoma"));
        dlg.m_lf.lfWeight = FW_BOLD;
        dlg.m_cf.iPointSize = 200;
        return IDOK;
    });

    CFontDialog same(start, CF_SCREENFONTS);
    ASSERT_EQ(same.DoModal(), IDOK);
    CHARFORMAT unchanged;
    same.GetCharFormat(unchanged);
    EXPECT_EQ(std::memcmp(&unchanged, &start, sizeof start), 0);

    CFontDialog changed(start, CF_SCREENFONTS);
    ASSERT_EQ(changed.DoModal(), IDOK);
    CHARFORMAT chosen;
    changed.GetCharFormat(chosen);
    EXPECT_EQ(CString(chosen.szFaceName), CString(_T("Tahoma")));
    EXPECT_EQ(chosen.yHeight, 400);
    EXPECT_NE(chosen.dwEffects & CFE_BOLD, 0u);
    EXPECT_EQ(chosen.crTextColor, RGB(255, 0, 0));  // colour is not the screen-font dialog's to change

    CFontDialog cancelled(start);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(script.fontDialogs, 3);
}

}  // namespace
