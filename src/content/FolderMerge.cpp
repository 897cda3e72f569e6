#include "content/FolderMerge.h"

namespace seamster {

namespace {

// "name (n).ext": the number goes before the extension, if there is one.
std::string numberedName(const std::string& name, int number) {
    const size_t dot = name.find_last_of('.');
    const size_t stemEnd = dot == std::string::npos || dot == 0 ? name.size() : dot;
    return name.substr(0, stemEnd) + " (" + std::to_string(number) + ")" + name.substr(stemEnd);
}

bool holdSameBytes(FileSystem& fs, const std::string& a, const std::string& b) {
    const std::optional<std::string> first = fs.readFile(a);
    return first && fs.readFile(b) == first;
}

class FolderMerge {
public:
    explicit FolderMerge(FileSystem& fs) : fs_(fs) {}

    // `shown` is the folder's path inside the recreated folder, for reports.
    bool merge(const std::string& from, const std::string& into, const std::string& shown) {
        std::vector<DirEntry> entries;
        if (!fs_.list(from, "*.*", entries)) return stop(shown);
        if (fs_.exists(into) != PathKind::folder && !fs_.createFolder(into)) return stop(shown);
        for (const DirEntry& entry : entries)
            if (!place(from, into, entry, shown + entry.name)) return false;
        return fs_.removeFolder(from) || stop(shown);
    }

    std::vector<KeptBeside> kept;
    MergeStop stoppedAt;

private:
    bool stop(const std::string& entry) {
        stoppedAt = {entry, fs_.lastError()};
        return false;
    }

    bool discard(const std::string& path, const DirEntry& entry) {
        if (entry.readOnly) fs_.clearReadOnly(path);
        return fs_.deleteFile(path);
    }

    // Moves one entry of `from` into `into` under its own name or the first
    // free numbered one.
    bool place(const std::string& from, const std::string& into, const DirEntry& entry,
               const std::string& shown) {
        const std::string source = from + "\\" + entry.name;
        const bool folder = entry.isFolder && !entry.isLink;
        if (folder && fs_.exists(into + "\\" + entry.name) == PathKind::folder)
            return merge(source, into + "\\" + entry.name, shown + "\\");
        constexpr int maxNumber = 999;
        for (int number = 1; number <= maxNumber; ++number) {
            const std::string name = number == 1 ? entry.name : numberedName(entry.name, number);
            const std::string target = into + "\\" + name;
            if (const PathKind there = fs_.exists(target); there != PathKind::missing) {
                // A newcomer that is the same file as one already there adds nothing.
                if (!entry.isFolder && there == PathKind::file &&
                    holdSameBytes(fs_, source, target))
                    return discard(source, entry) || stop(shown);
                continue;
            }
            if (fs_.rename(source, target)) return keep(entry.name, name);
            if (fs_.lastError() == FsError::otherVolume)
                return placeElsewhere(source, target, entry, shown) && keep(entry.name, name);
            // A name taken meanwhile is stepped past; anything else stops the merge.
            if (fs_.exists(target) == PathKind::missing) return stop(shown);
        }
        return stop(shown);
    }

    bool keep(const std::string& name, const std::string& keptAs) {
        if (keptAs != name) kept.push_back({name, keptAs});
        return true;
    }

    // Across volumes a file is copied (and on the disk before it takes its
    // name) and only then deleted; a folder is made there and merged into.
    bool placeElsewhere(const std::string& source, const std::string& target, const DirEntry& entry,
                        const std::string& shown) {
        if (entry.isFolder)
            return !entry.isLink && fs_.createFolder(target) ? merge(source, target, shown + "\\")
                                                             : stop(shown);
        if (!copyFileSafely(fs_, source, target, false)) return stop(shown);
        return discard(source, entry) || stop(shown);
    }

    FileSystem& fs_;
};

}  // namespace

bool mergeRecreatedFolder(FileSystem& fs, const std::string& recreated, const std::string& hidden,
                          std::vector<KeptBeside>* keptBeside, MergeStop* stoppedAt) {
    FolderMerge merge(fs);
    const bool merged = merge.merge(recreated, hidden, "");
    if (keptBeside) *keptBeside = std::move(merge.kept);
    if (stoppedAt) *stoppedAt = merge.stoppedAt;
    return merged;
}

}  // namespace seamster
