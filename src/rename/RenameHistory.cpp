#include "rename/RenameHistory.h"

#include <cstdio>

namespace seamster {

namespace {

const char* const kHeading =
    "Seamster rename history: time, step, operation, from, to, and why a step failed. "
    "A begin line without its done or failed line was under way when Seamster stopped.\r\n";
const char kUtf8Mark[] = "\xEF\xBB\xBF";

constexpr int64_t kTimeIntervalMs = 1000;

const char* stepName(HistoryStep step) {
    switch (step) {
    case HistoryStep::start: return "start";
    case HistoryStep::begin: return "begin";
    case HistoryStep::done: return "done";
    case HistoryStep::failed: return "failed";
    case HistoryStep::end: return "end";
    }
    return "";
}

std::optional<HistoryStep> stepNamed(std::string_view name) {
    for (HistoryStep step : {HistoryStep::start, HistoryStep::begin, HistoryStep::done,
                             HistoryStep::failed, HistoryStep::end})
        if (name == stepName(step)) return step;
    return std::nullopt;
}

// Tabs and line breaks cannot be in a file name, but a reason or a folder
// from elsewhere must not break the line apart either.
std::string field(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return out;
}

std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        parts.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos) return parts;
        start = tab + 1;
    }
}

bool isTimeText(std::string_view text) {
    static const char pattern[] = "dddd-dd-dd dd:dd:dd";
    if (text.size() != sizeof pattern - 1) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (pattern[i] == 'd' ? !digit : text[i] != pattern[i]) return false;
    }
    return true;
}

}  // namespace

std::string historyPathOf(const std::string& userFolder) { return userFolder + kHistoryFileName; }

std::string historyUnwritableMessage(const std::string& path, FsError why) {
    const std::string text =
        "Seamster can't write to its rename history:\n" + path + "\n\nNo file has been renamed. ";
    if (why == FsError::accessDenied)
        return text + accessDeniedText(path.substr(0, path.find_last_of('\\') + 1));
    return text +
           "Please make sure the file is not read-only and that the disk has room, then "
           "try again.";
}

std::string historyStoppedMessage(const std::string& path) {
    return "Seamster could no longer write to its rename history:\n" + path +
           "\n\nRenaming has stopped so that no file is renamed without a record. The files "
           "still ticked have not been renamed.";
}

std::string formatHistoryLine(const HistoryLine& line) {
    std::string out = line.time + '\t' + stepName(line.step) + '\t' + field(line.operation) + '\t' +
                      field(line.from);
    if (!line.to.empty() || !line.note.empty()) out += '\t' + field(line.to);
    if (!line.note.empty()) out += '\t' + field(line.note);
    return out + "\r\n";
}

std::optional<HistoryLine> parseHistoryLine(std::string_view text) {
    if (text.starts_with(kUtf8Mark)) text.remove_prefix(sizeof kUtf8Mark - 1);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
    const std::vector<std::string_view> parts = splitTabs(text);
    if (parts.size() < 4 || parts.size() > 6 || !isTimeText(parts[0])) return std::nullopt;
    const std::optional<HistoryStep> step = stepNamed(parts[1]);
    if (!step) return std::nullopt;
    HistoryLine line;
    line.time = parts[0];
    line.step = *step;
    line.operation = parts[2];
    line.from = parts[3];
    if (parts.size() > 4) line.to = parts[4];
    if (parts.size() > 5) line.note = parts[5];
    // An operation line names both ends; one cut short by a crash is no record.
    const bool operation = *step != HistoryStep::start && *step != HistoryStep::end;
    if (operation && line.to.empty()) return std::nullopt;
    return line;
}

std::vector<HistoryLine> readHistory(std::string_view fileText) {
    std::vector<HistoryLine> lines;
    size_t start = 0;
    while (start < fileText.size()) {
        size_t end = fileText.find('\n', start);
        if (end == std::string_view::npos) end = fileText.size();
        const std::string_view raw = fileText.substr(start, end - start);
        // The last line counts only once it has its line break: without it,
        // the writing may have been cut off in the middle.
        const bool complete = end < fileText.size();
        if (complete)
            if (std::optional<HistoryLine> line = parseHistoryLine(raw)) lines.push_back(*line);
        start = end + 1;
    }
    return lines;
}

UnfinishedRun latestRunState(const std::vector<HistoryLine>& lines) {
    UnfinishedRun run;
    size_t first = lines.size();
    for (size_t i = lines.size(); i-- > 0;)
        if (lines[i].step == HistoryStep::start) {
            first = i;
            break;
        }
    if (first == lines.size()) return run;
    run.ended = false;
    for (size_t i = first + 1; i < lines.size(); ++i) {
        const HistoryLine& line = lines[i];
        if (line.step == HistoryStep::end) run.ended = true;
        if (line.step == HistoryStep::begin) run.openSteps.push_back(line);
        if (line.step != HistoryStep::done && line.step != HistoryStep::failed) continue;
        for (size_t k = run.openSteps.size(); k-- > 0;) {
            const HistoryLine& open = run.openSteps[k];
            if (open.operation == line.operation && open.from == line.from && open.to == line.to) {
                run.openSteps.erase(run.openSteps.begin() + std::ptrdiff_t(k));
                break;
            }
        }
    }
    return run;
}

RenameHistory::RenameHistory(FileSystem& fs, Clock& clock, std::string path)
    : fs_(fs), clock_(clock), path_(std::move(path)) {}

RenameHistory::~RenameHistory() {
    if (file_) file_->flush();
}

std::string RenameHistory::timeText() {
    const int64_t now = clock_.milliseconds();
    if (time_.empty() || now - timeAskedAt_ >= kTimeIntervalMs || now < timeAskedAt_) {
        const LocalDateTime t = clock_.localNow();
        char text[32];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.date.year % 10000,
                      t.date.month % 100, t.date.day % 100, t.hour % 100, t.minute % 100,
                      t.second % 100);
        time_ = text;
        timeAskedAt_ = now;
    }
    return time_;
}

bool RenameHistory::write(HistoryStep step, const std::string& operation, const std::string& from,
                          const std::string& to, const std::string& note) {
    if (!file_) return healthy_ = false;
    const std::string line = formatHistoryLine({timeText(), step, operation, from, to, note});
    if (!file_->append(line)) return healthy_ = false;
    return healthy_;
}

bool RenameHistory::start(const std::string& kind, const std::string& folder) {
    const bool fresh = fs_.exists(path_) == PathKind::missing;
    file_ = fs_.openForAppend(path_);
    healthy_ = file_ != nullptr;
    // A new file starts with a heading; an older one gets an empty line, which
    // sets each run apart and ends a line an earlier crash may have cut short.
    if (healthy_) healthy_ = file_->append(fresh ? std::string(kUtf8Mark) + kHeading : "\r\n");
    kind_ = kind;
    folder_ = folder;
    // The first rename may follow at once: the start line is on the disk before it.
    if (!write(HistoryStep::start, kind, folder, {}, {}) || !file_->flush()) healthy_ = false;
    return healthy_;
}

bool RenameHistory::before(const std::string& operation, const std::string& from,
                           const std::string& to) {
    // On the disk before the step is made, so that not even a power cut can
    // leave a renamed file without its line.
    return healthy_ && write(HistoryStep::begin, operation, from, to, {}) &&
           (healthy_ = file_->flush());
}

bool RenameHistory::after(const std::string& operation, const std::string& from,
                          const std::string& to, bool succeeded, const std::string& reason) {
    if (!healthy_) return false;
    return write(succeeded ? HistoryStep::done : HistoryStep::failed, operation, from, to,
                 succeeded ? std::string() : reason);
}

void RenameHistory::end(const std::string& totals) {
    if (healthy_) write(HistoryStep::end, kind_, folder_, {}, totals);
    if (file_) file_->flush();
    file_.reset();
}

}  // namespace seamster
