#!/usr/bin/env bash
# Runs the end-to-end scenarios: the real Seamster.exe under Wine on a virtual
# X screen, driven from outside by e2e_tests.exe. Builds nothing: run after
# the mingw build (scripts/test.sh does both).
#
#   scripts/e2e.sh [GTEST_FILTER]
#
# Each scenario runs in its own e2e_tests.exe process on a freshly reset
# sandbox. The scenarios of the SmallDesktop suite run last, on a second
# screen of 799 x 600; those of suites named ...AheadOfUtc run nine hours
# ahead of UTC; those of suites named ...At120, ...At144 and ...At192 on a
# 2048 x 1536 screen set to that many dots per inch (125, 150 and 200 %), the
# rest at 96. Those of the Release suite run Seamster from the release zip
# (scripts/package.sh makes it), unpacked into a folder in the user's profile.
# Those of the Editions suite get the game laid out as their edition installs
# it (sandbox_edition below).
# Screenshots go to build/screenshots/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin="$root/build/mingw/bin"
prefix="$root/build/e2e/prefix"
shots="$root/build/screenshots"
logs="$root/build/e2e/logs"
filter=${1:-*}
scenario_timeout=${SEAMSTER_E2E_TIMEOUT:-120}

for exe in Seamster.exe e2e_tests.exe; do
  if [ ! -f "$bin/$exe" ]; then
    echo "e2e: $bin/$exe is missing; build the mingw preset first" >&2
    exit 2
  fi
done

export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export USER=Jamie  # the sandbox's user (tools/sandbox/make-sandbox.sh)
export SEAMSTER_EXE="$bin/Seamster.exe"
# The stand-in's clock stands still, so that its screenshot is the same in every run.
export SEAMSTER_STAND_IN_CLOCK=14:05:00

xvfb_pids=()
key_server=
cleanup() {
  # Whatever happened, nothing of this run is left behind.
  stop_key_server
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  local pid
  for pid in "${xvfb_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${xvfb_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Starts an X server of the given size on a display it finds free itself and
# sets started_display to its number. Not run in a subshell, so that cleanup
# knows every server it has to stop.
start_xvfb() {
  local size=$1 number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$number_file" >/dev/null 2>&1 &
  local pid=$!
  xvfb_pids+=("$pid")
  local tries
  for tries in $(seq 1 100); do
    if [ -s "$number_file" ]; then
      started_display=$(tr -dc '0-9' <"$number_file")
      rm -f "$number_file"
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$number_file"
  echo "e2e: could not start Xvfb" >&2
  return 1
}

windows_path() {
  local p=$1
  printf 'Z:%s' "${p//\//\\}"
}

mkdir -p "$shots" "$logs"
"$root/tools/sandbox/make-sandbox.sh" create "$prefix"

start_xvfb 1024x768
display=$started_display
start_xvfb 799x600
small_display=$started_display
# Screens set to 125 % and more are large ones: the windows grow with the DPI.
start_xvfb 2048x1536
large_display=$started_display
export SEAMSTER_E2E_SCREENSHOTS SEAMSTER_E2E_RECORDS
SEAMSTER_E2E_SCREENSHOTS=$(windows_path "$shots")
# What one scenario measures for a later one to compare with (the layouts at 96 DPI).
records="$root/build/e2e/records"
mkdir -p "$records"
SEAMSTER_E2E_RECORDS=$(windows_path "$records")

# One wineserver for the whole run on each screen: Wine starts slowly, once.
start_wine_session() {
  export DISPLAY=":$1"
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  timeout 30 wineserver -p
}

mapfile -t scenarios < <(
  DISPLAY=":$display" timeout 120 wine "$bin/e2e_tests.exe" --gtest_list_tests "--gtest_filter=$filter" |
    tr -d '\r' | awk '/^[^ ]/ {suite=$1} /^  / {print suite $1}'
)
if [ ${#scenarios[@]} -eq 0 ]; then
  echo "e2e: no scenario matches '$filter'" >&2
  exit 1
fi

# Unpacks the release zip into a folder of the sandbox user's own, as a user
# would, and prints that folder's Windows path.
unpack_release() {
  local version zip user
  version=$(tr -d '\r\n' <"$root/build/mingw/version.txt" 2>/dev/null || true)
  zip="$root/build/release/Seamster-$version-win64.zip"
  if [ -z "$version" ] || [ ! -f "$zip" ]; then
    echo "e2e: the release zip $zip is missing; run scripts/package.sh first" >&2
    return 1
  fi
  for user in "$prefix"/drive_c/Users/*/; do
    case "$(basename "$user")" in Public) continue ;; esac
    [ -d "$user/Documents" ] || continue
    local folder="${user}Seamster $version"
    rm -rf "$folder"
    mkdir -p "$folder"
    python3 -m zipfile -e "$zip" "$folder/" || return 1
    printf 'C:\\Users\\%s\\Seamster %s' "$(basename "$user")" "$version"
    return 0
  done
  echo "e2e: no user folder in the sandbox" >&2
  return 1
}

# Real key strokes and clicks for the keyboard scenarios: the driver, a
# Windows program, writes xdotool's arguments into keys/request; this loop
# runs them on the scenario's screen and answers with xdotool's status in
# keys/done.
keys="$root/build/e2e/keys"
export SEAMSTER_E2E_KEYS
SEAMSTER_E2E_KEYS=$(windows_path "$keys")
start_key_server() {
  rm -rf "$keys"
  mkdir -p "$keys"
  (
    while :; do
      if [ -f "$keys/request" ]; then
        read -r -a words <"$keys/request" || true
        rm -f "$keys/request"
        status=0
        DISPLAY=":$current_display" timeout 10 xdotool "${words[@]}" >/dev/null 2>&1 || status=$?
        echo "$status" >"$keys/done.tmp"
        mv "$keys/done.tmp" "$keys/done"
      fi
      sleep 0.05
    done
  ) &
  key_server=$!
}
stop_key_server() {
  if [ -n "$key_server" ]; then
    kill "$key_server" 2>/dev/null || true
    wait "$key_server" 2>/dev/null || true
    key_server=
  fi
}

# The screen's DPI, as winecfg sets it: Wine reads it when a program starts.
current_dpi=
set_dpi() {
  local dpi=$1 key
  [ "$dpi" = "$current_dpi" ] && return 0
  for key in 'HKCU\Control Panel\Desktop' \
    'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    timeout 60 wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  done
  current_dpi=$dpi
}

# The game's edition a scenario runs against: the sandbox's edition file that
# names the scenario, else the discs. Without those files no scenario would
# get its edition, so the run stops.
if ! compgen -G "$root/tools/sandbox/editions/*.sh" >/dev/null; then
  echo "e2e: no edition files in $root/tools/sandbox/editions" >&2
  exit 2
fi
sandbox_edition() {
  local file
  file=$(grep -lx "scenario=$1" "$root"/tools/sandbox/editions/*.sh | head -1 || true)
  if [ -n "$file" ]; then basename "$file" .sh; else echo discs; fi
}

passed=()
failed=()
run_scenario() {
  local name=$1
  "$root/tools/sandbox/make-sandbox.sh" reset "$prefix" "$(sandbox_edition "$name")"
  case "$name" in
    *At120.*) set_dpi 120 ;;
    *At144.*) set_dpi 144 ;;
    *At192.*) set_dpi 192 ;;
    *) set_dpi 96 ;;
  esac
  local program=()
  case "$name" in
    Release.*)
      local folder
      folder=$(unpack_release) || folder='C:\no release zip'
      program=(env "SEAMSTER_E2E_PROGRAM_FOLDER=$folder")
      ;;
  esac
  local log="$logs/$name.log"
  rm -f "$log" "$shots/$name-"*.png
  local started=$SECONDS
  local status=0
  # Suites whose names end in AheadOfUtc run nine hours ahead of UTC. A Wine
  # program takes its time zone from the environment that started it, and
  # hands it on to the programs it starts.
  local zone=()
  case "$name" in *AheadOfUtc.*) zone=(env TZ=Asia/Tokyo) ;; esac
  case "$name" in Keyboard*) start_key_server ;; esac
  timeout -k 5 "$scenario_timeout" "${zone[@]}" "${program[@]}" wine "$bin/e2e_tests.exe" "--gtest_filter=$name" >"$log" 2>&1 || status=$?
  stop_key_server
  if [ $status -eq 0 ]; then
    passed+=("$name")
    printf 'PASS  %-70s %3ds\n' "$name" $((SECONDS - started))
  else
    failed+=("$name")
    printf 'FAIL  %-70s %3ds\n' "$name" $((SECONDS - started))
    [ $status -ne 124 ] && [ $status -ne 137 ] || echo "stopped after ${scenario_timeout} s" >>"$log"
    tr -d '\r' <"$log" | grep -vE '^\[( RUN|----|====|  PASSED|  FAILED)|^Note: Google Test filter|^Running main' |
      sed 's/^/      /' | head -40
    # A scenario that hung may leave programs behind: start clean.
    start_wine_session "$current_display"
  fi
}

current_display=$display
start_wine_session "$current_display"
for name in "${scenarios[@]}"; do
  case "$name" in SmallDesktop.* | *At120.* | *At144.* | *At192.*) continue ;; esac
  run_scenario "$name"
done

current_display=$large_display
large_started=0
for name in "${scenarios[@]}"; do
  case "$name" in *At120.* | *At144.* | *At192.*) ;; *) continue ;; esac
  if [ $large_started -eq 0 ]; then
    start_wine_session "$current_display"
    large_started=1
  fi
  run_scenario "$name"
done

# Wine reads the screen size when its session starts, so the small screen
# gets a session of its own.
current_display=$small_display
small_started=0
for name in "${scenarios[@]}"; do
  case "$name" in SmallDesktop.*) ;; *) continue ;; esac
  if [ $small_started -eq 0 ]; then
    start_wine_session "$current_display"
    small_started=1
  fi
  run_scenario "$name"
done

set_dpi 96
echo "e2e: ${#passed[@]} passed, ${#failed[@]} failed; screenshots in $shots, logs in $logs"
# The totals in GoogleTest's words, for scripts that add up every stage.
echo "[  PASSED  ] ${#passed[@]} tests."
[ ${#failed[@]} -eq 0 ] || echo "[  FAILED  ] ${#failed[@]} tests, listed below:"
for name in "${failed[@]}"; do echo "[  FAILED  ] $name"; done
[ ${#failed[@]} -eq 0 ]
