#!/usr/bin/env bash
# Builds rename_bench.exe and runs it under Wine, headless: when no display
# is set, a private Xvfb is started on a free display and stopped afterwards.
# It times a search over a folder of 20,000 packages against the bare listing
# of that folder, and automatic runs over 500 and 5,000 packages; it exits
# non-zero when a goal is missed (124 when it ran out of time).
#
#   scripts/bench-rename.sh [--no-build] [rename_bench options...]
#
# e.g. scripts/bench-rename.sh --listed 2000 --runs 50,500 --rounds 3 --no-goals
# It runs in a Wine prefix of its own (SEAMSTER_BENCH_PREFIX, default
# build/wine/bench-prefix) whose windows live in a virtual desktop: without a
# window manager, Wine waits up to two seconds each time a top-level window is
# hidden, which would swamp what is measured. BENCH_TIMEOUT is the seconds it
# may take (default 900).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=1
if [ "${1:-}" = "--no-build" ]; then build=0; shift; fi

export WINEPREFIX=${SEAMSTER_BENCH_PREFIX:-$root/build/wine/bench-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installers
limit=${BENCH_TIMEOUT:-900}
exe="$root/build/mingw/bin/rename_bench.exe"

if [ "$build" = 1 ]; then
  (cd "$root" && { [ -f build/mingw/build.ninja ] || cmake --preset mingw >/dev/null; } &&
    timeout 1200 cmake --build build/mingw -j2 --target rename_bench) ||
    { echo "bench-rename: build failed" >&2; exit 2; }
fi
[ -f "$exe" ] || { echo "bench-rename: $exe is missing" >&2; exit 2; }

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
  echo "bench-rename: creating the Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  timeout 300 wineboot -i >/dev/null 2>&1 || { echo "bench-rename: wineboot failed" >&2; exit 2; }
  wineserver -w
  # Keep the prefix's shell folders inside it instead of linked to $HOME.
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$link" ]; then rm "$link" && mkdir "$link"; fi
  done
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 &&
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1 ||
    { echo "bench-rename: cannot set up the virtual desktop" >&2; exit 2; }
  wineserver -w
fi

timeout "$limit" wine "$exe" "$@"
status=$?
[ "$status" = 124 ] && echo "bench-rename: timed out after ${limit}s" >&2
exit "$status"
