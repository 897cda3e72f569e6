#pragma once
// Finding the game's EA GAMES folder and the pack whose Body Shop is started.

#include <string>
#include <vector>

#include "core/App.h"

namespace seamster {

// A text value read from the registry. When it cannot be read, `text` holds
// "Openkey-Error" or "Readkey-Error", which the settings keep in its place.
struct RegistryText {
    RegistryRead result = RegistryRead::openFailed;
    std::string text;
    bool found() const { return result == RegistryRead::ok; }
};
RegistryText readRegistryText(Registry& registry, const std::string& keyPath,
                              const std::string& valueName);

// A sub-folder of the EA GAMES folder that counts as an installed game.
bool isQualifyingGameFolder(const DirEntry& entry);
// A qualifying folder that is offered in the set-up window.
bool isListedGameFolder(const DirEntry& entry);
std::string bodyShopPath(const std::string& installDirectory, const std::string& selectedPack);

// The windows the discovery may open over the main window.
class SetUpView {
public:
    virtual ~SetUpView() = default;
    // The set-up window: offers `packs` with `selected` pre-selected and
    // returns the position chosen with "OK", or -1 when it could not open.
    virtual int runSetUpWindow(const std::vector<std::string>& packs, int selected) = 0;
    // The folder-browse requester; the chosen folder with a trailing
    // backslash, or "" when cancelled.
    virtual std::string browseForFolder(const std::string& title, const std::string& start) = 0;
};

void discoverInstallation(App& app, SetUpView& view);
// Which edition the install folder holds, its names, and whether it lacks a
// Body Shop altogether.
GameEdition describeInstallation(const std::string& installDirectory, Registry& registry,
                                 FileSystem& fs);

}  // namespace seamster
