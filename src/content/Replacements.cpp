#include "content/Replacements.h"

#include "app/MainLoop.h"

namespace seamster {

std::string restoreUnderwear(App& app, MainView& view) {
    const std::string& config = app.paths.configFolder;
    for (const char* name : {femaleUndies, maleUndies})
        app.fs().rename(config + name + ".package", config + name + ".off");
    app.run.undiesRestorePending = false;
    view.showStatusPicture(2, picture::maleUndies);
    view.showStatusPicture(3, picture::femaleUndies);
    return "The default undies were replaced \n";
}

}  // namespace seamster
