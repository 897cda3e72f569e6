// The Extras window: background, mannequin skin and invisible underwear
// replacements for the next Body Shop runs.

#include <array>
#include <iterator>

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

// Each replacement kind's frame and drop-down list, in the order of
// replacementKinds: the frame's height, the list's distance below the top of
// its frame and its height when dropped down. The frames follow one another
// down the window.
struct KindGadgets {
    int frame, list;
    int frameHeight, listTop, dropHeight;
};
constexpr KindGadgets kindGadgets[] = {
    {backgroundFrame, backgroundList, 52, 20, 180},
    {skinFrame, skinList, 54, 22, 130},
};
static_assert(std::size(kindGadgets) == replacementKindCount);
constexpr int firstFrameTop = 8, frameGap = 6, undiesFrameHeight = 78;

// Where the underwear's frame starts, below every kind's.
constexpr int undiesTop() {
    int y = firstFrameTop;
    for (const KindGadgets& kind : kindGadgets) y += kind.frameHeight + frameGap;
    return y;
}
// The underwear's frame, then the OK button and the margin below it.
constexpr int clientHeight = undiesTop() + undiesFrameHeight + frameGap + 30 + 8;

std::vector<Gadget> extrasGadgets() {
    using K = GadgetKind;
    std::vector<Gadget> gadgets;
    int y = firstFrameTop;
    for (size_t i = 0; i < replacementKindCount; ++i) {
        const ReplacementKind& kind = replacementKinds[i];
        const KindGadgets& place = kindGadgets[i];
        gadgets.push_back({place.frame, K::frame, 10, y, 334, place.frameHeight, kind.caption, ""});
        gadgets.push_back({place.list, K::dropDown, 35, y + place.listTop, 290, place.dropHeight,
                           kind.defaultEntry, kind.tip});
        y += place.frameHeight + frameGap;
    }
    gadgets.insert(gadgets.end(), {
                                      {undiesFrame, K::frame, 10, y, 334, undiesFrameHeight,
                                       "Mannequin Undies", ""},
                                      {femaleList, K::dropDown, 30, y + 20, 140, 130,
                                       " Female - Default", "Choose female default undies"},
                                      {maleList, K::dropDown, 185, y + 20, 140, 130,
                                       " Male   -   Default", "Choose male default undies"},
                                      {restoreUndies, K::checkBox, 35, y + 48, 295, 25,
                                       " Restore Default Undies when Bodyshop Ends", ""},
                                      {ok, K::button, 10, y + undiesFrameHeight + frameGap, 334, 30,
                                       "OK", "", KeyRole::enter},
                                  });
    return gadgets;
}

void fillReplacementList(ui::DropDown list, const ReplacementList& found) {
    for (const std::string& name : found.names) list.addItem(" " + name);
    list.select(found.selected);
}

void fillUnderwearList(ui::DropDown list, const UnderwearChoice& underwear, const char* invisible) {
    if (!underwear.offered) return;
    list.insertItem(1, invisible);
    if (underwear.wasOn) list.select(1);
}

// The window's lists and its tick, each as the kind it is.
struct ExtrasGadgets {
    std::array<ui::DropDown, replacementKindCount> kinds;
    ui::DropDown male, female;
    ui::CheckBox restoreTick;

    explicit ExtrasGadgets(ui::Window& window)
        : male(window.dropDown(maleList)),
          female(window.dropDown(femaleList)),
          restoreTick(window.checkBox(restoreUndies)) {
        for (size_t i = 0; i < replacementKindCount; ++i)
            kinds[i] = window.dropDown(kindGadgets[i].list);
    }

    void updateRestoreCheck() const {
        restoreTick.enable(restoreUndiesCheckEnabled(female.selected(), male.selected()));
    }
    void showScan(const ReplacementScan& scan) const {
        for (size_t i = 0; i < replacementKindCount; ++i)
            fillReplacementList(kinds[i], scan.lists[i]);
        fillUnderwearList(male, scan.male, " Male - Invisible");
        fillUnderwearList(female, scan.female, " Female - Invisible");
        updateRestoreCheck();
    }
    ReplacementChoice chosen() const {
        ReplacementChoice choice{{}, female.selected(), male.selected()};
        for (size_t i = 0; i < replacementKindCount; ++i) choice.lists[i] = kinds[i].selected();
        return choice;
    }
};
}  // namespace

void runExtrasWindow(ContentWindowContext& context) {
    App& app = context.app;
    ui::ModalWindow modal(context.toolkit,
                          ui::modalWindowArgs("Seamster - Bodyshop Extras", 350, clientHeight,
                                              context.owner, "extras.htm"));
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
