#pragma once
// Owning wrappers for Win32 handles: each closes its handle exactly once.

#include <windows.h>
#include <objbase.h>

#include <utility>

namespace seamster {

template <typename H, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, Traits::invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, Traits::invalid()));
        return *this;
    }
    ~UniqueHandle() { reset(); }

    H get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::invalid(); }
    H release() { return std::exchange(handle_, Traits::invalid()); }
    void reset(H handle = Traits::invalid()) {
        if (handle_ != Traits::invalid()) Traits::close(handle_);
        handle_ = handle;
    }
    // For functions that hand back a new handle through a pointer.
    H* receive() {
        reset();
        return &handle_;
    }

private:
    H handle_ = Traits::invalid();
};

struct FileTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { CloseHandle(h); }
};
struct KernelTraits {
    static HANDLE invalid() { return nullptr; }
    static void close(HANDLE h) { CloseHandle(h); }
};
struct RegistryTraits {
    static HKEY invalid() { return nullptr; }
    static void close(HKEY h) { RegCloseKey(h); }
};
template <typename T>
struct GdiTraits {
    static T invalid() { return nullptr; }
    static void close(T h) { DeleteObject(h); }
};
struct IconTraits {
    static HICON invalid() { return nullptr; }
    static void close(HICON h) { DestroyIcon(h); }
};
struct FindTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { FindClose(h); }
};
struct LibraryTraits {
    static HMODULE invalid() { return nullptr; }
    static void close(HMODULE h) { FreeLibrary(h); }
};

using FileHandle = UniqueHandle<HANDLE, FileTraits>;
using KernelHandle = UniqueHandle<HANDLE, KernelTraits>;
using RegistryKey = UniqueHandle<HKEY, RegistryTraits>;
using BitmapHandle = UniqueHandle<HBITMAP, GdiTraits<HBITMAP>>;
using FontHandle = UniqueHandle<HFONT, GdiTraits<HFONT>>;
using BrushHandle = UniqueHandle<HBRUSH, GdiTraits<HBRUSH>>;
using IconHandle = UniqueHandle<HICON, IconTraits>;
// A file search (FindFirstFile), closed with FindClose.
using FindHandle = UniqueHandle<HANDLE, FindTraits>;
using LibraryHandle = UniqueHandle<HMODULE, LibraryTraits>;

// A window's device context (the screen's for no window), released when it
// goes.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A named mutex this process holds from construction to destruction; only
// the first holder of the name owns it.
class NamedMutex {
public:
    explicit NamedMutex(const wchar_t* name) {
        mutex_.reset(CreateMutexW(nullptr, TRUE, name));
        owned_ = mutex_ && GetLastError() != ERROR_ALREADY_EXISTS;
    }
    ~NamedMutex() {
        if (owned_) ReleaseMutex(mutex_.get());
    }
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;
    // False when another process already held the name (or it could not be made).
    bool owned() const { return owned_; }

private:
    KernelHandle mutex_;
    bool owned_ = false;
};

// COM for this thread in a single-threaded apartment; left again only when
// entering succeeded.
class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    bool entered() const { return SUCCEEDED(result_); }
    HRESULT result() const { return result_; }

private:
    HRESULT result_;
};

}  // namespace seamster
