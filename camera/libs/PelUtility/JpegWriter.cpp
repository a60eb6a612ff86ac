#include "camera/libs/PelUtility/JpegWriter.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

namespace pelutil {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void OnJpegError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void IgnoreJpegMessage(j_common_ptr) {}

// libjpeg reports errors through longjmp, so nothing with a destructor may live in this frame.
bool Compress(std::FILE* file, const PIC_PARAM& photo, int quality, JSAMPLE* row) {
    jpeg_compress_struct cinfo;
    ErrorManager errors;
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnJpegError;
    errors.base.output_message = IgnoreJpegMessage;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = static_cast<JDIMENSION>(photo.width);
    cinfo.image_height = static_cast<JDIMENSION>(photo.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const size_t stride = static_cast<size_t>(photo.width) * 3;
    while (cinfo.next_scanline < cinfo.image_height) {
        // Bottom-up BGR rows become top-down RGB scan lines.
        const unsigned char* src = photo.pixels + (photo.height - 1 - cinfo.next_scanline) * stride;
        for (size_t x = 0; x < stride; x += 3) {
            row[x] = src[x + 2];
            row[x + 1] = src[x + 1];
            row[x + 2] = src[x];
        }
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

bool WriteJpegFile(const char* path, const PIC_PARAM& photo, int quality) {
    if (!path || !photo.pixels || photo.width <= 0 || photo.height <= 0 || photo.width > 65500 ||
        photo.height > 65500 ||
        static_cast<long long>(photo.size) < static_cast<long long>(photo.width) * photo.height * 3) {
        return false;
    }
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    std::vector<JSAMPLE> row(static_cast<size_t>(photo.width) * 3);
    bool ok = Compress(file, photo, quality, row.data());
    if (std::fclose(file) != 0) ok = false;
    if (!ok) std::remove(path);
    return ok;
}

}  // namespace pelutil
