// Renaming finished packages as a user does it: the Find Package Options
// window, the rename window's options, both kinds of run, the copies, and
// what lands in SavedSims.

#include "Scenario.h"  // first: it brings <windows.h>, which the headers below need

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <cstdlib>
#include <functional>
#include <map>

namespace seamster::e2e {
namespace {

const std::string findTitle = " Seamster - Find Package Options";
const std::string renameTitleInSavedSims = " Seamster  --  Rename Bodyshop Packages in SavedSims";
const std::string autoRenamePrompt = "Click OK to begin auto-renaming or Cancel to go back";
constexpr int renameButton = 9;  // the main window's tool-bar button

// Find Package Options window.
constexpr int savedSimsOption = 550, withNumberOption = 554, listAllNames = 555,
              inTheLastOption = 556, weeksList = 557, sinceLastUsedOption = 558, findOk = 559,
              findCancel = 560, listAllAges = 567;
// Rename window.
constexpr int header = 503, doneButton = 504, renameRunButton = 505, packageList = 506,
              selectNone = 507, selectAll = 508, removeOption = 510, autoNumber = 511,
              optionsFrame = 516, copyPackages = 520, copyFolderText = 521, inFront = 523,
              autoRename = 528, startNumber = 530, oldName = 533, newName = 534, progressBar = 536;
// Status bar fields of the rename window.
constexpr int listedField = 1, tickedField = 3, errorsField = 5;

constexpr COLORREF doneGreen = RGB(0, 204, 51);
constexpr COLORREF failedRed = RGB(204, 0, 51);

// SavedSims as the sandbox lays it, newest first: the order of a search
// that lists everything.
const std::vector<std::string> allPackagesNewestFirst = {
    "0a1b2c3d_Summer_Dress.package", "00000000_Blank_Top.package",   "1f2e3d4c_Red_Gown.package",
    "Summer_Dress.package",          "7b7b7b7b_Denim_Jeans.package", "My Party Outfit.package",
    "3c4d5e6f_Winter_Coat.package",  "9a8b7c6d_Old_Skin.PACKAGE",    "e0e0e0e0_Swimsuit.package",
};

// --- driving the other process's controls ----------------------------------------

int progressOf(HWND bar) { return static_cast<int>(sendWithTimeout(bar, PBM_GETPOS, 0, 0)); }

// Goes to the folder in the requester's tree and presses its OK.
bool chooseFolder(HWND picker, const std::string& folder) {
    const std::wstring path = widen(folder);
    const size_t size = (path.size() + 1) * sizeof(wchar_t);
    RemoteBuffer memory(picker, size);
    if (!memory.write(path.c_str(), size)) return false;
    // The picker selects its start folder once it has filled its tree; on a
    // busy machine that can come after a first selection, so select again.
    for (int attempt = 0; attempt < 2; ++attempt) {
        settle(picker);
        sendWithTimeout(picker, BFFM_SETSELECTIONW, TRUE, memory.param());
        Sleep(200);
    }
    settle(picker);
    HWND ok = GetDlgItem(picker, IDOK);
    return ok && PostMessageW(picker, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                              reinterpret_cast<LPARAM>(ok));
}

// The names in a folder, sorted.
std::vector<std::string> folderNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(hostPath(folder), error))
        names.push_back(narrow(entry.path().filename().wstring()));
    std::sort(names.begin(), names.end());
    return names;
}

bool waitForText(HWND window, const std::string& expected, int timeoutMs = defaultWaitMs) {
    return waitUntil([&] { return text(window) == expected; }, timeoutMs);
}

std::vector<std::string> columnTexts(HWND list, int column) {
    std::vector<std::string> texts;
    for (int row = 0, rows = listViewRowCount(list); row < rows; ++row)
        texts.push_back(listViewText(list, row, column));
    return texts;
}

std::vector<bool> tickMarks(HWND list) {
    std::vector<bool> marks;
    for (int row = 0, rows = listViewRowCount(list); row < rows; ++row)
        marks.push_back(listViewChecked(list, row));
    return marks;
}

std::map<std::string, std::string> settingsValues(const std::string& bytes) {
    std::map<std::string, std::string> values;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        const std::string line = bytes.substr(start, end - start);
        const size_t equals = line.find(" = ");
        if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 3);
        start = end + 2;
    }
    return values;
}

// --- the fixture ---------------------------------------------------------------------

class RenamePackages : public Scenario {
protected:
    static std::string savedSims() { return gameFolder() + "\\SavedSims"; }
    static std::string savedSimsFile(const std::string& name) { return savedSims() + "\\" + name; }
    static std::string copiesFolder() { return gameFolder() + "\\Copies"; }

    // Seamster at its main window, with the settings given.
    HWND start(const SettingsEntries& settings) { return startAtMainWindow(settings); }
    // "Copy Packages to" ticked, with the sandbox's Copies folder.
    static void copyIntoCopies(SettingsEntries& settings) {
        setValue(settings, "Copy Packages", "1");
        setValue(settings, "Copy To", copiesFolder() + "\\");
        setValue(settings, "Copy To Display", "Copies");
    }

    // The tool-bar button that opens the renaming, and the window it brings.
    HWND openFindWindow() {
        pressToolBarButton(toolBar(), renameButton);
        HWND find = waitForWindow(seamster_.id(), findTitle);
        if (!find) ADD_FAILURE() << "no Find Package Options window";
        // A click while the window is still being activated can be lost;
        // a user only clicks what is on the screen.
        settle(find);
        return find;
    }

    // "OK" in the Find Package Options window, and the rename window it shows.
    HWND search(HWND find) {
        click(control(find, findOk));
        HWND rename = waitForWindow(seamster_.id(), renameTitleInSavedSims);
        if (!rename) {
            std::string seen;
            for (const auto& title : visibleWindowTitles(seamster_.id()))
                seen += " \"" + title + "\"";
            ADD_FAILURE() << "no rename window after the search; windows seen:" << seen;
            return nullptr;
        }
        // The counters are the last thing a search fills in.
        if (!waitUntil([&] { return !status(rename, listedField).empty(); }))
            ADD_FAILURE() << "the search did not fill the counters";
        settle(rename);
        return rename;
    }

    // A search of SavedSims that lists every package.
    HWND searchEverything(HWND find) {
        click(control(find, listAllNames));
        click(control(find, listAllAges));
        return search(find);
    }

    std::string status(HWND rename, int field) {
        return statusBarText(childOfClass(rename, "msctls_statusbar32"), field);
    }

    // "Done", then "Cancel" in the Find Package Options window: back at the
    // main window, which takes clicks again.
    void leave(HWND rename, HWND find) {
        click(control(rename, doneButton));
        ASSERT_TRUE(waitUntil([&] { return isVisible(find); }))
            << "Done did not bring the search back";
        settle(find);
        click(control(find, findCancel));
        ASSERT_TRUE(waitUntilGone(rename)) << "the rename window stayed after Cancel";
        EXPECT_FALSE(isVisible(find));
        ASSERT_TRUE(waitUntil([&] { return isEnabled(main_); }))
            << "the main window stayed disabled";
        // Whatever reaches Seamster while it closes the windows is dropped.
        settle(main_);
    }

    // Without the Body Shop numbers and copying into Copies, an automatic run
    // over the gown, the jeans and the coat, in which the gown's rename fails
    // and nothing of it is copied, the jeans are renamed but their copy fails,
    // and the coat goes through.
    void runOverGownJeansAndCoat(HWND& find, HWND& rename) {
        SettingsEntries settings = settingsForPack("The Sims 2");
        setValue(settings, "Keep Number", "0");
        copyIntoCopies(settings);
        ASSERT_NE(start(settings), nullptr);
        find = openFindWindow();
        ASSERT_NE(find, nullptr);
        click(control(find, listAllAges));  // names with a Body Shop number, any age
        rename = search(find);
        ASSERT_NE(rename, nullptr);
        HWND list = control(rename, packageList);
        ASSERT_EQ(columnTexts(list, 0),
                  (std::vector<std::string>{
                      "0a1b2c3d_Summer_Dress.package", "1f2e3d4c_Red_Gown.package",
                      "7b7b7b7b_Denim_Jeans.package", "3c4d5e6f_Winter_Coat.package",
                      "9a8b7c6d_Old_Skin.PACKAGE", "e0e0e0e0_Swimsuit.package"}));
        EXPECT_TRUE(isChecked(control(rename, copyPackages)));
        EXPECT_EQ(text(control(rename, copyFolderText)), "Copies");
        for (int row : {1, 2, 3}) ASSERT_TRUE(setListViewChecked(list, row, true));
        ASSERT_TRUE(waitUntil([&] { return status(rename, tickedField) == " 3"; }));

        ASSERT_NO_FATAL_FAILURE(autoRenameTicked(rename));
        settle(rename);
        snap(rename, "after-run");
        EXPECT_EQ(
            columnTexts(list, 0),
            (std::vector<std::string>{"0a1b2c3d_Summer_Dress.package", "1f2e3d4c_Red_Gown.package",
                                      "Denim_Jeans.package", "Winter_Coat.package",
                                      "9a8b7c6d_Old_Skin.PACKAGE", "e0e0e0e0_Swimsuit.package"}));
        EXPECT_EQ(columnTexts(list, 1),
                  (std::vector<std::string>{"", "~~~", "ERROR", "Copied", "", ""}));
        EXPECT_EQ(status(rename, errorsField), " 2");
        EXPECT_GT(countScreenPixels(listViewRowRect(list, 1, LVIR_LABEL), failedRed, 39), 20)
            << "the failed row is not red";
    }

    // Runs "Auto-Rename" over the ticked rows, confirming at the prompt.
    void autoRenameTicked(HWND rename) {
        click(control(rename, autoRename));
        ASSERT_TRUE(waitForText(control(rename, newName), autoRenamePrompt))
            << "no auto-rename prompt";
        // Clicks made before the prompt is up are dropped, as they should be.
        settle(rename);
        click(control(rename, renameRunButton));
        ASSERT_TRUE(waitForText(control(rename, optionsFrame), "Renaming Options"))
            << "the run did not end; frame shows \"" << text(control(rename, optionsFrame)) << "\"";
    }
};

TEST_F(RenamePackages, AutoRenameNumbersTheTickedPackagesAndCopiesThem) {
    ASSERT_TRUE(makeFolders(copiesFolder()));
    std::map<std::string, std::string> before;
    for (const std::string& name : allPackagesNewestFirst)
        before[name] = readFileBytes(savedSimsFile(name)).value_or("");
    ASSERT_NE(start(settingsForPack("The Sims 2")), nullptr);
    HWND find = openFindWindow();
    ASSERT_NE(find, nullptr);
    settle(find);
    snap(find, "find-window");
    EXPECT_FALSE(isEnabled(main_)) << "the main window takes clicks while renaming";
    // A first search: SavedSims, names with a Body Shop number, made today.
    EXPECT_TRUE(isChecked(control(find, savedSimsOption)));
    EXPECT_TRUE(isChecked(control(find, withNumberOption)));
    EXPECT_TRUE(isChecked(control(find, inTheLastOption)));
    EXPECT_EQ(comboSelection(control(find, weeksList)), 0);
    EXPECT_EQ(text(control(find, sinceLastUsedOption)), " Since last used - 01/01/2000");

    HWND rename = searchEverything(find);
    ASSERT_NE(rename, nullptr);
    EXPECT_TRUE(waitUntilGone(find));
    HWND list = control(rename, packageList);
    EXPECT_EQ(text(control(rename, header)), "Select the Package Files you want to rename");
    ASSERT_EQ(columnTexts(list, 0), allPackagesNewestFirst);
    EXPECT_EQ(columnTexts(list, 1), std::vector<std::string>(9, " "));
    EXPECT_EQ(status(rename, 0), "Total Files Listed ");
    EXPECT_EQ(status(rename, listedField), " 9");
    EXPECT_EQ(status(rename, tickedField), " 0");
    EXPECT_EQ(status(rename, errorsField), " 0");

    // Two check boxes and a click on a row's name: each of the three is ticked.
    ASSERT_TRUE(setListViewChecked(list, 0, true));
    ASSERT_TRUE(setListViewChecked(list, 2, true));
    ASSERT_TRUE(selectListViewRow(list, 4));
    EXPECT_TRUE(waitUntil([&] { return status(rename, tickedField) == " 3"; }))
        << "Files Selected shows \"" << status(rename, tickedField) << "\"";
    EXPECT_EQ(tickMarks(list),
              (std::vector<bool>{true, false, true, false, true, false, false, false, false}));
    EXPECT_FALSE(listViewSelected(list, 4)) << "a clicked row is ticked, not highlighted";

    // Body Shop number removed, XY_ in front, numbered from 001, copies made.
    click(control(rename, removeOption));
    ASSERT_TRUE(setText(control(rename, inFront), "XY_"));
    click(control(rename, autoNumber));
    ASSERT_TRUE(setText(control(rename, startNumber), "001"));
    click(control(rename, copyPackages));  // no folder yet: the picker comes
    HWND picker = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        return (picker = findDialogHolding(seamster_.id(), "SysTreeView32")) != nullptr;
    })) << "no folder picker for the copies";
    settle(picker);
    snap(picker, "copy-folder-picker");
    ASSERT_TRUE(chooseFolder(picker, copiesFolder()));
    ASSERT_TRUE(waitUntilGone(picker));
    HWND shown = control(rename, copyFolderText);
    ASSERT_TRUE(waitUntil([&] { return !text(shown).empty(); })) << "the copy folder is not shown";
    const std::string folder = copiesFolder() + "\\";
    const std::string display = text(shown);
    if (folder.size() <= 52)
        EXPECT_EQ(display, folder);
    else
        EXPECT_TRUE(display.starts_with(" ~ ") && folder.ends_with(display.substr(3))) << display;
    EXPECT_TRUE(isChecked(control(rename, copyPackages)));
    settle(rename);
    snap(rename, "before-run");

    click(control(rename, autoRename));
    ASSERT_TRUE(waitForText(control(rename, newName), autoRenamePrompt)) << "no auto-rename prompt";
    EXPECT_EQ(text(control(rename, optionsFrame)), "Processing 3 Files");
    EXPECT_EQ(text(control(rename, renameRunButton)), "OK");
    EXPECT_EQ(text(control(rename, doneButton)), "Cancel");
    EXPECT_EQ(text(control(rename, oldName)), "");
    EXPECT_FALSE(isVisible(control(rename, removeOption)));
    EXPECT_FALSE(isVisible(control(rename, autoRename)));
    EXPECT_TRUE(isVisible(control(rename, progressBar)));
    EXPECT_FALSE(isEnabled(control(rename, selectAll)));
    EXPECT_FALSE(isEnabled(control(rename, selectNone)));
    settle(rename);
    snap(rename, "auto-rename-prompt");
    click(control(rename, renameRunButton));
    ASSERT_TRUE(waitForText(control(rename, optionsFrame), "Renaming Options"))
        << "the run did not end";
    settle(rename);
    snap(rename, "after-run");

    // Numbered from the top of the list; the next number waits in its box.
    const std::map<int, std::string> renamed = {{0, "XY_Summer_Dress001.package"},
                                                {2, "XY_Red_Gown002.package"},
                                                {4, "XY_Denim_Jeans003.package"}};
    std::vector<std::string> names = allPackagesNewestFirst;
    std::vector<std::string> marks(9, "");
    for (const auto& [row, name] : renamed)
        names[static_cast<size_t>(row)] = name, marks[static_cast<size_t>(row)] = "Copied";
    EXPECT_EQ(columnTexts(list, 0), names);
    EXPECT_EQ(columnTexts(list, 1), marks);
    EXPECT_EQ(tickMarks(list), std::vector<bool>(9, false));
    EXPECT_EQ(text(control(rename, startNumber)), "004");
    EXPECT_EQ(status(rename, listedField), " 9");
    EXPECT_EQ(status(rename, tickedField), " 0");
    EXPECT_EQ(status(rename, errorsField), " 0");
    EXPECT_EQ(progressOf(control(rename, progressBar)), 100);
    EXPECT_TRUE(isVisible(control(rename, removeOption)));
    EXPECT_EQ(text(control(rename, renameRunButton)), "Rename");
    EXPECT_EQ(text(control(rename, doneButton)), "Done");
    // Renamed rows are written in green; the others keep their black.
    for (const auto& [row, name] : renamed)
        EXPECT_GT(countScreenPixels(listViewRowRect(list, row, LVIR_LABEL), doneGreen, 39), 20)
            << "row " << row << " is not green";
    EXPECT_EQ(countScreenPixels(listViewRowRect(list, 1, LVIR_LABEL), doneGreen, 39), 0);

    const std::map<std::string, std::string> moves = {
        {"0a1b2c3d_Summer_Dress.package", "XY_Summer_Dress001.package"},
        {"1f2e3d4c_Red_Gown.package", "XY_Red_Gown002.package"},
        {"7b7b7b7b_Denim_Jeans.package", "XY_Denim_Jeans003.package"}};
    for (const auto& [from, to] : moves) {
        EXPECT_FALSE(fileExists(savedSimsFile(from))) << from;
        EXPECT_EQ(readFileBytes(savedSimsFile(to)), before[from]) << to;
        EXPECT_EQ(readFileBytes(copiesFolder() + "\\" + to), before[from]) << "copy of " << to;
    }
    EXPECT_EQ(readFileBytes(savedSimsFile("Summer_Dress.package")), before["Summer_Dress.package"]);

    ASSERT_NO_FATAL_FAILURE(leave(rename, find));
    quitWithQuestion(seamster_, main_);
    std::map<std::string, std::string> saved = settingsValues(readSettings());
    EXPECT_EQ(saved["Start Number"], "004");
    EXPECT_EQ(saved["In Front"], "XY_");
    EXPECT_EQ(saved["Keep Number"], "0");
    EXPECT_EQ(saved["Custom Number"], "1");
    EXPECT_EQ(saved["Copy Packages"], "1");
    EXPECT_EQ(saved["Copy To"], folder);
    EXPECT_EQ(saved["Copy To Display"], display);
    EXPECT_EQ(saved["Bodyshop Number"], "0");
    EXPECT_EQ(saved["In The Last"], "0");
}

TEST_F(RenamePackages, RenameOneByOneTakesTheEditedNames) {
    std::map<std::string, std::string> before;
    for (const std::string& name : allPackagesNewestFirst)
        before[name] = readFileBytes(savedSimsFile(name)).value_or("");
    ASSERT_NE(start(settingsForPack("The Sims 2")), nullptr);
    HWND find = openFindWindow();
    ASSERT_NE(find, nullptr);
    HWND rename = searchEverything(find);
    ASSERT_NE(rename, nullptr);
    HWND list = control(rename, packageList);
    ASSERT_EQ(columnTexts(list, 0), allPackagesNewestFirst);
    ASSERT_TRUE(setListViewChecked(list, 3, true));  // Summer_Dress.package
    ASSERT_TRUE(setListViewChecked(list, 5, true));  // My Party Outfit.package
    ASSERT_TRUE(waitUntil([&] { return status(rename, tickedField) == " 2"; }));

    // Each proposed name waits in the New Name box; with no renaming option
    // set it is the old name without its extension.
    click(control(rename, renameRunButton));
    HWND edited = control(rename, newName);
    ASSERT_TRUE(waitForText(control(rename, oldName), "Summer_Dress.package"))
        << "the first file is not shown";
    EXPECT_EQ(text(edited), "Summer_Dress");
    EXPECT_EQ(text(control(rename, optionsFrame)), "Processing 2 Files");
    EXPECT_TRUE(isEnabled(control(rename, renameRunButton)));
    EXPECT_FALSE(isVisible(control(rename, autoRename)));
    settle(rename);
    snap(rename, "one-by-one");
    ASSERT_TRUE(setText(edited, "Beach Dress"));
    click(control(rename, renameRunButton));

    ASSERT_TRUE(waitForText(control(rename, oldName), "My Party Outfit.package"))
        << "the second file is not shown";
    settle(rename);
    EXPECT_EQ(text(control(rename, optionsFrame)), "Finished 1 of 2 Files");
    EXPECT_EQ(progressOf(control(rename, progressBar)), 50);
    EXPECT_EQ(listViewText(list, 3, 0), "Beach Dress.package");
    EXPECT_EQ(status(rename, tickedField), " 1");

    // A character no file name may hold is refused as it is typed.
    ASSERT_TRUE(setText(edited, "Party: Outfit "));
    HWND box = waitForMessageBox(seamster_.id());
    ASSERT_NE(box, nullptr) << "no message about the colon";
    EXPECT_EQ(messageBoxText(box),
              "These characters are not allowed in filenames:\n\" ? [ ] / \\ = + < > : ; * ,");
    ASSERT_TRUE(pressMessageBoxButton(box, IDOK));
    ASSERT_TRUE(waitForText(edited, "Party Outfit")) << "the box shows \"" << text(edited) << "\"";
    click(control(rename, renameRunButton));
    ASSERT_TRUE(waitForText(control(rename, optionsFrame), "Renaming Options"))
        << "the run did not end";
    settle(rename);
    snap(rename, "after-run");

    EXPECT_EQ(listViewText(list, 5, 0), "Party Outfit.package");
    EXPECT_EQ(tickMarks(list), std::vector<bool>(9, false));
    EXPECT_EQ(status(rename, errorsField), " 0");
    EXPECT_FALSE(fileExists(savedSimsFile("Summer_Dress.package")));
    EXPECT_FALSE(fileExists(savedSimsFile("My Party Outfit.package")));
    EXPECT_EQ(readFileBytes(savedSimsFile("Beach Dress.package")), before["Summer_Dress.package"]);
    EXPECT_EQ(readFileBytes(savedSimsFile("Party Outfit.package")),
              before["My Party Outfit.package"]);

    ASSERT_NO_FATAL_FAILURE(leave(rename, find));
    quitWithQuestion(seamster_, main_);
}

TEST_F(RenamePackages, DoneSearchesAgainAndCancelGoesBackToTheMainWindow) {
    ASSERT_NE(start(settingsForPack("The Sims 2")), nullptr);
    HWND find = openFindWindow();
    ASSERT_NE(find, nullptr);
    // Packages with a Body Shop number made today: one.
    HWND rename = search(find);
    ASSERT_NE(rename, nullptr);
    HWND list = control(rename, packageList);
    EXPECT_EQ(columnTexts(list, 0), std::vector<std::string>{"0a1b2c3d_Summer_Dress.package"});
    EXPECT_EQ(status(rename, listedField), " 1");
    EXPECT_FALSE(isEnabled(main_));

    // "Done" asks again; the rename window waits behind with an empty list.
    click(control(rename, doneButton));
    ASSERT_TRUE(waitUntil([&] { return isVisible(find); })) << "Done did not bring the search back";
    settle(find);
    EXPECT_TRUE(isVisible(rename));
    EXPECT_EQ(listViewRowCount(list), 0);
    EXPECT_FALSE(isEnabled(main_));

    // A week back reaches the package made seven days ago.
    ASSERT_TRUE(chooseComboItem(control(find, weeksList), 1));
    click(control(find, findOk));
    ASSERT_TRUE(waitUntilGone(find)) << "OK did not search";
    ASSERT_TRUE(waitUntil([&] { return listViewRowCount(list) == 3; }))
        << listViewRowCount(list) << " rows listed";
    EXPECT_EQ(columnTexts(list, 0), (std::vector<std::string>{"0a1b2c3d_Summer_Dress.package",
                                                              "1f2e3d4c_Red_Gown.package",
                                                              "7b7b7b7b_Denim_Jeans.package"}));
    EXPECT_EQ(status(rename, listedField), " 3");

    ASSERT_NO_FATAL_FAILURE(leave(rename, find));
    quitWithQuestion(seamster_, main_);
    std::map<std::string, std::string> saved = settingsValues(readSettings());
    EXPECT_EQ(saved["Go Back Weeks"], "1");
}

TEST_F(RenamePackages, MissingSavedSimsFolderIsReported) {
    ASSERT_NE(start(settingsForPack("The Sims 2")), nullptr);
    ASSERT_TRUE(
        MoveFileW(widen(savedSims()).c_str(), widen(gameFolder() + "\\SavedSims Moved").c_str()));
    pressToolBarButton(childOfClass(main_, "ToolbarWindow32"), renameButton);
    HWND box = waitForMessageBox(seamster_.id());
    ASSERT_NE(box, nullptr) << "no message about the missing folder";
    settle(box);
    snap(box, "no-savedsims");
    EXPECT_EQ(messageBoxText(box), "Unable to find your SavedSims folder");
    EXPECT_EQ(text(box), "Seamster");
    ASSERT_TRUE(pressMessageBoxButton(box, IDOK));
    ASSERT_TRUE(waitUntilGone(box));
    waitUntilProgramSettled(seamster_.id());
    EXPECT_EQ(findWindow(seamster_.id(), findTitle), nullptr);
    EXPECT_EQ(findWindowStartingWith(seamster_.id(), " Seamster  --  Rename"), nullptr);
    EXPECT_TRUE(waitUntil([&] { return isEnabled(main_); }));
    quitWithQuestion(seamster_, main_);
}

TEST_F(RenamePackages, TakenNamesAreNeverOverwritten) {
    // Red_Gown.package is already there, and so is a copy of Denim_Jeans.
    ASSERT_TRUE(makeFolders(copiesFolder()));
    ASSERT_TRUE(writeFileBytes(savedSimsFile("Red_Gown.package"), "the gown made by hand"));
    ASSERT_TRUE(writeFileBytes(copiesFolder() + "\\Denim_Jeans.package", "an older pair of jeans"));
    const std::string gown = readFileBytes(savedSimsFile("1f2e3d4c_Red_Gown.package")).value_or("");
    const std::string jeans =
        readFileBytes(savedSimsFile("7b7b7b7b_Denim_Jeans.package")).value_or("");
    const std::string coat =
        readFileBytes(savedSimsFile("3c4d5e6f_Winter_Coat.package")).value_or("");
    HWND find = nullptr, rename = nullptr;
    ASSERT_NO_FATAL_FAILURE(runOverGownJeansAndCoat(find, rename));
    HWND list = control(rename, packageList);
    EXPECT_EQ(tickMarks(list), std::vector<bool>(6, false));
    EXPECT_EQ(countScreenPixels(listViewRowRect(list, 1, LVIR_LABEL), doneGreen, 39), 0);
    EXPECT_GT(countScreenPixels(listViewRowRect(list, 2, LVIR_LABEL), doneGreen, 39), 20);

    EXPECT_EQ(readFileBytes(savedSimsFile("1f2e3d4c_Red_Gown.package")), gown);
    EXPECT_EQ(readFileBytes(savedSimsFile("Red_Gown.package")), "the gown made by hand");
    EXPECT_FALSE(fileExists(copiesFolder() + "\\Red_Gown.package"));
    EXPECT_EQ(readFileBytes(savedSimsFile("Denim_Jeans.package")), jeans);
    EXPECT_EQ(readFileBytes(copiesFolder() + "\\Denim_Jeans.package"), "an older pair of jeans");
    EXPECT_EQ(readFileBytes(savedSimsFile("Winter_Coat.package")), coat);
    EXPECT_EQ(readFileBytes(copiesFolder() + "\\Winter_Coat.package"), coat);

    ASSERT_NO_FATAL_FAILURE(leave(rename, find));
    quitWithQuestion(seamster_, main_);
}

// The lines of the rename history as (step, operation, from, to, note),
// each path cut to its file name.
std::vector<std::string> historySteps(const std::string& bytes) {
    std::vector<std::string> steps;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        std::vector<std::string> fields;
        const std::string line = bytes.substr(start, end - start);
        for (size_t from = 0;;) {
            const size_t tab = line.find('\t', from);
            std::string part = line.substr(from, tab == std::string::npos ? tab : tab - from);
            fields.push_back(
                part.substr(part.rfind('\\') == std::string::npos
                                ? 0
                                : (part.back() == '\\' ? part.size() : part.rfind('\\') + 1)));
            if (tab == std::string::npos) break;
            from = tab + 1;
        }
        start = end + 2;
        if (fields.size() < 4) continue;  // the heading
        std::string step = fields[1] + " " + fields[2];
        for (size_t i = 3; i < fields.size(); ++i) step += " " + fields[i];
        steps.push_back(step);
    }
    return steps;
}

TEST_F(RenamePackages, UndoGivesTwentyPackagesTheirNamesBackAndKeepsTheCopies) {
    constexpr int undoButton = 537;
    ASSERT_TRUE(makeFolders(copiesFolder()));
    for (int i = 0; i < 11; ++i)
        ASSERT_TRUE(writeFileBytes(savedSimsFile("Extra_" + std::to_string(10 + i) + ".package"),
                                   "extra " + std::to_string(i)));
    SettingsEntries settings = settingsForPack("The Sims 2");
    setValue(settings, "In Front", "U_");
    setValue(settings, "Keep Number", "1");
    copyIntoCopies(settings);
    ASSERT_NE(start(settings), nullptr);
    HWND find = openFindWindow();
    ASSERT_NE(find, nullptr);
    HWND rename = searchEverything(find);
    ASSERT_NE(rename, nullptr);
    HWND list = control(rename, packageList);
    const std::vector<std::string> names = columnTexts(list, 0);
    ASSERT_EQ(names.size(), 20u);
    std::map<std::string, std::string> before;
    for (const std::string& name : names)
        before[name] = readFileBytes(savedSimsFile(name)).value_or("");
    EXPECT_FALSE(isVisible(control(rename, undoButton))) << "Undo offered before any run";
    click(control(rename, selectAll));
    ASSERT_TRUE(waitUntil([&] { return status(rename, tickedField) == " 20"; }));
    ASSERT_NO_FATAL_FAILURE(autoRenameTicked(rename));

    auto newNameOf = [](const std::string& name) {
        const std::string base = name.substr(0, name.size() - 8);  // without ".package"
        return "U_" + base + ".package";
    };
    for (const std::string& name : names) {
        ASSERT_TRUE(fileExists(savedSimsFile(newNameOf(name)))) << name;
        EXPECT_TRUE(fileExists(copiesFolder() + "\\" + newNameOf(name))) << name;
    }
    HWND undo = control(rename, undoButton);
    ASSERT_TRUE(waitUntil([&] { return isVisible(undo); })) << "no Undo after the run";
    EXPECT_EQ(text(undo), "Undo");
    settle(rename);
    snap(rename, "undo-offered");
    // Offered again after the window was closed and Seamster quit and started
    // anew: the rename history tells which run can still be undone.
    ASSERT_NO_FATAL_FAILURE(leave(rename, find));
    quitWithQuestion(seamster_, main_);
    // A history edited or brought from elsewhere may name files outside the
    // run's folder: such a run is never taken back, and the real one still is.
    const std::string historyFile = gameFolder() + "\\Seamster Rename History.txt";
    const std::string thesis = savedSims() + "\\..\\..\\..\\thesis.docx";
    ASSERT_TRUE(writeFileBytes(thesis, "my thesis"));
    const std::string line = "2026-12-10 12:00:00\t";
    const std::string folder = savedSims() + "\\";
    ASSERT_TRUE(writeFileBytes(
        historyFile, readFileBytes(historyFile).value_or("") + line + "start\tautomatic run\t" +
                         folder + "\r\n" + line + "done\trename\t" + folder +
                         "..\\..\\..\\..\\Desktop\\thesis.docx\t" + thesis + "\r\n" + line +
                         "end\tautomatic run\t" + folder + "\r\n"));
    ASSERT_NE(start(settings), nullptr);
    ASSERT_NE(find = openFindWindow(), nullptr);
    ASSERT_NE(rename = searchEverything(find), nullptr);
    list = control(rename, packageList);
    undo = control(rename, undoButton);
    ASSERT_TRUE(waitUntil([&] { return isVisible(undo); })) << "no Undo after starting again";

    click(undo);
    HWND box = waitForMessageBox(seamster_.id());
    ASSERT_NE(box, nullptr) << "no confirmation before the undo";
    const std::string question = messageBoxText(box);
    EXPECT_NE(question.find("Give the 20 files renamed by the last run their old names back?"),
              std::string::npos)
        << question;
    EXPECT_NE(question.find("They are in "), std::string::npos) << question;
    EXPECT_NE(question.find("\\The Sims 2\\SavedSims\\"), std::string::npos) << question;
    EXPECT_NE(question.find("The 20 copies it made in"), std::string::npos) << question;
    EXPECT_NE(question.find("will not be deleted"), std::string::npos) << question;
    snap(box, "undo-question");
    ASSERT_TRUE(pressMessageBoxButton(box, IDYES));
    ASSERT_TRUE(waitUntilGone(box));
    box = waitForMessageBox(seamster_.id());
    ASSERT_NE(box, nullptr) << "no word on how the undo went";
    EXPECT_EQ(messageBoxText(box), "20 files have their old names back.");
    ASSERT_TRUE(pressMessageBoxButton(box, IDOK));
    ASSERT_TRUE(waitUntilGone(box));
    EXPECT_TRUE(waitUntil([&] { return !isVisible(undo); })) << "Undo still offered";

    EXPECT_EQ(columnTexts(list, 0), names);
    EXPECT_EQ(readFileBytes(thesis), "my thesis");
    for (const std::string& name : names) {
        EXPECT_EQ(readFileBytes(savedSimsFile(name)), before[name]) << name;
        EXPECT_FALSE(fileExists(savedSimsFile(newNameOf(name)))) << name;
        EXPECT_EQ(readFileBytes(copiesFolder() + "\\" + newNameOf(name)), before[name])
            << "the copy of " << name;
    }

    // Every step in order, each with its outcome.
    std::vector<std::string> expected = {"start automatic run "};
    for (const std::string& name : names) {
        const std::string to = newNameOf(name);
        expected.push_back("begin rename " + name + " " + to);
        expected.push_back("done rename " + name + " " + to);
        expected.push_back("begin copy " + to + " " + to);
        expected.push_back("done copy " + to + " " + to);
    }
    expected.push_back("end automatic run   20 renamed, 20 copied, 0 failed");
    for (const char* step :
         {"start automatic run ", "done rename thesis.docx thesis.docx", "end automatic run "})
        expected.push_back(step);
    expected.push_back("start undo ");
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        expected.push_back("begin undo " + newNameOf(*name) + " " + *name);
        expected.push_back("done undo " + newNameOf(*name) + " " + *name);
    }
    expected.push_back("end undo   20 restored, 0 failed");
    const std::optional<std::string> history =
        readFileBytes(gameFolder() + "\\Seamster Rename History.txt");
    ASSERT_TRUE(history.has_value()) << "no rename history in the game folder";
    EXPECT_TRUE(history->starts_with("\xEF\xBB\xBF"));
    EXPECT_EQ(historySteps(*history), expected);

    ASSERT_NO_FATAL_FAILURE(leave(rename, find));
    quitWithQuestion(seamster_, main_);
}

TEST_F(RenamePackages, PackagesHeldByAnotherProgramFailTheirRowsAndTheRunGoesOn) {
    ASSERT_TRUE(makeFolders(copiesFolder()));
    const std::string gownPath = savedSimsFile("1f2e3d4c_Red_Gown.package");
    const std::string jeansPath = savedSimsFile("7b7b7b7b_Denim_Jeans.package");
    const std::string gown = readFileBytes(gownPath).value_or("");
    const std::string jeans = readFileBytes(jeansPath).value_or("");
    const std::string coat =
        readFileBytes(savedSimsFile("3c4d5e6f_Winter_Coat.package")).value_or("");
    // The game holds the gown; an archiver reads the jeans and lets them be
    // renamed, but not read by anyone else.
    Process gameHold = holdOpen({gownPath});
    ASSERT_TRUE(gameHold.started());
    Process archiverHold = holdOpen({jeansPath}, true);
    ASSERT_TRUE(archiverHold.started());

    HWND find = nullptr, rename = nullptr;
    ASSERT_NO_FATAL_FAILURE(runOverGownJeansAndCoat(find, rename));

    gameHold.terminate();
    archiverHold.terminate();
    EXPECT_EQ(readFileBytes(gownPath), gown);
    EXPECT_EQ(readFileBytes(savedSimsFile("Denim_Jeans.package")), jeans);
    // Only the complete copy is in the folder: nothing half-made, no temporary.
    EXPECT_EQ(folderNames(copiesFolder()), (std::vector<std::string>{"Winter_Coat.package"}));
    EXPECT_EQ(readFileBytes(copiesFolder() + "\\Winter_Coat.package"), coat);

    ASSERT_NO_FATAL_FAILURE(leave(rename, find));
    quitWithQuestion(seamster_, main_);
}

// A package of a few hundred megabytes, made sparse so that it costs neither
// time nor disk until it is copied, with its first and last bytes marked.
bool makeLargePackage(const std::string& path, LONGLONG size) {
    HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    LARGE_INTEGER end;
    end.QuadPart = size - 4;
    bool made = WriteFile(file, "DBPF", 4, &written, nullptr) &&
                SetFilePointerEx(file, end, nullptr, FILE_BEGIN) &&
                WriteFile(file, "END!", 4, &written, nullptr);
    CloseHandle(file);
    return made;
}

// True when both files hold the same bytes, read in pieces.
bool sameBytes(const std::string& a, const std::string& b) {
    std::ifstream first(hostPath(a), std::ios::binary), second(hostPath(b), std::ios::binary);
    if (!first || !second) return false;
    std::vector<char> x(1 << 20), y(1 << 20);
    while (first && second) {
        first.read(x.data(), std::streamsize(x.size()));
        second.read(y.data(), std::streamsize(y.size()));
        if (first.gcount() != second.gcount() ||
            !std::equal(x.begin(), x.begin() + first.gcount(), y.begin()))
            return false;
    }
    return !first && !second;
}

TEST_F(RenamePackages, AKilledCopyLeavesNoPartialPackageUnderItsName) {
    ASSERT_TRUE(makeFolders(copiesFolder()));
    const std::string name = "5a5a5a5a_Big_Gown.package";
    const std::string source = savedSimsFile(name), target = copiesFolder() + "\\" + name;
    struct Cleanup {
        std::string source, copies;
        ~Cleanup() {
            deleteFile(source);
            removeTree(copies);
        }
    } cleanup{source, copiesFolder()};
    ASSERT_TRUE(makeLargePackage(source, 512LL << 20));

    SettingsEntries settings = settingsForPack("The Sims 2");
    copyIntoCopies(settings);
    ASSERT_NE(start(settings), nullptr);
    HWND find = openFindWindow();
    ASSERT_NE(find, nullptr);
    HWND rename = searchEverything(find);
    ASSERT_NE(rename, nullptr);
    HWND list = control(rename, packageList);
    ASSERT_EQ(listViewText(list, 0, 0), name) << "the newest package comes first";
    ASSERT_TRUE(setListViewChecked(list, 0, true));
    ASSERT_TRUE(waitUntil([&] { return status(rename, tickedField) == " 1"; }));

    // The copy starts with the run; Seamster is ended the moment anything
    // shows in the copy folder.
    click(control(rename, autoRename));
    ASSERT_TRUE(waitForText(control(rename, newName), autoRenamePrompt));
    settle(rename);
    click(control(rename, renameRunButton));
    bool finalNameAtKill = false;
    ASSERT_TRUE(waitUntil(
        [&] {
            if (folderNames(copiesFolder()).empty()) return false;
            seamster_.terminate();
            finalNameAtKill = fileExists(target);
            return true;
        },
        60000))
        << "nothing was copied";
    main_ = nullptr;
    EXPECT_FALSE(finalNameAtKill) << "the copy was under its own name before it was complete";
    // Whatever the moment, the name holds a whole copy or nothing.
    if (fileExists(target)) {
        EXPECT_TRUE(sameBytes(source, target)) << "a partial copy passes for a whole one";
    }
    const std::vector<std::string> left = folderNames(copiesFolder());
    std::printf("left in the copy folder:");
    for (const std::string& file : left) std::printf(" %s", file.c_str());
    std::printf("\n");
    EXPECT_LE(left.size(), 1u);
    for (const std::string& file : left)
        EXPECT_TRUE(file.ends_with(".tmp") || file == name) << file;
}

// --- names from any language ---------------------------------------------------------

// A user whose Windows name, Documents folder, packages and copy folder are
// not all in the ANSI code page. The shell folder setting points Documents
// at the user's folder only while Seamster starts (it finds its game folder
// once, at start), so no other scenario can ever see it.
class ForeignNames : public RenamePackages {
protected:
    static constexpr const wchar_t* shellFolders =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

    void TearDown() override {
        putDocumentsBack();
        if (main_ && seamster_.isRunning()) seamster_.terminate();
        if (!userRoot_.empty()) removeTree(userRoot_);
    }

    void layUser(const std::string& user) {
        userRoot_ = "C:\\users\\" + user;
        documents_ = userRoot_ + "\\Documents";
        game_ = documents_ + "\\EA Games\\The Sims 2";
        ASSERT_TRUE(makeFolders(game_ + "\\Neighborhoods"));
        ASSERT_TRUE(makeFolders(game_ + "\\SavedSims"));
        ASSERT_TRUE(makeFolders(copies()));
        for (const std::string& name : packages)
            ASSERT_TRUE(writeFileBytes(game_ + "\\SavedSims\\" + name, "DBPF " + name));
    }
    std::string copies() const { return game_ + "\\Copies \xC3\xA9t\xC3\xA9 \xE3\x83\x89"; }

    // Starts Seamster with Documents in the user's folder, then puts the
    // setting back at once.
    HWND startAsUser(const SettingsEntries& settings) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, shellFolders, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                          &key) != ERROR_SUCCESS) {
            ADD_FAILURE() << "no shell folder settings";
            return nullptr;
        }
        saved_.assign(1024, L'\0');
        DWORD size = DWORD(saved_.size() * sizeof(wchar_t));
        hadValue_ =
            RegQueryValueExW(key, L"Personal", nullptr, &savedType_,
                             reinterpret_cast<BYTE*>(saved_.data()), &size) == ERROR_SUCCESS;
        saved_.resize(size / sizeof(wchar_t));
        const std::wstring moved = widen(documents_);
        RegSetValueExW(key, L"Personal", 0, REG_EXPAND_SZ,
                       reinterpret_cast<const BYTE*>(moved.c_str()),
                       DWORD((moved.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        moved_ = true;
        HWND main = startAtMainWindow(settings);
        putDocumentsBack();
        return main;
    }

    void putDocumentsBack() {
        if (!moved_) return;
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, shellFolders, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
            return;
        if (hadValue_)
            RegSetValueExW(key, L"Personal", 0, savedType_,
                           reinterpret_cast<const BYTE*>(saved_.data()),
                           DWORD(saved_.size() * sizeof(wchar_t)));
        else
            RegDeleteValueW(key, L"Personal");
        RegCloseKey(key);
        moved_ = false;
    }

    // Renames and copies every package of the user's SavedSims with a front
    // text, remembers all of it, and shows it again after a restart.
    void renameAndCopyEverything(const std::string& user) {
        ASSERT_NO_FATAL_FAILURE(layUser(user));
        const std::string front = "\xC3\x89t\xC3\xA9_";  // "Été_"
        SettingsEntries settings = settingsForPack("The Sims 2");
        setValue(settings, "In Front", front);
        setValue(settings, "Copy Packages", "1");
        setValue(settings, "Copy To", copies() + "\\");
        setValue(settings, "Copy To Display", "Copies \xC3\xA9t\xC3\xA9 \xE3\x83\x89");
        ASSERT_NE(startAsUser(settings), nullptr);
        HWND find = openFindWindow();
        ASSERT_NE(find, nullptr);
        HWND rename = searchEverything(find);
        ASSERT_NE(rename, nullptr);
        HWND list = control(rename, packageList);
        std::vector<std::string> listed = columnTexts(list, 0);
        std::sort(listed.begin(), listed.end());
        std::vector<std::string> expected = packages;
        std::sort(expected.begin(), expected.end());
        ASSERT_EQ(listed, expected) << "the finder does not list every name";
        EXPECT_EQ(text(control(rename, inFront)), front);
        for (int row = 0; row < 3; ++row) ASSERT_TRUE(setListViewChecked(list, row, true));
        ASSERT_TRUE(waitUntil([&] { return status(rename, tickedField) == " 3"; }));
        ASSERT_NO_FATAL_FAILURE(autoRenameTicked(rename));
        settle(rename);
        snap(rename, "after-run");
        EXPECT_EQ(columnTexts(list, 1), std::vector<std::string>(3, "Copied"));
        EXPECT_EQ(status(rename, errorsField), " 0");
        for (const std::string& name : packages) {
            EXPECT_EQ(readFileBytes(game_ + "\\SavedSims\\" + front + name), "DBPF " + name);
            EXPECT_EQ(readFileBytes(copies() + "\\" + front + name), "DBPF " + name);
            EXPECT_FALSE(fileExists(game_ + "\\SavedSims\\" + name));
        }
        ASSERT_NO_FATAL_FAILURE(leave(rename, find));
        quitWithQuestion(seamster_, main_);

        // The settings keep every such text; after a restart they read the same.
        const std::string written = readSettings();
        ASSERT_NO_FATAL_FAILURE(startAsUserWithFile());
        find = openFindWindow();
        ASSERT_NE(find, nullptr);
        rename = searchEverything(find);
        ASSERT_NE(rename, nullptr);
        EXPECT_EQ(text(control(rename, inFront)), front);
        EXPECT_EQ(text(control(rename, copyFolderText)), "Copies \xC3\xA9t\xC3\xA9 \xE3\x83\x89");
        EXPECT_EQ(listViewRowCount(control(rename, packageList)), 3);
        ASSERT_NO_FATAL_FAILURE(renameOneByOne(rename, front + packages[1]));
        ASSERT_NO_FATAL_FAILURE(leave(rename, find));
        quitWithQuestion(seamster_, main_);
        std::map<std::string, std::string> values = settingsValues(written);
        // Text the code page cannot hold is kept as UTF-8.
        EXPECT_EQ(values["Copy To"], copies() + "\\");
    }

    // One by one, a name typed in other scripts is taken as it stands, and
    // the copy follows it.
    void renameOneByOne(HWND rename, const std::string& name) {
        HWND list = control(rename, packageList);
        const std::vector<std::string> names = columnTexts(list, 0);
        const auto found = std::find(names.begin(), names.end(), name);
        ASSERT_NE(found, names.end()) << name << " is not listed";
        const int row = int(found - names.begin());
        ASSERT_TRUE(setListViewChecked(list, row, true));
        ASSERT_TRUE(waitUntil([&] { return status(rename, tickedField) == " 1"; }));
        click(control(rename, renameRunButton));
        ASSERT_TRUE(waitForText(control(rename, oldName), name)) << "the file is not shown";
        // "Платье ドレス"
        const std::string typed =
            "\xD0\x9F\xD0\xBB\xD0\xB0\xD1\x82\xD1\x8C\xD0\xB5 "
            "\xE3\x83\x89\xE3\x83\xAC\xE3\x82\xB9";
        ASSERT_TRUE(setText(control(rename, newName), typed));
        settle(rename);
        snap(rename, "one-by-one");
        click(control(rename, renameRunButton));
        ASSERT_TRUE(waitForText(control(rename, optionsFrame), "Renaming Options"))
            << "the run did not end";
        settle(rename);  // clicks made while the run ends are dropped
        EXPECT_EQ(listViewText(list, row, 0), typed + ".package");
        EXPECT_EQ(status(rename, errorsField), " 0");
        const std::string content = "DBPF " + packages[1];
        EXPECT_EQ(readFileBytes(game_ + "\\SavedSims\\" + typed + ".package"), content);
        EXPECT_EQ(readFileBytes(copies() + "\\" + typed + ".package"), content);
        EXPECT_FALSE(fileExists(game_ + "\\SavedSims\\" + name));
    }

    // Starts again on the settings file the last run saved.
    void startAsUserWithFile() {
        const std::string bytes = readSettings();
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, shellFolders, 0, KEY_SET_VALUE, &key),
                  ERROR_SUCCESS);
        const std::wstring moved = widen(documents_);
        RegSetValueExW(key, L"Personal", 0, REG_EXPAND_SZ,
                       reinterpret_cast<const BYTE*>(moved.c_str()),
                       DWORD((moved.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        moved_ = true;
        seamster_ = startSeamster();
        main_ = waitForMainWindow(seamster_);
        putDocumentsBack();
        ASSERT_NE(main_, nullptr);
        EXPECT_EQ(readSettings(), bytes);
    }

    const std::vector<std::string> packages = {
        "Robe_\xC3\xA9t\xC3\xA9.package",                             // Robe_été
        "\xE3\x83\x89\xE3\x83\xAC\xE3\x82\xB9_01.package",            // ドレス_01
        "\xD0\x9F\xD0\xBB\xD0\xB0\xD1\x82\xD1\x8C\xD0\xB5.package"};  // Платье
    std::string userRoot_, documents_, game_;
    std::wstring saved_;
    DWORD savedType_ = REG_EXPAND_SZ;
    bool hadValue_ = false;
    bool moved_ = false;
};

TEST_F(ForeignNames, AUserWithAccentsRenamesAndCopiesNamesInAnyScript) {
    renameAndCopyEverything("Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m");
}

TEST_F(ForeignNames, AUserWithAJapaneseNameRenamesAndCopiesNamesInAnyScript) {
    renameAndCopyEverything("\xE3\x83\xA6\xE3\x83\xBC\xE3\x82\xB6\xE3\x83\xBC");
}

// --- the local day -------------------------------------------------------------------

// Scenarios that run nine hours ahead of UTC (scripts/e2e.sh sets the zone
// for suites named so), so that a package made just after local midnight
// was made "yesterday" in UTC.
class RenameAheadOfUtc : public RenamePackages {
protected:
    void SetUp() override {
        RenamePackages::SetUp();
        TIME_ZONE_INFORMATION zone{};
        const DWORD kind = GetTimeZoneInformation(&zone);
        ASSERT_NE(kind, TIME_ZONE_ID_INVALID);
        ASSERT_EQ(zone.Bias + (kind == TIME_ZONE_ID_DAYLIGHT ? zone.DaylightBias : 0),
                  -zoneOffsetMinutes)
            << "this scenario needs a zone nine hours ahead of UTC (scripts/e2e.sh provides it)";
    }
    static constexpr int zoneOffsetMinutes = 9 * 60;
    static constexpr long long zoneOffsetSeconds = zoneOffsetMinutes * 60LL;
};

constexpr long long unixEpochInFileTime = 11644473600LL;

long long unixNow() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return static_cast<long long>(ticks / 10000000ULL) - unixEpochInFileTime;
}

FILETIME fileTimeOf(long long unixSeconds) {
    const ULONGLONG ticks = static_cast<ULONGLONG>(unixSeconds + unixEpochInFileTime) * 10000000ULL;
    return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// A package made at the given moment, as Wine reports it.
bool makePackageAt(const std::string& path, long long unixSeconds) {
    if (!writeFileBytes(path, "DBPF")) return false;
    const FILETIME when = fileTimeOf(unixSeconds);
    HANDLE file = CreateFileW(widen(path).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool set = SetFileTime(file, &when, &when, &when);
    CloseHandle(file);
    return set;
}

// The calendar date of a moment shifted by the offset, as "mm/dd/yyyy".
std::string dateText(long long unixSeconds) {
    const FILETIME when = fileTimeOf(unixSeconds);
    SYSTEMTIME day{};
    FileTimeToSystemTime(&when, &day);
    char textOut[16];
    std::snprintf(textOut, sizeof textOut, "%02u/%02u/%04u", day.wMonth, day.wDay, day.wYear);
    return textOut;
}

TEST_F(RenameAheadOfUtc, InTheLastDayListsWhatWasMadeOnTheLocalDay) {
    const long long now = unixNow();
    const long long localMidnight = (now + zoneOffsetSeconds) / 86400 * 86400 - zoneOffsetSeconds;
    ASSERT_TRUE(makePackageAt(savedSimsFile("a1b2c3d4_Midnight_Top.package"), localMidnight + 30));
    ASSERT_TRUE(makePackageAt(savedSimsFile("b2c3d4e5_Late_Skirt.package"), localMidnight - 30));
    ASSERT_NE(start(settingsForPack("The Sims 2")), nullptr);
    HWND find = openFindWindow();
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(isChecked(control(find, inTheLastOption)));
    EXPECT_EQ(comboItems(control(find, weeksList)).at(0), " Day");
    HWND rename = search(find);
    ASSERT_NE(rename, nullptr);
    HWND list = control(rename, packageList);
    settle(rename);
    snap(rename, "made-today");
    // Today's packages with a Body Shop number, the newest first; the one
    // made a minute earlier, before local midnight, is yesterday's.
    EXPECT_EQ(columnTexts(list, 0), (std::vector<std::string>{"0a1b2c3d_Summer_Dress.package",
                                                              "a1b2c3d4_Midnight_Top.package"}));
    const std::string today = dateText(now + zoneOffsetSeconds);
    EXPECT_EQ(columnTexts(list, 2), (std::vector<std::string>{today, today}));
    ASSERT_NO_FATAL_FAILURE(leave(rename, find));
    quitWithQuestion(seamster_, main_);
}

}  // namespace
}  // namespace seamster::e2e
