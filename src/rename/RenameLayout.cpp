#include "rename/RenameLayout.h"

#include "ui/Gadgets.h"
#include "rename/PackageFinder.h"

namespace seamster {

const std::vector<int>& renameStatusWidths() {
    static const std::vector<int> widths = {93, 93, 93, 90, 93, 88};
    return widths;
}

const std::vector<const char*>& renameStatusLabels() {
    static const std::vector<const char*> labels = {"Total Files Listed ", "Files Selected ",
                                                    "Errors "};
    return labels;
}

std::vector<Gadget> renameGadgets() {
    using K = GadgetKind;
    namespace g = renameGadget;
    const int listHeight = kVisibleListRows * listRowHeight + listHeaderHeight;
    return {
        {g::icon, K::picture, 15, 5, 32, 32, "", ""},
        {g::header, K::centredText, 48, 11, 450, 20, "", ""},
        {g::list, K::listView, 10, 40, 540, listHeight, "", ""},
        {g::selectAll, K::button, 10, 292, 268, 26, "Select All", ""},
        {g::selectNone, K::button, 282, 292, 268, 26, "Select None", ""},
        {g::optionsFrame, K::frame, 10, 322, 542, 136, "Renaming Options", ""},
        {g::numberFrame, K::frame, 28, 342, 246, 46, "Bodyshop Number", ""},
        {g::keep, K::option, 40, 356, 90, 25, "Keep", ""},
        {g::remove, K::option, 180, 356, 90, 25, "Remove", ""},
        {g::customFrame, K::frame, 286, 342, 246, 46, "Custom Number", ""},
        {g::autoNumber, K::checkBox, 298, 356, 178, 25, "Auto-number  Starting with", ""},
        {g::startNumber, K::edit, 482, 359, 36, 18, "", "", KeyRole::none,
         lookCentred | lookNumbersOnly},
        {g::oldNameFrame, K::frame, 28, 342, 506, 46, "Old Name", ""},
        {g::oldName, K::edit, 42, 359, 478, 18, "", "", KeyRole::none, lookCentred | lookReadOnly},
        {g::frontFrame, K::frame, 28, 396, 246, 48, "Add in Front of Name", ""},
        {g::inFront, K::edit, 40, 414, 220, 20, "", "", KeyRole::none, lookCentred},
        {g::backFrame, K::frame, 286, 396, 246, 48, "Add at End of Name", ""},
        {g::inBack, K::edit, 298, 414, 220, 20, "", "", KeyRole::none, lookCentred},
        {g::newNameFrame, K::frame, 28, 396, 506, 48, "New Name", ""},
        {g::newName, K::edit, 42, 413, 478, 18, "", "", KeyRole::none, lookCentred},
        {g::copyPackages, K::checkBox, 12, 464, 126, 26, "Copy Packages to", ""},
        {g::copyFolderText, K::edit, 134, 470, 384, 20, "", "", KeyRole::none,
         lookReadOnly | lookPlain},
        {g::copyFolderButton, K::button, 522, 464, 28, 26, "", "", KeyRole::none, lookIconOnly},
        {g::progressFrame, K::frame, 10, 460, 542, 32, "", ""},
        {g::progress, K::progressBar, 14, 470, 534, 18, "", ""},
        {g::rename, K::button, 10, 498, 176, 26, "Rename", ""},
        {g::autoRename, K::button, 192, 498, 176, 26, "Auto-Rename", ""},
        {g::done, K::button, 374, 498, 176, 26, "Done", "", KeyRole::enter},
        // Beside the heading, where nothing else is; shown only while the
        // last run can be undone.
        {g::undo, K::button, 500, 9, 50, 24, "Undo",
         "Give the files renamed by the last run their old names back"},
    };
}

std::vector<Gadget> findGadgets() {
    using K = GadgetKind;
    namespace g = findGadget;
    return {
        {g::folderFrame, K::frame, 10, 5, 420, 62, "List Package Files Found", ""},
        {g::savedSims, K::option, 20, 20, 160, 20, " In the SavedSims Folder", ""},
        {g::otherFolder, K::option, 20, 40, 35, 20, " In", ""},
        {g::folderText, K::edit, 60, 43, 336, 20, "", "", KeyRole::none, lookReadOnly | lookPlain},
        {g::folderButton, K::button, 396, 36, 26, 24, "", "", KeyRole::none, lookIconOnly},
        {g::listFrame, K::frame, 10, 74, 206, 86, "List Files", ""},
        {g::withNumber, K::option, 20, 92, 155, 20, " With Bodyshop Number", ""},
        {g::withText, K::option, 20, 112, 55, 20, " With", ""},
        {g::listAll, K::option, 20, 132, 155, 20, " List all Package files", ""},
        {g::searchText, K::edit, 70, 113, 80, 18, "", "", KeyRole::none, lookCentred},
        {g::createdFrame, K::frame, 225, 74, 206, 86, "Show Files Created", ""},
        {g::inTheLast, K::option, 235, 92, 86, 20, " In the last", ""},
        {g::sinceLastUsed, K::option, 235, 112, 188, 20, " Since last used - ", ""},
        {g::ageAll, K::option, 235, 132, 155, 20, " List all Package files", ""},
        {g::weeks, K::dropDown, 320, 91, 100, 120, "", ""},
        {g::loading, K::centredText, 10, 170, 420, 26, " ", ""},
        {g::ok, K::button, 10, 170, 206, 26, "OK", "", KeyRole::enter},
        {g::cancel, K::button, 225, 170, 206, 26, "Cancel", "", KeyRole::escape},
    };
}

const std::vector<const char*>& weekChoices() {
    static const std::vector<const char*> choices = {" Day",     " Week",    " 2 Weeks", " 3 Weeks",
                                                     " 4 Weeks", " 5 Weeks", " 6 Weeks"};
    return choices;
}

const std::vector<NamingOptionGadget>& namingOptionGadgets() {
    namespace g = renameGadget;
    using N = NamingSettings;
    static const std::vector<NamingOptionGadget> gadgets = {
        {g::keep, nullptr, &N::keepNumber, g::remove},
        {g::autoNumber, nullptr, &N::customNumber},
        {g::startNumber, &N::startNumber},
        {g::inFront, &N::inFront},
        {g::inBack, &N::inBack},
    };
    return gadgets;
}

void copyNamingOptions(const NamingSettings& from, NamingSettings& to) {
    for (const NamingOptionGadget& option : namingOptionGadgets()) {
        if (option.text) to.*option.text = from.*option.text;
        if (option.tick) to.*option.tick = from.*option.tick;
    }
}

const std::vector<int>& renameOptionGadgets() {
    namespace g = renameGadget;
    static const std::vector<int> ids = {
        g::keep,      g::remove,       g::autoNumber,     g::numberFrame,      g::frontFrame,
        g::backFrame, g::copyPackages, g::copyFolderText, g::copyFolderButton, g::inFront,
        g::inBack,    g::autoRename,   g::customFrame,    g::startNumber};
    return ids;
}

const std::vector<int>& renameRunGadgets() {
    namespace g = renameGadget;
    static const std::vector<int> ids = {g::oldNameFrame, g::newNameFrame,  g::oldName,
                                         g::newName,      g::progressFrame, g::progress};
    return ids;
}

}  // namespace seamster
