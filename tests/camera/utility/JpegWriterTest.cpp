#include "camera/libs/PelUtility/JpegWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include "tests/camera/settings/TempFolder.h"

namespace {

struct Decoded {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;  // top row first
};

Decoded ReadJpeg(const std::string& path) {
    Decoded out;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return out;
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    out.width = static_cast<int>(cinfo.output_width);
    out.height = static_cast<int>(cinfo.output_height);
    out.rgb.resize(static_cast<size_t>(out.width) * out.height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out.rgb.data() + static_cast<size_t>(cinfo.output_scanline) * out.width * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(file);
    return out;
}

TEST(JpegWriterTest, BottomUpBgrBecomesAnUprightRgbPicture) {
    TempFolder folder;
    const std::string path = pelutil::ToUtf8(folder.File(L"photo.jpg"));
    // 32 x 16: the bottom half (stored first) blue, the top half red.
    const int width = 32, height = 16;
    std::vector<uint8_t> pixels(width * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &pixels[(y * width + x) * 3];
            p[0] = y < height / 2 ? 255 : 0;  // blue
            p[1] = 0;
            p[2] = y < height / 2 ? 0 : 255;  // red
        }
    }
    PIC_PARAM photo{width, height, width * height * 3, pixels.data()};
    ASSERT_TRUE(pelutil::WriteJpegFile(path.c_str(), photo));

    Decoded decoded = ReadJpeg(path);
    ASSERT_EQ(decoded.width, width);
    ASSERT_EQ(decoded.height, height);
    const uint8_t* top = &decoded.rgb[(2 * width + 16) * 3];
    const uint8_t* bottom = &decoded.rgb[((height - 3) * width + 16) * 3];
    EXPECT_GT(top[0], 200);  // red on top
    EXPECT_LT(top[2], 60);
    EXPECT_GT(bottom[2], 200);  // blue at the bottom
    EXPECT_LT(bottom[0], 60);
}

TEST(JpegWriterTest, RefusesInconsistentPhotosAndUnwritablePaths) {
    TempFolder folder;
    const std::string path = pelutil::ToUtf8(folder.File(L"bad.jpg"));
    std::vector<uint8_t> pixels(30);
    EXPECT_FALSE(
        pelutil::WriteJpegFile(path.c_str(), PIC_PARAM{10, 1, 29, pixels.data()}));  // size too small
    EXPECT_FALSE(pelutil::WriteJpegFile(path.c_str(), PIC_PARAM{0, 1, 0, pixels.data()}));
    EXPECT_FALSE(pelutil::WriteJpegFile(path.c_str(), PIC_PARAM{10, 1, 30, nullptr}));
    EXPECT_FALSE(folder.Exists(L"bad.jpg"));
    const std::string nowhere = pelutil::ToUtf8(folder.File(L"missing/x.jpg"));
    EXPECT_FALSE(pelutil::WriteJpegFile(nowhere.c_str(), PIC_PARAM{10, 1, 30, pixels.data()}));
}

}  // namespace
