#include "camera/pages/SheetRun.h"

#include "camera/libs/PelUtility/PelLang.h"
#include "camera/pages/ConfigSheet.h"
#include "camera/pages/EffectSheet.h"

std::wstring SheetCaption(UINT command, const wchar_t* fallback) {
    std::wstring caption = CPelLang::GetInstance()->GetLangString(L"MainMenu", static_cast<int>(command));
    return caption.empty() ? std::wstring(fallback) : caption;
}

INT_PTR RunConfigSheet(PageHost& host, const std::wstring& caption) {
    CConfigSheet sheet(caption.c_str(), host);
    return sheet.DoModal() == IDOK ? IDOK : IDCANCEL;
}

INT_PTR RunEffectSheet(PageHost& host, const std::wstring& caption) {
    CEffectSheet sheet(caption.c_str(), host);
    return sheet.DoModal() == IDOK ? IDOK : IDCANCEL;
}
