#include <gtest/gtest.h>

#include <chrono>

#include "fakes/MemoryFileSystem.h"
#include "rename/PackageFinder.h"

namespace seamster {
namespace {

using namespace std::chrono;

int64_t utc(int year, unsigned month, unsigned day, int hour = 0, int minute = 0) {
    sys_days date = std::chrono::year{year} / month / day;
    return duration_cast<seconds>(date.time_since_epoch()).count() + hour * 3600 + minute * 60;
}

// A clock in a fixed time zone, `offsetHours` east of UTC.
class ZoneClock : public Clock {
public:
    ZoneClock(int64_t nowUtc, int offsetHours) : now_(nowUtc), offset_(offsetHours * 3600) {}
    int64_t now() override { return now_; }
    LocalDate today() override { return localDateOf(now_); }
    LocalDateTime localNow() override { return {localDateOf(now_), 0, 0, 0}; }
    LocalDate localDateOf(int64_t utcSeconds) override {
        year_month_day date{floor<days>(sys_seconds{seconds{utcSeconds + offset_}})};
        return {int(date.year()), int(unsigned(date.month())), int(unsigned(date.day()))};
    }

private:
    int64_t now_;
    int64_t offset_;
};

const std::string kFolder = "C:\\Docs\\EA Games\\The Sims 2\\SavedSims\\";

FinderSettings listAll() {
    FinderSettings settings;
    settings.name = NameChoice::all;
    settings.age = AgeChoice::all;
    return settings;
}

std::vector<std::string> namesOf(const PackageSearch& search) {
    std::vector<std::string> names;
    for (const PackageRow& row : search.rows) names.push_back(row.name);
    return names;
}

TEST(HasBodyShopNumber, NeedsANonZeroHexNumberAndAnUnderscore) {
    for (const char* yes :
         {"0a1b2c3d_Dress.package", "1ZZZZZZZ_Dress.package", "FFFFFFFF_x", " $1abcde_x"})
        EXPECT_TRUE(hasBodyShopNumber(yes)) << yes;
    for (const char* no : {"00000000_Dress.package", "ZZZZZZZZ_Dress.package",
                           "0a1b2c3dDress.package", "0a1b_x", "0a1b2c3d", ""})
        EXPECT_FALSE(hasBodyShopNumber(no)) << no;
    EXPECT_EQ(hexValue(" 1f "), 0x1Fu);
    EXPECT_EQ(hexValue("$ 0A"), 0xAu);
    EXPECT_EQ(hexValue("1Z9"), 0x10u);  // the character that stops the number still shifts it
    EXPECT_EQ(hexValue("Z1"), 0u);
    EXPECT_EQ(hexValue("ffffffff"), 0xFFFFFFFFu);
}

TEST(ShortenPathForDisplay, KeepsTheTailFromAFolderBoundary) {
    const std::string path = "D:\\Sims Content\\Body Shop Work\\Finished Packages\\Outfits\\";
    ASSERT_EQ(path.size(), 57u);
    EXPECT_EQ(shortenPathForDisplay(path, 45), " ~ Body Shop Work\\Finished Packages\\Outfits\\");
    EXPECT_EQ(shortenPathForDisplay(path, 57), path);
    EXPECT_EQ(shortenPathForDisplay("C:\\abcdefghij", 5), " ~ fghij");
    // Characters, not bytes: "é" counts once and is never split.
    EXPECT_EQ(shortenPathForDisplay("C:\\\xC3\xA9t\xC3\xA9\\ab\\", 7), " ~ ab\\");
    EXPECT_EQ(shortenPathForDisplay("C:\\\xC3\xA9t\xC3\xA9\\", 7), "C:\\\xC3\xA9t\xC3\xA9\\");
}

TEST(DateText, ReadsOnlyPossibleDatesFrom1970On) {
    EXPECT_EQ(readDateText("02/29/2024"), (LocalDate{2024, 2, 29}));
    EXPECT_EQ(readDateText("1/5/2020"), (LocalDate{2020, 1, 5}));
    EXPECT_EQ(readDateText("01.01.1970"), (LocalDate{1970, 1, 1}));
    for (const char* bad :
         {"02/29/2023", "13/01/2020", "00/10/2020", "04/31/2020", "01/01/1969", "", "garbage"})
        EXPECT_FALSE(readDateText(bad)) << bad;
    EXPECT_EQ(formatDateText({2024, 3, 9}), "03/09/2024");
    EXPECT_EQ(addDays({2024, 3, 1}, -1), (LocalDate{2024, 2, 29}));
    EXPECT_EQ(addDays({2023, 12, 31}, 1), (LocalDate{2024, 1, 1}));
}

TEST(FindWindow, StartsFromTheStoredChoices) {
    FinderSettings settings;  // defaults: in the last day, with Bodyshop number
    settings.lastUsed = "01/01/2000";
    FindWindowState state = findWindowState(settings);
    EXPECT_EQ(state.folder, FolderChoice::savedSims);
    EXPECT_EQ(state.folderText, "(No folder Selected)");
    EXPECT_EQ(state.name, NameChoice::bodyshopNumber);
    EXPECT_EQ(state.age, AgeChoice::inTheLast);
    EXPECT_EQ(state.weeksIndex, 0);
    EXPECT_EQ(state.lastUsedCaption, " Since last used - 01/01/2000");

    // "In" without a folder falls back to SavedSims; an impossible week index is clamped.
    settings.otherFolder = 1;
    settings.goBackWeeks = 40;
    EXPECT_EQ(findWindowState(settings).folder, FolderChoice::savedSims);
    EXPECT_EQ(findWindowState(settings).weeksIndex, 6);
    EXPECT_TRUE(acceptSearchFolderPick(
        "D:\\Sims Content\\Body Shop Work\\Finished Packages\\Outfits\\", settings));
    EXPECT_FALSE(acceptSearchFolderPick("", settings));  // cancelled: the earlier pick stays
    state = findWindowState(settings);
    EXPECT_EQ(state.folder, FolderChoice::other);
    EXPECT_EQ(state.folderText, " ~ Body Shop Work\\Finished Packages\\Outfits\\");
}

TEST(FindWindow, OkStoresTheChoicesAndGivesTheSearchFolder) {
    FinderSettings settings;
    FindChoices choices{FolderChoice::savedSims, NameChoice::withText, "", AgeChoice::all, 3};
    EXPECT_EQ(applyFindChoices(choices, "C:\\U\\SavedSims", settings), "C:\\U\\SavedSims\\");
    EXPECT_EQ(settings.name, NameChoice::all);  // "With" and no text lists everything
    EXPECT_EQ(settings.age, AgeChoice::all);
    EXPECT_EQ(settings.goBackWeeks, 3);
    EXPECT_EQ(settings.otherFolder, 0);

    choices = {FolderChoice::other, NameChoice::withText, "Dress", AgeChoice::sinceLastUsed, 0};
    EXPECT_EQ(applyFindChoices(choices, "C:\\U\\SavedSims", settings), "");
    EXPECT_EQ(settings.otherFolder, 1);
    EXPECT_EQ(settings.name, NameChoice::withText);
    EXPECT_EQ(settings.search, "Dress");
    EXPECT_EQ(settings.age, AgeChoice::sinceLastUsed);

    settings.packagesFolder = "D:\\Work";
    EXPECT_EQ(applyFindChoices(choices, "C:\\U\\SavedSims", settings), "D:\\Work\\");
}

TEST(FindPackages, ListsPackagesNewestFirstWithTheirDays) {
    MemoryFileSystem fs;
    fs.addFile(kFolder + "b.package", "", utc(2024, 3, 5, 12))
        .addFile(kFolder + "c.PACKAGE", "", utc(2024, 3, 9, 12))
        .addFile(kFolder + "readme.txt", "", utc(2024, 3, 9, 12))
        .addFile(kFolder + "a.package", "", utc(2024, 3, 1, 12))
        .addFile(kFolder + "old.package", "", utc(1999, 12, 31, 12))
        .addFile(kFolder + "a.package.bak", "", utc(2024, 3, 9, 12))
        .addFolder(kFolder + "folder.package", utc(2024, 3, 9, 12));
    ZoneClock clock(utc(2024, 3, 10, 12), 0);
    PackageSearch search = findPackages(kFolder, listAll(), fs, clock);

    // "List all" still starts at the year 2000.
    EXPECT_EQ(search.cutoffText, "01/01/2000");
    ASSERT_EQ(namesOf(search), (std::vector<std::string>{"c.PACKAGE", "b.package", "a.package"}));
    EXPECT_EQ(search.rows[0].created, "03/09/2024");
    EXPECT_EQ(search.rows[0].copyMark, " ");
    EXPECT_EQ(search.rows[0].state, 0);
    EXPECT_EQ(search.windowTitle, " Seamster  --  Rename Bodyshop Packages in SavedSims");
    EXPECT_TRUE(search.noMatchMessage.empty());
    EXPECT_FALSE(search.narrowNameColumn);
}

TEST(FindPackages, DatesFilesByTheLocalDayEastAndWestOfUtc) {
    MemoryFileSystem fs;
    FinderSettings lastDay = listAll();
    lastDay.age = AgeChoice::inTheLast;
    lastDay.goBackWeeks = 0;

    // Ten hours east: 00:30 on 11 March locally is still 10 March in UTC.
    fs.addFile(kFolder + "morning.package", "", utc(2024, 3, 10, 14, 10))     // 00:10 local, 11th
        .addFile(kFolder + "evening.package", "", utc(2024, 3, 10, 13, 50));  // 23:50 local, 10th
    ZoneClock east(utc(2024, 3, 10, 14, 30), 10);
    PackageSearch search = findPackages(kFolder, lastDay, fs, east);
    EXPECT_EQ(search.cutoffText, "03/11/2024");
    ASSERT_EQ(namesOf(search), std::vector<std::string>{"morning.package"});
    EXPECT_EQ(search.rows[0].created, "03/11/2024");

    // Five hours west: 23:00 on 11 March locally is already the 12th in UTC.
    MemoryFileSystem west;
    west.addFile(kFolder + "tonight.package", "", utc(2024, 3, 12, 2))         // 21:00 local, 11th
        .addFile(kFolder + "lastnight.package", "", utc(2024, 3, 11, 4, 30));  // 23:30, 10th
    ZoneClock westClock(utc(2024, 3, 12, 4), -5);
    search = findPackages(kFolder, lastDay, west, westClock);
    ASSERT_EQ(namesOf(search), std::vector<std::string>{"tonight.package"});
    EXPECT_EQ(search.rows[0].created, "03/11/2024");
}

TEST(FindPackages, AgeFilterIncludesTheCutoffDay) {
    MemoryFileSystem fs;
    fs.addFile(kFolder + "tooOld.package", "", utc(2024, 3, 2, 23, 59))
        .addFile(kFolder + "weekAgo.package", "", utc(2024, 3, 3, 0, 0))
        .addFile(kFolder + "today.package", "", utc(2024, 3, 10, 23, 59));
    ZoneClock clock(utc(2024, 3, 10, 8), 0);
    FinderSettings settings = listAll();
    settings.age = AgeChoice::inTheLast;
    settings.goBackWeeks = 1;
    PackageSearch search = findPackages(kFolder, settings, fs, clock);
    EXPECT_EQ(search.cutoffText, "03/03/2024");
    EXPECT_EQ(namesOf(search), (std::vector<std::string>{"today.package", "weekAgo.package"}));

    settings.goBackWeeks = 6;
    EXPECT_EQ(findPackages(kFolder, settings, fs, clock).cutoffText, "01/28/2024");

    settings.age = AgeChoice::sinceLastUsed;
    settings.lastUsed = "03/10/2024";
    EXPECT_EQ(namesOf(findPackages(kFolder, settings, fs, clock)),
              std::vector<std::string>{"today.package"});
    // An unreadable last-used date lets every file through, without complaint.
    settings.lastUsed = "02/30/2024";
    EXPECT_EQ(findPackages(kFolder, settings, fs, clock).rows.size(), 3u);
}

TEST(FindPackages, NameFilters) {
    MemoryFileSystem fs;
    for (const char* name : {"0a1b2c3d_Dress.package", "00000000_Top.package",
                             "Summer_Dress.package", "my_dress.package"})
        fs.addFile(kFolder + name, "", utc(2024, 3, 1));
    ZoneClock clock(utc(2024, 3, 10), 0);
    FinderSettings settings = listAll();
    settings.name = NameChoice::bodyshopNumber;
    EXPECT_EQ(namesOf(findPackages(kFolder, settings, fs, clock)),
              std::vector<std::string>{"0a1b2c3d_Dress.package"});
    settings.name = NameChoice::withText;
    settings.search = "dress";  // letter case counts
    EXPECT_EQ(namesOf(findPackages(kFolder, settings, fs, clock)),
              std::vector<std::string>{"my_dress.package"});
    settings.search = "Dress";
    EXPECT_EQ(findPackages(kFolder, settings, fs, clock).rows.size(), 2u);
}

TEST(FindPackages, NothingFoundGivesTheMessage) {
    MemoryFileSystem fs;
    fs.addFile("C:\\stray.package", "", utc(2024, 3, 10));  // where a relative listing would look
    fs.addFolder(kFolder);
    ZoneClock clock(utc(2024, 3, 10, 12), 0);
    FinderSettings settings = listAll();
    settings.age = AgeChoice::inTheLast;
    const char* expected =
        "No matching Package files\nCreated since 03/10/2024\n were found in this folder";

    EXPECT_EQ(findPackages(kFolder, settings, fs, clock).noMatchMessage, expected);
    PackageSearch none = findPackages("", settings, fs, clock);
    EXPECT_TRUE(none.rows.empty());
    EXPECT_EQ(none.noMatchMessage, expected);
    EXPECT_TRUE(findPackages("C:\\Missing\\", settings, fs, clock).rows.empty());

    fs.addFile(kFolder + "x.package", "", utc(2024, 3, 10));
    fs.failWhen = [](FsOp op, const std::string&) { return op == FsOp::list; };
    EXPECT_EQ(findPackages(kFolder, settings, fs, clock).noMatchMessage, expected);
}

TEST(FindPackages, MoreRowsThanTheListShowsNarrowTheNameColumn) {
    MemoryFileSystem fs;
    ZoneClock clock(utc(2024, 3, 10), 0);
    for (int i = 0; i < 13; ++i)
        fs.addFile(kFolder + "p" + std::to_string(i) + ".package", "", utc(2024, 3, 1, i));
    EXPECT_FALSE(findPackages(kFolder, listAll(), fs, clock).narrowNameColumn);
    fs.addFile(kFolder + "p13.package", "", utc(2024, 3, 1, 13));
    EXPECT_TRUE(findPackages(kFolder, listAll(), fs, clock).narrowNameColumn);
}

TEST(RenameWindowTitle, NamesTheSearchedFolder) {
    EXPECT_EQ(renameWindowTitle("D:\\"), " Seamster  --  Rename Bodyshop Packages in D:");
    EXPECT_EQ(renameWindowTitle("D:\\Work\\Outfits\\"),
              " Seamster  --  Rename Bodyshop Packages in Outfits");
    EXPECT_EQ(savedSimsFolderOf("C:\\Docs\\EA Games\\", "The Sims 2\\"),
              "C:\\Docs\\EA Games\\The Sims 2\\SavedSims");
}

TEST(CountTickedRows, SelectedRowsBecomeTicked) {
    std::vector<PackageRow> mixed(4);
    const int states[] = {0, kRowSelected, kRowTicked, kRowSelected | kRowTicked};
    for (size_t i = 0; i < mixed.size(); ++i) mixed[i].state = states[i];
    EXPECT_EQ(countTickedRows(mixed), 3);
    std::vector<int> after;
    for (const PackageRow& row : mixed) after.push_back(row.state);
    EXPECT_EQ(after, (std::vector<int>{0, kRowTicked, kRowTicked, kRowTicked}));

    std::vector<PackageRow> rows(3);
    rows[1].state = kRowSelected;
    EXPECT_EQ(countTickedRows(rows), 1);
    EXPECT_EQ(rows[1].state, kRowTicked);
    setAllTicked(rows, true);
    EXPECT_EQ(countTickedRows(rows), 3);
    setAllTicked(rows, false);
    EXPECT_EQ(countTickedRows(rows), 0);
    EXPECT_EQ(counterText(12), " 12");
}

}  // namespace
}  // namespace seamster
