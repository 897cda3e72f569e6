#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <type_traits>

#include "fakes/FakePlatform.h"
#include "rename/RenameFlow.h"
#include "rename/RenameLayout.h"

namespace seamster {
namespace {

const std::string kUser = "C:\\Docs\\EA Games\\The Sims 2\\";
const std::string kSavedSims = kUser + "SavedSims\\";
const std::string kCopies = "D:\\Copies\\";
constexpr int64_t kToday = 1700000000;  // 2023-11-14 22:13 UTC

// The two windows as a user sees them. The user is a script of steps; each
// step changes what the user would change and returns what it amounts to.
struct FakeScreen : RenameScreen {
    enum class Face { options, run };
    std::map<NamingBox, std::string> boxes;
    NamingSettings naming;  // the naming options as the window shows them
    bool copyTicked_ = false;
    std::string copyFolder, copyFolderTip;
    std::string listTitle;
    bool listShown = false;  // else the Find window shows
    FindWindowState find;    // as the Find window shows it
    FindChoices choices;     // as the user sets them there
    bool findLoading = false;
    Face face = Face::options;
    bool undoShown = false, renameGreyed = false;
    std::vector<PackageRow> rows;
    std::map<RenameCounter, std::string> counters;
    int progress = -1;
    bool gridLines = true, nameNarrowed = false;
    bool openFails = false;
    bool renameOpen = false, findOpen = false;
    int closeCount = 0;

    std::deque<std::function<RenameInput()>> user;
    std::deque<RenameInput> pending;  // what pollInput finds during an automatic run
    std::deque<std::string> folderAnswers;
    std::vector<std::string> pickerStarts;
    std::vector<std::string> captions;  // of the options frame, in order
    std::function<void(NamingBox, const std::string&)> onSetBox;

    bool openRenameWindow() override { return renameOpen = !openFails; }
    void openFindWindow() override { findOpen = true; }
    void closeWindows() override {
        renameOpen = findOpen = false;
        ++closeCount;
    }
    void showFindWindow() override { listShown = false; }
    void showListWindow(const std::string& title) override {
        listShown = true;
        listTitle = title;
    }
    void setBusy(bool) override {}

    void showFindState(const FindWindowState& state) override {
        find = state;
        choices = {state.folder, state.name, state.searchText, state.age, state.weeksIndex};
    }
    FindChoices readFindChoices() override { return choices; }
    void showSearchFolder(const std::string& shown, const std::string& full) override {
        find.folderText = shown;
        find.folderTip = full;
    }
    void showFindLoading(bool on) override { findLoading = on; }

    std::string boxText(NamingBox box) override { return boxes[box]; }
    void setBoxText(NamingBox box, const std::string& text) override {
        boxes[box] = text;
        if (onSetBox) onSetBox(box, text);
    }
    void showNaming(const NamingSettings& shown) override { copyNamingOptions(shown, naming); }
    void readNaming(NamingSettings& read) override { copyNamingOptions(naming, read); }
    bool copyTicked() override { return copyTicked_; }
    void setCopyTicked(bool on) override { copyTicked_ = on; }
    void showCopyFolder(const std::string& shown, const std::string& full) override {
        copyFolder = shown;
        copyFolderTip = full;
    }
    void showOptionsFace(bool undoOffered) override {
        face = Face::options;
        undoShown = undoOffered;
        renameGreyed = false;
        captions.push_back(kRenamingOptionsCaption);
    }
    void showRunFace(const std::string& caption) override {
        face = Face::run;
        undoShown = false;
        progress = 0;
        captions.push_back(caption);
    }
    void showRunProgress(const std::string& caption, int percent) override {
        captions.push_back(caption);
        progress = percent;
    }
    void showAutomaticRunning() override {
        boxes[NamingBox::newName].clear();
        renameGreyed = true;
    }
    void showUndo(bool offered) override { undoShown = offered; }
    void showCounter(RenameCounter counter, const std::string& text) override {
        counters[counter] = text;
    }

    void clearRows() override { rows.clear(); }
    void addRows(const std::vector<PackageRow>& added) override {
        rows.insert(rows.end(), added.begin(), added.end());
    }
    void showRow(size_t index, const PackageRow& row) override { rows.at(index) = row; }
    std::vector<int> rowStates() override {
        std::vector<int> states;
        for (const PackageRow& row : rows) states.push_back(row.state);
        return states;
    }
    void setRowState(size_t index, int state) override { rows.at(index).state = state; }
    void fitNameColumn(bool listScrolls) override { nameNarrowed = listScrolls; }
    void scrollToTop() override {}
    void makeRowVisible(size_t) override {}
    void setGridLines(bool on) override { gridLines = on; }

    RenameInput waitInput() override {
        if (user.empty()) return RenameInput::none;  // the user has gone: so have the windows
        auto step = std::move(user.front());
        user.pop_front();
        return step();
    }
    RenameInput pollInput() override {
        if (pending.empty()) return RenameInput::none;
        const RenameInput input = pending.front();
        pending.pop_front();
        return input;
    }
    void flushInput() override { pending.clear(); }
    void pause(int) override {}
    std::string pickFolder(const std::string& start) {
        pickerStarts.push_back(start);
        if (folderAnswers.empty()) return {};
        std::string answer = folderAnswers.front();
        folderAnswers.pop_front();
        return answer;
    }
    std::string pickSearchFolder(const std::string& start) override { return pickFolder(start); }
    std::string pickCopyFolder(const std::string& start) override { return pickFolder(start); }

    // Steps of the script.
    void click(RenameInput input) {
        user.push_back([=] { return input; });
    }
    void toggle(int32_t NamingSettings::*tick) {
        user.push_back([=, this] {
            naming.*tick = !(naming.*tick);
            return RenameInput::edited;
        });
    }
    void toggleCopy() {
        user.push_back([this] {
            copyTicked_ = !copyTicked_;
            return RenameInput::copyPackages;
        });
    }
    template <typename Box>
    void type(Box box, const std::string& text) {
        user.push_back([=, this] {
            if constexpr (std::is_same_v<Box, NamingBox>)
                boxes[box] = text;
            else
                naming.*box = text;
            return RenameInput::edited;
        });
    }
    void setRow(size_t row, int state) {
        user.push_back([=, this] {
            rows.at(row).state = state;
            return RenameInput::rowClicked;
        });
    }
    // The user changes the Find window's choices, then does `input`.
    void setChoices(std::function<void(FindChoices&)> change, RenameInput input) {
        user.push_back([=, this] {
            change(choices);
            return input;
        });
    }
    void searchAll() {
        setChoices(
            [](FindChoices& c) {
                c.name = NameChoice::all;
                c.age = AgeChoice::all;
            },
            RenameInput::search);
    }

    std::vector<std::string> names() const {
        std::vector<std::string> result;
        for (const PackageRow& row : rows) result.push_back(row.name);
        return result;
    }
};

class RenameFlowTest : public ::testing::Test {
protected:
    RenameFlowTest() {
        app.paths.eaGamesFolder = "C:\\Docs\\EA Games\\";
        app.paths.userFolderName = "The Sims 2\\";
        app.screen.scrollBarWidth = 17;
        clock.nowSeconds = kToday;
        fs.addFolder(kUser + "SavedSims");
        fs.addFolder(kCopies);
    }

    // Packages in SavedSims, oldest first, one minute apart, created today.
    void addPackages(const std::vector<std::string>& names) {
        for (size_t i = 0; i < names.size(); ++i)
            fs.addFile(kSavedSims + names[i], names[i], kToday - 3600 + int64_t(i) * 60);
    }

    void run() {
        RenameFlow flow(app, screen, session);
        flow.run();
    }

    std::vector<std::string> savedSims() {
        std::vector<DirEntry> entries;
        fs.list(kSavedSims, "*", entries);
        std::vector<std::string> names;
        for (const DirEntry& entry : entries) names.push_back(entry.name);
        std::sort(names.begin(), names.end());
        return names;
    }

    FakePlatform services;
    MemoryFileSystem& fs = services.fs;
    FixedClock& clock = services.clock;
    FakeDialogs& dialogs = services.dialogs;
    App app{services.platform};
    FakeScreen screen;
    RenameSession session;
};

TEST_F(RenameFlowTest, WithoutSavedSimsNothingOpens) {
    fs.removeFolder(kUser + "SavedSims");
    run();
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"Unable to find your SavedSims folder"});
    EXPECT_FALSE(screen.renameOpen);
    EXPECT_EQ(screen.closeCount, 0);
}

TEST_F(RenameFlowTest, AWindowThatCannotOpenGivesTheMainWindowBack) {
    screen.openFails = true;
    run();
    EXPECT_EQ(screen.closeCount, 1);
    EXPECT_FALSE(screen.findOpen);
}

TEST_F(RenameFlowTest, FindWindowStartsFromTheSettingsAndCancelClosesBoth) {
    app.settings.finder.otherFolder = 1;
    app.settings.finder.packagesFolder = "E:\\Work\\";
    app.settings.finder.pathDisplay = "E:\\Work\\";
    app.settings.finder.bodyshopNumber = 2;
    app.settings.finder.search = "Dress";
    app.settings.finder.inTheLast = 2;
    app.settings.finder.lastUsed = "10/31/2023";
    app.settings.finder.goBackWeeks = 3;
    const Settings before = app.settings;
    screen.click(RenameInput::cancelSearch);
    run();

    EXPECT_EQ(screen.find.folder, FolderChoice::other);
    EXPECT_EQ(screen.find.folderText, "E:\\Work\\");
    EXPECT_EQ(screen.find.folderTip, "E:\\Work\\");
    EXPECT_EQ(screen.find.name, NameChoice::withText);
    EXPECT_EQ(screen.find.searchText, "Dress");
    EXPECT_EQ(screen.find.age, AgeChoice::sinceLastUsed);
    EXPECT_EQ(screen.find.lastUsedCaption, " Since last used - 10/31/2023");
    EXPECT_EQ(screen.find.weeksIndex, 3);
    EXPECT_FALSE(screen.findLoading);
    EXPECT_EQ(screen.closeCount, 1);
    EXPECT_EQ(app.settings, before);
}

TEST_F(RenameFlowTest, ASearchListsTheNewestFirstAndRemembersTheChoices) {
    addPackages(
        {"0a1b2c3d_Dress.package", "Summer_Dress.package", "readme.txt", "1f2e3d4c_Top.PACKAGE"});
    screen.setChoices(
        [](FindChoices& c) {
            c.searchText = "Dress";
            c.name = NameChoice::withText;
        },
        RenameInput::search);
    run();  // the user leaves while the list shows

    EXPECT_EQ(screen.names(),
              (std::vector<std::string>{"Summer_Dress.package", "0a1b2c3d_Dress.package"}));
    EXPECT_EQ(screen.rows[0].created, "11/14/2023");
    EXPECT_EQ(screen.listTitle, " Seamster  --  Rename Bodyshop Packages in SavedSims");
    EXPECT_EQ(screen.counters,
              (std::map<RenameCounter, std::string>{{RenameCounter::listed, " 2"},
                                                    {RenameCounter::ticked, " 0"},
                                                    {RenameCounter::errors, " 0"}}));
    EXPECT_TRUE(screen.listShown);
    EXPECT_TRUE(screen.findLoading);
    EXPECT_EQ(app.settings.finder.bodyshopNumber, 2);
    EXPECT_EQ(app.settings.finder.search, "Dress");
    EXPECT_EQ(app.settings.finder.otherFolder, 0);
    EXPECT_EQ(session.searchFolder, kSavedSims);
    EXPECT_TRUE(dialogs.texts().empty());
}

TEST_F(RenameFlowTest, NothingFoundSaysSoAndGoesStraightBackToTheFindWindow) {
    addPackages({"Plain.package"});  // no Body Shop number; the default filter wants one
    screen.click(RenameInput::search);
    screen.searchAll();
    run();
    ASSERT_EQ(dialogs.texts().size(), 1u);
    EXPECT_EQ(dialogs.texts()[0],
              "No matching Package files\nCreated since 11/14/2023\n were found in this folder");
    // The second search happened without any event in the rename window between.
    EXPECT_EQ(screen.names(), std::vector<std::string>{"Plain.package"});
}

TEST_F(RenameFlowTest, ManyRowsNarrowTheNameColumnAndFewerGiveItBack) {
    std::vector<std::string> names;
    for (int i = 0; i < 14; ++i) names.push_back("p" + std::to_string(i) + ".package");
    addPackages(names);
    screen.searchAll();
    screen.click(RenameInput::done);
    screen.setChoices(
        [](FindChoices& c) {
            c.name = NameChoice::withText;
            c.searchText = "p1";  // p1, p10 .. p13
        },
        RenameInput::other);
    screen.user.push_back([this] {
        EXPECT_TRUE(screen.nameNarrowed);
        return RenameInput::search;
    });
    run();
    EXPECT_EQ(screen.rows.size(), 5u);
    EXPECT_FALSE(screen.nameNarrowed);
}

TEST_F(RenameFlowTest, SearchFolderPickerStartsAtTheLastSearchAndKeepsAnEarlierPick) {
    const std::string work = "E:\\Sims Content\\Body Shop Work\\Finished Packages\\Outfits\\";
    fs.addFile(work + "a.package", "a", kToday);
    session.searchFolder = "F:\\Earlier\\";
    screen.folderAnswers = {work, ""};
    screen.setChoices([](FindChoices& c) { c.folder = FolderChoice::other; },
                      RenameInput::otherFolder);    // no folder yet: asks
    screen.click(RenameInput::searchFolderButton);  // cancelled: nothing changes
    screen.searchAll();
    run();

    EXPECT_EQ(screen.pickerStarts, (std::vector<std::string>{"F:\\Earlier\\", work}));
    EXPECT_EQ(app.settings.finder.packagesFolder, work);
    EXPECT_EQ(app.settings.finder.pathDisplay, " ~ Body Shop Work\\Finished Packages\\Outfits\\");
    EXPECT_EQ(screen.find.folderText, app.settings.finder.pathDisplay);
    EXPECT_EQ(screen.find.folderTip, work);
    EXPECT_EQ(app.settings.finder.otherFolder, 1);
    EXPECT_EQ(screen.names(), std::vector<std::string>{"a.package"});
    EXPECT_EQ(screen.listTitle, " Seamster  --  Rename Bodyshop Packages in Outfits");
}

TEST_F(RenameFlowTest, TypedNamePartsAreCleanedAndFollowedIntoTheSettings) {
    addPackages({"a.package"});
    screen.searchAll();
    screen.type(&NamingSettings::inFront, "a?b");
    screen.type(&NamingSettings::inBack, "[x]");
    screen.type(&NamingSettings::startNumber, "007");
    screen.toggle(&NamingSettings::customNumber);
    screen.toggle(&NamingSettings::keepNumber);
    run();
    EXPECT_EQ(dialogs.texts().size(), 1u);  // for a?b only
    EXPECT_EQ(screen.naming.inFront, "ab");
    EXPECT_EQ(app.settings.naming.inFront, "ab");
    EXPECT_EQ(app.settings.naming.inBack, "[x]");
    EXPECT_EQ(app.settings.naming.startNumber, "007");
    EXPECT_EQ(app.settings.naming.customNumber, 1);
    EXPECT_EQ(app.settings.naming.keepNumber, 0);
}

TEST_F(RenameFlowTest, ClickingARowTicksItAndTheButtonsTickAllOrNone) {
    addPackages({"a.package", "b.package", "c.package"});
    screen.searchAll();
    screen.setRow(1, kRowSelected);
    screen.user.push_back([this] {
        EXPECT_EQ(screen.rows[1].state, kRowTicked);
        EXPECT_EQ(screen.counters[RenameCounter::ticked], " 1");
        return RenameInput::selectAll;
    });
    screen.user.push_back([this] {
        EXPECT_EQ(screen.counters[RenameCounter::ticked], " 3");
        for (const PackageRow& row : screen.rows) EXPECT_EQ(row.state, kRowTicked);
        return RenameInput::selectNone;
    });
    run();
    EXPECT_EQ(screen.counters[RenameCounter::ticked], " 0");
    for (const PackageRow& row : screen.rows) EXPECT_EQ(row.state, 0);
}

TEST_F(RenameFlowTest, CopyingIntoTheSearchedFolderIsRefused) {
    addPackages({"a.package"});
    screen.folderAnswers = {kSavedSims};
    screen.searchAll();
    screen.toggleCopy();  // no folder yet: the picker, which gives SavedSims
    screen.user.push_back([this] {
        EXPECT_EQ(dialogs.texts().size(), 1u);
        return RenameInput::other;
    });
    run();
    EXPECT_EQ(dialogs.texts()[0], kSameFolderMessage);
    EXPECT_FALSE(screen.copyTicked_);  // unticked on the next pass
    EXPECT_EQ(app.settings.naming.copyTo, kSavedSims);
}

TEST_F(RenameFlowTest, OneByOneRenamesWithTheNamesTheUserConfirms) {
    addPackages({"Top.package", "0a1b2c3d_Dress.package", "Hat.package", "Skirt.package"});
    app.settings.naming.keepNumber = 0;
    app.settings.naming.inFront = "XY_";
    app.settings.naming.customNumber = 1;
    app.settings.naming.startNumber = "001";
    screen.searchAll();
    screen.click(RenameInput::selectAll);
    screen.click(RenameInput::rename);
    screen.user.push_back([this] {  // the run face, the first file proposed
        EXPECT_EQ(screen.captions.back(), "Processing 4 Files");
        EXPECT_EQ(screen.face, FakeScreen::Face::run);
        EXPECT_EQ(screen.boxes[NamingBox::oldName], "Skirt.package");
        EXPECT_EQ(screen.boxes[NamingBox::newName], "XY_Skirt001");
        EXPECT_EQ(screen.rows[0].state, kRowTicked | kRowSelected);
        return RenameInput::rename;
    });
    screen.type(NamingBox::newName, "My:Hat");  // cleaned with the message, then taken
    screen.click(RenameInput::rename);
    screen.type(NamingBox::newName, "   ");  // no name at all: that file fails and stays
    screen.click(RenameInput::rename);
    screen.user.push_back([this] {  // the run went on to the next file
        EXPECT_EQ(screen.boxes[NamingBox::oldName], "Top.package");
        EXPECT_EQ(screen.counters[RenameCounter::errors], " 1");
        EXPECT_EQ(screen.counters[RenameCounter::ticked], " 1");
        screen.boxes[NamingBox::newName] = " Top2 ";
        return RenameInput::edited;
    });
    screen.click(RenameInput::rename);
    run();

    EXPECT_EQ(savedSims(), (std::vector<std::string>{"0a1b2c3d_Dress.package", "MyHat.package",
                                                     "Top2.package", "XY_Skirt001.package"}));
    EXPECT_EQ(screen.names(), (std::vector<std::string>{"XY_Skirt001.package", "MyHat.package",
                                                        "0a1b2c3d_Dress.package", "Top2.package"}));
    EXPECT_EQ(screen.rows[2].nameColour, kTextRed);
    for (size_t i : {0, 1, 3}) EXPECT_EQ(screen.rows[i].nameColour, kTextGreen);
    for (const PackageRow& row : screen.rows) EXPECT_EQ(row.state, 0);
    EXPECT_EQ(dialogs.texts().size(), 1u);  // only for the colon
    EXPECT_EQ(screen.counters[RenameCounter::errors], " 1");
    EXPECT_EQ(
        screen.captions,
        (std::vector<std::string>{"Renaming Options", "Processing 4 Files", "Finished 1 of 4 Files",
                                  "Finished 2 of 4 Files", "Finished 3 of 4 Files",
                                  "Finished 4 of 4 Files", "Renaming Options"}));
    EXPECT_EQ(screen.progress, 100);
    EXPECT_EQ(app.settings.naming.startNumber, "005");  // one number per file shown
    EXPECT_EQ(screen.naming.startNumber, "005");
    EXPECT_EQ(screen.face, FakeScreen::Face::options);
}

TEST_F(RenameFlowTest, CancelFinishesTheFileOnScreenAndLeavesTheRestTicked) {
    addPackages({"e.package", "d.package", "c.package", "b.package", "a.package"});
    app.settings.naming.inBack = "_v2";
    screen.searchAll();
    screen.click(RenameInput::selectAll);
    screen.click(RenameInput::rename);
    screen.click(RenameInput::rename);  // a
    screen.click(RenameInput::done);    // b is still renamed, then the run ends
    run();
    EXPECT_EQ(screen.names(), (std::vector<std::string>{"a_v2.package", "b_v2.package", "c.package",
                                                        "d.package", "e.package"}));
    EXPECT_EQ(screen.rows[1].state, 0);
    for (size_t i = 2; i < 5; ++i) EXPECT_EQ(screen.rows[i].state, kRowTicked);
    EXPECT_EQ(screen.counters[RenameCounter::ticked], " 3");
    EXPECT_EQ(screen.captions.back(), "Renaming Options");
}

TEST_F(RenameFlowTest, AutomaticRunsAfterOneConfirmationAndCancelStopsAfterTheCurrentFile) {
    addPackages({"e.package", "d.package", "c.package", "b.package", "a.package"});
    app.settings.naming.inFront = "N_";
    screen.searchAll();
    screen.click(RenameInput::selectAll);
    screen.click(RenameInput::autoRename);
    screen.click(RenameInput::done);  // "Cancel" at the prompt: nothing happens
    screen.click(RenameInput::autoRename);
    screen.user.push_back([this] {
        EXPECT_EQ(screen.boxes[NamingBox::newName], kAutoRenamePrompt);
        return RenameInput::rename;
    });
    // "Cancel" arrives while the second file shows.
    screen.onSetBox = [this](NamingBox box, const std::string& text) {
        if (box == NamingBox::oldName && text == "b.package") {
            EXPECT_TRUE(screen.renameGreyed);
            EXPECT_FALSE(screen.gridLines);
            screen.pending.push_back(RenameInput::done);
        }
    };
    run();
    EXPECT_EQ(savedSims(), (std::vector<std::string>{"N_a.package", "N_b.package", "c.package",
                                                     "d.package", "e.package"}));
    EXPECT_EQ(screen.rows[1].state, 0);
    EXPECT_EQ(screen.rows[2].state, kRowTicked);
    EXPECT_TRUE(screen.gridLines);
    EXPECT_FALSE(screen.renameGreyed);
    EXPECT_EQ(screen.captions.back(), "Renaming Options");
}

TEST_F(RenameFlowTest, CopiesAreMarkedAndNothingIsOverwritten) {
    addPackages({"c.package", "b.package", "a.package"});
    fs.addFolder(kSavedSims + "X_b.package");           // b cannot be renamed
    fs.addFile(kCopies + "X_c.package", "older copy");  // c cannot be copied
    app.settings.naming.inFront = "X_";
    app.settings.naming.copyTo = kCopies;
    app.settings.naming.copyPackages = 1;
    screen.searchAll();
    screen.click(RenameInput::selectAll);
    screen.click(RenameInput::autoRename);
    screen.click(RenameInput::rename);
    run();

    ASSERT_EQ(screen.rows.size(), 3u);
    EXPECT_EQ(screen.rows[0].name, "X_a.package");
    EXPECT_EQ(screen.rows[0].copyMark, "Copied");
    EXPECT_EQ(screen.rows[0].copyMarkColour, kTextGreen);
    EXPECT_EQ(screen.rows[1].name, "b.package");
    EXPECT_EQ(screen.rows[1].nameColour, kTextRed);
    EXPECT_EQ(screen.rows[1].copyMark, "~~~");
    EXPECT_EQ(screen.rows[2].name, "X_c.package");
    EXPECT_EQ(screen.rows[2].copyMark, "ERROR");
    EXPECT_EQ(screen.counters[RenameCounter::errors], " 2");
    EXPECT_EQ(fs.exists(kSavedSims + "X_b.package"), PathKind::folder);
    EXPECT_EQ(fs.contents(kSavedSims + "b.package"), "b.package");
    EXPECT_EQ(fs.contents(kCopies + "X_c.package"), "older copy");
    EXPECT_EQ(fs.contents(kCopies + "X_a.package"), "a.package");
    EXPECT_EQ(app.settings.naming.copyPackages, 1);
}

TEST_F(RenameFlowTest, CopyingWithoutAFolderAsksAndGoesOnWithoutCopiesWhenCancelled) {
    addPackages({"a.package"});
    app.settings.naming.inFront = "X_";
    app.settings.naming.copyPackages = 1;
    screen.searchAll();
    screen.click(RenameInput::selectAll);
    screen.click(RenameInput::autoRename);
    screen.click(RenameInput::rename);
    run();
    EXPECT_EQ(screen.pickerStarts.size(), 1u);
    EXPECT_FALSE(screen.copyTicked_);
    EXPECT_EQ(app.settings.naming.copyPackages, 0);
    EXPECT_EQ(screen.rows[0].name, "X_a.package");
    EXPECT_EQ(screen.rows[0].copyMark, "");
    // No copy was even tried, to the current folder or anywhere else.
    const std::string history = fs.contents(kUser + kHistoryFileName).value_or("");
    EXPECT_NE(history.find("\trename\t"), std::string::npos);
    EXPECT_EQ(history.find("\tcopy\t"), std::string::npos);
}

TEST_F(RenameFlowTest, ARunWithNothingTickedChangesNothing) {
    addPackages({"a.package"});
    app.settings.naming.inFront = "X_";
    screen.searchAll();
    screen.click(RenameInput::autoRename);
    run();
    EXPECT_EQ(savedSims(), std::vector<std::string>{"a.package"});
    EXPECT_EQ(screen.captions, (std::vector<std::string>{"Renaming Options", "Renaming Options"}));
    EXPECT_EQ(screen.rows[0].copyMark, " ");
}

TEST_F(RenameFlowTest, WindowsThatVanishMidRunLeaveTheFileOnScreenAlone) {
    addPackages({"b.package", "a.package"});
    app.settings.naming.inFront = "X_";
    screen.searchAll();
    screen.click(RenameInput::selectAll);
    screen.click(RenameInput::rename);  // the script ends while the first name waits
    run();
    EXPECT_EQ(savedSims(), (std::vector<std::string>{"a.package", "b.package"}));
    EXPECT_EQ(screen.closeCount, 1);
}

TEST_F(RenameFlowTest, AnUnwritableHistoryStopsTheRunBeforeAnyRename) {
    addPackages({"b.package", "a.package"});
    app.settings.naming.inFront = "X_";
    services.failure = [](FsOp op, const std::string&) { return op == FsOp::append; };
    // Windows' ransomware protection refuses with "access denied": the box
    // says so, instead of blaming a read-only file or a full disk.
    fs.failError = FsError::accessDenied;
    screen.searchAll();
    screen.click(RenameInput::selectAll);
    screen.click(RenameInput::autoRename);
    screen.click(RenameInput::rename);
    run();
    EXPECT_EQ(savedSims(), (std::vector<std::string>{"a.package", "b.package"}));
    ASSERT_EQ(dialogs.texts().size(), 1u);
    EXPECT_NE(dialogs.texts()[0].find("Allow an app through Controlled folder access"),
              std::string::npos);
    EXPECT_EQ(screen.rows[0].state, kRowTicked);
    EXPECT_EQ(screen.captions.back(), "Renaming Options");
    EXPECT_TRUE(screen.gridLines);
    EXPECT_FALSE(screen.undoShown);
}

// An automatic run over many files, on a clock that moves `stepMs` at each
// reading: what the window was last told, and how often the caption changed.
struct FaceAtEnd {
    std::vector<PackageRow> rows;
    std::map<RenameCounter, std::string> counters;
    int progress = 0;
    std::string caption, oldName, newName;
    size_t captionChanges = 0;
};

FaceAtEnd runManyFiles(int64_t stepMs) {
    FakePlatform services;
    App app{services.platform};
    FakeScreen screen;
    RenameSession session;
    app.paths.eaGamesFolder = "C:\\Docs\\EA Games\\";
    app.paths.userFolderName = "The Sims 2\\";
    services.clock.nowSeconds = kToday;
    services.clock.steadyStepMs = stepMs;
    for (int i = 0; i < 300; ++i)
        services.fs.addFile(kSavedSims + "f" + std::to_string(1000 + i) + ".package", "", kToday);
    services.fs.addFolder(kSavedSims + "X_f1100.package");  // in the way
    app.settings.naming.inFront = "X_";
    screen.searchAll();
    screen.click(RenameInput::selectAll);
    screen.click(RenameInput::autoRename);
    screen.click(RenameInput::rename);
    screen.user.push_back([&] {
        // Drawn or not, the run's face at its end.
        return RenameInput::rowClicked;
    });
    RenameFlow(app, screen, session).run();
    return {screen.rows,
            screen.counters,
            screen.progress,
            screen.captions.empty() ? "" : screen.captions.back(),
            screen.boxes[NamingBox::oldName],
            screen.boxes[NamingBox::newName],
            screen.captions.size()};
}

TEST_F(RenameFlowTest, AFastAutomaticRunDrawsSeldomAndEndsWithTheSameFace) {
    const FaceAtEnd everyFile = runManyFiles(1000);
    const FaceAtEnd paced = runManyFiles(1);
    EXPECT_GT(everyFile.captionChanges, 300u);
    EXPECT_LT(paced.captionChanges, 60u);
    ASSERT_EQ(paced.rows.size(), 300u);
    EXPECT_EQ(paced.counters, everyFile.counters);
    EXPECT_EQ(paced.counters.at(RenameCounter::errors), " 1");
    EXPECT_EQ(paced.progress, 100);
    EXPECT_EQ(paced.caption, everyFile.caption);
    EXPECT_EQ(paced.oldName, everyFile.oldName);
    EXPECT_EQ(paced.newName, everyFile.newName);
    for (size_t i = 0; i < paced.rows.size(); ++i) {
        EXPECT_EQ(paced.rows[i].name, everyFile.rows[i].name) << i;
        EXPECT_EQ(paced.rows[i].nameColour, everyFile.rows[i].nameColour) << i;
        EXPECT_EQ(paced.rows[i].state, 0) << i;
    }
}

TEST_F(RenameFlowTest, UndoGivesTheLastRunsFilesTheirOldNamesBackAndKeepsTheCopies) {
    addPackages({"c.package", "b.package", "a.package"});
    app.settings.naming.inFront = "X_";
    app.settings.naming.copyTo = kCopies;
    app.settings.naming.copyPackages = 1;
    screen.searchAll();
    screen.setRow(0, kRowTicked);
    screen.setRow(1, kRowTicked);
    screen.click(RenameInput::autoRename);
    screen.user.push_back([this] {
        EXPECT_FALSE(screen.undoShown);  // not in the run face, nor before a run
        return RenameInput::rename;
    });
    screen.user.push_back([this] {
        EXPECT_TRUE(screen.undoShown);
        // Meanwhile a new file took b's old name.
        fs.addFile(kSavedSims + "b.package", "new b");
        return RenameInput::undo;  // "No": nothing happens
    });
    dialogs.answers = {answerNo, answerYes};
    screen.click(RenameInput::undo);
    screen.user.push_back([this] {
        EXPECT_TRUE(screen.undoShown);  // b can still be tried again
        fs.deleteFile(kSavedSims + "b.package");
        return RenameInput::undo;
    });
    dialogs.answers.push_back(answerYes);
    run();
    ASSERT_EQ(dialogs.boxes.size(), 5u);
    EXPECT_EQ(dialogs.boxes[0].text, dialogs.boxes[1].text);
    EXPECT_NE(dialogs.boxes[0].text.find("The 2 copies it made in D:\\Copies\\ will not be"),
              std::string::npos);
    EXPECT_EQ(dialogs.boxes[2].icon, iconExclamation);
    EXPECT_EQ(savedSims(), (std::vector<std::string>{"a.package", "b.package", "c.package"}));
    EXPECT_EQ(fs.contents(kSavedSims + "b.package"), "b.package");
    EXPECT_EQ(fs.contents(kCopies + "X_a.package"), "a.package");
    EXPECT_EQ(fs.contents(kCopies + "X_b.package"), "b.package");
    EXPECT_EQ(screen.names(), (std::vector<std::string>{"a.package", "b.package", "c.package"}));
    EXPECT_EQ(screen.rows[1].nameColour, kTextBlack);
    EXPECT_EQ(screen.counters[RenameCounter::errors], " 0");
    EXPECT_FALSE(screen.undoShown);

    std::vector<std::string> steps;
    for (const HistoryLine& line : readHistory(fs.contents(kUser + kHistoryFileName).value_or("")))
        steps.push_back(std::string(line.step == HistoryStep::done     ? "done "
                                    : line.step == HistoryStep::failed ? "failed "
                                    : line.step == HistoryStep::begin  ? "begin "
                                    : line.step == HistoryStep::start  ? "start "
                                                                       : "end ") +
                        line.operation + " " + line.from.substr(line.from.rfind('\\') + 1));
    EXPECT_EQ(steps, (std::vector<std::string>{"start automatic run ",
                                               "begin rename a.package",
                                               "done rename a.package",
                                               "begin copy X_a.package",
                                               "done copy X_a.package",
                                               "begin rename b.package",
                                               "done rename b.package",
                                               "begin copy X_b.package",
                                               "done copy X_b.package",
                                               "end automatic run ",
                                               "start undo ",
                                               "begin undo X_b.package",
                                               "failed undo X_b.package",
                                               "begin undo X_a.package",
                                               "done undo X_a.package",
                                               "end undo ",
                                               "start undo ",
                                               "begin undo X_b.package",
                                               "done undo X_b.package",
                                               "end undo "}));
}

}  // namespace
}  // namespace seamster
