#include "camera/settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <set>
#include <vector>

#include "camera/libs/PelUtility/Base64.h"
#include "camera/resources/DefaultConfig.h"
#include "tests/camera/settings/TempFolder.h"

namespace {

const std::wstring kPictures = L"C:\\Users\\me\\Pictures";

class FakeEnvironment : public SettingsEnvironment {
  public:
    bool WriteDefaultDocument(const std::wstring& path) override {
        ++defaultWrites;
        return !readOnly &&
               pelutil::WriteWholeFile(path, std::string(kDefaultConfigXml, kDefaultConfigXmlSize));
    }
    bool IsDirectory(const std::wstring& path) override { return folders.count(path) > 0; }
    bool GetPicturesFolder(std::wstring& folder) override {
        if (!picturesAvailable) return false;
        folder = kPictures;
        return true;
    }
    void ShowMessage(const std::wstring& text) override { messages.push_back(text); }

    bool readOnly = false;
    bool picturesAvailable = true;
    int defaultWrites = 0;
    std::set<std::wstring> folders;
    std::vector<std::wstring> messages;
};

std::string Document(const std::string& elements) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<Setting>\r\n" + elements + "</Setting>\r\n";
}

class SettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { settings.Clear(); }

    bool Load() { return LoadCameraSettings(folder.Folder(), document, settings, env); }
    std::string ConfigFile() const { return folder.Read(L"Config.xml"); }

    TempFolder folder;
    FakeEnvironment env;
    CZelParser document;
    CameraSettingsRecord settings;
};

bool IsZero(const CharFormatRecord& format) {
    static const CharFormatRecord zero{};
    return std::memcmp(&format, &zero, sizeof format) == 0;
}

TEST_F(SettingsStoreTest, FirstStartCreatesTheDefaultDocumentAndTakesItsValues) {
    ASSERT_TRUE(Load());

    EXPECT_EQ(ConfigFile(), std::string(kDefaultConfigXml, 486));
    EXPECT_EQ(settings.displaySize, 4);
    EXPECT_EQ(settings.photoSize, 4);
    EXPECT_EQ(settings.reversalV, 0);
    EXPECT_EQ(settings.reversalH, 0);
    EXPECT_EQ(settings.mosaicWidth, 0);
    EXPECT_EQ(settings.frequency, 0);
    EXPECT_EQ(settings.zoomOut, 0);
    EXPECT_TRUE(IsZero(settings.charFormat));
    EXPECT_EQ(settings.photoFrame, L"");
    EXPECT_EQ(settings.textContent, L"");
    EXPECT_EQ(settings.albumFolder, kPictures + L"\\");
    EXPECT_TRUE(env.messages.empty());
    EXPECT_FALSE(folder.Exists(L"Config.xml.bad"));

    // Saving without a change gives back the same 486 bytes.
    ASSERT_TRUE(SaveCameraSettings(folder.Folder(), document));
    EXPECT_EQ(ConfigFile(), std::string(kDefaultConfigXml, 486));
}

TEST_F(SettingsStoreTest, DamagedFileIsReplacedAndKeptBesideIt) {
    const std::string full = Document("  <DisplaySize>2</DisplaySize>\r\n  <PhotoSize>9</PhotoSize>\r\n");
    const std::string cut = full.substr(0, full.find("<PhotoSize>") + 6);  // inside the tag
    folder.Write(L"Config.xml", cut);

    ASSERT_TRUE(Load());
    EXPECT_EQ(ConfigFile(), std::string(kDefaultConfigXml, 486));
    EXPECT_EQ(folder.Read(L"Config.xml.bad"), cut);
    EXPECT_EQ(settings.displaySize, 4);
    EXPECT_EQ(settings.photoSize, 4);
}

TEST_F(SettingsStoreTest, DocumentsThatAreNotWellFormedAreReplaced) {
    const std::string damaged[] = {
        "not xml at all",
        "<Setting>\r\n  <DisplaySize>7</DisplaySize>\r\n",               // root never closed
        "<Setting><DisplaySize>7</PhotoSize></Setting>",                 // mismatched end tag
        "<Setting></Setting><Setting></Setting>",                        // two roots
        "<Setting><DisplaySize>7</DisplaySize></Setting>trailing text",  // text after the root
        "<Setting a=\"1\" a=\"2\"></Setting>",                           // attribute twice
        "\xEF\xBB\xBF",                                                  // signature only
    };
    for (const std::string& bytes : damaged) {
        SCOPED_TRACE(bytes);
        folder.Write(L"Config.xml", bytes);
        ASSERT_TRUE(Load());
        EXPECT_EQ(ConfigFile(), std::string(kDefaultConfigXml, 486));
        EXPECT_EQ(folder.Read(L"Config.xml.bad"), bytes);
        EXPECT_EQ(settings.displaySize, 4);
    }
}

TEST_F(SettingsStoreTest, EmptyFileIsReplacedWithNothingToKeep) {
    folder.Write(L"Config.xml", "");
    ASSERT_TRUE(Load());
    EXPECT_EQ(ConfigFile(), std::string(kDefaultConfigXml, 486));
    EXPECT_FALSE(folder.Exists(L"Config.xml.bad"));
}

TEST_F(SettingsStoreTest, ForeignElementsAndLayoutSurviveEverySave) {
    const std::string original =
        "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- kept by hand -->\n<Setting>\n"
        "\t<DisplaySize>2</DisplaySize>\n"
        "\t<Custom mode='fast' note=\"a &amp; b\">x<Inner/>y</Custom>\n"
        "\t<Empty/>\n"
        "\t<TextContent>line one\r\nline two &lt;3</TextContent>\n"
        "</Setting>\n<!-- tail -->\n";
    folder.Write(L"Config.xml", original);
    ASSERT_TRUE(Load());
    EXPECT_EQ(settings.displaySize, 2);
    EXPECT_EQ(settings.textContent, L"line one\r\nline two <3");

    // The page writes one value; everything else is written back as it was (attribute quotes
    // become double quotes).
    ASSERT_TRUE(EnterSettingRoot(document));
    document.SetFirstData(L"DisplaySize", 5);
    for (int run = 0; run < 3; ++run) {
        ASSERT_TRUE(SaveCameraSettings(folder.Folder(), document));
        CZelParser reread;
        ASSERT_TRUE(reread.Load(folder.File(L"Config.xml").c_str()));
        document = std::move(reread);
    }
    std::string expected = original;
    expected.replace(expected.find("<DisplaySize>2<"), 15, "<DisplaySize>5<");
    expected.replace(expected.find("mode='fast'"), 11, "mode=\"fast\"");
    EXPECT_EQ(ConfigFile(), expected);
}

TEST_F(SettingsStoreTest, ElementMissingFromTheDocumentIsAddedWithTheSiblingsIndent) {
    folder.Write(L"Config.xml", Document("  <DisplaySize>1</DisplaySize>\r\n"));
    ASSERT_TRUE(Load());
    ASSERT_TRUE(EnterSettingRoot(document));
    EXPECT_TRUE(document.SetFirstData(L"ZoomOut", 3));
    EXPECT_EQ(document.GetDoc(), Document("  <DisplaySize>1</DisplaySize>\r\n  <ZoomOut>3</ZoomOut>\r\n"));
}

TEST_F(SettingsStoreTest, MissingElementsReadAsZeroAndEmpty) {
    folder.Write(L"Config.xml", "<Other><DisplaySize>3</DisplaySize></Other>");
    ASSERT_TRUE(Load());
    EXPECT_EQ(settings.displaySize, 0);
    EXPECT_EQ(settings.photoSize, 0);
    EXPECT_TRUE(IsZero(settings.charFormat));
    EXPECT_EQ(settings.albumFolder, kPictures + L"\\");
    EXPECT_FALSE(folder.Exists(L"Config.xml.bad"));
}

TEST_F(SettingsStoreTest, AlbumFolderFromFoldPath) {
    env.folders = {L"D:\\Photos", L"E:\\Album\\"};
    struct Case {
        std::string stored;
        std::wstring album;
    } cases[] = {
        {"", kPictures + L"\\"},          // empty
        {"D:\\Gone", kPictures + L"\\"},  // no longer exists
        {"D:\\Photos", L"D:\\Photos\\"},  // backslash appended
        {"E:\\Album\\", L"E:\\Album\\"},  // kept as it is
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        const std::string file = Document("  <FoldPath>" + c.stored + "</FoldPath>\r\n");
        folder.Write(L"Config.xml", file);
        ASSERT_TRUE(Load());
        EXPECT_EQ(settings.albumFolder, c.album);
        // The element keeps its text; only the page's OK writes a new folder.
        ASSERT_TRUE(SaveCameraSettings(folder.Folder(), document));
        EXPECT_EQ(ConfigFile(), file);
    }

    folder.Write(L"Config.xml", Document(""));  // no FoldPath element at all
    ASSERT_TRUE(Load());
    EXPECT_EQ(settings.albumFolder, kPictures + L"\\");
}

TEST_F(SettingsStoreTest, NoPictureFolderStopsStartUpWithTheMessageAndExitStillSaves) {
    env.picturesAvailable = false;
    const std::string file =
        Document("  <DisplaySize>3</DisplaySize>\r\n  <FoldPath>D:\\Gone</FoldPath>\r\n");
    folder.Write(L"Config.xml", file);

    EXPECT_FALSE(Load());
    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_EQ(env.messages[0],
              L"Create Fold Failed\xFF0C"
              L"Exit Application\xFF01");

    // The exit step rewrites Config.xml from the loaded document.
    folder.Write(L"Config.xml", "changed meanwhile");
    EXPECT_TRUE(SaveCameraSettings(folder.Folder(), document));
    EXPECT_EQ(ConfigFile(), file);
}

TEST_F(SettingsStoreTest, ReadOnlyProgramFolderEndsStartUpWithoutAMessage) {
    env.readOnly = true;
    EXPECT_FALSE(Load());
    EXPECT_EQ(env.defaultWrites, 1);
    EXPECT_TRUE(env.messages.empty());
    EXPECT_FALSE(folder.Exists(L"Config.xml"));

    // Exit after that failed start has no document and leaves the folder alone.
    EXPECT_FALSE(SaveCameraSettings(folder.Folder(), document));
    EXPECT_FALSE(folder.Exists(L"Config.xml"));
}

TEST_F(SettingsStoreTest, CarriedElementsKeepTheirTextAcrossRuns) {
    const std::string file = Document(
        "  <Language>zh-CN</Language>\r\n"
        "  <VideoDisplayName>@device:pnp:\\\\?\\usb#vid_1234&amp;pid_5678#cam</VideoDisplayName>\r\n"
        "  <AudioDisplayName>Mic (USB)</AudioDisplayName>\r\n");
    folder.Write(L"Config.xml", file);
    for (int run = 0; run < 3; ++run) {
        CZelParser fresh;
        document = std::move(fresh);
        ASSERT_TRUE(Load());
        ASSERT_TRUE(EnterSettingRoot(document));
        EXPECT_EQ(document.GetFirstData(L"VideoDisplayName"),
                  L"@device:pnp:\\\\?\\usb#vid_1234&pid_5678#cam");
        ASSERT_TRUE(SaveCameraSettings(folder.Folder(), document));
        EXPECT_EQ(ConfigFile(), file);
    }
}

TEST_F(SettingsStoreTest, IntegersReadLikeTheCRuntime) {
    folder.Write(L"Config.xml",
                 Document("  <DisplaySize> 7abc</DisplaySize>\r\n  <PhotoSize>abc</PhotoSize>\r\n"
                          "  <ReversalV>-1</ReversalV>\r\n  <ZoomOut>99</ZoomOut>\r\n"));
    ASSERT_TRUE(Load());
    EXPECT_EQ(settings.displaySize, 7);
    EXPECT_EQ(settings.photoSize, 0);
    EXPECT_EQ(settings.reversalV, -1);
    EXPECT_EQ(settings.zoomOut, 99);  // no range check

    EXPECT_EQ(ParseSettingInt(L"\t\r\n +12x"), 12);
    EXPECT_EQ(ParseSettingInt(L"- 3"), 0);
    EXPECT_EQ(ParseSettingInt(L""), 0);
    EXPECT_EQ(ParseSettingInt(L"99999999999"), INT_MAX);
    EXPECT_EQ(ParseSettingInt(L"-99999999999"), INT_MIN);
    EXPECT_EQ(ParseSettingInt(L"-2147483648"), INT_MIN);
}

TEST_F(SettingsStoreTest, CharFormatDecoding) {
    CharFormatRecord format{};
    format.cbSize = 92;
    format.dwEffects = 3;
    format.yHeight = 240;
    format.crTextColor = 0x00FF8040;
    format.szFaceName[0] = u'A';
    format.szFaceName[1] = u'r';
    const std::wstring encoded = EncodeCharFormat(format);
    EXPECT_EQ(encoded.size(), 124u);  // one line, no break

    std::memset(&settings.charFormat, 0xAB, sizeof settings.charFormat);
    folder.Write(L"Config.xml", Document("  <CharFormat>" + std::string(encoded.begin(), encoded.end()) +
                                         "</CharFormat>\r\n"));
    ASSERT_TRUE(Load());
    EXPECT_EQ(std::memcmp(&settings.charFormat, &format, 92), 0);

    // Empty text: all zero.
    std::memset(&settings.charFormat, 0xAB, sizeof settings.charFormat);
    folder.Write(L"Config.xml", Document("  <CharFormat></CharFormat>\r\n"));
    ASSERT_TRUE(Load());
    EXPECT_TRUE(IsZero(settings.charFormat));

    // A short text: only the decoded bytes are copied, the rest stays zero.
    std::memset(&settings.charFormat, 0xAB, sizeof settings.charFormat);
    folder.Write(L"Config.xml", Document("  <CharFormat>AQIDBAUG</CharFormat>\r\n"));  // 1..6
    ASSERT_TRUE(Load());
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&settings.charFormat);
    for (int i = 0; i < 92; ++i) EXPECT_EQ(bytes[i], i < 6 ? i + 1 : 0) << i;
}

TEST_F(SettingsStoreTest, OverlongCharFormatCopiesOnly92Bytes) {
    std::vector<uint8_t> long_bytes(150, 0x5A);
    std::string text = pelutil::Base64Encode(long_bytes.data(), long_bytes.size());
    CharFormatRecord format;
    DecodeCharFormat(std::wstring(text.begin(), text.end()), format);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&format);
    for (int i = 0; i < 92; ++i) EXPECT_EQ(bytes[i], 0x5A);
}

}  // namespace
