#include "monitor/app/ProgramFolder.h"

CString ProgramFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    CString folder(length ? path : "");
    const int slash = folder.ReverseFind('\\');
    return slash >= 0 ? folder.Left(slash) : folder;
}
