#pragma once
// Owners for what the program takes from Win32: each gives its handle, device context,
// selection or COM scope back when it goes out of scope, so that an early return or an
// exception reaching a window procedure leaks nothing. Win32 only: the portable core never
// includes it, its *_win32 halves and the front end do.

#include <windows.h>

#include <objbase.h>

#include <utility>

// One handle and the call that gives it back; null and INVALID_HANDLE_VALUE hold nothing, and
// are what the functions that open files and searches answer on failure.
template <class H, auto close>
class Owned {
public:
    Owned() = default;
    explicit Owned(H handle) noexcept : handle_(handle) {}
    Owned(Owned&& other) noexcept : handle_(other.Release()) {}
    Owned& operator=(Owned&& other) noexcept {
        Reset(other.Release());
        return *this;
    }
    ~Owned() { Reset(); }

    operator H() const noexcept { return handle_; }
    bool Valid() const noexcept { return handle_ && handle_ != INVALID_HANDLE_VALUE; }
    H Release() noexcept { return std::exchange(handle_, H{}); }
    void Reset(H handle = H{}) noexcept {
        if (Valid()) close(handle_);
        handle_ = handle;
    }
    // For a function that answers through an out-parameter: what was held goes first.
    H* Put() noexcept {
        Reset();
        return &handle_;
    }

private:
    H handle_{};
};

using UniqueHandle = Owned<HANDLE, &::CloseHandle>;
using FindHandle = Owned<HANDLE, &::FindClose>;
using ChangeNotification = Owned<HANDLE, &::FindCloseChangeNotification>;
using RegKey = Owned<HKEY, &::RegCloseKey>;
using UniqueIcon = Owned<HICON, &::DestroyIcon>;
using UniqueMenu = Owned<HMENU, &::DestroyMenu>;  // one that no window holds
using AcceleratorTable = Owned<HACCEL, &::DestroyAcceleratorTable>;
using WindowsHook = Owned<HHOOK, &::UnhookWindowsHookEx>;
template <class T>
using GdiObject = Owned<T, &::DeleteObject>;
template <class T>
using CoTaskMemory = Owned<T, &::CoTaskMemFree>;

// What the scopes below share: taken where they begin, given back where they end, once.
class Scope {
public:
    Scope() = default;
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
};

// An object selected into a device context, the one it replaced selected back at the end. A
// null object selects nothing.
class SelectedObject : Scope {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), old_(object ? ::SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (old_) ::SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A window's painting, BeginPaint to EndPaint, and its client-area DC, GetDC to ReleaseDC;
// null when the call failed.
class PaintDC : Scope {
public:
    explicit PaintDC(HWND window) noexcept : window_(window), dc_(::BeginPaint(window, &ps_)) {}
    ~PaintDC() {
        if (dc_) ::EndPaint(window_, &ps_);
    }
    operator HDC() const noexcept { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

class WindowDC : Scope {
public:
    explicit WindowDC(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
    ~WindowDC() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    operator HDC() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// COM on this thread, given up at the end when this scope was the one to get it.
class ComScope : Scope {
public:
    explicit ComScope(DWORD model) noexcept : result_(::CoInitializeEx(nullptr, model)) {}
    ~ComScope() {
        if (SUCCEEDED(result_)) ::CoUninitialize();
    }

private:
    HRESULT result_;
};
