#include "app/StartUp.h"

#include <vector>

#include "config/Editions.h"
#include "platform/Text.h"

namespace seamster {

namespace {
// Sets every path into the user game folder `name` (with its backslash) when
// it holds a Neighborhoods folder.
bool takeUserFolder(GamePaths& paths, FileSystem& fs, const std::string& name) {
    const std::string prefix = paths.eaGamesFolder + name;
    if (fs.exists(prefix + "Neighborhoods") != PathKind::folder) return false;
    paths.userFolderName = name;
    paths.userFolderFound = true;
    paths.bodyshopThumbnails = prefix + "cigen.package";
    paths.backgroundBitmap = prefix + "userbkg.bmp";
    paths.backgroundsFolder = prefix + "BodyshopBackgrounds\\";
    paths.projectsFolder = prefix + "Projects";
    paths.casThumbnails = prefix + "Thumbnails\\CASThumbnails.package";
    paths.configFolder = prefix + "Config\\";
    return true;
}
}  // namespace

void findUserFolder(GamePaths& paths, FileSystem& fs, const std::string& documentsFolder) {
    paths.eaGamesFolder = documentsFolder + "EA Games\\";
    paths.userFolderFound = false;
    // Without a folder of the game's, no other game's folder stands in for it.
    paths.userFolderName.clear();
    std::vector<DirEntry> entries;
    if (!fs.list(paths.eaGamesFolder, "*.*", entries)) return;
    for (const DirEntry& entry : entries)
        if (entry.isFolder && takeUserFolder(paths, fs, entry.name + "\\")) return;
}

bool useEditionUserFolder(GamePaths& paths, FileSystem& fs, const GameEdition& edition) {
    const std::string& name = edition.userFolderName;
    return !name.empty() && takeUserFolder(paths, fs, name + "\\");
}

void reportMissingBodyShop(FileSystem& fs, Dialogs& dialogs, const std::string& bodyShop,
                           const GameEdition& edition) {
    if (fs.exists(bodyShop) == PathKind::file) return;
    if (edition.bodyShopMissing)
        dialogs.showMessage(noBodyShopText(edition), iconExclamation);
    else
        dialogs.showMessage("Can't Find BodyShop.exe!", iconStop);
}

std::optional<std::string> desktopTooSmallText(int width, int height) {
    if (width >= 800 && height >= 600) return std::nullopt;
    return "Sorry...\nMinumum Desktop Size Needed is 800 x 600\nYours is set to " +
           std::to_string(width) + " x " + std::to_string(height) + "\nSeamster Ending";
}

std::string helpFilePath(const std::string& currentFolder) {
    return withBackslash(currentFolder) + "Seamster.CHM";
}

void findHelpFile(GamePaths& paths, FileSystem& fs, const std::string& currentFolder,
                  const std::string& programFolder) {
    paths.helpFile = helpFilePath(currentFolder);
    paths.helpFileFound = fs.exists(paths.helpFile) != PathKind::missing;
    if (paths.helpFileFound) return;
    // Started from a shortcut or a terminal elsewhere: the help that came with
    // the program sits beside it.
    const std::string besideProgram = helpFilePath(programFolder);
    if (fs.exists(besideProgram) != PathKind::file) return;
    paths.helpFile = besideProgram;
    paths.helpFileFound = true;
}

}  // namespace seamster
