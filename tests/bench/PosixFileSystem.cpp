#include "PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>

#include "platform/Text.h"

namespace seamster {
namespace {

// Reads up to maxBytes; `whole` refuses files that are larger than that.
std::optional<std::string> readUpTo(const std::string& path, size_t maxBytes, bool whole) {
    const int fd = ::open(posixPath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::optional<std::string> result;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
        !(whole && uint64_t(info.st_size) > maxBytes)) {
        try {
            std::string data(std::min<uint64_t>(uint64_t(info.st_size), maxBytes), '\0');
            size_t done = 0;
            while (done < data.size()) {
                const ssize_t got = ::read(fd, data.data() + done, data.size() - done);
                if (got < 0 && errno == EINTR) continue;
                if (got <= 0) break;
                done += size_t(got);
            }
            // A file that shrank while being read is reported as it was read.
            data.resize(done);
            result = std::move(data);
        } catch (const std::bad_alloc&) {
            result.reset();
        }
    }
    ::close(fd);
    return result;
}

bool writeAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t put = ::write(fd, data.data() + done, data.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += size_t(put);
    }
    return true;
}

}  // namespace

std::string posixPath(const std::string& path) {
    std::string result = path;
    for (char& c : result) {
        if (c == '\\') c = '/';
    }
    return result;
}

bool PosixFileSystem::list(const std::string& folder, const std::string& pattern,
                           std::vector<DirEntry>& out) {
    std::string base = posixPath(folder);
    if (!base.empty() && base.back() != '/') base += '/';
    DIR* dir = ::opendir(base.empty() ? "." : base.c_str());
    if (!dir) return false;
    const bool everything = pattern == "*.*" || pattern == "*";
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (!everything && !wildcardMatch(pattern, name)) continue;
        struct stat info {};
        struct stat linkInfo {};
        if (::stat((base + name).c_str(), &info) != 0) continue;
        DirEntry item;
        item.name = name;
        item.isFolder = S_ISDIR(info.st_mode);
        item.readOnly = (info.st_mode & S_IWUSR) == 0;
        item.creationTime = int64_t(info.st_mtime);  // the nearest POSIX has
        item.size = item.isFolder ? 0 : uint64_t(info.st_size);
        item.isLink = ::lstat((base + name).c_str(), &linkInfo) == 0 && S_ISLNK(linkInfo.st_mode);
        out.push_back(std::move(item));
    }
    ::closedir(dir);
    return true;
}

PathKind PosixFileSystem::exists(const std::string& path) {
    struct stat info {};
    if (::stat(posixPath(path).c_str(), &info) != 0) return PathKind::missing;
    return S_ISDIR(info.st_mode) ? PathKind::folder : PathKind::file;
}

bool PosixFileSystem::rename(const std::string& from, const std::string& to) {
    // Hard-linking refuses an existing target, unlike rename(2); folders,
    // which cannot be linked, are checked first instead.
    const std::string source = posixPath(from);
    const std::string target = posixPath(to);
    if (exists(from) == PathKind::folder) {
        if (exists(to) != PathKind::missing) return false;
        return ::rename(source.c_str(), target.c_str()) == 0;
    }
    if (::link(source.c_str(), target.c_str()) != 0) return false;
    return ::unlink(source.c_str()) == 0;
}

bool PosixFileSystem::replace(const std::string& from, const std::string& to) {
    return exists(from) == PathKind::file && exists(to) != PathKind::folder &&
           ::rename(posixPath(from).c_str(), posixPath(to).c_str()) == 0;
}

bool PosixFileSystem::copyFile(const std::string& from, const std::string& to,
                               bool replaceExisting) {
    if (!replaceExisting && exists(to) != PathKind::missing) return false;
    const auto data = readFile(from, size_t(-1));
    return data && writeFile(to, *data);
}

bool PosixFileSystem::createNewFile(const std::string& path) {
    const int fd = ::open(posixPath(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    return fd >= 0 && ::close(fd) == 0;
}

bool PosixFileSystem::deleteFile(const std::string& path) {
    return exists(path) == PathKind::file && ::unlink(posixPath(path).c_str()) == 0;
}

bool PosixFileSystem::clearReadOnly(const std::string& path) {
    struct stat info {};
    const std::string p = posixPath(path);
    return ::stat(p.c_str(), &info) == 0 && ::chmod(p.c_str(), info.st_mode | S_IWUSR) == 0;
}

bool PosixFileSystem::createFolder(const std::string& path) {
    return ::mkdir(posixPath(path).c_str(), 0777) == 0;
}

bool PosixFileSystem::removeFolder(const std::string& path) {
    return ::rmdir(posixPath(path).c_str()) == 0;
}

std::optional<std::string> PosixFileSystem::readFile(const std::string& path, size_t maxBytes) {
    return readUpTo(path, maxBytes, true);
}

std::optional<std::string> PosixFileSystem::readFileStart(const std::string& path,
                                                          size_t maxBytes) {
    return readUpTo(path, maxBytes, false);
}

bool PosixFileSystem::writeFile(const std::string& path, const std::string& data) {
    if (exists(path) == PathKind::folder) return false;
    const int fd = ::open(posixPath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    const bool written = writeAll(fd, data);
    return ::close(fd) == 0 && written;
}

namespace {
class PosixAppendFile final : public AppendFile {
public:
    explicit PosixAppendFile(int fd) : fd_(fd) {}
    ~PosixAppendFile() override { ::close(fd_); }
    bool append(const std::string& data) override { return writeAll(fd_, data); }
    bool flush() override { return ::fsync(fd_) == 0; }

private:
    int fd_;
};
}  // namespace

std::unique_ptr<AppendFile> PosixFileSystem::openForAppend(const std::string& path) {
    const int fd = ::open(posixPath(path).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixAppendFile>(fd);
}

}  // namespace seamster

namespace seamster {

bool PosixFileSystem::flushFile(const std::string& path) {
    const int fd = ::open(posixPath(path).c_str(), O_WRONLY);
    if (fd < 0) return false;
    const bool flushed = ::fsync(fd) == 0;
    ::close(fd);
    return flushed;
}

std::optional<FileIdentity> PosixFileSystem::identityOf(const std::string& path) {
    struct stat info;
    if (::stat(posixPath(path).c_str(), &info) != 0) return std::nullopt;
    return FileIdentity{uint64_t(info.st_dev), uint64_t(info.st_ino)};
}

}  // namespace seamster
