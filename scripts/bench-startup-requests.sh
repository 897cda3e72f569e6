#!/usr/bin/env bash
# Counts what a start asks of the Wine server, the part of start-up that
# timings on a busy machine blur: the requests Seamster's thread makes from its
# first instruction until its main window shows, next to those of the empty
# window program. Warm runs only (the first start of each is not counted).
# Needs the mingw preset built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin="$root/build/mingw/bin"
export WINEPREFIX="$root/build/e2e/prefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" USER=Jamie
# One short start-up scenario leaves the sandbox as the timings see it: the
# disc edition and settings for The Sims 2 (scripts/bench-startup.sh has just
# run it, and says so).
if [ -z "${SEAMSTER_STARTUP_SANDBOX_READY:-}" ] &&
  ! "$root/scripts/e2e.sh" 'StartUpTime.*' >/dev/null; then
  echo "bench-startup-requests: the start-up scenario failed (build/e2e/logs/StartUpTime.*.log)" >&2
  exit 2
fi
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
cleanup() { wineserver -k 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(tr -dc '0-9' <"$work/display")"
cp "$bin/Seamster.exe" "$WINEPREFIX/drive_c/Seamster/Seamster.exe"
cp "$bin/StartProbe.exe" "$work/StartProbe.exe"

# Requests of the program's first thread until a visible window with a
# caption and no parent comes back from the server.
count() {  # exe, folder
  wineserver -k 2>/dev/null || true
  wineserver -f -d2 2>"$work/trace" &
  sleep 0.5
  for run in warm counted; do
    (cd "$2" && wine "$1" >/dev/null 2>&1 &)
    sleep 4
    wine taskkill /f /im "$(basename "$1")" >/dev/null 2>&1 || true
    sleep 0.5
    [ "$run" = warm ] && : >"$work/trace"
  done
  wineserver -k
  python3 - "$work/trace" <<'PARSE'
import re, sys
thread, count = None, 0
for line in open(sys.argv[1], errors="replace"):
    line = line.strip("\0")
    if thread is None:
        if ": init_first_thread(" in line: thread = line.split(":")[0]
        else: continue
    if not line.startswith(thread + ":"): continue
    if re.match(r"\w+: \w+\( ", line): count += 1
    style = re.search(r"set_window_pos\(\) = 0 .*new_style=([0-9a-f]+)", line)
    # visible, not a child, with a caption
    if style and int(style.group(1), 16) & 0x50c00000 == 0x10c00000:
        print(count)
        break
PARSE
}
seamster=$(count Seamster.exe "$WINEPREFIX/drive_c/Seamster")
probe=$(count StartProbe.exe "$work")
if [ -z "$seamster" ] || [ -z "$probe" ]; then
  echo "bench-startup-requests: a window never showed (Seamster: '$seamster', empty window: '$probe')" >&2
  exit 1
fi
awk -v s="$seamster" -v p="$probe" 'BEGIN {
  printf "requests to the Wine server until the window shows: Seamster %d, empty window %d, ratio %.2f\n", s, p, s / p }'
