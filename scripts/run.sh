#!/usr/bin/env bash
# Builds Seamster and starts it under Wine in the demo sandbox: a prefix of
# its own (build/sandbox/prefix) with a game installation of several packs,
# the Body Shop stand-in and a user game folder full of things to try on.
# The sandbox is made once; later runs keep what Seamster changed in it and
# only bring in the freshly built programs. Remove build/sandbox to start over.
#
# SEAMSTER_EDITION=ultimate (or another file's name in tools/sandbox/editions/)
# lays the game as that edition installs it, starting the sandbox's game files
# afresh; discs goes back.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prefix="$root/build/sandbox/prefix"

"$root/scripts/setup.sh"
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j2
"$root/tools/sandbox/make-sandbox.sh" create "$prefix"
if [ -n "${SEAMSTER_EDITION:-}" ]; then
  "$root/tools/sandbox/make-sandbox.sh" reset "$prefix" "$SEAMSTER_EDITION"
fi

export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export USER=Jamie  # the sandbox's user (tools/sandbox/make-sandbox.sh)
# Seamster's folder is its working folder, as a shortcut would start it.
cd "$prefix/drive_c/Seamster"

if [ -n "${DISPLAY:-}" ]; then
  # On a desktop the window manager frames and moves Seamster's windows.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d Y /f >/dev/null 2>&1 || true
  exec wine Seamster.exe
fi

echo "run: no DISPLAY; Seamster runs on a virtual 1024 x 768 screen (xvfb-run)"
# No window manager there: Wine draws the frames itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
# Let that Wine session end, so Seamster's starts on the virtual screen.
timeout 30 wineserver -w || true
exec xvfb-run -a -s "-screen 0 1024x768x24" wine Seamster.exe
