#include "Scenario.h"

#include <shlobj.h>

#include <cstdio>
#include <cstdlib>

namespace seamster::e2e {

std::string bodyShopPath(const std::string& installDir, const std::string& pack) {
    return installDir + "\\" + pack + "\\CSBin\\TS2BodyShop.exe";
}

bool restoreInstallValue() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, widen(installKey).c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const std::wstring value = widen(installValue);
    const LONG written = RegSetValueExW(key, widen(installValueName).c_str(), 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(value.c_str()),
                                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return written == ERROR_SUCCESS;
}

std::string mainTitle(const std::string& pack) { return mainTitleStart + pack; }

SettingsEntries defaultSettings() {
    return {
        {"ApplicationName", "Seamster"},
        {"Version", " v 0.36 \xDF"},  // the version's last byte is sharp s in the code page
        {"Auto Quit", "0"},
        {"Ask Before Quit", "1"},
        {"Remember Window Position", "0"},
        {"Selected Pack", ""},
        {"Install Directory", ""},
        {"Sims Folder Count", "0"},
        {"RunBodyshop", ""},
        {"Image Path", ""},
        {"Last Image", ""},
        {"Window X", "0"},
        {"Window Y", "0"},
        {"Orphan Projects", "1"},
        {"In Front", ""},
        {"In Back", ""},
        {"Start Number", "001"},
        {"Copy To", ""},
        {"Copy To Display", ""},
        {"Go Back Weeks", "0"},
        {"Bodyshop Number", "1"},
        {"Keep Number", "1"},
        {"Copy Packages", "0"},
        {"In The Last", "1"},
        {"Custom Number", "0"},
        {"Last Used", "01/01/2000"},
        {"Packages Folder", ""},
        {"Path Display", ""},
        {"Search", ""},
        {"Other Folder", "0"},
    };
}

SettingsEntries settingsForPack(const std::string& pack) {
    SettingsEntries entries = defaultSettings();
    setValue(entries, "Selected Pack", pack);
    setValue(entries, "Install Directory", installDirectory);
    setValue(entries, "Sims Folder Count", std::to_string(sandboxFolderCount));
    setValue(entries, "RunBodyshop", bodyShopPath(installDirectory, pack));
    return entries;
}

void setValue(SettingsEntries& entries, const std::string& key, const std::string& value) {
    for (auto& [k, v] : entries) {
        if (k == key) {
            v = value;
            return;
        }
    }
    ADD_FAILURE() << "no settings key " << key;
}

std::string valueOf(const SettingsEntries& entries, const std::string& key) {
    for (const auto& [k, v] : entries)
        if (k == key) return v;
    return {};
}

std::string settingsFileBytes(const SettingsEntries& entries) {
    std::string bytes;
    for (const auto& [key, value] : entries) bytes += key + " = " + value + "\r\n";
    return bytes;
}

SettingsEntries savedAfterRun(SettingsEntries before, int windowX, int windowY) {
    const bool remember = valueOf(before, "Remember Window Position") != "0";
    setValue(before, "Window X", remember ? std::to_string(windowX) : "0");
    setValue(before, "Window Y", remember ? std::to_string(windowY) : "0");
    setValue(before, "Last Used", todayText());
    // The background thumbnail drawn at start fills an empty Last Image with
    // the background file's path when there is one.
    const std::string background = Scenario::gameFolder() + "\\userbkg.bmp";
    if (valueOf(before, "Last Image").empty() && fileExists(background))
        setValue(before, "Last Image", background);
    return before;
}

std::string todayText() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char text[16];
    std::snprintf(text, sizeof text, "%02u/%02u/%04u", now.wMonth, now.wDay, now.wYear);
    return text;
}

void Scenario::SetUp() {
    ASSERT_TRUE(fileExists(exePath())) << exePath() << " is missing: prepare the sandbox first";
    // A scenario that takes the game's registry value away may have been
    // stopped before it could put it back.
    ASSERT_TRUE(restoreInstallValue()) << "cannot write the sandbox's registry value";
    const Rect screen = screenRect();
    const Rect wanted = expectedScreen();
    ASSERT_EQ(screen, wanted) << "this scenario needs a " << wanted.width << " x " << wanted.height
                              << " screen (scripts/e2e.sh provides it)";
}

std::string Scenario::programFolder() {
    const char* folder = std::getenv("SEAMSTER_E2E_PROGRAM_FOLDER");
    return folder && *folder ? folder : "C:\\Seamster";
}

std::string Scenario::gameFolder() {
    wchar_t documents[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, documents))) return {};
    return narrow(documents) + "\\EA Games\\The Sims 2";
}

Process Scenario::startSeamster() {
    Process seamster = Process::start(exePath(), programFolder());
    EXPECT_TRUE(seamster.started()) << "could not start " << exePath();
    return seamster;
}

HWND Scenario::waitForMainWindow(const Process& seamster) {
    const ULONGLONG end = GetTickCount64() + defaultWaitMs;
    while (GetTickCount64() < end) {
        if (!seamster.isRunning()) {
            ADD_FAILURE() << "Seamster ended during start-up";
            return nullptr;
        }
        if (HWND box = findMessageBox(seamster.id())) {
            settle(box);
            snap(box, "unexpected-box");
            ADD_FAILURE() << "unexpected message box during start-up: \"" << messageBoxText(box)
                          << "\"";
            return nullptr;
        }
        if (HWND setup = findWindow(seamster.id(), "Seamster Set Up")) {
            settle(setup);
            snap(setup, "setup-window");
            click(control(setup, 5));
            if (!waitUntilGone(setup, 5000)) {
                ADD_FAILURE() << "the set-up window did not close on OK";
                return nullptr;
            }
            continue;
        }
        if (HWND main = findWindowStartingWith(seamster.id(), mainTitleStart)) return main;
        Sleep(50);
    }
    std::string seen;
    for (const auto& title : visibleWindowTitles(seamster.id())) seen += " \"" + title + "\"";
    ADD_FAILURE() << "no main window within " << defaultWaitMs << " ms; windows seen:" << seen;
    return nullptr;
}

void Scenario::quitWithQuestion(const Process& seamster, HWND mainWindow) {
    // A close that reaches Seamster while it is still finishing with a box
    // it just showed is dropped, as every click then is.
    settle(mainWindow);
    closeWindow(mainWindow);
    HWND box = waitForMessageBox(seamster.id());
    ASSERT_NE(box, nullptr) << "no quit question";
    EXPECT_EQ(messageBoxText(box), "Are you sure you want to Quit? ");
    ASSERT_TRUE(pressMessageBoxButton(box, IDYES));
    ASSERT_TRUE(seamster.waitForExit()) << "Seamster did not end after Yes";
    EXPECT_EQ(seamster.exitCode(), 0u);
}

void Scenario::quitWithoutQuestion(const Process& seamster, HWND mainWindow) {
    closeWindow(mainWindow);
    const bool ended = seamster.waitForExit();
    if (!ended) {
        if (HWND box = findMessageBox(seamster.id())) {
            snap(box, "unexpected-box");
            FAIL() << "Seamster asked \"" << messageBoxText(box) << "\" instead of quitting";
        }
        FAIL() << "Seamster did not end after its main window was closed";
    }
    EXPECT_EQ(seamster.exitCode(), 0u);
}

void Scenario::writeSettings(const SettingsEntries& entries) {
    writeSettingsBytes(settingsFileBytes(entries));
}

void Scenario::writeSettingsBytes(const std::string& bytes) {
    ASSERT_TRUE(writeFileBytes(settingsPath(), bytes)) << "cannot write " << settingsPath();
}

std::string Scenario::readSettings() {
    auto bytes = readFileBytes(settingsPath());
    EXPECT_TRUE(bytes.has_value()) << settingsPath() << " was not written";
    return bytes.value_or("");
}

HWND Scenario::startAtMainWindow(const SettingsEntries& settings) {
    writeSettings(settings);
    seamster_ = startSeamster();
    main_ = waitForMainWindow(seamster_);
    if (main_) settle(main_);
    return main_;
}

void Scenario::snap(HWND window, const std::string& what) {
    const char* folder = std::getenv("SEAMSTER_E2E_SCREENSHOTS");
    if (!folder || !*folder) return;
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(test->test_suite_name()) + "." + test->name() + "-" + what;
    // A window just found may not have painted yet; the screen would still
    // show what lies under it.
    settle(window, 100);
    // A missing screenshot is worth a note, not a failed scenario.
    if (!saveScreenshot(window, folder, name))
        std::fprintf(stderr, "screenshot %s not saved\n", name.c_str());
}

}  // namespace seamster::e2e
