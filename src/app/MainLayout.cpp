#include "app/MainLayout.h"

#include "app/MainLoop.h"

namespace seamster {

const std::array<ToolButton, 10>& mainToolBar() {
    static const std::array<ToolButton, 10> buttons = {{
        {button::setUp, picture::setUp, "Seamster Setup"},
        {button::options, picture::options, "Seamster Options"},
        {button::about, picture::about, "About Seamster"},
        {button::newBackgroundColor, picture::backgroundColor, "New Background Color"},
        {button::newBackgroundImage, picture::backgroundImage, "New Background Image"},
        {button::cleanUpProjects, picture::cleanUp, "Clean up Projects"},
        {button::hideGameFolders, picture::folder, "Hide Game Folders"},
        {button::extras, picture::extras, "Extras"},
        {button::renamePackages, picture::rename, "Rename Finished Packages"},
        {button::help, picture::help, "Seamster Help"},
    }};
    return buttons;
}

std::vector<Gadget> mainGadgets(int t) {
    using K = GadgetKind;
    return {
        {gadget::sizeFrame, K::frame, 154, t + 2, 139, 60, "Bodyshop Size", ""},
        {gadget::settingsFrame, K::frame, 7, t + 63, 286, 108, "", ""},
        {gadget::refreshThumbnails, K::button, 16, t + 107, 130, 25, "Refresh Thumbnails",
         "Re-create Bodyshop and CAS thumbnails"},
        {gadget::backgroundImage, K::button, 16, t + 139, 130, 25, "Background Image",
         "Choose a New background Image"},
        {gadget::cleanupProjects, K::button, 154, t + 107, 130, 25, "Cleanup Projects",
         "Remove unwanted projects from the list"},
        {gadget::backgroundColor, K::button, 154, t + 139, 130, 25, "Background Color",
         "Choose a New background Color"},
        {gadget::size800, K::option, 166, t + 22, 80, 15, " 800 x 600", ""},
        {gadget::size1024, K::option, 166, t + 40, 80, 15, "1024 x 768", ""},
        {gadget::poseList, K::dropDown, 16, t + 78, 130, 160, " Hands on Hips",
         "Set Pose for the Mannequin"},
        {gadget::lightingList, K::dropDown, 154, t + 78, 130, 160, "  Default Lighting",
         "Set Lighting Brightness"},
        {gadget::runBodyshop, K::button, 7, t + 174, 514, 27, "Run Bodyshop",
         "Run Bodyshop with these settings"},
        {gadget::stateImage, K::picture, 55, t + 8, 48, 48, "", ""},
        {gadget::thumbnail, K::picture, 300, t + 5, 220, 165, "", ""},
    };
}

std::vector<Gadget> setUpGadgets() {
    namespace s = setUpGadget;
    using K = GadgetKind;
    return {
        {s::icon, K::picture, 14, 6, 32, 32, "", ""},
        {s::firstLine, K::centredText, 60, 5, 340, 20, "Please select the expansion name", ""},
        {s::secondLine, K::centredText, 60, 22, 340, 20, "You see when you start your game:", ""},
        {s::packs, K::listBox, 5, 44, 425, 172, "", ""},
        {s::ok, K::button, 5, 220, 425, 25, "OK", "", KeyRole::enter},
    };
}

const std::array<StatusField, 4>& mainStatusFields() {
    static const std::array<StatusField, 4> fields = {{
        {"Downloads", picture::folder},
        {"SavedSims", picture::folder},
        {"Male Undies", picture::maleUndies},
        {"Female Undies", picture::femaleUndies},
    }};
    return fields;
}

std::optional<Point> savedMainPosition(int windowX, int windowY) {
    if (windowX > 0 || windowY > 0) return Point{windowX, windowY};
    return std::nullopt;
}

int preselectedSizeOption(int screenWidth, int screenHeight) {
    return screenWidth > 1000 && screenHeight > 700 ? gadget::size1024 : gadget::size800;
}

}  // namespace seamster
