#include "StandInView.h"

#include <cctype>
#include <vector>

#include "platform/Text.h"

namespace seamster::standin {

namespace {

const char* const kPackage = ".package";

bool isActive(const std::string& name) { return endsWithIgnoreCase(name, kPackage); }
bool isSwitchedOff(const std::string& name) { return endsWithIgnoreCase(name, ".off"); }

std::string withoutPackage(const std::string& name) {
    return name.substr(0, name.size() - std::string(kPackage).size());
}

std::vector<std::string> configFiles(FileSystem& fs, const std::string& configFolder) {
    std::vector<DirEntry> entries;
    std::vector<std::string> names;
    if (!fs.list(configFolder, "*.*", entries)) return names;
    for (const DirEntry& entry : entries)
        if (!entry.isFolder) names.push_back(entry.name);
    return names;
}

// The packages of one kind: the active ones by name (two at most, to fit),
// then how many there are; exactly one active package is what a run should
// leave, and more than one is pointed out.
template <typename Matches>
Shown describePackages(const std::vector<std::string>& names, Matches matches,
                       const std::string& kind, const std::string& defaultText) {
    std::vector<std::string> active;
    int offCount = 0, total = 0;
    for (const std::string& name : names) {
        if (!matches(name)) continue;
        ++total;
        if (isSwitchedOff(name)) ++offCount;
        if (isActive(name)) active.push_back(name);
    }
    const int activeCount = int(active.size());
    Shown shown;
    shown.tone = activeCount == 1 ? Tone::good : activeCount == 0 ? Tone::normal : Tone::attention;
    if (activeCount == 0) shown.text = defaultText + "\n";
    for (int i = 0; i < activeCount && i < 2; ++i) shown.text += active[size_t(i)] + "\n";
    if (activeCount > 2) shown.text += "and " + std::to_string(activeCount - 2) + " more\n";
    if (total == 0) {
        shown.text += "No " + kind + " packages in Config";
        return shown;
    }
    const std::string counts =
        std::to_string(total) + " in Config, " + std::to_string(offCount) + " switched off";
    if (activeCount > 1)
        shown.text += std::to_string(activeCount) + " active at once!  (" + counts + ")";
    else
        shown.text += std::to_string(total) + " " + kind + " package" + (total == 1 ? "" : "s") +
                      " in Config, " + std::to_string(offCount) + " switched off";
    return shown;
}

Shown describeFolder(FileSystem& fs, const std::string& userFolder, const std::string& name) {
    const bool visible = fs.exists(userFolder + name) == PathKind::folder;
    const bool hidden = fs.exists(userFolder + name + "_off") == PathKind::folder;
    if (visible && hidden) return {"visible, and " + name + "_off is there too", Tone::attention};
    if (visible) return {"visible", Tone::good};
    if (hidden) return {"hidden as " + name + "_off", Tone::attention};
    return {"not there", Tone::quiet};
}

// Active replacement packages whose names hold `marker` (letter case counts,
// as it does for the program that switches them).
std::string activeWith(const std::vector<std::string>& names, const std::string& marker) {
    std::string found;
    for (const std::string& name : names) {
        if (name.find(marker) == std::string::npos || !isActive(name)) continue;
        found += (found.empty() ? "" : ", ") + withoutPackage(name);
    }
    return found;
}

Shown describeReplacements(const std::vector<std::string>& names) {
    std::string background = activeWith(names, "BodyShopscreenreplacement");
    std::string skin = activeWith(names, "mannequinreplacement");
    bool female = !activeWith(names, "female_inisibleundies").empty();
    bool male = !activeWith(names, "_male_inisibleundies").empty();
    Shown shown;
    shown.text = "Background:  " + (background.empty() ? "Standard" : background) + "\n" +
                 "Skin:  " + (skin.empty() ? "Default (Grey)" : skin) + "\n" +
                 "Underwear:  female " + (female ? "invisible" : "default") + ", male " +
                 (male ? "invisible" : "default");
    return shown;
}

Shown describeCaches(FileSystem& fs, const std::string& userFolder) {
    const bool bodyShop = fs.exists(userFolder + "cigen.package") == PathKind::file;
    const bool cas = fs.exists(userFolder + "Thumbnails\\CASThumbnails.package") == PathKind::file;
    return {std::string("Body Shop (cigen.package):  ") + (bodyShop ? "present" : "not there") +
                "\nGame (CASThumbnails.package):  " + (cas ? "present" : "not there"),
            Tone::normal};
}

}  // namespace

std::string findUserFolder(FileSystem& fs, const std::string& documentsFolder) {
    const std::string eaGames = withBackslash(documentsFolder) + "EA Games\\";
    std::vector<DirEntry> entries;
    if (!fs.list(eaGames, "*.*", entries)) return {};
    for (const DirEntry& entry : entries) {
        if (!entry.isFolder) continue;
        const std::string folder = eaGames + entry.name + "\\";
        if (fs.exists(folder + "Neighborhoods") == PathKind::folder) return folder;
    }
    return {};
}

View gatherView(FileSystem& fs, const std::string& documentsFolder) {
    View view;
    view.userFolder = findUserFolder(fs, documentsFolder);
    if (view.userFolder.empty()) {
        const Shown none{"not found", Tone::quiet};
        view.userFolderText = {"No game folder with a Neighborhoods folder under " +
                                   withBackslash(documentsFolder) + "EA Games",
                               Tone::attention};
        view.poses = view.lighting = view.downloads = view.savedSims = view.caches =
            view.replacements = none;
        return view;
    }
    view.userFolderText = {view.userFolder, Tone::quiet};
    const std::vector<std::string> names = configFiles(fs, view.userFolder + "Config\\");
    view.poses = describePackages(
        names,
        [](const std::string& name) {
            return containsIgnoreCase(name, "casie") && containsIgnoreCase(name, "anim");
        },
        "pose", "Hands on Hips (the default pose)");
    view.lighting = describePackages(
        names,
        [](const std::string& name) { return containsIgnoreCase(name, "casielightsreplacement"); },
        "lighting", "Default lighting");
    view.downloads = describeFolder(fs, view.userFolder, "Downloads");
    view.savedSims = describeFolder(fs, view.userFolder, "SavedSims");
    view.caches = describeCaches(fs, view.userFolder);
    view.replacements = describeReplacements(names);
    return view;
}

std::string parametersOf(const std::string& commandLine) {
    size_t at = commandLine.find_first_not_of(" \t");
    if (at == std::string::npos) return {};
    if (commandLine[at] == '"') {
        size_t close = commandLine.find('"', at + 1);
        at = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        at = commandLine.find_first_of(" \t", at);
        if (at == std::string::npos) at = commandLine.size();
    }
    size_t first = commandLine.find_first_not_of(" \t", at);
    if (first == std::string::npos) return {};
    size_t last = commandLine.find_last_not_of(" \t");
    return commandLine.substr(first, last - first + 1);
}

Shown screenSizeOf(const std::string& parameters) {
    size_t start = 0;
    while (start < parameters.size()) {
        size_t end = parameters.find(' ', start);
        if (end == std::string::npos) end = parameters.size();
        const std::string word = parameters.substr(start, end - start);
        start = end + 1;
        if (word.size() < 2 || !equalsIgnoreCase(word.substr(0, 2), "-r")) continue;
        const std::string size = word.substr(2);
        const size_t x = toLower(size).find('x');
        auto digits = [](const std::string& text) {
            if (text.empty() || text.size() > 5) return false;
            for (char c : text)
                if (!std::isdigit(static_cast<unsigned char>(c))) return false;
            return true;
        };
        if (x != std::string::npos && digits(size.substr(0, x)) && digits(size.substr(x + 1)))
            return {"Screen size " + size.substr(0, x) + " x " + size.substr(x + 1), Tone::good};
        return {"Screen size not understood: \"" + word + "\"", Tone::attention};
    }
    return {"No screen size given", Tone::quiet};
}

}  // namespace seamster::standin
