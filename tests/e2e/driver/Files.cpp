#include "tests/e2e/driver/Files.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "tests/e2e/driver/Log.h"
#include "tests/e2e/driver/Picture.h"
#include "tests/e2e/driver/Process.h"

namespace e2e {

std::wstring FromUnixPath(const std::string& path) {
    std::wstring out = L"Z:";
    for (wchar_t c : Widen(path)) out += c == L'/' ? L'\\' : c;
    while (out.size() > 3 && out.back() == L'\\') out.pop_back();
    return out;
}

std::wstring DistFolder() {
    return FromUnixPath(E2E_DIST_DIR);
}

std::wstring OutputFolder() {
    const char* out = std::getenv("E2E_OUT");
    return out && *out ? FromUnixPath(out) : std::wstring();
}

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = folder + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

namespace {
void MakeFolders(const std::wstring& path) {
    for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    CreateDirectoryW(path.c_str(), nullptr);
}

bool LeftByARun(const std::wstring& name) {
    std::wstring lower = name;
    for (auto& c : lower) c = static_cast<wchar_t>(towlower(c));
    if (lower == L"brenik.inf" || lower == L"config.xml" || lower == L"timercap.bmp") return true;
    for (const wchar_t* ext : {L".avi", L".jpg", L".png"})
        if (lower.size() > 4 && lower.compare(lower.size() - 4, 4, ext) == 0) return true;
    return false;
}
}  // namespace

std::wstring FreshFolder(const std::wstring& name) {
    std::wstring folder;
    std::wstring out = OutputFolder();
    if (!out.empty()) {
        folder = out + L"\\files\\" + name;
    } else {
        folder = TempFolder() + L"e2e-" + name + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(GetTickCount());
    }
    RemoveTree(folder);
    MakeFolders(folder);
    return folder;
}

bool CopyTree(const std::wstring& from, const std::wstring& to) {
    MakeFolders(to);
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((from + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = CopyTree(from + L"\\" + name, to + L"\\" + name) && ok;
        else if (!CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE))
            ok = false;
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return ok;
}

bool CopyProgramFolder(const std::wstring& program, const std::wstring& folder) {
    std::wstring from = DistFolder() + L"\\" + program;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((from + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        Log(L"no staged program in " + from);
        return false;
    }
    bool ok = true;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = CopyTree(from + L"\\" + name, folder + L"\\" + name) && ok;
        else if (!LeftByARun(name) &&
                 !CopyFileW((from + L"\\" + name).c_str(), (folder + L"\\" + name).c_str(), FALSE))
            ok = false;
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return ok;
}

std::wstring TempFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    return temp;
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<uint8_t> ReadAll(const std::wstring& path) {
    std::vector<uint8_t> data;
    std::unique_ptr<FILE, int (*)(FILE*)> in(_wfopen(path.c_str(), L"rb"), fclose);
    if (!in) return data;
    uint8_t chunk[65536];
    for (size_t got; (got = fread(chunk, 1, sizeof(chunk), in.get())) > 0;)
        data.insert(data.end(), chunk, chunk + got);
    return data;
}

std::string ReadText(const std::wstring& path) {
    auto data = ReadAll(path);
    return std::string(data.begin(), data.end());
}

bool WriteText(const std::wstring& path, const std::string& text) {
    std::unique_ptr<FILE, int (*)(FILE*)> out(_wfopen(path.c_str(), L"wb"), fclose);
    return out && fwrite(text.data(), 1, text.size(), out.get()) == text.size();
}

std::vector<std::wstring> FilesIn(const std::wstring& folder, const std::wstring& pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\" + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

int TestCamCtl(const std::wstring& arguments) {
    return RunAndWait(L"\"" + DistFolder() + L"\\testcam\\testcamctl.exe\" " + arguments);
}

void Screenshot(void* window, const std::wstring& name) {
    std::wstring out = OutputFolder();
    if (out.empty() || !window) return;
    SaveBmp(GrabWindow(static_cast<HWND>(window)), out + L"\\" + name + L".bmp");
}

}  // namespace e2e
