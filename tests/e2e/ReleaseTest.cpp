// The release zip as a user gets it: scripts/e2e.sh unpacks it into a folder
// of the user's own and points the program folder there. Seamster is started
// from another folder, as from a terminal or a shortcut, and its Help button
// must open the help file that came in the zip.

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
    settle(main_);
    quitWithQuestion(seamster_, main_);
}

}  // namespace
}  // namespace seamster::e2e
