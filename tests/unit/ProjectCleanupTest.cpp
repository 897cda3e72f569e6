#include <gtest/gtest.h>

#include "fakes/MemoryFileSystem.h"
#include "projects/ProjectCleanup.h"

namespace seamster {
namespace {

const std::string kProjects = "C:\\Users\\Ann\\Documents\\EA Games\\The Sims 2\\Projects";
constexpr int kScrollBar = 17;

std::string at(const std::string& name) { return kProjects + "\\" + name; }

std::string projectText(const std::string& name) {
    return "<?xml version=\"1.0\"?>\r\n<Project>\r\n" + std::string(kProjectNameTag) + name +
           std::string(kProjectNameEndTag) + "\r\n</Project>\r\n";
}

class RemoveProjects : public ::testing::Test {
protected:
    // Adds project `name` in file `name`.xml, with its folder when `withFolder`.
    void addProject(const std::string& name, bool withFolder) {
        fs.addFile(at(name + ".xml"), projectText(name));
        if (withFolder) fs.addFile(at(name + "\\" + name + ".txt"), "data");
    }
    RemoveProjectsModel open(bool tickOrphans = false) {
        auto model = RemoveProjectsModel::open(fs, kProjects, tickOrphans, kScrollBar);
        EXPECT_TRUE(model);
        return std::move(*model);
    }
    static std::vector<bool> ticks(const std::vector<ListRow>& rows) {
        std::vector<bool> out;
        for (const ListRow& row : rows) out.push_back(row.ticked);
        return out;
    }
    MemoryFileSystem fs;
};

TEST_F(RemoveProjects, RowsShowNamesFilesOrphanColoursAndIcons) {
    addProject("Red Dress", true);
    addProject("Lost Hat", false);
    RemoveProjectsModel model = open();
    auto projects = model.projectRows();
    ASSERT_EQ(projects.size(), 2u);
    EXPECT_EQ(projects[0].text, "Red Dress");
    EXPECT_EQ(projects[0].fileName, "Red Dress.xml");
    EXPECT_EQ(projects[0].textColour, kPlainTextColour);
    EXPECT_EQ(projects[1].textColour, kOrphanTextColour);
    EXPECT_EQ(projects[1].picture, kProjectRowPicture);
    EXPECT_EQ(ticks(projects), (std::vector<bool>{false, false}));
    auto folders = model.folderRows();
    ASSERT_EQ(folders.size(), 1u);
    EXPECT_EQ(folders[0].text, "  Red Dress");
    EXPECT_EQ(folders[0].picture, kFolderRowPicture);
    EXPECT_EQ(ticks(open(true).projectRows()), (std::vector<bool>{false, true}));
}

TEST_F(RemoveProjects, EmptyListsShowARowThatIsNeverActedUpon) {
    fs.addFolder(kProjects).addFile(at("readme.txt"), "not a project");
    RemoveProjectsModel model = open(true);
    auto projects = model.projectRows();
    auto folders = model.folderRows();
    ASSERT_EQ(projects.size(), 1u);
    EXPECT_EQ(projects[0].text, "  - No Bodyshop Projects Found");
    EXPECT_EQ(projects[0].picture, kNothingFoundPicture);
    EXPECT_EQ(folders[0].text, "  - No Bodyshop Project Folders Found");
    EXPECT_EQ(model.projectCount() + model.folderCount(), 0u);
    const auto before = fs.snapshot();
    model.setProjectTicked(0, true);
    model.setFolderTicked(0, true);
    RemovedRows removed = model.removeTicked();
    EXPECT_TRUE(removed.projects.empty() && removed.folders.empty());
    EXPECT_EQ(fs.snapshot(), before);
    ASSERT_EQ(model.projectRows().size(), 1u);
    EXPECT_TRUE(model.projectRows()[0].ticked);
}

TEST_F(RemoveProjects, NoWindowWhenTheFolderCannotBeListed) {
    EXPECT_FALSE(RemoveProjectsModel::open(fs, kProjects, false, kScrollBar));
}

TEST_F(RemoveProjects, RemovesTickedFilesThenFoldersFromTheBottomUp) {
    for (const char* name : {"Ann", "Bea", "Cid", "Dot"}) addProject(name, true);
    RemoveProjectsModel model = open();
    std::vector<std::string> changes;
    fs.failWhen = [&](FsOp op, const std::string& path) {
        if (op == FsOp::deleteFile || op == FsOp::removeFolder) changes.push_back(path);
        return false;
    };
    model.setProjectTicked(0, true);
    model.setProjectTicked(2, true);
    model.setFolderTicked(1, true);
    model.setFolderTicked(3, true);
    RemovedRows removed = model.removeTicked();
    EXPECT_EQ(removed.projects, (std::vector<size_t>{2, 0}));
    EXPECT_EQ(removed.folders, (std::vector<size_t>{3, 1}));
    EXPECT_EQ(changes, (std::vector<std::string>{at("Cid.xml"), at("Ann.xml"), at("Dot\\Dot.txt"),
                                                 at("Dot"), at("Bea\\Bea.txt"), at("Bea")}));
    // The lists are independent: a project keeps its folder and the reverse.
    auto projects = model.projectRows();
    ASSERT_EQ(projects.size(), 2u);
    EXPECT_EQ(projects[0].text, "Bea");
    EXPECT_EQ(projects[0].textColour, kOrphanTextColour);
    EXPECT_EQ(projects[1].text, "Dot");
    EXPECT_EQ(fs.exists(at("Ann")), PathKind::folder);
    auto folders = model.folderRows();
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(folders[1].text, "  Cid");
}

TEST_F(RemoveProjects, WhatCannotBeDeletedStaysTickedWithEverythingElseIntact) {
    addProject("Kept", false);
    addProject("Gone", false);
    fs.setReadOnly(at("Kept.xml"), true);
    fs.addFile(at("Nested\\top.txt"), "t").addFile(at("Nested\\Deeper\\inner.txt"), "i");
    fs.addFile(at("Guarded\\plain.txt"), "p").addFile(at("Guarded\\locked.txt"), "l");
    fs.setReadOnly(at("Guarded\\locked.txt"), true);
    RemoveProjectsModel model = open();
    fs.deleteFile(at("Gone.xml"));  // deleted outside the program meanwhile
    for (size_t row = 0; row < 3; ++row) {
        model.setProjectTicked(row, true);
        model.setFolderTicked(row, true);
    }
    RemovedRows removed = model.removeTicked();
    EXPECT_TRUE(removed.projects.empty());
    EXPECT_TRUE(removed.folders.empty());
    EXPECT_EQ(ticks(model.projectRows()), (std::vector<bool>{true, true}));
    EXPECT_EQ(ticks(model.folderRows()), (std::vector<bool>{true, true}));
    EXPECT_EQ(fs.exists(at("Kept.xml")), PathKind::file);
    EXPECT_EQ(fs.exists(at("Nested\\top.txt")), PathKind::missing);
    EXPECT_EQ(fs.contents(at("Nested\\Deeper\\inner.txt")), "i");
    EXPECT_EQ(fs.exists(at("Guarded\\plain.txt")), PathKind::missing);
    EXPECT_EQ(fs.contents(at("Guarded\\locked.txt")), "l");
    EXPECT_TRUE(fs.isReadOnly(at("Guarded\\locked.txt")));
}

TEST_F(RemoveProjects, EveryRemovalMarksOrphansAgainAndMayTickThem) {
    addProject("Red Dress", true);
    addProject("Blue Dress", false);
    addProject("Old Hat", false);
    RemoveProjectsModel model = open(true);
    EXPECT_EQ(ticks(model.projectRows()), (std::vector<bool>{false, true, true}));
    model.setProjectTicked(1, false);  // the user keeps one orphan
    model.setProjectTicked(2, false);
    fs.addFolder(at("Old Hat"));  // and gives another its folder back
    model.setFolderTicked(0, true);
    model.removeTicked();
    auto rows = model.projectRows();
    EXPECT_EQ(rows[0].textColour, kOrphanTextColour);
    EXPECT_EQ(rows[2].textColour, kPlainTextColour);
    EXPECT_EQ(ticks(rows), (std::vector<bool>{true, true, false}));
    // Without the option orphans are coloured but the ticks are the user's.
    RemoveProjectsModel plain = open(false);
    const auto before = fs.snapshot();
    plain.removeTicked();
    EXPECT_EQ(ticks(plain.projectRows()), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(plain.projectRows()[0].textColour, kOrphanTextColour);
    EXPECT_EQ(fs.snapshot(), before);
}

TEST_F(RemoveProjects, ColumnsGiveWayToTheScrollBarOnlyWhileRowsOverflow) {
    for (int i = 0; i < 10; ++i) addProject("Project " + std::to_string(i), true);
    RemoveProjectsModel model = open();
    EXPECT_EQ(model.projectFileColumnWidth(), 191 - kScrollBar);
    EXPECT_EQ(model.folderColumnWidth(), 423 - kScrollBar);
    model.setProjectTicked(9, true);
    model.setFolderTicked(9, true);
    model.removeTicked();
    EXPECT_EQ(model.projectFileColumnWidth(), 191 - kScrollBar);
    for (size_t row = 0; row < 4; ++row) {
        model.setProjectTicked(row, true);
        model.setFolderTicked(row, true);
    }
    model.removeTicked();
    EXPECT_EQ(model.projectCount(), 5u);
    EXPECT_EQ(model.projectFileColumnWidth(), 191);
    EXPECT_EQ(model.folderColumnWidth(), 423);

    MemoryFileSystem few;
    few.addFile(at("One.xml"), projectText("One"));
    auto small = RemoveProjectsModel::open(few, kProjects, false, kScrollBar);
    EXPECT_EQ(small->projectFileColumnWidth(), 190);
    small->setProjectTicked(0, true);
    small->removeTicked();
    EXPECT_EQ(small->projectFileColumnWidth(), 190);
    EXPECT_EQ(small->folderColumnWidth(), 423);

    RemoveProjectsLayout layout = removeProjectsLayout(17, 24);
    EXPECT_EQ(layout.listHeight, 143);
    EXPECT_EQ(layout.windowHeight, 358);
    EXPECT_EQ(layout.buttonTop, 326);
    EXPECT_EQ(layout.folderListTop, 181);
}

TEST_F(RemoveProjects, HostileNamesNeverReachOutsideTheFolder) {
    fs.addFile("C:\\Users\\Ann\\Documents\\EA Games\\Important.txt", "keep")
        .addFile(at("Sub\\inner.txt"), "keep")
        .addFile(at("real.xml"), projectText("..\\..\\Important.txt"));
    ProjectScan scan;
    for (const char* name : {"..\\..\\Important.txt", "*", "*.xml", "?eal.xml", "Sub\\inner.txt",
                             "C:\\Users\\Ann\\Documents\\EA Games\\Important.txt", "real.xml."})
        scan.projects.push_back({"x", name, true});
    scan.folders = {"..", "..\\..", "*", "Sub\\", ".", "Su?", std::string(3000, 'S')};
    RemoveProjectsModel model(fs, kProjects, scan, true, kScrollBar);
    for (size_t row = 0; row < 7; ++row) model.setFolderTicked(row, true);
    const auto before = fs.snapshot();
    RemovedRows removed = model.removeTicked();
    EXPECT_TRUE(removed.projects.empty() && removed.folders.empty());
    EXPECT_EQ(fs.snapshot(), before);

    // A name read from a file is only displayed and looked up, never deleted.
    RemoveProjectsModel scanned = open(true);
    EXPECT_EQ(scanned.projectRows()[0].textColour, kOrphanTextColour);
    scanned.removeTicked();
    EXPECT_EQ(fs.contents("C:\\Users\\Ann\\Documents\\EA Games\\Important.txt"), "keep");
    EXPECT_EQ(fs.exists(at("real.xml")), PathKind::missing);
}

TEST_F(RemoveProjects, NoProjectsFolderNeverStandsForTheRoot) {
    fs.addFile("\\Shot.xml", projectText("Shot"));
    EXPECT_FALSE(RemoveProjectsModel::open(fs, "", true, kScrollBar) ||
                 removeProjectFile(fs, "", "Shot.xml"));
    EXPECT_EQ(fs.exists("\\Shot.xml"), PathKind::file);
}

TEST_F(RemoveProjects, LinksAreNeverEnteredAndGoAloneOrNotAtAll) {
    // A linked folder, a linked project file and a real folder holding a link.
    fs.addFile(at("Shared\\elsewhere.txt")).addFile(at("Gown.xml"), projectText("Gown"));
    fs.addFile(at("Mine\\link.package")).addFile(at("Mine\\own.package"));
    for (const char* link : {"Shared", "Gown.xml", "Mine\\link.package"})
        fs.setLink(at(link), true);
    // Where a link cannot go alone (Wine's view of a Unix link), then where it can.
    for (const bool linksGo : {false, true}) {
        std::vector<std::string> deleted;
        fs.failWhen = [&](FsOp op, const std::string& path) {
            if (op == FsOp::deleteFile) deleted.push_back(path);
            return op == FsOp::removeLink && !linksGo;
        };
        RemoveProjectsModel model = open(true);
        model.setFolderTicked(0, true);
        model.setFolderTicked(1, true);
        const RemovedRows removed = model.removeTicked();
        EXPECT_EQ(deleted, std::vector<std::string>(!linksGo, at("Mine\\own.package")));
        EXPECT_EQ(removed.projects.size() + removed.folders.size(), linksGo ? 3u : 0u);
    }
}

}  // namespace
}  // namespace seamster
