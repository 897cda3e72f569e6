// The main window as a user first meets it: the pack question of the first
// start, then the window's title, layout, tool bar and status bar.

#include <algorithm>

#include "Scenario.h"

namespace seamster::e2e {
namespace {

class MainWindow : public Scenario {};

struct Gadget {
    int id;
    const char* caption;
    int x, yBelowToolBar, width, height;
};

// Buttons, options, frames and pictures with their places under the tool bar
// (y is measured from the tool bar's bottom edge).
const Gadget fixedGadgets[] = {
    {19, "Bodyshop Size", 154, 2, 139, 60},
    {20, "", 7, 63, 286, 108},
    {10, "Refresh Thumbnails", 16, 107, 130, 25},
    {11, "Background Image", 16, 139, 130, 25},
    {12, "Cleanup Projects", 154, 107, 130, 25},
    {14, "Background Color", 154, 139, 130, 25},
    {15, " 800 x 600", 166, 22, 80, 15},
    {16, "1024 x 768", 166, 40, 80, 15},
    {18, "Run Bodyshop", 7, 174, 514, 27},
    {23, nullptr, 55, 8, 48, 48},
    {22, nullptr, 300, 5, 220, 165},
};

// Measured as the program measures it: the tool bar's own client height.
int toolBarHeight(HWND main) {
    HWND bar = childOfClass(main, "ToolbarWindow32");
    return bar ? clientRect(bar).height : 0;
}

TEST_F(MainWindow, FirstStartAsksForThePackAndRemembersTheInstallation) {
    ASSERT_TRUE(deleteFile(settingsPath()));
    Process seamster = startSeamster();
    HWND setup = waitForWindow(seamster.id(), "Seamster Set Up");
    ASSERT_NE(setup, nullptr) << "no set-up window at the first start";
    settle(setup);
    snap(setup, "setup-window");

    // Only the four packs are offered; the "z" and HomeCrafter folders are not.
    HWND packs = control(setup, 9);
    std::vector<std::string> offered = listBoxItems(packs);
    EXPECT_EQ(listBoxSelection(packs), 0);
    std::vector<std::string> sortedOffered = offered, expected = sandboxPacks;
    std::sort(sortedOffered.begin(), sortedOffered.end());
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(sortedOffered, expected);

    // Double Deluxe keeps its Body Shop in the SP4 folder.
    const auto deluxe =
        std::find(offered.begin(), offered.end(), "The Sims 2 Double Deluxe") - offered.begin();
    ASSERT_TRUE(chooseListBoxItem(packs, static_cast<int>(deluxe)));
    click(control(setup, 5));

    HWND main = waitForMainWindow(seamster);
    ASSERT_NE(main, nullptr);
    settle(main);
    snap(main, "main-window");
    const std::string pack = "The Sims 2 Double Deluxe\\SP4";
    EXPECT_EQ(text(main), mainTitle(pack));

    // The choice is saved when the set-up window closes. The registry names
    // the base game's folder; what is left after its name keeps the trailing
    // backslash, so the Body Shop path has a doubled one, which Windows takes.
    SettingsEntries saved = defaultSettings();
    setValue(saved, "Selected Pack", pack);
    setValue(saved, "Install Directory", installDirectory + "\\");
    setValue(saved, "Sims Folder Count", std::to_string(sandboxFolderCount));
    setValue(saved, "RunBodyshop", bodyShopPath(installDirectory + "\\", pack));
    setValue(saved, "Last Used", todayText());
    EXPECT_EQ(readSettings(), settingsFileBytes(saved));

    quitWithQuestion(seamster, main);
}

TEST_F(MainWindow, GadgetsSitWhereTheLayoutPutsThem) {
    writeSettings(settingsForPack("The Sims 2 University"));
    Process seamster = startSeamster();
    HWND main = waitForMainWindow(seamster);
    ASSERT_NE(main, nullptr);
    settle(main);
    snap(main, "main-window");
    EXPECT_EQ(text(main), "Seamster   --    The Sims 2 University");

    // A small fixed panel: close box and minimise button, no resizing.
    const LONG_PTR frame = style(main);
    EXPECT_TRUE(frame & WS_SYSMENU);
    EXPECT_TRUE(frame & WS_MINIMIZEBOX);
    EXPECT_FALSE(frame & WS_MAXIMIZEBOX);
    EXPECT_FALSE(frame & WS_THICKFRAME);

    const int t = toolBarHeight(main);
    ASSERT_GT(t, 0) << "no tool bar";
    EXPECT_EQ(clientRect(main), (Rect{0, 0, 527, t + 222})) << "tool bar height " << t;

    for (const Gadget& g : fixedGadgets) {
        SCOPED_TRACE("gadget " + std::to_string(g.id));
        HWND gadget = control(main, g.id);
        ASSERT_NE(gadget, nullptr);
        EXPECT_EQ(rectInParent(gadget), (Rect{g.x, t + g.yBelowToolBar, g.width, g.height}));
        if (g.caption) {
            EXPECT_EQ(text(gadget), g.caption);
        }
        EXPECT_TRUE(isVisible(gadget));
    }
    // Drop-down lists: their height includes the dropped part, so only the
    // closed box's place and width show.
    for (const auto& [id, x] : {std::pair{17, 16}, std::pair{24, 154}}) {
        SCOPED_TRACE("list " + std::to_string(id));
        HWND list = control(main, id);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(className(list), "ComboBox");
        const Rect place = rectInParent(list);
        EXPECT_EQ(place.x, x);
        EXPECT_EQ(place.y, t + 78);
        EXPECT_EQ(place.width, 130);
    }
    EXPECT_EQ(comboItems(control(main, 17)).at(0), " Hands on Hips");
    EXPECT_EQ(comboItems(control(main, 24)).at(0), "  Default Lighting");

    // On a 1024 x 768 screen the larger Body Shop size is preselected.
    EXPECT_TRUE(isChecked(control(main, 16)));
    EXPECT_FALSE(isChecked(control(main, 15)));
    for (int id : {10, 11, 12, 14, 15, 16, 18})
        EXPECT_TRUE(isEnabled(control(main, id))) << "gadget " << id;

    quitWithQuestion(seamster, main);
}

TEST_F(MainWindow, ToolBarAndStatusBarShowEveryCommandAndMarker) {
    writeSettings(settingsForPack("The Sims 2"));
    Process seamster = startSeamster();
    HWND main = waitForMainWindow(seamster);
    ASSERT_NE(main, nullptr);
    settle(main);

    HWND tools = childOfClass(main, "ToolbarWindow32");
    ASSERT_NE(tools, nullptr);
    EXPECT_EQ(rectInParent(tools).y, 0);
    // A separator before every button; the buttons in this order.
    const std::vector<int> order = {0, 8, 2, 3, 4, 5, 6, 7, 9, 1};
    std::vector<int> commands;
    bool separated = true;
    bool lastWasSeparator = false;
    for (const ToolBarButton& b : toolBarButtons(tools)) {
        if (!b.separator) {
            commands.push_back(b.command);
            separated = separated && lastWasSeparator;
        }
        lastWasSeparator = b.separator;
    }
    EXPECT_EQ(commands, order);
    EXPECT_TRUE(separated) << "a button without a separator before it";
    for (int command : order)
        EXPECT_TRUE(toolBarButtonEnabled(tools, command)) << "button " << command;

    HWND status = childOfClass(main, "msctls_statusbar32");
    ASSERT_NE(status, nullptr);
    // Four fields of a quarter of the client width each (527 / 4 = 131).
    EXPECT_EQ(statusBarPartEdges(status), (std::vector<int>{131, 262, 393, 524}));
    const char* labels[] = {"Downloads", "SavedSims", "Male Undies", "Female Undies"};
    for (int part = 0; part < 4; ++part) EXPECT_EQ(statusBarText(status, part), labels[part]);
    const Rect client = clientRect(main);
    const Rect bar = rectInParent(status);
    EXPECT_EQ(bar.y + bar.height, client.height) << "the status bar sits at the bottom";

    quitWithQuestion(seamster, main);
}

TEST_F(MainWindow, PoseAndLightingListsOfferTheConfigPackages) {
    writeSettings(settingsForPack("The Sims 2"));
    Process seamster = startSeamster();
    HWND main = waitForMainWindow(seamster);
    ASSERT_NE(main, nullptr);
    settle(main);

    // The sandbox's Config folder: Hips on, Wave and Sit off; both lights off.
    HWND poses = control(main, 17);
    std::vector<std::string> poseItems = comboItems(poses);
    ASSERT_EQ(poseItems.size(), 4u);
    EXPECT_EQ(poseItems[0], " Hands on Hips");
    std::vector<std::string> found(poseItems.begin() + 1, poseItems.end());
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{" Hips", " Sit", " Wave"}));
    ASSERT_GE(comboSelection(poses), 0);
    EXPECT_EQ(poseItems[static_cast<size_t>(comboSelection(poses))], " Hips");
    EXPECT_TRUE(isEnabled(poses));

    HWND lights = control(main, 24);
    std::vector<std::string> lightItems = comboItems(lights);
    ASSERT_EQ(lightItems.size(), 3u);
    EXPECT_EQ(lightItems[0], "  Default Lighting");
    found.assign(lightItems.begin() + 1, lightItems.end());
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"  Bright Lights", "  Dim Lights"}));
    EXPECT_EQ(comboSelection(lights), 0);
    EXPECT_TRUE(isEnabled(lights));

    quitWithQuestion(seamster, main);
}

}  // namespace
}  // namespace seamster::e2e
