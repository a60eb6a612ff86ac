#include "camera/pages/SheetRun.h"

#include <string>

#include "camera/libs/PelUtility/PelLang.h"
#include "camera/pages/ConfigSheet.h"
#include "camera/pages/EffectSheet.h"

namespace {

std::wstring SheetCaption(UINT command, const wchar_t* fallback) {
    std::wstring caption = CPelLang::GetInstance()->GetLangString(L"MainMenu", static_cast<int>(command));
    return caption.empty() ? std::wstring(fallback) : caption;
}

template <typename Sheet>
INT_PTR RunSheet(PageHost& host, const std::wstring& caption) {
    Sheet sheet(caption.c_str(), host);
    return sheet.DoModal() == IDOK ? IDOK : IDCANCEL;
}

}  // namespace

INT_PTR RunSheetCommand(UINT command, PageHost& host, const std::function<void()>& saveAfterOk) {
    const INT_PTR result = command == kEffectsCommand
                               ? RunSheet<CEffectSheet>(host, SheetCaption(command, L"Effect"))
                               : RunSheet<CConfigSheet>(host, SheetCaption(command, L"Config"));
    if (result == IDOK && saveAfterOk) saveAfterOk();
    return result;
}
