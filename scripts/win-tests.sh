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
limit=${WIN_TESTS_TIMEOUT:-300}
name=win-tests
target=win_tests
source "$root/scripts/wine-program.sh"

[ "$build" = 1 ] && build_target
open_display
make_prefix
# Windows of the tests come and go by the hundred: with no window manager on
# the display, Wine would wait two seconds for each to be taken down.
grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null ||
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
# Unix symbolic links, which Windows programs cannot make under Wine, for the
# file system's tests to find as links: laid afresh on every run.
links="$WINEPREFIX/drive_c/seamster-links"
rm -rf "$links" && mkdir -p "$links/Real" "$links/Empty" && printf inside >"$links/Real/inside.package"
ln -s "$links/Real" "$links/Linked" && ln -s "$links/Empty" "$links/LinkedEmpty"
ln -s "$links/Real/inside.package" "$links/linked.package"
export SEAMSTER_LINKS_FOLDER='C:\seamster-links'
run_program "$@"
