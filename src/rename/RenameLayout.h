#pragma once
// The rename window (window 5) and the Find Package Options window (window 8):
// gadget numbers and layouts.

#include <string>
#include <vector>

#include "core/Settings.h"
#include "ui/Gadgets.h"

namespace seamster {

inline constexpr int renameWindowNumber = 5;
inline constexpr int findWindowNumber = 8;

inline constexpr int renameClientWidth = 560;
inline constexpr int renameClientHeight = 530;  // without the status bar
inline constexpr int findClientWidth = 440;
inline constexpr int findClientHeight = 200;

inline constexpr char renameWindowInitialTitle[] = " Seamster  --  Rename Bodyshop Packages";
inline constexpr char findWindowTitle[] = " Seamster - Find Package Options";

namespace renameGadget {
inline constexpr int icon = 502, header = 503, done = 504, rename = 505, list = 506,
                     selectNone = 507, selectAll = 508, keep = 509, remove = 510, autoNumber = 511,
                     numberFrame = 512, frontFrame = 514, backFrame = 515, optionsFrame = 516,
                     copyPackages = 520, copyFolderText = 521, copyFolderButton = 522,
                     inFront = 523, inBack = 524, autoRename = 528, customFrame = 529,
                     startNumber = 530, oldNameFrame = 531, newNameFrame = 532, oldName = 533,
                     newName = 534, progressFrame = 535, progress = 536, undo = 537,
                     statusBar = 540;
}

namespace findGadget {
inline constexpr int savedSims = 550, otherFolder = 551, folderText = 552, folderButton = 553,
                     withNumber = 554, listAll = 555, inTheLast = 556, weeks = 557,
                     sinceLastUsed = 558, ok = 559, cancel = 560, loading = 561, withText = 565,
                     searchText = 566, ageAll = 567, folderFrame = 580, listFrame = 581,
                     createdFrame = 582;
}

// Package list columns.
inline constexpr int nameColumnWidth = 400;
inline constexpr int copiedColumnWidth = 50;
inline constexpr int createdColumnWidth = 86;

// Status bar of the rename window: labels in fields 0, 2 and 4, values in 1, 3 and 5.
inline constexpr int statusListed = 1, statusTicked = 3, statusErrors = 5;
const std::vector<int>& renameStatusWidths();
const std::vector<const char*>& renameStatusLabels();  // fields 0, 2, 4

// In creation order; the options of each group follow one another.
std::vector<Gadget> renameGadgets();
std::vector<Gadget> findGadgets();

// The entries of the age drop-down.
const std::vector<const char*>& weekChoices();

// The naming options: the gadget that shows each field of the settings'
// naming group the user sets in the rename window, a text box or a tick (1
// when ticked; an option whose other choice is `otherChoice`).
struct NamingOptionGadget {
    int gadget = 0;
    std::string NamingSettings::*text = nullptr;
    int32_t NamingSettings::*tick = nullptr;
    int otherChoice = 0;
};
const std::vector<NamingOptionGadget>& namingOptionGadgets();
// The naming options' fields of `from`, and nothing else, into `to`.
void copyNamingOptions(const NamingSettings& from, NamingSettings& to);

// Gadgets shown outside a run, and the ones that take their places during it.
const std::vector<int>& renameOptionGadgets();
const std::vector<int>& renameRunGadgets();

}  // namespace seamster
