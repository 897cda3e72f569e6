// The Win32 file system, clock, text codec and process check against the real
// system: every rule the program relies on, checked in a fresh temporary
// folder. The file system's rules are the shared suite that the in-memory
// file system of the unit tests passes too; what only Windows can show (other
// programs' handles, junctions) is checked here alone.

#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "contract/FileSystemContract.h"
#include "fakes/FixedClock.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Platform.h"
#include "projects/ProjectCleanup.h"

namespace seamster {
namespace {

// ---- helpers that go straight to Win32, so a fault in the code under test
// ---- cannot hide itself while setting up or checking

bool rawWrite(const std::string& path, const std::string& data) {
    FileHandle file(CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), data.data(), DWORD(data.size()), &written, nullptr) &&
           written == data.size();
}

std::string rawRead(const std::string& path) {
    FileHandle file(CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    if (!file) return "<missing>";
    std::string data(1 << 16, '\0');
    DWORD got = 0;
    ReadFile(file.get(), data.data(), DWORD(data.size()), &got, nullptr);
    data.resize(got);
    return data;
}

void removeTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            bool link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (!link) removeTree(path);
                RemoveDirectoryW(path.c_str());
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

using contract::namesOf;

// The shared suite's view of a fresh temporary folder.
struct Win32Env {
    Win32Env() {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH, temp);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root = narrow(temp) + "seamster-" + std::to_string(GetCurrentProcessId()) + "-" +
               (info ? info->name() : "contract");
        removeTree(widen(root));
        CreateDirectoryW(widen(root).c_str(), nullptr);
    }
    ~Win32Env() { removeTree(widen(root)); }

    bool makeFile(const std::string& path, const std::string& data) { return rawWrite(path, data); }
    bool makeFolder(const std::string& path) {
        return CreateDirectoryW(widen(path).c_str(), nullptr) != 0;
    }
    std::string read(const std::string& path) { return rawRead(path); }
    bool setReadOnly(const std::string& path) {
        return SetFileAttributesW(widen(path).c_str(), FILE_ATTRIBUTE_READONLY) != 0;
    }
    bool isReadOnly(const std::string& path) {
        const DWORD attributes = GetFileAttributesW(widen(path).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    }
    int64_t now() { return Win32Clock().now(); }

    Win32FileSystem fs;
    std::string root;
};

class Win32FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1] = {};
        ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ =
            narrow(temp) + "seamster-" + std::to_string(GetCurrentProcessId()) + "-" + info->name();
        removeTree(widen(root_));
        ASSERT_TRUE(CreateDirectoryW(widen(root_).c_str(), nullptr));
    }
    void TearDown() override { removeTree(widen(root_)); }

    std::string at(const std::string& name) const { return root_ + "\\" + name; }
    void makeFile(const std::string& name, const std::string& data = "x") {
        ASSERT_TRUE(rawWrite(at(name), data)) << name;
    }
    void makeFolder(const std::string& name) {
        ASSERT_TRUE(CreateDirectoryW(widen(at(name)).c_str(), nullptr)) << name;
    }
    std::vector<std::string> listNames(const std::string& pattern) {
        std::vector<DirEntry> entries;
        EXPECT_TRUE(fs.list(root_, pattern, entries)) << pattern;
        return namesOf(entries);
    }

    Win32FileSystem fs;
    std::string root_;
};

TEST_F(Win32FileSystemTest, ReadingIgnoresAnotherProgramsWriteHandle) {
    // The game may hold its files open for writing; reading must still work.
    makeFile("userbkg.bmp", "BMpicture");
    FileHandle held(CreateFileW(widen(at("userbkg.bmp")).c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                nullptr));
    ASSERT_TRUE(held);
    EXPECT_EQ(fs.readFileStart(at("userbkg.bmp"), 2), "BM");
}

TEST_F(Win32FileSystemTest, AppendingAddsAtTheEndAndNeverTruncates) {
    makeFile("history.txt", "line 1\r\n");
    makeFolder("folder");
    {
        std::unique_ptr<AppendFile> file = fs.openForAppend(at("history.txt"));
        ASSERT_TRUE(file);
        EXPECT_TRUE(file->append("line 2\r\n"));
        // Readable while held, and another writer's bytes are never overwritten.
        EXPECT_EQ(fs.readFile(at("history.txt"), 100), "line 1\r\nline 2\r\n");
        std::unique_ptr<AppendFile> other = fs.openForAppend(at("history.txt"));
        ASSERT_TRUE(other);
        EXPECT_TRUE(other->append("other\r\n"));
        EXPECT_TRUE(file->append("line 3\r\n"));
        EXPECT_TRUE(file->flush());
    }
    EXPECT_EQ(rawRead(at("history.txt")), "line 1\r\nline 2\r\nother\r\nline 3\r\n");
    std::unique_ptr<AppendFile> fresh = fs.openForAppend(at("new.txt"));
    ASSERT_TRUE(fresh);
    EXPECT_TRUE(fresh->append("first"));
    fresh.reset();
    EXPECT_EQ(rawRead(at("new.txt")), "first");
    EXPECT_FALSE(fs.openForAppend(at("folder")));
    EXPECT_FALSE(fs.openForAppend(at("missing\\history.txt")));
    makeFile("locked.txt", "kept");
    SetFileAttributesW(widen(at("locked.txt")).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(fs.openForAppend(at("locked.txt")));
    EXPECT_EQ(rawRead(at("locked.txt")), "kept");
}

TEST_F(Win32FileSystemTest, SafeWriteReplacesWholeOrLeavesTheOldFile) {
    makeFile("Seamster.ini", "old settings");
    ASSERT_TRUE(writeFileSafely(fs, at("Seamster.ini"), "new settings"));
    EXPECT_EQ(rawRead(at("Seamster.ini")), "new settings");
    EXPECT_EQ(listNames("*.*"), (std::vector<std::string>{"Seamster.ini"}));

    // A new file is created the same way.
    ASSERT_TRUE(writeFileSafely(fs, at("fresh.ini"), "fresh"));
    EXPECT_EQ(rawRead(at("fresh.ini")), "fresh");

    // Files of the user's that look like temporaries are neither obstacles
    // nor touched; one of ours that an earlier run left goes.
    makeFile("Seamster.ini.new", "mine");
    makeFile("Seamster.ini.~1a.tmp", "mine too");
    makeFile("Seamster.ini.~1.tmp", "mine as well");
    makeFile("Seamster.ini.~seamster-1.tmp", "left over");
    ASSERT_TRUE(writeFileSafely(fs, at("Seamster.ini"), "third"));
    EXPECT_EQ(rawRead(at("Seamster.ini")), "third");
    EXPECT_EQ(rawRead(at("Seamster.ini.new")), "mine");
    EXPECT_EQ(rawRead(at("Seamster.ini.~1a.tmp")), "mine too");
    EXPECT_EQ(rawRead(at("Seamster.ini.~1.tmp")), "mine as well");
    EXPECT_EQ(listNames("*.*").size(), 5u);
}

TEST_F(Win32FileSystemTest, SafeCopyNamesOnlyACompleteCopy) {
    makeFile("Robe.package", "robe");
    makeFolder("Copies");
    ASSERT_TRUE(copyFileSafely(fs, at("Robe.package"), at("Copies\\Robe.package"), false));
    EXPECT_EQ(rawRead(at("Copies\\Robe.package")), "robe");
    // A name that is taken is never replaced unless asked, and nothing is left.
    makeFile("Copies\\Taken.package", "theirs");
    EXPECT_FALSE(copyFileSafely(fs, at("Robe.package"), at("Copies\\Taken.package"), false));
    EXPECT_EQ(rawRead(at("Copies\\Taken.package")), "theirs");
    ASSERT_TRUE(copyFileSafely(fs, at("Robe.package"), at("Copies\\Taken.package"), true));
    EXPECT_EQ(rawRead(at("Copies\\Taken.package")), "robe");
    {
        // A source another program holds without sharing cannot be copied.
        FileHandle held(CreateFileW(widen(at("Robe.package")).c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_FALSE(copyFileSafely(fs, at("Robe.package"), at("Copies\\Held.package"), false));
    }
    // A read-only source makes a read-only copy, and a failed one still goes.
    ASSERT_TRUE(SetFileAttributesW(widen(at("Robe.package")).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(copyFileSafely(fs, at("Robe.package"), at("Copies\\Taken.package"), false));
    std::vector<DirEntry> copies;
    ASSERT_TRUE(fs.list(at("Copies"), "*.*", copies));
    EXPECT_EQ(contract::sorted(contract::namesOf(copies)),
              (std::vector<std::string>{"Robe.package", "Taken.package"}));
    EXPECT_FALSE(fs.createNewFile(at("Copies\\Robe.package")));
}

TEST_F(Win32FileSystemTest, FailedSafeWriteKeepsTheOldFile) {
    makeFile("Seamster.ini", "old settings");
    {
        // Another program holds the file open without letting it be replaced.
        FileHandle held(CreateFileW(widen(at("Seamster.ini")).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_FALSE(writeFileSafely(fs, at("Seamster.ini"), "new settings"));
    }
    EXPECT_EQ(rawRead(at("Seamster.ini")), "old settings");
    EXPECT_EQ(listNames("*.*"), (std::vector<std::string>{"Seamster.ini"}));

    // The folder the file belongs in is missing.
    EXPECT_FALSE(writeFileSafely(fs, at("NoFolder\\Seamster.ini"), "x"));

    // A read-only file is protected, whichever system runs the program.
    makeFile("userbkg.bmp", "old background");
    ASSERT_TRUE(SetFileAttributesW(widen(at("userbkg.bmp")).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(writeFileSafely(fs, at("userbkg.bmp"), "new background"));
    EXPECT_EQ(rawRead(at("userbkg.bmp")), "old background");
    EXPECT_NE(GetFileAttributesW(widen(at("userbkg.bmp")).c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(contract::sorted(listNames("*.*")),
              (std::vector<std::string>{"Seamster.ini", "userbkg.bmp"}));
}

// Makes `link` a junction to `target`; false when the system cannot.
bool makeJunction(const std::wstring& link, const std::wstring& target) {
    if (!CreateDirectoryW(link.c_str(), nullptr)) return false;
    FileHandle handle(CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                  nullptr));
    if (!handle) return false;
    const std::wstring substitute = L"\\??\\" + target;
    const USHORT substituteBytes = USHORT(substitute.size() * sizeof(wchar_t));
    const USHORT printBytes = USHORT(target.size() * sizeof(wchar_t));
    // Tag, sizes, then both names, each followed by a terminating null.
    std::vector<BYTE> buffer(8 + 8 + substituteBytes + 2 + printBytes + 2, 0);
    auto put16 = [&](size_t at, USHORT value) { memcpy(buffer.data() + at, &value, 2); };
    const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
    memcpy(buffer.data(), &tag, 4);
    put16(4, USHORT(buffer.size() - 8));
    put16(8, 0);
    put16(10, substituteBytes);
    put16(12, USHORT(substituteBytes + 2));
    put16(14, printBytes);
    memcpy(buffer.data() + 16, substitute.data(), substituteBytes);
    memcpy(buffer.data() + 16 + substituteBytes + 2, target.data(), printBytes);
    DWORD returned = 0;
    return DeviceIoControl(handle.get(), FSCTL_SET_REPARSE_POINT, buffer.data(),
                           DWORD(buffer.size()), nullptr, 0, &returned, nullptr) != 0;
}

TEST_F(Win32FileSystemTest, AFileInUseForAMomentIsWaitedForAndKnownByAnyOfItsNames) {
    // A scanner holds a fresh file without sharing for a moment: the rename
    // and the delete wait for it instead of failing.
    makeFile("Fresh Picture.package", "fresh");
    for (bool rename : {true, false}) {
        const std::string path = at(rename ? "Fresh Picture.package" : "Renamed.package");
        HANDLE held =
            CreateFileW(widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        std::thread release([held] {
            Sleep(300);
            CloseHandle(held);
        });
        EXPECT_TRUE(rename ? fs.rename(path, at("Renamed.package")) : fs.deleteFile(path))
            << rename;
        release.join();
    }
    EXPECT_EQ(fs.exists(at("Renamed.package")), PathKind::missing);

    // Save Copy As tells the original by its identity, not its name's text.
    makeFile("Original Picture.bmp", "picture");
    makeFile("Other.bmp", "other");
    wchar_t shortName[MAX_PATH] = {};
    if (GetShortPathNameW(widen(at("Original Picture.bmp")).c_str(), shortName, MAX_PATH) == 0)
        GTEST_SKIP() << "no short names here";
    const auto original = fs.identityOf(at("Original Picture.bmp"));
    ASSERT_TRUE(original.has_value());
    EXPECT_EQ(fs.identityOf(narrow(shortName)), original) << narrow(shortName);
    EXPECT_NE(fs.identityOf(at("Other.bmp")), original);
    EXPECT_FALSE(fs.identityOf(at("Missing.bmp")).has_value());
}

TEST_F(Win32FileSystemTest, JunctionsAreListedAsLinks) {
    makeFolder("Real");
    makeFile("Real\\inside.package");
    if (!makeJunction(widen(at("Linked")), widen(at("Real"))))
        GTEST_SKIP() << "this system cannot create junctions";

    std::vector<DirEntry> entries;
    ASSERT_TRUE(fs.list(root_, "*.*", entries));
    for (const DirEntry& entry : entries) {
        EXPECT_TRUE(entry.isFolder) << entry.name;
        EXPECT_EQ(entry.isLink, entry.name == "Linked") << entry.name;
    }
    // Removing the link leaves what it points to.
    EXPECT_FALSE(fs.removeFolder(at("Linked")));
    EXPECT_TRUE(fs.removeLink(at("Linked")));
    EXPECT_EQ(fs.exists(at("Real\\inside.package")), PathKind::file);
}

TEST_F(Win32FileSystemTest, UnixLinksOnlyEverLoseThemselves) {
    // Windows programs cannot make Unix links under Wine: the script lays them.
    const char* folder = std::getenv("SEAMSTER_LINKS_FOLDER");
    if (!folder) GTEST_SKIP() << "scripts/win-tests.sh lays the links";
    std::vector<DirEntry> entries;
    ASSERT_TRUE(fs.list(folder, "*.*", entries));
    for (const DirEntry& entry : entries)  // Wine marks no link to a file
        EXPECT_EQ(entry.isLink, entry.isFolder && entry.name.find("Linked") == 0) << entry.name;
    const std::string in = std::string(folder) + "\\";
    EXPECT_FALSE(fs.removeFolder(in + "LinkedEmpty") || fs.deleteFile(in + "linked.package"));
    const bool linkGone = removeProjectFolder(fs, folder, "LinkedEmpty");
    removeProjectFolder(fs, folder, "Linked");
    removeProjectFile(fs, folder, "linked.package");
    EXPECT_EQ(fs.exists(in + "LinkedEmpty") == PathKind::missing, linkGone);
    EXPECT_EQ(fs.exists(in + "Empty"), PathKind::folder);
    EXPECT_EQ(rawRead(in + "Real\\inside.package"), "inside");
}

// ---- clock -------------------------------------------------------------------

// The civil date `days` days after 1970-01-01, as the tests' fake clock reckons it.
LocalDate civilDate(int64_t days) { return FixedClock::civilFromDays(days); }

int64_t floorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

TEST(Win32ClockTest, LocalDatesFollowTheSystemsOwnLocalTime) {
    Win32Clock clock;
    EXPECT_LE(std::llabs(clock.now() - int64_t(std::time(nullptr))), 5);
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    const LocalDate today = clock.today();
    const LocalDate ofNow = clock.localDateOf(clock.now());
    GetLocalTime(&after);
    const LocalDate first{before.wYear, before.wMonth, before.wDay};
    const LocalDate last{after.wYear, after.wMonth, after.wDay};
    EXPECT_TRUE(today == first || today == last);
    EXPECT_TRUE(ofNow == first || ofNow == last);

    // The zone's current offset, from the system's local and universal clocks.
    SYSTEMTIME localNow, utcNow;
    GetLocalTime(&localNow);
    GetSystemTime(&utcNow);
    FILETIME localFile, utcFile;
    ASSERT_TRUE(SystemTimeToFileTime(&localNow, &localFile));
    ASSERT_TRUE(SystemTimeToFileTime(&utcNow, &utcFile));
    auto ticks = [](const FILETIME& t) {
        return int64_t((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    // Zones are whole minutes away from UTC; rounding absorbs the moment
    // that passed between the two readings.
    const int64_t offset =
        int64_t(std::llround(double(ticks(localFile) - ticks(utcFile)) / 600000000.0)) * 60;

    // Known instants a day apart, at noon UTC: a summer-time difference of an
    // hour cannot move them across midnight unless the zone is 11 hours away.
    for (int64_t instant : {int64_t(1623758400), int64_t(1623758400) + 86400,
                            int64_t(1704110400) /* 2024-01-01 12:00 */}) {
        const LocalDate got = clock.localDateOf(instant);
        const LocalDate expected = civilDate(floorDiv(instant + offset, 86400));
        if (std::llabs(offset) <= 10 * 3600) {
            EXPECT_EQ(got, expected) << instant;
        } else {
            const LocalDate utcDay = civilDate(instant / 86400);
            EXPECT_TRUE(got == expected || got == utcDay) << instant;
        }
    }
    EXPECT_EQ(civilDate(1623758400 / 86400), (LocalDate{2021, 6, 15}));
}

// ---- settings text ---------------------------------------------------------

TEST(Win32TextCodecTest, TextRoundTripsThroughTheSettingsBytes) {
    Win32TextCodec codec;
    for (const std::string& text :
         {std::string(), std::string("C:\\Program Files\\EA GAMES\\The Sims 2"),
          std::string("Caf\xC3\xA9 \xC3\x9C"), std::string("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"),
          std::string("mixed \xC3\xA9 and \xE6\x97\xA5")})
        EXPECT_EQ(codec.fromFileBytes(codec.toFileBytes(text)), text) << text;

    // Plain ASCII is written as it is.
    EXPECT_EQ(codec.toFileBytes("Auto Quit"), "Auto Quit");
    // Characters the code page cannot hold are written as UTF-8, never as '?'.
    const std::string japanese = "\xE6\x97\xA5\xE6\x9C\xAC";
    if (GetACP() != CP_UTF8 && GetACP() != 932 && GetACP() != 936) {
        EXPECT_EQ(codec.toFileBytes(japanese), japanese);
    }

    if (GetACP() == 1252) {
        // The Western code page keeps its own one-byte letters.
        EXPECT_EQ(codec.toFileBytes("Caf\xC3\xA9"), "Caf\xE9");
        EXPECT_EQ(codec.fromFileBytes("Caf\xE9"), "Caf\xC3\xA9");
        EXPECT_EQ(codec.fromFileBytes(" v 0.36 \xDF"), " v 0.36 \xC3\x9F");
    }
}

// ---- processes -------------------------------------------------------------

TEST(Win32ProcessesTest, FindsARunningProgramByItsExactName) {
    wchar_t path[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    std::string self = narrow(path);
    self = self.substr(self.find_last_of("\\/") + 1);

    Win32Processes processes;
    EXPECT_EQ(processes.checkRunning(self), ProcessState::running) << self;
    std::string upper = self;
    for (char& c : upper) c = char(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(processes.checkRunning(upper), ProcessState::notRunning) << upper;
    EXPECT_EQ(processes.checkRunning("TS2BodyShop.exe"), ProcessState::notRunning);
}

// ---- registry ----------------------------------------------------------------

class Win32RegistryTest : public ::testing::Test {
protected:
    static constexpr const wchar_t* key = L"Software\\SeamsterContractTest";
    void TearDown() override {
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, key, KEY_WOW64_32KEY, 0);
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, key, KEY_WOW64_64KEY, 0);
    }
    // False when this account may not write to HKEY_LOCAL_MACHINE.
    bool put(REGSAM view, const wchar_t* name, const std::wstring& text) {
        RegistryKey handle;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_WRITE | view, nullptr,
                            handle.receive(), nullptr) != ERROR_SUCCESS)
            return false;
        if (!name) return true;
        return RegSetValueExW(handle.get(), name, 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(text.c_str()),
                              DWORD((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
    RegistryRead read(const std::string& name, std::string& value) {
        return Win32Registry().readLocalMachineText("Software\\SeamsterContractTest", name, value);
    }
};

TEST_F(Win32RegistryTest, ThirtyTwoBitViewComesFirstThenTheNativeOne) {
    std::string value = "unchanged";
    EXPECT_EQ(read("Install Dir", value), RegistryRead::openFailed);
    if (!put(KEY_WOW64_64KEY, L"Install Dir", L"C:\\Native"))
        GTEST_SKIP() << "HKEY_LOCAL_MACHINE is not writable here";
    ASSERT_EQ(read("Install Dir", value), RegistryRead::ok);
    EXPECT_EQ(value, "C:\\Native");

    ASSERT_TRUE(put(KEY_WOW64_32KEY, L"Install Dir", L"C:\\Program Files\\EA GAMES\\Caf\u00e9"));
    ASSERT_EQ(read("Install Dir", value), RegistryRead::ok);
    EXPECT_EQ(value, "C:\\Program Files\\EA GAMES\\Caf\xC3\xA9");

    value = "unchanged";
    EXPECT_EQ(read("Missing Value", value), RegistryRead::readFailed);
    EXPECT_EQ(value, "unchanged");
}

TEST_F(Win32RegistryTest, NumbersAreNotText) {
    RegistryKey handle;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_WRITE | KEY_WOW64_32KEY,
                        nullptr, handle.receive(), nullptr) != ERROR_SUCCESS)
        GTEST_SKIP() << "HKEY_LOCAL_MACHINE is not writable here";
    const DWORD number = 7;
    ASSERT_EQ(RegSetValueExW(handle.get(), L"Install Dir", 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&number), sizeof(number)),
              ERROR_SUCCESS);
    std::string value;
    EXPECT_EQ(read("Install Dir", value), RegistryRead::readFailed);
}

// ---- shell -------------------------------------------------------------------

TEST(Win32ShellTest, DocumentsFolderEndsWithABackslashAndExists) {
    Win32Shell shell;
    Win32FileSystem fs;
    const std::string documents = shell.specialFolder(SpecialFolder::documents);
    ASSERT_FALSE(documents.empty());
    EXPECT_EQ(documents.back(), '\\');
    EXPECT_EQ(fs.exists(documents), PathKind::folder);
    EXPECT_FALSE(shell.currentFolder().empty());
}

}  // namespace

namespace contract {
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FileSystemContract, Win32Env);
}  // namespace contract

}  // namespace seamster
