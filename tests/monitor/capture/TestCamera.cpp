#include "tests/monitor/capture/TestCamera.h"

#include "framework/Handles.h"
#include "monitor/libs/YsCapture/DeviceList.h"

#include <windows.h>

#include <cstdlib>

namespace capture_test {
namespace {

// TESTCAM_DLL may be a Unix path: Wine sees the Unix root as drive Z:.
std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string DllPath() {
    const char* env = std::getenv("TESTCAM_DLL");
    return env && *env ? WindowsPath(env) : std::string();
}

// testcamctl.exe: beside TESTCAM_DLL, else the one this build made.
std::string CtlPath() {
    const std::string dll = DllPath();
    const size_t slash = dll.find_last_of('\\');
    if (slash != std::string::npos) return dll.substr(0, slash) + "\\testcamctl.exe";
#ifdef TESTCAMCTL_PATH
    return WindowsPath(TESTCAMCTL_PATH);
#else
    return {};
#endif
}

// Without TESTCAM_DLL the camera counts when the prefix has it registered.
bool RegisteredInPrefix() {
    ScopedComInit com;
    for (const std::string& name : yscap::ListDevices(CLSID_VideoInputDeviceCategory))
        if (name == "Test Pattern Camera") return true;
    return false;
}

bool Register() {
    const std::string dll = DllPath();
    if (dll.empty()) {
        // plug first: an earlier run may have left the camera unplugged.
        return !CtlPath().empty() && TestCamCtl("plug") == 0 && RegisteredInPrefix() &&
               TestCamCtl("refuse off") == 0 && TestCamCtl("still off") == 0;
    }
    HMODULE module = ::LoadLibraryA(dll.c_str());
    if (!module) return false;
    using RegisterFn = HRESULT(STDAPICALLTYPE*)();
    auto reg =
        reinterpret_cast<RegisterFn>(reinterpret_cast<void*>(::GetProcAddress(module, "DllRegisterServer")));
    const bool ok = reg && SUCCEEDED(reg());
    // The module stays loaded: the camera's class object lives in it for the whole test run.
    return ok && TestCamCtl("plug") == 0 && TestCamCtl("refuse off") == 0 && TestCamCtl("still off") == 0;
}

}  // namespace

bool TestCameraAvailable() {
    static const bool available = Register();
    return available;
}

int TestCamCtl(const std::string& arguments) {
    const std::string ctl = CtlPath();
    if (ctl.empty()) return -1;
    std::string command = "\"" + ctl + "\" " + arguments;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                          &si, &pi))
        return -1;
    ::WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = DWORD(-1);
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return int(code);
}

}  // namespace capture_test
