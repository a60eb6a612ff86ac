// The built-in settings document: 486 bytes of UTF-8, CR LF line ends, no signature.
// The program carries the same bytes as resource 312 of type "XML" (DefaultConfig.rc).
#pragma once

#include <cstddef>

constexpr unsigned kDefaultConfigResourceId = 312;
constexpr wchar_t kDefaultConfigResourceType[] = L"Xml";

constexpr char kDefaultConfigXml[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "\r\n"
    "<Setting>\r\n"
    "  <DisplaySize>4</DisplaySize>\r\n"
    "  <PhotoSize>4</PhotoSize>\r\n"
    "  <FoldPath></FoldPath>\r\n"
    "  <ReversalV>0</ReversalV>\r\n"
    "  <ReversalH>0</ReversalH>\r\n"
    "  <CharFormat></CharFormat>\r\n"
    "  <TextContent></TextContent>\r\n"
    "  <PhotoFrame></PhotoFrame>\r\n"
    "  <MosaicWidth>0</MosaicWidth>\r\n"
    "  <Frequency>0</Frequency>\r\n"
    "  <ZoomOut>0</ZoomOut>\r\n"
    "  <Language></Language>\r\n"
    "  <VideoDisplayName></VideoDisplayName>\r\n"
    "  <AudioDisplayName></AudioDisplayName>\r\n"
    "</Setting>\r\n";
constexpr size_t kDefaultConfigXmlSize = sizeof(kDefaultConfigXml) - 1;
static_assert(kDefaultConfigXmlSize == 486, "the default document is 486 bytes");
