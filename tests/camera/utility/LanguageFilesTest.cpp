#include "camera/libs/PelUtility/LanguageCatalog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/camera/settings/TempFolder.h"

namespace {

std::wstring ShippedFolder() {
    std::string folder = PELU_LANGUAGE_DIR;
#ifdef _WIN32
    folder = "Z:" + folder;  // the host's root as Wine shows it
#endif
    return pelutil::FromUtf8(folder);
}

struct Key {
    const wchar_t* section;
    const wchar_t* key;
};

// Every text the program asks the language component for.
const Key kAskedKeys[] = {
    // Main menu: pop-ups by their English word, items by command id; sheet captions.
    {L"MainMenu", L"File"},
    {L"MainMenu", L"Device"},
    {L"MainMenu", L"Capture"},
    {L"MainMenu", L"Option"},
    {L"MainMenu", L"Help"},
    {L"MainMenu", L"57665"},
    {L"MainMenu", L"32792"},
    {L"MainMenu", L"32793"},
    {L"MainMenu", L"32791"},
    {L"MainMenu", L"32794"},
    {L"MainMenu", L"32795"},
    {L"MainMenu", L"57664"},
    // Basic configuration page 310: tab title and control texts.
    {L"ID_310", L"Title"},
    {L"ID_310", L"1049"},
    {L"ID_310", L"1006"},
    {L"ID_310", L"1044"},
    {L"ID_310", L"1046"},
    {L"ID_310", L"1032"},
    {L"ID_310", L"1033"},
    {L"ID_310", L"1045"},
    {L"ID_310", L"1047"},
    {L"ID_310", L"1038"},
    {L"ID_310", L"1039"},
    {L"ID_310", L"1048"},
    {L"ID_310", L"1040"},
    {L"ID_310", L"1041"},
    {L"ID_310", L"1042"},
    {L"ID_310", L"1043"},
    // Effects page 313: tab title, control texts and the no-frame item.
    {L"ID_313", L"Title"},
    {L"ID_313", L"1050"},
    {L"ID_313", L"1052"},
    {L"ID_313", L"1035"},
    {L"ID_313", L"1036"},
    {L"ID_313", L"1051"},
    {L"ID_313", L"NoPhotoFrame"},
    // About dialog 100.
    {L"ID_100", L"Caption"},
    {L"ID_100", L"Static.0"},
    {L"ID_100", L"1"},
};

TEST(LanguageFilesTest, BothShippedLanguagesHaveEveryTextTheProgramAsksFor) {
    for (unsigned language : {1033u, 2052u}) {
        SCOPED_TRACE(language);
        pelutil::LanguageCatalog catalog;
        catalog.SetFolder(ShippedFolder());
        ASSERT_EQ(catalog.Select(language), language);
        for (const Key& k : kAskedKeys) {
            EXPECT_FALSE(catalog.Get(k.section, k.key).empty())
                << pelutil::ToUtf8(k.section) << "/" << pelutil::ToUtf8(k.key);
        }
    }
}

TEST(LanguageFilesTest, ShippedTextsSample) {
    pelutil::LanguageCatalog catalog;
    catalog.SetFolder(ShippedFolder());
    ASSERT_EQ(catalog.Select(2052), 2052u);
    EXPECT_EQ(catalog.Get(L"MainMenu", 32791), L"\x62CD\x7167");                      // 拍照
    EXPECT_EQ(catalog.DialogAttribute(313, L"NoPhotoFrame"), L"\x65E0\x76F8\x6846");  // 无相框
    EXPECT_EQ(catalog.DialogAttribute(100, L"Static.0"), L"ZelCamera\xFF0CV1.0");
    ASSERT_EQ(catalog.Select(1033), 1033u);
    EXPECT_EQ(catalog.Get(L"mainmenu", L"file"), L"&File");
    EXPECT_EQ(catalog.DialogAttribute(310, L"Title"), L"Basic Settings");
}

TEST(LanguageFilesTest, LanguageWithoutAFileIsRefusedAndTheTextsStay) {
    pelutil::LanguageCatalog catalog;
    catalog.SetFolder(ShippedFolder());
    ASSERT_EQ(catalog.Select(1033), 1033u);
    EXPECT_EQ(catalog.Select(1041), 0u);
    EXPECT_EQ(catalog.Select(0), 0u);
    EXPECT_EQ(catalog.Current(), 1033u);
    EXPECT_EQ(catalog.Get(L"MainMenu", L"File"), L"&File");

    pelutil::LanguageCatalog nowhere;
    EXPECT_EQ(nowhere.Select(1033), 0u);  // no folder set
    EXPECT_EQ(nowhere.Get(L"MainMenu", L"File"), L"");
}

TEST(LanguageFilesTest, FileFormat) {
    TempFolder folder;
    folder.Write(L"7.lang",
                 "\xEF\xBB\xBF; comment\r\n"
                 "# another\n"
                 "top=before any section\n"
                 "[ Dialog ]\r\n"
                 "  Key One =  spaced text  \r\n"
                 "multi=line\\nbreak\\ttab\\\\slash\\q\n"
                 "no equals sign\n"
                 "=no key\n"
                 "dup=first\n"
                 "dup=second\n"
                 "empty=\n"
                 "[Other]\n"
                 "key=a=b");
    pelutil::LanguageCatalog catalog;
    catalog.SetFolder(folder.Folder());
    ASSERT_EQ(catalog.Select(7), 7u);
    EXPECT_EQ(catalog.Get(L"", L"top"), L"before any section");
    EXPECT_EQ(catalog.Get(L"DIALOG", L"key one"), L"spaced text");
    EXPECT_EQ(catalog.Get(L"Dialog", L"multi"), L"line\r\nbreak\ttab\\slash\\q");
    EXPECT_EQ(catalog.Get(L"Dialog", L"dup"), L"second");
    EXPECT_EQ(catalog.Get(L"Dialog", L"empty"), L"");
    EXPECT_EQ(catalog.Get(L"Other", L"key"), L"a=b");
    EXPECT_EQ(catalog.Get(L"Other", L"dup"), L"");
    EXPECT_EQ(catalog.Table().Entries(L"Dialog").size(), 4u);
}

}  // namespace
