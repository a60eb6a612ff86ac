#include "tests/monitor/capture/TestCodec.h"

#include <vfw.h>

#include <cstring>
#include <cwchar>

namespace capture_test {

const DWORD kTestCodec = mmioFOURCC('Y', 'T', 'S', 'T');

namespace {

bool Is24BitInput(const BITMAPINFOHEADER* b) {
    return b && b->biCompression == BI_RGB && b->biBitCount == 24 && b->biWidth > 0 && b->biHeight != 0;
}
bool IsOurs(const BITMAPINFOHEADER* b) {
    return b && b->biCompression == kTestCodec && b->biBitCount == 16;
}
LONG Height(const BITMAPINFOHEADER* b) {
    return b->biHeight < 0 ? -b->biHeight : b->biHeight;
}
DWORD Stride24(LONG w) {
    return DWORD((w * 3 + 3) & ~3);
}

void OutputFormat(const BITMAPINFOHEADER* in, BITMAPINFOHEADER* out) {
    *out = *in;
    out->biCompression = kTestCodec;
    out->biBitCount = 16;
    out->biSizeImage = DWORD(in->biWidth * Height(in) * 2);
}

LRESULT Compress(ICCOMPRESS* c) {
    const BITMAPINFOHEADER* in = c->lpbiInput;
    const auto* src = static_cast<const BYTE*>(c->lpInput);
    auto* dst = static_cast<WORD*>(c->lpOutput);
    for (LONG y = 0; y < Height(in); ++y)
        for (LONG x = 0; x < in->biWidth; ++x) {
            const BYTE* p = src + Stride24(in->biWidth) * DWORD(y) + DWORD(x) * 3;
            *dst++ = WORD((p[2] >> 3) << 11 | (p[1] >> 2) << 5 | (p[0] >> 3));
        }
    c->lpbiOutput->biSizeImage = DWORD(in->biWidth * Height(in) * 2);
    if (c->lpdwFlags) *c->lpdwFlags = AVIIF_KEYFRAME;
    if (c->lpckid) *c->lpckid = 0;
    return ICERR_OK;
}

LRESULT Decompress(ICDECOMPRESS* d) {
    const BITMAPINFOHEADER* in = d->lpbiInput;
    const auto* src = static_cast<const WORD*>(d->lpInput);
    auto* dst = static_cast<BYTE*>(d->lpOutput);
    for (LONG y = 0; y < Height(in); ++y)
        for (LONG x = 0; x < in->biWidth; ++x) {
            const WORD v = *src++;
            BYTE* p = dst + Stride24(in->biWidth) * DWORD(y) + DWORD(x) * 3;
            p[0] = BYTE((v & 0x1F) << 3);
            p[1] = BYTE(((v >> 5) & 0x3F) << 2);
            p[2] = BYTE((v >> 11) << 3);
        }
    return ICERR_OK;
}

LRESULT CALLBACK CodecProc(DWORD_PTR, HDRVR, UINT message, LPARAM p1, LPARAM p2) {
    switch (message) {
        case DRV_LOAD:
        case DRV_FREE:
        case DRV_ENABLE:
        case DRV_DISABLE:
        case DRV_CLOSE:
            return 1;
        case DRV_OPEN:
            return 1;  // any non-zero driver id
        case ICM_GETINFO: {
            auto* info = reinterpret_cast<ICINFO*>(p1);
            if (!info || DWORD(p2) < sizeof(ICINFO)) return 0;
            std::memset(info, 0, sizeof(ICINFO));
            info->dwSize = sizeof(ICINFO);
            info->fccType = ICTYPE_VIDEO;
            info->fccHandler = kTestCodec;
            info->dwVersion = 1;
            info->dwVersionICM = ICVERSION;
            std::wcscpy(info->szName, L"YTST");
            std::wcscpy(info->szDescription, L"Test 565 Codec");
            return sizeof(ICINFO);
        }
        case ICM_COMPRESS_QUERY: {
            const auto* in = reinterpret_cast<const BITMAPINFOHEADER*>(p1);
            const auto* out = reinterpret_cast<const BITMAPINFOHEADER*>(p2);
            if (!Is24BitInput(in)) return ICERR_BADFORMAT;
            if (out && (!IsOurs(out) || out->biWidth != in->biWidth || Height(out) != Height(in)))
                return ICERR_BADFORMAT;
            return ICERR_OK;
        }
        case ICM_COMPRESS_GET_FORMAT: {
            const auto* in = reinterpret_cast<const BITMAPINFOHEADER*>(p1);
            if (!p2) return sizeof(BITMAPINFOHEADER);
            if (!Is24BitInput(in)) return ICERR_BADFORMAT;
            OutputFormat(in, reinterpret_cast<BITMAPINFOHEADER*>(p2));
            return ICERR_OK;
        }
        case ICM_COMPRESS_GET_SIZE: {
            const auto* in = reinterpret_cast<const BITMAPINFOHEADER*>(p1);
            return in ? in->biWidth * Height(in) * 2 : 0;
        }
        case ICM_COMPRESS_BEGIN:
        case ICM_COMPRESS_END:
        case ICM_DECOMPRESS_BEGIN:
        case ICM_DECOMPRESS_END:
            return ICERR_OK;
        case ICM_COMPRESS:
            return Compress(reinterpret_cast<ICCOMPRESS*>(p1));
        case ICM_DECOMPRESS_QUERY: {
            const auto* in = reinterpret_cast<const BITMAPINFOHEADER*>(p1);
            const auto* out = reinterpret_cast<const BITMAPINFOHEADER*>(p2);
            if (!IsOurs(in)) return ICERR_BADFORMAT;
            if (out && (out->biBitCount != 24 || out->biCompression != BI_RGB)) return ICERR_BADFORMAT;
            return ICERR_OK;
        }
        case ICM_DECOMPRESS_GET_FORMAT: {
            const auto* in = reinterpret_cast<const BITMAPINFOHEADER*>(p1);
            if (!p2) return sizeof(BITMAPINFOHEADER);
            if (!IsOurs(in)) return ICERR_BADFORMAT;
            auto* out = reinterpret_cast<BITMAPINFOHEADER*>(p2);
            *out = *in;
            out->biCompression = BI_RGB;
            out->biBitCount = 24;
            out->biSizeImage = Stride24(in->biWidth) * DWORD(Height(in));
            return ICERR_OK;
        }
        case ICM_DECOMPRESS:
            return Decompress(reinterpret_cast<ICDECOMPRESS*>(p1));
        case ICM_GETDEFAULTQUALITY:
            if (p1) *reinterpret_cast<DWORD*>(p1) = 7500;
            return ICERR_OK;
        case ICM_GETDEFAULTKEYFRAMERATE:
            if (p1) *reinterpret_cast<DWORD*>(p1) = 1;
            return ICERR_OK;
        default:
            return message >= DRV_USER ? ICERR_UNSUPPORTED : 0;
    }
}

bool Install() {
    if (!ICInstall(ICTYPE_VIDEO, kTestCodec, reinterpret_cast<LPARAM>(&CodecProc), nullptr,
                   ICINSTALL_FUNCTION))
        return false;
    HIC hic = ICOpen(ICTYPE_VIDEO, kTestCodec, ICMODE_QUERY);
    if (!hic) return false;
    ICClose(hic);
    return true;
}

}  // namespace

bool InstallTestCodec() {
    static const bool installed = Install();
    return installed;
}

// Installed before any test lists the compressors (the list is measured once per process).
static const bool g_installedAtStart = InstallTestCodec();

}  // namespace capture_test
