#include "content/FolderHiding.h"

#include <optional>
#include <utility>
#include <vector>

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

void hideFolder(App& app, GameFilesView& view, const GameFolder& folder) {
    if (!(app.run.*folder.option)) return;
    const std::string prefix = app.paths.userFolder();
    if (app.fs().rename(prefix + folder.name, prefix + folder.name + "_off")) {
        app.run.*folder.hidden = true;
    } else {
        app.run.*folder.option = false;
        view.markFolder(folder.which, false);
    }
}

// Unhides one folder; its line for the summary.
std::string unhideFolder(App& app, GameFilesView& view, const GameFolder& folder) {
    const std::string prefix = app.paths.userFolder();
    const std::string current = prefix + folder.name;
    const std::string hidden = current + "_off";
    std::vector<KeptBeside> kept;
    if (app.fs().exists(current) != PathKind::missing &&
        !mergeRecreatedFolder(app.fs(), current, hidden, &kept))
        return {};  // tried again on the next pass
    std::string lines = folder.notUnhidden;
    if (app.fs().rename(hidden, current)) {
        app.run.*folder.hidden = false;
        view.markFolder(folder.which, false);
        lines = folder.unhidden;
    } else {
        view.markFolder(folder.which, true);
    }
    for (const KeptBeside& file : kept)
        lines += file.name + " made during the run is kept as " + file.keptAs + " \n";
    return lines;
}

// "name (n).ext": the number goes before the extension, if there is one.
std::string numberedName(const std::string& name, int number) {
    const size_t dot = name.find_last_of('.');
    const size_t stemEnd = dot == std::string::npos || dot == 0 ? name.size() : dot;
    return name.substr(0, stemEnd) + " (" + std::to_string(number) + ")" + name.substr(stemEnd);
}

bool holdSameBytes(FileSystem& fs, const std::string& a, const std::string& b) {
    const std::optional<std::string> first = fs.readFile(a);
    return first && fs.readFile(b) == first;
}

// Copies `name` into the hidden folder without replacing anything there: a
// name in use gets " (2)", " (3)", ... unless the file of that name already
// holds the same bytes (a merge tried again after a failure part-way). The
// name the file is kept under; nothing when it could not be copied.
std::optional<std::string> copyBeside(FileSystem& fs, const std::string& recreated,
                                      const std::string& hidden, const std::string& name) {
    constexpr int maxNumber = 999;
    const std::string from = recreated + "\\" + name;
    for (int number = 1; number <= maxNumber; ++number) {
        const std::string candidate = number == 1 ? name : numberedName(name, number);
        const std::string to = hidden + "\\" + candidate;
        if (fs.exists(to) == PathKind::missing) {
            // A copy cut short never takes a name; one taken meanwhile is stepped past.
            if (copyFileSafely(fs, from, to, false)) return candidate;
            if (fs.exists(to) == PathKind::missing) return std::nullopt;
        } else if (holdSameBytes(fs, from, to)) {
            return candidate;
        }
    }
    return std::nullopt;
}
}  // namespace

bool mergeRecreatedFolder(FileSystem& fs, const std::string& recreated, const std::string& hidden,
                          std::vector<KeptBeside>* keptBeside) {
    std::vector<DirEntry> entries;
    if (!fs.list(recreated, "*.*", entries)) return false;
    if (fs.exists(hidden) != PathKind::folder && !fs.createFolder(hidden)) return false;
    // Every file is copied before any is deleted, so a failure part-way
    // leaves each file in at least one place.
    std::vector<KeptBeside> kept;
    for (const DirEntry& entry : entries) {
        if (entry.isFolder) continue;
        const std::optional<std::string> placed = copyBeside(fs, recreated, hidden, entry.name);
        if (!placed) return false;
        if (*placed != entry.name) kept.push_back({entry.name, *placed});
    }
    for (const DirEntry& entry : entries) {
        if (entry.isFolder) continue;
        const std::string path = recreated + "\\" + entry.name;
        if (entry.readOnly) fs.clearReadOnly(path);
        fs.deleteFile(path);
    }
    if (!fs.removeFolder(recreated)) return false;
    if (keptBeside) *keptBeside = std::move(kept);
    return true;
}

void applyFolderHiding(App& app, GameFilesView& view) {
    // Without the game's own folder there is nothing of the game's to hide.
    if (!app.paths.userFolderFound) return view.flushEvents();
    for (const GameFolder& folder : gameFolders) hideFolder(app, view, folder);
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
    // differently and has something to say (a folder that silently stays
    // hidden adds no line).
    const bool stillPending =
        app.run.downloadsHidden || app.run.savedSimsHidden || app.run.undiesRestorePending;
    const bool alreadyReported = app.run.failedRestoreReport.has_value();
    if (stillPending && alreadyReported &&
        (report == *app.run.failedRestoreReport || report.empty()))
        return;
    app.run.failedRestoreReport = stillPending ? std::optional(report) : std::nullopt;
    app.dialogs().showMessage(report, iconInformation);
}

}  // namespace seamster
