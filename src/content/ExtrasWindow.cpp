#include "app/SecondaryWindows.h"

namespace seamster {
// Not built yet: the tool-bar buttons do nothing until these windows exist.
void runHideGameFoldersWindow(WindowContext&) {}
void runExtrasWindow(WindowContext&) {}
}  // namespace seamster
