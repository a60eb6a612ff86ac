#include "camera/libs/PelUtility/PelLang.h"

#include <memory>

namespace {

std::unique_ptr<CPelLang>& Instance() {
    static std::unique_ptr<CPelLang> instance;
    return instance;
}

// Static controls that show a picture instead of text are not counted as "Static.N".
bool IsTextStatic(HWND control) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    if (lstrcmpiW(className, L"Static") != 0) return true;
    LONG type = GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK;
    return type != SS_ICON && type != SS_BITMAP && type != SS_ENHMETAFILE && type != SS_OWNERDRAW;
}

struct StaticSearch {
    int wanted;
    int seen;
    HWND found;
};

BOOL CALLBACK FindUnnamedStatic(HWND control, LPARAM param) {
    auto* search = reinterpret_cast<StaticSearch*>(param);
    int id = GetDlgCtrlID(control);
    if ((id == -1 || id == 0xFFFF) && IsTextStatic(control) && search->seen++ == search->wanted) {
        search->found = control;
        return FALSE;
    }
    return TRUE;
}

bool ParseNumber(const std::wstring& text, int& value) {
    if (text.empty() || text.size() > 9) return false;
    value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return false;
        value = value * 10 + (c - L'0');
    }
    return true;
}

}  // namespace

CPelLang* CPelLang::GetInstance() {
    std::unique_ptr<CPelLang>& instance = Instance();
    if (!instance) instance.reset(new CPelLang());
    return instance.get();
}

void CPelLang::Release() {
    Instance().reset();
}

void CPelLang::SetLanguagePath(LPCWSTR folder) {
    catalog_.SetFolder(folder ? folder : L"");
}

LANGID CPelLang::SetLanguageID(LANGID languageId) {
    LANGID result = static_cast<LANGID>(catalog_.Select(languageId));
    if (!result) {
        wchar_t line[128];
        wsprintfW(line, L"CPelLang: no language file for %u\n", static_cast<unsigned>(languageId));
        OutputDebugStringW(line);
    }
    return result;
}

std::wstring CPelLang::GetLangString(LPCWSTR section, LPCWSTR key) const {
    if (!section || !key) return std::wstring();
    return catalog_.Get(section, key);
}

std::wstring CPelLang::GetLangString(LPCWSTR section, int id) const {
    if (!section) return std::wstring();
    return catalog_.Get(section, id);
}

std::wstring CPelLang::GetLangAttrib(int dialogId, LPCWSTR attribute) const {
    if (!attribute) return std::wstring();
    return catalog_.DialogAttribute(dialogId, attribute);
}

BOOL CPelLang::SetDialogStrings(HWND dialog, int dialogId) const {
    if (!dialog) return FALSE;
    auto entries = catalog_.Table().Entries(pelutil::LanguageCatalog::DialogSection(dialogId));
    if (entries.empty()) return FALSE;
    for (const auto& [key, text] : entries) {
        if (text.empty()) continue;
        int id = 0;
        if (key == L"caption") {
            SetWindowTextW(dialog, text.c_str());
        } else if (ParseNumber(key, id)) {
            if (HWND control = GetDlgItem(dialog, id)) SetWindowTextW(control, text.c_str());
        } else if (key.compare(0, 7, L"static.") == 0 && ParseNumber(key.substr(7), id)) {
            StaticSearch search{id, 0, nullptr};
            EnumChildWindows(dialog, FindUnnamedStatic, reinterpret_cast<LPARAM>(&search));
            if (search.found) SetWindowTextW(search.found, text.c_str());
        }
    }
    return TRUE;
}
