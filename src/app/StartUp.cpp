#include "app/StartUp.h"

#include <vector>

#include "app/BodyShop.h"
#include "app/MainLoop.h"
#include "config/Editions.h"
#include "config/SettingsFile.h"
#include "content/FolderHiding.h"
#include "content/Replacements.h"
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

// Invisible underwear left switched on shows in the status bar.
void showUnderwearMarkers(App& app, MainView& view) {
    if (app.fs().exists(app.paths.configFolder + femaleUndies + ".package") != PathKind::missing)
        view.markUnderwear(Underwear::female, true);
    if (app.fs().exists(app.paths.configFolder + maleUndies + ".package") != PathKind::missing)
        view.markUnderwear(Underwear::male, true);
}

// Folders left hidden by an earlier run show as hidden until they
// are back, also while a Body Shop that is still running keeps them hidden.
void showLeftOverHiddenFolders(App& app, MainView& view) {
    if (app.run.downloadsHidden) view.markFolder(HiddenFolder::downloads, true);
    if (app.run.savedSimsHidden) view.markFolder(HiddenFolder::savedSims, true);
}

// Without a user game folder, nothing that works in it can be asked for.
void disableGameFolderControls(MainView& view) {
    for (MainControl control :
         {MainControl::backgroundImage, MainControl::backgroundColor, MainControl::cleanUpProjects,
          MainControl::refreshThumbnails, MainControl::poseList, MainControl::lightingList})
        view.enableControl(control, false);
    for (MainInput command :
         {MainInput::cleanUpProjects, MainInput::hideGameFolders, MainInput::extras})
        view.enableCommand(command, false);
}
}  // namespace

bool startUp(App& app, MainView& main, StartUpScreen& screen) {
    Platform& platform = app.platform;
    screen.loadPicturesAndFonts();
    const std::string startFolder = platform.shell.currentFolder();
    // Known before the first window, so that F1 works in the set-up window too.
    findHelpFile(app.paths, app.fs(), startFolder, app.programFolder);
    screen.setHelpHandler(
        [&app](const std::string& page) { showHelpPage(app.paths, app.platform, app.told, page); });
    findUserFolder(app.paths, app.fs(), platform.shell.specialFolder(SpecialFolder::documents));
    if (!app.paths.userFolderFound)
        app.dialogs().showMessage(
            "Unable to verify your Sims installation\nMost features will not work", iconStop);
    loadSettings(app.settings, app.fs(), platform.codec, app.programFolder);
    discoverInstallation(app, main);
    useEditionUserFolder(app.paths, app.fs(), app.edition);
    if (!screen.buildMainWindow()) return false;
    showUnderwearMarkers(app, main);
    if (findLeftOverHiddenFolders(app.paths, app.fs(), app.dialogs(), app.run)) {
        showLeftOverHiddenFolders(app, main);
        app.run.bodyShop = checkBodyShopProcess(app);
        if (app.run.bodyShop == ProcessState::notRunning) restoreGameFiles(app, main);
    }
    if (app.fs().exists(app.paths.configFolder) != PathKind::missing) scanConfigPackages(app, main);
    reportMissingBodyShop(app.fs(), app.dialogs(), app.settings.game.runBodyshop, app.edition);
    if (app.paths.userFolderFound)
        main.refreshBackgroundThumbnail();
    else
        disableGameFolderControls(main);
    return true;
}

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
