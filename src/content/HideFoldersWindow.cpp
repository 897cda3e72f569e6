// The Hide Game Folders window: which of Downloads and SavedSims the next
// Body Shop run hides.

#include "res/Pictures.h"
#include "content/ContentWindows.h"
#include "ui/ModalLoop.h"

namespace seamster {

namespace {
enum : int { frame = 201, image = 209, hideDownloads = 210, hideSavedSims = 211, ok = 200 };

std::vector<GadgetSpec> hideFoldersGadgets() {
    return {
        {frame, GadgetKind::frame, 10, 2, 328, 65, "", ""},
        {image, GadgetKind::picture, 20, 18, 48, 48, "", ""},
        {hideDownloads, GadgetKind::checkBox, 70, 10, 260, 30, " Hide the Downloads Folder", ""},
        {hideSavedSims, GadgetKind::checkBox, 70, 35, 260, 30, " Hide the Saved Sims Folder", ""},
        {ok, GadgetKind::button, 10, 72, 328, 24, "OK", ""},
    };
}

int folderPicture(bool hide) { return hide ? picture::changed : picture::folder; }
}  // namespace

void runHideGameFoldersWindow(WindowContext& context) {
    App& app = context.app;
    {
        ui::Window window(
            context.toolkit,
            ui::modalWindowArgs("    Seamster   --    Hide Game Folders", 346, 100, context.owner));
        if (!window.valid()) return;
        window.addGadgets(hideFoldersGadgets());
        if (!window.gadget(ok)) return;
        window.showIcon(image, context.toolkit.icon(picture::folders, 32));
        window.setChecked(hideDownloads, app.hideDownloadsOption);
        window.setChecked(hideSavedSims, app.hideSavedSimsOption);

        if (ui::runModal(context.toolkit, window, context.owner, ok)) {
            app.hideDownloadsOption = window.isChecked(hideDownloads);
            context.main.showStatusPicture(0, folderPicture(app.hideDownloadsOption));
            app.hideSavedSimsOption = window.isChecked(hideSavedSims);
            context.main.showStatusPicture(1, folderPicture(app.hideSavedSimsOption));
        }
    }
    context.toolkit.flushEvents();
}

}  // namespace seamster
