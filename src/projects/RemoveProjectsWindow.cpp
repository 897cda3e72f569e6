#include "app/SecondaryWindows.h"

namespace seamster {
// Not built yet: the tool-bar button does nothing until this window exists.
void runRemoveProjectsWindow(WindowContext&) {}
}  // namespace seamster
