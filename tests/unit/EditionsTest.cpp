#include <gtest/gtest.h>

#include "app/StartUp.h"
#include "config/Installation.h"
#include "config/SteamLibraries.h"
#include "fakes/FakeApp.h"

namespace seamster {
namespace {

using Items = std::vector<std::string>;

TEST(SteamLibraries, PathsOfBothFormsAndNothingFromGarbage) {
    const std::pair<std::string, Items> cases[] = {
        {"\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"C:\\\\Program Files "
         "(x86)\\\\Steam\"\n"
         "\t\t\"apps\"\n\t\t{\n\t\t\t\"3314070\"\t\t\"1234\"\n\t\t}\n\t}\n"
         "\t\"1\" { \"label\" \"path\" \"PATH\" \"D:\\\\Steam \\\"Games\\\"\" }\n}",
         {"C:\\Program Files (x86)\\Steam", "D:\\Steam \"Games\""}},
        // The older form: numbered values at the first level.
        {"\"LibraryFolders\" { \"TimeNextStatsReport\" \"1\" // a note \"path\" \"X:\\\\No\"\n"
         "\"1\" \"E:\\\\Games\" }",
         {"E:\\Games"}},
        {"\"path\" \"\" \"path\" \"a\nb\" } } { \"path\" \"F:\\\\ok\" \"path\"", {"F:\\ok"}},
        {"\"path\" \"unclosed", {"unclosed"}},
        {std::string("\0{\"path\"\0", 9), {}},
    };
    for (const auto& [vdf, paths] : cases) EXPECT_EQ(steamLibraryPaths(vdf), paths) << vdf;

    std::string many;
    for (int i = 0; i < 100; ++i) many += "\"path\" \"C:\\\\L" + std::to_string(i) + "\"\n";
    EXPECT_EQ(steamLibraryPaths(many).size(), maxSteamLibraries);
    EXPECT_TRUE(steamLibraryPaths("\"path\" \"" + std::string(40000, 'x') + "\"").empty());
}

// One installed game laid out as its edition does, found from a first start
// without settings.
struct EditionCase {
    const char* what;
    // Files (with contents) and, ending in a backslash, folders.
    std::vector<std::pair<std::string, std::string>> files;
    // HKLM or HKCU, key, value name, text.
    std::vector<std::array<std::string, 4>> registry;
    Items userFolders;  // under Documents\EA Games, in listing order
    std::string installDirectory;
    std::string preselected;  // "" when no set-up window comes
    std::string selectedPack;
    std::string edition;
    std::string userFolder;
};

const std::string uc = "C:\\Program Files (x86)\\Origin Games\\The Sims 2 Ultimate Collection";
const std::string steamLegacy = "D:\\SteamLibrary\\steamapps\\common\\The Sims 2 Legacy Collection";
// The EA app puts it into the discs' default folder.
const std::string eaLegacy = "C:\\Program Files\\EA Games\\The Sims 2 Legacy";
const std::string bodyShop = "\\CSBin\\TS2BodyShop.exe";
const std::string discKey = "Software\\EA GAMES\\The Sims 2";
const std::string legacyKey = "Software\\Electronic Arts\\The Sims 2 Ultimate Collection 25";
const std::string ucName = "The Sims\xE2\x84\xA2 2 Ultimate Collection";

const EditionCase editionCases[] = {
    {"Ultimate Collection: the registry value names Double Deluxe\\Base",
     {{uc + "\\Apartment Life\\TSData\\", ""},
      {uc + "\\Double Deluxe\\Base\\", ""},
      {uc + "\\Double Deluxe\\EP2\\", ""},
      {uc + "\\Fun with Pets\\EP4\\", ""},
      {uc + "\\Fun with Pets\\SP9" + bodyShop, ""},
      {uc + "\\Seasons\\EP5\\", ""}},
     {{"HKLM", discKey, "Install Dir", uc + "\\Double Deluxe\\Base"},
      {"HKLM", discKey, "DisplayName", ucName}},
     {"The Sims 2", ucName},
     uc,
     "Fun with Pets",
     "Fun with Pets\\SP9",
     ucName,
     ucName},
    {"Legacy Collection in a second Steam library, Body Shop added to EP9",
     {{"C:\\Program Files (x86)\\Steam\\steamapps\\libraryfolders.vdf",
       "\"libraryfolders\" { \"0\" { \"path\" \"C:\\\\Program Files (x86)\\\\Steam\" }"
       " \"1\" { \"path\" \"D:\\\\SteamLibrary\" } }"},
      {steamLegacy + "\\Base\\", ""},
      {steamLegacy + "\\EP1\\", ""},
      {steamLegacy + "\\EP9\\TSBin\\Sims2EP9.exe", ""},
      {steamLegacy + "\\EP9" + bodyShop, ""},
      {steamLegacy + "\\SP7\\", ""}},
     {},
     {"The Sims 2"},
     steamLegacy,
     "EP9",
     "EP9",
     "The Sims 2 Legacy Collection",
     "The Sims 2"},
    {"Legacy Collection of the EA app, known from its per-pack keys",
     {{eaLegacy + "\\Base\\", ""}, {eaLegacy + "\\EP9\\", ""}, {eaLegacy + "\\SP7" + bodyShop, ""}},
     {{"HKCU", legacyKey, "DisplayName", "Los Sims 2 Legado"},
      {"HKCU", legacyKey + "\\Sims2EP9.exe", "Path", eaLegacy + "\\EP9\\"},
      {"HKCU", legacyKey + "\\Sims2EP9.exe", "Installed", "1"}},
     {"The Sims 2", "Los Sims 2 Legado"},
     eaLegacy,
     "SP7",
     "SP7",
     "Los Sims 2 Legado",
     "Los Sims 2 Legado"},
    {"Discs in Program Files (x86) without a registry value",
     {{"C:\\Program Files (x86)\\EA GAMES\\The Sims 2" + bodyShop, ""},
      {"C:\\Program Files (x86)\\EA GAMES\\The Sims 2 University" + bodyShop, ""}},
     {},
     {"Old Copy", "The Sims 2"},
     "C:\\Program Files (x86)\\EA GAMES",
     "The Sims 2",
     "The Sims 2",
     "The Sims 2",
     "The Sims 2"},
    {"Discs where the registry says, beside a Legacy Collection",
     {{"C:\\Program Files\\EA GAMES\\The Sims 2" + bodyShop, ""},
      {eaLegacy + "\\Base\\", ""},
      {eaLegacy + "\\EP9" + bodyShop, ""}},
     {{"HKLM", discKey, "Install Dir", "C:\\Program Files\\EA GAMES\\The Sims 2"},
      {"HKCU", legacyKey + "\\Sims2EP9.exe", "Path", eaLegacy + "\\EP9"}},
     {"The Sims 2"},
     "C:\\Program Files\\EA GAMES\\",
     "The Sims 2",
     "The Sims 2",
     "The Sims 2",
     "The Sims 2"},
};

// A machine with one layout, started for the first time.
struct Machine : FakeApp {
    explicit Machine(const EditionCase& c) {
        for (const auto& [path, data] : c.files) {
            if (path.back() == '\\')
                fs().addFolder(path.substr(0, path.size() - 1));
            else
                fs().addFile(path, data);
        }
        for (const auto& [root, key, name, text] : c.registry)
            services.registry.set(
                root == "HKCU" ? RegistryRoot::currentUser : RegistryRoot::localMachine, key, name,
                text);
        for (const std::string& folder : c.userFolders)
            fs().addFolder(std::string(documents) + "EA Games\\" + folder + "\\Neighborhoods");
    }
    // Start-up's part in finding the game and its user folder.
    void startUp() {
        findUserFolder(app.paths, fs(), documents);
        discoverInstallation(app, view);
        useEditionUserFolder(app);
        reportMissingBodyShop(app);
    }
};

TEST(Editions, EachIsFoundWithItsBodyShopAndUserFolder) {
    for (const EditionCase& c : editionCases) {
        SCOPED_TRACE(c.what);
        Machine machine(c);
        machine.startUp();
        const App& app = machine.app;
        const FakeMainView& view = machine.view;
        EXPECT_EQ(app.settings.installDirectory, c.installDirectory);
        ASSERT_EQ(view.setUpRuns, 1);
        ASSERT_GE(view.setUpOffered, 0);
        EXPECT_EQ(view.setUpPacks[size_t(view.setUpOffered)], c.preselected);
        EXPECT_EQ(app.settings.selectedPack, c.selectedPack);
        EXPECT_EQ(machine.fs().exists(app.settings.runBodyshop), PathKind::file)
            << app.settings.runBodyshop;
        EXPECT_EQ(app.edition.name, c.edition);
        EXPECT_EQ(app.paths.userFolderName, c.userFolder + "\\");
        EXPECT_EQ(view.browseRuns, 0);
        EXPECT_EQ(machine.dialogs().texts(), Items{});
    }
}

}  // namespace
}  // namespace seamster
