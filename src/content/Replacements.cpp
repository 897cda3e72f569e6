#include "content/Replacements.h"

#include <vector>

#include "platform/Text.h"

namespace seamster {

namespace {
// The male pattern starts with an underscore so that female names do not match it.
constexpr char femalePattern[] = "female_inisibleundies";
constexpr char malePattern[] = "_male_inisibleundies";

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// A file name split at its last dot. Only the final extension is cut off, so
// a name that holds ".package" or ".off" elsewhere keeps it when switched.
struct SplitName {
    std::string base;
    std::string extension;  // without the dot; "" when the name has none
};

SplitName splitName(const std::string& name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) return {name, {}};
    return {name.substr(0, dot), name.substr(dot + 1)};
}

bool isOn(const SplitName& split) { return equalsIgnoreCase(split.extension, "package"); }

// Switches a package off by giving it the ".off" extension.
void switchOff(FileSystem& fs, const std::string& config, const std::string& name,
               const SplitName& split) {
    fs.rename(config + name, config + split.base + ".off");
}

void switchOn(FileSystem& fs, const std::string& config, const std::string& base) {
    fs.rename(config + base + ".off", config + base + ".package");
}

// The list position of `base`, adding it when it is new. The same
// replacement found both on and off shows once.
int entryFor(ReplacementList& list, const std::string& base) {
    for (size_t i = 0; i < list.names.size(); ++i)
        if (equalsIgnoreCase(list.names[i], base)) return int(i) + 1;
    list.names.push_back(base);
    return int(list.names.size());
}

void scanReplacement(FileSystem& fs, const std::string& config, const std::string& name,
                     ReplacementList& list) {
    const SplitName split = splitName(name);
    const int position = entryFor(list, split.base);
    if (!isOn(split)) return;
    switchOff(fs, config, name, split);
    list.selected = position;  // the window opens showing what was on
}

void scanUnderwear(FileSystem& fs, const std::string& config, const std::string& name,
                   UnderwearChoice& underwear) {
    underwear.offered = true;
    const SplitName split = splitName(name);
    if (!isOn(split)) return;
    switchOff(fs, config, name, split);
    underwear.wasOn = true;
}
}  // namespace

const std::string* ReplacementList::packageAt(int position) const {
    if (position < 1 || position > int(names.size())) return nullptr;
    return &names[size_t(position) - 1];
}

ReplacementScan scanReplacementPackages(FileSystem& fs, const std::string& configFolder) {
    ReplacementScan scan;
    // Without a game folder there is no Config folder; an empty path would
    // list the current folder instead.
    if (configFolder.empty()) return scan;
    std::vector<DirEntry> entries;
    if (!fs.list(configFolder, "*.*", entries)) return scan;
    for (const DirEntry& entry : entries) {
        if (entry.isFolder) continue;
        const std::string& name = entry.name;
        // One file may match several kinds; each gets its own entry.
        for (size_t kind = 0; kind < replacementKindCount; ++kind)
            if (contains(name, replacementKinds[kind].pattern))
                scanReplacement(fs, configFolder, name, scan.lists[kind]);
        if (contains(name, malePattern)) scanUnderwear(fs, configFolder, name, scan.male);
        if (contains(name, femalePattern)) scanUnderwear(fs, configFolder, name, scan.female);
    }
    return scan;
}

InvisibleUnderwear applyReplacementChoice(FileSystem& fs, const std::string& configFolder,
                                          const ReplacementScan& scan,
                                          const ReplacementChoice& choice) {
    const bool female = scan.female.offered && choice.female == 1;
    const bool male = scan.male.offered && choice.male == 1;
    if (!configFolder.empty()) {
        for (size_t kind = 0; kind < replacementKindCount; ++kind)
            if (const std::string* name = scan.lists[kind].packageAt(choice.lists[kind]))
                switchOn(fs, configFolder, *name);
        // Invisible underwear goes on under its fixed names only.
        if (male) switchOn(fs, configFolder, maleUndies);
        if (female) switchOn(fs, configFolder, femaleUndies);
    }
    // The main window shows the choice, not whether the rename worked.
    return {male, female};
}

bool restoreUndiesCheckEnabled(int femalePosition, int malePosition) {
    return femalePosition > 0 || malePosition > 0;
}

std::string restoreUnderwear(const std::string& config, FileSystem& fs, RunState& run,
                             GameFilesView& view) {
    bool maleStillOn = false, femaleStillOn = false;
    if (!config.empty()) {
        for (const char* name : {femaleUndies, maleUndies})
            fs.rename(config + name + ".package", config + name + ".off");
        // A package that is locked, or whose ".off" name is taken, stays on;
        // the restoration is then tried again like a folder left hidden.
        maleStillOn = fs.exists(config + maleUndies + ".package") != PathKind::missing;
        femaleStillOn = fs.exists(config + femaleUndies + ".package") != PathKind::missing;
    }
    view.markUnderwear(Underwear::male, maleStillOn);
    view.markUnderwear(Underwear::female, femaleStillOn);
    run.undiesRestorePending = maleStillOn || femaleStillOn;
    if (run.undiesRestorePending) return "Unable to replace the default undies \n";
    return "The default undies were replaced \n";
}

}  // namespace seamster
