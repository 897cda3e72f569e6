#pragma once
// The program-wide state: one App object, built at start-up and passed by
// reference to every subsystem together with the platform services.

#include <array>
#include <optional>
#include <string>

#include "core/BodyShopWatch.h"
#include "core/Image.h"
#include "core/Settings.h"
#include "platform/Platform.h"

namespace seamster {

// Every path into the user's game folder, fixed at start-up.
struct GamePaths {
    std::string eaGamesFolder;   // Documents + "EA Games\"
    std::string userFolderName;  // the game folder's name + "\"
    bool userFolderFound = false;
    std::string bodyshopThumbnails;
    std::string backgroundBitmap;
    std::string backgroundsFolder;
    std::string projectsFolder;
    std::string casThumbnails;
    std::string configFolder;
    std::string helpFile;
    bool helpFileFound = false;

    // eaGamesFolder + userFolderName: where Downloads and SavedSims live.
    std::string userFolder() const { return eaGamesFolder + userFolderName; }
};

// The editions of the game a creator may own: the discs (and the packs bought
// one by one), the Ultimate Collection and the Legacy Collection.
// The installed game whose Body Shop Seamster runs, as the discovery found it.
struct GameEdition {
    // One of the collections (config/Editions.h), not the discs.
    bool collection = false;
    std::string name = "The Sims 2";  // as the game names itself
    // Its own user game folder's name (no backslash), "" when it cannot be told.
    std::string userFolderName = "The Sims 2";
    // A collection that came without a Body Shop and has none added.
    bool bodyShopMissing = false;
};

// The Body Shop run: what is hidden or switched now, what the next run is
// to do, and what the last restoration reported.
struct RunState {
    ProcessState bodyShop = ProcessState::notRunning;
    bool undiesRestorePending = false;
    bool downloadsHidden = false;
    bool savedSimsHidden = false;
    bool autoQuitPending = false;
    bool quitRequested = false;
    // Choices for the next Body Shop run, kept for this session only.
    bool hideDownloadsOption = false;
    bool hideSavedSimsOption = false;
    bool restoreUndiesOption = false;
    bool bodyshopThumbnailsDeleted = false;
    bool casThumbnailsDeleted = false;
    // The last summary of a restoration that left something hidden, so a
    // restoration that keeps failing reports itself once, not on every pass.
    std::optional<std::string> failedRestoreReport;
};

struct ScreenValues {
    int screenWidth = 0;
    int screenHeight = 0;
    int scrollBarWidth = 0;
};

// The pose or lighting packages of the Config folder; slot i holds the full
// path of the package shown at list position i (slot 0 is never used).
struct PackageSwitchList {
    static constexpr int capacity = 100;
    int count = 0;
    std::array<std::string, capacity + 1> slots;
};

// The pose and lighting packages the main window's drop-downs switch.
struct PackageSwitches {
    PackageSwitchList pose;
    PackageSwitchList lighting;
};

// Backgrounds during this run.
struct BackgroundSession {
    // The colour of a plain background: black at start.
    Rgb color;
    // The colour requester's sixteen custom colours.
    std::array<uint32_t, 16> customColors{};
    // Where background copies are proposed: the backup folder once it is
    // known to exist during this run, else "".
    std::string backupPrefix;
};

// What the program says once a run and does not repeat.
struct ToldOnce {
    bool settingsUnsaved = false;  // Seamster.ini could not be written
    bool helpBlocked = false;      // the help file carries the mark of a download
};

struct App {
    explicit App(Platform& platform) : platform(platform) {}

    Platform& platform;
    std::string programFolder;  // with a trailing backslash
    Settings settings;
    GamePaths paths;
    GameEdition edition;
    RunState run;
    ScreenValues screen;
    BodyShopWatch bodyShopWatch;
    BackgroundSession background;
    PackageSwitches switches;
    // The set-up window's pre-selected position, kept for the whole run.
    int setUpListPosition = 0;
    ToldOnce told;

    FileSystem& fs() { return platform.fs; }
    Dialogs& dialogs() { return platform.dialogs; }
};

}  // namespace seamster
