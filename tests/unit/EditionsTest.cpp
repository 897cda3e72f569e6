#include <gtest/gtest.h>

#include "app/StartUp.h"
#include "config/Installation.h"
#include "fakes/FakeApp.h"

namespace seamster {
namespace {

using Items = std::vector<std::string>;

// One installed game laid out as its edition does, found from a first start
// without settings.
struct EditionCase {
    const char* what;
    Items files;  // those ending in a backslash are folders
    // HKLM or HKCU, key, value name, text.
    std::vector<std::array<std::string, 4>> registry;
    Items userFolders;  // under Documents\EA Games, in listing order
    // The install folder, the pack pre-selected and stored, the edition's
    // name and the user game folder used.
    Items expected;
};

const std::string steamLegacy = "D:\\SteamLibrary\\steamapps\\common\\The Sims 2 Legacy Collection";
// The EA app puts it into the discs' default folder.
const std::string eaLegacy = "C:\\Program Files\\EA Games\\The Sims 2 Legacy";
const std::string bodyShop = "\\CSBin\\TS2BodyShop.exe";
const std::string discKey = "Software\\EA GAMES\\The Sims 2";
const std::string legacyKey = "Software\\Electronic Arts\\The Sims 2 Ultimate Collection 25";
const std::string steamLibraries = "C:\\Program Files (x86)\\Steam\\steamapps\\libraryfolders.vdf";

const EditionCase editionCases[] = {
    {"Legacy Collection in a second Steam library, Body Shop added to EP9",
     {steamLegacy + "\\Base\\", steamLegacy + "\\EP1\\", steamLegacy + "\\EP9\\TSBin\\Sims2EP9.exe",
      steamLegacy + "\\EP9" + bodyShop, steamLegacy + "\\SP7\\"},
     {},
     {"The Sims 2"},
     {steamLegacy, "EP9", "EP9", "The Sims 2 Legacy Collection", "The Sims 2"}},
    {"Legacy Collection of the EA app, known from its per-pack keys",
     {eaLegacy + "\\Base\\", eaLegacy + "\\EP9\\", eaLegacy + "\\SP7" + bodyShop},
     {{"HKCU", legacyKey, "DisplayName", "Los Sims 2 Legado"},
      {"HKCU", legacyKey + "\\Sims2EP9.exe", "Path", eaLegacy + "\\EP9\\"}},
     {"The Sims 2", "Los Sims 2 Legado"},
     {eaLegacy, "SP7", "SP7", "Los Sims 2 Legado", "Los Sims 2 Legado"}},
    {"Discs where the registry says, beside a Legacy Collection",
     {"C:\\Program Files\\EA GAMES\\The Sims 2" + bodyShop, eaLegacy + "\\Base\\",
      eaLegacy + "\\EP9" + bodyShop},
     {{"HKLM", discKey, "Install Dir", "C:\\Program Files\\EA GAMES\\The Sims 2"},
      {"HKCU", legacyKey + "\\Sims2EP9.exe", "Path", eaLegacy + "\\EP9"}},
     {"Old Copy", "The Sims 2"},
     {"C:\\Program Files\\EA GAMES\\", "The Sims 2", "The Sims 2", "The Sims 2", "The Sims 2"}},
};

// A machine with one layout, started for the first time.
struct Machine : FakeApp {
    explicit Machine(const EditionCase& c) {
        for (const std::string& path : c.files) {
            if (path.back() == '\\')
                fs().addFolder(path.substr(0, path.size() - 1));
            else
                fs().addFile(path);
        }
        fs().addFile(steamLibraries,
                     "\"libraryfolders\" { \"1\" { \"path\" \"D:\\\\SteamLibrary\" } }");
        for (const auto& [root, key, name, text] : c.registry)
            services.registry.set(
                root == "HKCU" ? RegistryRoot::currentUser : RegistryRoot::localMachine, key, name,
                text);
        for (const std::string& folder : c.userFolders)
            fs().addFolder(std::string(documents) + "EA Games\\" + folder + "\\Neighborhoods");
        EXPECT_TRUE(startUp(app, view, view));
    }
};

TEST(Editions, EachIsFoundWithItsBodyShopAndUserFolder) {
    for (const EditionCase& c : editionCases) {
        SCOPED_TRACE(c.what);
        Machine machine(c);
        const App& app = machine.app;
        ASSERT_EQ(machine.view.setUpRuns, 1);
        const int offered = machine.view.setUpOffered;
        ASSERT_GE(offered, 0);
        EXPECT_EQ(
            (Items{app.settings.game.installDirectory, machine.view.setUpPacks[size_t(offered)],
                   app.settings.game.selectedPack, app.edition.name,
                   app.paths.userFolderName.substr(0, app.paths.userFolderName.size() - 1)}),
            c.expected);
        EXPECT_EQ(machine.fs().exists(app.settings.game.runBodyshop), PathKind::file);
        EXPECT_EQ(machine.view.browseRuns + machine.dialogs().boxes.size(), 0u);
    }
}

}  // namespace
}  // namespace seamster
