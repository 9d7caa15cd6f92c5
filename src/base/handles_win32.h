#pragma once
// Owners for what the program takes from Win32: each gives its handle, device context,
// selection or COM scope back when it goes out of scope, so that an early return or an
// exception reaching a window procedure leaks nothing. Win32 only: the portable core never
// includes it, its *_win32 halves and the front end do.

#include <windows.h>

#include <objbase.h>

#include <utility>

// One handle and the call that gives it back; null and INVALID_HANDLE_VALUE hold nothing.
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
    H Get() const noexcept { return handle_; }
    H Release() noexcept { return std::exchange(handle_, H{}); }
    void Reset(H handle = H{}) noexcept {
        if (handle_ && handle_ != INVALID_HANDLE_VALUE) close(handle_);
        handle_ = handle;
    }

private:
    H handle_{};
};

// How each kind is given back.
struct GiveBack {
    static void Handle(HANDLE handle) { ::CloseHandle(handle); }
    static void Search(HANDLE search) { ::FindClose(search); }
    static void Notification(HANDLE notification) { ::FindCloseChangeNotification(notification); }
    static void Key(HKEY key) { ::RegCloseKey(key); }
    static void Icon(HICON icon) { ::DestroyIcon(icon); }
    template <class T>
    static void GdiObject(T object) {
        ::DeleteObject(object);
    }
    template <class T>
    static void CoTaskMemory(T memory) {
        ::CoTaskMemFree(memory);
    }
};

using UniqueHandle = Owned<HANDLE, &GiveBack::Handle>;
using FindHandle = Owned<HANDLE, &GiveBack::Search>;
using ChangeNotification = Owned<HANDLE, &GiveBack::Notification>;
using RegKey = Owned<HKEY, &GiveBack::Key>;
using Icon = Owned<HICON, &GiveBack::Icon>;
template <class T>
using GdiObject = Owned<T, &GiveBack::GdiObject<T>>;
template <class T>
using CoTaskMemory = Owned<T, &GiveBack::CoTaskMemory<T>>;

// An object selected into a device context for a scope, the one it replaced selected back at
// the end. A null object selects nothing.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), old_(object ? ::SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (old_) ::SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A window's painting, from BeginPaint to EndPaint; null when BeginPaint failed.
class PaintDC {
public:
    explicit PaintDC(HWND window) noexcept : window_(window), dc_(::BeginPaint(window, &ps_)) {}
    ~PaintDC() {
        if (dc_) ::EndPaint(window_, &ps_);
    }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    operator HDC() const noexcept { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// A window's client-area device context, from GetDC to ReleaseDC; null when GetDC failed.
class WindowDC {
public:
    explicit WindowDC(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
    ~WindowDC() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    operator HDC() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// COM on this thread for a scope, given up at its end when this scope was the one to get it.
class ComScope {
public:
    explicit ComScope(DWORD model) noexcept : result_(::CoInitializeEx(nullptr, model)) {}
    ~ComScope() {
        if (SUCCEEDED(result_)) ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT result_;
};
