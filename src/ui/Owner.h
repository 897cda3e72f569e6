#pragma once
// The window a window or requester is shown over, or none: the windows name
// it by their toolkit window; only the toolkit looks at its handle.

#include <windows.h>

namespace seamster::ui {

class Window;

class Owner {
public:
    Owner() = default;
    Owner(const Window& window);  // a window is an owner wherever one is asked for
    // The window the system has active, or a handle the toolkit was given.
    static Owner ofHandle(HWND hwnd) {
        Owner owner;
        owner.hwnd_ = hwnd;
        return owner;
    }

    HWND hwnd() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }

private:
    HWND hwnd_ = nullptr;
};

}  // namespace seamster::ui
