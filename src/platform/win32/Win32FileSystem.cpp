#include "platform/win32/Win32Platform.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "platform/Text.h"
#include "platform/win32/Handles.h"

namespace seamster {

namespace {
// Whether an entry only points elsewhere. Any reparse point may, whatever its
// tag (Wine shows a Unix symbolic link as one with tag 0), except the cloud
// placeholders of a synchronised Documents folder, which hold their files in
// place.
bool leadsElsewhere(DWORD attributes, DWORD tag) {
    constexpr DWORD cloudTag = 0x9000001A, cloudTagVariants = 0x0000F000;
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
           (tag & ~cloudTagVariants) != cloudTag;
}

std::wstring withoutTrailingSlashes(std::wstring path) {
    while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    return path;
}

// Whether the entry at `path` is a link, as the listing of its folder shows it.
bool isLinkAt(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileExW(withoutTrailingSlashes(path).c_str(), FindExInfoBasic, &data,
                                     FindExSearchNameMatch, nullptr, 0));
    return find && leadsElsewhere(data.dwFileAttributes, data.dwReserved0);
}
}  // namespace

bool Win32FileSystem::list(const std::string& folder, const std::string& pattern,
                           std::vector<DirEntry>& out) {
    out.clear();
    if (folder.empty()) return false;
    const std::string query = withBackslash(folder) + pattern;
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileExW(widen(query).c_str(), FindExInfoBasic, &data,
                                     FindExSearchNameMatch, nullptr, 0));
    if (!find) {
        // An empty match in an existing folder is still a listing.
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND && exists(folder) == PathKind::folder;
    }
    do {
        std::string name = narrow(data.cFileName);
        if (name == "." || name == "..") continue;
        DirEntry entry;
        entry.name = name;
        entry.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.readOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
        entry.isLink = leadsElsewhere(data.dwFileAttributes, data.dwReserved0);
        entry.creationTime = fileTimeToUnix(data.ftCreationTime);
        entry.size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        out.push_back(entry);
    } while (FindNextFileW(find.get(), &data));
    return true;
}

PathKind Win32FileSystem::exists(const std::string& path) {
    DWORD attributes = GetFileAttributesW(widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::folder : PathKind::file;
}

namespace {
std::wstring lastComponent(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool sameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.data(), int(a.size()), b.data(), int(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// The name under which an entry is actually stored, or "" when it is missing.
std::wstring storedName(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    if (!FindHandle(FindFirstFileW(path.c_str(), &data))) return {};
    return data.cFileName;
}

// Some file systems (Wine's among them) accept a rename that only changes
// letter case without changing the stored name. Going through a temporary
// name in the same folder makes the new spelling stick.
bool renameCaseOnly(const std::wstring& from, const std::wstring& to) {
    if (storedName(to) == lastComponent(to)) return true;
    const std::wstring temporary = to + L".~case" + std::to_wstring(GetCurrentProcessId());
    if (!MoveFileExW(from.c_str(), temporary.c_str(), 0)) return false;
    if (MoveFileExW(temporary.c_str(), to.c_str(), 0)) return true;
    MoveFileExW(temporary.c_str(), from.c_str(), 0);
    return false;
}
}  // namespace

namespace {
// Virus scanners, the search indexer and file synchronisation hold a freshly
// written file for a moment, and Windows will not rename a folder while a
// program has a file in it open: a change refused for that alone is tried
// again for about two seconds before it counts as failed.
template <typename Change>
bool retriedWhileInUse(Change change) {
    for (int attempt = 0;; ++attempt) {
        if (change()) return true;
        const DWORD error = GetLastError();
        if (attempt == 40 || (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION))
            return false;
        Sleep(50);
        SetLastError(error);
    }
}
}  // namespace

bool Win32FileSystem::rename(const std::string& from, const std::string& to) {
    const std::wstring source = withoutTrailingSlashes(widen(from));
    const std::wstring target = withoutTrailingSlashes(widen(to));
    if (!retriedWhileInUse([&] { return MoveFileExW(source.c_str(), target.c_str(), 0) != 0; }))
        return false;
    if (source != target && sameIgnoringCase(source, target)) return renameCaseOnly(source, target);
    return true;
}

namespace {
// Windows refuses to replace a read-only file, but Wine replaces it (and the
// protection with it). Asked first, so a file the user protected stays as it
// is on both.
bool refuseReadOnlyTarget(const std::wstring& target) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    SetLastError(ERROR_ACCESS_DENIED);
    return true;
}
}  // namespace

bool Win32FileSystem::replace(const std::string& from, const std::string& to) {
    const std::wstring source = widen(from), target = widen(to);
    if (refuseReadOnlyTarget(target)) return false;
    // Another program that merely glances at the file (a viewer, a virus
    // scanner, the game reading its background) holds it for a moment; the
    // swap waits a little for it instead of failing the whole save.
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(source.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if (attempt == 10 || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED))
            return false;
        Sleep(50);
    }
}

bool Win32FileSystem::flushFile(const std::string& path) {
    FileHandle file(CreateFileW(widen(path).c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && FlushFileBuffers(file.get()) != 0;
}

std::optional<FileIdentity> Win32FileSystem::identityOf(const std::string& path) {
    FileHandle handle(CreateFileW(widen(path).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!handle || !GetFileInformationByHandle(handle.get(), &info)) return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber,
                        (uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

FsError Win32FileSystem::lastError() {
    switch (GetLastError()) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return FsError::inUse;
    case ERROR_ACCESS_DENIED: return FsError::accessDenied;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return FsError::missing;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS: return FsError::exists;
    case ERROR_NOT_SAME_DEVICE: return FsError::otherVolume;
    default: return FsError::other;
    }
}

bool Win32FileSystem::copyFile(const std::string& from, const std::string& to,
                               bool replaceExisting) {
    const std::wstring target = widen(to);
    if (replaceExisting && refuseReadOnlyTarget(target)) return false;
    return CopyFileW(widen(from).c_str(), target.c_str(), replaceExisting ? FALSE : TRUE) != 0;
}

bool Win32FileSystem::createNewFile(const std::string& path) {
    FileHandle file(CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

namespace {
// Where the system keeps what `path` names, every link on the way followed;
// nothing when it cannot tell.
std::optional<std::wstring> resolvedPath(const std::wstring& path) {
    FileHandle handle(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    std::wstring resolved(MAX_PATH, L'\0');
    while (handle) {
        const DWORD n = GetFinalPathNameByHandleW(handle.get(), resolved.data(),
                                                  DWORD(resolved.size()), FILE_NAME_NORMALIZED);
        if (n == 0) break;
        const bool whole = n < resolved.size();
        resolved.resize(n);  // what it holds, or the room it asks for
        if (whole) return resolved;
    }
    return std::nullopt;
}

// Wine shows a Unix link to a file as a plain file, and deleting it deletes
// the file it points to. Such a file resolves to somewhere else than its
// own folder does. A file whose place cannot be told counts as reached
// through a link: it is better left than deleted on a guess.
bool reachedThroughLink(const std::wstring& file) {
    const size_t slash = file.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return true;
    const std::optional<std::wstring> resolved = resolvedPath(file);
    std::optional<std::wstring> folder = resolvedPath(file.substr(0, slash + 1));
    if (!resolved || !folder) return true;
    if (folder->back() != L'\\') *folder += L'\\';
    return !sameIgnoringCase(*resolved, *folder + file.substr(slash + 1));
}
}  // namespace

bool Win32FileSystem::deleteFile(const std::string& path) {
    const std::wstring file = widen(path);
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    if (reachedThroughLink(file)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return retriedWhileInUse([&] { return DeleteFileW(file.c_str()) != 0; });
}

bool Win32FileSystem::clearReadOnly(const std::string& path) {
    std::wstring wide = widen(path);
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if (!(attributes & FILE_ATTRIBUTE_READONLY)) return true;
    return SetFileAttributesW(wide.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY)) != 0;
}

bool Win32FileSystem::createFolder(const std::string& path) {
    return CreateDirectoryW(widen(path).c_str(), nullptr) != 0;
}

bool Win32FileSystem::removeFolder(const std::string& path) {
    const std::wstring folder = widen(path);
    // Wine removes a linked folder's target, when empty, instead of the link.
    if (isLinkAt(folder)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return retriedWhileInUse([&] { return RemoveDirectoryW(folder.c_str()) != 0; });
}

bool Win32FileSystem::removeLink(const std::string& path) {
    const std::wstring link = withoutTrailingSlashes(widen(path));
    if (!isLinkAt(link)) return false;
    // Opened as the link itself, so that only the link can go. A system that
    // opens the target all the same (Wine, for a link made outside it) shows
    // no reparse point here, and the link stays.
    FileHandle handle(
        CreateFileW(link.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    FILE_ATTRIBUTE_TAG_INFO opened = {};
    if (!handle ||
        !GetFileInformationByHandleEx(handle.get(), FileAttributeTagInfo, &opened, sizeof opened) ||
        !leadsElsewhere(opened.FileAttributes, opened.ReparseTag))
        return false;
    FILE_DISPOSITION_INFO disposition = {TRUE};
    return SetFileInformationByHandle(handle.get(), FileDispositionInfo, &disposition,
                                      sizeof disposition) != 0;
}

namespace {
std::optional<std::string> readUpTo(const std::string& path, size_t maxBytes, bool refuseLarger) {
    FileHandle file(CreateFileW(widen(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size)) return std::nullopt;
    if (refuseLarger && uint64_t(size.QuadPart) > maxBytes) return std::nullopt;
    size_t wanted = size_t(std::min<uint64_t>(uint64_t(size.QuadPart), maxBytes));
    std::string data(wanted, '\0');
    size_t done = 0;
    while (done < wanted) {
        DWORD chunk = DWORD(std::min<size_t>(wanted - done, 1u << 24));
        DWORD got = 0;
        if (!ReadFile(file.get(), data.data() + done, chunk, &got, nullptr)) return std::nullopt;
        if (got == 0) break;
        done += got;
    }
    data.resize(done);
    return data;
}
}  // namespace

std::optional<std::string> Win32FileSystem::readFile(const std::string& path, size_t maxBytes) {
    return readUpTo(path, maxBytes, true);
}

std::optional<std::string> Win32FileSystem::readFileStart(const std::string& path,
                                                          size_t maxBytes) {
    return readUpTo(path, maxBytes, false);
}

bool Win32FileSystem::writeFile(const std::string& path, const std::string& data) {
    // Wine, unlike Windows, truncates a read-only file opened this way.
    if (refuseReadOnlyTarget(widen(path))) return false;
    FileHandle file(CreateFileW(widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    size_t done = 0;
    while (done < data.size()) {
        DWORD chunk = DWORD(std::min<size_t>(data.size() - done, 1u << 24));
        DWORD written = 0;
        if (!WriteFile(file.get(), data.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return FlushFileBuffers(file.get()) != 0;
}

namespace {
class Win32AppendFile final : public AppendFile {
public:
    explicit Win32AppendFile(HANDLE file) : file_(file) {}
    bool append(const std::string& data) override {
        size_t done = 0;
        while (done < data.size()) {
            DWORD chunk = DWORD(std::min<size_t>(data.size() - done, 1u << 24));
            DWORD written = 0;
            if (!WriteFile(file_.get(), data.data() + done, chunk, &written, nullptr) ||
                written == 0)
                return false;
            done += written;
        }
        return true;
    }
    bool flush() override { return FlushFileBuffers(file_.get()) != 0; }

private:
    FileHandle file_;
};
}  // namespace

std::unique_ptr<AppendFile> Win32FileSystem::openForAppend(const std::string& path) {
    // Wine would append to a read-only file; Windows refuses, and so do we.
    const DWORD attributes = GetFileAttributesW(widen(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_FILE_READ_ONLY);
        return nullptr;
    }
    // Append access alone: every write lands at the end, whatever else has
    // the file open, and nothing already in it can be overwritten.
    HANDLE file = CreateFileW(widen(path).c_str(), FILE_APPEND_DATA | SYNCHRONIZE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32AppendFile>(file);
}

}  // namespace seamster
