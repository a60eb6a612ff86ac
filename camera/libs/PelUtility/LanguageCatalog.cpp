#include "camera/libs/PelUtility/LanguageCatalog.h"

#include "camera/libs/PelUtility/FileIo.h"

namespace pelutil {

void LanguageCatalog::SetFolder(const std::wstring& folder) {
    folder_ = folder;
    if (!folder_.empty() && folder_.back() != L'\\' && folder_.back() != L'/') {
#ifdef _WIN32
        folder_ += L'\\';
#else
        folder_ += L'/';
#endif
    }
}

std::wstring LanguageCatalog::FileOf(unsigned languageId) const {
    return folder_ + std::to_wstring(languageId) + L".lang";
}

unsigned LanguageCatalog::Select(unsigned languageId) {
    if (languageId == 0 || folder_.empty()) return 0;
    std::string bytes;
    if (!ReadWholeFile(FileOf(languageId), bytes)) return 0;
    table_.Parse(bytes);
    current_ = languageId;
    return languageId;
}

std::wstring LanguageCatalog::Get(const std::wstring& section, const std::wstring& key) const {
    return table_.Get(section, key);
}

std::wstring LanguageCatalog::DialogAttribute(int dialogId, const std::wstring& attribute) const {
    return table_.Get(DialogSection(dialogId), attribute);
}

}  // namespace pelutil
