#!/usr/bin/env bash
# Builds rename_bench.exe and runs it under Wine, headless: when no display
# is set, a private Xvfb is started on a free display and stopped afterwards.
# It times a search over a folder of 20,000 packages against the bare listing
# of that folder, and automatic runs over 500 and 5,000 packages against bare
# MoveFileW renames of 5,000, printing the ratios; it exits non-zero when a
# goal is missed (124 when it ran out of time).
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
limit=${BENCH_TIMEOUT:-900}
name=bench-rename
target=rename_bench
source "$root/scripts/wine-program.sh"

[ "$build" = 1 ] && build_target
open_display
if make_prefix; then
  # Windows live in a virtual desktop there (see above).
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 &&
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1 ||
    { echo "bench-rename: cannot set up the virtual desktop" >&2; exit 2; }
  wineserver -w
fi
run_program "$@"
