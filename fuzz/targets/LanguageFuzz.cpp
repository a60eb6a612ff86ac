// A language file as the program reads it from its Language folder, then looked up the way the
// menus and dialogs do.
#include <cstdint>
#include <string>

#include "camera/libs/PelUtility/FileIo.h"
#include "camera/libs/PelUtility/LanguageCatalog.h"
#include "fuzz/targets/FuzzTempDir.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::WriteTempFile("1033.lang", data, size);
    pelutil::LanguageCatalog catalog;
    catalog.SetFolder(pelutil::FromUtf8(fuzz::TempDir()));
    if (catalog.Select(1033) != 1033) __builtin_trap();
    (void)catalog.Get(L"MainMenu", L"File");
    (void)catalog.Get(L"mainmenu", 57665);
    (void)catalog.DialogAttribute(310, L"Title");
    (void)catalog.DialogAttribute(310, L"Static.0");
    for (const auto& [key, text] : catalog.Table().Entries(L"MainMenu")) {
        if (catalog.Get(L"MainMenu", key) != text) __builtin_trap();
    }
    return 0;
}
