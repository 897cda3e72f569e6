#include <cstdio>

#include "config/SettingsFile.h"

namespace seamster {

namespace {

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

// Every key after ApplicationName and Version, in the order of the file.
constexpr SettingKey storedKeys[] = {
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

}  // namespace

void loadSettings(Settings& settings, FileSystem& fs, TextCodec& codec,
                  const std::string& programFolder) {
    Settings defaults;
    SettingsFile file(fs, codec, programFolder);
    file.open(settingsFileName);  // no file simply means every default
    for (const SettingKey& entry : storedKeys) {
        if (entry.integer)
            *entry.integer(settings) = file.readInteger(entry.key, *entry.integer(defaults));
        else
            *entry.text(settings) = file.readText(entry.key, *entry.text(defaults));
    }
    file.close();
}

bool saveSettings(Settings& settings, FileSystem& fs, TextCodec& codec, Clock& clock,
                  const std::string& programFolder) {
    SettingsFile file(fs, codec, programFolder);
    if (!file.create(settingsFileName)) return false;
    settings.game.simsFolderCount = settings.game.currentFolderCount;

    // The last-use date written is today's; the field keeps the date read at
    // start, which the package finder filters by for the rest of the run.
    const std::string today = formatDateText(clock.today());
    const bool rememberPosition = settings.options.rememberWindowPosition != 0;

    file.writeText("ApplicationName", "Seamster");
    file.writeBytes("Version", versionText);
    for (const SettingKey& entry : storedKeys) {
        const std::string_view key = entry.key;
        if (key == "Window X" || key == "Window Y")
            file.writeInteger(key, rememberPosition ? *entry.integer(settings) : 0);
        else if (key == "Last Used")
            file.writeText(key, today);
        else if (entry.integer)
            file.writeInteger(key, *entry.integer(settings));
        else
            file.writeText(key, *entry.text(settings));
    }
    return file.close();
}

std::string settingsUnsavedText(const std::string& programFolder) {
    std::string folder = programFolder;
    if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    return "Seamster can't save its settings.\n"
           "The file Seamster.ini cannot be written in the folder\n" +
           folder +
           "\n\nWhat you choose now will be forgotten when Seamster ends. Please move the "
           "Seamster folder to a folder of your own that you can write to (not Program Files), "
           "and start Seamster from there.";
}

bool saveSettingsOrSay(App& app) {
    if (saveSettings(app.settings, app.fs(), app.platform.codec, app.platform.clock,
                     app.programFolder))
        return true;
    if (!app.told.settingsUnsaved)
        app.dialogs().showMessage(settingsUnsavedText(app.programFolder), iconExclamation);
    app.told.settingsUnsaved = true;
    return false;
}

}  // namespace seamster
