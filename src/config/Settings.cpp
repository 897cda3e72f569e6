#include <cstdio>

#include "config/SettingsFile.h"

namespace seamster {

namespace {

// One stored setting: its key in the file and the field that holds it.
struct SettingKey {
    const char* key;
    int32_t Settings::*integer = nullptr;
    std::string Settings::*text = nullptr;
};

// Every key after ApplicationName and Version, in the order of the file.
constexpr SettingKey storedKeys[] = {
    {"Auto Quit", &Settings::autoQuit},
    {"Ask Before Quit", &Settings::askBeforeQuit},
    {"Remember Window Position", &Settings::rememberWindowPosition},
    {"Selected Pack", nullptr, &Settings::selectedPack},
    {"Install Directory", nullptr, &Settings::installDirectory},
    {"Sims Folder Count", &Settings::simsFolderCount},
    {"RunBodyshop", nullptr, &Settings::runBodyshop},
    {"Image Path", nullptr, &Settings::imagePath},
    {"Last Image", nullptr, &Settings::lastImage},
    {"Window X", &Settings::windowX},
    {"Window Y", &Settings::windowY},
    {"Orphan Projects", &Settings::orphanProjects},
    {"In Front", nullptr, &Settings::inFront},
    {"In Back", nullptr, &Settings::inBack},
    {"Start Number", nullptr, &Settings::startNumber},
    {"Copy To", nullptr, &Settings::copyTo},
    {"Copy To Display", nullptr, &Settings::copyToDisplay},
    {"Go Back Weeks", &Settings::goBackWeeks},
    {"Bodyshop Number", &Settings::bodyshopNumber},
    {"Keep Number", &Settings::keepNumber},
    {"Copy Packages", &Settings::copyPackages},
    {"In The Last", &Settings::inTheLast},
    {"Custom Number", &Settings::customNumber},
    {"Last Used", nullptr, &Settings::lastUsed},
    {"Packages Folder", nullptr, &Settings::packagesFolder},
    {"Path Display", nullptr, &Settings::pathDisplay},
    {"Search", nullptr, &Settings::search},
    {"Other Folder", &Settings::otherFolder},
};

}  // namespace

void loadSettings(Settings& settings, FileSystem& fs, TextCodec& codec,
                  const std::string& programFolder) {
    const Settings defaults;
    SettingsFile file(fs, codec, programFolder);
    file.open(settingsFileName);  // no file simply means every default
    for (const SettingKey& entry : storedKeys) {
        if (entry.integer)
            settings.*entry.integer = file.readInteger(entry.key, defaults.*entry.integer);
        else
            settings.*entry.text = file.readText(entry.key, defaults.*entry.text);
    }
    file.close();
}

bool saveSettings(Settings& settings, FileSystem& fs, TextCodec& codec, Clock& clock,
                  const std::string& programFolder) {
    SettingsFile file(fs, codec, programFolder);
    if (!file.create(settingsFileName)) return false;
    settings.simsFolderCount = settings.currentFolderCount;

    // The last-use date written is today's; the field keeps the date read at
    // start, which the package finder filters by for the rest of the run.
    const std::string today = formatDateText(clock.today());
    const bool rememberPosition = settings.rememberWindowPosition != 0;

    file.writeText("ApplicationName", "Seamster");
    file.writeBytes("Version", versionText);
    for (const SettingKey& entry : storedKeys) {
        const std::string_view key = entry.key;
        if (key == "Window X" || key == "Window Y")
            file.writeInteger(key, rememberPosition ? settings.*entry.integer : 0);
        else if (key == "Last Used")
            file.writeText(key, today);
        else if (entry.integer)
            file.writeInteger(key, settings.*entry.integer);
        else
            file.writeText(key, settings.*entry.text);
    }
    return file.close();
}

}  // namespace seamster
