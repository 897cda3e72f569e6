// The Hide Game Folders window: which of Downloads and SavedSims the next
// Body Shop run hides.

#include "res/Pictures.h"
#include "content/ContentWindows.h"
#include "ui/ModalLoop.h"

namespace seamster {

namespace {
enum : int { frame = 201, image = 209, hideDownloads = 210, hideSavedSims = 211, ok = 200 };

std::vector<Gadget> hideFoldersGadgets() {
    return {
        {frame, GadgetKind::frame, 10, 2, 328, 65, "", ""},
        {image, GadgetKind::picture, 20, 18, 48, 48, "", ""},
        {hideDownloads, GadgetKind::checkBox, 70, 10, 260, 30, " Hide the Downloads Folder", ""},
        {hideSavedSims, GadgetKind::checkBox, 70, 35, 260, 30, " Hide the Saved Sims Folder", ""},
        {ok, GadgetKind::button, 10, 72, 328, 24, "OK", "", KeyRole::enter},
    };
}
}  // namespace

void runHideGameFoldersWindow(ContentWindowContext& context) {
    App& app = context.app;
    ui::ModalWindow modal(context.toolkit,
                          ui::modalWindowArgs("    Seamster   --    Hide Game Folders", 346, 100,
                                              context.owner, "hide-game-folders.htm"));
    if (!modal.valid()) return;
    ui::Window& window = modal.window();
    window.addGadgets(hideFoldersGadgets());
    if (!window.button(ok).valid()) return;
    window.picture(image).showIcon(context.toolkit.icon(picture::folders, 32));
    window.checkBox(hideDownloads).setChecked(app.run.hideDownloadsOption);
    window.checkBox(hideSavedSims).setChecked(app.run.hideSavedSimsOption);

    modal.open(ok);
    if (modal.runUntil(ok)) {
        app.run.hideDownloadsOption = window.checkBox(hideDownloads).isChecked();
        context.mainWindow.markFolder(HiddenFolder::downloads, app.run.hideDownloadsOption);
        app.run.hideSavedSimsOption = window.checkBox(hideSavedSims).isChecked();
        context.mainWindow.markFolder(HiddenFolder::savedSims, app.run.hideSavedSimsOption);
    }
}

}  // namespace seamster
