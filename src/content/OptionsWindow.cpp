// The Program Options window: four behaviours kept in the settings file.

#include "res/Pictures.h"
#include "content/ContentWindows.h"
#include "ui/ModalLoop.h"

namespace seamster {

namespace {
enum : int {
    ok = 200,
    image = 209,
    rememberPosition = 210,
    autoQuit = 211,
    askBeforeQuit = 212,
    orphanProjects = 214,
    frame = 201
};

std::vector<GadgetSpec> optionsGadgets() {
    return {
        {ok, GadgetKind::button, 10, 125, 388, 24, "OK", ""},
        {image, GadgetKind::picture, 20, 32, 48, 48, "", ""},
        {rememberPosition, GadgetKind::checkBox, 70, 10, 320, 30,
         " Remember Seamster's Window Position", ""},
        {autoQuit, GadgetKind::checkBox, 70, 35, 320, 30, " End Seamster when Bodyshop ends", ""},
        {askBeforeQuit, GadgetKind::checkBox, 70, 60, 320, 30, " Ask Before Quitting Seamster", ""},
        {orphanProjects, GadgetKind::checkBox, 70, 85, 320, 30,
         " Auto-Select Orphan Bodyshop Projects", ""},
        {frame, GadgetKind::frame, 10, 2, 388, 115, "", ""},
    };
}
}  // namespace

void runOptionsWindow(WindowContext& context) {
    Settings& settings = context.app.settings;
    {
        ui::Window window(
            context.toolkit,
            ui::modalWindowArgs("    Seamster   --    Program Options", 408, 155, context.owner));
        if (!window.valid()) return;
        window.addGadgets(optionsGadgets());
        if (!window.gadget(ok)) return;
        window.showIcon(image, context.toolkit.icon(picture::options, 32));
        window.setChecked(rememberPosition, settings.rememberWindowPosition != 0);
        window.setChecked(autoQuit, settings.autoQuit != 0);
        window.setChecked(askBeforeQuit, settings.askBeforeQuit != 0);
        window.setChecked(orphanProjects, settings.orphanProjects != 0);

        if (ui::runModal(context.toolkit, window, context.owner, ok)) {
            settings.autoQuit = window.isChecked(autoQuit) ? 1 : 0;
            settings.rememberWindowPosition = window.isChecked(rememberPosition) ? 1 : 0;
            settings.askBeforeQuit = window.isChecked(askBeforeQuit) ? 1 : 0;
            settings.orphanProjects = window.isChecked(orphanProjects) ? 1 : 0;
        }
    }
    context.toolkit.flushEvents();
}

}  // namespace seamster
