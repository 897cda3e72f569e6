#include "app/MainLoop.h"

#include "app/BodyShop.h"
#include "config/Editions.h"
#include "config/Installation.h"
#include "content/FolderHiding.h"
#include "platform/Text.h"

namespace seamster {

namespace {
constexpr MainInput runStateCommands[] = {MainInput::setUp,           MainInput::cleanUpProjects,
                                          MainInput::hideGameFolders, MainInput::extras,
                                          MainInput::options,         MainInput::renamePackages};

void showRunning(MainView& view) {
    for (MainControl control :
         {MainControl::refreshThumbnails, MainControl::runBodyShop, MainControl::cleanUpProjects,
          MainControl::poseList, MainControl::lightingList})
        view.enableControl(control, false);
    view.showBodyShopRunning(true);
    for (MainInput command : runStateCommands) view.enableCommand(command, false);
}

void showIdle(App& app, MainView& view) {
    for (MainInput command : runStateCommands)
        if (!needsGameFolder(command) || app.paths.userFolderFound)
            view.enableCommand(command, true);
    for (MainControl control :
         {MainControl::runBodyShop, MainControl::size800, MainControl::size1024})
        view.enableControl(control, true);
    view.showBodyShopRunning(false);
    if (app.switches.pose.count > 0) view.enableControl(MainControl::poseList, true);
    if (app.switches.lighting.count > 0) view.enableControl(MainControl::lightingList, true);
    if (app.paths.userFolderFound) {
        // Never disabled here when the cache is missing: the button only comes
        // back once the game has rebuilt its cache.
        if (app.fs().exists(app.paths.bodyshopThumbnails) != PathKind::missing)
            view.enableControl(MainControl::refreshThumbnails, true);
        view.enableControl(MainControl::cleanUpProjects, true);
    }
}

bool restorationPending(const RunState& run) {
    return run.undiesRestorePending || run.savedSimsHidden || run.downloadsHidden;
}

}  // namespace

bool needsGameFolder(MainInput command) {
    return command == MainInput::cleanUpProjects || command == MainInput::hideGameFolders ||
           command == MainInput::extras;
}

std::string mainWindowTitle(const std::string& selectedPack) {
    return "Seamster   --    " + selectedPack;
}

ProcessState checkBodyShopProcess(App& app) {
    return app.bodyShopWatch.check(app.platform.processes, app.platform.clock.milliseconds());
}

void followBodyShopState(App& app, MainView& view) {
    if (app.run.bodyShop == ProcessState::running) {
        showRunning(view);
    } else if (app.run.bodyShop == ProcessState::notRunning) {
        if (restorationPending(app.run)) restoreGameFiles(app, view);
        // Auto Quit ends Seamster only when everything is back; when something
        // stays hidden, its summary and Seamster stay on the screen.
        if (app.run.autoQuitPending) {
            app.run.autoQuitPending = false;
            app.run.quitRequested = !restorationPending(app.run);
        }
        showIdle(app, view);
    } else {
        app.dialogs().showMessage("Process Check Failed!", iconStop);
    }
}

void confirmQuit(RunState& run, const OptionSettings& options, Dialogs& dialogs) {
    run.quitRequested = true;
    bool warned = false;
    if (restorationPending(run)) {
        std::string text = "Warning!\nIf you Quit Seamster now\n";
        if (run.undiesRestorePending) text += "The default undies will not be replaced\n";
        if (run.savedSimsHidden) text += "The SavedSims folder will not be unhidden\n";
        if (run.downloadsHidden) text += "The Downloads folder will not be unhidden\n";
        text += "\nDo you still want to Quit?";
        warned = true;
        run.quitRequested = dialogs.askYesNo(text, iconStop) == answerYes;
    }
    if (options.askBeforeQuit != 0 && !warned)
        run.quitRequested =
            dialogs.askYesNo("Are you sure you want to Quit? ", iconQuestion) == answerYes;
}

void dispatchCommand(App& app, MainView& view, MainInput input) {
    switch (input) {
    case MainInput::setUp:
        app.settings.game.simsFolderCount = 0;
        discoverInstallation(app, view);
        view.setTitle(mainWindowTitle(app.settings.game.selectedPack));
        // A collection without a Body Shop has no pack to choose.
        if (app.edition.bodyShopMissing)
            app.dialogs().showMessage(noBodyShopText(app.edition), iconExclamation);
        break;
    case MainInput::help: showHelpPage(app.paths, app.platform, app.told, ""); break;
    case MainInput::backgroundImageButton:
        dispatchCommand(app, view, MainInput::newBackgroundImage);
        break;
    case MainInput::cleanUpProjectsButton:
        dispatchCommand(app, view, MainInput::cleanUpProjects);
        break;
    case MainInput::backgroundColorButton:
        dispatchCommand(app, view, MainInput::newBackgroundColor);
        break;
    case MainInput::refreshThumbnails: refreshThumbnails(app, view); break;
    case MainInput::sizeChosen: view.refreshBackgroundThumbnail(); break;
    case MainInput::runBodyShop: launchBodyShop(app, view); break;
    case MainInput::about: view.openSecondary(Secondary::about); break;
    case MainInput::newBackgroundColor: view.openSecondary(Secondary::backgroundColor); break;
    case MainInput::newBackgroundImage: view.openSecondary(Secondary::backgroundImage); break;
    case MainInput::cleanUpProjects:
        if (app.paths.userFolderFound) view.openSecondary(Secondary::removeProjects);
        break;
    case MainInput::hideGameFolders:
        if (app.paths.userFolderFound) view.openSecondary(Secondary::hideGameFolders);
        break;
    case MainInput::extras:
        if (app.paths.userFolderFound) view.openSecondary(Secondary::extras);
        break;
    case MainInput::options: view.openSecondary(Secondary::options); break;
    case MainInput::renamePackages: view.openSecondary(Secondary::renamePackages); break;
    default: break;
    }
}

bool markedAsDownloaded(FileSystem& fs, const std::string& path) {
    std::optional<std::string> mark = fs.readFile(path + ":Zone.Identifier", 64 * 1024);
    if (!mark) return false;
    // Written in UTF-16 by some programs: its ASCII is the same without the zeros.
    std::erase(*mark, '\0');
    const std::string text = toLower(*mark);
    const size_t key = text.find("zoneid=");
    if (key == std::string::npos || key + 7 >= text.size()) return false;
    return text[key + 7] == '3' || text[key + 7] == '4';
}

void showHelpPage(const GamePaths& paths, Platform& platform, ToldOnce& told,
                  const std::string& page) {
    if (!paths.helpFileFound) {
        platform.dialogs.showMessage("Helpfile not found", iconNone);
        return;
    }
    if (markedAsDownloaded(platform.fs, paths.helpFile)) {
        const std::string& file = paths.helpFile;
        const std::string webPage = file.substr(0, file.find_last_of('\\') + 1) + "help\\" +
                                    (page.empty() ? std::string("index.htm") : page);
        // Without a browser for it, the help file's blank pages are still better than nothing.
        if (platform.fs.exists(webPage) == PathKind::file && platform.shell.open(webPage, "")) {
            if (!told.helpBlocked) platform.dialogs.showMessage(helpBlockedText, iconInformation);
            told.helpBlocked = true;
            return;
        }
    }
    if (page.empty())
        platform.shell.open(paths.helpFile, "");
    else
        platform.shell.showHelpPage(paths.helpFile, page);
}

bool mainLoopPass(App& app, MainView& view, MainInputSource& events) {
    const MainInput input = events.pollInput();
    app.run.bodyShop = checkBodyShopProcess(app);
    followBodyShopState(app, view);
    switch (input) {
    case MainInput::none:
    case MainInput::other: break;
    case MainInput::close: confirmQuit(app.run, app.settings.options, app.dialogs()); break;
    // Told to end from outside: no question can be answered any more.
    case MainInput::quit: app.run.quitRequested = true; break;
    default:
        storeWindowPosition(app.settings, view.position());
        dispatchCommand(app, view, input);
        break;
    }
    // Input and the end of a held Body Shop wake the loop at once, so an idle
    // pass only needs to come round when the process list is due a look.
    if (!isGadget(input))
        events.pause(int(app.bodyShopWatch.timeToNextLook(app.platform.clock.milliseconds())));
    return !app.run.quitRequested;
}

void mainLoop(App& app, MainView& view, MainInputSource& events) {
    while (mainLoopPass(app, view, events)) {}
}

}  // namespace seamster
