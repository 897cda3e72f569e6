#pragma once
// The file-system service over a POSIX disk, so that the benchmark reads and
// writes real files the way the program does on Windows. Backslashes in paths
// are taken as folder separators; names are matched case-sensitively, as the
// disk stores them (the benchmark only uses names it made itself).

#include "platform/FileSystem.h"

namespace seamster {

class PosixFileSystem final : public FileSystem {
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
    bool removeLink(const std::string&) override { return false; }  // the benches make none
    std::optional<std::string> readFile(const std::string& path,
                                        size_t maxBytes = 64u << 20) override;
    std::optional<std::string> readFileStart(const std::string& path, size_t maxBytes) override;
    bool writeFile(const std::string& path, const std::string& data) override;
    std::unique_ptr<AppendFile> openForAppend(const std::string& path) override;
    bool flushFile(const std::string& path) override;
    std::optional<FileIdentity> identityOf(const std::string& path) override;
    FsError lastError() override { return FsError::other; }
};

// The POSIX path for a program path: backslashes become slashes.
std::string posixPath(const std::string& path);

}  // namespace seamster
