#include <cstdio>

#include "config/SettingsFile.h"

namespace seamster {

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
