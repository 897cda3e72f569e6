#include "config/Installation.h"

#include "config/SettingsFile.h"
#include "platform/Text.h"

namespace seamster {

namespace {
const char noInstallationText[] =
    "Can't find your Sims2 Installation\n"
    "\nYou will need to set this manually\n"
    "by selecting your EA GAMES folder in the next window"
    "\n\nExample - for a default installation you would go to:\n"
    "C:\\Program Files\\ and click on the EA GAMES folder";
const char browseTitle[] =
    "Select the EA GAMES folder in the location\nwhere your Sims2 game is installed";

// Without an install folder, Seamster's own folder is looked at.
bool scanInstallFolder(FileSystem& fs, const std::string& installDirectory,
                       const std::string& programFolder, std::vector<DirEntry>& entries) {
    return fs.list(installDirectory.empty() ? programFolder : withBackslash(installDirectory),
                   "*.*", entries);
}

// The pack as it is stored: Double Deluxe keeps its Body Shop in its SP4 folder.
std::string storedPack(const std::string& listedName) {
    return listedName == "The Sims 2 Double Deluxe" ? listedName + "\\SP4" : listedName;
}

// `entries`: the install folder's listing.
void chooseFromSetUpWindow(App& app, MainView& view, const std::vector<DirEntry>& entries) {
    std::vector<std::string> packs;
    const std::string& current = app.settings.selectedPack;
    for (const DirEntry& entry : entries) {
        if (!isListedGameFolder(entry)) continue;
        // The stored form counts too, so the current pack is what "OK" keeps:
        // the window has no other way out.
        if (entry.name == current || storedPack(entry.name) == current)
            app.setUpListPosition = int(packs.size());
        packs.push_back(entry.name);
    }
    int chosen = view.runSetUpWindow(packs, app.setUpListPosition);
    if (chosen < 0) return;  // the window could not be opened: nothing changes
    Settings& settings = app.settings;
    settings.selectedPack = chosen < int(packs.size()) ? packs[size_t(chosen)] : std::string();
    settings.selectedPack = storedPack(settings.selectedPack);
    settings.runBodyshop = bodyShopPath(settings.installDirectory, settings.selectedPack);
    // A save that fails is silent: the choice stays in memory and the save
    // at the program's end tries again.
    static_cast<void>(saveSettings(settings, app.fs(), app.platform.codec, app.platform.clock,
                                   app.programFolder));
}
}  // namespace

RegistryText readRegistryText(Registry& registry, const std::string& keyPath,
                              const std::string& valueName) {
    RegistryText read;
    read.result = registry.readLocalMachineText(keyPath, valueName, read.text);
    switch (read.result) {
    case RegistryRead::ok: break;
    case RegistryRead::openFailed: read.text = "Openkey-Error"; break;
    case RegistryRead::readFailed: read.text = "Readkey-Error"; break;
    }
    return read;
}

bool isQualifyingGameFolder(const DirEntry& entry) {
    return entry.isFolder && entry.name.size() > 2;
}

bool isListedGameFolder(const DirEntry& entry) {
    return isQualifyingGameFolder(entry) && !startsWith(entry.name, "z") &&
           entry.name.find("HomeCrafter") == std::string::npos;
}

std::string bodyShopPath(const std::string& installDirectory, const std::string& selectedPack) {
    return installDirectory + "\\" + selectedPack + "\\CSBin\\TS2BodyShop.exe";
}

void discoverInstallation(App& app, MainView& view) {
    Settings& settings = app.settings;
    if (settings.installDirectory.empty()) {
        const RegistryText installDir = readRegistryText(
            app.platform.registry, "Software\\EA GAMES\\The Sims 2", "Install Dir");
        settings.runBodyshop = installDir.text;
        if (!installDir.found())
            settings.installDirectory = "C:\\Program Files\\EA GAMES";
        else  // the value names the base game's folder, "...\The Sims 2"
            settings.installDirectory = settings.runBodyshop.substr(
                0, settings.runBodyshop.size() - std::min<size_t>(10, settings.runBodyshop.size()));
    }
    std::vector<DirEntry> entries;
    if (!scanInstallFolder(app.fs(), settings.installDirectory, app.programFolder, entries)) {
        app.dialogs().showMessage(noInstallationText, iconStop);
        std::string chosen = view.browseForFolder(browseTitle, "C:\\");
        settings.installDirectory = chosen.empty() ? chosen : chosen.substr(0, chosen.size() - 1);
        scanInstallFolder(app.fs(), settings.installDirectory, app.programFolder, entries);
    }
    settings.currentFolderCount = 0;
    for (const DirEntry& entry : entries)
        if (isQualifyingGameFolder(entry)) ++settings.currentFolderCount;
    if (settings.currentFolderCount == settings.simsFolderCount) return;
    chooseFromSetUpWindow(app, view, entries);
}

}  // namespace seamster
