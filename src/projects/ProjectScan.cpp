#include "projects/ProjectScan.h"

#include <algorithm>
#include <array>

#include "platform/Characters.h"
#include "platform/Text.h"

namespace seamster {

namespace {

// The folder the Body Shop's home-building companion keeps beside the
// projects; it is not a project folder and must never be offered for removal.
constexpr std::string_view kHomeCrafterFolder = "HomeCrafter Plus";

// Line `number` (from 1) of `text`, whose lines end with CR, LF or CR LF.
// A line past the end of the text is empty.
std::string_view lineOf(std::string_view text, int number) {
    size_t start = 0;
    for (int line = 1;; ++line) {
        if (start >= text.size()) return {};
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        if (line == number) return text.substr(start, end - start);
        start = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++start;
    }
}

// Marks that Windows file names cannot hold: separators, the drive and
// stream separator, wildcards (the last three are wildcards too).
constexpr std::string_view kReservedMarks = "\\/:*?\"<>|";

bool holdsForbiddenMark(std::string_view name, std::string_view marks) {
    return std::any_of(name.begin(), name.end(), [&](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F ||
               marks.find(c) != std::string_view::npos;
    });
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

bool onlyDotsAndBlanks(std::string_view name) {
    return name.find_first_not_of(". ") == std::string_view::npos;
}

}  // namespace

std::optional<std::string> readProjectName(std::string_view fileStart, TextCodec* codec) {
    std::string_view raw = lineOf(fileStart, 3);
    if (raw.empty()) return std::nullopt;
    std::string line = codec ? codec->fromFileBytes(std::string(raw)) : std::string(raw);
    if (line.find(kProjectNameTag) == std::string::npos) return std::nullopt;
    return removeAll(removeAll(line, kProjectNameTag), kProjectNameEndTag);
}

bool isPlainEntryName(std::string_view name) {
    // 1024 bytes is longer than any file name can be.
    return !name.empty() && name.size() <= 1024 && !holdsForbiddenMark(name, kReservedMarks) &&
           name.back() != '.' && name.back() != ' ' && !isDeviceName(name);
}

bool projectFolderExists(FileSystem& fs, const std::string& projectsFolder,
                         std::string_view displayName) {
    std::string_view name =
        displayName.substr(std::min(displayName.find_first_not_of(' '), displayName.size()));
    // Names that cannot be an entry of the folder would otherwise reach the
    // folder itself, its parent or a sub-folder; no project folder is there.
    if (onlyDotsAndBlanks(name) || holdsForbiddenMark(name, "\\/:\"<>|")) return false;
    if (name.find_first_of("*?") != std::string_view::npos) {
        std::vector<DirEntry> matches;
        return fs.list(projectsFolder, std::string(name), matches) && !matches.empty();
    }
    return fs.exists(withBackslash(projectsFolder) + std::string(name)) != PathKind::missing;
}

std::optional<ProjectScan> scanProjects(FileSystem& fs, const std::string& projectsFolder,
                                        TextCodec* codec) {
    std::vector<DirEntry> entries;
    if (!fs.list(projectsFolder, "*.*", entries)) return std::nullopt;
    const std::string prefix = withBackslash(projectsFolder);
    ProjectScan scan;
    for (const DirEntry& entry : entries) {
        if (characterCount(entry.name) <= 2) continue;
        if (entry.isFolder) {
            if (entry.name != kHomeCrafterFolder) scan.folders.push_back(entry.name);
            continue;
        }
        // A name that is not a single plain entry would read some other file.
        if (holdsForbiddenMark(entry.name, kReservedMarks)) continue;
        std::optional<std::string> start = fs.readFileStart(prefix + entry.name, kProjectReadLimit);
        if (!start) continue;
        std::optional<std::string> name = readProjectName(*start, codec);
        if (!name) continue;
        bool orphan = !projectFolderExists(fs, projectsFolder, *name);
        scan.projects.push_back({std::move(*name), entry.name, orphan});
    }
    return scan;
}

}  // namespace seamster
