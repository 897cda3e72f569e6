#pragma once
// Everything the program remembers between runs, one field per key of the
// settings file. The initial values are the ones a missing key reads as.

#include <cstdint>
#include <cstdio>
#include <string>

#include "SeamsterVersion.h"
#include "platform/Platform.h"

namespace seamster {

// The version as it goes into the settings file and the About window: raw
// 8-bit text whose last byte 0xDF is the sharp s of the Western code page.
inline constexpr char versionText[] = " v " SEAMSTER_VERSION " \xDF";
inline constexpr char releaseDate[] = "March 14, 2009";

// A date as the settings keep it and the package finder shows it: "mm/dd/yyyy".
inline std::string formatDateText(const LocalDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.month, date.day, date.year);
    return text;
}

// A screen position in pixels.
struct Point {
    int x = 0;
    int y = 0;
};

// The settings file keeps one key per field below; the groups are only how
// the program reads them.

// The Options window's choices, the main window's place and the project
// cleanup's own tick.
struct OptionSettings {
    int32_t autoQuit = 0;
    int32_t askBeforeQuit = 1;
    int32_t rememberWindowPosition = 0;
    int32_t windowX = 0;
    int32_t windowY = 0;
    int32_t orphanProjects = 1;

    friend bool operator==(const OptionSettings&, const OptionSettings&) = default;
};

// The game the Body Shop runs from.
struct GameSettings {
    std::string selectedPack;
    std::string installDirectory;
    int32_t simsFolderCount = 0;
    std::string runBodyshop;
    // Qualifying game folders found by the latest scan; stored as
    // simsFolderCount when the settings are saved, never read from the file.
    int currentFolderCount = 0;

    friend bool operator==(const GameSettings&, const GameSettings&) = default;
};

// Where the latest background picture came from.
struct PictureSettings {
    std::string imagePath;
    std::string lastImage;

    friend bool operator==(const PictureSettings&, const PictureSettings&) = default;
};

// How the package renaming names and copies.
struct NamingSettings {
    std::string inFront;
    std::string inBack;
    std::string startNumber = "001";
    int32_t keepNumber = 1;
    int32_t customNumber = 0;
    int32_t copyPackages = 0;
    std::string copyTo;
    std::string copyToDisplay;

    friend bool operator==(const NamingSettings&, const NamingSettings&) = default;
};

// What the package search lists: the Find Package Options window's choices.
struct PackageSearchSettings {
    int32_t otherFolder = 0;
    std::string packagesFolder;
    std::string pathDisplay;
    int32_t bodyshopNumber = 1;
    std::string search;
    int32_t inTheLast = 1;
    int32_t goBackWeeks = 0;
    std::string lastUsed = "01/01/2000";

    friend bool operator==(const PackageSearchSettings&, const PackageSearchSettings&) = default;
};

struct Settings {
    OptionSettings options;
    GameSettings game;
    PictureSettings pictures;
    NamingSettings naming;
    PackageSearchSettings finder;

    friend bool operator==(const Settings&, const Settings&) = default;
};

// Keeps the main window's outer top-left corner in the settings (Window X and Y).
inline void storeWindowPosition(Settings& settings, Point corner) {
    settings.options.windowX = corner.x;
    settings.options.windowY = corner.y;
}

}  // namespace seamster
