#!/usr/bin/env bash
# Sets up, builds and runs every test: that the pictures are what their SVG
# sources give, unit tests (native, with sanitizers), the two-thread scaling
# tests under ThreadSanitizer, the Windows tests and the end-to-end scenarios
# under Wine (and that the help's pictures are what they show), the checks of
# the help file and the release zip (with the Linux launcher in it), short
# runs of the benchmarks, a second build that must give the same bytes, short
# runs of each fuzz target, and the check that no long function lacks a
# reason. Exits non-zero when anything fails.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
logs="$root/build/test-logs"

bash scripts/setup.sh || { echo "setup failed"; exit 1; }
mkdir -p "$logs"

passed=0
failed=0
failures=()

# Adds the counts a stage's log reports, or counts the whole stage as one
# result when its log has none. CTest's summary, where there is one, is the
# count: the GoogleTest lines in its log are the failing tests' own output.
count() {
  local stage=$1 status=$2 log=$3 p f summary
  summary=$(grep -hoE '[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$summary" ]; then
    f=$(echo "$summary" | awk '{print $4}')
    p=$(echo "$summary" | awk '{print $NF - $4}')
  else
    p=$(grep -hoE '^\[  PASSED  \] [0-9]+ test' "$log" | grep -oE '[0-9]+' | awk '{s+=$1} END {print s+0}')
    f=$(grep -hoE '^\[  FAILED  \] [0-9]+ test' "$log" | grep -oE '[0-9]+' | awk '{s+=$1} END {print s+0}')
  fi
  if [ "$p" -eq 0 ] && [ "$f" -eq 0 ]; then
    if [ "$status" -eq 0 ]; then p=1; else f=1; fi
  elif [ "$status" -ne 0 ] && [ "$f" -eq 0 ]; then
    f=1  # the stage failed outside its tests
  fi
  passed=$((passed + p))
  failed=$((failed + f))
  [ "$status" -eq 0 ] && [ "$f" -eq 0 ] || failures+=("$stage (log: build/test-logs/$stage.log)")
}

stage() {
  local name=$1; shift
  echo "== $name"
  local start=$SECONDS
  "$@" >"$logs/$name.log" 2>&1
  local status=$?
  tail -n 3 "$logs/$name.log"
  echo "   ($((SECONDS - start)) s, exit $status)"
  count "$name" "$status" "$logs/$name.log"
}

build_native() { cmake --preset native && cmake --build --preset native -j2; }
build_windows() { cmake --preset mingw && cmake --build --preset mingw -j2; }
build_fuzz() { cmake --preset fuzz && cmake --build --preset fuzz -j2; }

stage pictures bash tools/pictures/make-pictures.sh --check
stage build-native build_native
stage unit ctest --preset native -j2
stage tsan bash scripts/tsan-tests.sh
stage build-windows build_windows
check_help() {
  python3 tools/help/check_help.py --repo . --version "$(cat build/mingw/version.txt)" \
    build/mingw/bin/Seamster.CHM
}
stage help check_help
stage package bash scripts/package.sh
# The Linux launcher as the zip gives it, run with fakes of the tools it calls.
stage launcher bash tests/launcher/launcher-test.sh \
  "build/release/Seamster-$(cat build/mingw/version.txt)-win64.zip"
stage win bash scripts/win-tests.sh --no-build
stage e2e bash scripts/e2e.sh
# The help's and the README's pictures against the screenshots just taken.
stage help-pictures bash scripts/help-pictures.sh --check
# A short run of the picture benchmark: a smaller photo and few runs, and
# times reported only, since the other stages may still load the machine.
stage bench-images env SEAMSTER_SETUP_DONE=1 bash scripts/bench-images.sh \
  --size 3000x2000 --runs 3 --no-time-goals
# A short run of the renaming benchmark: it must finish and rename everything;
# the timing goals are for the full run of scripts/bench-rename.sh.
stage bench-rename bash scripts/bench-rename.sh --no-build --listed 2000 --runs 50,200 --rounds 3 --no-goals
# Counts what a start asks of the Wine server (the timings are in scripts/bench-startup.sh).
stage bench-startup-requests bash scripts/bench-startup-requests.sh
stage reproducible bash scripts/reproducible.sh
stage build-fuzz build_fuzz
stage fuzz bash scripts/fuzz.sh "${FUZZ_SECONDS:-10}"
stage long-functions python3 scripts/long-functions.py 60 --check

echo
for f in "${failures[@]}"; do echo "FAILED: $f"; done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ ${#failures[@]} -eq 0 ]
