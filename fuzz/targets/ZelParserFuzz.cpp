// The settings document parser on any bytes: parse, walk, edit, write and parse the result again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "camera/libs/PelUtility/ZelParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CZelParser parser;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!parser.SetDoc(text)) {
        if (parser.IsWellFormed()) std::abort();
        return 0;
    }
    // An untouched document is written back byte for byte.
    const std::string unchanged = parser.GetDoc();

    parser.ResetPos();
    if (parser.FindFirstElem(L"Setting") && parser.IntoElem()) {
        (void)parser.GetFirstData(L"FoldPath");
        (void)parser.GetFirstData(L"CharFormat");
        parser.SetFirstData(L"ZoomOut", 3);
        parser.SetFirstData(L"TextContent", L"a<b>&\"c\"\x4E2D");
        parser.OutOfElem();
    }
    const std::string edited = parser.GetDoc();
    CZelParser again;
    if (!again.SetDoc(edited)) std::abort();
    again.ResetPos();
    if (again.FindFirstElem(L"Setting") && again.IntoElem() && again.GetFirstData(L"ZoomOut") != L"3") {
        std::abort();
    }

    CZelParser copy;
    if (!copy.SetDoc(unchanged) || copy.GetDoc() != unchanged) std::abort();
    return 0;
}
