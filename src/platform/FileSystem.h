#pragma once
// The file-system service: everything the program asks of files and folders.
// Paths are UTF-8 with Windows separators. Every operation reports success as a
// bool (or a result code) and never throws.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace seamster {

struct DirEntry {
    std::string name;  // file name only, as stored
    bool isFolder = false;
    bool readOnly = false;
    int64_t creationTime = 0;  // seconds since 1970-01-01 UTC
    uint64_t size = 0;
    // An entry that only points elsewhere (a junction, a symbolic link, a
    // link made outside Windows): what is inside belongs to its target, and
    // only removeLink may take it away.
    bool isLink = false;
};

// A file held open for adding to its end, for records written a line at a
// time while other work goes on. What was there before is never touched.
class AppendFile {
public:
    virtual ~AppendFile() = default;
    // Adds all of `data` at the end of the file; false when not all of it
    // could be written.
    virtual bool append(const std::string& data) = 0;
    // Asks for what was added so far to be put on the disk itself.
    virtual bool flush() = 0;
};

enum class PathKind { missing, file, folder };

// Why the last operation that failed did so, as far as the user is told.
enum class FsError {
    other,
    inUse,         // another program holds the file or folder
    accessDenied,  // a protected file or folder, or the system's own protection
    missing,
    exists,       // the name is taken
    otherVolume,  // a move that would have to copy
};

// Which file a path names, whatever the path (a short name, a link on the
// way): the same volume and index mean the same file.
struct FileIdentity {
    uint64_t volume = 0;
    uint64_t index = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Lists `folder` (with or without a trailing backslash) for names matching
    // `pattern` (* and ? wildcards, case-insensitive; "*.*" matches every name).
    // "." and ".." are never returned. False when the folder cannot be listed,
    // and for an empty folder path, which names no folder (it never stands
    // for the current folder: a listing may lead to deletions).
    virtual bool list(const std::string& folder, const std::string& pattern,
                      std::vector<DirEntry>& out) = 0;

    // What is at `path`: nothing, a file or a folder.
    virtual PathKind exists(const std::string& path) = 0;

    // Renames or moves a file or folder. Fails when `to` already exists
    // (unless it is the same entry under another letter case).
    virtual bool rename(const std::string& from, const std::string& to) = 0;

    // Moves a file over an existing one (the atomic step of a safe save).
    virtual bool replace(const std::string& from, const std::string& to) = 0;

    virtual bool copyFile(const std::string& from, const std::string& to, bool replaceExisting) = 0;
    // Creates an empty file, failing when anything already has the name: a
    // name made this way belongs to the program and nobody else.
    virtual bool createNewFile(const std::string& path) = 0;
    // Never through a link: a file only reached through one (as Wine shows a
    // Unix link to a file) stays, and so does what it points to.
    virtual bool deleteFile(const std::string& path) = 0;
    virtual bool clearReadOnly(const std::string& path) = 0;
    virtual bool createFolder(const std::string& path) = 0;
    // Empty folders only, never a link (some systems would remove its target).
    virtual bool removeFolder(const std::string& path) = 0;
    // Removes a link without touching what it points to. False when `path`
    // is not a link or the system cannot take the link alone away.
    virtual bool removeLink(const std::string& path) = 0;

    // Whole-file read; nothing when the file cannot be read or is larger
    // than maxBytes.
    virtual std::optional<std::string> readFile(const std::string& path,
                                                size_t maxBytes = 64u << 20) = 0;
    // The first `maxBytes` bytes (or fewer) of a file.
    virtual std::optional<std::string> readFileStart(const std::string& path, size_t maxBytes) = 0;
    // Creates or truncates the file and writes all of `data`.
    virtual bool writeFile(const std::string& path, const std::string& data) = 0;
    // Opens a file for appending, creating it when missing; nothing when it
    // cannot be opened. Others may read the file meanwhile.
    virtual std::unique_ptr<AppendFile> openForAppend(const std::string& path) = 0;

    // Puts what was written to a file on the disk itself, so that it outlasts
    // a power cut.
    virtual bool flushFile(const std::string& path) = 0;
    // The file or folder `path` names; nothing when it cannot be told.
    virtual std::optional<FileIdentity> identityOf(const std::string& path) = 0;
    // Why the last failed operation failed; asked at once after it.
    virtual FsError lastError() = 0;
};

// Marks that Windows file names cannot hold: separators, the drive and
// stream separator, wildcards (the last three are wildcards too).
inline constexpr std::string_view kReservedNameMarks = "\\/:*?\"<>|";

// Whether `name` holds a control character or one of `marks`.
bool holdsForbiddenMark(std::string_view name, std::string_view marks);

// True for a name that stands for exactly one entry directly inside a folder
// and for nothing else: not empty, no separators, wildcards, control
// characters or other marks that file names cannot hold, no trailing dot or
// blank (the system would drop it and reach another entry), not a device
// name. Only such names are joined to a folder to build a path that is
// renamed or deleted on the word of a file Seamster did not just list.
bool isPlainEntryName(std::string_view name);

// What to tell the user when Windows denied access to `path`: in Documents,
// its ransomware protection may be what refused.
std::string accessDeniedText(const std::string& path);

// Creates an empty file with a name unused in the folder of `path`
// ("<path>.~seamster-1.tmp", "<path>.~seamster-2.tmp", ...); its path, or nothing when no such
// file could be made. Only files named this way are ever deleted as
// temporary: first those of `path` that an earlier run left behind.
std::optional<std::string> createTemporaryBeside(FileSystem& fs, const std::string& path);

// Writes `data` to a temporary file beside `path` and moves it over `path`
// only when every byte was written, so a failed save leaves the old file whole.
bool writeFileSafely(FileSystem& fs, const std::string& path, const std::string& data);

// Copies `from` to a temporary file beside `to` and gives it the name `to`
// only once it is complete and on the disk, so neither a copy cut short nor
// a power cut leaves a partial or empty file under that name.
// Without `replaceExisting` a `to` that exists (even one that appeared during
// the copy) is never replaced and the copy fails.
bool copyFileSafely(FileSystem& fs, const std::string& from, const std::string& to,
                    bool replaceExisting);

}  // namespace seamster
