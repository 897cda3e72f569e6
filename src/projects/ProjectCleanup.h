#pragma once
// What the Remove Projects window shows and does: the two lists (project
// files and project folders) with their rows, ticks, orphan colours and
// column widths, and the removal of ticked entries. The window only copies
// rows and ticks between this model and its list controls.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "projects/ProjectScan.h"
#include "res/Pictures.h"
#include "ui/Gadgets.h"

namespace seamster {

// Row text colours: orphans in red.
inline constexpr uint32_t kOrphanTextColour = kTextRed;
inline constexpr uint32_t kPlainTextColour = kTextBlack;

// Built-in pictures shown as row icons.
inline constexpr int kProjectRowPicture = picture::cleanUp;
inline constexpr int kFolderRowPicture = picture::folders;
inline constexpr int kNothingFoundPicture = picture::changed;

inline constexpr std::string_view kNoProjectsRow = "  - No Bodyshop Projects Found";
inline constexpr std::string_view kNoFoldersRow = "  - No Bodyshop Project Folders Found";
inline constexpr std::string_view kFolderRowIndent = "  ";

// Column widths while no scroll bar shows.
inline constexpr int kProjectNameColumnWidth = 230;
inline constexpr int kProjectFileColumnWidth = 190;
inline constexpr int kFolderColumnWidth = 423;

// Where the window's pieces go, from the list metrics of the running system.
struct RemoveProjectsLayout {
    int listHeight = 0;    // both lists
    int windowHeight = 0;  // inner height; the inner width is fixed
    int buttonTop = 0;
    int folderListTop = 0;
};
RemoveProjectsLayout removeProjectsLayout(int listRowHeight, int listHeaderHeight);

// One row as a list shows it.
struct ListRow {
    std::string text;      // column 0
    std::string fileName;  // column 1 of the project list; empty in the folder list
    uint32_t textColour = kPlainTextColour;  // for every column
    int picture = kProjectRowPicture;
    bool ticked = false;
};

// The row numbers taken out of each list, in the order they went (bottom up),
// so that deleting them from a list control in this order keeps the numbers
// of the rows not yet deleted valid.
struct RemovedRows {
    std::vector<size_t> projects;
    std::vector<size_t> folders;
};

class RemoveProjectsModel {
public:
    // Scans the Projects folder; nothing when it cannot be listed, in which
    // case no window opens. Orphans are ticked at once when `tickOrphans`.
    static std::optional<RemoveProjectsModel> open(FileSystem& fs, std::string projectsFolder,
                                                   bool tickOrphans, int scrollBarWidth,
                                                   TextCodec* codec = nullptr);
    RemoveProjectsModel(FileSystem& fs, std::string projectsFolder, ProjectScan scan,
                        bool tickOrphans, int scrollBarWidth);

    // Entries still listed; the "nothing found" rows are not entries.
    size_t projectCount() const { return projects_.size(); }
    size_t folderCount() const { return folders_.size(); }

    // Every row of each list, top to bottom, "nothing found" rows included.
    std::vector<ListRow> projectRows() const;
    std::vector<ListRow> folderRows() const;

    // The user's tick on a row as the list shows it. A "nothing found" row
    // keeps its tick but stands for nothing; a row past the end is ignored.
    void setProjectTicked(size_t row, bool ticked);
    void setFolderTicked(size_t row, bool ticked);

    // Current widths of the project list's file-name column and the folder
    // list's only column, which leave room for a scroll bar while one shows.
    int projectFileColumnWidth() const { return projectFileWidth_; }
    int folderColumnWidth() const;

    // Deletes the ticked project files, then the ticked folders (the files
    // directly inside them first), each list from the bottom up, and marks
    // the orphans again. Rows that could not be removed stay, still ticked.
    RemovedRows removeTicked();

private:
    struct ProjectRow {
        ProjectEntry entry;
        bool ticked = false;
    };
    struct FolderRow {
        std::string name;
        bool ticked = false;
    };

    void removeTickedProjects(RemovedRows& removed);
    void removeTickedFolders(RemovedRows& removed);
    void markOrphans();

    FileSystem* fs_;
    std::string projectsFolder_;
    bool tickOrphans_;
    int scrollBarWidth_;
    std::vector<ProjectRow> projects_;
    std::vector<FolderRow> folders_;
    // Lists that were empty at the start show a "nothing found" row for as
    // long as the window is open.
    bool noProjectsRow_;
    bool noFoldersRow_;
    bool noProjectsRowTicked_ = false;
    bool noFoldersRowTicked_ = false;
    int projectFileWidth_;
};

// Deletes one project file of the Projects folder; a link loses only the
// link. False when the name is not a single plain entry or the file
// cannot be deleted.
bool removeProjectFile(FileSystem& fs, const std::string& projectsFolder,
                       const std::string& fileName);

// Deletes one project folder: the files directly inside it (sub-folders and
// read-only files are left alone), then the folder itself. A linked folder
// is never entered: it loses only the link, or stays when the system
// cannot take the link alone away. True when the folder is gone.
bool removeProjectFolder(FileSystem& fs, const std::string& projectsFolder,
                         const std::string& folderName);

}  // namespace seamster
