#include "config/Editions.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "config/Installation.h"
#include "config/SteamLibraries.h"
#include "platform/Text.h"

namespace seamster {

const std::vector<EditionFacts>& editions() {
    constexpr auto machine = RegistryRoot::localMachine;
    constexpr auto user = RegistryRoot::currentUser;
    // The discs' key, which the Ultimate Collection keeps too.
    static constexpr char discsKey[] = "Software\\EA GAMES\\The Sims 2";
    // The Legacy Collection's own key; its name really is that of the older edition.
    static constexpr char legacyKey[] =
        "Software\\Electronic Arts\\The Sims 2 Ultimate Collection 25";
    static const std::vector<EditionFacts> all = {
        // Each pack in a folder of EA GAMES, its Body Shop in the pack's CSBin
        // folder; the entry names the base game's folder.
        {"The Sims 2", false, {{{machine, discsKey, "Install Dir"}, 1}}, {}, {"EA GAMES"}},
        // Packs grouped in collection folders, some of which hold pack
        // folders; the Body Shop is in Fun with Pets\SP9. The entry names
        // Double Deluxe\Base.
        {"The Sims 2 Ultimate Collection",
         true,
         {{{machine, discsKey, "Install Dir"}, 2}},
         RegistryEntry{machine, discsKey, "DisplayName"},
         {"Origin Games\\The Sims 2 Ultimate Collection",
          "EA Games\\The Sims 2 Ultimate Collection"},
         nullptr,
         {{"Double Deluxe\\Base"}, {"Fun with Pets\\SP9"}}},
        // Flat pack folders, without a Body Shop until a creator adds one to
        // a pack's CSBin folder. The game keeps each pack's folder per user;
        // Steam keeps the whole.
        {"The Sims 2 Legacy Collection",
         true,
         {{{user, legacyKey, "Path"}, 1, true},
          {{machine, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Steam App 3314070",
            "InstallLocation"}}},
         RegistryEntry{user, legacyKey, "DisplayName"},
         {"EA Games\\The Sims 2 Legacy"},
         "steamapps\\common\\The Sims 2 Legacy Collection",
         {{"Base", "EP9"}}},
    };
    return all;
}

const EditionFacts& discs() { return editions().front(); }

namespace {

const char steamKey[] = "Software\\Valve\\Steam";
// A libraryfolders.vdf is a few kilobytes; anything far larger is not one.
constexpr size_t maxLibraryFileBytes = 1 << 20;

std::optional<std::string> registryText(Registry& registry, RegistryRoot root,
                                        const std::string& key, const char* name) {
    std::string text;
    if (registry.readText(root, key, name, text) != RegistryRead::ok) return std::nullopt;
    return text;
}

// A folder as the registry or Steam writes it: forward slashes turned round,
// no trailing backslash.
std::string folderText(std::string text) {
    std::replace(text.begin(), text.end(), '/', '\\');
    while (text.size() > 3 && text.back() == '\\') text.pop_back();
    return text;
}

std::string parentOf(const std::string& folder) {
    const size_t at = folder.find_last_of('\\');
    return at == std::string::npos ? std::string() : folder.substr(0, at);
}

// Folders in the order they were added, each once, full local paths only
// (the registry and Steam's list are outside input: a relative text would
// name the current folder, and a network path another computer).
class FolderList {
public:
    void add(const std::string& text) {
        std::string folder = folderText(text);
        if (!isAbsolutePath(folder) || isNetworkPath(folder) || folder.size() < 4) return;
        if (std::any_of(folders_.begin(), folders_.end(),
                        [&](const std::string& known) { return equalsIgnoreCase(known, folder); }))
            return;
        folders_.push_back(std::move(folder));
    }
    std::vector<std::string> take() { return std::move(folders_); }

private:
    std::vector<std::string> folders_;
};

std::vector<std::string> programFilesFolders(Shell& shell) {
    FolderList folders;
    folders.add(shell.specialFolder(SpecialFolder::programFiles));
    folders.add(shell.specialFolder(SpecialFolder::programFilesX86));
    folders.add("C:\\Program Files");
    folders.add("C:\\Program Files (x86)");
    return folders.take();
}

// The installation folder an entry's text leads to.
void addRegistryFolder(Registry& registry, const RegistryFolder& place, const std::string& key,
                       FolderList& folders) {
    const RegistryEntry& entry = place.entry;
    if (auto text = registryText(registry, entry.root, key, entry.value)) {
        std::string folder = folderText(*text);
        for (int up = 0; up < place.levelsUp; ++up) folder = parentOf(folder);
        folders.add(folder);
    }
}

void addRegistryFolders(Registry& registry, FolderList& folders) {
    for (const EditionFacts& edition : editions()) {
        for (const RegistryFolder& place : edition.registryFolders) {
            const RegistryEntry& entry = place.entry;
            if (!place.eachSubKey) {
                addRegistryFolder(registry, place, entry.key, folders);
                continue;
            }
            for (const std::string& sub : registry.subKeyNames(entry.root, entry.key))
                addRegistryFolder(registry, place, std::string(entry.key) + "\\" + sub, folders);
        }
    }
}

void addSteamLibraries(Platform& platform, const std::vector<std::string>& programFolders,
                       FolderList& folders) {
    FolderList steams;
    if (auto path =
            registryText(platform.registry, RegistryRoot::currentUser, steamKey, "SteamPath"))
        steams.add(*path);
    if (auto path =
            registryText(platform.registry, RegistryRoot::localMachine, steamKey, "InstallPath"))
        steams.add(*path);
    for (const std::string& programs : programFolders) steams.add(programs + "\\Steam");
    auto addEditions = [&folders](const std::string& library) {
        for (const EditionFacts& edition : editions())
            if (edition.steamFolder) folders.add(library + "\\" + edition.steamFolder);
    };
    for (const std::string& steam : steams.take()) {
        addEditions(steam);
        const auto libraries =
            platform.fs.readFile(steam + "\\steamapps\\libraryfolders.vdf", maxLibraryFileBytes);
        if (!libraries) continue;
        for (const std::string& library : steamLibraryPaths(*libraries))
            addEditions(folderText(library));
    }
}

bool isFolder(FileSystem& fs, const std::string& folder, const char* inside) {
    return fs.exists(withBackslash(folder) + inside) == PathKind::folder;
}

bool hasLayout(FileSystem& fs, const std::string& folder, const EditionFacts& edition) {
    return std::any_of(edition.layouts.begin(), edition.layouts.end(), [&](const auto& inside) {
        return std::all_of(inside.begin(), inside.end(),
                           [&](const char* name) { return isFolder(fs, folder, name); });
    });
}

}  // namespace

bool bodyShopExists(FileSystem& fs, const std::string& installDirectory, const std::string& pack) {
    return !pack.empty() && fs.exists(bodyShopPath(installDirectory, pack)) == PathKind::file;
}

std::string storedPack(FileSystem& fs, const std::string& installDirectory,
                       const std::string& listedName, bool lookInside) {
    if (listedName == "The Sims 2 Double Deluxe") return listedName + "\\SP4";
    if (!lookInside || listedName.empty() || bodyShopExists(fs, installDirectory, listedName))
        return listedName;
    // A collection folder whose packs are folders of their own.
    std::vector<DirEntry> inside;
    if (!fs.list(withBackslash(installDirectory) + listedName, "*", inside)) return listedName;
    for (const DirEntry& entry : inside) {
        if (!entry.isFolder) continue;
        const std::string pack = listedName + "\\" + entry.name;
        if (bodyShopExists(fs, installDirectory, pack)) return pack;
    }
    return listedName;
}

std::vector<std::string> listedGameFolders(FileSystem& fs, const std::string& installDirectory) {
    std::vector<std::string> listed;
    std::vector<DirEntry> entries;
    if (installDirectory.empty() || !fs.list(withBackslash(installDirectory), "*.*", entries))
        return listed;
    for (const DirEntry& entry : entries)
        if (isListedGameFolder(entry)) listed.push_back(entry.name);
    return listed;
}

int firstWithBodyShop(FileSystem& fs, const std::string& installDirectory,
                      const std::vector<std::string>& listed, bool lookInside) {
    for (size_t i = 0; i < listed.size(); ++i)
        if (bodyShopExists(fs, installDirectory,
                           storedPack(fs, installDirectory, listed[i], lookInside)))
            return int(i);
    return -1;
}

bool holdsBodyShop(FileSystem& fs, const std::string& installDirectory, bool lookInside) {
    return firstWithBodyShop(fs, installDirectory, listedGameFolders(fs, installDirectory),
                             lookInside) >= 0;
}

const EditionFacts& editionOf(FileSystem& fs, const std::string& installDirectory) {
    if (installDirectory.empty()) return discs();
    for (const EditionFacts& edition : editions())
        if (hasLayout(fs, installDirectory, edition)) return edition;
    return discs();
}

bool isPlainFolderName(const std::string& name) {
    if (name.empty() || name.size() > 200 || name == "." || name == "..") return false;
    if (name.back() == '.' || name.back() == ' ') return false;  // Windows would drop them
    return std::none_of(name.begin(), name.end(), [](char c) {
        return uint8_t(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string::npos;
    });
}

GameEdition describeEdition(Registry& registry, const EditionFacts& facts) {
    GameEdition edition;
    edition.collection = facts.collection;
    if (!facts.nameEntry) return edition;
    // The name the game shows, and the name of its folder under Documents\EA
    // Games, which differs between editions and languages ("The Sims™ 2
    // Ultimate Collection", "Los Sims 2 Legado").
    const RegistryEntry& entry = *facts.nameEntry;
    std::optional<std::string> shown = registryText(registry, entry.root, entry.key, entry.value);
    if (shown && !isPlainFolderName(*shown)) shown.reset();
    edition.name = shown.value_or(facts.name);
    edition.userFolderName = shown.value_or("");
    return edition;
}

std::string noBodyShopText(const GameEdition& edition) {
    return edition.name +
           " has no Body Shop.\n\n"
           "This edition of the game comes without it. Add the Body Shop with a community "
           "installer, which puts TS2BodyShop.exe into a CSBin folder of the game, then start "
           "Seamster again.\n\n"
           "Renaming packages, backgrounds and cleaning up projects work without it.";
}

std::string editionLine(const GameEdition& edition, const GamePaths& paths) {
    std::string folder;
    if (paths.userFolderFound && !paths.userFolderName.empty())
        folder = paths.userFolderName.substr(0, paths.userFolderName.size() - 1);
    const bool ownFolder = folder.empty() || equalsIgnoreCase(folder, edition.userFolderName);
    if (!edition.collection && ownFolder) return {};
    return ownFolder ? edition.name : edition.name + " \xE2\x80\x93 " + folder;
}

std::vector<std::string> installationCandidates(Platform& platform) {
    FolderList folders;
    addRegistryFolders(platform.registry, folders);
    const std::vector<std::string> programFolders = programFilesFolders(platform.shell);
    for (const std::string& programs : programFolders)
        for (const EditionFacts& edition : editions())
            for (const char* usual : edition.usualFolders) folders.add(programs + "\\" + usual);
    addSteamLibraries(platform, programFolders, folders);
    return folders.take();
}

std::optional<FoundInstallation> findInstallation(Platform& platform) {
    std::optional<FoundInstallation> withoutBodyShop;
    for (const std::string& folder : installationCandidates(platform)) {
        if (platform.fs.exists(folder) != PathKind::folder) continue;
        const EditionFacts& edition = editionOf(platform.fs, folder);
        // A disc pack keeps its Body Shop directly inside: looking deeper in
        // a folder such as Program Files would find packs of another folder.
        if (firstWithBodyShop(platform.fs, folder, listedGameFolders(platform.fs, folder),
                              edition.collection) >= 0)
            return FoundInstallation{folder, &edition, true};
        if (edition.collection && !withoutBodyShop)
            withoutBodyShop = FoundInstallation{folder, &edition, false};
    }
    return withoutBodyShop;
}

}  // namespace seamster
