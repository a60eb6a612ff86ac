#include "monitor/libs/YsCapture/DirectShow.h"

#include "monitor/libs/YsCapture/Log.h"

#include <atomic>

namespace yscap {
namespace {
std::atomic<long> g_leaks{0};
}

void FreeMediaTypeFields(AM_MEDIA_TYPE& mt) {
    if (mt.cbFormat && mt.pbFormat) ::CoTaskMemFree(mt.pbFormat);
    mt.cbFormat = 0;
    mt.pbFormat = nullptr;
    if (mt.pUnk) {
        mt.pUnk->Release();
        mt.pUnk = nullptr;
    }
}

void DeleteMediaType(AM_MEDIA_TYPE* mt) {
    if (!mt) return;
    FreeMediaTypeFields(*mt);
    ::CoTaskMemFree(mt);
}

std::string ToAnsi(const wchar_t* text) {
    if (!text || !*text) return {};
    const int n = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return {};
    std::string out(size_t(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], n, nullptr, nullptr);
    out.resize(size_t(n - 1));
    return out;
}

long ComLeaks() {
    return g_leaks.load();
}

void NoteComLeak(const char* what, unsigned long remaining) {
    if (remaining == 0) return;
    ++g_leaks;
    LogFailure(what, long(remaining));
}

}  // namespace yscap
