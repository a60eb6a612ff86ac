#include "tests/e2e/driver/Picture.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "framework/Handles.h"
#include "tests/e2e/driver/Log.h"

extern "C" {
#include <jpeglib.h>
}

namespace e2e {

Picture Picture::Mirrored() const {
    Picture out = *this;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                out.bgr[(static_cast<size_t>(y) * width + x) * 3 + c] = At(width - 1 - x, y)[c];
    return out;
}

Picture Picture::Crop(int x, int y, int w, int h) const {
    Picture out;
    if (x < 0 || y < 0 || w <= 0 || h <= 0 || x + w > width || y + h > height) return out;
    out.width = w;
    out.height = h;
    out.bgr.resize(static_cast<size_t>(w) * h * 3);
    for (int row = 0; row < h; ++row)
        std::copy(At(x, y + row), At(x, y + row) + w * 3, &out.bgr[static_cast<size_t>(row) * w * 3]);
    return out;
}

namespace {

Picture GrabScreen(RECT rect) {
    Picture picture;
    // Only what is on the screen: a window larger than the screen is grabbed in its visible part.
    RECT screenRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&rect, &rect, &screenRect);
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return picture;
    ScopedGetDc screen(nullptr);
    ScopedDc memory(CreateCompatibleDC(screen.Get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    ScopedBitmap bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !memory) {
        Log(L"no bitmap for a screen grab");
        return picture;
    }
    {
        ScopedSelect select(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, w, h, screen.Get(), rect.left, rect.top, SRCCOPY);
        GdiFlush();
    }
    int stride = (w * 3 + 3) & ~3;
    picture.width = w;
    picture.height = h;
    picture.bgr.resize(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        std::copy(static_cast<uint8_t*>(bits) + static_cast<size_t>(y) * stride,
                  static_cast<uint8_t*>(bits) + static_cast<size_t>(y) * stride + w * 3,
                  &picture.bgr[static_cast<size_t>(y) * w * 3]);
    return picture;
}

void Raise(HWND window) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Sleep(150);
}

}  // namespace

Picture GrabClient(HWND window) {
    Raise(window);
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return GrabScreen(rect);
}

Picture GrabWindow(HWND window) {
    Raise(window);
    RECT rect{};
    GetWindowRect(window, &rect);
    return GrabScreen(rect);
}

bool SaveBmp(const Picture& picture, const std::wstring& path) {
    if (picture.Empty()) return false;
    int stride = (picture.width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = picture.width;
    info.biHeight = picture.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(stride * picture.height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::unique_ptr<FILE, int (*)(FILE*)> out(_wfopen(path.c_str(), L"wb"), fclose);
    if (!out) {
        Log(L"cannot write " + path);
        return false;
    }
    fwrite(&file, sizeof(file), 1, out.get());
    fwrite(&info, sizeof(info), 1, out.get());
    std::vector<uint8_t> row(static_cast<size_t>(stride), 0);
    for (int y = picture.height - 1; y >= 0; --y) {
        std::copy(picture.At(0, y), picture.At(0, y) + picture.width * 3, row.begin());
        fwrite(row.data(), 1, row.size(), out.get());
    }
    return true;
}

Picture LoadBmp(const std::wstring& path) {
    Picture picture;
    std::unique_ptr<FILE, int (*)(FILE*)> in(_wfopen(path.c_str(), L"rb"), fclose);
    if (!in) return picture;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    if (fread(&file, sizeof(file), 1, in.get()) != 1 || fread(&info, sizeof(info), 1, in.get()) != 1)
        return picture;
    if (file.bfType != 0x4D42 || info.biBitCount != 24 || info.biWidth <= 0 || info.biHeight == 0)
        return picture;
    int w = info.biWidth, h = std::abs(info.biHeight);
    int stride = (w * 3 + 3) & ~3;
    fseek(in.get(), static_cast<long>(file.bfOffBits), SEEK_SET);
    std::vector<uint8_t> data(static_cast<size_t>(stride) * h);
    if (fread(data.data(), 1, data.size(), in.get()) != data.size()) return picture;
    picture.width = w;
    picture.height = h;
    picture.bgr.resize(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y) {
        int source = info.biHeight > 0 ? h - 1 - y : y;
        std::copy(&data[static_cast<size_t>(source) * stride],
                  &data[static_cast<size_t>(source) * stride] + w * 3,
                  &picture.bgr[static_cast<size_t>(y) * w * 3]);
    }
    return picture;
}

namespace {
struct JpegError {
    jpeg_error_mgr manager;
    jmp_buf escape;
};
void EscapeOnError(j_common_ptr cinfo) {
    longjmp(reinterpret_cast<JpegError*>(cinfo->err)->escape, 1);
}
}  // namespace

Picture LoadJpeg(const std::wstring& path) {
    Picture picture;
    std::unique_ptr<FILE, int (*)(FILE*)> in(_wfopen(path.c_str(), L"rb"), fclose);
    if (!in) return picture;
    jpeg_decompress_struct cinfo{};
    JpegError error{};
    cinfo.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = EscapeOnError;  // a damaged file ends the read, not the driver
    std::vector<uint8_t> rgb;
    if (setjmp(error.escape)) {
        jpeg_destroy_decompress(&cinfo);
        Log(L"unreadable JPEG " + path);
        return picture;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, in.get());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    int w = static_cast<int>(cinfo.output_width), h = static_cast<int>(cinfo.output_height);
    rgb.resize(static_cast<size_t>(w) * h * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = &rgb[static_cast<size_t>(cinfo.output_scanline) * w * 3];
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    for (size_t i = 0; i < rgb.size(); i += 3) std::swap(rgb[i], rgb[i + 2]);
    picture.width = w;
    picture.height = h;
    picture.bgr = std::move(rgb);
    return picture;
}

double MeanDifference(const Picture& a, const Picture& b) {
    if (a.width != b.width || a.height != b.height || a.Empty()) return 255;
    double sum = 0;
    for (size_t i = 0; i < a.bgr.size(); ++i) sum += std::abs(int(a.bgr[i]) - int(b.bgr[i]));
    return sum / static_cast<double>(a.bgr.size());
}

long DifferentPixels(const Picture& a, const Picture& b, int threshold) {
    if (a.width != b.width || a.height != b.height) return -1;
    long count = 0;
    for (size_t i = 0; i + 2 < a.bgr.size(); i += 3)
        for (size_t c = 0; c < 3; ++c)
            if (std::abs(int(a.bgr[i + c]) - int(b.bgr[i + c])) > threshold) {
                ++count;
                break;
            }
    return count;
}

double VerticalDetail(const Picture& picture) {
    if (picture.height < 2) return 0;
    double sum = 0;
    size_t row = static_cast<size_t>(picture.width) * 3;
    for (size_t i = row; i < picture.bgr.size(); ++i)
        sum += std::abs(int(picture.bgr[i]) - int(picture.bgr[i - row]));
    return sum / static_cast<double>(picture.bgr.size() - row);
}

double MeanLevel(const Picture& picture) {
    if (picture.Empty()) return 0;
    double sum = 0;
    for (uint8_t v : picture.bgr) sum += v;
    return sum / static_cast<double>(picture.bgr.size());
}

}  // namespace e2e
