// The release zip as a user gets it: scripts/e2e.sh unpacks it into a folder
// of the user's own and points the program folder there. Seamster is started
// from another folder, as from a terminal or a shortcut, and its Help button
// must open the help file that came in the zip, or its web pages when Windows
// marked the help file as downloaded.

#include <algorithm>
#include <cctype>

#include "Scenario.h"

namespace seamster::e2e {
namespace {

constexpr int helpButton = 1;
const std::string helpViewer = "hh.exe";
// The title the help file gives the viewer's window.
const std::string helpTitle = "Seamster Help";

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The command line of a browser launcher started after `before` ("" when none
// comes); it may live only briefly, so the list is read often.
std::string browserAskedAfter(const std::vector<DWORD>& before) {
    for (ULONGLONG end = GetTickCount64() + 10000; GetTickCount64() < end; Sleep(2))
        for (DWORD id : processIdsNamed("winebrowser.exe"))
            if (std::find(before.begin(), before.end(), id) == before.end())
                return commandLineOf(id);
    return {};
}

class Release : public Scenario {
protected:
    void TearDown() override {
        terminateProcessesNamed(helpViewer);
        Scenario::TearDown();
    }
};

TEST_F(Release, HelpButtonOpensTheHelpThatCameInTheZip) {
    const std::string folder = programFolder();
    ASSERT_NE(lower(folder), "c:\\seamster")
        << "scripts/e2e.sh unpacks the release zip for this scenario";
    const std::string helpFile = folder + "\\Seamster.CHM";
    ASSERT_TRUE(fileExists(helpFile)) << helpFile << " did not come in the zip";
    for (const char* name : {"README.txt", "LICENSE", "THIRD-PARTY.txt"}) {
        ASSERT_TRUE(fileExists(folder + "\\" + name)) << name << " did not come in the zip";
    }
    ASSERT_TRUE(fileExists(folder + "\\help\\index.htm"))
        << "the web-page help did not come in the zip";
    terminateProcessesNamed(helpViewer);

    writeSettings(settingsForPack("The Sims 2"));
    seamster_ = Process::start(exePath(), "C:\\");
    ASSERT_TRUE(seamster_.started());
    main_ = waitForMainWindow(seamster_);
    ASSERT_NE(main_, nullptr);

    pressToolBarButton(toolBar(), helpButton);
    HWND viewer = waitForProgramWindow(helpViewer, helpTitle);
    if (!viewer) {
        HWND box = findMessageBox(seamster_.id());
        FAIL() << "no help viewer came up"
               << (box ? "; Seamster said \"" + messageBoxText(box) + "\"" : std::string());
    }
    const std::string line = commandLineOf(processOf(viewer));
    EXPECT_NE(lower(line).find(lower(helpFile)), std::string::npos)
        << "the help viewer was started as: " << line;
    snap(viewer, "help-viewer");
    EXPECT_EQ(findMessageBox(seamster_.id()), nullptr);

    closeWindow(viewer);
    EXPECT_TRUE(waitUntilNoProcessNamed(helpViewer)) << "the help viewer did not close";

    // Marked as downloaded (under Wine the mark is a file of the stream's
    // name), the help opens as web pages, and how to unblock it is said once.
    ASSERT_TRUE(writeFileBytes(helpFile + ":Zone.Identifier", "[ZoneTransfer]\r\nZoneId=3\r\n"));
    for (int press = 0; press < 2; ++press) {
        const std::vector<DWORD> before = processIdsNamed("winebrowser.exe");
        pressToolBarButton(toolBar(), helpButton);
        EXPECT_NE(lower(browserAskedAfter(before)).find(lower(folder + "\\help\\index.htm")),
                  std::string::npos);
        if (press > 0) continue;
        HWND box = waitForMessageBox(seamster_.id());
        ASSERT_NE(box, nullptr) << "nothing said of the blocked help";
        settle(box);
        snap(box, "help-blocked");
        EXPECT_EQ(messageBoxText(box).rfind("Windows has blocked Seamster's help file", 0), 0u);
        ASSERT_TRUE(pressMessageBoxButton(box, IDOK) && waitUntilGone(box));
    }
    settle(main_);
    EXPECT_EQ(findMessageBox(seamster_.id()), nullptr);
    EXPECT_TRUE(processIdsNamed(helpViewer).empty()) << "the help viewer came up";
    quitWithQuestion(seamster_, main_);
}

}  // namespace
}  // namespace seamster::e2e
