#pragma once
// Finding the finished packages the rename window offers: the choices of the
// Find Package Options window, the age and name filters, the package list's
// rows and counters, and the small text rules around them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Settings.h"
#include "platform/Platform.h"
#include "ui/Gadgets.h"

namespace seamster {

// The three option groups of the Find Package Options window.
enum class FolderChoice { savedSims, other };
enum class NameChoice { bodyshopNumber, withText, all };
enum class AgeChoice { inTheLast, sinceLastUsed, all };

// The settings fields the package search reads and writes, copied from and
// back to the settings record by the window.
struct FinderSettings {
    int otherFolder = 0;                           // "Other Folder": 1 = search packagesFolder
    std::string packagesFolder;                    // "Packages Folder", ending with "\" or empty
    std::string pathDisplay;                       // "Path Display"
    NameChoice name = NameChoice::bodyshopNumber;  // "Bodyshop Number": 1, 2, else all
    std::string search;                            // "Search"
    AgeChoice age = AgeChoice::inTheLast;          // "In The Last": 1, 2, else all
    int goBackWeeks = 0;                           // "Go Back Weeks": 0 Day, 1 Week, 2..6 Weeks
    std::string lastUsed;                          // "Last Used", "mm/dd/yyyy"
};

// What the Find Package Options window shows when it is built.
struct FindWindowState {
    FolderChoice folder = FolderChoice::savedSims;
    std::string folderText;  // the folder as shown
    std::string folderTip;   // the whole folder, or "" for no tip
    NameChoice name = NameChoice::bodyshopNumber;
    std::string searchText;  // gadget 566
    AgeChoice age = AgeChoice::inTheLast;
    int weeksIndex = 0;           // drop-down 557
    std::string lastUsedCaption;  // option 558
};

// What the user set in that window when "OK" was clicked.
struct FindChoices {
    FolderChoice folder = FolderChoice::savedSims;
    NameChoice name = NameChoice::bodyshopNumber;
    std::string searchText;
    AgeChoice age = AgeChoice::inTheLast;
    int weeksIndex = 0;
};

FindWindowState findWindowState(const FinderSettings& settings);

// Stores the choices in `settings` and returns the folder to search, ending
// with "\" (empty when "In" was chosen without any folder).
std::string applyFindChoices(const FindChoices& choices, const std::string& savedSimsFolder,
                             FinderSettings& settings);

// A picked search folder (empty = cancelled) becomes the other folder and its
// display text; false when nothing changed.
bool acceptSearchFolderPick(const std::string& answer, FinderSettings& settings);

// The user game folder + "SavedSims", without a trailing backslash.
std::string savedSimsFolderOf(const std::string& eaGamesFolder, const std::string& userFolderName);
extern const char* const kSavedSimsMissingMessage;

// The copy mark's colour for a package copied (black and red are the lists').
constexpr uint32_t kTextGreen = 0x33CC00;  // RGB(0,204,51)

// One row of the package list.
struct PackageRow {
    std::string name;            // column 0: the file name with its extension
    std::string copyMark = " ";  // column 1: "Copied", "ERROR", "~~~"
    std::string created;         // column 2: "mm/dd/yyyy"
    int state = 0;               // kRowSelected | kRowTicked
    uint32_t nameColour = kTextBlack;
    uint32_t copyMarkColour = kTextBlack;
};

// The outcome of one search, ready to be shown.
struct PackageSearch {
    std::string windowTitle;
    std::string cutoffText;
    std::vector<PackageRow> rows;  // newest first
    // More rows than the list shows without scrolling: column 0 loses the
    // scroll bar's width.
    bool narrowNameColumn = false;
    // Empty when something was listed.
    std::string noMatchMessage;
};

constexpr int kVisibleListRows = 13;
extern const char* const kPackageListHeaderText;  // gadget 503 after a search

// Lists the packages in `searchFolder` that pass the age and name filters of
// `settings`, newest first. Each file is dated by the local calendar day of
// its creation, which is also the day the age filter compares.
PackageSearch findPackages(const std::string& searchFolder, const FinderSettings& settings,
                           FileSystem& fs, Clock& clock);

// " Seamster  --  Rename Bodyshop Packages in " + the searched folder's name.
std::string renameWindowTitle(const std::string& searchFolder);

// The earliest creation day a search lists, as "mm/dd/yyyy".
std::string cutoffTextFor(const FinderSettings& settings, const LocalDate& today);

// Normalises the rows' states (selected becomes ticked) and returns how many
// are ticked.
int countTickedRows(std::vector<PackageRow>& rows);

// "Select All" / "Select None".
void setAllTicked(std::vector<PackageRow>& rows, bool ticked);

// A status-bar value: " " + number.
std::string counterText(int value);

// A path of at most `limit` characters as it is; a longer one as " ~ " and
// its tail from a folder boundary.
std::string shortenPathForDisplay(std::string_view path, size_t limit);

// True when the name starts with a non-zero eight-character hexadecimal
// number followed by "_".
bool hasBodyShopNumber(std::string_view name);
// The leading hexadecimal value of a text (blanks and a "$" allowed in front).
uint64_t hexValue(std::string_view text);

// Dates as the program shows and stores them (formatDateText is with the settings).
// "m/d/yyyy" with any separators; nothing for an impossible date or a year
// before 1970 (which the age filter treats as earlier than every day).
std::optional<LocalDate> readDateText(std::string_view text);
LocalDate addDays(const LocalDate& date, int64_t days);

}  // namespace seamster
