#pragma once
// The program's current folder, put back when the scope ends. The file and
// folder requesters move it to wherever the user looked (the open requester
// with a hook does so even with OFN_NOCHANGEDIR), and on Windows a folder
// that is a program's current folder cannot be renamed: a picture chosen from
// inside Downloads would keep Downloads from being hidden.

#include <windows.h>

#include <string>

namespace seamster::ui {

class KeepCurrentFolder {
public:
    KeepCurrentFolder() {
        const DWORD size = GetCurrentDirectoryW(0, nullptr);
        folder_.resize(size);
        folder_.resize(size ? GetCurrentDirectoryW(size, folder_.data()) : 0);
    }
    ~KeepCurrentFolder() {
        if (!folder_.empty()) SetCurrentDirectoryW(folder_.c_str());
    }
    KeepCurrentFolder(const KeepCurrentFolder&) = delete;
    KeepCurrentFolder& operator=(const KeepCurrentFolder&) = delete;

private:
    std::wstring folder_;
};

}  // namespace seamster::ui
