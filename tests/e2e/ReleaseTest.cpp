// The release zip as a user gets it: scripts/e2e.sh unpacks it into a folder
// of the user's own and points the program folder there. Seamster is started
// from another folder, as from a terminal or a shortcut, and its Help button
// must open the help file that came in the zip.

#include <winternl.h>

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

// The command line another process was started with, read from its
// process parameters.
std::string commandLineOf(DWORD processId) {
    using Query = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!query || !process) {
        if (process) CloseHandle(process);
        return {};
    }
    std::string line;
    PROCESS_BASIC_INFORMATION basic{};
    PEB peb{};
    RTL_USER_PROCESS_PARAMETERS parameters{};
    SIZE_T done = 0;
    if (query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) == 0 &&
        ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, &done) &&
        ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof parameters, &done)) {
        std::wstring wide(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
        if (ReadProcessMemory(process, parameters.CommandLine.Buffer, wide.data(),
                              parameters.CommandLine.Length, &done))
            line = narrow(wide);
    }
    CloseHandle(process);
    return line;
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
