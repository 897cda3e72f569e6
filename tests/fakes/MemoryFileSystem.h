#pragma once
// An in-memory file system with Windows semantics, for tests: names compare
// without letter case (beyond ASCII too), lose trailing dots and blanks,
// listings come back in creation order, creation times and read-only flags
// can be set, and any operation can be made to fail. tests/contract holds
// the rules it shares with the Win32 file system.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace seamster {

enum class FsOp {
    list,
    rename,
    replace,
    copy,
    createFile,
    deleteFile,
    clearReadOnly,
    createFolder,
    removeFolder,
    removeLink,
    readFile,
    writeFile,
    append  // opening a file for appending, and each append
};

class MemoryFileSystem : public FileSystem {
public:
    MemoryFileSystem();

    // Set-up helpers: create parents as needed; return *this for chaining.
    MemoryFileSystem& addFolder(const std::string& path, int64_t created = 0);
    MemoryFileSystem& addFile(const std::string& path, const std::string& data = {},
                              int64_t created = 0);
    void setReadOnly(const std::string& path, bool readOnly);
    // Marks a file or folder as a link to elsewhere: it lists as a link, only
    // removeLink takes it away, and that leaves what it holds alone.
    void setLink(const std::string& path, bool isLink);
    // The contents of a file, or nothing.
    std::optional<std::string> contents(const std::string& path) const;
    // What of it would outlast a power cut: appends count once flushed.
    std::optional<std::string> flushedContents(const std::string& path) const;
    bool isReadOnly(const std::string& path) const;
    // Every path (as stored), folders with a trailing backslash, sorted; for
    // comparing whole trees before and after an operation.
    std::vector<std::string> snapshot() const;

    // Failure injection: an operation fails when this returns true for it;
    // it changes nothing, except a failed write or copy, which leaves the
    // target truncated as a full disk or a copy cut short would.
    std::function<bool(FsOp, const std::string& path)> failWhen;
    // Counts the operations that change something (rename, replace, copy,
    // createNewFile, deleteFile, clearReadOnly, createFolder, removeFolder,
    // removeLink, writeFile).
    int changeCount = 0;
    // When >= 0, the change with this number (counted from 0) fails.
    int failChangeNumber = -1;
    // Creation time given to entries that the program creates.
    int64_t now = 0;
    // What lastError() tells after an injected failure.
    FsError failError = FsError::other;

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
    // Appends are not counted in changeCount; failWhen sees the opening and
    // each append, and a failed append adds only half its data, as a full
    // disk would.
    std::unique_ptr<AppendFile> openForAppend(const std::string& path) override;
    // A copy reaches the disk only once flushed (see flushedContents).
    bool flushFile(const std::string& path) override;
    // The volume is the drive letter; each entry is its own file.
    std::optional<FileIdentity> identityOf(const std::string& path) override;
    FsError lastError() override { return lastError_; }

private:
    struct Node {
        std::string name;
        bool isFolder = false;
        bool readOnly = false;
        bool isLink = false;
        int64_t created = 0;
        uint64_t order = 0;
        std::string data;
        std::optional<size_t> flushedSize;  // set by appends: the rest waits for a flush
        std::map<std::string, std::unique_ptr<Node>> children;  // by lower-case name
    };
    struct Location {
        Node* parent = nullptr;
        std::string leaf;  // as written
    };

    class Appender;
    Node* find(const std::string& path) const;
    Location locate(const std::string& path) const;  // parent must exist as a folder
    Node& makeChild(Node& parent, const std::string& name, bool isFolder, int64_t created);
    Node& ensureFolder(const std::string& path, int64_t created);
    bool fails(FsOp op, const std::string& path, bool changes);
    void collect(const Node& node, const std::string& prefix, std::vector<std::string>& out) const;

    bool failWith(FsError error) {
        lastError_ = error;
        return false;
    }

    std::unique_ptr<Node> root_;
    FsError lastError_ = FsError::other;
    uint64_t nextOrder_ = 0;
};

}  // namespace seamster
