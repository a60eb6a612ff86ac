#include "tests/support/ModalScript.h"

#include "framework/Dialog.h"
#include "framework/FileDialog.h"
#include "framework/FontDialog.h"
#include "framework/PropertySheet.h"

namespace fw {

ModalScript::ModalScript() : m_previous(SetModalHook(this)) {}

ModalScript::~ModalScript() {
    SetModalHook(m_previous);
}

int ModalScript::OnMessageBox(const MessageBoxCall& call) {
    messageBoxes.push_back(call);
    if (!m_boxAnswers.empty()) {
        int answer = m_boxAnswers.front();
        m_boxAnswers.pop_front();
        return answer;
    }
    switch (call.type & MB_TYPEMASK) {  // the first button of the box
        case MB_YESNO:
        case MB_YESNOCANCEL:
            return IDYES;
        case MB_RETRYCANCEL:
            return IDRETRY;
        case MB_ABORTRETRYIGNORE:
            return IDABORT;
        default:
            return IDOK;
    }
}

void ModalScript::OnDialog(CDialog& dialog) {
    CString caption;
    dialog.GetWindowText(caption);
    dialogs.push_back({dialog.GetTemplateId(), caption, -1});
    m_open.push_back(dialogs.size() - 1);
    for (auto it = m_dialogActions.begin(); it != m_dialogActions.end(); ++it) {
        if (it->templateId != 0 && it->templateId != dialog.GetTemplateId()) continue;
        auto action = std::move(it->action);
        m_dialogActions.erase(it);
        action(dialog);
        return;
    }
}

void ModalScript::OnPropertySheet(CPropertySheet& sheet) {
    CString caption;
    sheet.GetWindowText(caption);
    dialogs.push_back({0, caption, -1});
    m_open.push_back(dialogs.size() - 1);
    if (m_sheetActions.empty()) return;
    auto action = std::move(m_sheetActions.front());
    m_sheetActions.pop_front();
    action(sheet);
}

void ModalScript::OnModalEnded(CWnd&, INT_PTR result) {
    if (m_open.empty()) return;
    dialogs[m_open.back()].result = result;
    m_open.pop_back();
}

INT_PTR ModalScript::OnFileDialog(CFileDialog& dialog) {
    fileDialogs.push_back({dialog.IsOpenDialog(), dialog.GetDefaultExt(), dialog.GetInitialName(),
                           dialog.GetFilterText(), dialog.m_ofn.Flags});
    if (m_fileAnswers.empty()) return IDCANCEL;
    CString path = m_fileAnswers.front();
    m_fileAnswers.pop_front();
    if (path.IsEmpty()) return IDCANCEL;
    dialog.SetPathName(path);
    return IDOK;
}

INT_PTR ModalScript::OnFontDialog(CFontDialog& dialog) {
    ++fontDialogs;
    if (m_fontActions.empty()) return IDCANCEL;
    auto action = std::move(m_fontActions.front());
    m_fontActions.pop_front();
    return action(dialog);
}

void PumpMessages() {
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

}  // namespace fw
