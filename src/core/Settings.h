#pragma once
// Everything the program remembers between runs, one field per key of the
// settings file, and the keys in the file's order (storedKeys). The initial
// values are the ones a missing key reads as.

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

// One stored setting: its key in the file and the field that holds it.
struct SettingKey {
    const char* key;
    int32_t* (*integer)(Settings&) = nullptr;
    std::string* (*text)(Settings&) = nullptr;
};

template <auto group, auto field>
constexpr SettingKey integerKey(const char* key) {
    return {key, [](Settings& settings) { return &(settings.*group.*field); }};
}
template <auto group, auto field>
constexpr SettingKey textKey(const char* key) {
    return {key, nullptr, [](Settings& settings) { return &(settings.*group.*field); }};
}

// Every key after ApplicationName and Version, in the order of the file: a
// setting is its field above, with its default, and its row here.
inline constexpr SettingKey storedKeys[] = {
    integerKey<&Settings::options, &OptionSettings::autoQuit>("Auto Quit"),
    integerKey<&Settings::options, &OptionSettings::askBeforeQuit>("Ask Before Quit"),
    integerKey<&Settings::options, &OptionSettings::rememberWindowPosition>(
        "Remember Window Position"),
    textKey<&Settings::game, &GameSettings::selectedPack>("Selected Pack"),
    textKey<&Settings::game, &GameSettings::installDirectory>("Install Directory"),
    integerKey<&Settings::game, &GameSettings::simsFolderCount>("Sims Folder Count"),
    textKey<&Settings::game, &GameSettings::runBodyshop>("RunBodyshop"),
    textKey<&Settings::pictures, &PictureSettings::imagePath>("Image Path"),
    textKey<&Settings::pictures, &PictureSettings::lastImage>("Last Image"),
    integerKey<&Settings::options, &OptionSettings::windowX>("Window X"),
    integerKey<&Settings::options, &OptionSettings::windowY>("Window Y"),
    integerKey<&Settings::options, &OptionSettings::orphanProjects>("Orphan Projects"),
    textKey<&Settings::naming, &NamingSettings::inFront>("In Front"),
    textKey<&Settings::naming, &NamingSettings::inBack>("In Back"),
    textKey<&Settings::naming, &NamingSettings::startNumber>("Start Number"),
    textKey<&Settings::naming, &NamingSettings::copyTo>("Copy To"),
    textKey<&Settings::naming, &NamingSettings::copyToDisplay>("Copy To Display"),
    integerKey<&Settings::finder, &PackageSearchSettings::goBackWeeks>("Go Back Weeks"),
    integerKey<&Settings::finder, &PackageSearchSettings::bodyshopNumber>("Bodyshop Number"),
    integerKey<&Settings::naming, &NamingSettings::keepNumber>("Keep Number"),
    integerKey<&Settings::naming, &NamingSettings::copyPackages>("Copy Packages"),
    integerKey<&Settings::finder, &PackageSearchSettings::inTheLast>("In The Last"),
    integerKey<&Settings::naming, &NamingSettings::customNumber>("Custom Number"),
    textKey<&Settings::finder, &PackageSearchSettings::lastUsed>("Last Used"),
    textKey<&Settings::finder, &PackageSearchSettings::packagesFolder>("Packages Folder"),
    textKey<&Settings::finder, &PackageSearchSettings::pathDisplay>("Path Display"),
    textKey<&Settings::finder, &PackageSearchSettings::search>("Search"),
    integerKey<&Settings::finder, &PackageSearchSettings::otherFolder>("Other Folder"),
};

// Keeps the main window's outer top-left corner in the settings (Window X and Y).
inline void storeWindowPosition(Settings& settings, Point corner) {
    settings.options.windowX = corner.x;
    settings.options.windowY = corner.y;
}

}  // namespace seamster
