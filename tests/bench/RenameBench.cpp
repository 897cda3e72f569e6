// How the package renaming keeps up with the thousands of packages some
// creators keep. On the real file system and the real windows:
//
// - listing a folder of many packages: the bare FindFirstFile loop beside a
//   search that fills the rename window's list from the same folder, taken in
//   turns, median of several rounds; the search may take at most 3 times the
//   bare listing;
// - automatic runs over a smaller and a larger number of ticked packages,
//   driven through the rename window's own flow (history file included):
//   the larger run may take at most 3 times as long as bare MoveFileW calls
//   renaming as many files, taken in turns with the runs, and its time per
//   file may grow at most 1.2 times as much as that of bare renames does from
//   the smaller number to the larger. (Under Wine a name that is not in a
//   folder is looked for through the whole folder, so even bare renames cost
//   more per file in a larger folder: 2.5 times as much at 5,000 files as at
//   500 on our machines. On Windows they cost about the same.)
//
// - the same list beside a rename history of 20,000 steps (an undone run of
//   8,000 files and a run of 4,000 after it, scaled with --listed), which is
//   read with every list to offer "Undo": at most 1.5 times the list alone;
//
//   rename_bench.exe [--listed N] [--runs A,B] [--rounds N] [--no-goals]
//
// Exits 1 when a goal is missed, 2 when something went wrong on the way
// (files not renamed, rows missing, a message shown).

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/App.h"
#include "platform/win32/Win32Platform.h"
#include "rename/RenameFlow.h"
#include "rename/RenameHistory.h"
#include "rename/RenameWindows.h"
#include "ui/Toolkit.h"

namespace seamster {
namespace {

using SteadyClock = std::chrono::steady_clock;

double millisecondsBetween(SteadyClock::time_point from, SteadyClock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Options {
    int listed = 20000;
    int smallRun = 500;
    int largeRun = 5000;
    int rounds = 5;
    int runRounds = 3;
    bool goals = true;
};

bool readOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--listed" && hasValue) {
            options.listed = std::atoi(argv[++i]);
        } else if (arg == "--runs" && hasValue) {
            const std::string value = argv[++i];
            const size_t comma = value.find(',');
            if (comma == std::string::npos) return false;
            options.smallRun = std::atoi(value.substr(0, comma).c_str());
            options.largeRun = std::atoi(value.substr(comma + 1).c_str());
        } else if (arg == "--rounds" && hasValue) {
            options.rounds = std::max(1, std::atoi(argv[++i]));
            options.runRounds = std::max(1, (options.rounds + 1) / 2);
        } else if (arg == "--no-goals") {
            options.goals = false;
        } else {
            return false;
        }
    }
    return options.listed > 0 && options.smallRun > 0 && options.largeRun > options.smallRun;
}

// ---- folders of packages ---------------------------------------------------

std::wstring benchRoot() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"seamster-rename-bench-" + std::to_wstring(GetCurrentProcessId()) +
           L"\\";
}

// `count` small packages with Body Shop numbers, as a creator's SavedSims holds.
bool makePackages(const std::wstring& folder, int count) {
    if (!CreateDirectoryW(folder.c_str(), nullptr)) return false;
    for (int i = 0; i < count; ++i) {
        wchar_t name[64];
        swprintf(name, 64, L"%08x_Outfit_%05d.package", 0x10000000u + unsigned(i), i);
        HANDLE file = CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        const char content[] = "DBPF";
        WriteFile(file, content, sizeof content - 1, &written, nullptr);
        CloseHandle(file);
    }
    return true;
}

void removeTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(folder + name + L"\\");
            else
                DeleteFileW((folder + name).c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

// The bare listing every search starts from.
int rawListing(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"*.package").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return count;
}

// Renames every package of the folder with bare MoveFileW calls, the names
// listed beforehand; milliseconds, or a negative value when one failed.
double bareRenames(const std::wstring& folder, const std::wstring& prefix) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"*.package").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return -1;
    do names.push_back(data.cFileName);
    while (FindNextFileW(find, &data));
    FindClose(find);
    std::vector<std::wstring> from, to;
    for (const std::wstring& name : names) {
        from.push_back(folder + name);
        to.push_back(folder + prefix + name);
    }
    const SteadyClock::time_point started = SteadyClock::now();
    for (size_t i = 0; i < from.size(); ++i)
        if (!MoveFileW(from[i].c_str(), to[i].c_str())) return -1;
    return millisecondsBetween(started, SteadyClock::now());
}

bool writeWholeFile(const std::wstring& path, const std::string& data) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool whole = WriteFile(file, data.data(), DWORD(data.size()), &written, nullptr) &&
                       written == data.size();
    CloseHandle(file);
    return whole;
}

// A history of `listed` steps in the folder of makePackages(`listed`): a run of
// two fifths of them undone, then a run of one fifth whose new names are the
// packages' own, so that it is the run "Undo" offers.
std::string historyOf(const std::string& folder, int listed) {
    std::string text;
    auto step = [&](HistoryStep kind, const char* operation, const std::string& from,
                    const std::string& to) {
        text += formatHistoryLine({"2026-12-10 12:00:00", kind, operation, from, to, ""});
    };
    auto steps = [&](const char* operation, const std::string& from, const std::string& to) {
        step(HistoryStep::begin, operation, from, to);
        step(HistoryStep::done, operation, from, to);
    };
    const int undone = listed * 2 / 5, later = listed / 5;
    auto name = [&](const char* front, int i) {
        char text[64];
        std::snprintf(text, sizeof text, "%s%08x_Outfit_%05d.package", front,
                      0x10000000u + unsigned(i), i);
        return folder + text;
    };
    step(HistoryStep::start, "automatic run", folder, "");
    for (int i = 0; i < undone; ++i) steps("rename", name("a_", i), name("b_", i));
    step(HistoryStep::end, "automatic run", folder, "");
    step(HistoryStep::start, "undo", folder, "");
    for (int i = undone; i-- > 0;) steps("undo", name("b_", i), name("a_", i));
    step(HistoryStep::end, "undo", folder, "");
    step(HistoryStep::start, "automatic run", folder, "");
    for (int i = 0; i < later; ++i) steps("rename", name("old_", i), name("", i));
    step(HistoryStep::end, "automatic run", folder, "");
    return text;
}

int filesStartingWith(const std::wstring& folder, const std::wstring& prefix) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + prefix + L"*.package").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do ++count;
    while (FindNextFileW(find, &data));
    FindClose(find);
    return count;
}

// ---- the user -----------------------------------------------------------------

// Any message box would wait for a user who is not there: counted instead.
struct CountingDialogs : Dialogs {
    int shown = 0;
    void showMessage(const std::string& text, int) override {
        ++shown;
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    int askYesNo(const std::string&, int) override {
        ++shown;
        return answerNo;
    }
};

// The real windows, with the clicks of a user who knows what to do: every
// waiting for an event takes the next step of the script instead.
class ScriptedScreen final : public RenameScreen {
public:
    explicit ScriptedScreen(RenameScreen& real) : real_(real) {}

    std::deque<std::function<RenameInput()>> steps;
    bool undoOffered = false;
    std::function<void()> onWait;
    std::function<void()> onOptionsFace;
    std::map<RenameCounter, std::string> counters;

    void click(RenameInput input) {
        steps.push_back([=] { return input; });
    }

    bool openRenameWindow() override { return real_.openRenameWindow(); }
    void openFindWindow() override { real_.openFindWindow(); }
    void closeWindows() override { real_.closeWindows(); }
    void showFindWindow() override { real_.showFindWindow(); }
    void showListWindow(const std::string& title) override { real_.showListWindow(title); }
    void setBusy(bool busy) override { real_.setBusy(busy); }
    void showFindState(const FindWindowState& state) override { real_.showFindState(state); }
    FindChoices readFindChoices() override { return real_.readFindChoices(); }
    void showSearchFolder(const std::string& shown, const std::string& full) override {
        real_.showSearchFolder(shown, full);
    }
    void showFindLoading(bool loading) override { real_.showFindLoading(loading); }
    std::string boxText(NamingBox box) override { return real_.boxText(box); }
    void setBoxText(NamingBox box, const std::string& text) override {
        real_.setBoxText(box, text);
    }
    void showNaming(const NamingSettings& naming) override { real_.showNaming(naming); }
    void readNaming(NamingSettings& naming) override { real_.readNaming(naming); }
    bool copyTicked() override { return real_.copyTicked(); }
    void setCopyTicked(bool ticked) override { real_.setCopyTicked(ticked); }
    void showCopyFolder(const std::string& shown, const std::string& full) override {
        real_.showCopyFolder(shown, full);
    }
    void showOptionsFace(bool undoOffered) override {
        real_.showOptionsFace(undoOffered);
        if (onOptionsFace) onOptionsFace();
    }
    void showRunFace(const std::string& caption) override { real_.showRunFace(caption); }
    void showRunProgress(const std::string& caption, int percent) override {
        real_.showRunProgress(caption, percent);
    }
    void showAutomaticRunning() override { real_.showAutomaticRunning(); }
    void showUndo(bool offered) override {
        real_.showUndo(offered);
        undoOffered = offered;
    }
    void showCounter(RenameCounter counter, const std::string& text) override {
        real_.showCounter(counter, text);
        counters[counter] = text;
    }
    void clearRows() override { real_.clearRows(); }
    void addRows(const std::vector<PackageRow>& rows) override { real_.addRows(rows); }
    void showRow(size_t index, const PackageRow& row) override { real_.showRow(index, row); }
    std::vector<int> rowStates() override { return real_.rowStates(); }
    void setRowState(size_t index, int state) override { real_.setRowState(index, state); }
    void fitNameColumn(bool listScrolls) override { real_.fitNameColumn(listScrolls); }
    void scrollToTop() override { real_.scrollToTop(); }
    void makeRowVisible(size_t index) override { real_.makeRowVisible(index); }
    void setGridLines(bool on) override { real_.setGridLines(on); }

    RenameInput waitInput() override {
        if (onWait) onWait();
        // What the windows had to say while the user looked on goes first.
        real_.flushInput();
        if (steps.empty()) return RenameInput::none;
        auto step = std::move(steps.front());
        steps.pop_front();
        return step();
    }
    RenameInput pollInput() override { return real_.pollInput(); }
    void flushInput() override { real_.flushInput(); }
    void pause(int milliseconds) override { real_.pause(milliseconds); }
    std::string pickSearchFolder(const std::string&) override { return {}; }
    std::string pickCopyFolder(const std::string&) override { return {}; }

private:
    RenameScreen& real_;
};

// ---- the measurements ------------------------------------------------------------

struct Bench {
    Win32FileSystem fs;
    Win32Clock clock;
    Win32Registry registry;
    Win32Shell shell;
    Win32Processes processes;
    CountingDialogs dialogs;
    Win32TextCodec codec;
    Platform platform{fs, clock, registry, shell, processes, dialogs, codec};
    App app{platform};
    ui::Toolkit toolkit{GetModuleHandleW(nullptr)};
    std::wstring root = benchRoot();
    bool faulty = false;

    Bench() {
        toolkit.loadFonts();
        toolkit.loadPictures();
        app.screen.scrollBarWidth = GetSystemMetrics(SM_CXVSCROLL);
        app.paths.eaGamesFolder = narrow(root) + "EA Games\\";
        // Every package, whatever its age; the name filter still reads each name.
        app.settings.finder.bodyshopNumber = 1;
        app.settings.finder.inTheLast = 3;
        app.settings.naming.copyPackages = 0;
    }

    std::wstring savedSims(const std::string& user) {
        return widen(app.paths.eaGamesFolder + user + "\\SavedSims\\");
    }

    bool makeUserFolder(const std::string& user, int packages) {
        const std::wstring userFolder = widen(app.paths.eaGamesFolder + user + "\\");
        return CreateDirectoryW(userFolder.c_str(), nullptr) &&
               makePackages(savedSims(user), packages);
    }

    void fail(const char* what) {
        std::fprintf(stderr, "rename_bench: %s\n", what);
        faulty = true;
    }

    // One search through the windows: from "OK" in the Find Package Options
    // window until the rename window waits with its list filled.
    double searchOnce(const std::string& user, int expected, bool undoExpected = false) {
        app.paths.userFolderName = user + "\\";
        std::unique_ptr<RenameScreen> windows = makeRenameWindows(toolkit, {});
        ScriptedScreen screen(*windows);
        SteadyClock::time_point started, filled;
        bool searching = false;
        screen.steps.push_back([&] {
            searching = true;
            started = SteadyClock::now();
            return RenameInput::search;
        });
        screen.onWait = [&] {
            if (!searching) return;
            filled = SteadyClock::now();
            searching = false;
            if (int(screen.rowStates().size()) != expected) fail("the list lacks rows");
        };
        screen.click(RenameInput::done);
        screen.click(RenameInput::cancelSearch);
        RenameSession session;
        RenameFlow(app, screen, session).run();
        if (screen.undoOffered != undoExpected) fail("Undo was not offered as it should be");
        return millisecondsBetween(started, filled);
    }

    // The search alone, without the windows.
    double findOnly(const std::string& user, int expected) {
        FinderSettings finder = finderSettingsOf(app.settings.finder);
        const std::string folder = narrow(savedSims(user));
        const SteadyClock::time_point started = SteadyClock::now();
        const PackageSearch search = findPackages(folder, finder, fs, clock);
        const double elapsed = millisecondsBetween(started, SteadyClock::now());
        if (int(search.rows.size()) != expected) fail("the search lacks packages");
        return elapsed;
    }

    // One automatic run over every package of the folder: from "Auto-Rename"
    // until the options come back; milliseconds per file.
    double runOnce(const std::string& user, int files, int round) {
        app.paths.userFolderName = user + "\\";
        const std::string prefix = "r" + std::to_string(round) + "_";
        app.settings.naming.inFront = prefix;
        app.settings.naming.inBack.clear();
        app.settings.naming.keepNumber = 1;
        app.settings.naming.customNumber = 0;
        app.settings.finder.bodyshopNumber = 3;  // the names no longer start with a number
        std::unique_ptr<RenameScreen> windows = makeRenameWindows(toolkit, {});
        ScriptedScreen screen(*windows);
        SteadyClock::time_point started, ended;
        bool running = false;
        screen.click(RenameInput::search);
        screen.click(RenameInput::selectAll);
        screen.steps.push_back([&] {
            running = true;
            started = SteadyClock::now();
            return RenameInput::autoRename;
        });
        screen.click(RenameInput::rename);  // "OK" to the auto-rename prompt
        screen.onOptionsFace = [&] {
            if (!running) return;
            ended = SteadyClock::now();
            running = false;
        };
        screen.click(RenameInput::done);
        screen.click(RenameInput::cancelSearch);
        RenameSession session;
        RenameFlow(app, screen, session).run();
        if (screen.counters[RenameCounter::errors] != " 0" ||
            screen.counters[RenameCounter::ticked] != " 0")
            fail("the run reported errors or left rows ticked");
        if (filesStartingWith(savedSims(user), widen(prefix)) != files)
            fail("not every package was renamed");
        return millisecondsBetween(started, ended) / files;
    }
};

int run(const Options& options) {
    Bench bench;
    removeTree(bench.root);  // left by a run that was stopped
    if (!CreateDirectoryW(bench.root.c_str(), nullptr) ||
        !CreateDirectoryW(widen(bench.app.paths.eaGamesFolder).c_str(), nullptr)) {
        std::fprintf(stderr, "rename_bench: cannot make %ls\n", bench.root.c_str());
        return 2;
    }
    const std::string small = "Run" + std::to_string(options.smallRun);
    const std::string large = "Run" + std::to_string(options.largeRun);
    const std::string bare = "Bare" + std::to_string(options.largeRun);
    const std::string bareSmall = "Bare" + std::to_string(options.smallRun);
    const std::string historyFile = bench.app.paths.eaGamesFolder + "History\\" + kHistoryFileName;
    if (!bench.makeUserFolder("Listing", options.listed) ||
        !bench.makeUserFolder("History", options.listed) ||
        !writeWholeFile(widen(historyFile),
                        historyOf(narrow(bench.savedSims("History")), options.listed)) ||
        !bench.makeUserFolder(small, options.smallRun) ||
        !bench.makeUserFolder(large, options.largeRun) ||
        !bench.makeUserFolder(bare, options.largeRun) ||
        !bench.makeUserFolder(bareSmall, options.smallRun)) {
        std::fprintf(stderr, "rename_bench: cannot make the packages\n");
        removeTree(bench.root);
        return 2;
    }

    // Taken in turns, so whatever else the machine does falls on both alike.
    std::vector<double> raw, search, findAlone, withHistory;
    const std::wstring listed = bench.savedSims("Listing");
    for (int round = 0; round < options.rounds; ++round) {
        const bool rawFirst = round % 2 == 0;
        for (int turn = 0; turn < 2; ++turn) {
            if ((turn == 0) == rawFirst) {
                const SteadyClock::time_point started = SteadyClock::now();
                if (rawListing(listed) != options.listed)
                    bench.fail("the bare listing lacks files");
                raw.push_back(millisecondsBetween(started, SteadyClock::now()));
            } else {
                search.push_back(bench.searchOnce("Listing", options.listed));
                findAlone.push_back(bench.findOnly("Listing", options.listed));
                withHistory.push_back(bench.searchOnce("History", options.listed, true));
            }
        }
    }
    std::vector<double> smallPerFile, largePerFile, barePerFile, bareSmallPerFile;
    for (int round = 0; round < options.runRounds; ++round) {
        const std::wstring prefix = L"r" + std::to_wstring(round) + L"_";
        const double bareMs = bareRenames(bench.savedSims(bare), prefix);
        const double bareSmallMs = bareRenames(bench.savedSims(bareSmall), prefix);
        if (bareMs < 0 || bareSmallMs < 0) bench.fail("a bare rename failed");
        barePerFile.push_back(bareMs / options.largeRun);
        bareSmallPerFile.push_back(bareSmallMs / options.smallRun);
        smallPerFile.push_back(bench.runOnce(small, options.smallRun, round));
        largePerFile.push_back(bench.runOnce(large, options.largeRun, round));
    }
    removeTree(bench.root);
    if (bench.dialogs.shown > 0) bench.fail("a message was shown");

    const double rawMs = median(raw), searchMs = median(search);
    const double listRatio = rawMs > 0 ? searchMs / rawMs : 0;
    const double historyMs = median(withHistory);
    const double historyRatio = searchMs > 0 ? historyMs / searchMs : 0;
    const double smallMs = median(smallPerFile), largeMs = median(largePerFile);
    const double runRatio = smallMs > 0 ? largeMs / smallMs : 0;
    const double bareMs = median(barePerFile);
    const double bareRatio = bareMs > 0 ? largeMs / bareMs : 0;
    const double bareSmallMs = median(bareSmallPerFile);
    const double bareGrowth = bareSmallMs > 0 ? bareMs / bareSmallMs : 0;
    const double growthRatio = bareGrowth > 0 ? runRatio / bareGrowth : 0;
    std::printf("listing %d packages (median of %d, taken in turns):\n", options.listed,
                options.rounds);
    std::printf("  bare FindFirstFile loop        %9.1f ms\n", rawMs);
    std::printf("  search filling the list        %9.1f ms   %.2fx the bare listing (goal <= 3)\n",
                searchMs, listRatio);
    std::printf("  of which the search alone      %9.1f ms\n", median(findAlone));
    std::printf(
        "  the same list with a history of %d steps %9.1f ms   %.2fx the list alone (goal "
        "<= 1.5)\n",
        options.listed, historyMs, historyRatio);
    std::printf("automatic runs (median of %d):\n", options.runRounds);
    std::printf("  %5d ticked files             %9.3f ms per file\n", options.smallRun, smallMs);
    std::printf("  %5d ticked files             %9.3f ms per file   %.2fx the smaller run\n",
                options.largeRun, largeMs, runRatio);
    std::printf("  %5d bare MoveFileW renames   %9.3f ms per file\n", options.smallRun,
                bareSmallMs);
    std::printf(
        "  %5d bare MoveFileW renames   %9.3f ms per file   %.2fx the smaller number; the "
        "larger run takes %.2fx (goal <= 3)\n",
        options.largeRun, bareMs, bareGrowth, bareRatio);
    std::printf(
        "  growth per file from %d to %d files: the run's %.2fx, bare renames' %.2fx, "
        "%.2fx as much (goal <= 1.2)\n",
        options.smallRun, options.largeRun, runRatio, bareGrowth, growthRatio);

    if (bench.faulty) return 2;
    const bool met =
        listRatio <= 3.0 && historyRatio <= 1.5 && growthRatio <= 1.2 && bareRatio <= 3.0;
    if (!options.goals) return 0;
    std::printf(met ? "goals met\n" : "GOAL MISSED\n");
    return met ? 0 : 1;
}

}  // namespace
}  // namespace seamster

int main(int argc, char** argv) {
    seamster::Options options;
    if (!seamster::readOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: rename_bench [--listed N] [--runs A,B] [--rounds N] [--no-goals]\n");
        return 2;
    }
    return seamster::run(options);
}
