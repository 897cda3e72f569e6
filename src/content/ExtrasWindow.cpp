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

// The window's lists and its tick, each as the kind it is.
struct ExtrasGadgets {
    ui::DropDown backgrounds, skins, male, female;
    ui::CheckBox restoreTick;

    explicit ExtrasGadgets(ui::Window& window)
        : backgrounds(window.dropDown(backgroundList)),
          skins(window.dropDown(skinList)),
          male(window.dropDown(maleList)),
          female(window.dropDown(femaleList)),
          restoreTick(window.checkBox(restoreUndies)) {}

    void updateRestoreCheck() const {
        restoreTick.enable(restoreUndiesCheckEnabled(female.selected(), male.selected()));
    }
    void showScan(const ReplacementScan& scan) const {
        fillReplacementList(backgrounds, scan.backgrounds);
        fillReplacementList(skins, scan.skins);
        fillUnderwearList(male, scan.male, " Male - Invisible");
        fillUnderwearList(female, scan.female, " Female - Invisible");
        updateRestoreCheck();
    }
    ReplacementChoice chosen() const {
        return {backgrounds.selected(), skins.selected(), female.selected(), male.selected()};
    }
};
}  // namespace

void runExtrasWindow(ContentWindowContext& context) {
    App& app = context.app;
    ui::ModalWindow modal(context.toolkit, ui::modalWindowArgs("Seamster - Bodyshop Extras", 350,
                                                               248, context.owner, "extras.htm"));
    if (!modal.valid()) return;
    ui::Window& window = modal.window();
    window.addGadgets(extrasGadgets());
    if (!window.button(ok).valid()) return;
    const ExtrasGadgets gadgets(window);
    gadgets.restoreTick.setChecked(true);
    gadgets.restoreTick.enable(false);

    // Opening the window switches every replacement off; "OK" switches on
    // exactly what is chosen.
    const ReplacementScan scan = scanReplacementPackages(app.fs(), app.paths.configFolder);
    gadgets.showScan(scan);
    modal.open();
    if (modal.runUntil(ok, [&](int) { gadgets.updateRestoreCheck(); })) {
        const InvisibleUnderwear invisible =
            applyReplacementChoice(app.fs(), app.paths.configFolder, scan, gadgets.chosen());
        context.mainWindow.markUnderwear(Underwear::male, invisible.male);
        context.mainWindow.markUnderwear(Underwear::female, invisible.female);
        app.run.restoreUndiesOption = gadgets.restoreTick.isChecked();
    }
}

}  // namespace seamster
