#include "config/Installation.h"

#include "config/Editions.h"
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

// Never a pack without a Body Shop pre-selected while another has one.
void preferPackWithBodyShop(App& app, const std::vector<std::string>& packs) {
    FileSystem& fs = app.fs();
    const std::string& folder = app.settings.game.installDirectory;
    const int position = app.setUpListPosition;
    if (position >= 0 && position < int(packs.size()) &&
        bodyShopExists(fs, folder, storedPack(fs, folder, packs[size_t(position)])))
        return;
    if (const int first = firstWithBodyShop(fs, folder, packs); first >= 0)
        app.setUpListPosition = first;
}

// `entries`: the install folder's listing.
void chooseFromSetUpWindow(App& app, SetUpView& view, const std::vector<DirEntry>& entries) {
    std::vector<std::string> packs;
    Settings& settings = app.settings;
    const std::string& current = settings.game.selectedPack;
    for (const DirEntry& entry : entries) {
        if (!isListedGameFolder(entry)) continue;
        // The stored form counts too, so the current pack is what "OK" keeps:
        // the window has no other way out.
        if (entry.name == current ||
            storedPack(app.fs(), settings.game.installDirectory, entry.name) == current)
            app.setUpListPosition = int(packs.size());
        packs.push_back(entry.name);
    }
    preferPackWithBodyShop(app, packs);
    int chosen = view.runSetUpWindow(packs, app.setUpListPosition);
    if (chosen < 0) return;  // the window could not be opened: nothing changes
    settings.game.selectedPack = chosen < int(packs.size()) ? packs[size_t(chosen)] : std::string();
    settings.game.selectedPack =
        storedPack(app.fs(), settings.game.installDirectory, settings.game.selectedPack);
    settings.game.runBodyshop =
        bodyShopPath(settings.game.installDirectory, settings.game.selectedPack);
    // A save that fails is said once: the choice stays in memory and the save
    // at the program's end tries again.
    saveSettingsOrSay(app);
}

void readInstallDirectory(Settings& settings, Registry& registry) {
    const RegistryEntry& entry = discs().registryFolders.front().entry;
    const RegistryText installDir = readRegistryText(registry, entry.key, entry.value);
    settings.game.runBodyshop = installDir.text;
    if (!installDir.found() || isNetworkPath(installDir.text))
        settings.game.installDirectory = "C:\\Program Files\\EA GAMES";
    else  // the value names the base game's folder, "...\The Sims 2"
        settings.game.installDirectory = settings.game.runBodyshop.substr(
            0, settings.game.runBodyshop.size() -
                   std::min<size_t>(10, settings.game.runBodyshop.size()));
}

// Another edition, or the discs somewhere else, in place of the install folder.
std::optional<FoundInstallation> adoptOtherInstallation(App& app) {
    std::optional<FoundInstallation> found = findInstallation(app.platform);
    if (found) app.settings.game.installDirectory = found->folder;
    return found;
}

void chooseFolderByBrowsing(App& app, SetUpView& view, std::vector<DirEntry>& entries) {
    Settings& settings = app.settings;
    app.dialogs().showMessage(noInstallationText, iconStop);
    std::string chosen = view.browseForFolder(browseTitle, "C:\\");
    settings.game.installDirectory = chosen.empty() ? chosen : chosen.substr(0, chosen.size() - 1);
    scanInstallFolder(app.fs(), settings.game.installDirectory, app.programFolder, entries);
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

void discoverInstallation(App& app, SetUpView& view) {
    Settings& settings = app.settings;
    std::optional<FoundInstallation> adopted;
    bool lookedElsewhere = false;
    // A game is never looked for on another computer, whatever the settings file says.
    if (isNetworkPath(settings.game.installDirectory)) settings.game.installDirectory.clear();
    if (settings.game.installDirectory.empty()) {
        readInstallDirectory(settings, app.platform.registry);
        // The registry value and the default folder are the discs' own rule;
        // every other edition is looked for when it leads to no disc pack
        // with a Body Shop. (The EA app puts the Legacy Collection into that
        // same default folder, one level further down.)
        if (!holdsBodyShop(app.fs(), settings.game.installDirectory, false)) {
            adopted = adoptOtherInstallation(app);
            lookedElsewhere = true;
        }
    }
    std::vector<DirEntry> entries;
    bool scanned =
        scanInstallFolder(app.fs(), settings.game.installDirectory, app.programFolder, entries);
    if (!scanned && !lookedElsewhere && (adopted = adoptOtherInstallation(app)))
        scanned =
            scanInstallFolder(app.fs(), settings.game.installDirectory, app.programFolder, entries);
    if (!scanned) chooseFolderByBrowsing(app, view, entries);
    settings.game.currentFolderCount = 0;
    for (const DirEntry& entry : entries)
        if (isQualifyingGameFolder(entry)) ++settings.game.currentFolderCount;
    app.edition =
        describeInstallation(settings.game.installDirectory, app.platform.registry, app.fs());
    // Nothing to choose: start-up and "Run Bodyshop" say what is missing.
    if (app.edition.bodyShopMissing) return;
    // A collection's Body Shop added since the last start brings the window
    // up as a new pack would.
    const bool bodyShopAdded =
        app.edition.collection && app.fs().exists(settings.game.runBodyshop) != PathKind::file;
    if (!adopted && !bodyShopAdded &&
        settings.game.currentFolderCount == settings.game.simsFolderCount)
        return;
    chooseFromSetUpWindow(app, view, entries);
}

GameEdition describeInstallation(const std::string& installDirectory, Registry& registry,
                                 FileSystem& fs) {
    GameEdition edition = describeEdition(registry, editionOf(fs, installDirectory));
    edition.bodyShopMissing = edition.collection && !holdsBodyShop(fs, installDirectory);
    return edition;
}

}  // namespace seamster
