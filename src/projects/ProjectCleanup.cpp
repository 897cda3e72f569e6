#include "projects/ProjectCleanup.h"

#include <utility>

#include "platform/Text.h"

namespace seamster {

namespace {

constexpr size_t kVisibleRows = 7;

// Once removals leave no rows to scroll, the file-name column takes back the
// scroll bar's room: 191, a pixel wider than the 190 of a list that never
// scrolled.
constexpr int kProjectFileColumnWidthAfterScroll = 191;

// The entry called `name` directly inside `folder`, as the system lists it
// now, or nothing when there is none.
std::optional<DirEntry> currentEntry(FileSystem& fs, const std::string& folder,
                                     const std::string& name) {
    std::vector<DirEntry> found;
    if (!fs.list(folder, name, found)) return std::nullopt;
    for (DirEntry& entry : found)
        if (equalsIgnoreCase(entry.name, name)) return std::move(entry);
    return std::nullopt;
}

// Deletes the files directly inside `folder`; what cannot be deleted stays.
// A file that is a link loses only the link: deleting it could reach its
// target.
void deleteFilesInside(FileSystem& fs, const std::string& folder) {
    std::vector<DirEntry> entries;
    if (!fs.list(folder, "*.*", entries)) return;
    const std::string prefix = withBackslash(folder);
    for (const DirEntry& entry : entries) {
        if (entry.isFolder || !isPlainEntryName(entry.name)) continue;
        if (entry.isLink)
            fs.removeLink(prefix + entry.name);
        else
            fs.deleteFile(prefix + entry.name);
    }
}

}  // namespace

RemoveProjectsLayout removeProjectsLayout(int listRowHeight, int listHeaderHeight) {
    RemoveProjectsLayout layout;
    layout.listHeight = int(kVisibleRows) * listRowHeight + listHeaderHeight;
    layout.windowHeight = 2 * layout.listHeight + 72;
    layout.buttonTop = layout.windowHeight - 32;
    layout.folderListTop = layout.listHeight + 38;
    return layout;
}

bool removeProjectFile(FileSystem& fs, const std::string& projectsFolder,
                       const std::string& fileName) {
    // Without a Projects folder the name would be joined to the drive's root.
    if (projectsFolder.empty() || !isPlainEntryName(fileName)) return false;
    const std::string path = withBackslash(projectsFolder) + fileName;
    // A project file may be a link to one kept elsewhere, which must stay.
    const std::optional<DirEntry> entry = currentEntry(fs, projectsFolder, fileName);
    if (entry && entry->isLink) return fs.removeLink(path);
    return fs.deleteFile(path);
}

bool removeProjectFolder(FileSystem& fs, const std::string& projectsFolder,
                         const std::string& folderName) {
    if (!isPlainEntryName(folderName)) return false;
    // Look again right now: the folder may have changed since the scan, and a
    // link must lose only itself, never what its target holds.
    std::optional<DirEntry> entry = currentEntry(fs, projectsFolder, folderName);
    if (!entry || !entry->isFolder) return false;
    const std::string path = withBackslash(projectsFolder) + entry->name;
    // A link is never entered, and goes alone or not at all.
    if (entry->isLink) return fs.removeLink(path);
    deleteFilesInside(fs, path);
    return fs.removeFolder(path);
}

std::optional<RemoveProjectsModel> RemoveProjectsModel::open(FileSystem& fs,
                                                             std::string projectsFolder,
                                                             bool tickOrphans, int scrollBarWidth,
                                                             TextCodec* codec) {
    std::optional<ProjectScan> scan = scanProjects(fs, projectsFolder, codec);
    if (!scan) return std::nullopt;
    return RemoveProjectsModel(fs, std::move(projectsFolder), std::move(*scan), tickOrphans,
                               scrollBarWidth);
}

RemoveProjectsModel::RemoveProjectsModel(FileSystem& fs, std::string projectsFolder,
                                         ProjectScan scan, bool tickOrphans, int scrollBarWidth)
    : fs_(&fs),
      projectsFolder_(std::move(projectsFolder)),
      tickOrphans_(tickOrphans),
      scrollBarWidth_(scrollBarWidth) {
    for (ProjectEntry& entry : scan.projects) {
        bool ticked = entry.orphan && tickOrphans_;
        projects_.push_back({std::move(entry), ticked});
    }
    for (std::string& name : scan.folders) folders_.push_back({std::move(name), false});
    noProjectsRow_ = projects_.empty();
    noFoldersRow_ = folders_.empty();
    projectFileWidth_ = projects_.size() > kVisibleRows
                            ? kProjectFileColumnWidthAfterScroll - scrollBarWidth_
                            : kProjectFileColumnWidth;
}

int RemoveProjectsModel::folderColumnWidth() const {
    return folders_.size() > kVisibleRows ? kFolderColumnWidth - scrollBarWidth_
                                          : kFolderColumnWidth;
}

std::vector<ListRow> RemoveProjectsModel::projectRows() const {
    std::vector<ListRow> rows;
    if (noProjectsRow_)
        rows.push_back({std::string(kNoProjectsRow),
                        {},
                        kPlainTextColour,
                        kNothingFoundPicture,
                        noProjectsRowTicked_});
    for (const ProjectRow& row : projects_)
        rows.push_back({row.entry.displayName, row.entry.fileName,
                        row.entry.orphan ? kOrphanTextColour : kPlainTextColour, kProjectRowPicture,
                        row.ticked});
    return rows;
}

std::vector<ListRow> RemoveProjectsModel::folderRows() const {
    std::vector<ListRow> rows;
    if (noFoldersRow_)
        rows.push_back({std::string(kNoFoldersRow),
                        {},
                        kPlainTextColour,
                        kNothingFoundPicture,
                        noFoldersRowTicked_});
    for (const FolderRow& row : folders_)
        rows.push_back({std::string(kFolderRowIndent) + row.name,
                        {},
                        kPlainTextColour,
                        kFolderRowPicture,
                        row.ticked});
    return rows;
}

// A "nothing found" row is only ever shown while its list has no entries, so
// row numbers and entry numbers agree whenever there is an entry to tick.
void RemoveProjectsModel::setProjectTicked(size_t row, bool ticked) {
    if (noProjectsRow_ && row == 0) noProjectsRowTicked_ = ticked;
    if (row < projects_.size()) projects_[row].ticked = ticked;
}

void RemoveProjectsModel::setFolderTicked(size_t row, bool ticked) {
    if (noFoldersRow_ && row == 0) noFoldersRowTicked_ = ticked;
    if (row < folders_.size()) folders_[row].ticked = ticked;
}

RemovedRows RemoveProjectsModel::removeTicked() {
    RemovedRows removed;
    removeTickedProjects(removed);
    removeTickedFolders(removed);
    markOrphans();
    return removed;
}

void RemoveProjectsModel::removeTickedProjects(RemovedRows& removed) {
    for (size_t i = projects_.size(); i-- > 0;) {
        if (!projects_[i].ticked ||
            !removeProjectFile(*fs_, projectsFolder_, projects_[i].entry.fileName))
            continue;
        projects_.erase(projects_.begin() + std::ptrdiff_t(i));
        removed.projects.push_back(i);
        // The scroll bar has just gone; the column keeps its later width.
        if (projects_.size() == kVisibleRows)
            projectFileWidth_ = kProjectFileColumnWidthAfterScroll;
    }
}

void RemoveProjectsModel::removeTickedFolders(RemovedRows& removed) {
    for (size_t i = folders_.size(); i-- > 0;) {
        if (!folders_[i].ticked || !removeProjectFolder(*fs_, projectsFolder_, folders_[i].name))
            continue;
        folders_.erase(folders_.begin() + std::ptrdiff_t(i));
        removed.folders.push_back(i);
    }
}

// Removing a folder can orphan its project, and a folder made outside the
// program can adopt one; every remaining project is looked at again.
void RemoveProjectsModel::markOrphans() {
    for (ProjectRow& row : projects_) {
        row.entry.orphan = !projectFolderExists(*fs_, projectsFolder_, row.entry.displayName);
        if (row.entry.orphan && tickOrphans_) row.ticked = true;
    }
}

}  // namespace seamster
