// The Extras window: background, mannequin skin and invisible underwear
// replacements for the next Body Shop runs.

#include "content/ContentWindows.h"
#include "content/Replacements.h"
#include "ui/ModalLoop.h"

namespace seamster {

namespace {
enum : int {
    ok = 50,
    skinList = 51,
    femaleList = 52,
    maleList = 53,
    backgroundFrame = 54,
    skinFrame = 55,
    undiesFrame = 56,
    restoreUndies = 57,
    backgroundList = 58
};

std::vector<Gadget> extrasGadgets() {
    using K = GadgetKind;
    return {
        {backgroundFrame, K::frame, 10, 8, 334, 52, "Main Bodyshop Background", ""},
        {backgroundList, K::dropDown, 35, 28, 290, 180, " Standard Background",
         "Choose a default background"},
        {skinFrame, K::frame, 10, 66, 334, 54, "Mannequin Skin Color", ""},
        {skinList, K::dropDown, 35, 88, 290, 130, " Default (Grey)",
         "Choose default mannequin skin color"},
        {undiesFrame, K::frame, 10, 126, 334, 78, "Mannequin Undies", ""},
        {femaleList, K::dropDown, 30, 146, 140, 130, " Female - Default",
         "Choose female default undies"},
        {maleList, K::dropDown, 185, 146, 140, 130, " Male   -   Default",
         "Choose male default undies"},
        {restoreUndies, K::checkBox, 35, 174, 295, 25, " Restore Default Undies when Bodyshop Ends",
         ""},
        {ok, K::button, 10, 210, 334, 30, "OK", "", KeyRole::enter},
    };
}

void fillReplacementList(ui::DropDown list, const ReplacementKind& kind) {
    for (const std::string& name : kind.names) list.addItem(" " + name);
    list.select(kind.selected);
}

void fillUnderwearList(ui::DropDown list, const UnderwearChoice& underwear, const char* invisible) {
    if (!underwear.offered) return;
    list.insertItem(1, invisible);
    if (underwear.wasOn) list.select(1);
}

void updateRestoreCheck(ui::Window& window) {
    window.checkBox(restoreUndies)
        .enable(restoreUndiesCheckEnabled(window.dropDown(femaleList).selected(),
                                          window.dropDown(maleList).selected()));
}

void showScan(ui::Window& window, const ReplacementScan& scan) {
    fillReplacementList(window.dropDown(backgroundList), scan.backgrounds);
    fillReplacementList(window.dropDown(skinList), scan.skins);
    fillUnderwearList(window.dropDown(maleList), scan.male, " Male - Invisible");
    fillUnderwearList(window.dropDown(femaleList), scan.female, " Female - Invisible");
    updateRestoreCheck(window);
}

ReplacementChoice chosen(ui::Window& window) {
    return {window.dropDown(backgroundList).selected(), window.dropDown(skinList).selected(),
            window.dropDown(femaleList).selected(), window.dropDown(maleList).selected()};
}
}  // namespace

void runExtrasWindow(ContentWindowContext& context) {
    App& app = context.app;
    ui::ModalWindow modal(context.toolkit, ui::modalWindowArgs("Seamster - Bodyshop Extras", 350,
                                                               248, context.owner, "extras.htm"));
    if (!modal.valid()) return;
    ui::Window& window = modal.window();
    window.addGadgets(extrasGadgets());
    if (!window.button(ok).valid()) return;
    window.checkBox(restoreUndies).setChecked(true);
    window.checkBox(restoreUndies).enable(false);

    // Opening the window switches every replacement off; "OK" switches on
    // exactly what is chosen.
    const ReplacementScan scan = scanReplacementPackages(app.fs(), app.paths.configFolder);
    showScan(window, scan);
    modal.open();
    if (modal.runUntil(ok, [&](int) { updateRestoreCheck(window); })) {
        const InvisibleUnderwear invisible =
            applyReplacementChoice(app.fs(), app.paths.configFolder, scan, chosen(window));
        context.mainWindow.markUnderwear(Underwear::male, invisible.male);
        context.mainWindow.markUnderwear(Underwear::female, invisible.female);
        app.run.restoreUndiesOption = window.checkBox(restoreUndies).isChecked();
    }
}

}  // namespace seamster
