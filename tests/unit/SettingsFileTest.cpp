#include <gtest/gtest.h>

#include <climits>

#include "config/SettingsFile.h"
#include "fakes/FixedClock.h"
#include "fakes/Latin1Codec.h"
#include "fakes/MemoryFileSystem.h"

namespace seamster {
namespace {

const std::string folder = "C:\\Program Files\\Seamster\\";
const std::string iniPath = folder + "Seamster.ini";

struct SettingsFileFixture : ::testing::Test {
    MemoryFileSystem fs;
    Latin1Codec codec;
    FixedClock clock;
    SettingsFileFixture() { fs.addFolder(folder); }
};

struct IntegerCase {
    const char* name;
    std::string file;
    const char* key;
    int32_t defaultValue;
    int32_t expected;
};

TEST_F(SettingsFileFixture, ReadsIntegersByTheReadingRules) {
    const IntegerCase cases[] = {
        {"hand-edited line", "Auto Quit = 1\r\n  window x   =   120  \r\n", "Window X", 9, 120},
        {"bare LF and no final line end", "Auto Quit = 1\nWindow X = 5\nWindow Y = 6", "Window Y",
         9, 6},
        {"group header first", "[Seamster]\r\nWindow X = 5\r\n", "Window X", 9, 9},
        {"group header ends the search", "Window Y = 1\r\n[Other]\r\nWindow X = 5\r\n", "Window X",
         9, 9},
        {"keys before a header are found", "Window X = 5\r\n[Other]\r\n", "Window X", 9, 5},
        {"indented bracket is no header", " [x]\r\nWindow X = 5\r\n", "Window X", 9, 5},
        {"comment", "; Window X = 5\r\n", "Window X", 9, 9},
        {"indented comment", "   ;Window X = 5\r\n", "Window X", 9, 9},
        {"line without equals sign", "Window X 4\r\nWindow X = 7\r\n", "Window X", 9, 7},
        {"longer key", "Window XY = 5\r\n", "Window X", 9, 9},
        {"blanks inside a key count", "Window  X = 5\r\n", "Window X", 9, 9},
        {"first match wins", "Window X = 1\r\nWINDOW X = 2\r\n", "Window X", 9, 1},
        {"not a number reads 0", "Ask Before Quit = yes\r\n", "Ask Before Quit", 1, 0},
        {"empty value reads 0", "Ask Before Quit =\r\n", "Ask Before Quit", 1, 0},
        {"leading number", "Window X = -12px\r\n", "Window X", 9, -12},
        {"plus sign", "Window X = +7\r\n", "Window X", 9, 7},
        {"sign without digits", "Window X = - 5\r\n", "Window X", 9, 0},
        {"blank inside the number", "Window X = 1 2\r\n", "Window X", 9, 1},
        {"too large", "Window X = 99999999999999999999999\r\n", "Window X", 9, INT32_MAX},
        {"just too large", "Window X = 2147483648\r\n", "Window X", 9, INT32_MAX},
        {"smallest", "Window X = -2147483648\r\n", "Window X", 9, INT32_MIN},
        {"too small", "Window X = -2147483649000\r\n", "Window X", 9, INT32_MIN},
        {"empty key asked", " = 5\r\n", "", 9, 9},
        {"empty file", "", "Window X", 9, 9},
    };
    for (const IntegerCase& c : cases) {
        fs.addFile(iniPath, c.file);
        SettingsFile file(fs, codec, folder);
        ASSERT_TRUE(file.open("Seamster.ini")) << c.name;
        EXPECT_EQ(file.readInteger(c.key, c.defaultValue), c.expected) << c.name;
    }
}

struct TextCase {
    const char* name;
    std::string file;
    const char* key;
    std::string expected;
};

TEST_F(SettingsFileFixture, ReadsTextsByTheReadingRules) {
    const TextCase cases[] = {
        {"trailing blanks kept, leading dropped", "In Front =   a b  \r\n", "In Front", "a b  "},
        {"equals signs in the value", "Search = a=b\r\n", "Search", "a=b"},
        {"empty value is not the default", "Start Number = \r\n", "Start Number", ""},
        {"stops at a stray CR", "In Front = a\rb\r\n", "In Front", "a"},
        {"stops at a NUL", std::string("In Front = a\0b\r\n", 15), "In Front", "a"},
        {"runs to the end of the file", "In Front = tail", "In Front", "tail"},
        {"missing key", "In Back = x\r\n", "In Front", "dflt"},
        {"code-page bytes", "Copy To = C:\\Caf\xE9\r\n", "Copy To", "C:\\Caf\xC3\xA9"},
        {"UTF-8 bytes", "Copy To = C:\\\xE6\x97\xA5\r\n", "Copy To", "C:\\\xE6\x97\xA5"},
        {"version loses its first blank", "Version =  v 0.36 \xDF\r\n", "Version",
         "v 0.36 \xC3\x9F"},
    };
    for (const TextCase& c : cases) {
        fs.addFile(iniPath, c.file);
        SettingsFile file(fs, codec, folder);
        ASSERT_TRUE(file.open(iniPath)) << c.name;
        EXPECT_EQ(file.readText(c.key, "dflt"), c.expected) << c.name;
    }
}

TEST_F(SettingsFileFixture, ReadsAndWritesOnlyInTheirOwnMode) {
    SettingsFile file(fs, codec, folder);
    EXPECT_EQ(file.readInteger("Auto Quit", 4), 4);
    EXPECT_EQ(file.readText("Search"), "");
    EXPECT_FALSE(file.open("Seamster.ini"));
    EXPECT_EQ(file.mode(), SettingsFile::Mode::closed);

    fs.addFile(iniPath, "Auto Quit = 1\r\n");
    ASSERT_TRUE(file.open("Seamster.ini"));
    file.writeInteger("Window X", 3);
    EXPECT_TRUE(file.close());
    EXPECT_EQ(fs.contents(iniPath), "Auto Quit = 1\r\n");

    ASSERT_TRUE(file.create("Seamster.ini"));
    EXPECT_EQ(file.readInteger("Auto Quit", 4), 4);
    file.writeInteger("", 3);
    file.writeText("Search");
    file.writeInteger("Window X", -3);
    EXPECT_EQ(fs.contents(iniPath), "Auto Quit = 1\r\n");  // nothing on disk before close
    EXPECT_TRUE(file.close());
    EXPECT_EQ(fs.contents(iniPath), "Search = \r\nWindow X = -3\r\n");
    EXPECT_TRUE(file.close());  // closing twice is harmless
}

TEST_F(SettingsFileFixture, RefusesFilesItCannotUse) {
    SettingsFile file(fs, codec, folder);
    EXPECT_FALSE(file.create("C:\\Missing\\Seamster.ini"));
    fs.addFolder(folder + "Folder.ini");
    EXPECT_FALSE(file.create("Folder.ini"));
    EXPECT_FALSE(file.open("Folder.ini"));
    fs.addFile(iniPath, "Auto Quit = 1\r\n");
    fs.setReadOnly(iniPath, true);
    EXPECT_FALSE(file.create("Seamster.ini"));
    EXPECT_EQ(file.mode(), SettingsFile::Mode::closed);

    // A file far larger than any settings file is treated as no file at all.
    fs.addFile(folder + "Huge.ini",
               "Auto Quit = 1\r\n" + std::string(SettingsFile::maxFileBytes, ' '));
    EXPECT_FALSE(file.open("Huge.ini"));
    EXPECT_EQ(file.readInteger("Auto Quit", 0), 0);
}

TEST_F(SettingsFileFixture, LoadsTheDefaultsWithoutAFile) {
    Settings settings;
    settings.options.autoQuit = settings.options.askBeforeQuit = settings.options.orphanProjects =
        7;
    settings.finder.bodyshopNumber = settings.naming.keepNumber = settings.finder.inTheLast =
        settings.options.windowX = 7;
    settings.naming.startNumber = settings.finder.lastUsed = settings.finder.search = "stale";
    loadSettings(settings, fs, codec, folder);
    EXPECT_EQ(settings.options.askBeforeQuit, 1);
    EXPECT_EQ(settings.options.orphanProjects, 1);
    EXPECT_EQ(settings.finder.bodyshopNumber, 1);
    EXPECT_EQ(settings.naming.keepNumber, 1);
    EXPECT_EQ(settings.finder.inTheLast, 1);
    EXPECT_EQ(settings.options.autoQuit, 0);
    EXPECT_EQ(settings.options.windowX, 0);
    EXPECT_EQ(settings.naming.startNumber, "001");
    EXPECT_EQ(settings.finder.lastUsed, "01/01/2000");
    EXPECT_EQ(settings.finder.search, "");
}

Settings everyValueSet() {
    Settings s;
    s.options.autoQuit = 1;
    s.options.askBeforeQuit = 0;
    s.options.rememberWindowPosition = 1;
    s.game.selectedPack = "The Sims 2 FreeTime";
    s.game.installDirectory = "C:\\Program Files\\EA GAMES\\";
    s.game.simsFolderCount = 3;
    s.game.currentFolderCount = 5;
    s.game.runBodyshop = "C:\\Program Files\\EA GAMES\\The Sims 2 FreeTime\\CSBin\\TS2BodyShop.exe";
    s.pictures.imagePath = "C:\\Pictures\\";
    s.pictures.lastImage = "C:\\Pictures\\beach.jpg";
    s.options.windowX = -8;
    s.options.windowY = 120;
    s.options.orphanProjects = 0;
    s.naming.inFront = "AF ";
    s.naming.inBack = " top";
    s.naming.startNumber = "007";
    s.naming.copyTo = "D:\\Finished\\";
    s.naming.copyToDisplay = "Finished";
    s.finder.goBackWeeks = 2;
    s.finder.bodyshopNumber = 2;
    s.naming.keepNumber = 0;
    s.naming.copyPackages = 1;
    s.finder.inTheLast = 2;
    s.naming.customNumber = 1;
    s.finder.lastUsed = "12/31/2008";
    s.finder.packagesFolder = "D:\\Packages\\";
    s.finder.pathDisplay = "Packages";
    s.finder.search = "dress";
    s.finder.otherFolder = 1;
    return s;
}

TEST_F(SettingsFileFixture, SavesEveryKeyInItsPlace) {
    fs.addFile(iniPath, "Auto Quit = 0\r\nMy Own Key = 1\r\n");
    Settings settings = everyValueSet();
    clock.todayDate = LocalDate{2009, 3, 5};
    ASSERT_TRUE(saveSettings(settings, fs, codec, clock, folder));
    EXPECT_EQ(
        fs.contents(iniPath),
        "ApplicationName = Seamster\r\n"
        "Version =  v 0.36 \xDF\r\n"
        "Auto Quit = 1\r\n"
        "Ask Before Quit = 0\r\n"
        "Remember Window Position = 1\r\n"
        "Selected Pack = The Sims 2 FreeTime\r\n"
        "Install Directory = C:\\Program Files\\EA GAMES\\\r\n"
        "Sims Folder Count = 5\r\n"
        "RunBodyshop = C:\\Program Files\\EA GAMES\\The Sims 2 FreeTime\\CSBin\\TS2BodyShop.exe\r\n"
        "Image Path = C:\\Pictures\\\r\n"
        "Last Image = C:\\Pictures\\beach.jpg\r\n"
        "Window X = -8\r\n"
        "Window Y = 120\r\n"
        "Orphan Projects = 0\r\n"
        "In Front = AF \r\n"
        "In Back =  top\r\n"
        "Start Number = 007\r\n"
        "Copy To = D:\\Finished\\\r\n"
        "Copy To Display = Finished\r\n"
        "Go Back Weeks = 2\r\n"
        "Bodyshop Number = 2\r\n"
        "Keep Number = 0\r\n"
        "Copy Packages = 1\r\n"
        "In The Last = 2\r\n"
        "Custom Number = 1\r\n"
        "Last Used = 03/05/2009\r\n"
        "Packages Folder = D:\\Packages\\\r\n"
        "Path Display = Packages\r\n"
        "Search = dress\r\n"
        "Other Folder = 1\r\n");
    EXPECT_EQ(settings.game.simsFolderCount, 5);
    EXPECT_EQ(settings.finder.lastUsed, "12/31/2008");  // the run keeps filtering by the old date

    // Everything comes back except what the format itself drops.
    Settings expected = settings;
    expected.finder.lastUsed = "03/05/2009";
    expected.naming.inBack = "top";  // blanks right after " = " belong to the layout
    expected.game.currentFolderCount = 0;
    Settings loaded;
    loadSettings(loaded, fs, codec, folder);
    EXPECT_EQ(loaded, expected);
}

TEST_F(SettingsFileFixture, StoresTheWindowPositionOnlyWhenRemembered) {
    Settings settings = everyValueSet();
    for (int32_t remember : {0, 1, 2}) {
        settings.options.rememberWindowPosition = remember;
        ASSERT_TRUE(saveSettings(settings, fs, codec, clock, folder));
        Settings loaded;
        loadSettings(loaded, fs, codec, folder);
        EXPECT_EQ(loaded.options.windowX, remember ? -8 : 0) << remember;
        EXPECT_EQ(loaded.options.windowY, remember ? 120 : 0) << remember;
    }
    EXPECT_EQ(settings.options.windowX, -8);  // the record itself keeps the position
}

TEST_F(SettingsFileFixture, AFailedSaveKeepsTheOldFile) {
    const std::string old = "Auto Quit = 1\r\nSearch = old\r\n";
    Settings settings = everyValueSet();
    // A file of the user's that only looks like a leftover is not touched.
    fs.addFile(iniPath, old).addFile(iniPath + ".new", "mine");
    const auto before = fs.snapshot();
    // Each change of the disk fails in turn (a full disk): until the save
    // goes through, the folder stays exactly as it was.
    int step = 0;
    for (;; ++step) {
        fs.changeCount = 0;
        fs.failChangeNumber = step;
        const bool saved = saveSettings(settings, fs, codec, clock, folder);
        fs.failChangeNumber = -1;
        if (saved) break;
        EXPECT_EQ(fs.snapshot(), before) << step;
    }
    EXPECT_EQ(step, 3) << "make the file, write it, put it in place";
    EXPECT_NE(fs.contents(iniPath), old);
    EXPECT_EQ(fs.contents(iniPath + ".new"), "mine");
    fs.addFile(iniPath, old);

    // A save that cannot even start leaves the record as it was.
    fs.setReadOnly(iniPath, true);
    settings.game.simsFolderCount = 3;
    EXPECT_FALSE(saveSettings(settings, fs, codec, clock, folder));
    EXPECT_EQ(settings.game.simsFolderCount, 3);
    EXPECT_EQ(fs.contents(iniPath), old);
}

TEST_F(SettingsFileFixture, NonAsciiFoldersSurviveASave) {
    const std::string latin = "C:\\Programme\\Caf\xC3\xA9 \xC3\x86ons\\";  // "Café Æons"
    const std::string beyond = "D:\\\xE3\x82\xB7\xE3\x83\xA0\\";           // Japanese
    for (const std::string& dir : {latin, beyond}) {
        const std::string programFolder = dir + "Seamster\\";
        fs.addFolder(programFolder);
        Settings settings;
        settings.game.installDirectory = dir;
        settings.finder.search = dir;
        ASSERT_TRUE(saveSettings(settings, fs, codec, clock, programFolder));
        Settings loaded;
        loadSettings(loaded, fs, codec, programFolder);
        EXPECT_EQ(loaded.game.installDirectory, dir);
        EXPECT_EQ(loaded.finder.search, dir);
    }
    // Latin text goes to disk in the code page, one byte per character.
    const std::string onDisk = *fs.contents(latin + "Seamster\\Seamster.ini");
    EXPECT_NE(onDisk.find("Install Directory = C:\\Programme\\Caf\xE9 \xC6ons\\\r\n"),
              std::string::npos);
}

TEST_F(SettingsFileFixture, ALineBreakInAValueCannotAddASetting) {
    Settings settings;
    settings.naming.inFront = "x\r\nOther Folder = 1";
    settings.finder.search = "a\nAuto Quit = 1";
    ASSERT_TRUE(saveSettings(settings, fs, codec, clock, folder));
    Settings loaded;
    loadSettings(loaded, fs, codec, folder);
    EXPECT_EQ(loaded.naming.inFront, "x");
    EXPECT_EQ(loaded.finder.search, "a");
    EXPECT_EQ(loaded.finder.otherFolder, 0);
    EXPECT_EQ(loaded.options.autoQuit, 0);
}

}  // namespace
}  // namespace seamster
