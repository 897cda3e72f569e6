#pragma once
// The whole program state over fakes: an App on a FakePlatform, a recording
// main window and the user's scripted requests. The user's game folder is
// laid out under a fixed Documents folder so that the real findUserFolder
// derives the paths.

#include "core/App.h"
#include "app/StartUp.h"
#include "fakes/FakeMainView.h"
#include "fakes/FakePlatform.h"

namespace seamster {

struct FakeApp {
    static constexpr char documents[] = "C:\\Users\\Ann\\Documents\\";
    static constexpr char userFolder[] = "C:\\Users\\Ann\\Documents\\EA Games\\The Sims 2\\";
    static constexpr char config[] = "C:\\Users\\Ann\\Documents\\EA Games\\The Sims 2\\Config\\";

    FakePlatform services;
    App app{services.platform};
    FakeMainView view;
    FakeMainInput events;

    FakeApp() {
        view.journal = &services.journal;
        app.programFolder = "C:\\Seamster\\";
        services.fs.addFolder(app.programFolder);
        services.shell.specialFolders[SpecialFolder::documents] = documents;
    }

    MemoryFileSystem& fs() { return services.fs; }
    FakeDialogs& dialogs() { return services.dialogs; }

    // Creates the user's game folder and derives every game path from it.
    void makeUserFolder() {
        fs().addFolder(std::string(userFolder) + "Neighborhoods");
        fs().addFolder(config);
        findUserFolder(app.paths, fs(), documents);
    }
    std::string at(const std::string& name) const { return userFolder + name; }
};

}  // namespace seamster
