#include "devices/common/ControlBlock.h"

namespace testcam {
namespace {

const wchar_t kMappingName[] = L"TestPatternCamera.Control";
const wchar_t kMutexName[] = L"TestPatternCamera.ControlLock";
const wchar_t kEventName[] = L"TestPatternCamera.Changed";
const wchar_t kRegistryKey[] = L"Software\\TestPatternCamera";

LONG ReadDword(HKEY key, const wchar_t* name, LONG fallback) {
    DWORD value = 0, size = sizeof value, type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        return fallback;
    return static_cast<LONG>(value);
}

void WriteDword(HKEY key, const wchar_t* name, LONG value) {
    const DWORD v = static_cast<DWORD>(value);
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
}

}  // namespace

bool ControlBlock::Open() {
    if (state_) return true;
    mutex_.Reset(CreateMutexW(nullptr, FALSE, kMutexName));
    changed_.Reset(CreateEventW(nullptr, TRUE, FALSE, kEventName));
    if (!mutex_ || !changed_) return false;
    WaitForSingleObject(mutex_.Get(), 2000);
    mapping_.Reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ControlState),
                                      kMappingName));
    const bool created = mapping_ && GetLastError() != ERROR_ALREADY_EXISTS;
    if (mapping_)
        state_ = static_cast<ControlState*>(
            MapViewOfFile(mapping_.Get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(ControlState)));
    if (state_ && created) {
        ControlState s = {};
        LoadPersisted(s);
        *state_ = s;
    }
    ReleaseMutex(mutex_.Get());
    if (!state_) OutputDebugStringW(L"testcam: the control block cannot be mapped\n");
    return state_ != nullptr;
}

ControlState ControlBlock::Read() const {
    ControlState s = {};
    s.plugged = 1;
    if (state_) {
        MemoryBarrier();
        s = *state_;
    }
    return s;
}

void ControlBlock::CountFrame() {
    if (state_) InterlockedIncrement(&state_->framesDelivered);
}

void ControlBlock::CountStreamControl() {
    if (state_) InterlockedIncrement(&state_->streamControls);
}

void ControlBlock::Persist(const ControlState& s) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRegistryKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    WriteDword(key, L"Plugged", s.plugged);
    WriteDword(key, L"Still", s.still);
    WriteDword(key, L"RefuseWidth", s.refuseWidth);
    WriteDword(key, L"RefuseHeight", s.refuseHeight);
    RegCloseKey(key);
}

void ControlBlock::LoadPersisted(ControlState& s) {
    s.plugged = 1;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRegistryKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    s.plugged = ReadDword(key, L"Plugged", 1);
    s.still = ReadDword(key, L"Still", 0);
    s.refuseWidth = ReadDword(key, L"RefuseWidth", 0);
    s.refuseHeight = ReadDword(key, L"RefuseHeight", 0);
    RegCloseKey(key);
}

void ControlBlock::SignalChanged() {
    // Watchers also poll, so a short pulse of the manual-reset event is enough to wake them early.
    SetEvent(changed_.Get());
    Sleep(50);
    ResetEvent(changed_.Get());
}

}  // namespace testcam
