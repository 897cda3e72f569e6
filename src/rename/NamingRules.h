#pragma once
// How a finished package gets its new name, and how typed name text is
// checked and cleaned before it can become part of a file name.

#include <string>
#include <string_view>

namespace seamster {

class Dialogs;

// The renaming options of the rename window, copied from and back to the
// settings record by the window.
struct NamingOptions {
    std::string inFront;        // "In Front"
    std::string inBack;         // "In Back"
    bool keepNumber = true;     // "Keep Number": the Body Shop number stays in the name
    bool customNumber = false;  // "Custom Number": a running number goes at the end
    std::string startNumber;    // "Start Number": the next running number; its length is its width
};

// Shown (icon 64) whenever typed text is cleaned.
extern const char* const kForbiddenCharactersMessage;

// The new name for `oldName`, without extension. Every ".package" goes (in
// any letter case), the Body Shop number goes unless kept, the front and end
// texts are added, and with a running number the current one is appended and
// `options.startNumber` moves on to the next.
std::string composeNewName(std::string_view oldName, NamingOptions& options);

// The running number after `startNumber`, padded with zeros to its width:
// "009" -> "010", "99" -> "100", "" -> "1".
std::string advanceStartNumber(std::string_view startNumber);

// False for empty text and for text holding a control character or one of
// " * / : < > ? \ |.
bool isValidFileName(std::string_view text);

struct CleanedText {
    std::string text;
    bool showMessage = false;  // the text failed isValidFileName
};

// Trims blanks from both ends and removes every character that has no place
// in a package name. The result passes isValidFileName unless it is empty.
CleanedText cleanFileNameText(std::string_view text);

// The same, showing kForbiddenCharactersMessage when the text failed the check.
std::string cleanFileNameText(std::string_view text, Dialogs& dialogs);

// For a text box the user types a name part into: non-empty text that fails
// isValidFileName is cleaned in place (with the message). Returns true when
// the text changed, so the window puts the cleaned text back into the box.
bool cleanTypedText(std::string& text, Dialogs& dialogs);

// Blanks removed from both ends.
std::string trimBlanks(std::string_view text);

}  // namespace seamster
