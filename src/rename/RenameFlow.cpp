#include "rename/RenameFlow.h"

#include "platform/Text.h"

namespace seamster {

// The file keeps each of these choices as 1, 2 or anything else for "all".
template <typename Choice>
Choice choiceOf(int stored, Choice one, Choice two) {
    return stored == 1 ? one : stored == 2 ? two : Choice::all;
}
template <typename Choice>
int32_t storedChoice(Choice choice, Choice one, Choice two) {
    return choice == one ? 1 : choice == two ? 2 : 0;
}

FinderSettings finderSettingsOf(const PackageSearchSettings& s) {
    return {
        s.otherFolder, s.packagesFolder,
        s.pathDisplay, choiceOf(s.bodyshopNumber, NameChoice::bodyshopNumber, NameChoice::withText),
        s.search,      choiceOf(s.inTheLast, AgeChoice::inTheLast, AgeChoice::sinceLastUsed),
        s.goBackWeeks, s.lastUsed};
}

void storeFinderSettings(const FinderSettings& finder, PackageSearchSettings& s) {
    s.otherFolder = finder.otherFolder;
    s.packagesFolder = finder.packagesFolder;
    s.pathDisplay = finder.pathDisplay;
    s.bodyshopNumber = storedChoice(finder.name, NameChoice::bodyshopNumber, NameChoice::withText);
    s.search = finder.search;
    s.inTheLast = storedChoice(finder.age, AgeChoice::inTheLast, AgeChoice::sinceLastUsed);
    s.goBackWeeks = finder.goBackWeeks;
}

NamingOptions namingOptionsOf(const NamingSettings& s) {
    return {s.inFront, s.inBack, s.keepNumber != 0, s.customNumber != 0, s.startNumber};
}

RenameFlow::RenameFlow(App& app, RenameScreen& screen, RenameSession& session)
    : app_(app), session_(session), screen_(screen), settings_(app.settings) {}

RenameInput RenameFlow::nextInput() {
    const RenameInput input = screen_.waitInput();
    if (input == RenameInput::none) gone_ = true;
    return input;
}

void RenameFlow::run() {
    savedSimsFolder_ = savedSimsFolderOf(app_.paths.eaGamesFolder, app_.paths.userFolderName);
    if (app_.fs().exists(savedSimsFolder_) == PathKind::missing) {
        app_.dialogs().showMessage(kSavedSimsMissingMessage, iconInformation);
        return;
    }
    if (!screen_.openRenameWindow()) {
        screen_.closeWindows();
        screen_.flushInput();
        return;
    }
    showNamingState();
    pickerStartFolder_ = session_.searchFolder;
    screen_.openFindWindow();
    showFindState();
    while (!gone_ && askForSearch()) {
        if (findPackages()) renameLoop();
    }
    screen_.closeWindows();
    screen_.flushInput();
}

// ---- Find Package Options window ------------------------------------------

void RenameFlow::showFindState() {
    screen_.showFindState(findWindowState(finderSettingsOf(settings_.finder)));
}

bool RenameFlow::askForSearch() {
    rows_.clear();
    // The rows of the last run go with the list.
    lastRun_.reset();
    screen_.clearRows();
    screen_.showFindWindow();
    screen_.showFindLoading(false);
    for (;;) {
        switch (nextInput()) {
        case RenameInput::none:
        case RenameInput::findClosed:
        case RenameInput::cancelSearch: return false;
        case RenameInput::otherFolder:
            if (settings_.finder.packagesFolder.empty()) pickSearchFolder();
            break;
        case RenameInput::searchFolderButton: pickSearchFolder(); break;
        case RenameInput::search: return true;
        default: break;
        }
    }
}

void RenameFlow::pickSearchFolder() {
    const std::string answer = screen_.pickSearchFolder(pickerStartFolder_);
    FinderSettings finder = finderSettingsOf(settings_.finder);
    if (!acceptSearchFolderPick(answer, finder)) return;
    settings_.finder.packagesFolder = finder.packagesFolder;
    settings_.finder.pathDisplay = finder.pathDisplay;
    pickerStartFolder_ = settings_.finder.packagesFolder;
    screen_.showSearchFolder(settings_.finder.pathDisplay, settings_.finder.packagesFolder);
}

bool RenameFlow::findPackages() {
    const FindChoices choices = screen_.readFindChoices();
    FinderSettings finder = finderSettingsOf(settings_.finder);
    const std::string folder = applyFindChoices(choices, savedSimsFolder_, finder);
    storeFinderSettings(finder, settings_.finder);
    session_.searchFolder = folder;

    screen_.showFindLoading(true);
    screen_.setBusy(true);
    PackageSearch search = seamster::findPackages(folder, finder, app_.fs(), app_.platform.clock);
    screen_.setBusy(false);

    screen_.showListWindow(search.windowTitle);
    rows_ = std::move(search.rows);
    screen_.addRows(rows_);
    screen_.fitNameColumn(search.narrowNameColumn);
    screen_.showCounter(RenameCounter::listed, counterText(int(rows_.size())));
    screen_.showCounter(RenameCounter::ticked, counterText(0));
    screen_.showCounter(RenameCounter::errors, counterText(0));
    offerUndoFromHistory();
    if (!rows_.empty()) return true;
    app_.dialogs().showMessage(search.noMatchMessage, iconInformation);
    return false;
}

// ---- Rename window ------------------------------------------------------------

void RenameFlow::showNamingState() {
    screen_.setTicked(NamingTick::keepNumber, settings_.naming.keepNumber != 0);
    screen_.setTicked(NamingTick::autoNumber, settings_.naming.customNumber != 0);
    screen_.setTicked(NamingTick::copyPackages, settings_.naming.copyPackages != 0);
    screen_.setBoxText(NamingBox::startNumber, settings_.naming.startNumber);
    screen_.setBoxText(NamingBox::inFront, settings_.naming.inFront);
    screen_.setBoxText(NamingBox::inBack, settings_.naming.inBack);
    screen_.showCopyFolder(settings_.naming.copyToDisplay, settings_.naming.copyTo);
    screen_.showOptionsFace(false);
}

void RenameFlow::renameLoop() {
    for (bool ended = false; !ended;) {
        const RenameInput input = nextInput();
        if (gone_) return;
        if (input == RenameInput::renameClosed) ended = true;
        readNamingBoxes();
        if (!handleRenameInput(input)) ended = true;
    }
}

void RenameFlow::readNamingBoxes() {
    settings_.naming.startNumber = screen_.boxText(NamingBox::startNumber);
    settings_.naming.inFront = screen_.boxText(NamingBox::inFront);
    settings_.naming.inBack = screen_.boxText(NamingBox::inBack);
    if (cleanTypedText(settings_.naming.inFront, app_.dialogs()))
        screen_.setBoxText(NamingBox::inFront, settings_.naming.inFront);
    if (cleanTypedText(settings_.naming.inBack, app_.dialogs()))
        screen_.setBoxText(NamingBox::inBack, settings_.naming.inBack);
    settings_.naming.customNumber = screen_.isTicked(NamingTick::autoNumber) ? 1 : 0;
    settings_.naming.keepNumber = screen_.isTicked(NamingTick::keepNumber) ? 1 : 0;
    if (copiesIntoSearchFolder(settings_.naming.copyTo, session_.searchFolder))
        screen_.setTicked(NamingTick::copyPackages, false);
}

bool RenameFlow::handleRenameInput(RenameInput input) {
    switch (input) {
    case RenameInput::rowClicked: countTicked(); break;
    case RenameInput::copyPackages:
        if (settings_.naming.copyTo.empty()) pickCopyFolder();
        if (copiesIntoSearchFolder(settings_.naming.copyTo, session_.searchFolder))
            app_.dialogs().showMessage(kSameFolderMessage, iconInformation);
        break;
    case RenameInput::copyFolderButton: pickCopyFolder(); break;
    case RenameInput::selectAll: tickAll(true); break;
    case RenameInput::selectNone: tickAll(false); break;
    case RenameInput::done: return false;
    case RenameInput::rename: renameRun(RunMode::oneByOne); break;
    case RenameInput::autoRename: renameRun(RunMode::automatic); break;
    case RenameInput::undo: undoLastRun(); break;
    default: break;
    }
    return true;
}

void RenameFlow::pickCopyFolder() {
    const std::string answer = screen_.pickCopyFolder(settings_.naming.copyTo);
    if (acceptCopyFolderPick(answer, settings_.naming.copyTo, settings_.naming.copyToDisplay))
        screen_.showCopyFolder(settings_.naming.copyToDisplay, settings_.naming.copyTo);
}

// A click on a row ticks it: whatever is selected becomes ticked.
void RenameFlow::countTicked() {
    const std::vector<int> states = screen_.rowStates();
    if (states.size() != rows_.size()) return;
    for (size_t i = 0; i < rows_.size(); ++i) rows_[i].state = states[i];
    const int ticked = countTickedRows(rows_);
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].state != states[i]) screen_.setRowState(i, rows_[i].state);
    screen_.showCounter(RenameCounter::ticked, counterText(ticked));
}

void RenameFlow::tickAll(bool ticked) {
    setAllTicked(rows_, ticked);
    for (size_t i = 0; i < rows_.size(); ++i) screen_.setRowState(i, rows_[i].state);
    screen_.showCounter(RenameCounter::ticked, counterText(ticked ? int(rows_.size()) : 0));
}

// During a run the rows' states belong to the run; clicks on the list are undone.
void RenameFlow::restoreListStates() {
    const std::vector<int> states = screen_.rowStates();
    for (size_t i = 0; i < rows_.size() && i < states.size(); ++i)
        if (rows_[i].state != states[i]) screen_.setRowState(i, rows_[i].state);
}

// ---- The run ------------------------------------------------------------------

void RenameFlow::renameRun(RunMode mode) {
    const std::vector<int> states = screen_.rowStates();
    for (size_t i = 0; i < rows_.size() && i < states.size(); ++i) rows_[i].state = states[i];
    NamingOptions naming = namingOptionsOf(settings_.naming);
    RenameRun run(mode, session_.searchFolder, rows_, naming, app_.fs());
    if (!run.hasWork()) {
        endRun(naming);
        return;
    }
    screen_.scrollToTop();
    const bool copying = decideCopying();
    run.start(copying, settings_.naming.copyTo);
    for (size_t i = 0; i < rows_.size(); ++i) screen_.showRow(i, rows_[i]);
    screen_.flushInput();
    settings_.naming.copyPackages = copying ? 1 : 0;
    showRunFace(run.caption());
    if (mode == RunMode::automatic && !confirmAutomatic()) {
        endRun(naming);
        return;
    }
    RenameHistory history(app_.fs(), app_.platform.clock, historyPath());
    if (!history.start(mode == RunMode::automatic ? "automatic run" : "one-by-one run",
                       session_.searchFolder)) {
        app_.dialogs().showMessage(historyUnwritableMessage(history.path(), app_.fs().lastError()),
                                   iconExclamation);
        screen_.setGridLines(true);
        endRun(naming);
        return;
    }
    run.setHistory(&history);
    const bool historyFailed = runFiles(run, mode);
    keepForUndo(run);
    screen_.setGridLines(true);
    if (historyFailed)
        app_.dialogs().showMessage(historyStoppedMessage(history.path()), iconExclamation);
    endRun(naming);
    // Put on the disk once the user has the window back.
    history.end(std::to_string(run.renamed().size()) + " renamed, " +
                std::to_string(run.copiedCount()) + " copied, " + std::to_string(run.errorCount()) +
                " failed");
}

// The files one after another. An automatic run brings the window up to date
// only when the pacer says so and once at the end; each file still waits for
// the clicks that are pending, so "Cancel" ends the run after the file it
// finds being worked on. True when the history stopped the run.
bool RenameFlow::runFiles(RenameRun& run, RunMode mode) {
    RedrawPacer drawPacer, pollPacer(RedrawPacer::kPollIntervalMs);
    std::vector<size_t> undrawn;
    std::optional<RunFile> shown;
    bool historyFailed = false;
    Clock& clock = app_.platform.clock;
    while (auto file = run.nextFile()) {
        const int64_t now = mode == RunMode::automatic ? clock.milliseconds() : 0;
        const bool draw = mode == RunMode::oneByOne || drawPacer.due(now);
        const bool poll = pollPacer.due(now) || draw;
        if (draw) {
            showRowsAndCounters(run, undrawn);
            showFile(*file);
            shown = file;
        }
        std::optional<std::string> name;
        if (mode == RunMode::oneByOne)
            name = askForName(run);
        else
            name = watchForCancel(
                run, draw ? screen_.boxText(NamingBox::newName) : file->proposedName, draw, poll);
        // The painting happens while the clicks are taken, so the cost runs to here.
        if (draw && mode == RunMode::automatic) drawPacer.took(clock.milliseconds() - now);
        if (!name) return historyFailed;  // the windows are gone
        const FileResult result = run.finishFile(*name);
        undrawn.push_back(result.row);
        if (result.historyFailed) historyFailed = true;
        if (mode == RunMode::oneByOne) showRowsAndCounters(run, undrawn);
        if (result.lastOfRun && shown && shown->row != file->row) {
            // The face the run ends with shows its last file, as a run that
            // drew every file would.
            showFile(*file);
        }
    }
    showRowsAndCounters(run, undrawn);
    return historyFailed;
}

void RenameFlow::showFile(const RunFile& file) {
    screen_.makeRowVisible(file.scrollTarget);
    screen_.setBoxText(NamingBox::oldName, file.oldName);
    screen_.setBoxText(NamingBox::newName, file.proposedName);
    screen_.setRowState(file.row, rows_[file.row].state);
}

void RenameFlow::keepForUndo(const RenameRun& run) {
    // A run that renamed nothing leaves the one before it to be undone.
    if (run.renamed().empty()) return;
    RunRecord record;
    record.folder = session_.searchFolder;
    record.renamed = run.renamed();
    record.copies = run.copiedCount();
    record.copyFolder = settings_.naming.copyTo;
    lastRun_ = std::move(record);
}

void RenameFlow::undoLastRun() {
    if (!lastRun_) return;
    if (app_.dialogs().askYesNo(undoQuestion(*lastRun_), iconQuestion) != answerYes) return;
    RenameHistory history(app_.fs(), app_.platform.clock, historyPath());
    if (!history.start("undo", lastRun_->folder)) {
        app_.dialogs().showMessage(historyUnwritableMessage(history.path(), app_.fs().lastError()),
                                   iconExclamation);
        return;
    }
    screen_.setBusy(true);
    const std::vector<UndoResult> results = undoRun(*lastRun_, app_.fs(), &history);
    const int failed = markUndoneRows(results, rows_);
    history.end(std::to_string(results.size() - size_t(failed)) + " restored, " +
                std::to_string(failed) + " failed");
    for (const UndoResult& result : results)
        if (result.file.row < rows_.size())
            screen_.showRow(result.file.row, rows_[result.file.row]);
    screen_.showCounter(RenameCounter::errors, counterText(failed));
    screen_.setBusy(false);
    // What could not go back can be tried again once its way is clear.
    lastRun_ = remainingAfterUndo(*lastRun_, results);
    if (lastRun_->renamed.empty()) lastRun_.reset();
    screen_.showUndo(lastRun_.has_value());
    app_.dialogs().showMessage(undoSummary(results),
                               failed > 0 ? iconExclamation : iconInformation);
    // Clicks made meanwhile must not reach the window afterwards.
    screen_.flushInput();
}

// The last run that can still be undone is offered with every list, whether
// it was made in this window, before the window was last closed, or in a
// Seamster that was stopped in the middle of it.
void RenameFlow::offerUndoFromHistory() {
    lastRun_.reset();
    if (app_.paths.userFolderName.empty()) return;  // no game folder, no history
    if (const std::optional<std::string> text = app_.fs().readFile(historyPath()))
        lastRun_ = undoableRunOf(readHistory(*text), app_.fs(), rows_, session_.searchFolder);
    // Offered only beside a list of the folder it renamed in, where the user
    // sees the files it gives back.
    if (lastRun_ && !equalsIgnoreCase(lastRun_->folder, withBackslash(session_.searchFolder)))
        lastRun_.reset();
    screen_.showUndo(lastRun_.has_value());
}

std::string RenameFlow::historyPath() const { return historyPathOf(app_.paths.userFolder()); }

// "Copy Packages to" ticked without a folder: ask for one now, and without
// one run without copying rather than copy into some unknown folder.
bool RenameFlow::decideCopying() {
    if (!screen_.isTicked(NamingTick::copyPackages)) return false;
    if (copyFolderMissing(true, settings_.naming.copyTo)) {
        pickCopyFolder();
        if (settings_.naming.copyTo.empty()) {
            screen_.setTicked(NamingTick::copyPackages, false);
            return false;
        }
    }
    if (copiesIntoSearchFolder(settings_.naming.copyTo, session_.searchFolder)) {
        app_.dialogs().showMessage(kSameFolderMessage, iconInformation);
        screen_.setTicked(NamingTick::copyPackages, false);
        return false;
    }
    return true;
}

bool RenameFlow::confirmAutomatic() {
    screen_.setBoxText(NamingBox::newName, kAutoRenamePrompt);
    screen_.setBoxText(NamingBox::oldName, "");
    screen_.flushInput();
    for (;;) {
        switch (nextInput()) {
        case RenameInput::none:
        case RenameInput::done: return false;
        case RenameInput::rowClicked: restoreListStates(); break;
        case RenameInput::rename:
            screen_.showAutomaticRunning();
            screen_.setGridLines(false);
            return true;
        default: break;
        }
    }
}

std::optional<std::string> RenameFlow::watchForCancel(RenameRun& run, const std::string& name,
                                                      bool draw, bool poll) {
    for (RenameInput input = poll ? screen_.pollInput() : RenameInput::none;
         input != RenameInput::none; input = screen_.pollInput()) {
        if (input == RenameInput::done) run.cancelAfterCurrent();
        if (input == RenameInput::rowClicked || input == RenameInput::done) restoreListStates();
    }
    if (draw) screen_.showCounter(RenameCounter::ticked, counterText(run.tickedCount()));
    return name;
}

std::optional<std::string> RenameFlow::askForName(RenameRun& run) {
    screen_.flushInput();
    for (;;) {
        const RenameInput input = nextInput();
        if (gone_) return std::nullopt;
        if (!isRenameGadget(input)) continue;
        std::string typed = screen_.boxText(NamingBox::newName);
        if (cleanTypedText(typed, app_.dialogs())) screen_.setBoxText(NamingBox::newName, typed);
        switch (input) {
        case RenameInput::rename: {
            const std::string name = confirmNewName(typed, app_.dialogs());
            screen_.setBoxText(NamingBox::newName, name);
            return name;
        }
        case RenameInput::done: run.cancelAfterCurrent(); return typed;
        case RenameInput::rowClicked: restoreListStates(); break;
        default: break;
        }
    }
}

void RenameFlow::showRowsAndCounters(const RenameRun& run, std::vector<size_t>& undrawn) {
    if (undrawn.empty()) return;
    for (size_t row : undrawn) screen_.showRow(row, rows_[row]);
    undrawn.clear();
    screen_.showCounter(RenameCounter::errors, run.errorText());
    screen_.showRunProgress(run.caption(), run.progress());
    screen_.showCounter(RenameCounter::ticked, counterText(run.tickedCount()));
}

void RenameFlow::showRunFace(const std::string& caption) {
    screen_.showRunFace(caption);
    screen_.showCounter(RenameCounter::errors, counterText(0));
}

void RenameFlow::endRun(const NamingOptions& naming) {
    settings_.naming.startNumber = naming.startNumber;
    screen_.showOptionsFace(lastRun_.has_value());
    screen_.setBoxText(NamingBox::startNumber, settings_.naming.startNumber);
    // Clicks made during the run must not reach the window afterwards.
    screen_.pause(100);
    screen_.flushInput();
}

}  // namespace seamster
