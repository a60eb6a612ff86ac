// ModalScript: the ready-made modal hook for tests. While it exists, message boxes and modal runs
// are answered from its queues and recorded:
//
//   fw::ModalScript script;                       // installed until the end of the scope
//   script.AnswerMessageBox(IDNO);                // next message box answers IDNO (default: first button)
//   script.OnNextDialog(135, [](CDialog& dlg) {   // next run of template 135 (0 or none: any)
//       dlg.SetDlgItemText(1023, _T("7"));
//       fw::PressButton(dlg, 1027);
//   });
//   script.AnswerFileDialog(_T("C:\\out.bmp"));   // next file dialog returns IDOK with this path
//   ... run the code under test ...
//   EXPECT_EQ(script.messageBoxes.at(0).text, CString(_T("...")));
//   EXPECT_EQ(script.dialogs.at(0).templateId, 135u);
//
// A dialog with no queued action is cancelled; a file or font dialog with none returns IDCANCEL.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "framework/ModalHook.h"

class CDialog;
class CPropertySheet;
class CFileDialog;
class CFontDialog;

namespace fw {

class ModalScript : public ModalHook {
  public:
    struct DialogRun {
        UINT templateId;  // 0 for a property sheet
        CString caption;  // window text after initialisation
        INT_PTR result;   // what DoModal returned (-1 while running)
    };
    struct FileDialogRun {
        BOOL open;
        CString defaultExt, initialName, filter;
        DWORD flags;
    };

    ModalScript();
    ~ModalScript() override;
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    void AnswerMessageBox(int button) { m_boxAnswers.push_back(button); }
    // Queues an action for the next dialog run, or for the next run of template `templateId`.
    // Runs reach the hook in the order they are initialised: a dialog opened inside another's
    // OnInitDialog (a splash screen) comes first, so name the template when dialogs nest.
    void OnNextDialog(std::function<void(CDialog&)> action) { OnNextDialog(0, std::move(action)); }
    void OnNextDialog(UINT templateId, std::function<void(CDialog&)> action) {
        m_dialogActions.push_back({templateId, std::move(action)});
    }
    void OnNextSheet(std::function<void(CPropertySheet&)> action) {
        m_sheetActions.push_back(std::move(action));
    }
    // An empty path answers IDCANCEL.
    void AnswerFileDialog(const CString& path) { m_fileAnswers.push_back(path); }
    void OnNextFontDialog(std::function<INT_PTR(CFontDialog&)> action) {
        m_fontActions.push_back(std::move(action));
    }

    std::vector<MessageBoxCall> messageBoxes;
    std::vector<DialogRun> dialogs;
    std::vector<FileDialogRun> fileDialogs;
    int fontDialogs = 0;

    int OnMessageBox(const MessageBoxCall& call) override;
    void OnDialog(CDialog& dialog) override;
    void OnPropertySheet(CPropertySheet& sheet) override;
    INT_PTR OnFileDialog(CFileDialog& dialog) override;
    INT_PTR OnFontDialog(CFontDialog& dialog) override;
    void OnModalEnded(CWnd& dialog, INT_PTR result) override;

  private:
    ModalHook* m_previous;
    std::deque<int> m_boxAnswers;
    struct DialogAction {
        UINT templateId;  // 0: any dialog
        std::function<void(CDialog&)> action;
    };
    std::deque<DialogAction> m_dialogActions;
    std::deque<std::function<void(CPropertySheet&)>> m_sheetActions;
    std::deque<CString> m_fileAnswers;
    std::deque<std::function<INT_PTR(CFontDialog&)>> m_fontActions;
    std::vector<size_t> m_open;  // indexes into dialogs of the runs still going, innermost last
};

// Processes the messages already waiting on this thread (posted messages, timers due).
void PumpMessages();

}  // namespace fw
