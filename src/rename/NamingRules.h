#pragma once
// How a finished package gets its new name, and how typed name text is
// checked and cleaned before it can become part of a file name.

#include <string>
#include <string_view>

#include "core/Settings.h"

namespace seamster {

class Dialogs;

// The naming texts the user types that become part of the new names, each
// cleaned as it is typed.
inline constexpr std::string NamingSettings::*typedNameParts[] = {&NamingSettings::inFront,
                                                                  &NamingSettings::inBack};

// Shown (icon 64) whenever typed text is cleaned.
extern const char* const kForbiddenCharactersMessage;

// The new name for `oldName`, without extension, by the rename window's
// naming options. Every ".package" goes (in any letter case), the Body Shop
// number goes unless kept ("Keep Number"), the front and end texts are added
// ("In Front", "In Back"), and with a running number ("Custom Number") the
// current one is appended and `options.startNumber` moves on to the next (its
// length is its width).
std::string composeNewName(std::string_view oldName, NamingSettings& options);

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
