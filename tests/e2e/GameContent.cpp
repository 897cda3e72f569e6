#include "GameContent.h"

#include <commctrl.h>

namespace seamster::e2e {

namespace {

void addFolderContents(const std::string& root, const std::string& relative, FolderContents& out) {
    const std::string folder = relative.empty() ? root : root + "\\" + relative;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(widen(folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = narrow(found.cFileName);
        if (name == "." || name == "..") continue;
        const std::string path = relative.empty() ? name : relative + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out[path + "\\"] = "";
            addFolderContents(root, path, out);
        } else {
            out[path] = readFileBytes(root + "\\" + path).value_or("<unreadable>");
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}
}  // namespace

StandIn::~StandIn() {
    if (!process_) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

bool StandIn::waitUntilShown(int timeoutMs) {
    window_ = waitForProgramWindow(bodyShopExe, standInTitle, timeoutMs);
    if (!window_) return false;
    process_ = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION,
                           FALSE, processOf(window_));
    return process_ != nullptr;
}

bool StandIn::close(int timeoutMs) {
    if (!process_) return false;
    closeWindow(window_);
    return WaitForSingleObject(process_, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

HICON statusBarIcon(HWND bar, int part) {
    DWORD_PTR icon = 0;
    if (!bar || !SendMessageTimeoutW(bar, SB_GETICON, static_cast<WPARAM>(part), 0,
                                     SMTO_ABORTIFHUNG, 3000, &icon))
        return nullptr;
    return reinterpret_cast<HICON>(icon);
}

void clickText(HWND label) {
    const Rect size = clientRect(label);
    const LPARAM centre = MAKELPARAM(size.width / 2, size.height / 2);
    PostMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    PostMessageW(label, WM_LBUTTONUP, 0, centre);
}

FolderContents folderContents(const std::string& folder) {
    FolderContents contents;
    addFolderContents(folder, "", contents);
    return contents;
}

// --- the fixture ----------------------------------------------------------------

HWND ContentScenario::openFromToolBar(int button, const std::string& title) {
    pressToolBarButton(toolBar(), button);
    HWND window = waitForWindow(seamster_.id(), title);
    EXPECT_NE(window, nullptr) << "\"" << title << "\" did not open";
    if (!window) return nullptr;
    settle(window);
    EXPECT_FALSE(isEnabled(main_)) << "the main window stays usable behind \"" << title << "\"";
    return window;
}

void ContentScenario::pressOk(HWND window, int okGadget) {
    click(control(window, okGadget));
    ASSERT_TRUE(waitUntilGone(window)) << "\"" << text(window) << "\" did not close on OK";
    settle(main_);
    EXPECT_TRUE(isEnabled(main_)) << "the main window stays disabled";
}

void ContentScenario::chooseToHideBothFolders() {
    HWND hide = openFromToolBar(mainButton::hideGameFolders, hideFoldersTitle);
    ASSERT_NE(hide, nullptr);
    for (int box : {210, 211}) {
        click(control(hide, box));
        settle(hide, 50);
        EXPECT_TRUE(isChecked(control(hide, box))) << "check box " << box;
    }
    pressOk(hide, 200);
}

void ContentScenario::confirmExtras() {
    HWND extras = openFromToolBar(mainButton::extras, extrasTitle);
    ASSERT_NE(extras, nullptr);
    pressOk(extras, 50);
}

void ContentScenario::runBodyShop(StandIn& standIn) {
    click(control(main_, runBodyshopGadget));
    ASSERT_TRUE(standIn.waitUntilShown()) << "the Body Shop did not start";
    settle(main_);
}

std::string ContentScenario::answerBox(int button, const std::string& snapName) {
    HWND box = waitForMessageBox(seamster_.id());
    EXPECT_NE(box, nullptr) << "no message box";
    if (!box) return "<no box>";
    settle(box);
    snap(box, snapName);
    const std::string message = messageBoxText(box);
    EXPECT_EQ(text(box), "Seamster");
    EXPECT_TRUE(pressMessageBoxButton(box, button)) << "the box has no such button: " << message;
    EXPECT_TRUE(waitUntilGone(box));
    return message;
}

}  // namespace seamster::e2e
