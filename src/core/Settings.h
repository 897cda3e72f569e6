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

struct Settings {
    int32_t autoQuit = 0;
    int32_t askBeforeQuit = 1;
    int32_t rememberWindowPosition = 0;
    std::string selectedPack;
    std::string installDirectory;
    int32_t simsFolderCount = 0;
    std::string runBodyshop;
    std::string imagePath;
    std::string lastImage;
    int32_t windowX = 0;
    int32_t windowY = 0;
    int32_t orphanProjects = 1;
    std::string inFront;
    std::string inBack;
    std::string startNumber = "001";
    std::string copyTo;
    std::string copyToDisplay;
    int32_t goBackWeeks = 0;
    int32_t bodyshopNumber = 1;
    int32_t keepNumber = 1;
    int32_t copyPackages = 0;
    int32_t inTheLast = 1;
    int32_t customNumber = 0;
    std::string lastUsed = "01/01/2000";
    std::string packagesFolder;
    std::string pathDisplay;
    std::string search;
    int32_t otherFolder = 0;

    // Qualifying game folders found by the latest scan; stored as
    // simsFolderCount when the settings are saved, never read from the file.
    int currentFolderCount = 0;

    friend bool operator==(const Settings&, const Settings&) = default;
};

// Keeps the main window's outer top-left corner in the settings (Window X and Y).
inline void storeWindowPosition(Settings& settings, Point corner) {
    settings.windowX = corner.x;
    settings.windowY = corner.y;
}

}  // namespace seamster
