#include "rename/PackageFinder.h"

#include <algorithm>
#include <cstdio>

#include "platform/Text.h"
#include "platform/Characters.h"
#include "rename/NamingRules.h"

namespace seamster {

const char* const kSavedSimsMissingMessage = "Unable to find your SavedSims folder";
const char* const kPackageListHeaderText = "Select the Package Files you want to rename";

namespace {

constexpr int kLastWeeksIndex = 6;

int clampedWeeks(int index) { return std::clamp(index, 0, kLastWeeksIndex); }

// Days since 1970-01-01 for a proleptic Gregorian date, and back.
int64_t daysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

LocalDate civilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {static_cast<int>(yoe + era * 400 + (m <= 2)), m, d};
}

int daysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

// Up to `maxDigits` decimal digits from `pos`; 0 when there are none.
int readNumber(std::string_view text, size_t& pos, int maxDigits) {
    int value = 0;
    for (int n = 0; n < maxDigits && pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++n)
        value = value * 10 + (text[pos++] - '0');
    return value;
}

bool passesNameFilter(const std::string& name, const FinderSettings& settings) {
    switch (settings.name) {
    case NameChoice::bodyshopNumber: return hasBodyShopNumber(name);
    case NameChoice::withText: return name.find(settings.search) != std::string::npos;
    case NameChoice::all: break;
    }
    return true;
}

// The packages directly in the folder, oldest first.
std::vector<DirEntry> listPackages(const std::string& folder, FileSystem& fs) {
    std::vector<DirEntry> entries;
    // An empty folder text would list the process's current folder.
    if (folder.empty() || !fs.list(folder, "*.package", entries)) return {};
    std::erase_if(entries, [](const DirEntry& e) {
        return e.isFolder || !endsWithIgnoreCase(e.name, ".package");
    });
    std::stable_sort(entries.begin(), entries.end(), [](const DirEntry& a, const DirEntry& b) {
        return a.creationTime < b.creationTime;
    });
    return entries;
}

}  // namespace

LocalDate addDays(const LocalDate& date, int64_t days) {
    return civilFromDays(daysFromCivil(date.year, date.month, date.day) + days);
}

std::optional<LocalDate> readDateText(std::string_view text) {
    size_t pos = 0;
    LocalDate date;
    date.month = readNumber(text, pos, 2);
    ++pos;  // the separator, whatever it is
    date.day = readNumber(text, pos, 2);
    ++pos;
    date.year = readNumber(text, pos, 4);
    if (date.month < 1 || date.month > 12 || date.year < 1970 || date.day < 1 ||
        date.day > daysInMonth(date.year, date.month))
        return std::nullopt;
    return date;
}

FindWindowState findWindowState(const FinderSettings& settings) {
    FindWindowState state;
    state.folder = settings.otherFolder == 1 && !settings.packagesFolder.empty()
                       ? FolderChoice::other
                       : FolderChoice::savedSims;
    state.folderText =
        settings.packagesFolder.empty() ? "(No folder Selected)" : settings.pathDisplay;
    state.folderTip = settings.packagesFolder;
    state.name = settings.name;
    state.searchText = settings.search;
    state.age = settings.age;
    state.weeksIndex = clampedWeeks(settings.goBackWeeks);
    state.lastUsedCaption = " Since last used - " + settings.lastUsed;
    return state;
}

std::string applyFindChoices(const FindChoices& choices, const std::string& savedSimsFolder,
                             FinderSettings& settings) {
    settings.search = choices.searchText;
    std::string searchFolder;
    if (choices.folder == FolderChoice::other) {
        settings.otherFolder = 1;
        if (!settings.packagesFolder.empty()) searchFolder = withBackslash(settings.packagesFolder);
    } else {
        settings.otherFolder = 0;
        searchFolder = withBackslash(savedSimsFolder);
    }
    // "With" and no text lists everything, and is remembered that way.
    settings.name = choices.name == NameChoice::withText && choices.searchText.empty()
                        ? NameChoice::all
                        : choices.name;
    settings.goBackWeeks = clampedWeeks(choices.weeksIndex);
    settings.age = choices.age;
    return searchFolder;
}

bool acceptSearchFolderPick(const std::string& answer, FinderSettings& settings) {
    if (answer.empty()) return false;
    settings.packagesFolder = withBackslash(answer);
    settings.pathDisplay = shortenPathForDisplay(settings.packagesFolder, 45);
    return true;
}

std::string savedSimsFolderOf(const std::string& eaGamesFolder, const std::string& userFolderName) {
    return eaGamesFolder + userFolderName + "SavedSims";
}

std::string renameWindowTitle(const std::string& searchFolder) {
    std::string folder =
        searchFolder.empty() ? "" : searchFolder.substr(0, searchFolder.size() - 1);
    size_t slash = folder.rfind('\\');
    if (slash != std::string::npos) folder = folder.substr(slash + 1);
    return " Seamster  --  Rename Bodyshop Packages in " + folder;
}

std::string cutoffTextFor(const FinderSettings& settings, const LocalDate& today) {
    if (settings.age == AgeChoice::inTheLast)
        return formatDateText(addDays(today, -7 * clampedWeeks(settings.goBackWeeks)));
    if (settings.age == AgeChoice::sinceLastUsed) return settings.lastUsed;
    return "01/01/2000";
}

PackageSearch findPackages(const std::string& searchFolder, const FinderSettings& settings,
                           FileSystem& fs, Clock& clock) {
    PackageSearch search;
    search.windowTitle = renameWindowTitle(searchFolder);
    search.cutoffText = cutoffTextFor(settings, clock.today());
    // An unreadable cut-off lets every file through.
    const std::optional<LocalDate> cutoff = readDateText(search.cutoffText);

    std::vector<DirEntry> entries = listPackages(searchFolder, fs);
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        // The day the user saw the file made, in their own time zone.
        const LocalDate created = clock.localDateOf(it->creationTime);
        if (cutoff && created < *cutoff) continue;
        if (!passesNameFilter(it->name, settings)) continue;
        PackageRow row;
        row.name = it->name;
        row.created = formatDateText(created);
        search.rows.push_back(std::move(row));
    }
    search.narrowNameColumn = search.rows.size() > kVisibleListRows;
    if (search.rows.empty())
        search.noMatchMessage = "No matching Package files\nCreated since " + search.cutoffText +
                                "\n were found in this folder";
    return search;
}

int countTickedRows(std::vector<PackageRow>& rows) {
    int count = 0;
    for (PackageRow& row : rows) {
        if ((row.state & (kRowSelected | kRowTicked)) == 0) continue;
        row.state = kRowTicked;
        ++count;
    }
    return count;
}

void setAllTicked(std::vector<PackageRow>& rows, bool ticked) {
    for (PackageRow& row : rows) row.state = ticked ? kRowTicked : 0;
}

std::string counterText(int value) {
    std::string text = " ";
    text += std::to_string(value);
    return text;
}

std::string shortenPathForDisplay(std::string_view path, size_t limit) {
    const size_t count = characterCount(path);
    if (count <= limit) return std::string(path);
    std::string_view tail = path.substr(offsetOfCharacter(path, count - limit));
    size_t slash = tail.find('\\');
    if (slash != std::string_view::npos) tail = tail.substr(slash + 1);
    std::string shown = " ~ ";
    shown += tail;
    return shown;
}

uint64_t hexValue(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    upper = trimBlanks(upper);
    if (!upper.empty() && upper[0] == '$') upper = trimBlanks(upper.substr(1));
    uint64_t value = 0;
    for (char c : upper) {
        value *= 16;  // also for the character that ends the number
        if (c >= '0' && c <= '9')
            value += static_cast<uint64_t>(c - '0');
        else if (c >= 'A' && c <= 'F')
            value += static_cast<uint64_t>(c - 'A' + 10);
        else
            break;
    }
    return value;
}

bool hasBodyShopNumber(std::string_view name) {
    const size_t ninth = offsetOfCharacter(name, 8);
    if (ninth >= name.size() || name[ninth] != '_') return false;
    return hexValue(name.substr(0, ninth)) != 0;
}

}  // namespace seamster
