// Owners for Win32 handles: one non-copyable, movable owner per handle kind.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <utility>

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        Reset(other.Release());
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return h_; }
    explicit operator bool() const { return Traits::IsValid(h_); }
    Handle Release() { return std::exchange(h_, Traits::Null()); }
    void Reset(Handle h = Traits::Null()) {
        Handle old = std::exchange(h_, h);
        if (Traits::IsValid(old)) Traits::Close(old);
    }

private:
    Handle h_ = Traits::Null();
};

struct KernelHandleTraits {  // events, threads, mutexes, file mappings
    using Handle = HANDLE;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct FileHandleTraits : KernelHandleTraits {  // CreateFile: INVALID_HANDLE_VALUE is the failure
    static Handle Null() { return INVALID_HANDLE_VALUE; }
};
template <typename H>
struct GdiObjectTraits {
    using Handle = H;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ::DeleteObject(h); }
};
struct DcTraits {  // CreateCompatibleDC / CreateDC
    using Handle = HDC;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ::DeleteDC(h); }
};
struct IconTraits {
    using Handle = HICON;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ::DestroyIcon(h); }
};
struct MenuTraits {
    using Handle = HMENU;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ::DestroyMenu(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ::FreeLibrary(h); }
};

using ScopedHandle = UniqueHandle<KernelHandleTraits>;
using ScopedFile = UniqueHandle<FileHandleTraits>;
using ScopedBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using ScopedBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using ScopedPen = UniqueHandle<GdiObjectTraits<HPEN>>;
using ScopedFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using ScopedRegion = UniqueHandle<GdiObjectTraits<HRGN>>;
using ScopedDc = UniqueHandle<DcTraits>;
using ScopedIcon = UniqueHandle<IconTraits>;
using ScopedMenu = UniqueHandle<MenuTraits>;
using ScopedModule = UniqueHandle<ModuleTraits>;

// Selects a GDI object into a DC for one scope and puts the old one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ obj) : dc_(dc), old_(::SelectObject(dc, obj)) {}
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ScopedSelect(ScopedSelect&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)), old_(other.old_) {}
    ~ScopedSelect() {
        if (dc_ && old_) ::SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A window DC from GetDC, given back with ReleaseDC.
class ScopedGetDc {
public:
    explicit ScopedGetDc(HWND wnd) : wnd_(wnd), dc_(::GetDC(wnd)) {}
    ScopedGetDc(const ScopedGetDc&) = delete;
    ScopedGetDc& operator=(const ScopedGetDc&) = delete;
    ~ScopedGetDc() {
        if (dc_) ::ReleaseDC(wnd_, dc_);
    }
    HDC Get() const { return dc_; }

private:
    HWND wnd_;
    HDC dc_;
};

// COM on this thread for one scope (apartment-threaded, as a window thread needs).
class ScopedComInit {
public:
    explicit ScopedComInit(DWORD model = COINIT_APARTMENTTHREADED) : hr_(::CoInitializeEx(nullptr, model)) {}
    ScopedComInit(const ScopedComInit&) = delete;
    ScopedComInit& operator=(const ScopedComInit&) = delete;
    ~ScopedComInit() {
        if (SUCCEEDED(hr_)) ::CoUninitialize();
    }
    bool Succeeded() const { return SUCCEEDED(hr_); }
    HRESULT Result() const { return hr_; }

private:
    HRESULT hr_;
};
