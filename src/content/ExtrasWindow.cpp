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

std::vector<GadgetSpec> extrasGadgets() {
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
        {ok, K::button, 10, 210, 334, 30, "OK", ""},
    };
}

void fillReplacementList(ui::Window& window, int list, const ReplacementKind& kind) {
    for (const std::string& name : kind.names) window.addItem(list, " " + name);
    window.selectItem(list, kind.selected);
}

void fillUnderwearList(ui::Window& window, int list, const UnderwearChoice& underwear,
                       const char* invisible) {
    if (!underwear.offered) return;
    window.insertItem(list, 1, invisible);
    if (underwear.wasOn) window.selectItem(list, 1);
}

void updateRestoreCheck(ui::Window& window) {
    window.enable(restoreUndies, restoreUndiesCheckEnabled(window.selectedItem(femaleList),
                                                           window.selectedItem(maleList)));
}

void showScan(ui::Window& window, const ReplacementScan& scan) {
    fillReplacementList(window, backgroundList, scan.backgrounds);
    fillReplacementList(window, skinList, scan.skins);
    fillUnderwearList(window, maleList, scan.male, " Male - Invisible");
    fillUnderwearList(window, femaleList, scan.female, " Female - Invisible");
    updateRestoreCheck(window);
}

ReplacementChoice chosen(const ui::Window& window) {
    return {window.selectedItem(backgroundList), window.selectedItem(skinList),
            window.selectedItem(femaleList), window.selectedItem(maleList)};
}
}  // namespace

void runExtrasWindow(WindowContext& context) {
    App& app = context.app;
    {
        ui::Window window(context.toolkit, ui::modalWindowArgs("Seamster - Bodyshop Extras", 350,
                                                               248, context.owner));
        if (!window.valid()) return;
        window.addGadgets(extrasGadgets());
        if (!window.gadget(ok)) return;
        window.setChecked(restoreUndies, true);
        window.enable(restoreUndies, false);

        ui::ModalScope modal(context.owner);
        // Opening the window switches every replacement off; "OK" switches on
        // exactly what is chosen.
        const ReplacementScan scan = scanReplacementPackages(app.fs(), app.paths.configFolder);
        showScan(window, scan);
        window.show();
        window.activate();
        SetFocus(window.gadget(ok));
        if (ui::runUntilGadget(context.toolkit, window, ok,
                               [&](int) { updateRestoreCheck(window); })) {
            const UnderwearPictures pictures =
                applyReplacementChoice(app.fs(), app.paths.configFolder, scan, chosen(window));
            context.main.showStatusPicture(2, pictures.male);
            context.main.showStatusPicture(3, pictures.female);
            app.restoreUndiesOption = window.isChecked(restoreUndies);
        }
    }
    context.toolkit.flushEvents();
    context.toolkit.pause(2);  // the short settling pause after a modal window; input ends it early
}

}  // namespace seamster
