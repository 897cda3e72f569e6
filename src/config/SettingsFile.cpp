#include "config/SettingsFile.h"

#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "platform/Characters.h"
#include "platform/Text.h"

namespace seamster {

namespace {

// `text` up to the first of the `stops`. One memchr per stop: a
// character-by-character test against a set of stops was the slowest part
// of reading a file.
std::string_view upToFirstOf(std::string_view text, std::string_view stops) {
    size_t end = text.size();
    for (char stop : stops) {
        if (const void* found = std::memchr(text.data(), stop, end))
            end = size_t(static_cast<const char*>(found) - text.data());
    }
    return text.substr(0, end);
}

// The part of a line that can hold a key and a value: a CR ends it (the line
// end itself, or a stray one), and so does a NUL, which no setting contains.
std::string_view lineContent(std::string_view line) {
    return upToFirstOf(line, std::string_view("\r\0", 2));
}

// What may follow " = " on one line: everything before the first line break.
std::string_view singleLine(std::string_view bytes) {
    return upToFirstOf(bytes, std::string_view("\r\n\0", 3));
}

// The leading decimal number of `value`, clamped to the 32-bit range.
int32_t leadingInteger(std::string_view value) {
    size_t i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-')) {
        negative = value[i] == '-';
        ++i;
    }
    const int64_t limit = negative ? -int64_t(std::numeric_limits<int32_t>::min())
                                   : int64_t(std::numeric_limits<int32_t>::max());
    int64_t magnitude = 0;
    for (; i < value.size() && isDigit(value[i]); ++i) {
        magnitude = magnitude * 10 + (value[i] - '0');
        if (magnitude > limit) magnitude = limit;  // keeps the sum far from overflowing
    }
    return int32_t(negative ? -magnitude : magnitude);
}

}  // namespace

SettingsFile::SettingsFile(FileSystem& fs, TextCodec& codec, std::string folder)
    : fs_(fs), codec_(codec), folder_(std::move(folder)) {}

std::string SettingsFile::resolve(const std::string& fileName) const {
    bool absolute = (fileName.size() >= 2 && fileName[1] == ':') ||
                    (!fileName.empty() && (fileName[0] == '\\' || fileName[0] == '/'));
    return absolute ? fileName : folder_ + fileName;
}

// The save itself happens in close(); this only refuses up front what is
// sure to fail, so that callers learn it before they change anything.
bool SettingsFile::canWrite(const std::string& path) {
    size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos) return fs_.exists(path) != PathKind::folder;
    if (slash + 1 == path.size()) return false;
    const std::string folder = path.substr(0, slash + 1);
    const std::string leaf = path.substr(slash + 1);
    if (fs_.exists(folder) != PathKind::folder) return false;
    const PathKind existing = fs_.exists(path);
    if (existing == PathKind::folder) return false;
    if (existing == PathKind::missing) return true;
    std::vector<DirEntry> entries;
    if (!fs_.list(folder, leaf, entries)) return true;  // let the save itself decide
    for (const DirEntry& entry : entries)
        if (equalsIgnoreCase(entry.name, leaf) && entry.readOnly) return false;
    return true;
}

bool SettingsFile::create(const std::string& fileName) {
    close();
    const std::string path = resolve(fileName);
    if (!canWrite(path)) return false;
    path_ = path;
    text_.clear();
    mode_ = Mode::writing;
    return true;
}

bool SettingsFile::open(const std::string& fileName) {
    close();
    const std::string path = resolve(fileName);
    std::optional<std::string> data = fs_.readFile(path, maxFileBytes);
    if (!data) return false;
    path_ = path;
    text_ = std::move(*data);
    mode_ = Mode::reading;
    indexLines();
    return true;
}

bool SettingsFile::close() {
    bool saved = true;
    if (mode_ == Mode::writing) saved = writeFileSafely(fs_, path_, text_);
    mode_ = Mode::closed;
    path_.clear();
    lines_.clear();
    text_.clear();
    text_.shrink_to_fit();
    return saved;
}

// Every setting is looked up in the same file, dozens of them: the lines are
// taken apart once, and each look-up only compares keys.
void SettingsFile::indexLines() {
    const std::string_view text = text_;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view rawLine = text.substr(start, end - start);
        start = end + 1;
        // A group header ends the section that holds our keys.
        if (!rawLine.empty() && rawLine[0] == '[') return;
        const std::string_view line = lineContent(rawLine);
        size_t first = line.find_first_not_of(' ');
        if (first == std::string_view::npos || line[first] == ';') continue;
        size_t equals = line.find('=', first);
        if (equals == std::string_view::npos) continue;
        size_t keyEnd = equals;
        while (keyEnd > first && line[keyEnd - 1] == ' ') --keyEnd;
        if (keyEnd == first) continue;  // no key can match an empty one
        size_t valueStart = line.find_first_not_of(' ', equals + 1);
        lines_.push_back({line.substr(first, keyEnd - first), valueStart == std::string_view::npos
                                                                  ? std::string_view()
                                                                  : line.substr(valueStart)});
    }
}

bool SettingsFile::findValue(std::string_view key, std::string_view& value) const {
    if (mode_ != Mode::reading || key.empty()) return false;
    for (const Line& line : lines_) {
        if (line.key.size() != key.size() || !equalsIgnoreCase(line.key, key)) continue;
        value = line.value;
        return true;
    }
    return false;
}

int32_t SettingsFile::readInteger(std::string_view key, int32_t defaultValue) const {
    std::string_view value;
    return findValue(key, value) ? leadingInteger(value) : defaultValue;
}

std::string SettingsFile::readText(std::string_view key, const std::string& defaultValue) const {
    std::string_view value;
    return findValue(key, value) ? codec_.fromFileBytes(std::string(value)) : defaultValue;
}

void SettingsFile::writeBytes(std::string_view key, std::string_view bytes) {
    if (mode_ != Mode::writing || key.empty()) return;
    text_.append(key);
    text_.append(" = ");
    text_.append(singleLine(bytes));
    text_.append("\r\n");
}

void SettingsFile::writeInteger(std::string_view key, int32_t value) {
    writeBytes(key, std::to_string(value));
}

void SettingsFile::writeText(std::string_view key, const std::string& value) {
    if (mode_ != Mode::writing || key.empty()) return;
    writeBytes(key, codec_.toFileBytes(value));
}

}  // namespace seamster
