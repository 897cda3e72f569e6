#include <windows.h>

#include "app/Program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return seamster::runProgram(instance);
}
