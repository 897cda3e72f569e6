#!/usr/bin/env bash
# The pictures of the help and the README are screenshots of the end-to-end
# run (build/screenshots/), copied into docs/ as tools/help/pictures.txt lists
# them; they are checked in, so that building the help needs no Wine.
#
#   scripts/help-pictures.sh          # copy them from the last end-to-end run
#   scripts/help-pictures.sh --run    # run the scenarios that take them first (after a mingw build)
#   scripts/help-pictures.sh --check  # fail when a picture is not what its window shows now
#
# A picture is current when the last run's screenshot has the same pixels, so a
# change that moves no pixel asks for no retake. The screenshots must be from
# the Seamster.exe now built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
shots="$root/build/screenshots"
exe="$root/build/mingw/bin/Seamster.exe"
mode=${1:-copy}

mapfile -t rows < <(grep -vE '^\s*(#|$)' "$root/tools/help/pictures.txt")
if [ "$mode" = --run ]; then
  # The scaled windows are compared with the layouts recorded at 96 DPI first.
  filter=$( (for row in "${rows[@]}"; do read -r _ shot <<<"$row"; echo "${shot%%-*}"; done
    echo DisplayScaleAt96.RecordsEveryWindowsLayout) | sort -u | paste -sd:)
  bash "$root/scripts/e2e.sh" "$filter"
fi
failed=0
for row in "${rows[@]}"; do
  read -r picture shot <<<"$row"
  if [ ! -f "$shots/$shot" ] || [ "$exe" -nt "$shots/$shot" ]; then
    echo "help-pictures: no screenshot $shot from the Seamster.exe now built; run scripts/help-pictures.sh --run" >&2
    failed=1
  elif [ "$mode" != --check ]; then
    cp "$shots/$shot" "$root/docs/$picture"
  elif ! cmp -s "$shots/$shot" "$root/docs/$picture" &&
    ! compare -metric AE "$shots/$shot" "$root/docs/$picture" null: 2>/dev/null; then
    echo "help-pictures: docs/$picture is not what the window shows now ($shot);" \
      "run scripts/help-pictures.sh, look at the pictures and commit them" >&2
    failed=1
  fi
done
[ $failed -eq 0 ] || exit 1
if [ "$mode" = --check ]; then
  echo "help-pictures: all ${#rows[@]} pictures show their windows as they are"
else
  echo "help-pictures: ${#rows[@]} pictures copied into docs/"
fi
