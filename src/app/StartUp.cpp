#include "app/StartUp.h"

#include <vector>

#include "platform/Text.h"

namespace seamster {

void findUserFolder(GamePaths& paths, FileSystem& fs, const std::string& documentsFolder) {
    paths.eaGamesFolder = documentsFolder + "EA Games\\";
    paths.userFolderFound = false;
    std::vector<DirEntry> entries;
    if (!fs.list(paths.eaGamesFolder, "*.*", entries)) return;
    for (const DirEntry& entry : entries) {
        if (!entry.isFolder) continue;
        paths.userFolderName = entry.name + "\\";
        const std::string prefix = paths.userFolder();
        if (fs.exists(prefix + "Neighborhoods") != PathKind::folder) continue;
        paths.userFolderFound = true;
        paths.bodyshopThumbnails = prefix + "cigen.package";
        paths.backgroundBitmap = prefix + "userbkg.bmp";
        paths.backgroundsFolder = prefix + "BodyshopBackgrounds\\";
        paths.projectsFolder = prefix + "Projects";
        paths.casThumbnails = prefix + "Thumbnails\\CASThumbnails.package";
        paths.configFolder = prefix + "Config\\";
        return;
    }
}

std::optional<std::string> desktopTooSmallText(int width, int height) {
    if (width >= 800 && height >= 600) return std::nullopt;
    return "Sorry...\nMinumum Desktop Size Needed is 800 x 600\nYours is set to " +
           std::to_string(width) + " x " + std::to_string(height) + "\nSeamster Ending";
}

std::string helpFilePath(const std::string& currentFolder) {
    return withBackslash(currentFolder) + "Seamster.CHM";
}

bool findLeftOverHiddenFolders(App& app) {
    const std::string prefix = app.paths.userFolder();
    if (app.fs().exists(prefix + "Downloads_off") != PathKind::missing)
        app.run.downloadsHidden = true;
    if (app.fs().exists(prefix + "SavedSims_off") != PathKind::missing)
        app.run.savedSimsHidden = true;
    return app.run.downloadsHidden || app.run.savedSimsHidden;
}

}  // namespace seamster
