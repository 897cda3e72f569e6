#pragma once
// The Win32 implementations of the platform services, each in the file of
// its name (Win32FileSystem.cpp, ...); the text and time conversions they
// share are in Conversions.cpp.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/win32/Handles.h"

namespace seamster {

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& wide);
std::string narrow(const wchar_t* wide);

class Win32FileSystem : public FileSystem {
public:
    bool list(const std::string& folder, const std::string& pattern,
              std::vector<DirEntry>& out) override;
    PathKind exists(const std::string& path) override;
    bool rename(const std::string& from, const std::string& to) override;
    bool replace(const std::string& from, const std::string& to) override;
    bool copyFile(const std::string& from, const std::string& to, bool replaceExisting) override;
    bool createNewFile(const std::string& path) override;
    bool deleteFile(const std::string& path) override;
    bool clearReadOnly(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    bool removeFolder(const std::string& path) override;
    bool removeLink(const std::string& path) override;
    std::optional<std::string> readFile(const std::string& path, size_t maxBytes) override;
    std::optional<std::string> readFileStart(const std::string& path, size_t maxBytes) override;
    bool writeFile(const std::string& path, const std::string& data) override;
    std::unique_ptr<AppendFile> openForAppend(const std::string& path) override;
    bool flushFile(const std::string& path) override;
    std::optional<FileIdentity> identityOf(const std::string& path) override;
    FsError lastError() override;
};

class Win32Clock : public Clock {
public:
    int64_t now() override;
    LocalDate today() override;
    LocalDate localDateOf(int64_t utcSeconds) override;
    LocalDateTime localNow() override;
    int64_t milliseconds() override { return int64_t(GetTickCount64()); }

private:
    // The time zone as last asked for, and when (GetTickCount64).
    TIME_ZONE_INFORMATION zone_{};
    bool zoneKnown_ = false;
    ULONGLONG zoneAskedAt_ = 0;
};

class Win32Registry : public Registry {
public:
    RegistryRead readLocalMachineText(const std::string& keyPath, const std::string& valueName,
                                      std::string& value) override;
    RegistryRead readText(RegistryRoot root, const std::string& keyPath,
                          const std::string& valueName, std::string& value) override;
    std::vector<std::string> subKeyNames(RegistryRoot root, const std::string& keyPath) override;
};

class Win32Shell : public Shell {
public:
    bool open(const std::string& target, const std::string& parameters) override;
    bool showHelpPage(const std::string& helpFile, const std::string& page) override;
    std::string specialFolder(SpecialFolder which) override;
    std::string currentFolder() override;
    std::string programFolder() override;

private:
    KernelHandle viewer_;  // the help viewer started last
};

class Win32Processes : public Processes {
public:
    ProcessState checkRunning(const std::string& exeName) override;
    ProcessState findAndWatch(const std::string& exeName) override;
    bool watchedRunning() override;
    void* watchedEndSignal() override { return watched_.get(); }

private:
    ProcessState walk(const std::string& exeName, std::vector<DWORD>* found);
    KernelHandle watched_;
};

class Win32TextCodec : public TextCodec {
public:
    std::string toFileBytes(const std::string& utf8) override;
    std::string fromFileBytes(const std::string& bytes) override;
};

// Converts between FILETIME (100 ns since 1601) and seconds since 1970.
int64_t fileTimeToUnix(const FILETIME& time);
FILETIME unixToFileTime(int64_t seconds);

}  // namespace seamster
