#include <objbase.h>
#include <shlobj.h>

#include "core/App.h"
#include "app/BodyShop.h"
#include "app/MainLoop.h"
#include "app/MainWindow.h"
#include "app/Program.h"
#include "app/StartUp.h"
#include "config/Installation.h"
#include "config/SettingsFile.h"
#include "content/FolderHiding.h"
#include "content/Replacements.h"
#include "platform/win32/Win32Platform.h"
#include "ui/Dpi.h"
#include "ui/Toolkit.h"

namespace seamster {

namespace {
struct Services {
    Win32FileSystem fs;
    Win32Clock clock;
    Win32Registry registry;
    Win32Shell shell;
    Win32Processes processes;
    ui::Win32Dialogs dialogs;
    Win32TextCodec codec;
    Platform platform{fs, clock, registry, shell, processes, dialogs, codec};
};

// Step 12: invisible underwear left switched on shows in the status bar.
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

// False when the main window could not be made.
bool startUp(App& app, MainWindow& main, ui::Toolkit& toolkit) {
    Platform& platform = app.platform;
    toolkit.loadPictures();
    toolkit.loadFonts();
    const std::string startFolder = platform.shell.currentFolder();
    // Known before the first window, so that F1 works in the set-up window too.
    findHelpFile(app.paths, app.fs(), startFolder, app.programFolder);
    toolkit.setHelpHandler(
        [&app](const std::string& page) { showHelpPage(app.paths, app.platform, app.told, page); });
    findUserFolder(app.paths, app.fs(), platform.shell.specialFolder(SpecialFolder::documents));
    if (!app.paths.userFolderFound)
        app.dialogs().showMessage(
            "Unable to verify your Sims installation\nMost features will not work", iconStop);
    loadSettings(app.settings, app.fs(), platform.codec, app.programFolder);
    discoverInstallation(app, main);
    useEditionUserFolder(app.paths, app.fs(), app.edition);
    if (!main.build()) return false;
    showUnderwearMarkers(app, main);
    if (findLeftOverHiddenFolders(app.paths, app.fs(), app.dialogs(), app.run)) {
        showLeftOverHiddenFolders(app, main);
        app.run.bodyShop = checkBodyShopProcess(app);
        if (app.run.bodyShop == ProcessState::notRunning) restoreGameFiles(app, main);
    }
    if (app.fs().exists(app.paths.configFolder) != PathKind::missing) scanConfigPackages(app, main);
    reportMissingBodyShop(app.fs(), app.dialogs(), app.settings.game.runBodyshop, app.edition);
    if (app.paths.userFolderFound) {
        main.refreshBackgroundThumbnail();
    } else {
        for (MainControl control : {MainControl::backgroundImage, MainControl::backgroundColor,
                                    MainControl::cleanUpProjects, MainControl::refreshThumbnails,
                                    MainControl::poseList, MainControl::lightingList})
            main.enableControl(control, false);
        for (MainInput command :
             {MainInput::cleanUpProjects, MainInput::hideGameFolders, MainInput::extras})
            main.enableCommand(command, false);
    }
    return true;
}
}  // namespace

int runProgram(HINSTANCE instance) {
    Services services;
    App app(services.platform);
    app.programFolder = services.shell.programFolder();

    // One Seamster at a time: the mutex lives until the program ends.
    NamedMutex single(L"Seamster");
    if (!single.owned()) {
        app.dialogs().showMessage("Seamster is already running...", iconExclamation);
        return 0;
    }
    // The folder requester needs COM; without it the rest still works.
    ComApartment com;

    ui::Toolkit toolkit(instance);
    app.screen = {toolkit.screenWidth(), toolkit.screenHeight(), toolkit.scrollBarWidth()};
    if (auto tooSmall = desktopTooSmallText(app.screen.screenWidth, app.screen.screenHeight)) {
        app.dialogs().showMessage(*tooSmall, iconStop);
    } else if (MainWindow main(app, toolkit); !startUp(app, main, toolkit)) {
        // Without its window the program could never be told to end.
        app.dialogs().showMessage("Seamster could not open its window.", iconStop);
    } else {
        main.show();
        mainLoop(app, main, main);
        storeWindowPosition(app.settings, main.position());
        // A save that fails is said (once a run); the settings file keeps its
        // old contents whole.
        saveSettingsOrSay(app);
    }
    return 0;
}

}  // namespace seamster
