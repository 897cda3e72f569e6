#include <gtest/gtest.h>

#include "fakes/MemoryFileSystem.h"
#include "projects/ProjectScan.h"

namespace seamster {
namespace {

const std::string kProjects = "C:\\Users\\Ann\\Documents\\EA Games\\The Sims 2\\Projects";

std::string tagged(const std::string& name) {
    return std::string(kProjectNameTag) + name + std::string(kProjectNameEndTag);
}

// A project file whose third line is `line3`.
std::string projectText(const std::string& line3, const std::string& eol = "\r\n") {
    return "<?xml version=\"1.0\"?>" + eol + "<Project>" + eol + line3 + eol + "</Project>" + eol;
}

std::string at(const std::string& name) { return kProjects + "\\" + name; }

using Names = std::vector<std::string>;

// Reads 8-bit text as Western European, as the system code page would.
struct Latin1Codec : TextCodec {
    std::string toFileBytes(const std::string& utf8) override { return utf8; }
    std::string fromFileBytes(const std::string& bytes) override {
        std::string out;
        for (unsigned char c : bytes) {
            if (c < 0x80) {
                out += char(c);
            } else {
                out += char(0xC0 | (c >> 6));
                out += char(0x80 | (c & 0x3F));
            }
        }
        return out;
    }
};

TEST(ReadProjectName, TakesTheThirdLineWithEveryTagRemoved) {
    const std::string tag(kProjectNameTag);
    EXPECT_EQ(readProjectName(projectText("    " + tagged("Red Dress"))), "    Red Dress");
    EXPECT_EQ(readProjectName(projectText(tag + "Red" + tag + " Dress</AnyString>")), "Red Dress");
    EXPECT_EQ(readProjectName(projectText(tagged("Red") + " v2</AnyString>")), "Red v2");
    EXPECT_EQ(readProjectName(projectText(tag + "Red Dress</anystring>")), "Red Dress</anystring>");
    EXPECT_EQ(readProjectName(projectText(tagged(""))), "");
    // Lines may end in CR, LF or CR LF, and the last line needs no ending.
    EXPECT_EQ(readProjectName("one\rtwo\n" + tagged("Mixed") + "\r\n"), "Mixed");
    EXPECT_EQ(readProjectName("one\n\r" + tagged("Third")), "Third");
    EXPECT_EQ(readProjectName("one\r\ntwo\r\n" + tagged("Last")), "Last");
}

TEST(ReadProjectName, RefusesFilesWithoutTheTagOnTheThirdLine) {
    const std::string name = tagged("Red Dress");
    EXPECT_FALSE(readProjectName("one\r\n" + name + "\r\nthree\r\nfour\r\n"));
    EXPECT_FALSE(readProjectName("one\r\ntwo\r\nthree\r\n" + name + "\r\n"));
    EXPECT_FALSE(readProjectName("one\r\n" + name + "\r\n"));
    EXPECT_FALSE(readProjectName("one\r\ntwo\r\n\r\n" + name));
    EXPECT_FALSE(readProjectName(projectText("<anystring key=\"name\" type=\"0x0b8bea18\">X")));
    EXPECT_FALSE(readProjectName(projectText("<AnyString key=\"name\" type=\"0x0b8bea1\">X")));
    EXPECT_FALSE(readProjectName(""));
}

TEST(ReadProjectName, DecodesEightBitNamesAndKeepsUtf8) {
    Latin1Codec codec;
    EXPECT_EQ(readProjectName(projectText(tagged("Robe d'\xE9t\xE9")), &codec),
              "Robe d'\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(readProjectName(projectText(tagged("Robe d'\xE9t\xE9"))), "Robe d'\xE9t\xE9");
}

TEST(ScanProjects, ListsProjectsAndFoldersInDirectoryOrder) {
    MemoryFileSystem fs;
    fs.addFile(at("zeta.xml"), projectText(tagged("Zeta")))
        .addFolder(at("Zeta"))
        .addFile(at("notes.txt"), "just some notes")
        .addFile(at("two.xml"), "one\r\n" + tagged("Two"))
        .addFile(at("ab"), projectText(tagged("Short")))
        .addFolder(at("ab"))
        .addFolder(at("HomeCrafter Plus"))
        .addFolder(at("homecrafter plus x"))
        .addFile(at("alpha.xml"), projectText("    " + tagged("Alpha")));
    std::vector<std::string> reads;
    fs.failWhen = [&](FsOp op, const std::string& path) {
        if (op == FsOp::readFile) reads.push_back(path);
        return false;
    };
    auto scan = scanProjects(fs, kProjects);
    ASSERT_TRUE(scan);
    ASSERT_EQ(scan->projects.size(), 2u);
    EXPECT_EQ(scan->projects[0].displayName, "Zeta");
    EXPECT_EQ(scan->projects[0].fileName, "zeta.xml");
    EXPECT_FALSE(scan->projects[0].orphan);
    EXPECT_EQ(scan->projects[1].displayName, "    Alpha");
    EXPECT_TRUE(scan->projects[1].orphan);
    EXPECT_EQ(scan->folders, (std::vector<std::string>{"Zeta", "homecrafter plus x"}));
    EXPECT_EQ(std::count(reads.begin(), reads.end(), at("ab")), 0);
}

TEST(ScanProjects, HomeCrafterFolderIsHiddenOnlyWithItsExactName) {
    MemoryFileSystem fs;
    fs.addFolder(at("HomeCrafter Plus"));
    EXPECT_TRUE(scanProjects(fs, kProjects)->folders.empty());
    MemoryFileSystem other;
    other.addFolder(at("homecrafter plus"));
    EXPECT_EQ(scanProjects(other, kProjects)->folders,
              std::vector<std::string>{"homecrafter plus"});
}

TEST(ScanProjects, SkipsWhatCannotBeReadAndFailsOnAMissingFolder) {
    MemoryFileSystem fs;
    fs.addFile(at("locked.xml"), projectText(tagged("Locked")))
        .addFile(at("open.xml"), projectText(tagged("Open")));
    fs.failWhen = [](FsOp op, const std::string& path) {
        return op == FsOp::readFile && path.ends_with("locked.xml");
    };
    auto scan = scanProjects(fs, kProjects);
    ASSERT_TRUE(scan);
    ASSERT_EQ(scan->projects.size(), 1u);
    EXPECT_EQ(scan->projects[0].fileName, "open.xml");
    EXPECT_FALSE(scanProjects(fs, kProjects + "\\Missing"));
    fs.failWhen = [](FsOp op, const std::string&) { return op == FsOp::list; };
    EXPECT_FALSE(scanProjects(fs, kProjects));
}

TEST(ProjectFolderExists, AFileOrFolderOfTheNameWithoutLeadingSpacesCounts) {
    MemoryFileSystem fs;
    fs.addFolder(at("Red Dress")).addFile(at("Blue Dress"), "x").addFolder(at("Green Dress"));
    EXPECT_TRUE(projectFolderExists(fs, kProjects, "    Red Dress"));
    EXPECT_TRUE(projectFolderExists(fs, kProjects, "Blue Dress"));
    EXPECT_TRUE(projectFolderExists(fs, kProjects, "GREEN dress"));
    EXPECT_FALSE(projectFolderExists(fs, kProjects, "\tRed Dress"));
    EXPECT_FALSE(projectFolderExists(fs, kProjects, "Yellow Dress"));
    // Wildcards look for any matching entry.
    EXPECT_TRUE(projectFolderExists(fs, kProjects, "Red*"));
    EXPECT_TRUE(projectFolderExists(fs, kProjects, "  Bl?e Dress"));
    EXPECT_FALSE(projectFolderExists(fs, kProjects, "Yel*"));
}

TEST(ProjectFolderExists, NamesThatLeadOutOfTheFolderNeverCount) {
    MemoryFileSystem fs;
    fs.addFolder(at("Sub\\Inner")).addFile("C:\\Users\\Ann\\Documents\\EA Games\\Keep.txt");
    const Names hostile = {"",
                           "    ",
                           ".",
                           "..",
                           "...",
                           "..\\..",
                           "..\\..\\Keep.txt",
                           "Sub\\Inner",
                           "Sub/Inner",
                           "C:\\Users",
                           "Sub:stream",
                           "Sub\x01",
                           "Sub|x",
                           "Sub<",
                           std::string(5000, 'x')};
    for (const std::string& name : hostile)
        EXPECT_FALSE(projectFolderExists(fs, kProjects, name)) << name;
}

TEST(IsPlainEntryName, AcceptsOnlyOneEntryOfItsOwnFolder) {
    const Names plain = {"Red Dress.xml", "a",     "r\xC3\xA9sum\xC3\xA9",
                         "console.xml",   "COM10", ".hidden"};
    for (const std::string& name : plain) EXPECT_TRUE(isPlainEntryName(name)) << name;
    const Names refused = {"",
                           ".",
                           "..",
                           "a\\b",
                           "a/b",
                           "*",
                           "*.*",
                           "a?",
                           "C:",
                           "x:stream",
                           "a|b",
                           "a<b",
                           "a\"b",
                           "name.",
                           "name ",
                           "CON",
                           "con.txt",
                           "Nul",
                           "LPT1",
                           "com9.xml",
                           "a\tb",
                           "a\x7f",
                           std::string(2000, 'n')};
    for (const std::string& name : refused) EXPECT_FALSE(isPlainEntryName(name)) << name;
}

// Counts how files are read, to prove the scan reads only their start.
class CountingFileSystem : public MemoryFileSystem {
public:
    std::optional<std::string> readFile(const std::string& path, size_t maxBytes) override {
        ++wholeReads;
        return MemoryFileSystem::readFile(path, maxBytes);
    }
    std::optional<std::string> readFileStart(const std::string& path, size_t maxBytes) override {
        largestRead = std::max(largestRead, maxBytes);
        ++startReads;
        return MemoryFileSystem::readFileStart(path, maxBytes);
    }
    int wholeReads = 0;
    int startReads = 0;
    size_t largestRead = 0;
};

TEST(ScanProjects, ReadsOnlyTheStartOfEachFileAndScalesToThousands) {
    CountingFileSystem fs;
    std::string huge = projectText(tagged("Huge")) + std::string(50u << 20, 'x');
    fs.addFile(at("huge.xml"), huge);
    huge.clear();
    for (int i = 0; i < 5000; ++i) {
        std::string name = "Project " + std::to_string(i);
        fs.addFile(at(name + ".xml"), projectText(tagged(name)) + std::string(2000, 'p'));
        if (i % 2) fs.addFolder(at(name));
    }
    auto scan = scanProjects(fs, kProjects);
    ASSERT_TRUE(scan);
    ASSERT_EQ(scan->projects.size(), 5001u);
    EXPECT_EQ(scan->projects[0].displayName, "Huge");
    EXPECT_TRUE(scan->projects[1].orphan);
    EXPECT_FALSE(scan->projects[2].orphan);
    EXPECT_EQ(scan->folders.size(), 2500u);
    EXPECT_EQ(fs.wholeReads, 0);
    EXPECT_EQ(fs.startReads, 5001);
    EXPECT_LE(fs.largestRead, 64u * 1024);
}

}  // namespace
}  // namespace seamster
