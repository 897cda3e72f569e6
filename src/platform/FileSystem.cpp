#include "platform/FileSystem.h"

namespace seamster {

namespace {
constexpr int maxTemporaryNames = 1000;

// Removes a temporary file the program made, even one a copy left read-only.
void discardTemporary(FileSystem& fs, const std::string& temporary) {
    if (!fs.deleteFile(temporary) && fs.clearReadOnly(temporary)) fs.deleteFile(temporary);
}
}  // namespace

std::optional<std::string> createTemporaryBeside(FileSystem& fs, const std::string& path) {
    for (int n = 1; n <= maxTemporaryNames; ++n) {
        std::string candidate = path + ".~" + std::to_string(n) + ".tmp";
        if (fs.createNewFile(candidate)) return candidate;
        // Only a name in use is worth stepping past; a missing or closed
        // folder refuses every name alike.
        if (fs.exists(candidate) == PathKind::missing) return std::nullopt;
    }
    return std::nullopt;
}

bool writeFileSafely(FileSystem& fs, const std::string& path, const std::string& data) {
    const std::optional<std::string> temporary = createTemporaryBeside(fs, path);
    if (!temporary) return false;
    if (!fs.writeFile(*temporary, data) || !fs.replace(*temporary, path)) {
        discardTemporary(fs, *temporary);
        return false;
    }
    return true;
}

bool copyFileSafely(FileSystem& fs, const std::string& from, const std::string& to,
                    bool replaceExisting) {
    const std::optional<std::string> temporary = createTemporaryBeside(fs, to);
    if (!temporary) return false;
    // The copy goes over the empty file just made, which is the program's own.
    const bool placed = fs.copyFile(from, *temporary, true) &&
                        (replaceExisting ? fs.replace(*temporary, to) : fs.rename(*temporary, to));
    if (!placed) discardTemporary(fs, *temporary);
    return placed;
}

}  // namespace seamster
