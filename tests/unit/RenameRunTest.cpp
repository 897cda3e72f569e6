#include <gtest/gtest.h>

#include "fakes/MemoryFileSystem.h"
#include "rename/RenameRun.h"

namespace seamster {
namespace {

const std::string kFolder = "C:\\U\\SavedSims\\";
const std::string kCopies = "D:\\Copies\\";

struct RecordingDialogs : Dialogs {
    std::vector<std::string> messages;
    void showMessage(const std::string& text, int) override { messages.push_back(text); }
    int askYesNo(const std::string&, int) override { return answerNo; }
};

// A listed folder: each file holds its own name, every row ticked.
struct Listing {
    MemoryFileSystem fs;
    std::vector<PackageRow> rows;
    NamingSettings naming;  // "Keep", no texts, no number: names stay as they are

    explicit Listing(std::vector<std::string> names) {
        fs.addFolder(kCopies);
        for (const std::string& name : names) {
            fs.addFile(kFolder + name, name);
            PackageRow row;
            row.name = name;
            row.state = kRowTicked;
            rows.push_back(row);
        }
    }

    // Takes every proposed name as it stands; returns the results in order.
    std::vector<FileResult> runAll(RenameRun& run) {
        std::vector<FileResult> results;
        while (auto file = run.nextFile()) results.push_back(run.finishFile(file->proposedName));
        return results;
    }
};

TEST(RenameRun, AutoNumbersTheTickedRowsFromTheTopWithProgress) {
    Listing listing(
        {"0a1b2c3d_Dress.package", "skip.package", "0a1b2c3d_Top.package", "Hat.package"});
    listing.rows[1].state = 0;
    listing.rows[3].state = kRowSelected;  // a highlighted row counts as ticked
    listing.naming = {"XY_", "", "001", 0, 1, 0, "", ""};
    RenameRun run(RunMode::automatic, kFolder, listing.rows, listing.naming, listing.fs);
    ASSERT_EQ(run.tickedTotal(), 3);
    run.start(false, "");
    EXPECT_EQ(run.caption(), "Processing 3 Files");

    std::vector<std::string> captions;
    std::vector<int> progress;
    while (auto file = run.nextFile()) {
        EXPECT_EQ(listing.rows[file->row].state, kRowTicked | kRowSelected);
        run.finishFile(file->proposedName);
        captions.push_back(run.caption());
        progress.push_back(run.progress());
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"Finished 1 of 3 Files", "Finished 2 of 3 Files",
                                                  "Finished 3 of 3 Files"}));
    EXPECT_EQ(progress, (std::vector<int>{33, 66, 100}));
    EXPECT_EQ(listing.naming.startNumber, "004");
    EXPECT_EQ(listing.fs.contents(kFolder + "XY_Dress001.package"), "0a1b2c3d_Dress.package");
    EXPECT_EQ(listing.fs.contents(kFolder + "XY_Top002.package"), "0a1b2c3d_Top.package");
    EXPECT_EQ(listing.fs.contents(kFolder + "XY_Hat003.package"), "Hat.package");
    EXPECT_EQ(listing.fs.exists(kFolder + "skip.package"), PathKind::file);
    EXPECT_EQ(listing.rows[0].name, "XY_Dress001.package");
    EXPECT_EQ(listing.fs.exists(kFolder + listing.rows[0].name), PathKind::file);
    EXPECT_EQ(listing.rows[0].nameColour, kTextGreen);
    EXPECT_EQ(listing.rows[1].nameColour, kTextBlack);
    for (const PackageRow& row : listing.rows) EXPECT_EQ(row.state, 0);
    EXPECT_EQ(run.tickedCount(), 0);
    EXPECT_EQ(run.errorCount(), 0);
    EXPECT_TRUE(run.finished());
}

TEST(RenameRun, NothingTickedDoesNothing) {
    Listing listing({"a.package"});
    listing.rows[0].state = 0;
    listing.naming.customNumber = true;
    auto before = listing.fs.snapshot();
    RenameRun run(RunMode::oneByOne, kFolder, listing.rows, listing.naming, listing.fs);
    EXPECT_FALSE(run.hasWork());
    EXPECT_FALSE(run.nextFile());
    EXPECT_EQ(listing.fs.snapshot(), before);
    EXPECT_EQ(listing.naming.startNumber, "001");  // untouched
}

TEST(RenameRun, UnchangedNamesAreStillCopied) {
    Listing listing({"a.package", "b.package"});
    RenameRun run(RunMode::automatic, kFolder, listing.rows, listing.naming, listing.fs);
    run.start(true, kCopies);
    for (const FileResult& result : listing.runAll(run)) {
        EXPECT_EQ(result.rename, RenameOutcome::unchanged);
        EXPECT_EQ(result.copy, CopyOutcome::copied);
    }
    EXPECT_EQ(listing.rows[0].nameColour, kTextBlack);
    EXPECT_EQ(listing.rows[0].copyMark, "Copied");
    EXPECT_EQ(listing.rows[0].copyMarkColour, kTextGreen);
    EXPECT_EQ(listing.fs.contents(kCopies + "b.package"), "b.package");
    EXPECT_EQ(listing.fs.contents(kFolder + "b.package"), "b.package");
}

TEST(RenameRun, NeverRenamesOverAnExistingName) {
    Listing listing({"a.package", "b.package", "c.package"});
    listing.fs.addFile(kFolder + "taken.package", "keep me").addFolder(kFolder + "dir.package");
    RenameRun run(RunMode::oneByOne, kFolder, listing.rows, listing.naming, listing.fs);
    run.start(true, kCopies);
    const char* newNames[] = {"A", "taken", "dir"};  // a letter-case change meets itself
    for (const char* newName : newNames) {
        ASSERT_TRUE(run.nextFile());
        FileResult result = run.finishFile(newName);
        EXPECT_EQ(result.rename, RenameOutcome::failed) << newName;
        EXPECT_EQ(result.copy, CopyOutcome::skipped) << newName;
    }
    EXPECT_EQ(run.errorCount(), 3);
    EXPECT_EQ(run.errorText(), " 3");
    EXPECT_EQ(listing.rows[0].name, "a.package");
    EXPECT_EQ(listing.rows[0].nameColour, kTextRed);
    EXPECT_EQ(listing.rows[0].copyMark, "~~~");
    EXPECT_EQ(listing.rows[0].copyMarkColour, kTextRed);
    EXPECT_EQ(listing.rows[0].state, 0);
    EXPECT_EQ(listing.fs.contents(kFolder + "taken.package"), "keep me");
    EXPECT_EQ(listing.fs.contents(kFolder + "b.package"), "b.package");
    EXPECT_EQ(listing.fs.exists(kCopies + "a.package"), PathKind::missing);
}

TEST(RenameRun, NeverCopiesOverAnExistingFile) {
    Listing listing({"a.package", "b.package", "c.package"});
    listing.fs.addFile(kCopies + "new_a.package", "older copy");
    listing.fs.failWhen = [](FsOp op, const std::string& path) {
        return op == FsOp::copy && path.starts_with(kCopies + "new_b.package");
    };
    listing.naming.inFront = "new_";
    RenameRun run(RunMode::automatic, kFolder, listing.rows, listing.naming, listing.fs);
    run.start(true, kCopies);
    std::vector<FileResult> results = listing.runAll(run);
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0].copy, CopyOutcome::failed);
    EXPECT_EQ(results[1].copy, CopyOutcome::failed);
    EXPECT_EQ(results[2].copy, CopyOutcome::copied);
    for (const FileResult& result : results) EXPECT_EQ(result.rename, RenameOutcome::renamed);
    EXPECT_EQ(listing.rows[0].copyMark, "ERROR");
    EXPECT_EQ(listing.rows[0].copyMarkColour, kTextRed);
    EXPECT_EQ(listing.fs.contents(kCopies + "new_a.package"), "older copy");
    EXPECT_EQ(run.errorCount(), 2);
}

TEST(RenameRun, ACopyCutShortNeverLeavesAFileUnderItsName) {
    // Each change of the disk during the copy fails in turn (a full disk, a
    // copy cut short), then another program takes the name mid-copy.
    const std::string target = kCopies + "Robe.package";
    for (int step = 0;; ++step) {
        SCOPED_TRACE("change " + std::to_string(step) + " fails");
        Listing listing({"Robe.package"});
        const auto before = listing.fs.snapshot();
        RenameRun run(RunMode::automatic, kFolder, listing.rows, listing.naming, listing.fs);
        run.start(true, kCopies);
        listing.fs.changeCount = 0;
        listing.fs.failChangeNumber = step;
        const FileResult result = listing.runAll(run).at(0);
        listing.fs.failChangeNumber = -1;
        if (result.copy == CopyOutcome::copied) {
            EXPECT_EQ(listing.fs.contents(target), "Robe.package");
            EXPECT_EQ(listing.fs.snapshot().size(), before.size() + 1);
            EXPECT_EQ(step, 3) << "make the temporary file, copy into it, name it";
            break;
        }
        EXPECT_EQ(result.copy, CopyOutcome::failed);
        EXPECT_EQ(listing.rows[0].copyMark, "ERROR");
        EXPECT_EQ(run.errorCount(), 1);
        EXPECT_EQ(listing.fs.snapshot(), before);
    }

    Listing listing({"Robe.package"});
    listing.fs.failWhen = [&](FsOp op, const std::string&) {
        if (op == FsOp::copy) listing.fs.addFile(target, "theirs");
        return false;
    };
    RenameRun run(RunMode::automatic, kFolder, listing.rows, listing.naming, listing.fs);
    run.start(true, kCopies);
    EXPECT_EQ(listing.runAll(run).at(0).copy, CopyOutcome::failed);
    std::vector<DirEntry> copies;
    listing.fs.list(kCopies, "*", copies);
    ASSERT_EQ(copies.size(), 1u) << "no temporary left";
    EXPECT_EQ(listing.fs.contents(target), "theirs");
}

TEST(RenameRun, CopiesIntoTheSearchedFolderUnderOtherCaseAllFail) {
    Listing listing({"a.package", "b.package"});
    const std::string sameFolder = "c:\\u\\savedsims\\";
    EXPECT_FALSE(copiesIntoSearchFolder(sameFolder, kFolder));
    EXPECT_TRUE(copiesIntoSearchFolder(kFolder, kFolder));
    auto before = listing.fs.snapshot();
    RenameRun run(RunMode::automatic, kFolder, listing.rows, listing.naming, listing.fs);
    run.start(true, sameFolder);
    for (const FileResult& result : listing.runAll(run))
        EXPECT_EQ(result.copy, CopyOutcome::failed);
    EXPECT_EQ(listing.fs.snapshot(), before);
}

TEST(RenameRun, FailedRenameIsCountedAndTheRunGoesOn) {
    Listing listing({"locked.package", "b.package"});
    listing.fs.failWhen = [](FsOp op, const std::string& path) {
        return op == FsOp::rename && path == kFolder + "locked.package";
    };
    listing.naming.inBack = "_v2";
    RenameRun run(RunMode::automatic, kFolder, listing.rows, listing.naming, listing.fs);
    run.start(false, "");
    std::vector<FileResult> results = listing.runAll(run);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].rename, RenameOutcome::failed);
    EXPECT_EQ(results[0].copy, CopyOutcome::none);
    EXPECT_EQ(listing.rows[0].copyMark, "");  // no "~~~" without copying
    EXPECT_EQ(results[1].rename, RenameOutcome::renamed);
    EXPECT_EQ(listing.fs.exists(kFolder + "b_v2.package"), PathKind::file);
    EXPECT_EQ(listing.fs.exists(kFolder + "locked.package"), PathKind::file);
    EXPECT_EQ(run.errorCount(), 1);
}

TEST(RenameRun, WithoutACopyFolderNothingIsCopied) {
    Listing listing({"a.package"});
    listing.naming.inFront = "x";
    EXPECT_TRUE(copyFolderMissing(true, ""));
    EXPECT_FALSE(copyFolderMissing(true, kCopies));
    EXPECT_FALSE(copyFolderMissing(false, ""));

    RenameRun run(RunMode::automatic, kFolder, listing.rows, listing.naming, listing.fs);
    run.start(true, "");
    EXPECT_FALSE(run.copying());
    std::vector<FileResult> results = listing.runAll(run);
    EXPECT_EQ(results[0].copy, CopyOutcome::none);
    EXPECT_EQ(listing.fs.exists("xa.package"), PathKind::missing);
    EXPECT_EQ(listing.fs.snapshot(),
              (std::vector<std::string>{"C:\\", "C:\\U\\", "C:\\U\\SavedSims\\",
                                        "C:\\U\\SavedSims\\xa.package = a.package", "D:\\",
                                        "D:\\Copies\\"}));

    std::string copyTo = "D:\\Old\\", display = "Old";
    EXPECT_FALSE(acceptCopyFolderPick("", copyTo, display));
    EXPECT_EQ(copyTo, "D:\\Old\\");
    EXPECT_TRUE(acceptCopyFolderPick(
        "E:\\A Very Long Folder Name\\With Several Levels\\Of Copies\\Outfits\\", copyTo, display));
    EXPECT_EQ(display, " ~ With Several Levels\\Of Copies\\Outfits\\");
}

TEST(RenameRun, CancelFinishesTheFileOnScreenAndStops) {
    for (RunMode mode : {RunMode::oneByOne, RunMode::automatic}) {
        Listing listing({"1.package", "2.package", "3.package", "4.package", "5.package"});
        listing.naming.inFront = "n";
        RenameRun run(mode, kFolder, listing.rows, listing.naming, listing.fs);
        run.start(true, kCopies);
        auto first = run.nextFile();
        run.finishFile(first->proposedName);
        auto second = run.nextFile();
        ASSERT_TRUE(second);
        run.cancelAfterCurrent();
        FileResult result = run.finishFile(second->proposedName);
        EXPECT_TRUE(result.lastOfRun);
        EXPECT_TRUE(run.finished());
        EXPECT_FALSE(run.nextFile());

        EXPECT_EQ(listing.fs.exists(kFolder + "n2.package"), PathKind::file);
        EXPECT_EQ(listing.fs.exists(kCopies + "n2.package"), PathKind::file);
        EXPECT_EQ(listing.rows[1].state, 0);
        for (size_t i = 2; i < 5; ++i) {
            EXPECT_EQ(listing.rows[i].state, kRowTicked);
            EXPECT_EQ(listing.fs.exists(kFolder + listing.rows[i].name), PathKind::file);
        }
        EXPECT_EQ(run.tickedCount(), 3);
        EXPECT_EQ(run.caption(), "Finished 2 of 5 Files");
        EXPECT_EQ(run.progress(), 40);
    }
}

TEST(RenameRun, ConfirmedNamesAreCleanedAndOnlyWrongCharactersRaiseTheMessage) {
    RecordingDialogs dialogs;
    EXPECT_EQ(confirmNewName("", dialogs), "");
    EXPECT_EQ(confirmNewName("   ", dialogs), "");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(confirmNewName("b?c", dialogs), "bc");
    EXPECT_EQ(confirmNewName(" ?* ", dialogs), "");
    EXPECT_EQ(dialogs.messages,
              (std::vector<std::string>{kForbiddenCharactersMessage, kForbiddenCharactersMessage}));
}

TEST(RenameRun, AnEmptyNameFailsTheRenameAndTheRunGoesOn) {
    Listing listing({"a.package", "b.package", "c.package", "d.package"});
    RenameRun run(RunMode::oneByOne, kFolder, listing.rows, listing.naming, listing.fs);
    run.start(true, kCopies);
    run.nextFile();
    FileResult empty = run.finishFile("   ");
    EXPECT_EQ(empty.rename, RenameOutcome::failed);
    EXPECT_EQ(empty.copy, CopyOutcome::skipped);
    EXPECT_FALSE(empty.lastOfRun);
    EXPECT_EQ(listing.rows[0].name, "a.package");
    EXPECT_EQ(listing.rows[0].nameColour, kTextRed);
    EXPECT_EQ(listing.rows[0].copyMark, "~~~");
    EXPECT_EQ(listing.rows[0].state, 0);
    EXPECT_EQ(run.errorText(), " 1");
    EXPECT_EQ(run.tickedCount(), 3);

    run.nextFile();
    EXPECT_EQ(run.finishFile("  Bee  ").rename, RenameOutcome::renamed);
    run.nextFile();
    // Text that never went through the box's cleaning still cannot leave the folder.
    EXPECT_EQ(run.finishFile("..\\..\\sea").rename, RenameOutcome::renamed);
    run.nextFile();
    EXPECT_EQ(run.finishFile("/:*").rename, RenameOutcome::failed);  // nothing left once cleaned
    EXPECT_TRUE(run.finished());

    EXPECT_EQ(listing.fs.exists(kFolder + ".package"), PathKind::missing);
    EXPECT_EQ(listing.fs.exists(kCopies + ".package"), PathKind::missing);
    EXPECT_EQ(listing.fs.exists(kCopies + "a.package"), PathKind::missing);
    EXPECT_EQ(listing.fs.contents(kFolder + "a.package"), "a.package");
    EXPECT_EQ(listing.fs.contents(kFolder + "d.package"), "d.package");
    EXPECT_EQ(listing.fs.exists(kFolder + "Bee.package"), PathKind::file);
    EXPECT_EQ(listing.fs.exists(kFolder + "....sea.package"), PathKind::file);
    EXPECT_EQ(listing.rows[1].name, "Bee.package");
    EXPECT_EQ(run.errorCount(), 2);
    EXPECT_EQ(run.tickedCount(), 0);
}

TEST(RenameRun, AnAutomaticProposalThatComesOutEmptyIsRefusedToo) {
    Listing listing({"0a1b2c3d_.package"});
    listing.naming.keepNumber = false;  // the number was all the name there was
    RenameRun run(RunMode::automatic, kFolder, listing.rows, listing.naming, listing.fs);
    run.start(false, "");
    EXPECT_EQ(listing.runAll(run)[0].rename, RenameOutcome::failed);
    EXPECT_EQ(listing.fs.exists(kFolder + "0a1b2c3d_.package"), PathKind::file);
    EXPECT_EQ(listing.fs.exists(kFolder + ".package"), PathKind::missing);
}

TEST(RenameRun, ProposalsNeverHoldPathCharacters) {
    Listing listing({"a.package"});
    listing.naming = {"..\\", "", "1:", 1, 1, 0, "", ""};  // as a damaged settings file could give
    RenameRun run(RunMode::automatic, kFolder, listing.rows, listing.naming, listing.fs);
    run.start(false, "");
    auto file = run.nextFile();
    EXPECT_EQ(file->proposedName, "..a1");
    EXPECT_EQ(run.finishFile(file->proposedName).rename, RenameOutcome::renamed);
    EXPECT_EQ(listing.fs.exists(kFolder + "..a1.package"), PathKind::file);
}

TEST(RenameRun, ALaterRunStartsFromTheNewNames) {
    Listing listing({"a.package"});
    listing.fs.addFile(kCopies + "Xa.package", "older");
    listing.naming.inFront = "X";
    RenameRun first(RunMode::automatic, kFolder, listing.rows, listing.naming, listing.fs);
    first.start(true, kCopies);
    listing.runAll(first);
    EXPECT_EQ(listing.rows[0].copyMark, "ERROR");

    listing.rows[0].state = kRowTicked;
    RenameRun second(RunMode::automatic, kFolder, listing.rows, listing.naming, listing.fs);
    second.start(false, "");
    EXPECT_EQ(listing.rows[0].copyMark, "");
    EXPECT_EQ(second.nextFile()->oldName, "Xa.package");
    second.finishFile("XXa");
    EXPECT_EQ(listing.fs.exists(kFolder + "XXa.package"), PathKind::file);
    EXPECT_EQ(second.errorCount(), 0);
}

TEST(ScrollTargetRow, KeepsRowsToComeInView) {
    EXPECT_EQ(scrollTargetRow(0, 20), 5u);
    EXPECT_EQ(scrollTargetRow(13, 20), 18u);
    EXPECT_EQ(scrollTargetRow(14, 20), 14u);
    EXPECT_EQ(scrollTargetRow(0, 3), 0u);
    EXPECT_EQ(scrollTargetRow(2, 3), 2u);
}

}  // namespace
}  // namespace seamster
