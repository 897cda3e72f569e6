// The Program Options window, whose ticks live in the settings file, and the
// About window.

#include "GameContent.h"

#include <tlhelp32.h>

#include <set>

namespace seamster::e2e {
namespace {

class OptionsAndAbout : public ContentScenario {};

struct OptionBox {
    int id;
    const char* text;
    const char* key;
};

const OptionBox optionBoxes[] = {
    {210, " Remember Seamster's Window Position", "Remember Window Position"},
    {211, " End Seamster when Bodyshop ends", "Auto Quit"},
    {212, " Ask Before Quitting Seamster", "Ask Before Quit"},
    {214, " Auto-Select Orphan Bodyshop Projects", "Orphan Projects"},
};

// The ids of the running processes of this name.
std::set<DWORD> processesNamed(const wchar_t* name) {
    std::set<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return ids;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry))
        if (_wcsicmp(entry.szExeFile, name) == 0) ids.insert(entry.th32ProcessID);
    CloseHandle(snapshot);
    return ids;
}

// Waits for a process of this name that is not among `known` and adds it
// there. The launcher may live only briefly, so the list is read often.
bool newProcessStarted(const wchar_t* name, std::set<DWORD>& known, int timeoutMs) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    do {
        for (DWORD id : processesNamed(name))
            if (known.insert(id).second) return true;
        Sleep(5);
    } while (GetTickCount64() < end);
    return false;
}

TEST_F(OptionsAndAbout, OptionsSurviveARestart) {
    // Every option the other way round from the defaults.
    SettingsEntries settings = settingsForPack("The Sims 2");
    ASSERT_NE(startAtMainWindow(settings), nullptr);

    HWND options = openFromToolBar(mainButton::options, optionsTitle);
    ASSERT_NE(options, nullptr);
    snap(options, "options-window");
    EXPECT_EQ(clientRect(options), (Rect{0, 0, 408, 155}));
    EXPECT_EQ(text(control(options, 200)), "OK");
    for (const OptionBox& box : optionBoxes) {
        SCOPED_TRACE(box.key);
        HWND tick = control(options, box.id);
        ASSERT_NE(tick, nullptr);
        EXPECT_EQ(text(tick), box.text);
        EXPECT_EQ(isChecked(tick), valueOf(settings, box.key) == "1");
        click(tick);
        settle(options, 50);
        setValue(settings, box.key, valueOf(settings, box.key) == "1" ? "0" : "1");
    }
    snap(options, "options-changed");
    pressOk(options, 200);

    // Nothing is written before the program ends; then the ticks are saved,
    // with the position, now that it is to be remembered.
    const Rect placed = windowRect(main_);
    EXPECT_EQ(readSettings(), settingsFileBytes(settingsForPack("The Sims 2")));
    quitWithoutQuestion(seamster_, main_);
    ASSERT_FALSE(HasFailure());
    EXPECT_EQ(readSettings(), settingsFileBytes(savedAfterRun(settings, placed.x, placed.y)));

    // The next start shows the saved ticks; changing one back sticks too.
    seamster_ = startSeamster();
    main_ = waitForMainWindow(seamster_);
    ASSERT_NE(main_, nullptr);
    settle(main_);
    options = openFromToolBar(mainButton::options, optionsTitle);
    ASSERT_NE(options, nullptr);
    for (const OptionBox& box : optionBoxes)
        EXPECT_EQ(isChecked(control(options, box.id)), valueOf(settings, box.key) == "1")
            << box.key;
    click(control(options, 212));
    settle(options, 50);
    pressOk(options, 200);
    setValue(settings, "Ask Before Quit", "1");

    // Reopened in the same run, the window shows the values just chosen.
    options = openFromToolBar(mainButton::options, optionsTitle);
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(isChecked(control(options, 212)));
    pressOk(options, 200);

    const Rect moved = windowRect(main_);
    quitWithQuestion(seamster_, main_);
    ASSERT_FALSE(HasFailure());
    EXPECT_EQ(readSettings(), settingsFileBytes(savedAfterRun(settings, moved.x, moved.y)));
}

TEST_F(OptionsAndAbout, AboutShowsItsTextsAndTheLinkLeavesItOpen) {
    ASSERT_NE(startAtMainWindow(settingsForPack("The Sims 2")), nullptr);
    HWND about = openFromToolBar(mainButton::about, aboutTitle);
    ASSERT_NE(about, nullptr);
    snap(about, "about-window");
    EXPECT_EQ(clientRect(about), (Rect{0, 0, 406, 204}));
    EXPECT_EQ(text(control(about, 201)), "Seamster");
    EXPECT_EQ(text(control(about, 202)), " v 0.36 \xC3\x9F");
    EXPECT_EQ(text(control(about, 203)), "Released March 14, 2009");
    EXPECT_FALSE(text(control(about, 204)).empty()) << "no author line";
    EXPECT_EQ(text(control(about, 205)), "");
    EXPECT_EQ(text(control(about, 206)), "The latest version of Seamster");
    EXPECT_FALSE(text(control(about, 207)).empty()) << "no site line";
    EXPECT_EQ(text(control(about, 208)), "Check for latest version");
    EXPECT_EQ(text(control(about, 200)), "OK");

    // Each click hands the page to the system, which under Wine starts its
    // browser launcher, and the window stays as it was.
    std::set<DWORD> launchers = processesNamed(L"winebrowser.exe");
    for (int click = 0; click < 2; ++click) {
        SCOPED_TRACE("click " + std::to_string(click + 1));
        clickText(control(about, 208));
        EXPECT_TRUE(newProcessStarted(L"winebrowser.exe", launchers, 5000))
            << "no browser was asked";
        settle(about, 300);
        EXPECT_TRUE(isVisible(about));
        EXPECT_FALSE(isEnabled(main_));
        HWND box = findMessageBox(seamster_.id());
        EXPECT_EQ(box, nullptr) << "the link showed \"" << (box ? messageBoxText(box) : "") << "\"";
    }
    snap(about, "about-after-link");

    pressOk(about, 200);
    quitWithQuestion(seamster_, main_);
}

}  // namespace
}  // namespace seamster::e2e
