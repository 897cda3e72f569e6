#include <objbase.h>
#include <shlobj.h>

#include <functional>
#include <utility>

#include "core/App.h"
#include "app/MainLoop.h"
#include "app/MainWindow.h"
#include "app/Program.h"
#include "app/StartUp.h"
#include "config/SettingsFile.h"
#include "platform/win32/Win32Platform.h"
#include "ui/Toolkit.h"

namespace seamster {

namespace {
struct Services {
    Win32FileSystem fs;
    Win32Clock clock;
    Win32Registry registry;
    Win32Shell shell;
    Win32Processes processes;
    ui::Win32Dialogs dialogs;
    Win32TextCodec codec;
    Platform platform{fs, clock, registry, shell, processes, dialogs, codec};
};

// Start-up's requests of the toolkit and the main window.
class Win32StartUpScreen : public StartUpScreen {
public:
    Win32StartUpScreen(ui::Toolkit& toolkit, MainWindow& main) : toolkit_(toolkit), main_(main) {}
    void loadPicturesAndFonts() override {
        toolkit_.loadPictures();
        toolkit_.loadFonts();
    }
    void setHelpHandler(std::function<void(const std::string& page)> handler) override {
        toolkit_.setHelpHandler(std::move(handler));
    }
    bool buildMainWindow() override { return main_.build(); }

private:
    ui::Toolkit& toolkit_;
    MainWindow& main_;
};
}  // namespace

int runProgram(HINSTANCE instance) {
    Services services;
    App app(services.platform);
    app.programFolder = services.shell.programFolder();

    // One Seamster at a time: the mutex lives until the program ends.
    NamedMutex single(L"Seamster");
    if (!single.owned()) {
        app.dialogs().showMessage("Seamster is already running...", iconExclamation);
        return 0;
    }
    // The folder requester needs COM; without it the rest still works.
    ComApartment com;

    ui::Toolkit toolkit(instance);
    app.screen = {toolkit.screenWidth(), toolkit.screenHeight(), toolkit.scrollBarWidth()};
    if (auto tooSmall = desktopTooSmallText(app.screen.screenWidth, app.screen.screenHeight)) {
        app.dialogs().showMessage(*tooSmall, iconStop);
        return 0;
    }
    MainWindow main(app, toolkit);
    if (Win32StartUpScreen screen(toolkit, main); !startUp(app, main, screen)) {
        // Without its window the program could never be told to end.
        app.dialogs().showMessage("Seamster could not open its window.", iconStop);
    } else {
        main.show();
        mainLoop(app, main, main);
        storeWindowPosition(app.settings, main.position());
        // A save that fails is said (once a run); the settings file keeps its
        // old contents whole.
        saveSettingsOrSay(app);
    }
    return 0;
}

}  // namespace seamster
