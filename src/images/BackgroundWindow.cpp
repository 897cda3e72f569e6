#include "app/SecondaryWindows.h"

namespace seamster {
// Not built yet: the buttons do nothing until these windows exist.
void runNewBackgroundColor(WindowContext&) {}
void runNewBackgroundImage(WindowContext&) {}
void refreshBackgroundThumbnail(WindowContext&) {}
void buildImagePreviewWindow(WindowContext&) {}
}  // namespace seamster
