#include <cstdlib>
#include "Driver.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <png.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>

namespace seamster::e2e {
namespace {

// Seamster is DPI aware; so is the driver, so both see the same pixels.
const bool dpiAware = SetProcessDPIAware() != FALSE;

// No single message may keep the driver waiting longer than this.
constexpr UINT messageTimeoutMs = 3000;
constexpr int pollMs = 20;

template <typename Found>
HWND waitFor(int timeoutMs, Found found) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        if (HWND window = found()) return window;
        if (GetTickCount64() >= end) return nullptr;
        Sleep(pollMs);
    }
}

std::wstring windowTitle(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring title(static_cast<size_t>(length) + 1, L'\0');
    title.resize(static_cast<size_t>(GetWindowTextW(window, title.data(), length + 1)));
    return title;
}

// Calls visit for each visible top-level window of the process until it
// returns true; gives back that window.
template <typename Visit>
HWND findTopLevel(DWORD processId, Visit visit) {
    struct Search {
        DWORD processId;
        Visit* visit;
        HWND found;
    } search{processId, &visit, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (!IsWindowVisible(window) || processOf(window) != s->processId) return TRUE;
            if (!(*s->visit)(window)) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring fromRemoteText(const RemoteBuffer& buffer, size_t offset, size_t characters) {
    std::wstring text(characters, L'\0');
    if (!buffer.read(text.data(), characters * sizeof(wchar_t), offset)) return {};
    text.resize(wcsnlen(text.c_str(), characters));
    return text;
}

std::string itemTextOf(HWND window, UINT lengthMessage, UINT textMessage, int index) {
    bool ok = false;
    const LRESULT length =
        sendWithTimeout(window, lengthMessage, static_cast<WPARAM>(index), 0, &ok);
    if (!ok || length < 0) return {};
    std::wstring item(static_cast<size_t>(length) + 1, L'\0');
    // The system carries these standard messages' text across processes.
    const LRESULT copied = sendWithTimeout(window, textMessage, static_cast<WPARAM>(index),
                                           reinterpret_cast<LPARAM>(item.data()), &ok);
    if (!ok || copied < 0) return {};
    item.resize(static_cast<size_t>(copied));
    return narrow(item);
}

void notifyOwner(HWND control, WORD code) {
    const int id = GetDlgCtrlID(control);
    PostMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(control));
}

bool writePng(const std::string& path, int width, int height, const unsigned char* bgrRows,
              int stride) {
    FILE* file = _wfopen(widen(path).c_str(), L"wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool written = false;
    if (info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, file);
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height),
                     8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        png_set_bgr(png);
        for (int y = 0; y < height; ++y)
            png_write_row(png, bgrRows + static_cast<size_t>(y) * stride);
        png_write_end(png, nullptr);
        written = true;
    }
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0 && written;
}

}  // namespace

DWORD processOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

LRESULT sendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* ok) {
    DWORD_PTR result = 0;
    const LRESULT sent = SendMessageTimeoutW(
        window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK, messageTimeoutMs, &result);
    if (ok) *ok = sent != 0;
    return sent ? static_cast<LRESULT>(result) : 0;
}

std::wstring widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

std::string narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size,
                        nullptr, nullptr);
    return utf8;
}

std::ostream& operator<<(std::ostream& out, const Rect& r) {
    return out << "(" << r.x << ", " << r.y << ") " << r.width << " x " << r.height;
}

// --- files ---------------------------------------------------------------------------

bool fileExists(const std::string& path) {
    return GetFileAttributesW(widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::filesystem::path hostPath(const std::string& path) {
    return std::filesystem::path(widen(path));
}

bool folderExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(hostPath(path), error);
}

bool makeFolders(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(hostPath(path), error);
    return folderExists(path);
}

bool removeTree(const std::string& path) {
    std::error_code error;
    std::filesystem::remove_all(hostPath(path), error);
    return !error && !fileExists(path);
}

int indexOf(const std::vector<std::string>& items, const std::string& item) {
    const auto found = std::find(items.begin(), items.end(), item);
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

std::optional<std::string> readFileBytes(const std::string& path) {
    HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, chunk, sizeof chunk, &got, nullptr)) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    if (!ok) return std::nullopt;
    return bytes;
}

bool writeFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE file =
        CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    return CloseHandle(file) && ok;
}

bool deleteFile(const std::string& path) {
    return DeleteFileW(widen(path).c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

// --- processes --------------------------------------------------------------------------

Process::Process(Process&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), id_(std::exchange(other.id_, 0)) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        terminate();
        handle_ = std::exchange(other.handle_, nullptr);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

Process::~Process() { terminate(); }

Process Process::start(const std::string& exe, const std::string& workingFolder,
                       const std::string& arguments) {
    Process process;
    std::wstring commandLine = L"\"" + widen(exe) + L"\"";
    if (!arguments.empty()) commandLine += L" " + widen(arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const std::wstring folder = widen(workingFolder);
    if (CreateProcessW(widen(exe).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        CloseHandle(info.hThread);
        process.handle_ = info.hProcess;
        process.id_ = info.dwProcessId;
    }
    return process;
}

bool Process::isRunning() const {
    return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

bool Process::waitForExit(int timeoutMs) const {
    return handle_ && WaitForSingleObject(handle_, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

std::optional<DWORD> Process::exitCode() const {
    DWORD code = 0;
    if (!handle_ || isRunning() || !GetExitCodeProcess(handle_, &code)) return std::nullopt;
    return code;
}

void Process::terminate() {
    if (!handle_) return;
    if (isRunning()) {
        TerminateProcess(handle_, 1);
        WaitForSingleObject(handle_, 5000);
    }
    CloseHandle(handle_);
    handle_ = nullptr;
    id_ = 0;
}

std::vector<DWORD> processIdsNamed(const std::string& exeName) {
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return ids;
    const std::wstring wanted = widen(exeName);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry))
        if (wanted == entry.szExeFile) ids.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return ids;
}

bool waitUntilNoProcessNamed(const std::string& exeName, int timeoutMs) {
    return waitUntil([&] { return processIdsNamed(exeName).empty(); }, timeoutMs);
}

void terminateProcessesNamed(const std::string& exeName) {
    for (DWORD id : processIdsNamed(exeName)) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (!process) continue;
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

std::string commandLineOf(DWORD processId) {
    using Query = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!query || !process) return {};
    // The process block, its parameters, then the text they point at.
    PROCESS_BASIC_INFORMATION basic{};
    PEB block{};
    RTL_USER_PROCESS_PARAMETERS parameters{};
    std::wstring line;
    auto read = [&](const void* at, void* into, size_t size) {
        return ReadProcessMemory(process, at, into, size, nullptr) != FALSE;
    };
    if (query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) == 0 &&
        read(basic.PebBaseAddress, &block, sizeof block) &&
        read(block.ProcessParameters, &parameters, sizeof parameters)) {
        line.resize(parameters.CommandLine.Length / sizeof(wchar_t));
        if (!read(parameters.CommandLine.Buffer, line.data(), parameters.CommandLine.Length))
            line.clear();
    }
    CloseHandle(process);
    return narrow(line);
}

namespace {
std::string folderOfThisProgram() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return narrow(folder.substr(0, folder.find_last_of(L"\\/")));
}

// True while nobody else may open the path for reading.
bool isHeld(const std::string& path) {
    HANDLE probe = CreateFileW(widen(path).c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
    return probe == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION;
}
}  // namespace

Process holdOpen(const std::vector<std::string>& paths, bool letRename) {
    std::string arguments = letRename ? "--let-rename" : "";
    for (const std::string& path : paths) arguments += " \"" + path + "\"";
    Process holder = Process::start(folderOfThisProgram() + "\\HoldFile.exe", "", arguments);
    const bool held = waitUntil([&] {
        if (!holder.isRunning()) return false;
        for (const std::string& path : paths)
            if (!isHeld(path)) return false;
        return true;
    });
    if (!held) holder.terminate();
    return holder;
}

bool waitUntil(const std::function<bool()>& check, int timeoutMs) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        if (check()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(pollMs);
    }
}

bool waitUntilSettled(const std::function<std::string()>& state, int quietMs, int limitMs) {
    const ULONGLONG start = GetTickCount64();
    const ULONGLONG end = start + static_cast<ULONGLONG>(limitMs);
    std::string last = state();
    ULONGLONG since = start;
    for (;;) {
        Sleep(pollMs);
        const ULONGLONG now = GetTickCount64();
        std::string current = state();
        if (current != last) {
            last = std::move(current);
            since = now;
        } else if (now - since >= static_cast<ULONGLONG>(quietMs)) {
            return true;
        }
        if (now >= end) return false;
    }
}

// --- windows -------------------------------------------------------------------------------

HWND findWindow(DWORD processId, const std::string& title) {
    const std::wstring wanted = widen(title);
    return findTopLevel(processId, [&](HWND window) { return windowTitle(window) == wanted; });
}

HWND waitForWindow(DWORD processId, const std::string& title, int timeoutMs) {
    return waitFor(timeoutMs, [&] { return findWindow(processId, title); });
}

HWND findWindowStartingWith(DWORD processId, const std::string& titleStart) {
    const std::wstring wanted = widen(titleStart);
    return findTopLevel(processId,
                        [&](HWND window) { return windowTitle(window).starts_with(wanted); });
}

HWND findProgramWindow(const std::string& exeName, const std::string& title) {
    for (DWORD id : processIdsNamed(exeName))
        if (HWND window = findWindow(id, title)) return window;
    return nullptr;
}

HWND waitForProgramWindow(const std::string& exeName, const std::string& title, int timeoutMs) {
    return waitFor(timeoutMs, [&] { return findProgramWindow(exeName, title); });
}

std::vector<std::string> visibleWindowTitles(DWORD processId) {
    std::vector<std::string> titles;
    findTopLevel(processId, [&](HWND window) {
        titles.push_back(narrow(windowTitle(window)) + " [" + className(window) + "]");
        return false;
    });
    return titles;
}

std::string shownState(DWORD processId) {
    std::string state;
    findTopLevel(processId, [&](HWND window) {
        state += narrow(windowTitle(window)) + " [" + className(window) + "]" +
                 (isEnabled(window) ? "" : " disabled") + "\n";
        EnumChildWindows(
            window,
            [](HWND child, LPARAM data) -> BOOL {
                auto& out = *reinterpret_cast<std::string*>(data);
                out += "  " + className(child) + " " + std::to_string(GetDlgCtrlID(child)) + " \"" +
                       text(child) + "\"" + (isVisible(child) ? "" : " hidden") +
                       (isEnabled(child) ? "" : " disabled") + "\n";
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&state));
        return false;
    });
    return state;
}

bool waitUntilProgramSettled(DWORD processId, int quietMs, int limitMs) {
    return waitUntilSettled([&] { return shownState(processId); }, quietMs, limitMs);
}

bool waitUntilGone(HWND window, int timeoutMs) {
    return waitFor(timeoutMs, [&]() -> HWND {
               return !IsWindow(window) || !IsWindowVisible(window) ? window : nullptr;
           }) != nullptr;
}

HWND findMessageBox(DWORD processId) {
    // The message text sits in a static control with ID 0xFFFF.
    return findTopLevel(processId, [](HWND window) {
        return className(window) == "#32770" && GetDlgItem(window, 0xFFFF) != nullptr;
    });
}

HWND waitForMessageBox(DWORD processId, int timeoutMs) {
    return waitFor(timeoutMs, [&] { return findMessageBox(processId); });
}

HWND findDialogHolding(DWORD processId, const std::string& controlClass) {
    return findTopLevel(processId, [&](HWND window) {
        return className(window) == "#32770" && descendantOfClass(window, controlClass) != nullptr;
    });
}

HWND waitForDialogHolding(DWORD processId, const std::string& controlClass, int timeoutMs) {
    return waitFor(timeoutMs, [&] { return findDialogHolding(processId, controlClass); });
}

std::string messageBoxText(HWND box) { return text(GetDlgItem(box, 0xFFFF)); }

bool pressMessageBoxButton(HWND box, int buttonId) {
    HWND button = GetDlgItem(box, buttonId);
    if (!button) return false;
    click(button);
    return true;
}

// --- controls ---------------------------------------------------------------------------------

HWND control(HWND parent, int id) { return parent ? GetDlgItem(parent, id) : nullptr; }

HWND childOfClass(HWND parent, const std::string& name) {
    return parent ? FindWindowExW(parent, nullptr, widen(name).c_str(), nullptr) : nullptr;
}

HWND descendantOfClass(HWND parent, const std::string& name) {
    if (!parent) return nullptr;
    struct Search {
        std::string name;
        HWND found;
    } search{name, nullptr};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (className(window) != s->name) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string className(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return narrow(name);
}

std::string text(HWND window) {
    if (!window) return {};
    // WM_GETTEXT, unlike GetWindowText, also reads other processes' controls.
    bool ok = false;
    const LRESULT length = sendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0, &ok);
    if (!ok) return {};
    std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        sendWithTimeout(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<size_t>(copied));
    return narrow(buffer);
}

bool setText(HWND window, const std::string& value) {
    const std::wstring wide = widen(value);
    bool ok = false;
    const LRESULT done =
        sendWithTimeout(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), &ok);
    return ok && done;
}

bool isEnabled(HWND window) { return window && IsWindowEnabled(window); }
bool isVisible(HWND window) { return window && IsWindowVisible(window); }
LONG_PTR style(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }

void click(HWND button) {
    // Queued for the button's thread; returns at once.
    if (button) SendNotifyMessageW(button, BM_CLICK, 0, 0);
}

bool isChecked(HWND button) { return sendWithTimeout(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

Rect windowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Rect clientRect(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {0, 0, r.right, r.bottom};
}

Rect rectInParent(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

bool moveWindow(HWND window, int x, int y) {
    return SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool raiseWindow(HWND window) {
    return SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) !=
           FALSE;
}

void closeWindow(HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); }

std::vector<std::string> comboItems(HWND combo) {
    std::vector<std::string> items;
    const LRESULT count = sendWithTimeout(combo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i)
        items.push_back(itemTextOf(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, i));
    return items;
}

int comboSelection(HWND combo) {
    return static_cast<int>(sendWithTimeout(combo, CB_GETCURSEL, 0, 0));
}

bool chooseComboItem(HWND combo, int index) {
    if (sendWithTimeout(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0) != index) return false;
    notifyOwner(combo, CBN_SELCHANGE);
    return true;
}

std::vector<std::string> listBoxItems(HWND list) {
    std::vector<std::string> items;
    const LRESULT count = sendWithTimeout(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) items.push_back(itemTextOf(list, LB_GETTEXTLEN, LB_GETTEXT, i));
    return items;
}

int listBoxSelection(HWND list) {
    return static_cast<int>(sendWithTimeout(list, LB_GETCURSEL, 0, 0));
}

bool chooseListBoxItem(HWND list, int index) {
    if (sendWithTimeout(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0) != index) return false;
    notifyOwner(list, LBN_SELCHANGE);
    return true;
}

int listViewRowCount(HWND list) {
    return static_cast<int>(sendWithTimeout(list, LVM_GETITEMCOUNT, 0, 0));
}

int listViewColumnCount(HWND list) {
    HWND header = reinterpret_cast<HWND>(sendWithTimeout(list, LVM_GETHEADER, 0, 0));
    return header ? static_cast<int>(sendWithTimeout(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string listViewColumnTitle(HWND list, int column) {
    constexpr size_t characters = 512;
    RemoteBuffer buffer(list, sizeof(LVCOLUMNW) + characters * sizeof(wchar_t));
    if (!buffer) return {};
    LVCOLUMNW request{};
    request.mask = LVCF_TEXT;
    request.pszText = reinterpret_cast<LPWSTR>(buffer.address() + sizeof(LVCOLUMNW));
    request.cchTextMax = characters;
    if (!buffer.write(&request, sizeof request)) return {};
    if (!sendWithTimeout(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), buffer.param()))
        return {};
    return narrow(fromRemoteText(buffer, sizeof(LVCOLUMNW), characters));
}

int listViewColumnWidth(HWND list, int column) {
    return static_cast<int>(
        sendWithTimeout(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

std::string listViewText(HWND list, int row, int column) {
    constexpr size_t characters = 1024;
    RemoteBuffer buffer(list, sizeof(LVITEMW) + characters * sizeof(wchar_t));
    if (!buffer) return {};
    LVITEMW request{};
    request.mask = LVIF_TEXT;
    request.iItem = row;
    request.iSubItem = column;
    request.pszText = reinterpret_cast<LPWSTR>(buffer.address() + sizeof(LVITEMW));
    request.cchTextMax = characters;
    if (!buffer.write(&request, sizeof request)) return {};
    const LRESULT length =
        sendWithTimeout(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), buffer.param());
    if (length <= 0) return {};
    return narrow(fromRemoteText(buffer, sizeof(LVITEMW), characters));
}

bool listViewChecked(HWND list, int row) {
    const LRESULT state =
        sendWithTimeout(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
    return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

bool listViewSelected(HWND list, int row) {
    return sendWithTimeout(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) &
           LVIS_SELECTED;
}

namespace {
bool setListViewItemState(HWND list, int row, UINT mask, UINT state) {
    RemoteBuffer buffer(list, sizeof(LVITEMW));
    if (!buffer) return false;
    LVITEMW request{};
    request.stateMask = mask;
    request.state = state;
    if (!buffer.write(&request, sizeof request)) return false;
    return sendWithTimeout(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), buffer.param()) != 0;
}
}  // namespace

bool setListViewChecked(HWND list, int row, bool checked) {
    return setListViewItemState(list, row, LVIS_STATEIMAGEMASK,
                                INDEXTOSTATEIMAGEMASK(checked ? 2 : 1));
}

bool selectListViewRow(HWND list, int row) {
    return setListViewItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED,
                                LVIS_SELECTED | LVIS_FOCUSED);
}

Rect listViewRowRect(HWND list, int row, int part) {
    RemoteBuffer buffer(list, sizeof(RECT));
    if (!buffer) return {};
    RECT r{};
    r.left = part;
    if (!buffer.write(&r, sizeof r) ||
        !sendWithTimeout(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), buffer.param()) ||
        !buffer.read(&r, sizeof r))
        return {};
    POINT corner{r.left, r.top};
    ClientToScreen(list, &corner);
    return {corner.x, corner.y, r.right - r.left, r.bottom - r.top};
}

std::vector<int> statusBarPartEdges(HWND bar) {
    constexpr int most = 64;
    RemoteBuffer buffer(bar, most * sizeof(int));
    if (!buffer) return {};
    const LRESULT count = sendWithTimeout(bar, SB_GETPARTS, most, buffer.param());
    if (count <= 0 || count > most) return {};
    std::vector<int> edges(static_cast<size_t>(count));
    if (!buffer.read(edges.data(), edges.size() * sizeof(int))) return {};
    return edges;
}

std::string statusBarText(HWND bar, int part) {
    const LRESULT length =
        LOWORD(sendWithTimeout(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
    const size_t characters = static_cast<size_t>(length) + 1;
    RemoteBuffer buffer(bar, characters * sizeof(wchar_t));
    if (!buffer) return {};
    sendWithTimeout(bar, SB_GETTEXTW, static_cast<WPARAM>(part), buffer.param());
    std::wstring field = fromRemoteText(buffer, 0, characters);
    // A leading tab centres a field's text, a second one right-aligns it.
    const size_t start = field.find_first_not_of(L'\t');
    return start == std::wstring::npos ? std::string{} : narrow(field.substr(start));
}

std::vector<ToolBarButton> toolBarButtons(HWND bar) {
    std::vector<ToolBarButton> buttons;
    RemoteBuffer buffer(bar, sizeof(TBBUTTON));
    if (!buffer) return buttons;
    const LRESULT count = sendWithTimeout(bar, TB_BUTTONCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        if (!sendWithTimeout(bar, TB_GETBUTTON, static_cast<WPARAM>(i), buffer.param()) ||
            !buffer.read(&button, sizeof button))
            break;
        buttons.push_back({button.idCommand, (button.fsStyle & BTNS_SEP) != 0,
                           (button.fsState & TBSTATE_ENABLED) != 0});
    }
    return buttons;
}

bool toolBarButtonEnabled(HWND bar, int command) {
    // Read from the button itself: asking the bar by command number would
    // answer for the first entry with that number, which may be a separator.
    for (const ToolBarButton& button : toolBarButtons(bar))
        if (!button.separator && button.command == command) return button.enabled;
    return false;
}

void pressToolBarButton(HWND bar, int command) {
    // A disabled button does not react to a click.
    if (!toolBarButtonEnabled(bar, command)) return;
    PostMessageW(GetParent(bar), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
                 reinterpret_cast<LPARAM>(bar));
}

Rect screenRect() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

// --- screenshots -----------------------------------------------------------------------------

void settle(HWND window, int ms) {
    // A message that returns only once the program's thread has taken it:
    // whatever was queued before it has been handled by then.
    sendWithTimeout(window, WM_NULL, 0, 0);
    Sleep(static_cast<DWORD>(ms));
}

int countScreenPixels(const Rect& area, COLORREF colour, int tolerance) {
    if (area.width <= 0 || area.height <= 0) return 0;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = area.width;
    info.bmiHeader.biHeight = -area.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screenDc = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screenDc);
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(screenDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    int count = 0;
    if (memory && picture) {
        HGDIOBJ previous = SelectObject(memory, picture);
        if (BitBlt(memory, 0, 0, area.width, area.height, screenDc, area.x, area.y,
                   SRCCOPY | CAPTUREBLT)) {
            GdiFlush();
            // Pixels are blue, green, red, unused; a COLORREF is red first.
            const auto* pixel = static_cast<const unsigned char*>(bits);
            for (int i = 0; i < area.width * area.height; ++i, pixel += 4)
                if (std::abs(pixel[2] - GetRValue(colour)) <= tolerance &&
                    std::abs(pixel[1] - GetGValue(colour)) <= tolerance &&
                    std::abs(pixel[0] - GetBValue(colour)) <= tolerance)
                    ++count;
        }
        SelectObject(memory, previous);
    }
    if (picture) DeleteObject(picture);
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screenDc);
    return count;
}

bool saveScreenshot(HWND window, const std::string& folder, const std::string& name) {
    if (folder.empty() || !window) return false;
    const Rect screen = screenRect();
    Rect area = windowRect(window);
    // Only what is on the screen can be copied.
    const int left = std::max(area.x, 0), top = std::max(area.y, 0);
    const int right = std::min(area.x + area.width, screen.width);
    const int bottom = std::min(area.y + area.height, screen.height);
    if (right <= left || bottom <= top) return false;
    const int width = right - left, height = bottom - top;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screenDc = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screenDc);
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(screenDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool saved = false;
    if (memory && picture) {
        HGDIOBJ previous = SelectObject(memory, picture);
        // The window's own drawing cannot be asked for from another process;
        // its area of the screen can.
        if (BitBlt(memory, 0, 0, width, height, screenDc, left, top, SRCCOPY | CAPTUREBLT)) {
            GdiFlush();
            const int stride = (width * 3 + 3) & ~3;
            CreateDirectoryW(widen(folder).c_str(), nullptr);
            saved = writePng(folder + "\\" + name + ".png", width, height,
                             static_cast<unsigned char*>(bits), stride);
        }
        SelectObject(memory, previous);
    }
    if (picture) DeleteObject(picture);
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screenDc);
    return saved;
}

}  // namespace seamster::e2e

namespace seamster::e2e {

bool xInput(const std::string& arguments) {
    const char* folder = std::getenv("SEAMSTER_E2E_KEYS");
    if (!folder || !*folder) {
        ADD_FAILURE() << "SEAMSTER_E2E_KEYS is not set: run the scenario through scripts/e2e.sh";
        return false;
    }
    const std::string request = std::string(folder) + "\\request",
                      done = std::string(folder) + "\\done";
    deleteFile(done);
    // Written whole under another name first, so the script never reads half of it.
    if (!writeFileBytes(request + ".tmp", arguments) ||
        !MoveFileExW(widen(request + ".tmp").c_str(), widen(request).c_str(),
                     MOVEFILE_REPLACE_EXISTING))
        return false;
    std::optional<std::string> answer;
    const bool answered = waitUntil([&] {
        answer = readFileBytes(done);
        return answer.has_value() && !answer->empty();
    });
    deleteFile(done);
    return answered && answer->starts_with("0");
}

bool clickCaption(HWND window) {
    const Rect outer = windowRect(window);
    RECT client = {};
    GetClientRect(window, &client);
    POINT corner = {0, 0};
    ClientToScreen(window, &corner);
    // Halfway across, in the middle of the band above the client area.
    const int x = outer.x + outer.width / 2, y = (outer.y + corner.y) / 2;
    const bool clicked =
        xInput("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1");
    settle(window, 300);
    return clicked;
}

bool pressKeys(const std::vector<std::string>& keys) {
    for (const std::string& key : keys) {
        if (!xInput("key " + key)) return false;
        Sleep(150);
    }
    return true;
}

HWND focusedControl(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus
                                                                              : nullptr;
}

HWND activeWindow(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndActive
                                                                              : nullptr;
}

}  // namespace seamster::e2e
