#pragma once
#include <windows.h>

namespace seamster {
// Start-up, the main loop and program end; the process's exit code.
int runProgram(HINSTANCE instance);
}  // namespace seamster
