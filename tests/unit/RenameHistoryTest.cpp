#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/FixedClock.h"
#include "fakes/MemoryFileSystem.h"
#include "rename/RenameHistory.h"
#include "rename/RenameUndo.h"

namespace seamster {
namespace {

const std::string kFolder = "C:\\U\\SavedSims\\";
const std::string kCopies = "D:\\Copies\\";
const std::string kHistory = "C:\\U\\" + std::string(kHistoryFileName);

struct Fixture {
    MemoryFileSystem fs;
    FixedClock clock;
    std::vector<PackageRow> rows;
    NamingSettings naming{"X_", "", "001", 1, 0, 0, "", ""};

    explicit Fixture(const std::vector<std::string>& names) {
        clock.nowSeconds = 1700000000;  // 2023-11-14 22:13:20 UTC
        clock.utcOffset = 3600;
        fs.addFolder(kCopies);
        fs.addFolder(kFolder);
        for (const std::string& name : names) {
            fs.addFile(kFolder + name, name);
            rows.push_back({name, " ", "", kRowTicked});
        }
    }
    std::vector<HistoryLine> lines() { return readHistory(fs.contents(kHistory).value_or("")); }
    std::vector<HistoryLine> flushedLines() {
        return readHistory(fs.flushedContents(kHistory).value_or(""));
    }
};

std::string stepsOf(const std::vector<HistoryLine>& lines) {
    std::string out;
    for (const HistoryLine& line : lines) {
        const size_t cut = line.from.rfind('\\');
        out += formatHistoryLine({"", line.step, line.operation, line.from.substr(cut + 1),
                                  line.to.substr(line.to.rfind('\\') + 1), line.note});
    }
    return out;
}

TEST(RenameHistory, EveryStepIsWrittenBeforeItIsMadeAndItsOutcomeAfter) {
    Fixture f({"a.package", "b.package"});
    f.fs.addFile(kFolder + "X_b.package", "in the way");
    // At each rename and copy, the history's last line on the disk must announce it.
    std::vector<std::string> seen;
    f.fs.failWhen = [&](FsOp op, const std::string& path) {
        if (op != FsOp::rename && op != FsOp::copy) return false;
        const std::vector<HistoryLine> lines = f.flushedLines();
        EXPECT_FALSE(lines.empty());
        if (!lines.empty()) seen.push_back(stepsOf({lines.back()}) + " @ " + path);
        return false;
    };
    RenameHistory history(f.fs, f.clock, kHistory);
    RenameRun run(RunMode::automatic, kFolder, f.rows, f.naming, f.fs);
    run.setHistory(&history);
    ASSERT_TRUE(history.start("automatic run", kFolder));
    run.start(true, kCopies);
    while (auto file = run.nextFile()) run.finishFile(file->proposedName);
    history.end("1 renamed");

    EXPECT_EQ(seen, (std::vector<std::string>{
                        "\tbegin\trename\ta.package\tX_a.package\r\n @ " + kFolder + "a.package",
                        // The copy goes to a temporary name, then is moved into place.
                        "\tbegin\tcopy\tX_a.package\tX_a.package\r\n @ " + kCopies +
                            "X_a.package.~seamster-1.tmp",
                        "\tbegin\tcopy\tX_a.package\tX_a.package\r\n @ " + kCopies +
                            "X_a.package.~seamster-1.tmp",
                        // Tried, and refused because the name is taken.
                        "\tbegin\trename\tb.package\tX_b.package\r\n @ " + kFolder + "b.package"}));
    const std::vector<HistoryLine> lines = f.lines();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0].time, "2023-11-14 23:13:20");  // local time
    EXPECT_EQ(lines[0].from, kFolder);
    EXPECT_EQ(lines[1].from, kFolder + "a.package");
    EXPECT_EQ(lines[3].to, kCopies + "X_a.package");
    EXPECT_EQ(stepsOf(lines),
              "\tstart\tautomatic run\t\r\n"
              "\tbegin\trename\ta.package\tX_a.package\r\n"
              "\tdone\trename\ta.package\tX_a.package\r\n"
              "\tbegin\tcopy\tX_a.package\tX_a.package\r\n"
              "\tdone\tcopy\tX_a.package\tX_a.package\r\n"
              "\tbegin\trename\tb.package\tX_b.package\r\n"
              "\tfailed\trename\tb.package\tX_b.package\t" +
                  std::string(kNameTakenReason) +
                  "\r\n"
                  "\tend\tautomatic run\t\t\t1 renamed\r\n");
    // A second run adds to the file; nothing before it changes.
    const std::string before = *f.fs.contents(kHistory);
    RenameHistory again(f.fs, f.clock, kHistory);
    ASSERT_TRUE(again.start("undo", kFolder));
    again.end("");
    EXPECT_TRUE(f.fs.contents(kHistory)->starts_with(before));
    EXPECT_TRUE(before.starts_with("\xEF\xBB\xBF"));
}

TEST(RenameHistory, AnInterruptedRunIsReadBackFromWhatReachedTheFile) {
    Fixture f({});
    {
        RenameHistory history(f.fs, f.clock, kHistory);
        ASSERT_TRUE(history.start("automatic run", kFolder));
        history.before("rename", kFolder + "a.package", kFolder + "X_a.package");
        history.after("rename", kFolder + "a.package", kFolder + "X_a.package", true);
        history.before("rename", kFolder + "b.package", kFolder + "X_b.package");
        // Killed here: no outcome, no end line, and a line cut off half-way.
    }
    f.fs.openForAppend(kHistory)->append("2023-11-14 23:13:20\tbegin\trename\tC:\\U\\Sav");
    const UnfinishedRun state = latestRunState(f.lines());
    EXPECT_FALSE(state.ended);
    ASSERT_EQ(state.openSteps.size(), 1u);
    EXPECT_EQ(state.openSteps[0].from, kFolder + "b.package");
    EXPECT_EQ(state.openSteps[0].to, kFolder + "X_b.package");

    // The next run starts on a line of its own and ends cleanly.
    RenameHistory next(f.fs, f.clock, kHistory);
    ASSERT_TRUE(next.start("undo", kFolder));
    next.end("0 restored");
    EXPECT_TRUE(latestRunState(f.lines()).ended);
    EXPECT_EQ(f.lines().size(), 6u);
}

TEST(RenameUndo, TheLastRunThatCanStillBeUndoneIsReadBackFromTheHistory) {
    Fixture f({"a.package", "b.package", "c.package"});
    RenameHistory history(f.fs, f.clock, kHistory);
    ASSERT_TRUE(history.start("automatic run", kFolder));
    for (const char* name : {"a", "b", "c"}) {
        const std::string from = kFolder + name + ".package",
                          to = kFolder + "X_" + name + ".package";
        history.before("rename", from, to);
        if (*name != 'c') f.fs.rename(from, to);                    // stopped before renaming c
        if (*name == 'a') history.after("rename", from, to, true);  // and before b's outcome
    }
    auto undoable = [&] { return undoableRunOf(f.lines(), f.fs); };
    ASSERT_TRUE(undoable());
    EXPECT_EQ(undoable()->renamed,
              (std::vector<RenamedFile>{{size_t(-1), "a.package", "X_a.package"},
                                        {size_t(-1), "b.package", "X_b.package"}}));

    // An undo takes back what it restored.
    RenameHistory undo(f.fs, f.clock, kHistory);
    ASSERT_TRUE(undo.start("undo", kFolder));
    undo.after("undo", kFolder + "X_b.package", kFolder + "b.package",
               f.fs.rename(kFolder + "X_b.package", kFolder + "b.package"));
    EXPECT_EQ(undoable()->renamed,
              (std::vector<RenamedFile>{{size_t(-1), "a.package", "X_a.package"}}));
    // A file no longer under its new name cannot be undone.
    f.fs.rename(kFolder + "X_a.package", kFolder + "mine.package");
    EXPECT_FALSE(undoable());
}

TEST(RenameUndo, AHistoryIsTakenBackOnlyInsideItsRunsOwnFolder) {
    // Each line renamed a file that still sits under its "new" name: only
    // the last, a plain entry of the start line's folder, may go back.
    struct Line {
        std::string folder, from, to;
    };
    const std::string desktop = "C:\\U\\Desktop\\thesis.docx";
    const std::vector<Line> lines = {
        {kFolder, kFolder + "..\\..\\Desktop\\thesis.docx", kFolder + "..\\Documents\\thesis.docx"},
        {kFolder, kFolder + "a.package", kFolder + "..\\a.package"},
        {kFolder, kFolder + "sub\\a.package", kFolder + "b.package"},
        {kFolder, kFolder + "a.package", kFolder + "sub/b.package"},
        {kFolder, kFolder + "D:a.package", kFolder + "b.package"},
        {kFolder, kFolder + "CON.package", kFolder + "b.package"},
        {kFolder, kFolder + "a.package ", kFolder + "b.package"},
        {kFolder, kFolder + "*.package", kFolder + "b.package"},
        {kFolder, kFolder, kFolder + "b.package"},
        {kFolder, desktop, kFolder + "b.package"},
        {"SavedSims\\", "SavedSims\\a.package", "SavedSims\\b.package"},
        {"\\\\server\\share\\", "\\\\server\\share\\a.package", "\\\\server\\share\\b.package"},
        {"C:\\U\\SavedSims\\..\\", "C:\\U\\SavedSims\\..\\a.package",
         "C:\\U\\SavedSims\\..\\b.package"},
        {"C:\\U\\SavedSims", "C:\\U\\SavedSimsa.package", "C:\\U\\SavedSimsb.package"},
        {kFolder, kFolder + "a.package", kFolder + "b.package"},
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        Fixture f({});
        f.fs.addFile(line.to, "renamed");
        RenameHistory history(f.fs, f.clock, kHistory);
        ASSERT_TRUE(history.start("automatic run", line.folder));
        history.before("rename", line.from, line.to);
        history.after("rename", line.from, line.to, true);
        history.end("1 renamed");
        const bool plain = i + 1 == lines.size();
        EXPECT_EQ(undoableRunOf(f.lines(), f.fs).has_value(), plain) << line.from << " " << line.to;
    }
}

TEST(RenameHistory, NothingIsRenamedWithoutItsLine) {
    // Appends: 0 opens the file, 1 the heading, 2 the start line, 3 the line
    // before renaming a, 4 its outcome.
    struct Case {
        int failingAppend;
        bool started;
        std::vector<RenameOutcome> outcomes;
        std::vector<std::string> names;  // a and b afterwards
    };
    using R = RenameOutcome;
    for (const Case& c : std::vector<Case>{{0, false, {}, {"a.package", "b.package"}},
                                           {3, true, {R::stopped}, {"a.package", "b.package"}},
                                           {4, true, {R::renamed}, {"X_a.package", "b.package"}}}) {
        Fixture f({"a.package", "b.package", "c.package"});
        int appends = 0;
        f.fs.failWhen = [&](FsOp op, const std::string&) {
            return op == FsOp::append && appends++ == c.failingAppend;
        };
        RenameHistory history(f.fs, f.clock, kHistory);
        RenameRun run(RunMode::automatic, kFolder, f.rows, f.naming, f.fs);
        run.setHistory(&history);
        EXPECT_EQ(history.start("automatic run", kFolder), c.started) << c.failingAppend;
        std::vector<RenameOutcome> outcomes;
        if (c.started) {
            run.start(false, "");
            while (auto file = run.nextFile()) {
                const FileResult result = run.finishFile(file->proposedName);
                outcomes.push_back(result.rename);
                EXPECT_TRUE(result.historyFailed && result.lastOfRun);
            }
        }
        EXPECT_EQ(outcomes, c.outcomes) << c.failingAppend;
        EXPECT_EQ(f.fs.exists(kFolder + c.names[0]), PathKind::file) << c.failingAppend;
        EXPECT_EQ(f.fs.exists(kFolder + c.names[1]), PathKind::file) << c.failingAppend;
        EXPECT_EQ(f.rows[1].state, kRowTicked);  // left for a later run
        EXPECT_EQ(f.rows[0].state, c.outcomes == std::vector{R::renamed} ? 0 : kRowTicked);
    }
}

TEST(RenameUndo, FilesGoBackInReverseOrderOnlyWhereTheirOldNamesAreFree) {
    struct Case {
        const char* what;
        std::vector<RenamedFile> renamed;
        std::vector<std::string> before;    // the folder when the undo starts
        std::vector<UndoOutcome> outcomes;  // in the order tried
        std::vector<std::string> after;
    };
    using O = UndoOutcome;
    const std::vector<Case> cases = {
        {"free old names",
         {{0, "a.package", "X_a.package"}, {1, "b.package", "X_b.package"}},
         {"X_a.package", "X_b.package"},
         {O::restored, O::restored},
         {"a.package", "b.package"}},
        {"a chain: one file took the name another gave up",
         {{0, "x.package", "y.package"}, {1, "z.package", "x.package"}},
         {"x.package", "y.package"},
         {O::restored, O::restored},
         {"x.package", "z.package"}},
        {"old name taken since",
         {{0, "a.package", "X_a.package"}},
         {"X_a.package", "a.package"},
         {O::oldNameTaken},
         {"X_a.package", "a.package"}},
        {"gone from its new name", {{0, "a.package", "X_a.package"}}, {}, {O::notUnderNewName}, {}},
        {"renamed again after the run",
         {{0, "a.package", "X_a.package"}},
         {"Y_a.package"},
         {O::notUnderNewName},
         {"Y_a.package"}},
    };
    for (const Case& c : cases) {
        MemoryFileSystem fs;
        fs.addFolder(kFolder);
        for (const std::string& name : c.before) fs.addFile(kFolder + name, name);
        const RunRecord record{kFolder, c.renamed, 0, ""};
        std::vector<UndoOutcome> outcomes;
        for (const UndoResult& result : undoRun(record, fs, nullptr))
            outcomes.push_back(result.outcome);
        EXPECT_EQ(outcomes, c.outcomes) << c.what;
        std::vector<DirEntry> entries;
        fs.list(kFolder, "*", entries);
        std::vector<std::string> names;
        for (const DirEntry& entry : entries) names.push_back(entry.name);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, c.after) << c.what;
        if (c.outcomes == std::vector{O::oldNameTaken}) {  // nothing overwritten
            EXPECT_EQ(fs.contents(kFolder + "a.package"), "a.package") << c.what;
        }
    }
}

TEST(RenameUndo, RowsAreMarkedAndWhatFailedStaysToBeUndone) {
    std::vector<PackageRow> rows = {{"X_a.package", "Copied", "", 0, kTextGreen, kTextGreen},
                                    {"X_b.package", " ", "", 0, kTextGreen, kTextBlack}};
    const RunRecord record{
        kFolder, {{0, "a.package", "X_a.package"}, {1, "b.package", "X_b.package"}}, 1, kCopies};
    const std::vector<UndoResult> results = {{record.renamed[1], UndoOutcome::oldNameTaken},
                                             {record.renamed[0], UndoOutcome::restored}};
    EXPECT_EQ(markUndoneRows(results, rows), 1);
    EXPECT_EQ(rows[0].name, "a.package");
    EXPECT_EQ(rows[0].nameColour, kTextBlack);
    EXPECT_EQ(rows[0].copyMark, "Copied");  // the copy stays, and says so
    EXPECT_EQ(rows[1].name, "X_b.package");
    EXPECT_EQ(rows[1].nameColour, kTextRed);
    EXPECT_EQ(remainingAfterUndo(record, results).renamed,
              std::vector<RenamedFile>{record.renamed[1]});
    EXPECT_NE(undoQuestion(record).find("1 copy it made in D:\\Copies\\ will not be deleted"),
              std::string::npos);
    EXPECT_EQ(undoSummary(results),
              "1 file has its old name back.\n\n1 file could not go back "
              "and is marked in red:\nX_b.package: its old name is taken "
              "by another file now\n\nEvery step is in the rename history.");
}

TEST(RedrawPacer, DrawsAtMostOnceAnIntervalLongerWhenDrawingIsSlowAndWhenTheClockGoesBack) {
    RedrawPacer pacer, poller(RedrawPacer::kPollIntervalMs);
    std::vector<bool> draws, polls;
    for (int64_t ms : {100, 101, 104, 105, 132, 133, 140, 166, 50, 60}) {
        draws.push_back(pacer.due(ms));
        polls.push_back(poller.due(ms));
    }
    EXPECT_EQ(draws, (std::vector<bool>{true, false, false, false, false, true, false, true, true,
                                        false}));
    EXPECT_EQ(polls,
              (std::vector<bool>{true, false, false, true, true, false, true, true, true, true}));

    // A draw that took 20 ms puts the next one 80 ms after its start; a quick
    // one brings the usual interval back.
    RedrawPacer slow;
    EXPECT_TRUE(slow.due(0));
    slow.took(20);
    EXPECT_FALSE(slow.due(79));
    EXPECT_TRUE(slow.due(80));
    slow.took(1);
    EXPECT_FALSE(slow.due(112));
    EXPECT_TRUE(slow.due(113));
}

}  // namespace
}  // namespace seamster
