#!/usr/bin/env bash
# Builds win_tests.exe and runs it under Wine in a prefix of its own, without
# needing a desktop: when no display is set, a private Xvfb is started on a
# free display and stopped afterwards. The exit code is the tests' result
# (124 when they ran out of time).
#
#   scripts/win-tests.sh [--no-build] [gtest options...]
#
# SEAMSTER_TEST_PREFIX chooses the Wine prefix (default build/wine/tests-prefix);
# WIN_TESTS_TIMEOUT the seconds the tests may take (default 300).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=1
if [ "${1:-}" = "--no-build" ]; then build=0; shift; fi

export WINEPREFIX=${SEAMSTER_TEST_PREFIX:-$root/build/wine/tests-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installers
limit=${WIN_TESTS_TIMEOUT:-300}
exe="$root/build/mingw/bin/win_tests.exe"

if [ "$build" = 1 ]; then
  (cd "$root" && { [ -f build/mingw/build.ninja ] || cmake --preset mingw >/dev/null; } &&
    cmake --build build/mingw -j2 --target win_tests) || { echo "win-tests: build failed" >&2; exit 2; }
fi
[ -f "$exe" ] || { echo "win-tests: $exe is missing" >&2; exit 2; }

xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true  # this prefix's server only
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ] && command -v Xvfb >/dev/null; then
  for n in $(seq 90 160); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    if kill -0 "$xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
      export DISPLAY=":$n"
      break
    fi
    xvfb_pid=""  # lost the race for this display; try the next one
  done
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "win-tests: creating the Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  timeout 300 wineboot -i >/dev/null 2>&1 || { echo "win-tests: wineboot failed" >&2; exit 2; }
  wineserver -w
  # Keep the prefix's shell folders inside it instead of linked to $HOME, so
  # nothing a test does can reach the user's own files.
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$link" ]; then rm "$link" && mkdir "$link"; fi
  done
fi

timeout "$limit" wine "$exe" "$@"
status=$?
[ "$status" = 124 ] && echo "win-tests: timed out after ${limit}s" >&2
exit "$status"
