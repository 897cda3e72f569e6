// The Remove Projects window: the sandbox's projects and project folders,
// orphans marked and ticked, ticked entries deleted from disk, and the
// windows shown for an empty and for a missing Projects folder.

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "Scenario.h"

namespace seamster::e2e {
namespace {

const std::string windowTitle = "Seamster   --    Remove Projects";
constexpr int projectListId = 9, folderListId = 314, doneId = 5, removeId = 311;
constexpr COLORREF orphanRed = RGB(204, 0, 51);

// One row of the project list as the user sees it.
struct ProjectRow {
    std::string name;
    bool ticked = false;
    bool red = false;
    friend bool operator==(const ProjectRow&, const ProjectRow&) = default;
};

std::ostream& operator<<(std::ostream& out, const ProjectRow& row) {
    return out << "{\"" << row.name << "\"" << (row.ticked ? " ticked" : "")
               << (row.red ? " red" : "") << "}";
}

// Projects by file name: the listing order is the file system's own.
using ProjectRows = std::map<std::string, ProjectRow>;

ProjectRows projectRows(HWND list) {
    ProjectRows rows;
    for (int row = 0, count = listViewRowCount(list); row < count; ++row) {
        const bool red = countScreenPixels(listViewRowRect(list, row), orphanRed) > 0;
        rows[listViewText(list, row, 1)] = {listViewText(list, row, 0), listViewChecked(list, row),
                                            red};
    }
    return rows;
}

// Folder rows by their text, with their check marks.
std::map<std::string, bool> folderRows(HWND list) {
    std::map<std::string, bool> rows;
    for (int row = 0, count = listViewRowCount(list); row < count; ++row)
        rows[listViewText(list, row, 0)] = listViewChecked(list, row);
    return rows;
}

int rowOf(HWND list, int column, const std::string& text) {
    for (int row = 0, count = listViewRowCount(list); row < count; ++row)
        if (listViewText(list, row, column) == text) return row;
    return -1;
}

// A project file as the Body Shop writes it; the name is on the third line.
void writeProject(const std::string& path, const std::string& name) {
    ASSERT_TRUE(writeFileBytes(path,
                               "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<PropertySet>\r\n"
                               "    <AnyString key=\"name\" type=\"0x0b8bea18\">" +
                                   name + "</AnyString>\r\n</PropertySet>\r\n"))
        << path;
}

class RemoveProjects : public Scenario {
protected:
    static std::string projects() { return gameFolder() + "\\Projects"; }
    static std::string inProjects(const std::string& name) { return projects() + "\\" + name; }

    // Starts Seamster with the given choice for ticking orphans.
    void start(const std::string& orphanProjects = "1") {
        SettingsEntries settings = settingsForPack("The Sims 2");
        setValue(settings, "Orphan Projects", orphanProjects);
        ASSERT_NE(startAtMainWindow(settings), nullptr);
    }

    // Opens the window with tool-bar button 5 and waits for it.
    HWND openFromToolBar() {
        HWND bar = toolBar();
        EXPECT_NE(bar, nullptr) << "no tool bar";
        pressToolBarButton(bar, 5);
        return waitForRemoveWindow();
    }

    // The same with the main window's "Cleanup Projects" button.
    HWND openFromButton() {
        HWND button = control(main_, 12);
        EXPECT_EQ(text(button), "Cleanup Projects");
        click(button);
        return waitForRemoveWindow();
    }

    HWND waitForRemoveWindow() {
        HWND window = waitForWindow(seamster_.id(), windowTitle);
        EXPECT_NE(window, nullptr) << "the Remove Projects window did not open";
        if (window) settle(window, 500);
        return window;
    }

    // Presses "Remove" and waits until the project list shows `projectCount`
    // rows and the folder list `folderCount`.
    void pressRemove(HWND window, int projectCount, int folderCount) {
        click(control(window, removeId));
        HWND projectList = control(window, projectListId),
             folderList = control(window, folderListId);
        EXPECT_TRUE(waitUntil([&] {
            return listViewRowCount(projectList) == projectCount &&
                   listViewRowCount(folderList) == folderCount;
        })) << "rows left: "
            << listViewRowCount(projectList) << " projects, " << listViewRowCount(folderList)
            << " folders";
        settle(window, 500);
    }

    // "Done" closes the window and gives the main window back.
    void pressDone(HWND window) {
        click(control(window, doneId));
        ASSERT_TRUE(waitUntilGone(window)) << "\"Done\" did not close the window";
        EXPECT_TRUE(waitUntil([&] { return isEnabled(main_); }))
            << "the main window stays disabled";
        settle(main_);
    }

    void TearDown() override {
        if (main_ && seamster_.isRunning() && !findWindow(seamster_.id(), windowTitle))
            quitWithQuestion(seamster_, main_);
    }
};

// What the sandbox's Projects folder holds, as the window lists it: two
// projects with their folders, two orphans, a folder without a project.
// "HomeCrafter Plus" and notes.txt are not listed. A name keeps the blanks
// in front of it on its line: the line's indentation, and four more of Blue
// Jeans' own, which the orphan test looks past.
const std::string indent = "    ";
const ProjectRows sandboxProjects = {
    {"5f0a8c21.xml", {indent + "Red Dress", false, false}},
    {"5f0a8c22.xml", {indent + "    Blue Jeans", false, false}},
    {"5f0a8c23.xml", {indent + "Old Coat", true, true}},
    {"5f0a8c24.xml", {indent + "Party Gown", true, true}},
};
const std::map<std::string, bool> sandboxFolders = {
    {"  Red Dress", false}, {"  Blue Jeans", false}, {"  Leftover Skin", false}};

TEST_F(RemoveProjects, ListsProjectsAndFoldersWithOrphansRedAndTicked) {
    ASSERT_NO_FATAL_FAILURE(start());
    HWND window = openFromToolBar();
    ASSERT_NE(window, nullptr);
    snap(window, "projects-orphans-folders");

    // A fixed panel without a close box, over a disabled main window.
    EXPECT_EQ(clientRect(window), (Rect{0, 0, 438, 358}));
    EXPECT_FALSE(style(window) & WS_SYSMENU);
    EXPECT_FALSE(isEnabled(main_));
    const Rect outer = windowRect(window), under = windowRect(main_);
    EXPECT_NEAR(outer.x + outer.width / 2, under.x + under.width / 2, 1)
        << "not centred over the main window";
    EXPECT_NEAR(outer.y + outer.height / 2, under.y + under.height / 2, 1)
        << "not centred over the main window";
    EXPECT_EQ(text(control(window, 8)), "Check the Projects and Folders you want to remove");
    EXPECT_EQ(rectInParent(control(window, 8)), (Rect{20, 11, 405, 20}));
    EXPECT_EQ(text(control(window, doneId)), "Done");
    EXPECT_EQ(rectInParent(control(window, doneId)), (Rect{220, 326, 210, 30}));
    EXPECT_EQ(text(control(window, removeId)), "Remove");
    EXPECT_EQ(rectInParent(control(window, removeId)), (Rect{6, 326, 210, 30}));
    // The project picture sits at the top left, at its own size.
    HWND picture = control(window, 309);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(rectInParent(picture).x, 15);
    EXPECT_EQ(rectInParent(picture).y, 0);

    HWND projectList = control(window, projectListId);
    ASSERT_NE(projectList, nullptr);
    EXPECT_EQ(rectInParent(projectList), (Rect{5, 38, 425, 143}));
    ASSERT_EQ(listViewColumnCount(projectList), 2);
    EXPECT_EQ(listViewColumnTitle(projectList, 0), "            Bodyshop Project Name");
    EXPECT_EQ(listViewColumnTitle(projectList, 1), " Windows Filename");
    EXPECT_EQ(listViewColumnWidth(projectList, 0), 230);
    EXPECT_EQ(listViewColumnWidth(projectList, 1), 190);
    EXPECT_EQ(projectRows(projectList), sandboxProjects);

    HWND folderList = control(window, folderListId);
    ASSERT_NE(folderList, nullptr);
    EXPECT_EQ(rectInParent(folderList), (Rect{5, 181, 427, 143}));
    ASSERT_EQ(listViewColumnCount(folderList), 1);
    EXPECT_EQ(listViewColumnTitle(folderList, 0), "            Bodyshop Project Folders");
    EXPECT_EQ(listViewColumnWidth(folderList, 0), 423);
    EXPECT_EQ(folderRows(folderList), sandboxFolders);

    // Closing removes nothing.
    pressDone(window);
    for (const auto& [file, row] : sandboxProjects)
        EXPECT_TRUE(fileExists(inProjects(file))) << file;
    for (const char* folder : {"Red Dress", "Blue Jeans", "Leftover Skin"})
        EXPECT_TRUE(folderExists(inProjects(folder))) << folder;
}

TEST_F(RemoveProjects, RemoveDeletesWhatIsTickedAndOrphansTheProjectsOfRemovedFolders) {
    ASSERT_NO_FATAL_FAILURE(start());
    HWND window = openFromButton();
    ASSERT_NE(window, nullptr);
    HWND projectList = control(window, projectListId), folderList = control(window, folderListId);

    // The user spares one orphan and picks two folders, one of them a
    // project's own.
    ASSERT_TRUE(setListViewChecked(projectList, rowOf(projectList, 1, "5f0a8c24.xml"), false));
    ASSERT_TRUE(setListViewChecked(folderList, rowOf(folderList, 0, "  Red Dress"), true));
    ASSERT_TRUE(setListViewChecked(folderList, rowOf(folderList, 0, "  Leftover Skin"), true));
    settle(window);
    snap(window, "ticked");

    pressRemove(window, 3, 1);
    snap(window, "after-remove");
    EXPECT_FALSE(fileExists(inProjects("5f0a8c23.xml")));
    EXPECT_FALSE(folderExists(inProjects("Red Dress")));
    EXPECT_FALSE(folderExists(inProjects("Leftover Skin")));
    for (const char* file : {"5f0a8c21.xml", "5f0a8c22.xml", "5f0a8c24.xml", "notes.txt"})
        EXPECT_TRUE(fileExists(inProjects(file))) << file;
    EXPECT_TRUE(fileExists(inProjects("Blue Jeans\\Blue Jeans.package")));
    EXPECT_TRUE(folderExists(inProjects("HomeCrafter Plus")));

    // Red Dress lost its folder: now an orphan, red and ticked. The spared
    // orphan is ticked again.
    EXPECT_EQ(projectRows(projectList),
              (ProjectRows{
                  {"5f0a8c21.xml", {indent + "Red Dress", true, true}},
                  {"5f0a8c22.xml", {indent + "    Blue Jeans", false, false}},
                  {"5f0a8c24.xml", {indent + "Party Gown", true, true}},
              }));
    EXPECT_EQ(folderRows(folderList), (std::map<std::string, bool>{{"  Blue Jeans", false}}));

    // A second press takes the newly ticked orphans.
    pressRemove(window, 1, 1);
    EXPECT_FALSE(fileExists(inProjects("5f0a8c21.xml")));
    EXPECT_FALSE(fileExists(inProjects("5f0a8c24.xml")));
    EXPECT_TRUE(fileExists(inProjects("5f0a8c22.xml")));
    EXPECT_EQ(projectRows(projectList),
              (ProjectRows{{"5f0a8c22.xml", {indent + "    Blue Jeans", false, false}}}));
    pressDone(window);
}

TEST_F(RemoveProjects, WhatCannotBeDeletedStaysTickedAndKeepsWhatItHolds) {
    // A folder holding a sub-folder, and one holding a read-only file: only
    // their other files go.
    ASSERT_TRUE(makeFolders(inProjects("Leftover Skin\\Textures")));
    ASSERT_TRUE(writeFileBytes(inProjects("Leftover Skin\\Textures\\skin.png"), "png"));
    ASSERT_TRUE(writeFileBytes(inProjects("Blue Jeans\\locked.txt"), "keep me"));
    ASSERT_TRUE(SetFileAttributesW(widen(inProjects("Blue Jeans\\locked.txt")).c_str(),
                                   FILE_ATTRIBUTE_READONLY));
    ASSERT_NO_FATAL_FAILURE(start());
    HWND window = openFromToolBar();
    ASSERT_NE(window, nullptr);
    HWND projectList = control(window, projectListId), folderList = control(window, folderListId);
    ASSERT_TRUE(setListViewChecked(folderList, rowOf(folderList, 0, "  Leftover Skin"), true));
    ASSERT_TRUE(setListViewChecked(folderList, rowOf(folderList, 0, "  Blue Jeans"), true));
    // A ticked project file that goes away behind the window's back.
    ASSERT_TRUE(deleteFile(inProjects("5f0a8c23.xml")));

    click(control(window, removeId));
    // Party Gown's file goes; Old Coat's row stays, there being nothing to delete.
    ASSERT_TRUE(waitUntil([&] { return listViewRowCount(projectList) == 3; }));
    settle(window, 500);
    snap(window, "after-remove");
    EXPECT_FALSE(fileExists(inProjects("5f0a8c24.xml")));
    EXPECT_EQ(projectRows(projectList),
              (ProjectRows{
                  {"5f0a8c21.xml", {indent + "Red Dress", false, false}},
                  {"5f0a8c22.xml", {indent + "    Blue Jeans", false, false}},
                  {"5f0a8c23.xml", {indent + "Old Coat", true, true}},
              }));
    EXPECT_EQ(folderRows(folderList),
              (std::map<std::string, bool>{
                  {"  Red Dress", false}, {"  Blue Jeans", true}, {"  Leftover Skin", true}}));
    EXPECT_FALSE(fileExists(inProjects("Leftover Skin\\Leftover Skin.package")));
    EXPECT_TRUE(fileExists(inProjects("Leftover Skin\\Textures\\skin.png")));
    EXPECT_FALSE(fileExists(inProjects("Blue Jeans\\Blue Jeans.package")));
    EXPECT_EQ(readFileBytes(inProjects("Blue Jeans\\locked.txt")),
              std::optional<std::string>("keep me"));
    pressDone(window);
    SetFileAttributesW(widen(inProjects("Blue Jeans\\locked.txt")).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(RemoveProjects, WithoutTheOptionOrphansAreRedButLeftForTheUser) {
    ASSERT_NO_FATAL_FAILURE(start("0"));
    HWND window = openFromToolBar();
    ASSERT_NE(window, nullptr);
    HWND projectList = control(window, projectListId), folderList = control(window, folderListId);
    ProjectRows expected = sandboxProjects;
    for (auto& [file, row] : expected) row.ticked = false;
    EXPECT_EQ(projectRows(projectList), expected);

    ASSERT_TRUE(setListViewChecked(folderList, rowOf(folderList, 0, "  Blue Jeans"), true));
    pressRemove(window, 4, 2);
    EXPECT_FALSE(folderExists(inProjects("Blue Jeans")));
    EXPECT_TRUE(fileExists(inProjects("5f0a8c22.xml")));
    expected["5f0a8c22.xml"].red = true;
    EXPECT_EQ(projectRows(projectList), expected);
    pressDone(window);
}

TEST_F(RemoveProjects, NamesInAnyScriptAreListedAndRemoved) {
    const std::string dress = "\xE3\x83\x89\xE3\x83\xAC\xE3\x82\xB9_01.xml";      // ドレス_01
    const std::string robe = "Robe \xC3\xA9t\xC3\xA9";                            // Robe été
    const std::string gown = "\xD0\x9F\xD0\xBB\xD0\xB0\xD1\x82\xD1\x8C\xD0\xB5";  // Платье
    const std::string user = "\xE3\x83\xA6\xE3\x83\xBC\xE3\x82\xB6\xE3\x83\xBC";  // ユーザー
    writeProject(inProjects(dress), robe);
    ASSERT_TRUE(makeFolders(inProjects(robe)));
    ASSERT_TRUE(writeFileBytes(inProjects(robe + "\\" + robe + ".package"), "DBPF"));
    writeProject(inProjects(gown + ".xml"), gown);  // an orphan
    ASSERT_TRUE(makeFolders(inProjects(user)));
    ASSERT_NO_FATAL_FAILURE(start());
    HWND window = openFromToolBar();
    ASSERT_NE(window, nullptr);
    snap(window, "names-in-any-script");
    HWND projectList = control(window, projectListId), folderList = control(window, folderListId);
    ProjectRows expected = sandboxProjects;
    expected[dress] = {indent + robe, false, false};
    expected[gown + ".xml"] = {indent + gown, true, true};
    EXPECT_EQ(projectRows(projectList), expected);
    std::map<std::string, bool> folders = sandboxFolders;
    folders["  " + robe] = false;
    folders["  " + user] = false;
    EXPECT_EQ(folderRows(folderList), folders);

    ASSERT_TRUE(setListViewChecked(folderList, rowOf(folderList, 0, "  " + robe), true));
    ASSERT_TRUE(setListViewChecked(folderList, rowOf(folderList, 0, "  " + user), true));
    pressRemove(window, 3, 3);
    EXPECT_FALSE(fileExists(inProjects(gown + ".xml")));
    EXPECT_FALSE(folderExists(inProjects(robe)));
    EXPECT_FALSE(folderExists(inProjects(user)));
    EXPECT_TRUE(fileExists(inProjects(dress)));
    // Its folder gone, the project is an orphan now.
    EXPECT_EQ(projectRows(projectList)[dress], (ProjectRow{indent + robe, true, true}));
    pressDone(window);
}

TEST_F(RemoveProjects, AnEmptyProjectsFolderShowsBothNothingFoundRows) {
    for (const char* file : {"5f0a8c21.xml", "5f0a8c22.xml", "5f0a8c23.xml", "5f0a8c24.xml"})
        ASSERT_TRUE(deleteFile(inProjects(file))) << file;
    for (const char* folder : {"Red Dress", "Blue Jeans", "Leftover Skin"})
        ASSERT_TRUE(removeTree(inProjects(folder))) << folder;
    ASSERT_NO_FATAL_FAILURE(start());
    HWND window = openFromToolBar();
    ASSERT_NE(window, nullptr);
    snap(window, "empty-lists");
    HWND projectList = control(window, projectListId), folderList = control(window, folderListId);
    ASSERT_EQ(listViewRowCount(projectList), 1);
    EXPECT_EQ(listViewText(projectList, 0, 0), "  - No Bodyshop Projects Found");
    EXPECT_EQ(listViewText(projectList, 0, 1), "");
    ASSERT_EQ(listViewRowCount(folderList), 1);
    EXPECT_EQ(listViewText(folderList, 0, 0), "  - No Bodyshop Project Folders Found");

    // Those rows stand for nothing: ticked and removed, they stay and so
    // does everything on disk.
    ASSERT_TRUE(setListViewChecked(projectList, 0, true));
    ASSERT_TRUE(setListViewChecked(folderList, 0, true));
    pressRemove(window, 1, 1);
    EXPECT_EQ(listViewText(projectList, 0, 0), "  - No Bodyshop Projects Found");
    EXPECT_EQ(listViewText(folderList, 0, 0), "  - No Bodyshop Project Folders Found");
    EXPECT_TRUE(fileExists(inProjects("notes.txt")));
    EXPECT_TRUE(folderExists(inProjects("HomeCrafter Plus")));
    EXPECT_TRUE(folderExists(projects()));
    pressDone(window);
}

TEST_F(RemoveProjects, AMissingProjectsFolderOpensNothing) {
    ASSERT_TRUE(removeTree(projects()));
    ASSERT_NO_FATAL_FAILURE(start());
    pressToolBarButton(childOfClass(main_, "ToolbarWindow32"), 5);
    click(control(main_, 12));
    // Nothing opens and nothing is said; the main window stays usable.
    waitUntilProgramSettled(seamster_.id());
    EXPECT_EQ(findWindow(seamster_.id(), windowTitle), nullptr);
    EXPECT_EQ(findMessageBox(seamster_.id()), nullptr);
    EXPECT_TRUE(isEnabled(main_));
    EXPECT_FALSE(folderExists(projects()));
}

TEST_F(RemoveProjects, WithoutAGameFolderNeitherButtonOpensTheWindow) {
    // No Projects folder, and nothing may stand in for it (the current folder, the root).
    ASSERT_TRUE(removeTree(gameFolder() + "\\Neighborhoods"));
    writeSettings(settingsForPack("The Sims 2"));
    seamster_ = startSeamster();
    HWND box = waitForMessageBox(seamster_.id());  // "Unable to verify your Sims installation..."
    ASSERT_TRUE(box && pressMessageBoxButton(box, IDOK) && waitUntilGone(box));
    ASSERT_NE(main_ = waitForMainWindow(seamster_), nullptr);
    settle(main_, 500);
    snap(main_, "no-game-folder");
    EXPECT_FALSE(toolBarButtonEnabled(toolBar(), 5) || isEnabled(control(main_, 12)));
    // Nor does anything else that works in the game folder: not in the folder
    // left without Neighborhoods, nor in any other under EA Games.
    EXPECT_FALSE(toolBarButtonEnabled(toolBar(), 6)) << "Hide Game Folders";
    EXPECT_FALSE(toolBarButtonEnabled(toolBar(), 7)) << "Extras";
    for (int gadget : {10, 17, 24}) EXPECT_FALSE(isEnabled(control(main_, gadget))) << gadget;
}

TEST_F(RemoveProjects, LinkedProjectsLoseNothingOfWhatTheyPointTo) {
    // The sandbox's other Projects folder: "Linked Dress" and 5f0a8c32.xml (an
    // orphan) are Unix links into C:\Shared Work, which Wine cannot remove alone.
    const std::string shared = "C:\\Shared Work";
    ASSERT_TRUE(MoveFileW(widen(projects()).c_str(), widen(projects() + " before").c_str()));
    ASSERT_TRUE(MoveFileW(widen(shared + "\\Projects").c_str(), widen(projects()).c_str()));
    ASSERT_NO_FATAL_FAILURE(start());
    HWND window = openFromToolBar();
    ASSERT_NE(window, nullptr);
    HWND folderList = control(window, folderListId);
    for (const char* folder : {"  Linked Dress", "  Plain Folder"})
        ASSERT_TRUE(setListViewChecked(folderList, rowOf(folderList, 0, folder), true));
    pressRemove(window, 2, 1);
    snap(window, "after-remove");
    EXPECT_EQ(folderRows(folderList), (std::map<std::string, bool>{{"  Linked Dress", true}}));
    for (const char* file : {"\\Linked Dress\\Linked Dress.package", "\\Shared Gown.xml"})
        EXPECT_TRUE(fileExists(shared + file)) << file;
    pressDone(window);
}

TEST_F(RemoveProjects, ColumnsMakeRoomForTheScrollBarWhileRowsOverflow) {
    // Nine projects (seven orphans) and ten folders: both lists scroll.
    for (int i = 1; i <= 5; ++i)
        writeProject(inProjects("extra" + std::to_string(i) + ".xml"),
                     "Extra " + std::to_string(i));
    for (int i = 1; i <= 7; ++i) ASSERT_TRUE(makeFolders(inProjects("Spare " + std::to_string(i))));
    ASSERT_NO_FATAL_FAILURE(start());
    HWND window = openFromToolBar();
    ASSERT_NE(window, nullptr);
    snap(window, "scrolling-lists");
    HWND projectList = control(window, projectListId), folderList = control(window, folderListId);
    ASSERT_EQ(listViewRowCount(projectList), 9);
    ASSERT_EQ(listViewRowCount(folderList), 10);
    const int scrollBar = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(listViewColumnWidth(projectList, 1), 191 - scrollBar);
    EXPECT_EQ(listViewColumnWidth(folderList, 0), 423 - scrollBar);

    // The seven ticked orphans go, and three folders: the scroll bars go too.
    for (const char* folder : {"  Spare 1", "  Spare 2", "  Spare 3"})
        ASSERT_TRUE(setListViewChecked(folderList, rowOf(folderList, 0, folder), true));
    pressRemove(window, 2, 7);
    snap(window, "after-remove");
    EXPECT_EQ(listViewColumnWidth(projectList, 1), 191);
    EXPECT_EQ(listViewColumnWidth(folderList, 0), 423);
    for (int i = 1; i <= 5; ++i)
        EXPECT_FALSE(fileExists(inProjects("extra" + std::to_string(i) + ".xml")));
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(folderExists(inProjects("Spare " + std::to_string(i))), i > 3) << i;
    pressDone(window);
}

}  // namespace
}  // namespace seamster::e2e
