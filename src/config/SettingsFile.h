#pragma once
// Files of "key = value" lines, and the two steps that move the whole
// settings record to and from Seamster.ini.
//
// Reading is forgiving (hand-edited files, bare LF line ends, comments, any
// letter case in keys); writing always produces the one canonical layout.
// Texts are UTF-8 in memory and 8-bit code-page text on disk; the codec does
// the mapping both ways.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/App.h"
#include "core/Settings.h"
#include "platform/Platform.h"

namespace seamster {

inline constexpr char settingsFileName[] = "Seamster.ini";

// One settings file at a time, open either for reading or for writing.
//
// A file opened for writing is built in memory and reaches the disk only in
// close(), through a temporary file that replaces the old one when every byte
// is written: a crash or a full disk during a save leaves the previous
// settings whole.
class SettingsFile {
public:
    enum class Mode { closed, reading, writing };

    // Relative file names are resolved against `folder` (which ends with a
    // backslash); names with a drive or a leading backslash are used as given.
    SettingsFile(FileSystem& fs, TextCodec& codec, std::string folder = {});
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;
    // An unclosed file in writing mode is discarded, never half-saved.
    ~SettingsFile() = default;

    // Starts a new file that will replace `fileName` on close(). The existing
    // file is left alone until then. False (and nothing open) when the file
    // could not be written at all: its folder is missing, or the name is a
    // folder or a read-only file.
    bool create(const std::string& fileName);
    // Loads an existing file for reading. False (and nothing open) when it is
    // missing, unreadable or larger than maxFileBytes.
    bool open(const std::string& fileName);
    // Ends the current file. In writing mode this is the save: it returns
    // whether the file on disk now holds what was written. True otherwise.
    bool close();

    Mode mode() const { return mode_; }

    // The value of the first line whose key is `key` (ignoring letter case),
    // or `defaultValue` when nothing is open for reading, `key` is empty or
    // no line matches. A value that does not start with a number reads as 0;
    // numbers beyond the 32-bit range are clamped to it.
    int32_t readInteger(std::string_view key, int32_t defaultValue) const;
    std::string readText(std::string_view key, const std::string& defaultValue = {}) const;

    // Append one "key = value" line. Ignored unless open for writing with a
    // non-empty key. A text is cut at its first line break (or NUL), which is
    // where reading would stop anyway, so a value can never add lines.
    void writeInteger(std::string_view key, int32_t value);
    void writeText(std::string_view key, const std::string& value = {});
    // As writeText, but the bytes go to the file as they are, uncoded.
    void writeBytes(std::string_view key, std::string_view bytes);

    static constexpr size_t maxFileBytes = 1u << 20;

private:
    std::string resolve(const std::string& fileName) const;
    bool canWrite(const std::string& path);
    // The raw value bytes of the first matching line, if any.
    bool findValue(std::string_view key, std::string_view& value) const;
    // Splits the loaded file into its key and value lines, once.
    void indexLines();

    struct Line {
        std::string_view key;
        std::string_view value;
    };

    FileSystem& fs_;
    TextCodec& codec_;
    std::string folder_;
    Mode mode_ = Mode::closed;
    std::string path_;
    std::string text_;         // the loaded file, or the file being built
    std::vector<Line> lines_;  // of the loaded file, pointing into text_
};

// Reads Seamster.ini from `programFolder` into `settings`. Missing keys (or a
// missing file) take the initial values of Settings.
void loadSettings(Settings& settings, FileSystem& fs, TextCodec& codec,
                  const std::string& programFolder);

// Writes every setting to Seamster.ini in `programFolder`, storing
// currentFolderCount as the folder count and today's date as the last use.
// The window position is stored only when it is to be remembered. Returns
// whether the file was saved; the previous file is untouched when not.
bool saveSettings(Settings& settings, FileSystem& fs, TextCodec& codec, Clock& clock,
                  const std::string& programFolder);

// The box shown when Seamster.ini cannot be written in `programFolder`.
std::string settingsUnsavedText(const std::string& programFolder);

// saveSettings for the App's settings; when they cannot be saved, says so in
// a box the first time in the run. Returns whether they were saved.
bool saveSettingsOrSay(App& app);

}  // namespace seamster
