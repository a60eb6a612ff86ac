#include "camera/libs/PelUtility/Base64.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using pelutil::Base64Decode;
using pelutil::Base64Encode;

std::vector<uint8_t> Decode(const std::string& text) {
    std::vector<uint8_t> out(text.size() + 1);
    out.resize(Base64Decode(text.c_str(), text.size(), out.data()));
    return out;
}

TEST(Base64Test, KnownVectors) {
    const std::pair<std::string, std::string> vectors[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
        {"\xFB\xFF", "+/8="},
    };
    for (const auto& [plain, encoded] : vectors) {
        EXPECT_EQ(Base64Encode(reinterpret_cast<const uint8_t*>(plain.data()), plain.size()), encoded);
        EXPECT_EQ(Decode(encoded), std::vector<uint8_t>(plain.begin(), plain.end()));
    }
}

TEST(Base64Test, RoundTripOfA92ByteRecordOnOneLine) {
    std::vector<uint8_t> record(92);
    for (size_t i = 0; i < record.size(); ++i) record[i] = static_cast<uint8_t>(i * 37 + 11);
    const std::string text = Base64Encode(record.data(), record.size(), 100);
    EXPECT_EQ(text.size(), 124u);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(Decode(text), record);

    const std::wstring wide(text.begin(), text.end());
    std::vector<uint8_t> out(wide.size());
    out.resize(Base64Decode(wide.c_str(), wide.size(), out.data()));
    EXPECT_EQ(out, record);
}

TEST(Base64Test, LinesAreBrokenByInputBytesAndDecodingSkipsThem) {
    std::vector<uint8_t> data(10, 0xAA);
    const std::string text = Base64Encode(data.data(), data.size(), 6);  // two groups a line
    EXPECT_EQ(text, "qqqqqqqq\r\nqqqqqg==");
    EXPECT_EQ(Decode(text), data);
}

TEST(Base64Test, DecodingStopsAtForeignCharactersAndKeepsPartialGroups) {
    EXPECT_EQ(Decode("Zm9v!YmFy"), std::vector<uint8_t>({'f', 'o', 'o'}));
    EXPECT_EQ(Decode("Zm9vYg"), std::vector<uint8_t>({'f', 'o', 'o', 'b'}));  // no padding
    EXPECT_EQ(Decode("Zm9vY"), std::vector<uint8_t>({'f', 'o', 'o'}));        // lone character
    EXPECT_EQ(Decode(" Zm\t9v\n"), std::vector<uint8_t>({'f', 'o', 'o'}));
    const std::wstring foreign = L"Zm9v\x0100Zm9v";  // a character beyond the alphabet's range
    std::vector<uint8_t> out(foreign.size());
    EXPECT_EQ(Base64Decode(foreign.c_str(), foreign.size(), out.data()), 3u);
}

}  // namespace
