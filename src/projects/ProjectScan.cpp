#include "projects/ProjectScan.h"

#include <algorithm>

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
        if (holdsForbiddenMark(entry.name, kReservedNameMarks)) continue;
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
