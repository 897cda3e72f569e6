# Shared by the scripts that run one Windows program of ours under Wine in a
# prefix of its own (win-tests.sh, bench-rename.sh); sourced, not run.
# Expects: root, name (for messages), WINEPREFIX, target (the CMake target).
# Provides: build_target, open_display, make_prefix, run_program.

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installers
exe="$root/build/mingw/bin/$target.exe"

build_target() {
  (cd "$root" && { [ -f build/mingw/build.ninja ] || cmake --preset mingw >/dev/null; } &&
    timeout 1200 cmake --build build/mingw -j2 --target "$target") ||
    { echo "$name: build failed" >&2; exit 2; }
}

xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true  # this prefix's server only
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
}
trap cleanup EXIT

# Without a display, a private Xvfb on a free display, stopped at exit.
open_display() {
  [ -z "${DISPLAY:-}" ] && command -v Xvfb >/dev/null || return 0
  for n in $(seq 90 160); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    if kill -0 "$xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
      export DISPLAY=":$n"
      return 0
    fi
    xvfb_pid=""  # lost the race for this display; try the next one
  done
}

# Creates the prefix once; true when it was created now.
make_prefix() {
  [ -f "$WINEPREFIX/system.reg" ] && return 1
  echo "$name: creating the Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  timeout 300 wineboot -i >/dev/null 2>&1 || { echo "$name: wineboot failed" >&2; exit 2; }
  # A crash ends the program at once instead of waiting on Wine's crash
  # dialog until the time limit.
  DISPLAY='' timeout 120 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
    /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wineserver -w
  # Keep the prefix's shell folders inside it instead of linked to $HOME, so
  # nothing the program does can reach the user's own files.
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$link" ]; then rm "$link" && mkdir "$link"; fi
  done
  return 0
}

# Runs the program with a time limit; exits with its result (124: timed out).
run_program() {
  [ -f "$exe" ] || { echo "$name: $exe is missing" >&2; exit 2; }
  timeout "$limit" wine "$exe" "$@"
  local status=$?
  [ "$status" = 124 ] && echo "$name: timed out after ${limit}s" >&2
  exit "$status"
}
