#pragma once
// Reading the Body Shop's Projects folder: the project files with the names
// stored inside them, whether each still has its project folder, and the
// project folders themselves.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Platform.h"

namespace seamster {

// The tag that opens the project name on the third line of a project file,
// and the tag that closes it.
inline constexpr std::string_view kProjectNameTag = "<AnyString key=\"name\" type=\"0x0b8bea18\">";
inline constexpr std::string_view kProjectNameEndTag = "</AnyString>";

// How much of each file the scan reads. The name sits on the third line, so
// a few kilobytes are plenty, and a folder of thousands of large files still
// scans at once.
inline constexpr size_t kProjectReadLimit = 8 * 1024;

struct ProjectEntry {
    std::string displayName;  // as stored in the file, leading blanks included
    std::string fileName;     // the project file's name within the Projects folder
    bool orphan = false;      // no file or folder of that name beside it
};

struct ProjectScan {
    std::vector<ProjectEntry> projects;  // in directory order
    std::vector<std::string> folders;    // in directory order
};

// The project name held by a file that starts with `fileStart`, or nothing
// when the file is not a project. `codec` turns the stored 8-bit text into
// UTF-8 (valid UTF-8 is kept as it is); without one the bytes are kept.
std::optional<std::string> readProjectName(std::string_view fileStart, TextCodec* codec = nullptr);

// Lists the Projects folder. Nothing when the folder cannot be listed.
std::optional<ProjectScan> scanProjects(FileSystem& fs, const std::string& projectsFolder,
                                        TextCodec* codec = nullptr);

// True when the Projects folder holds a file or folder named like the display
// name without its leading spaces. A name holding * or ? counts when any
// entry matches it; a name no file could carry (path separators, control
// characters, reserved marks, nothing but dots) never does.
bool projectFolderExists(FileSystem& fs, const std::string& projectsFolder,
                         std::string_view displayName);

}  // namespace seamster
