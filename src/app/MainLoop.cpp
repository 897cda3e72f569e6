#include "app/MainLoop.h"

#include "app/BodyShop.h"
#include "config/Editions.h"
#include "config/Installation.h"
#include "content/FolderHiding.h"

namespace seamster {

namespace {
constexpr int runStateButtons[] = {button::setUp,  button::cleanUpProjects, button::hideGameFolders,
                                   button::extras, button::options,         button::renamePackages};

void showRunning(MainView& view) {
    for (int id : {gadget::refreshThumbnails, gadget::runBodyshop, gadget::cleanupProjects,
                   gadget::poseList, gadget::lightingList})
        view.enableGadget(id, false);
    view.showGadgetPicture(gadget::stateImage, picture::bodyShopRunning);
    for (int id : runStateButtons) view.enableToolButton(id, false);
}

void showIdle(App& app, MainView& view) {
    // Without a game folder there is no Projects folder to clean up.
    for (int id : runStateButtons)
        if (id != button::cleanUpProjects || app.paths.userFolderFound)
            view.enableToolButton(id, true);
    for (int id : {gadget::runBodyshop, gadget::size800, gadget::size1024})
        view.enableGadget(id, true);
    view.showGadgetPicture(gadget::stateImage, picture::bodyShopIdle);
    if (app.switches.pose.count > 0) view.enableGadget(gadget::poseList, true);
    if (app.switches.lighting.count > 0) view.enableGadget(gadget::lightingList, true);
    if (app.paths.userFolderFound) {
        // Never disabled here when the cache is missing: the button only comes
        // back once the game has rebuilt its cache.
        if (app.fs().exists(app.paths.bodyshopThumbnails) != PathKind::missing)
            view.enableGadget(gadget::refreshThumbnails, true);
        view.enableGadget(gadget::cleanupProjects, true);
    }
}

bool restorationPending(const RunState& run) {
    return run.undiesRestorePending || run.savedSimsHidden || run.downloadsHidden;
}

}  // namespace

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
        if (app.run.autoQuitPending) app.run.quitRequested = true;
        showIdle(app, view);
    } else {
        app.dialogs().showMessage("Process Check Failed!", iconStop);
    }
}

void confirmQuit(App& app) {
    RunState& run = app.run;
    run.quitRequested = true;
    bool warned = false;
    if (restorationPending(run)) {
        std::string text = "Warning!\nIf you Quit Seamster now\n";
        if (run.undiesRestorePending) text += "The default undies will not be replaced\n";
        if (run.savedSimsHidden) text += "The SavedSims folder will not be unhidden\n";
        if (run.downloadsHidden) text += "The Downloads folder will not be unhidden\n";
        text += "\nDo you still want to Quit?";
        warned = true;
        run.quitRequested = app.dialogs().askYesNo(text, iconStop) == answerYes;
    }
    if (app.settings.askBeforeQuit != 0 && !warned)
        run.quitRequested =
            app.dialogs().askYesNo("Are you sure you want to Quit? ", iconQuestion) == answerYes;
}

void dispatchToolBar(App& app, MainView& view, int buttonNumber) {
    switch (buttonNumber) {
    case button::setUp:
        app.settings.simsFolderCount = 0;
        discoverInstallation(app, view);
        view.setTitle(mainWindowTitle(app.settings.selectedPack));
        // A collection without a Body Shop has no pack to choose.
        if (app.edition.bodyShopMissing)
            app.dialogs().showMessage(noBodyShopText(app.edition), iconExclamation);
        break;
    case button::help:
        if (app.paths.helpFileFound)
            app.platform.shell.open(app.paths.helpFile, "");
        else
            app.dialogs().showMessage("Helpfile not found", iconNone);
        break;
    case button::about: view.openSecondary(Secondary::about); break;
    case button::newBackgroundColor: view.openSecondary(Secondary::backgroundColor); break;
    case button::newBackgroundImage: view.openSecondary(Secondary::backgroundImage); break;
    case button::cleanUpProjects:
        // Without a game folder there is no Projects folder to list.
        if (app.paths.userFolderFound) view.openSecondary(Secondary::removeProjects);
        break;
    case button::hideGameFolders: view.openSecondary(Secondary::hideGameFolders); break;
    case button::extras: view.openSecondary(Secondary::extras); break;
    case button::options: view.openSecondary(Secondary::options); break;
    case button::renamePackages: view.openSecondary(Secondary::renamePackages); break;
    default: break;
    }
}

void showHelpPage(App& app, const std::string& page) {
    if (app.paths.helpFileFound)
        app.platform.shell.showHelpPage(app.paths.helpFile, page);
    else
        app.dialogs().showMessage("Helpfile not found", iconNone);
}

void dispatchGadget(App& app, MainView& view, int gadgetNumber) {
    switch (gadgetNumber) {
    case gadget::refreshThumbnails: refreshThumbnails(app, view); break;
    case gadget::backgroundImage: dispatchToolBar(app, view, button::newBackgroundImage); break;
    case gadget::cleanupProjects: dispatchToolBar(app, view, button::cleanUpProjects); break;
    case gadget::backgroundColor: dispatchToolBar(app, view, button::newBackgroundColor); break;
    case gadget::size800:
    case gadget::size1024: view.refreshBackgroundThumbnail(); break;
    case gadget::runBodyshop: launchBodyShop(app, view); break;
    default: break;
    }
}

bool mainLoopPass(App& app, MainView& view, EventSource& events) {
    Event event = events.pollEvent();
    app.run.bodyShop = checkBodyShopProcess(app);
    followBodyShopState(app, view);
    switch (event.kind) {
    case EventKind::close: confirmQuit(app); break;
    // Told to end from outside: no question can be answered any more.
    case EventKind::quit: app.run.quitRequested = true; break;
    case EventKind::toolBar:
        storeWindowPosition(app.settings, view.position());
        dispatchToolBar(app, view, event.id);
        break;
    case EventKind::gadget:
        storeWindowPosition(app.settings, view.position());
        dispatchGadget(app, view, event.id);
        break;
    default: break;
    }
    // Input and the end of a held Body Shop wake the loop at once, so an idle
    // pass only needs to come round when the process list is due a look.
    if (event.kind != EventKind::gadget)
        events.pause(int(app.bodyShopWatch.timeToNextLook(app.platform.clock.milliseconds())));
    return !app.run.quitRequested;
}

void mainLoop(App& app, MainView& view, EventSource& events) {
    while (mainLoopPass(app, view, events)) {}
}

}  // namespace seamster
