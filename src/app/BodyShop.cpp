#include "app/BodyShop.h"

#include "app/MainLoop.h"
#include "config/Editions.h"
#include "content/FolderHiding.h"
#include "platform/Text.h"

namespace seamster {

const char thumbnailQuestion[] =
    "This only needs to be done if you have bad thumbnails showing up \n"
    "and should only be done AFTER you have fixed the problem(s) \n"
    "that caused the bad thumbnails.\n\n"
    "Are you sure you want to re-make the Bodyshop and CAS thumbnails now ?  \n";
const char thumbnailNote[] =
    "The Thumbnail pages may change slowly \n"
    "until you have looked at all the pages.\n"
    "This does not indicate a problem.";

std::string poseCaption(const std::string& name) {
    const std::string lower = toLower(name);
    if (lower.find("casie") == std::string::npos || lower.find("anim") == std::string::npos)
        return {};
    std::string caption = removeAllIgnoreCase(name, "." + extensionOf(name));
    caption = removeAllIgnoreCase(caption, "casie");
    caption = removeAllIgnoreCase(caption, "anim");
    return " " + caption;
}

std::string lightingCaption(const std::string& name) {
    const std::string lower = toLower(name);
    if (lower.find("casielightsreplacement") == std::string::npos) return {};
    std::string caption = removeAllIgnoreCase(name, "casielightsreplacement");
    caption = removeAll(caption, "." + extensionOf(lower));
    return "  " + caption + " Lights";
}

namespace {
// Adds one package to a list; past the capacity the last slot is reused.
void addPackage(App& app, MainView& view, SwitchList which, const std::string& name,
                const std::string& caption) {
    PackageSwitchList& list = which == SwitchList::pose ? app.switches.pose : app.switches.lighting;
    if (list.count < PackageSwitchList::capacity) ++list.count;
    view.insertSwitch(which, list.count, caption);
    list.slots[size_t(list.count)] = app.paths.configFolder + name;
    if (extensionOf(toLower(name)) == "package") view.chooseSwitch(which, list.count);
}

void deleteThumbnailCache(App& app, MainView& view, const std::string& path, bool& deleted,
                          const char* failure) {
    if (app.fs().exists(path) == PathKind::missing) return;
    deleted = app.fs().deleteFile(path);
    if (deleted)
        view.enableControl(MainControl::refreshThumbnails, false);
    else
        app.dialogs().showMessage(failure, iconStop);
}
}  // namespace

void scanConfigPackages(App& app, MainView& view) {
    app.switches.pose.count = 0;
    app.switches.lighting.count = 0;
    std::vector<DirEntry> entries;
    app.fs().list(app.paths.configFolder, "*.*", entries);
    for (const DirEntry& entry : entries) {
        std::string pose = poseCaption(entry.name);
        if (!pose.empty()) addPackage(app, view, SwitchList::pose, entry.name, pose);
        std::string lighting = lightingCaption(entry.name);
        if (!lighting.empty()) addPackage(app, view, SwitchList::lighting, entry.name, lighting);
    }
    if (app.switches.pose.count == 0) view.enableControl(MainControl::poseList, false);
    if (app.switches.lighting.count == 0) view.enableControl(MainControl::lightingList, false);
}

void switchPackages(FileSystem& fs, PackageSwitchList& list, int selected) {
    for (int i = 1; i <= list.count; ++i) {
        std::string& slot = list.slots[size_t(i)];
        // The extension is the file name's own: a dot in a folder name must
        // not turn the rename into a move out of the Config folder.
        const size_t nameStart = slot.find_last_of('\\') + 1;
        const std::string name = slot.substr(nameStart);
        std::string base =
            slot.substr(0, nameStart) + removeAllIgnoreCase(name, "." + extensionOf(name));
        std::string target = base + (i == selected ? ".package" : ".off");
        // The slot follows the file only when the rename happened, so a
        // failed rename does not break every later switch of this package.
        if (target == slot || fs.rename(slot, target)) slot = target;
    }
}

bool isStartableBodyShop(FileSystem& fs, const std::string& path) {
    // The shell would look a bare or relative name up in the current folder
    // and along the PATH, and start whatever it found there; a network path
    // would start a program from another computer.
    const std::string name = path.substr(path.find_last_of('\\') + 1);
    return isAbsolutePath(path) && !isNetworkPath(path) &&
           equalsIgnoreCase(name, "TS2BodyShop.exe") && fs.exists(path) == PathKind::file;
}

namespace {
std::string cannotStartText(App& app) {
    if (app.edition.bodyShopMissing) return noBodyShopText(app.edition);
    const std::string& path = app.settings.game.runBodyshop;
    return "Can't Find BodyShop.exe!\n\n" + (isAbsolutePath(path) ? path + "\n\n" : "") +
           "Nothing was started and no folder was hidden.\n"
           "Press \"Seamster Setup\" to choose the game or pack whose Body Shop you use.";
}
}  // namespace

void launchBodyShop(App& app, MainView& view) {
    // Nothing is hidden or switched for a Body Shop that cannot start: the
    // next pass would find no Body Shop and put it all back at once.
    if (!isStartableBodyShop(app.fs(), app.settings.game.runBodyshop)) {
        app.dialogs().showMessage(cannotStartText(app), iconExclamation);
        return;
    }
    applyFolderHiding(app, view);
    std::string option;
    if (view.smallBodyShopChosen()) {
        option = "-r800x600";
        view.enableControl(MainControl::size1024, false);
    } else {
        option = "-r1024x768";
        view.enableControl(MainControl::size800, false);
    }
    if (app.switches.lighting.count > 0)
        switchPackages(app.fs(), app.switches.lighting, view.chosenSwitch(SwitchList::lighting));
    if (app.switches.pose.count > 0)
        switchPackages(app.fs(), app.switches.pose, view.chosenSwitch(SwitchList::pose));
    // Not checked: a Body Shop that does not start is simply never found by
    // the next pass, which then restores what was changed for the run.
    static_cast<void>(app.platform.shell.open(app.settings.game.runBodyshop, option));
    app.bodyShopWatch.lookNow();  // the next pass must see the new process
    // The end of this run gets its own summary, even if it repeats the
    // failure already reported after the previous run.
    app.run.failedRestoreReport.reset();
    view.enableControl(MainControl::runBodyShop, false);
    if (app.settings.options.autoQuit != 0) app.run.autoQuitPending = true;
    if (app.run.restoreUndiesOption) app.run.undiesRestorePending = true;
}

void refreshThumbnails(App& app, MainView& view) {
    if (app.dialogs().askYesNo(thumbnailQuestion, iconQuestion) != answerYes) return;
    deleteThumbnailCache(app, view, app.paths.bodyshopThumbnails, app.run.bodyshopThumbnailsDeleted,
                         "Unable to re-create Bodyshop thumbnails");
    deleteThumbnailCache(app, view, app.paths.casThumbnails, app.run.casThumbnailsDeleted,
                         "Unable to re-create the in-game thumbnails ");
    std::string report;
    if (app.run.bodyshopThumbnailsDeleted) report += "Bodyshop will remake the thumbnails \n\n";
    if (app.run.casThumbnailsDeleted) report += "The Sims2 CAS will remake it's thumbnails \n\n";
    if (!report.empty()) app.dialogs().showMessage(report + thumbnailNote, iconInformation);
}

}  // namespace seamster
