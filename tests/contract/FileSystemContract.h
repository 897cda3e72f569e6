#pragma once
// What the program relies on from a file system, as one typed suite: the unit
// tests run it over the in-memory file system and the Windows tests over the
// Win32 one under Wine, so the fake cannot drift from Windows unnoticed.
//
// Include this in exactly one test file per test program and instantiate it
// with an environment type that offers:
//   fs                      the file system under test (a FileSystem)
//   root                    an empty folder to work in, without trailing backslash
//   makeFile(path, data)    creates a file behind the file system's back
//   makeFolder(path)        creates a folder the same way
//   read(path)              a file's bytes, or "<missing>"
//   setReadOnly(path)       marks a file read-only; false when it cannot
//   isReadOnly(path)        whether it is
//   now()                   the current time, in the clock the file system stamps with

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace seamster::contract {

inline std::vector<std::string> namesOf(const std::vector<DirEntry>& entries) {
    std::vector<std::string> names;
    for (const DirEntry& entry : entries) names.push_back(entry.name);
    return names;
}

inline std::vector<std::string> sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

using Names = std::vector<std::string>;

template <typename Env>
class FileSystemContract : public ::testing::Test {
protected:
    std::string at(const std::string& name) const { return env.root + "\\" + name; }
    void makeFile(const std::string& name, const std::string& data = "x") {
        ASSERT_TRUE(env.makeFile(at(name), data)) << name;
    }
    void makeFolder(const std::string& name) { ASSERT_TRUE(env.makeFolder(at(name))) << name; }
    void makeReadOnly(const std::string& name) { ASSERT_TRUE(env.setReadOnly(at(name))) << name; }
    std::string read(const std::string& name) { return env.read(at(name)); }
    Names listNames(const std::string& pattern) {
        std::vector<DirEntry> entries;
        EXPECT_TRUE(fs().list(env.root, pattern, entries)) << pattern;
        return namesOf(entries);
    }
    FileSystem& fs() { return env.fs; }

    Env env;
};

TYPED_TEST_SUITE_P(FileSystemContract);

TYPED_TEST_P(FileSystemContract, ExistsTellsFilesFromFoldersAndNothing) {
    this->makeFile("Settings.ini");
    this->makeFolder("Downloads");
    FileSystem& fs = this->fs();
    EXPECT_EQ(fs.exists(this->at("Settings.ini")), PathKind::file);
    EXPECT_EQ(fs.exists(this->at("Downloads")), PathKind::folder);
    EXPECT_EQ(fs.exists(this->at("Downloads\\")), PathKind::folder);
    EXPECT_EQ(fs.exists(this->at("Missing.ini")), PathKind::missing);
    EXPECT_EQ(fs.exists(this->at("Missing\\Deeper.ini")), PathKind::missing);
    EXPECT_EQ(fs.exists(this->at("Settings.ini\\Deeper.ini")), PathKind::missing);
    // Names are matched without regard to letter case, and a doubled
    // separator is one separator.
    EXPECT_EQ(fs.exists(this->at("SETTINGS.INI")), PathKind::file);
    EXPECT_EQ(fs.exists(this->at("downloads")), PathKind::folder);
    EXPECT_EQ(fs.exists(this->env.root + "\\\\Settings.ini"), PathKind::file);
}

TYPED_TEST_P(FileSystemContract, ListingMatchesWildcardsAndNeverReturnsDots) {
    this->makeFile("casieHipsanim.package", "12345");
    this->makeFile("Other.PACKAGE");
    this->makeFile("casieWaveanim.off");
    this->makeFile("a1.txt");
    this->makeFile("a22.txt");
    this->makeFolder("Sub");

    std::vector<DirEntry> all;
    ASSERT_TRUE(this->fs().list(this->env.root, "*.*", all));
    EXPECT_EQ(sorted(namesOf(all)), (Names{"Other.PACKAGE", "Sub", "a1.txt", "a22.txt",
                                           "casieHipsanim.package", "casieWaveanim.off"}));
    for (const DirEntry& entry : all) {
        EXPECT_EQ(entry.isFolder, entry.name == "Sub") << entry.name;
        EXPECT_FALSE(entry.isLink) << entry.name;
        if (entry.name == "casieHipsanim.package") {
            EXPECT_EQ(entry.size, 5u);
        }
    }
    EXPECT_EQ(sorted(this->listNames("*.package")),
              (Names{"Other.PACKAGE", "casieHipsanim.package"}));
    EXPECT_EQ(this->listNames("a?.txt"), (Names{"a1.txt"}));
    EXPECT_EQ(this->listNames("A*2.TXT"), (Names{"a22.txt"}));
    EXPECT_EQ(this->listNames("*"), namesOf(all));
    // A folder given with its trailing backslash lists the same.
    std::vector<DirEntry> again;
    ASSERT_TRUE(this->fs().list(this->env.root + "\\", "*.*", again));
    EXPECT_EQ(namesOf(again), namesOf(all));
}

TYPED_TEST_P(FileSystemContract, ListingOrderIsStableAndPatternsKeepIt) {
    // Files are created out of alphabetical order; whatever order the system
    // returns, a pattern's matches keep the order of the full listing.
    for (const char* name : {"m.package", "c.off", "z.package", "a.package", "q.off"})
        this->makeFile(name);
    Names all = this->listNames("*.*");
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(this->listNames("*.*"), all);
    Names expected;
    std::copy_if(all.begin(), all.end(), std::back_inserter(expected), [](const std::string& n) {
        return n.size() > 8 && n.substr(n.size() - 8) == ".package";
    });
    EXPECT_EQ(this->listNames("*.package"), expected);
}

TYPED_TEST_P(FileSystemContract, ListingTellsMissingFromEmpty) {
    FileSystem& fs = this->fs();
    DirEntry stale;
    stale.name = "stale";
    std::vector<DirEntry> entries{stale};
    EXPECT_FALSE(fs.list(this->at("Missing"), "*.*", entries));
    EXPECT_TRUE(entries.empty());

    this->makeFolder("Empty");
    entries = {stale};
    EXPECT_TRUE(fs.list(this->at("Empty"), "*.*", entries));
    EXPECT_TRUE(entries.empty());

    this->makeFile("only.off");
    EXPECT_TRUE(fs.list(this->env.root, "*.package", entries));
    EXPECT_TRUE(entries.empty());

    // A file is not a folder that can be listed, and no path is no folder
    // (not the current one).
    EXPECT_FALSE(fs.list(this->at("only.off"), "*.*", entries));
    EXPECT_FALSE(fs.list("", "*.*", entries));
}

TYPED_TEST_P(FileSystemContract, NewEntriesAreStampedNowAndReadOnlyIsReported) {
    FileSystem& fs = this->fs();
    this->makeFile("source.package");
    this->makeReadOnly("source.package");
    ASSERT_TRUE(fs.copyFile(this->at("source.package"), this->at("copy.package"), false));
    ASSERT_TRUE(fs.writeFile(this->at("written.ini"), "x"));
    ASSERT_TRUE(fs.createFolder(this->at("NewFolder")));

    const int64_t now = this->env.now();
    std::vector<DirEntry> entries;
    ASSERT_TRUE(fs.list(this->env.root, "*.*", entries));
    ASSERT_EQ(entries.size(), 4u);
    for (const DirEntry& entry : entries) {
        EXPECT_LE(std::llabs(entry.creationTime - now), 60) << entry.name;
        // A copy keeps the protection of what it copies.
        EXPECT_EQ(entry.readOnly, entry.name == "source.package" || entry.name == "copy.package")
            << entry.name;
    }
}

TYPED_TEST_P(FileSystemContract, RenameRefusesAnExistingTargetButAllowsACaseChange) {
    FileSystem& fs = this->fs();
    this->makeFile("Downloads.txt", "mine");
    this->makeFile("Taken.txt", "theirs");
    this->makeFolder("SavedSims");
    this->makeFolder("SavedSims_off");

    EXPECT_FALSE(fs.rename(this->at("Downloads.txt"), this->at("Taken.txt")));
    EXPECT_FALSE(fs.rename(this->at("Downloads.txt"), this->at("TAKEN.TXT")));
    EXPECT_EQ(this->read("Taken.txt"), "theirs");
    EXPECT_EQ(this->read("Downloads.txt"), "mine");
    EXPECT_FALSE(fs.rename(this->at("SavedSims"), this->at("SavedSims_off")));
    EXPECT_FALSE(fs.rename(this->at("Downloads.txt"), this->at("SavedSims")));
    EXPECT_EQ(fs.exists(this->at("SavedSims")), PathKind::folder);
    EXPECT_FALSE(fs.rename(this->at("Missing.txt"), this->at("Other.txt")));
    EXPECT_FALSE(fs.rename(this->at("Downloads.txt"), this->at("NoFolder\\Downloads.txt")));
    // A folder cannot move inside itself.
    EXPECT_FALSE(fs.rename(this->at("SavedSims"), this->at("SavedSims\\Inner")));

    // Letter case alone may change, and the new spelling is what is listed.
    ASSERT_TRUE(fs.rename(this->at("Downloads.txt"), this->at("DOWNLOADS.txt")));
    EXPECT_EQ(sorted(this->listNames("downloads.*")), (Names{"DOWNLOADS.txt"}));
    this->makeFile("SavedSims_off\\sim.package", "sim");
    ASSERT_TRUE(fs.rename(this->at("SavedSims_off"), this->at("savedsims_OFF")));
    EXPECT_EQ(this->listNames("savedsims_off"), (Names{"savedsims_OFF"}));
    EXPECT_EQ(this->read("savedsims_OFF\\sim.package"), "sim");
    // Renaming to the very same name changes nothing and succeeds.
    EXPECT_TRUE(fs.rename(this->at("Taken.txt"), this->at("Taken.txt")));
    EXPECT_EQ(sorted(this->listNames("*.*")),
              (Names{"DOWNLOADS.txt", "SavedSims", "Taken.txt", "savedsims_OFF"}));
}

TYPED_TEST_P(FileSystemContract, RenameMovesFoldersWithTheirContent) {
    FileSystem& fs = this->fs();
    this->makeFolder("Downloads");
    this->makeFile("Downloads\\hair.package", "hair");
    ASSERT_TRUE(fs.rename(this->at("Downloads"), this->at("Downloads_off")));
    EXPECT_EQ(fs.exists(this->at("Downloads")), PathKind::missing);
    EXPECT_EQ(this->read("Downloads_off\\hair.package"), "hair");
    // Folder names may carry their trailing backslash.
    ASSERT_TRUE(fs.rename(this->at("Downloads_off\\"), this->at("Downloads\\")));
    ASSERT_TRUE(fs.rename(this->at("Downloads\\"), this->at("Downloads_off\\")));
    EXPECT_EQ(this->listNames("Downloads*"), (Names{"Downloads_off"}));
    // A file moves into another folder under a new name.
    this->makeFolder("Backups");
    ASSERT_TRUE(fs.rename(this->at("Downloads_off\\hair.package"), this->at("Backups\\hair.off")));
    EXPECT_EQ(this->read("Backups\\hair.off"), "hair");
    EXPECT_EQ(this->read("Downloads_off\\hair.package"), "<missing>");
}

TYPED_TEST_P(FileSystemContract, ReplaceMovesAFileOverAnotherOrToANewName) {
    FileSystem& fs = this->fs();
    this->makeFile("Seamster.ini", "old");
    this->makeFile("Seamster.tmp", "new");
    ASSERT_TRUE(fs.replace(this->at("Seamster.tmp"), this->at("Seamster.ini")));
    EXPECT_EQ(this->read("Seamster.ini"), "new");
    EXPECT_EQ(fs.exists(this->at("Seamster.tmp")), PathKind::missing);

    this->makeFile("fresh.tmp", "fresh");
    ASSERT_TRUE(fs.replace(this->at("fresh.tmp"), this->at("fresh.ini")));
    EXPECT_EQ(this->read("fresh.ini"), "fresh");
    EXPECT_FALSE(fs.replace(this->at("missing.tmp"), this->at("fresh.ini")));
    EXPECT_EQ(this->read("fresh.ini"), "fresh");

    // Neither a read-only file nor a folder is replaced.
    this->makeFile("kept.bmp", "kept");
    this->makeReadOnly("kept.bmp");
    this->makeFile("other.tmp", "other");
    EXPECT_FALSE(fs.replace(this->at("other.tmp"), this->at("kept.bmp")));
    EXPECT_EQ(this->read("kept.bmp"), "kept");
    EXPECT_TRUE(this->env.isReadOnly(this->at("kept.bmp")));
    this->makeFolder("Folder");
    EXPECT_FALSE(fs.replace(this->at("other.tmp"), this->at("Folder")));
    EXPECT_EQ(this->read("other.tmp"), "other");
}

TYPED_TEST_P(FileSystemContract, CopyReplacesOnlyWhenAsked) {
    FileSystem& fs = this->fs();
    this->makeFile("source.package", "new content");
    this->makeFile("target.package", "old");

    EXPECT_FALSE(fs.copyFile(this->at("source.package"), this->at("target.package"), false));
    EXPECT_FALSE(fs.copyFile(this->at("source.package"), this->at("TARGET.package"), false));
    EXPECT_EQ(this->read("target.package"), "old");

    EXPECT_TRUE(fs.copyFile(this->at("source.package"), this->at("target.package"), true));
    EXPECT_EQ(this->read("target.package"), "new content");
    EXPECT_TRUE(fs.copyFile(this->at("source.package"), this->at("fresh.package"), false));
    EXPECT_EQ(this->read("fresh.package"), "new content");
    EXPECT_EQ(this->read("source.package"), "new content");

    EXPECT_FALSE(fs.copyFile(this->at("missing.package"), this->at("other.package"), true));
    EXPECT_FALSE(fs.copyFile(this->at("source.package"), this->at("NoFolder\\x.package"), true));
    this->makeFolder("Folder");
    EXPECT_FALSE(fs.copyFile(this->at("Folder"), this->at("copied"), true));
    EXPECT_FALSE(fs.copyFile(this->at("source.package"), this->at("Folder"), true));
    EXPECT_EQ(fs.exists(this->at("Folder")), PathKind::folder);

    // A read-only target is never replaced.
    this->makeFile("locked.package", "locked");
    this->makeReadOnly("locked.package");
    EXPECT_FALSE(fs.copyFile(this->at("source.package"), this->at("locked.package"), true));
    EXPECT_EQ(this->read("locked.package"), "locked");
    EXPECT_EQ(fs.exists(this->at("other.package")), PathKind::missing);
}

TYPED_TEST_P(FileSystemContract, ReadOnlyFileRefusesDeleteAndWriteUntilCleared) {
    FileSystem& fs = this->fs();
    this->makeFile("cigen.package", "cache");
    this->makeReadOnly("cigen.package");

    EXPECT_FALSE(fs.deleteFile(this->at("cigen.package")));
    EXPECT_FALSE(fs.writeFile(this->at("cigen.package"), "new"));
    EXPECT_EQ(this->read("cigen.package"), "cache");

    EXPECT_TRUE(fs.clearReadOnly(this->at("cigen.package")));
    EXPECT_FALSE(this->env.isReadOnly(this->at("cigen.package")));
    EXPECT_TRUE(fs.clearReadOnly(this->at("cigen.package")));  // already writable
    EXPECT_TRUE(fs.deleteFile(this->at("cigen.package")));
    EXPECT_EQ(fs.exists(this->at("cigen.package")), PathKind::missing);

    EXPECT_FALSE(fs.deleteFile(this->at("cigen.package")));
    EXPECT_FALSE(fs.clearReadOnly(this->at("cigen.package")));
    this->makeFolder("Folder");
    EXPECT_FALSE(fs.deleteFile(this->at("Folder")));
    EXPECT_EQ(fs.exists(this->at("Folder")), PathKind::folder);
}

TYPED_TEST_P(FileSystemContract, FoldersAreCreatedOnceAndRemovedOnlyWhenEmpty) {
    FileSystem& fs = this->fs();
    EXPECT_TRUE(fs.createFolder(this->at("Projects")));
    EXPECT_EQ(fs.exists(this->at("Projects")), PathKind::folder);
    EXPECT_FALSE(fs.createFolder(this->at("Projects")));
    EXPECT_FALSE(fs.createFolder(this->at("PROJECTS")));
    EXPECT_FALSE(fs.createFolder(this->at("Missing\\Deeper")));

    this->makeFile("Projects\\shirt.xml");
    EXPECT_FALSE(fs.createFolder(this->at("Projects\\shirt.xml")));
    EXPECT_FALSE(fs.removeFolder(this->at("Projects")));
    EXPECT_EQ(this->read("Projects\\shirt.xml"), "x");

    this->makeFolder("Holder");
    this->makeFolder("Holder\\Inner");
    EXPECT_FALSE(fs.removeFolder(this->at("Holder")));
    EXPECT_TRUE(fs.removeFolder(this->at("Holder\\Inner")));
    EXPECT_TRUE(fs.removeFolder(this->at("Holder")));
    EXPECT_EQ(fs.exists(this->at("Holder")), PathKind::missing);
    EXPECT_FALSE(fs.removeFolder(this->at("Holder")));
    // A file is not removed as a folder.
    EXPECT_FALSE(fs.removeFolder(this->at("Projects\\shirt.xml")));
}

TYPED_TEST_P(FileSystemContract, WrittenBytesReadBackExactly) {
    FileSystem& fs = this->fs();
    std::string data = "Version =  v 0.36 \xDF\r\nLast Image = C:\\a.png\r\n";
    data += std::string("\0\x01\xFF", 3);
    ASSERT_TRUE(fs.writeFile(this->at("Seamster.ini"), data));
    EXPECT_EQ(this->read("Seamster.ini"), data);
    EXPECT_EQ(fs.readFile(this->at("Seamster.ini"), 1 << 20), data);
    EXPECT_EQ(fs.readFile(this->at("seamster.INI"), data.size()), data);

    // Too large for the limit: nothing, while the start is still there.
    EXPECT_EQ(fs.readFile(this->at("Seamster.ini"), data.size() - 1), std::nullopt);
    EXPECT_EQ(fs.readFileStart(this->at("Seamster.ini"), 7), data.substr(0, 7));
    EXPECT_EQ(fs.readFileStart(this->at("Seamster.ini"), 1 << 20), data);

    // Writing again truncates; an empty file reads as empty text.
    ASSERT_TRUE(fs.writeFile(this->at("Seamster.ini"), "short"));
    EXPECT_EQ(fs.readFile(this->at("Seamster.ini"), 100), "short");
    ASSERT_TRUE(fs.writeFile(this->at("empty.txt"), ""));
    EXPECT_EQ(fs.readFile(this->at("empty.txt"), 100), "");

    EXPECT_EQ(fs.readFile(this->at("missing.txt"), 100), std::nullopt);
    EXPECT_EQ(fs.readFileStart(this->at("missing.txt"), 100), std::nullopt);
    EXPECT_FALSE(fs.writeFile(this->at("NoFolder\\a.txt"), "x"));
    this->makeFolder("AFolder");
    EXPECT_FALSE(fs.writeFile(this->at("AFolder"), "x"));
    EXPECT_EQ(fs.readFile(this->at("AFolder"), 100), std::nullopt);
    EXPECT_EQ(fs.readFileStart(this->at("AFolder"), 100), std::nullopt);
}

TYPED_TEST_P(FileSystemContract, NamesFromAnyLanguageSurviveEveryOperation) {
    FileSystem& fs = this->fs();
    const std::string name = "Robe \xC3\xA9t\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC.package";
    ASSERT_TRUE(fs.writeFile(this->at(name), "robe"));
    EXPECT_EQ(this->listNames("*.package"), (Names{name}));
    EXPECT_EQ(fs.exists(this->at(name)), PathKind::file);
    // Letter case is ignored beyond ASCII too, and "?" stands for one
    // character however many bytes it takes.
    EXPECT_EQ(fs.exists(this->at("ROBE \xC3\x89T\xC3\x89 \xE6\x97\xA5\xE6\x9C\xAC.PACKAGE")),
              PathKind::file);
    EXPECT_EQ(this->listNames("robe ?t? ??.package"), (Names{name}));
    ASSERT_TRUE(fs.rename(this->at(name), this->at(name + ".off")));
    EXPECT_EQ(fs.readFile(this->at(name + ".off"), 100), "robe");
    EXPECT_EQ(this->read(name + ".off"), "robe");
}

TYPED_TEST_P(FileSystemContract, TrailingDotsAndBlanksOfANameAreDropped) {
    FileSystem& fs = this->fs();
    ASSERT_TRUE(fs.writeFile(this->at("dress. "), "dress"));
    EXPECT_EQ(this->listNames("*.*"), (Names{"dress"}));
    EXPECT_EQ(fs.exists(this->at("dress")), PathKind::file);
    EXPECT_EQ(fs.exists(this->at("dress.")), PathKind::file);
    ASSERT_TRUE(fs.createFolder(this->at("Projects.")));
    EXPECT_EQ(fs.exists(this->at("Projects")), PathKind::folder);
    ASSERT_TRUE(fs.rename(this->at("dress"), this->at("Projects\\gown..")));
    EXPECT_EQ(this->read("Projects\\gown"), "dress");
}

REGISTER_TYPED_TEST_SUITE_P(FileSystemContract, ExistsTellsFilesFromFoldersAndNothing,
                            ListingMatchesWildcardsAndNeverReturnsDots,
                            ListingOrderIsStableAndPatternsKeepIt, ListingTellsMissingFromEmpty,
                            NewEntriesAreStampedNowAndReadOnlyIsReported,
                            RenameRefusesAnExistingTargetButAllowsACaseChange,
                            RenameMovesFoldersWithTheirContent,
                            ReplaceMovesAFileOverAnotherOrToANewName, CopyReplacesOnlyWhenAsked,
                            ReadOnlyFileRefusesDeleteAndWriteUntilCleared,
                            FoldersAreCreatedOnceAndRemovedOnlyWhenEmpty,
                            WrittenBytesReadBackExactly, NamesFromAnyLanguageSurviveEveryOperation,
                            TrailingDotsAndBlanksOfANameAreDropped);

}  // namespace seamster::contract
