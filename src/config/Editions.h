#pragma once
// Where each edition of the game lives and keeps its Body Shop. The discs put
// one folder per pack into an EA GAMES folder, each with its Body Shop in
// CSBin. The Ultimate Collection groups the packs into collection folders,
// some of which hold pack folders; its Body Shop is in Fun with Pets\SP9. The
// Legacy Collection has flat pack folders and comes without a Body Shop until
// a creator adds one to a pack's CSBin folder.

#include <optional>
#include <string>
#include <vector>

#include "core/App.h"

namespace seamster {

// A registry entry's text value.
struct RegistryEntry {
    RegistryRoot root;
    const char* key;
    const char* value;
};

// A registry entry that names a folder inside an installation, `levelsUp`
// folders below the installation folder; with `eachSubKey` the entry is read
// under every sub-key of `key`.
struct RegistryFolder {
    RegistryEntry entry;
    int levelsUp = 0;
    bool eachSubKey = false;
};

// One edition of the game: where it is looked for, how its folder is told
// apart from the others', and what it is called.
struct EditionFacts {
    // The name the game shows when its registry entry does not say.
    const char* name;
    // A collection: its packs may sit in collection folders, and it may come
    // without a Body Shop.
    bool collection = false;
    // The registry entries that lead to it, in the order they are tried.
    std::vector<RegistryFolder> registryFolders{};
    // The name the game shows, which is also its user game folder's name.
    std::optional<RegistryEntry> nameEntry{};
    // Where its installers put it under Program Files.
    std::vector<const char*> usualFolders{};
    // Where it lies in a Steam library, if it is sold there.
    const char* steamFolder = nullptr;
    // The folders that tell its installation folder apart: every folder of
    // any one of these sets. None for the discs, which are what is left.
    std::vector<std::vector<const char*>> layouts{};
};

// Every edition, the discs first; installations are looked for in this
// order, and a folder is the first edition whose layout it has.
const std::vector<EditionFacts>& editions();
const EditionFacts& discs();

// `pack` as `Selected Pack` stores it ("The Sims 2", "Fun with Pets\SP9").
bool bodyShopExists(FileSystem& fs, const std::string& installDirectory, const std::string& pack);

// How a listed game folder is stored as `Selected Pack`: the folder itself,
// or, when its Body Shop is one level further down, the pack folder inside
// that holds it ("Fun with Pets\SP9"). Double Deluxe always runs through its
// SP4 folder. `lookInside` false keeps to the discs' own rule.
std::string storedPack(FileSystem& fs, const std::string& installDirectory,
                       const std::string& listedName, bool lookInside = true);

// The listed game folders of an installation folder, in listing order.
std::vector<std::string> listedGameFolders(FileSystem& fs, const std::string& installDirectory);

// The position in `listed` of the first folder with a Body Shop, or -1.
int firstWithBodyShop(FileSystem& fs, const std::string& installDirectory,
                      const std::vector<std::string>& listed, bool lookInside = true);
bool holdsBodyShop(FileSystem& fs, const std::string& installDirectory, bool lookInside = true);

// Which edition an installation folder holds, told by its layout.
const EditionFacts& editionOf(FileSystem& fs, const std::string& installDirectory);

// The edition's name and user game folder, from the registry entry the
// edition keeps; the Body Shop is not looked at.
GameEdition describeEdition(Registry& registry, const EditionFacts& edition);

// The box for a collection without a Body Shop: what is missing and what to do.
std::string noBodyShopText(const GameEdition& edition);

// The About window's line on the game found: the edition's name, then the
// user game folder in use when it is not the edition's own. Empty for the
// discs with their own folder, as it always was.
std::string editionLine(const GameEdition& edition, const GamePaths& paths);

// Whether `name` can be one folder under Documents\EA Games.
bool isPlainFolderName(const std::string& name);

struct FoundInstallation {
    std::string folder;
    const EditionFacts* edition = nullptr;
    bool hasBodyShop = false;
};

// Where an installation may be, most likely first: the registry entries of
// the editions, then the usual folders under Program Files, then Steam's
// library folders. Each once, without a trailing backslash.
std::vector<std::string> installationCandidates(Platform& platform);

// The first candidate with a Body Shop; otherwise the first collection found
// without one; otherwise nothing.
std::optional<FoundInstallation> findInstallation(Platform& platform);

}  // namespace seamster
