#include "platform/FileSystem.h"

namespace seamster {

bool writeFileSafely(FileSystem& fs, const std::string& path, const std::string& data) {
    const std::string temporary = path + ".new";
    if (fs.exists(temporary) == PathKind::file)
        fs.deleteFile(temporary);  // left by an earlier crash
    if (!fs.writeFile(temporary, data) || !fs.replace(temporary, path)) {
        fs.deleteFile(temporary);
        return false;
    }
    return true;
}

}  // namespace seamster
