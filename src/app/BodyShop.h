#pragma once
// Starting the Body Shop with the chosen screen size, pose and lighting, and
// rebuilding the thumbnail caches.

#include <string>

#include "core/App.h"
#include "app/MainView.h"

namespace seamster {

extern const char thumbnailQuestion[];
extern const char thumbnailNote[];

// Fills the pose and lighting lists from the Config folder.
void scanConfigPackages(App& app, MainView& view);
// Renames the packages of one list so that only the selected one is active.
void switchPackages(FileSystem& fs, PackageSwitchList& list, int selected);
// An absolute path to an existing TS2BodyShop.exe: the only thing ever started.
bool isStartableBodyShop(FileSystem& fs, const std::string& path);
void launchBodyShop(App& app, MainView& view);
void refreshThumbnails(App& app, MainView& view);

// The caption a Config entry gets in the pose or lighting list ("" when the
// entry is not such a package).
std::string poseCaption(const std::string& name);
std::string lightingCaption(const std::string& name);

}  // namespace seamster
