#include "content/FolderHiding.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "content/FolderMerge.h"
#include "content/Replacements.h"

namespace seamster {

namespace {
struct GameFolder {
    const char* name;
    HiddenFolder which;
    bool RunState::*option;
    bool RunState::*hidden;
    const char* unhidden;
    const char* notUnhidden;
};

const GameFolder gameFolders[] = {
    {"Downloads", HiddenFolder::downloads, &RunState::hideDownloadsOption,
     &RunState::downloadsHidden, "The Downloads folder is unhidden \n",
     "Unable to unhide the Downloads folder \n"},
    {"SavedSims", HiddenFolder::savedSims, &RunState::hideSavedSimsOption,
     &RunState::savedSimsHidden, "The SavedSims folder is unhidden \n",
     "Unable to unhide the SavedSims folder \n"},
};

const char kRecordHeading[] =
    "Seamster hid these folders of the game for a Body Shop run and puts them back when it "
    "has ended:\r\n";

// The folders Seamster hid, as its record in the user game folder says.
std::vector<std::string> readRecord(FileSystem& fs, const std::string& userFolder) {
    std::vector<std::string> names;
    const std::optional<std::string> text = fs.readFile(userFolder + kHiddenFoldersRecord, 4096);
    if (!text) return names;
    for (const GameFolder& folder : gameFolders)
        if (text->find(std::string("\r\n") + folder.name + "\r\n") != std::string::npos)
            names.push_back(folder.name);
    return names;
}

bool recorded(const std::vector<std::string>& names, const char* name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Writes the record anew with `name` in it or not; the file goes once it
// names nothing.
bool changeRecord(FileSystem& fs, const std::string& userFolder, const char* name, bool hidden) {
    std::vector<std::string> names = readRecord(fs, userFolder);
    if (recorded(names, name) == hidden) return true;
    if (hidden)
        names.push_back(name);
    else
        std::erase(names, name);
    const std::string path = userFolder + kHiddenFoldersRecord;
    if (names.empty()) return fs.exists(path) == PathKind::missing || fs.deleteFile(path);
    std::string text = kRecordHeading;
    for (const std::string& each : names) text += each + "\r\n";
    return writeFileSafely(fs, path, text);
}

// Why a folder could not be hidden, in the user's words.
std::string whyNotHidden(FsError error, const std::string& folderName, const std::string& path) {
    switch (error) {
    case FsError::exists:
        return "A folder named " + folderName +
               "_off is already there, and Seamster leaves it as it is.";
    case FsError::missing: return "There is no such folder.";
    case FsError::inUse:
        return "A program is using the folder or a file in it (perhaps a window showing it).";
    case FsError::accessDenied: return accessDeniedText(path);
    default: return "Windows would not rename it.";
    }
}

// Hides one chosen folder, having first written down that it did; what to
// tell the user when it could not.
std::string hideFolder(App& app, GameFilesView& view, const GameFolder& folder) {
    if (!(app.run.*folder.option)) return {};
    const std::string prefix = app.paths.userFolder();
    const std::string visible = prefix + folder.name, hidden = visible + "_off";
    std::string reason;
    if (app.fs().exists(hidden) != PathKind::missing) {
        reason = whyNotHidden(FsError::exists, folder.name, visible);
    } else if (app.fs().exists(visible) != PathKind::folder) {
        reason = whyNotHidden(FsError::missing, folder.name, visible);
    } else if (!changeRecord(app.fs(), prefix, folder.name, true)) {
        reason = "Seamster could not write down that it hides it, in " + prefix +
                 kHiddenFoldersRecord + ".";
    } else if (app.fs().rename(visible, hidden)) {
        app.run.*folder.hidden = true;
        return {};
    } else {
        reason = whyNotHidden(app.fs().lastError(), folder.name, visible);
        changeRecord(app.fs(), prefix, folder.name, false);
    }
    app.run.*folder.option = false;
    view.markFolder(folder.which, false);
    return std::string("Seamster could not hide the ") + folder.name + " folder:\n" + visible +
           "\n" + reason + "\n\n";
}

// Why a folder made during the run could not be merged, for the summary.
std::string whyNotMerged(const GameFolder& folder, const MergeStop& stop) {
    const std::string made = std::string(folder.name) + " folder the game made during the run";
    const std::string what = stop.entry.empty()
                                 ? "the " + made
                                 : folder.name + ("\\" + stop.entry) + " (in the " + made + ")";
    const bool inUse = stop.error == FsError::inUse;
    return what + (inUse ? " is in use by another program" : " could not be moved");
}

// Unhides one folder; its line for the summary.
std::string unhideFolder(App& app, GameFilesView& view, const GameFolder& folder) {
    const std::string prefix = app.paths.userFolder();
    const std::string current = prefix + folder.name;
    const std::string hidden = current + "_off";
    std::vector<KeptBeside> kept;
    MergeStop stop;
    std::string lines = folder.notUnhidden;
    if (app.fs().exists(current) != PathKind::missing &&
        !mergeRecreatedFolder(app.fs(), current, hidden, &kept, &stop)) {
        // Tried again on the next pass; meanwhile the summary says why.
        lines = std::string("Unable to unhide the ") + folder.name +
                " folder: " + whyNotMerged(folder, stop) + " \n";
        view.markFolder(folder.which, true);
    } else if (app.fs().rename(hidden, current)) {
        app.run.*folder.hidden = false;
        changeRecord(app.fs(), prefix, folder.name, false);
        view.markFolder(folder.which, false);
        lines = folder.unhidden;
    } else {
        view.markFolder(folder.which, true);
    }
    for (const KeptBeside& file : kept)
        lines += file.name + " made during the run is kept as " + file.keptAs + " \n";
    return lines;
}

std::string leftOverQuestion(const std::string& hidden, const char* name) {
    return "There is a folder named " + std::string(name) + "_off in your game folder:\n" + hidden +
           "\n\nSeamster has no record of hiding it: it may be a folder you set aside "
           "yourself.\n\nDo you want Seamster to put it back as the " +
           name + " folder? Its files then join those of " + name +
           ". \"No\" leaves both folders "
           "as they are.";
}
}  // namespace

void applyFolderHiding(App& app, GameFilesView& view) {
    // Without the game's own folder there is nothing of the game's to hide.
    if (!app.paths.userFolderFound) return view.flushEvents();
    std::string problems;
    for (const GameFolder& folder : gameFolders) problems += hideFolder(app, view, folder);
    if (!problems.empty())
        app.dialogs().showMessage(problems +
                                      "The Body Shop starts all the same, with the game "
                                      "seeing what is in it.",
                                  iconExclamation);
    if ((app.run.hideDownloadsOption || app.run.hideSavedSimsOption) &&
        app.fs().exists(app.paths.bodyshopThumbnails) != PathKind::missing) {
        app.run.bodyshopThumbnailsDeleted = app.fs().deleteFile(app.paths.bodyshopThumbnails);
        if (app.run.bodyshopThumbnailsDeleted)
            view.enableThumbnailRefresh(false);
        else
            app.dialogs().showMessage("Unable to re-create Bodyshop thumbnails", iconInformation);
    }
    view.flushEvents();
}

void restoreGameFiles(App& app, GameFilesView& view) {
    std::string report;
    if (app.run.undiesRestorePending)
        report = restoreUnderwear(app.paths.configFolder, app.fs(), app.run, view);
    for (const GameFolder& folder : gameFolders)
        if (app.run.*folder.hidden) report += unhideFolder(app, view, folder);
    app.run.hideDownloadsOption = false;
    app.run.hideSavedSimsOption = false;

    // A restoration that still leaves a folder hidden or underwear on is
    // retried on every pass; its summary is shown again only when it reads
    // differently.
    const bool stillPending =
        app.run.downloadsHidden || app.run.savedSimsHidden || app.run.undiesRestorePending;
    const bool alreadyReported = app.run.failedRestoreReport.has_value();
    if (stillPending && alreadyReported && report == *app.run.failedRestoreReport) return;
    app.run.failedRestoreReport = stillPending ? std::optional(report) : std::nullopt;
    app.dialogs().showMessage(report, iconInformation);
}

bool findLeftOverHiddenFolders(const GamePaths& paths, FileSystem& fs, Dialogs& dialogs,
                               RunState& run) {
    if (!paths.userFolderFound) return false;
    const std::string prefix = paths.userFolder();
    const std::vector<std::string> names = readRecord(fs, prefix);
    for (const GameFolder& folder : gameFolders) {
        const std::string hidden = prefix + folder.name + "_off";
        const bool ours = recorded(names, folder.name);
        if (fs.exists(hidden) == PathKind::missing) {
            if (ours) changeRecord(fs, prefix, folder.name, false);  // put back meanwhile
            continue;
        }
        // Put back silently only what Seamster wrote down; anything else is
        // the user's to decide.
        if (!ours &&
            dialogs.askYesNo(leftOverQuestion(hidden, folder.name), iconQuestion) != answerYes)
            continue;
        if (!ours) changeRecord(fs, prefix, folder.name, true);
        run.*folder.hidden = true;
    }
    return run.downloadsHidden || run.savedSimsHidden;
}

}  // namespace seamster
