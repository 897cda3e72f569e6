#include "platform/win32/Win32Platform.h"

#include <tlhelp32.h>

#include "platform/win32/Handles.h"

namespace seamster {

// Walks the process list; the ids of the processes with the name go to `found`.
ProcessState Win32Processes::walk(const std::string& exeName, std::vector<DWORD>* found) {
    // The tool-help functions are looked up afresh on every walk.
    LibraryHandle kernel(LoadLibraryW(L"Kernel32.dll"));
    if (!kernel) return ProcessState::unknown;
    using Snapshot = HANDLE(WINAPI*)(DWORD, DWORD);
    // The ANSI record, to go with the ANSI names looked up below.
    using Entry = tagPROCESSENTRY32;
    using Walk = BOOL(WINAPI*)(HANDLE, Entry*);
    auto snapshot = reinterpret_cast<Snapshot>(
        reinterpret_cast<void*>(GetProcAddress(kernel.get(), "CreateToolhelp32Snapshot")));
    auto first = reinterpret_cast<Walk>(
        reinterpret_cast<void*>(GetProcAddress(kernel.get(), "Process32First")));
    auto next = reinterpret_cast<Walk>(
        reinterpret_cast<void*>(GetProcAddress(kernel.get(), "Process32Next")));
    ProcessState result = ProcessState::notRunning;
    if (snapshot && first && next) {
        FileHandle list(snapshot(TH32CS_SNAPPROCESS, 0));
        if (list) {
            Entry entry = {};
            entry.dwSize = sizeof(Entry);
            for (BOOL more = first(list.get(), &entry); more; more = next(list.get(), &entry)) {
                if (exeName != entry.szExeFile) continue;
                result = ProcessState::running;
                if (found) found->push_back(entry.th32ProcessID);
            }
        }
    }
    return result;
}

ProcessState Win32Processes::checkRunning(const std::string& exeName) {
    return walk(exeName, nullptr);
}

ProcessState Win32Processes::findAndWatch(const std::string& exeName) {
    std::vector<DWORD> found;
    const ProcessState result = walk(exeName, &found);
    watched_.reset();
    for (DWORD id : found) {
        watched_.reset(OpenProcess(SYNCHRONIZE, FALSE, id));
        if (watched_ && WaitForSingleObject(watched_.get(), 0) == WAIT_TIMEOUT) break;
        watched_.reset();
    }
    return result;
}

bool Win32Processes::watchedRunning() {
    if (watched_ && WaitForSingleObject(watched_.get(), 0) != WAIT_TIMEOUT) watched_.reset();
    return static_cast<bool>(watched_);
}

}  // namespace seamster
