#include "camera/libs/PelUtility/ZelParser.h"

#include <gtest/gtest.h>

#include "tests/camera/settings/TempFolder.h"

namespace {

TEST(ZelParserTest, CursorFindsElementsByNameAtTheCurrentLevel) {
    CZelParser doc;
    ASSERT_TRUE(doc.SetDoc("<Setting><A>1</A><Group><A>inner</A></Group><B>two</B><A>later</A></Setting>"));
    EXPECT_FALSE(doc.IntoElem());           // nothing found yet
    EXPECT_FALSE(doc.FindFirstElem(L"A"));  // not at the top level
    ASSERT_TRUE(doc.FindFirstElem(L"Setting"));
    ASSERT_TRUE(doc.IntoElem());
    EXPECT_EQ(doc.GetFirstData(L"A"), L"1");  // the first one
    EXPECT_EQ(doc.GetFirstData(L"B"), L"two");
    EXPECT_EQ(doc.GetFirstData(L"Missing"), L"");
    ASSERT_TRUE(doc.FindFirstElem(L"Group"));
    ASSERT_TRUE(doc.IntoElem());
    EXPECT_EQ(doc.GetFirstData(L"A"), L"inner");
    ASSERT_TRUE(doc.OutOfElem());
    EXPECT_EQ(doc.GetFirstData(L"B"), L"two");
    doc.ResetPos();
    EXPECT_FALSE(doc.SetFirstData(L"Setting", L"x"));  // no element to write into at the top
}

TEST(ZelParserTest, TextIsEscapedAndUnicodeSurvives) {
    CZelParser doc;
    ASSERT_TRUE(doc.SetDoc("<S><T/><N>old</N></S>"));
    doc.FindFirstElem(L"S");
    doc.IntoElem();
    const std::wstring text = L"a<b & c>d ]]> \"q\" \x6587\x5B57 \U0001F600\r\nnext";
    ASSERT_TRUE(doc.SetFirstData(L"T", text.c_str()));
    ASSERT_TRUE(doc.SetFirstData(L"N", L""));
    const std::string written = doc.GetDoc();
    EXPECT_NE(written.find("<N></N>"), std::string::npos);
    EXPECT_NE(written.find("&lt;b &amp; c>d ]]&gt;"), std::string::npos);

    CZelParser again;
    ASSERT_TRUE(again.SetDoc(written));
    again.FindFirstElem(L"S");
    again.IntoElem();
    EXPECT_EQ(again.GetFirstData(L"T"), text);

    // An element written as <X/> in the file gets that form back once it is empty again.
    ASSERT_TRUE(doc.SetFirstData(L"T", L""));
    EXPECT_NE(doc.GetDoc().find("<T/>"), std::string::npos);
}

TEST(ZelParserTest, CommentsCdataAndInstructionsAreKept) {
    const std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
        "<!DOCTYPE Setting>\r\n<?app hint?>\r\n"
        "<Setting>\r\n  <!-- note -->\r\n  <Code><![CDATA[<raw & text>]]></Code>\r\n  <?inner "
        "x?>\r\n</Setting>";
    CZelParser doc;
    ASSERT_TRUE(doc.SetDoc(text));
    EXPECT_EQ(doc.GetDoc(), text);
    doc.FindFirstElem(L"Setting");
    doc.IntoElem();
    EXPECT_EQ(doc.GetFirstData(L"Code"), L"<raw & text>");
}

TEST(ZelParserTest, RefusesDocumentsThatAreNotWellFormed) {
    const char* broken[] = {
        "",
        "   ",
        "<a>",
        "<a></b>",
        "<a/><b/>",
        "text<a/>",
        "<a/>text",
        "<a x='1' x='2'/>",
        "<a><b></a></b>",
        "<!-- only a comment -->",
        "<a attr=noquotes/>",
    };
    for (const char* text : broken) {
        SCOPED_TRACE(text);
        CZelParser doc;
        EXPECT_FALSE(doc.SetDoc(text));
        EXPECT_FALSE(doc.IsWellFormed());
        EXPECT_EQ(doc.GetDoc(), "");
    }
}

TEST(ZelParserTest, RefusesNulBytesAndRootsThatEndInsideTheirAttributes) {
    // Behind a NUL the reader saw nothing: a second root, or stray bytes that made the part behind
    // the root start inside an attribute, so the document written back could not be read again.
    const std::string broken[] = {
        std::string("<a/>\0<b/>", 9),
        std::string("<a b='><?x'/>junk\0?>", 20),
        std::string("<Setting><ZoomOut>1</ZoomOut></Setting>\0", 40),
        // No NUL: the instruction's "<?" is inside the attribute, the root ends at "'/>".
        "<a b='><?x'/>>y?>",
    };
    for (const std::string& text : broken) {
        SCOPED_TRACE(text.c_str());
        CZelParser doc;
        EXPECT_FALSE(doc.SetDoc(text));
        EXPECT_FALSE(doc.IsWellFormed());
    }
}

TEST(ZelParserTest, InstructionsNamedLikeElementsAreNotElements) {
    CZelParser doc;
    ASSERT_TRUE(doc.SetDoc("<?Setting x?><Setting><?ZoomOut 1?><ZoomOut>2</ZoomOut></Setting>"));
    ASSERT_TRUE(doc.FindFirstElem(L"Setting"));
    ASSERT_TRUE(doc.IntoElem());
    EXPECT_EQ(doc.GetFirstData(L"ZoomOut"), L"2");
    ASSERT_TRUE(doc.SetFirstData(L"ZoomOut", 3));
    EXPECT_EQ(doc.GetDoc(), "<?Setting x?><Setting><?ZoomOut 1?><ZoomOut>3</ZoomOut></Setting>");

    CZelParser onlyInstruction;
    ASSERT_TRUE(onlyInstruction.SetDoc("<Setting><?ZoomOut?></Setting>"));
    onlyInstruction.FindFirstElem(L"Setting");
    onlyInstruction.IntoElem();
    ASSERT_TRUE(onlyInstruction.SetFirstData(L"ZoomOut", 1));
    EXPECT_EQ(onlyInstruction.GetFirstData(L"ZoomOut"), L"1");
}

TEST(ZelParserTest, RootNamesEndingInTwoHyphensAreNotComments) {
    for (const char* text : {"<a-->x</a-->", "<!-- c --><a-->x</a-->\r\n<!-- d -->"}) {
        SCOPED_TRACE(text);
        CZelParser doc;
        ASSERT_TRUE(doc.SetDoc(text));
        EXPECT_EQ(doc.GetDoc(), text);
    }
    // Text behind the root is not XML; the XML library would drop it without a word.
    for (const char* text :
         {"<O-->r></O-->r>", "<!----><?xm?><O-->r>><!----><?xm?></O-->r>", "<a/><!--c-->xx<!--d-->",
          "<a></a><?xml version='1.0'?>", "<a></a><![CDATA[x]]>", "<a></a><!DOCTYPE a>"}) {
        SCOPED_TRACE(text);
        CZelParser stray;
        EXPECT_FALSE(stray.SetDoc(text));
    }
}

TEST(ZelParserTest, FilesThatCannotBeReadOrWritten) {
    TempFolder folder;
    CZelParser doc;
    EXPECT_FALSE(doc.Load(folder.File(L"missing.xml").c_str()));
    EXPECT_FALSE(doc.IsWellFormed());
    // An empty document never overwrites a file.
    folder.Write(L"keep.xml", "<keep/>");
    EXPECT_FALSE(doc.Save(folder.File(L"keep.xml").c_str()));
    EXPECT_EQ(folder.Read(L"keep.xml"), "<keep/>");

    ASSERT_TRUE(doc.Load(folder.File(L"keep.xml").c_str()));
    EXPECT_FALSE(doc.Save(folder.File(L"no-such-folder/x.xml").c_str()));
    // A failed load empties the document that was there.
    folder.Write(L"bad.xml", "<a>");
    EXPECT_FALSE(doc.Load(folder.File(L"bad.xml").c_str()));
    EXPECT_FALSE(doc.IsWellFormed());
}

}  // namespace
