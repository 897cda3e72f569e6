#include "content/FolderHiding.h"

#include <vector>

#include "core/MainGadgets.h"
#include "res/Pictures.h"
#include "content/Replacements.h"

namespace seamster {

namespace {
struct GameFolder {
    const char* name;
    int statusField;
    bool App::*option;
    bool RunState::*hidden;
    const char* unhidden;
    const char* notUnhidden;
};

const GameFolder gameFolders[] = {
    {"Downloads", 0, &App::hideDownloadsOption, &RunState::downloadsHidden,
     "The Downloads folder is unhidden \n", "Unable to unhide the Downloads folder \n"},
    {"SavedSims", 1, &App::hideSavedSimsOption, &RunState::savedSimsHidden,
     "The SavedSims folder is unhidden \n", "Unable to unhide the SavedSims folder \n"},
};

void hideFolder(App& app, MainView& view, const GameFolder& folder) {
    if (!(app.*folder.option)) return;
    const std::string prefix = app.paths.userFolder();
    if (app.fs().rename(prefix + folder.name, prefix + folder.name + "_off")) {
        app.run.*folder.hidden = true;
    } else {
        app.*folder.option = false;
        view.showStatusPicture(folder.statusField, picture::folder);
    }
}

// Unhides one folder; its line for the summary.
std::string unhideFolder(App& app, MainView& view, const GameFolder& folder) {
    const std::string prefix = app.paths.userFolder();
    const std::string current = prefix + folder.name;
    const std::string hidden = current + "_off";
    if (app.fs().exists(current) != PathKind::missing &&
        !mergeRecreatedFolder(app.fs(), current, hidden))
        return {};  // tried again on the next pass
    if (app.fs().rename(hidden, current)) {
        app.run.*folder.hidden = false;
        view.showStatusPicture(folder.statusField, picture::folder);
        return folder.unhidden;
    }
    view.showStatusPicture(folder.statusField, picture::changed);
    return folder.notUnhidden;
}
}  // namespace

bool mergeRecreatedFolder(FileSystem& fs, const std::string& recreated, const std::string& hidden) {
    std::vector<DirEntry> entries;
    if (!fs.list(recreated, "*.*", entries)) return false;
    if (fs.exists(hidden) != PathKind::folder && !fs.createFolder(hidden)) return false;
    // Every file is copied before any is deleted, so a failure part-way
    // leaves each file in at least one place.
    // A copy cut short must not take the place of the hidden folder's own file.
    for (const DirEntry& entry : entries)
        if (!entry.isFolder &&
            !copyFileSafely(fs, recreated + "\\" + entry.name, hidden + "\\" + entry.name, true))
            return false;
    for (const DirEntry& entry : entries) {
        if (entry.isFolder) continue;
        const std::string path = recreated + "\\" + entry.name;
        if (entry.readOnly) fs.clearReadOnly(path);
        fs.deleteFile(path);
    }
    return fs.removeFolder(recreated);
}

void applyFolderHiding(App& app, MainView& view) {
    for (const GameFolder& folder : gameFolders) hideFolder(app, view, folder);
    if ((app.hideDownloadsOption || app.hideSavedSimsOption) &&
        app.fs().exists(app.paths.bodyshopThumbnails) != PathKind::missing) {
        app.bodyshopThumbnailsDeleted = app.fs().deleteFile(app.paths.bodyshopThumbnails);
        if (app.bodyshopThumbnailsDeleted)
            view.enableGadget(gadget::refreshThumbnails, false);
        else
            app.dialogs().showMessage("Unable to re-create Bodyshop thumbnails", iconInformation);
    }
    view.flushEvents();
}

void restoreGameFiles(App& app, MainView& view) {
    std::string report;
    if (app.run.undiesRestorePending) report = restoreUnderwear(app, view);
    for (const GameFolder& folder : gameFolders)
        if (app.run.*folder.hidden) report += unhideFolder(app, view, folder);
    app.hideDownloadsOption = false;
    app.hideSavedSimsOption = false;

    // A restoration that still leaves a folder hidden or underwear on is
    // retried on every pass; its summary is shown again only when it reads
    // differently and has something to say (a folder that silently stays
    // hidden adds no line).
    const bool stillPending =
        app.run.downloadsHidden || app.run.savedSimsHidden || app.run.undiesRestorePending;
    const bool alreadyReported = app.failedRestoreReport.has_value();
    if (stillPending && alreadyReported && (report == *app.failedRestoreReport || report.empty()))
        return;
    app.failedRestoreReport = stillPending ? std::optional(report) : std::nullopt;
    app.dialogs().showMessage(report, iconInformation);
}

}  // namespace seamster
