#pragma once
// Replacement packages of the Config folder: background, mannequin skin and
// invisible underwear, switched on and off by renaming. A package is on when
// its name ends in ".package" and off when the same name ends in ".off".

#include <array>
#include <iterator>
#include <string>
#include <vector>

#include "content/GameFilesView.h"
#include "core/App.h"

namespace seamster {

inline constexpr char femaleUndies[] = "wind_female_inisibleundies";
inline constexpr char maleUndies[] = "wind_male_inisibleundies";

// The kinds of replacement the Extras window lists, a drop-down list each, in
// the window's order: the list's frame caption, its first entry (the game's
// own default) and tip, and the part of a Config package's name that makes
// the package one of the kind (letter case counts).
struct ReplacementKind {
    const char* caption;
    const char* defaultEntry;
    const char* tip;
    const char* pattern;
};
inline constexpr ReplacementKind replacementKinds[] = {
    {"Main Bodyshop Background", " Standard Background", "Choose a default background",
     "BodyShopscreenreplacement"},
    {"Mannequin Skin Color", " Default (Grey)", "Choose default mannequin skin color",
     "mannequinreplacement"},
};
inline constexpr size_t replacementKindCount = std::size(replacementKinds);

// The replacements of one kind a scan found, in the order of the listing.
// Entry i (from 1) of the window's list shows " " + names[i - 1]; entry 0 is
// the game's own default.
struct ReplacementList {
    std::vector<std::string> names;  // without extension
    int selected = 0;                // the entry that was on before the scan

    // The package an entry switches on, or nullptr for the default entry.
    // Every listed entry names its own package, however many were found.
    const std::string* packageAt(int position) const;
};

// One invisible-underwear list: the default entry, and at position 1 the
// invisible entry when a matching package was found.
struct UnderwearChoice {
    bool offered = false;
    bool wasOn = false;
};

// What the Extras window offers after a scan. The scan switched every
// replacement off; the selections show what was on.
struct ReplacementScan {
    std::array<ReplacementList, replacementKindCount> lists;  // by kind
    UnderwearChoice female;
    UnderwearChoice male;
};

// The list positions selected when "OK" is pressed.
struct ReplacementChoice {
    std::array<int, replacementKindCount> lists{};  // by kind
    int female = 0;
    int male = 0;
};

// Which invisible underwear is chosen, as the main window shows it.
struct InvisibleUnderwear {
    bool male = false;
    bool female = false;
};

// Lists the Config folder, switches every replacement that is on off, and
// returns what the window lists and pre-selects. Finds nothing when there is
// no Config folder.
ReplacementScan scanReplacementPackages(FileSystem& fs, const std::string& configFolder);

// Switches on exactly what `choice` selects; failed renames are ignored.
// Returns the pictures that show the underwear choice.
InvisibleUnderwear applyReplacementChoice(FileSystem& fs, const std::string& configFolder,
                                          const ReplacementScan& scan,
                                          const ReplacementChoice& choice);

// "Restore Default Undies when Bodyshop Ends" matters only while invisible
// underwear is chosen in either list.
bool restoreUndiesCheckEnabled(int femalePosition, int malePosition);

// Puts the default underwear back after a run; returns the summary line.
// Underwear that stays on keeps the restoration pending.
std::string restoreUnderwear(const std::string& configFolder, FileSystem& fs, RunState& run,
                             GameFilesView& view);

}  // namespace seamster
