#pragma once
// The main window's gadgets, status-bar fields and tool-bar buttons by number,
// and the set-up window's gadgets.

namespace seamster {

namespace gadget {
inline constexpr int refreshThumbnails = 10, backgroundImage = 11, cleanupProjects = 12,
                     backgroundColor = 14, size800 = 15, size1024 = 16, poseList = 17,
                     runBodyshop = 18, sizeFrame = 19, settingsFrame = 20, thumbnail = 22,
                     stateImage = 23, lightingList = 24;
}
// The status bar's fields, from the left.
namespace statusField {
inline constexpr int downloads = 0, savedSims = 1, maleUndies = 2, femaleUndies = 3;
}
// The set-up window's gadgets.
namespace setUpGadget {
inline constexpr int icon = 1, ok = 5, secondLine = 7, firstLine = 8, packs = 9;
}
namespace button {
inline constexpr int setUp = 0, help = 1, about = 2, newBackgroundColor = 3, newBackgroundImage = 4,
                     cleanUpProjects = 5, hideGameFolders = 6, extras = 7, options = 8,
                     renamePackages = 9;
}

}  // namespace seamster
