// Feeds arbitrary bytes to the settings reader as Seamster.ini, then saves
// what was read and checks that a second load gives it all back.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/SettingsFile.h"
#include "fakes/FixedClock.h"
#include "fakes/Latin1Codec.h"
#include "fakes/MemoryFileSystem.h"
#include "platform/Text.h"

using namespace seamster;

namespace {

const std::string folder = "C:\\Seamster\\";

const char* const keys[] = {
    "ApplicationName",
    "Version",
    "Auto Quit",
    "Ask Before Quit",
    "Remember Window Position",
    "Selected Pack",
    "Install Directory",
    "Sims Folder Count",
    "RunBodyshop",
    "Image Path",
    "Last Image",
    "Window X",
    "Window Y",
    "Orphan Projects",
    "In Front",
    "In Back",
    "Start Number",
    "Copy To",
    "Copy To Display",
    "Go Back Weeks",
    "Bodyshop Number",
    "Keep Number",
    "Copy Packages",
    "In The Last",
    "Custom Number",
    "Last Used",
    "Packages Folder",
    "Path Display",
    "Search",
    "Other Folder",
    "",
    "auto quit",
    "Auto",
};

void require(bool condition) {
    if (!condition) std::abort();
}

// Both readers agree on whether a key is there, and what they find is one
// line of valid UTF-8 without the blanks that separate it from the key.
void checkReaders(const SettingsFile& file) {
    for (const char* key : keys) {
        const int32_t first = file.readInteger(key, 1);
        const bool found = first == file.readInteger(key, 2);
        // A found text never starts with a blank, so this default is unmistakable.
        const std::string text = file.readText(key, " none");
        require(found == (text != " none"));
        if (!found) continue;
        require(text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
        require(text.empty() || text[0] != ' ');
        require(isValidUtf8(text));
    }
}

// Texts that the 8-bit file can hold and give back unchanged. A text whose
// code-page bytes happen to spell valid UTF-8 reads back as that UTF-8; it
// cannot be told apart, and is left out here.
bool keepsItsShape(Latin1Codec& codec, const std::string& text) {
    if (!text.empty() && text[0] == ' ') return false;
    if (text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) return false;
    return isValidUtf8(text) && codec.fromFileBytes(codec.toFileBytes(text)) == text;
}

void keepOnlyStorable(Latin1Codec& codec, Settings& s) {
    for (std::string* text :
         {&s.game.selectedPack, &s.game.installDirectory, &s.game.runBodyshop,
          &s.pictures.imagePath, &s.pictures.lastImage, &s.naming.inFront, &s.naming.inBack,
          &s.naming.startNumber, &s.naming.copyTo, &s.naming.copyToDisplay, &s.finder.lastUsed,
          &s.finder.packagesFolder, &s.finder.pathDisplay, &s.finder.search})
        if (!keepsItsShape(codec, *text)) text->clear();
}

void checkRoundTrip(MemoryFileSystem& fs, Latin1Codec& codec, Settings settings,
                    int32_t folderCount) {
    keepOnlyStorable(codec, settings);
    settings.game.currentFolderCount = folderCount;
    FixedClock clock;
    clock.todayDate = LocalDate{2009, 3, 5};
    require(saveSettings(settings, fs, codec, clock, folder));

    Settings expected = settings;
    expected.game.currentFolderCount = 0;
    expected.game.simsFolderCount = folderCount;
    expected.finder.lastUsed = "03/05/2009";
    if (settings.options.rememberWindowPosition == 0)
        expected.options.windowX = expected.options.windowY = 0;
    Settings loaded;
    loadSettings(loaded, fs, codec, folder);
    require(loaded == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    MemoryFileSystem fs;
    Latin1Codec codec;
    fs.addFile(folder + settingsFileName, bytes);

    SettingsFile file(fs, codec, folder);
    require(file.open(settingsFileName));
    checkReaders(file);
    file.close();

    Settings settings;
    settings.options.windowX = 7;  // loading must replace every field
    loadSettings(settings, fs, codec, folder);
    checkRoundTrip(fs, codec, settings, int32_t(size) - 100);
    return 0;
}
