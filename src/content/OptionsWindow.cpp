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

std::vector<Gadget> optionsGadgets() {
    return {
        {ok, GadgetKind::button, 10, 125, 388, 24, "OK", "", KeyRole::enter},
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

void runOptionsWindow(ContentWindowContext& context) {
    Settings& settings = context.app.settings;
    ui::ModalWindow modal(context.toolkit,
                          ui::modalWindowArgs("    Seamster   --    Program Options", 408, 155,
                                              context.owner, "options.htm"));
    if (!modal.valid()) return;
    ui::Window& window = modal.window();
    window.addGadgets(optionsGadgets());
    if (!window.button(ok).valid()) return;
    window.picture(image).showIcon(context.toolkit.icon(picture::options, 32));
    window.checkBox(rememberPosition).setChecked(settings.options.rememberWindowPosition != 0);
    window.checkBox(autoQuit).setChecked(settings.options.autoQuit != 0);
    window.checkBox(askBeforeQuit).setChecked(settings.options.askBeforeQuit != 0);
    window.checkBox(orphanProjects).setChecked(settings.options.orphanProjects != 0);

    modal.open(ok);
    if (modal.runUntil(ok)) {
        settings.options.autoQuit = window.checkBox(autoQuit).isChecked() ? 1 : 0;
        settings.options.rememberWindowPosition =
            window.checkBox(rememberPosition).isChecked() ? 1 : 0;
        settings.options.askBeforeQuit = window.checkBox(askBeforeQuit).isChecked() ? 1 : 0;
        settings.options.orphanProjects = window.checkBox(orphanProjects).isChecked() ? 1 : 0;
    }
}

}  // namespace seamster
