#include "platform/win32/Win32Platform.h"

#include <shellapi.h>
#include <shlobj.h>

#include "platform/Text.h"

namespace seamster {

bool Win32Shell::open(const std::string& target, const std::string& parameters) {
    std::wstring file = widen(target), params = widen(parameters);
    HINSTANCE result =
        ShellExecuteW(GetActiveWindow(), L"open", file.c_str(),
                      params.empty() ? nullptr : params.c_str(), nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

namespace {
BOOL CALLBACK closeWindowOf(HWND window, LPARAM process) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == DWORD(process)) PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}
}  // namespace

bool Win32Shell::showHelpPage(const std::string& helpFile, const std::string& page) {
    // One help window, as the system's help does: the viewer shown for the
    // last page goes before the next one comes.
    if (viewer_ && WaitForSingleObject(viewer_.get(), 0) == WAIT_TIMEOUT)
        EnumWindows(&closeWindowOf, LPARAM(GetProcessId(viewer_.get())));
    viewer_.reset();
    wchar_t windows[MAX_PATH] = {};
    const UINT length = GetSystemWindowsDirectoryW(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return open(helpFile, "");
    const std::wstring viewer = std::wstring(windows) + L"\\hh.exe";
    // The viewer's own form for a page inside a help file: file::/page.
    std::wstring line = L"\"" + viewer + L"\" \"" + widen(helpFile) + L"::/" + widen(page) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(viewer.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        return open(helpFile, "");
    CloseHandle(started.hThread);
    viewer_.reset(started.hProcess);
    return true;
}

std::string Win32Shell::specialFolder(SpecialFolder which) {
    const int csidl = which == SpecialFolder::documents      ? CSIDL_PERSONAL
                      : which == SpecialFolder::programFiles ? CSIDL_PROGRAM_FILES
                                                             : CSIDL_PROGRAM_FILESX86;
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    std::string folder = narrow(path);
    return folder.empty() ? folder : withBackslash(folder);
}

std::string Win32Shell::currentFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    DWORD n = GetCurrentDirectoryW(MAX_PATH, path);
    return n == 0 || n > MAX_PATH ? std::string() : narrow(path);
}

std::string Win32Shell::programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return narrow(path.substr(0, path.find_last_of(L"\\/") + 1));
}

}  // namespace seamster
