#pragma once
// Owning wrappers for Win32 handles: each closes its handle exactly once.

#include <windows.h>

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

using FileHandle = UniqueHandle<HANDLE, FileTraits>;
using KernelHandle = UniqueHandle<HANDLE, KernelTraits>;
using RegistryKey = UniqueHandle<HKEY, RegistryTraits>;
using BitmapHandle = UniqueHandle<HBITMAP, GdiTraits<HBITMAP>>;
using FontHandle = UniqueHandle<HFONT, GdiTraits<HFONT>>;
using BrushHandle = UniqueHandle<HBRUSH, GdiTraits<HBRUSH>>;
using IconHandle = UniqueHandle<HICON, IconTraits>;

}  // namespace seamster
