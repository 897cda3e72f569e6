#pragma once
// What the Body Shop stand-in shows: the state of the user's game folder as
// the Body Shop would find it, put into words. Portable, so it is tested over
// the in-memory file system.

#include <string>

#include "platform/FileSystem.h"

namespace seamster::standin {

// Control numbers of the stand-in's window, so a test driver can read what
// it shows (WM_GETTEXT) after finding the window by its title.
inline constexpr const char* windowTitle = "Body Shop stand-in";
enum ControlId : int {
    idParameters = 100,
    idScreenSize = 101,
    idCommandLine = 102,
    idPoses = 103,
    idLighting = 104,
    idDownloads = 105,
    idSavedSims = 106,
    idCaches = 107,
    idBackground = 108,
    idReplacements = 109,
    idUserFolder = 110,
    idUpdated = 111,
};

// How a text is coloured: good news, something worth a look, or a side note.
enum class Tone { normal, good, attention, quiet };

struct Shown {
    std::string text;
    Tone tone = Tone::normal;
    friend bool operator==(const Shown&, const Shown&) = default;
};

struct View {
    std::string userFolder;  // with a trailing backslash, "" when none was found
    Shown userFolderText;
    Shown poses;
    Shown lighting;
    Shown downloads;
    Shown savedSims;
    Shown caches;
    Shown replacements;
    friend bool operator==(const View&, const View&) = default;
};

// The first sub-folder of Documents\EA Games that holds a Neighborhoods
// folder, with a trailing backslash; "" when there is none.
std::string findUserFolder(FileSystem& fs, const std::string& documentsFolder);

View gatherView(FileSystem& fs, const std::string& documentsFolder);

// The command line without the program's own name.
std::string parametersOf(const std::string& commandLine);
// "Screen size 1024 x 768" for a "-r1024x768" parameter, and so on.
Shown screenSizeOf(const std::string& parameters);

}  // namespace seamster::standin
