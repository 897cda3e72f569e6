#include "platform/FileSystem.h"

#include <algorithm>
#include <array>
#include <mutex>
#include <set>

#include "platform/Text.h"

namespace seamster {

namespace {
constexpr int maxTemporaryNames = 1000;

// Removes a temporary file the program made, even one a copy left read-only.
void discardTemporary(FileSystem& fs, const std::string& temporary) {
    if (!fs.deleteFile(temporary) && fs.clearReadOnly(temporary)) fs.deleteFile(temporary);
}

// The temporaries this run made and may still be using. Only one Seamster
// runs at a time, so any other file named like one of ours was left behind
// by an earlier run that was cut short.
class TemporariesOfThisRun {
public:
    void add(const std::string& path) {
        const std::lock_guard<std::mutex> hold(lock_);
        paths_.insert(toLower(path));
    }
    void forget(const std::string& path) {
        const std::lock_guard<std::mutex> hold(lock_);
        paths_.erase(toLower(path));
    }
    bool holds(const std::string& path) {
        const std::lock_guard<std::mutex> hold(lock_);
        return paths_.count(toLower(path)) != 0;
    }

private:
    std::mutex lock_;
    std::set<std::string> paths_;
};

TemporariesOfThisRun& temporariesOfThisRun() {
    static TemporariesOfThisRun made;
    return made;
}

// Temporaries are "<leaf>.~seamster-N.tmp", N being digits: a name that
// says whose it is, so that no file the user named is ever taken for one.
constexpr char kTemporaryMark[] = ".~seamster-";

// Our own pattern and nothing else.
bool isTemporaryName(const std::string& name, const std::string& leaf) {
    const std::string lower = toLower(name), start = toLower(leaf) + kTemporaryMark, end = ".tmp";
    if (lower.size() <= start.size() + end.size() || !startsWith(lower, start) ||
        !endsWithIgnoreCase(lower, end))
        return false;
    const auto digits = lower.begin() + std::ptrdiff_t(start.size());
    return std::all_of(digits, lower.end() - std::ptrdiff_t(end.size()),
                       [](char c) { return c >= '0' && c <= '9'; });
}

// Removes the temporaries of `path` that earlier runs left behind, so that
// kills and power cuts never use up the names.
void removeLeftoverTemporaries(FileSystem& fs, const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos) return;
    const std::string folder = path.substr(0, slash), leaf = path.substr(slash + 1);
    std::vector<DirEntry> entries;
    if (!fs.list(folder, leaf + kTemporaryMark + "*.tmp", entries)) return;
    for (const DirEntry& entry : entries) {
        const std::string temporary = folder + "\\" + entry.name;
        if (!entry.isFolder && !entry.isLink && isTemporaryName(entry.name, leaf) &&
            !temporariesOfThisRun().holds(temporary))
            discardTemporary(fs, temporary);
    }
}

void finishWithTemporary(FileSystem& fs, const std::string& temporary, bool placed) {
    if (!placed) discardTemporary(fs, temporary);
    if (placed || fs.exists(temporary) == PathKind::missing)
        temporariesOfThisRun().forget(temporary);
}
// CON, PRN, AUX, NUL, COM1-9 and LPT1-9, with or without an extension, name a
// device wherever they appear in a path.
bool isDeviceName(std::string_view name) {
    std::string stem = toLower(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    static constexpr std::array<std::string_view, 4> plain = {"con", "prn", "aux", "nul"};
    if (std::find(plain.begin(), plain.end(), stem) != plain.end()) return true;
    return stem.size() == 4 && (startsWith(stem, "com") || startsWith(stem, "lpt")) &&
           stem[3] >= '1' && stem[3] <= '9';
}
}  // namespace

bool holdsForbiddenMark(std::string_view name, std::string_view marks) {
    return std::any_of(name.begin(), name.end(), [&](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F ||
               marks.find(c) != std::string_view::npos;
    });
}

bool isPlainEntryName(std::string_view name) {
    // 1024 bytes is longer than any file name can be.
    return !name.empty() && name.size() <= 1024 && !holdsForbiddenMark(name, kReservedNameMarks) &&
           name.back() != '.' && name.back() != ' ' && !isDeviceName(name);
}

std::string accessDeniedText(const std::string& path) {
    return "Windows denied access to " + path +
           ".\nIf Windows Security's ransomware protection (Controlled folder access) is on, "
           "Seamster may need to be allowed to change your Documents folder: Windows Security, "
           "Virus & threat protection, Ransomware protection, \"Allow an app through Controlled "
           "folder access\".";
}

std::optional<std::string> createTemporaryBeside(FileSystem& fs, const std::string& path) {
    // Each save takes the first free name, so whatever runs left behind
    // starts with the first one; a folder of thousands of packages is only
    // looked through when that name is taken.
    auto nameOf = [&](int n) { return path + kTemporaryMark + std::to_string(n) + ".tmp"; };
    if (fs.exists(nameOf(1)) != PathKind::missing) removeLeftoverTemporaries(fs, path);
    for (int n = 1; n <= maxTemporaryNames; ++n) {
        std::string candidate = nameOf(n);
        if (fs.createNewFile(candidate)) {
            temporariesOfThisRun().add(candidate);
            return candidate;
        }
        // Only a name in use is worth stepping past; a missing or closed
        // folder refuses every name alike.
        if (fs.exists(candidate) == PathKind::missing) return std::nullopt;
    }
    return std::nullopt;
}

bool writeFileSafely(FileSystem& fs, const std::string& path, const std::string& data) {
    const std::optional<std::string> temporary = createTemporaryBeside(fs, path);
    if (!temporary) return false;
    const bool placed = fs.writeFile(*temporary, data) && fs.replace(*temporary, path);
    finishWithTemporary(fs, *temporary, placed);
    return placed;
}

bool copyFileSafely(FileSystem& fs, const std::string& from, const std::string& to,
                    bool replaceExisting) {
    const std::optional<std::string> temporary = createTemporaryBeside(fs, to);
    if (!temporary) return false;
    // The copy goes over the empty file just made, which is the program's own.
    const bool placed = fs.copyFile(from, *temporary, true) && fs.flushFile(*temporary) &&
                        (replaceExisting ? fs.replace(*temporary, to) : fs.rename(*temporary, to));
    finishWithTemporary(fs, *temporary, placed);
    return placed;
}

}  // namespace seamster
