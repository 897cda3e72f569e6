#include <gtest/gtest.h>

#include "contract/FileSystemContract.h"
#include "fakes/MemoryFileSystem.h"
#include "platform/Text.h"

namespace seamster {
namespace {

TEST(MemoryFileSystem, NamesIgnoreCaseAndListInCreationOrder) {
    MemoryFileSystem fs;
    fs.addFile("C:\\Game\\b.package").addFile("C:\\Game\\A.package").addFolder("C:\\Game\\Sub");
    EXPECT_EQ(fs.exists("c:\\game\\A.PACKAGE"), PathKind::file);
    EXPECT_EQ(fs.exists("C:\\GAME\\sub\\"), PathKind::folder);
    EXPECT_EQ(fs.exists("C:\\Game\\\\b.package"), PathKind::file);
    std::vector<DirEntry> entries;
    ASSERT_TRUE(fs.list("C:\\Game\\", "*.*", entries));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "b.package");
    EXPECT_EQ(entries[1].name, "A.package");
    EXPECT_TRUE(entries[2].isFolder);
    ASSERT_TRUE(fs.list("C:\\Game", "a*.PACK?GE", entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_FALSE(fs.list("C:\\Missing", "*.*", entries));
}

// The in-memory file system keeps every rule the Win32 one keeps.
struct MemoryEnv {
    static constexpr int64_t time = 1700000000;
    MemoryEnv() {
        fs.addFolder(root, time);
        fs.now = time;
    }
    bool makeFile(const std::string& path, const std::string& data) {
        fs.addFile(path, data, time);
        return true;
    }
    bool makeFolder(const std::string& path) {
        if (fs.exists(path) != PathKind::missing) return false;
        fs.addFolder(path, time);
        return true;
    }
    std::string read(const std::string& path) { return fs.contents(path).value_or("<missing>"); }
    bool setReadOnly(const std::string& path) {
        fs.setReadOnly(path, true);
        return fs.exists(path) != PathKind::missing;
    }
    bool isReadOnly(const std::string& path) { return fs.isReadOnly(path); }
    int64_t now() { return time; }

    MemoryFileSystem fs;
    std::string root = "C:\\Contract";
};

TEST(WriteFileSafely, ReplacesOnlyAfterAWholeWrite) {
    MemoryFileSystem fs;
    // The user's own files are no temporaries, whatever their names; ours
    // go once no run uses them any more.
    fs.addFile("C:\\P\\Seamster.ini", "old")
        .addFile("C:\\P\\Seamster.ini.new", "mine")
        .addFile("C:\\P\\Seamster.ini.~1a.tmp", "mine too")
        .addFile("C:\\P\\Seamster.ini.~7.tmp", "mine as well");
    const std::optional<std::string> inUse = createTemporaryBeside(fs, "C:\\P\\Seamster.ini");
    fs.addFile("C:\\P\\seamster.INI.~Seamster-7.TMP", "left by a run cut short");
    EXPECT_TRUE(writeFileSafely(fs, "C:\\P\\Seamster.ini", "new contents"));
    EXPECT_EQ(fs.contents("C:\\P\\Seamster.ini"), "new contents");
    EXPECT_EQ(fs.contents("C:\\P\\Seamster.ini.new"), "mine");
    EXPECT_EQ(fs.contents("C:\\P\\Seamster.ini.~1a.tmp"), "mine too");
    EXPECT_EQ(fs.contents("C:\\P\\Seamster.ini.~7.tmp"), "mine as well");
    EXPECT_EQ(fs.exists("C:\\P\\Seamster.ini.~seamster-7.tmp"), PathKind::missing);
    EXPECT_EQ(fs.exists(inUse.value_or("")), PathKind::file);
    const auto after = fs.snapshot();

    for (int step = 0; step < 3; ++step) {
        fs.changeCount = 0;
        fs.failChangeNumber = step;
        EXPECT_FALSE(writeFileSafely(fs, "C:\\P\\Seamster.ini", "third")) << step;
        fs.failChangeNumber = -1;
        EXPECT_EQ(fs.snapshot(), after) << step;
    }
    EXPECT_FALSE(writeFileSafely(fs, "C:\\Missing\\x.ini", "x"));

    // A copy is on the disk before it takes its name: a power cut then
    // leaves the whole file or none, never an empty one.
    ASSERT_TRUE(copyFileSafely(fs, "C:\\P\\Seamster.ini", "C:\\P\\Copy.ini", false));
    EXPECT_EQ(fs.flushedContents("C:\\P\\Copy.ini"), "new contents");
}

TEST(Text, WildcardsAndRemovals) {
    EXPECT_TRUE(wildcardMatch("*.package", "Hips.PACKAGE"));
    EXPECT_TRUE(wildcardMatch("a?c", "abc"));
    EXPECT_FALSE(wildcardMatch("a?c", "ac"));
    EXPECT_TRUE(wildcardMatch("*a*b", "xxaxxb"));
    EXPECT_EQ(removeAllIgnoreCase("casieHipsANIM.package", "anim"), "casieHips.package");
    EXPECT_EQ(removeAll("a.PACKAGE.package", ".package"), "a.PACKAGE");
    EXPECT_EQ(extensionOf("x.y.Off"), "Off");
    EXPECT_TRUE(isValidUtf8("Caf\xC3\xA9"));
    EXPECT_FALSE(isValidUtf8("Caf\xE9"));
    EXPECT_FALSE(isValidUtf8("\xC3"));
}

}  // namespace

namespace contract {
INSTANTIATE_TYPED_TEST_SUITE_P(Memory, FileSystemContract, MemoryEnv);
}  // namespace contract

}  // namespace seamster
