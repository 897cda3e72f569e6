// The release zip as a user gets it: scripts/e2e.sh unpacks it into a folder
// of the user's own and points the program folder there. Seamster is started
// from another folder, as from a terminal or a shortcut, and its Help button
// must open the help file that came in the zip.

#include <algorithm>
#include <cctype>
#include <optional>

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

class Release : public Scenario {
protected:
    void TearDown() override {
        terminateProcessesNamed(helpViewer);
        Scenario::TearDown();
    }
};

TEST_F(Release, HelpButtonOpensTheHelpFileThatCameInTheZip) {
    const std::string folder = programFolder();
    ASSERT_NE(lower(folder), "c:\\seamster")
        << "scripts/e2e.sh unpacks the release zip for this scenario";
    const std::string helpFile = folder + "\\Seamster.CHM";
    ASSERT_TRUE(fileExists(helpFile)) << helpFile << " did not come in the zip";
    ASSERT_TRUE(fileExists(folder + "\\README.txt")) << "README.txt did not come in the zip";
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
    settle(main_);
    quitWithQuestion(seamster_, main_);
}

// Waits for a browser launcher that is not among `before`, and gives its
// command line ("" when it ended before that could be read). It may live only
// briefly, so the list is read often.
std::optional<std::string> browserAskedAfter(const std::vector<DWORD>& before) {
    const ULONGLONG end = GetTickCount64() + 10000;
    do {
        for (DWORD id : processIdsNamed("winebrowser.exe"))
            if (std::find(before.begin(), before.end(), id) == before.end())
                return commandLineOf(id);
        Sleep(2);
    } while (GetTickCount64() < end);
    return std::nullopt;
}

TEST_F(Release, HelpFileMarkedAsDownloadedOpensTheWebPagesAndSaysSoOnce) {
    // The mark Windows gives what comes from the internet (under Wine, a file
    // of that name beside the help file).
    const std::string mark = programFolder() + "\\Seamster.CHM:Zone.Identifier";
    ASSERT_TRUE(writeFileBytes(mark, "[ZoneTransfer]\r\nZoneId=3\r\n"));
    writeSettings(settingsForPack("The Sims 2"));
    seamster_ = startSeamster();
    main_ = waitForMainWindow(seamster_);
    ASSERT_NE(main_, nullptr);

    const std::string page = lower(programFolder() + "\\help\\index.htm");
    for (int press = 0; press < 2; ++press) {
        SCOPED_TRACE("press " + std::to_string(press + 1));
        const std::vector<DWORD> before = processIdsNamed("winebrowser.exe");
        pressToolBarButton(toolBar(), helpButton);
        // The page goes to the browser first, then the box comes.
        const std::optional<std::string> line = browserAskedAfter(before);
        ASSERT_TRUE(line) << "no browser was asked";
        if (!line->empty()) {
            EXPECT_NE(lower(*line).find(page), std::string::npos) << *line;
        }
        if (press == 0) {
            HWND box = waitForMessageBox(seamster_.id());
            ASSERT_NE(box, nullptr) << "nothing said of the blocked help";
            settle(box);
            snap(box, "help-blocked");
            EXPECT_EQ(messageBoxText(box).rfind("Windows has blocked Seamster's help file", 0), 0u)
                << messageBoxText(box);
            ASSERT_TRUE(pressMessageBoxButton(box, IDOK));
            ASSERT_TRUE(waitUntilGone(box));
        }
        settle(main_, 300);
        EXPECT_EQ(findMessageBox(seamster_.id()), nullptr);
        EXPECT_TRUE(processIdsNamed(helpViewer).empty()) << "the help viewer came up";
    }
    quitWithQuestion(seamster_, main_);
    deleteFile(mark);
}

}  // namespace
}  // namespace seamster::e2e
