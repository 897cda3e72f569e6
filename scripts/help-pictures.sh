#!/usr/bin/env bash
# Copies the pictures of the help and the README from the screenshots of an
# end-to-end run (build/screenshots/) into docs/, as tools/help/pictures.txt
# lists them, and records in tools/help/pictures-taken.txt the source files of
# the windows they show as they were then: the help check fails once one of
# them has changed. With --run it first runs the scenarios that take them
# (after a mingw build). The pictures are checked in, so that building the
# help needs no Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
list="$root/tools/help/pictures.txt"
record="$root/tools/help/pictures-taken.txt"
shots="$root/build/screenshots"

mapfile -t rows < <(grep -vE '^\s*(#|$)' "$list")
if [ "${1:-}" = "--run" ]; then
  # The scaled windows are compared with the layouts recorded at 96 DPI first.
  filter=$( (for row in "${rows[@]}"; do set -- $row; echo "${2%%-*}"; done
    echo DisplayScaleAt96.RecordsEveryWindowsLayout) | sort -u | paste -sd:)
  bash "$root/scripts/e2e.sh" "$filter"
fi
failed=0
sources=()
for row in "${rows[@]}"; do
  set -- $row
  picture=$1 shot=$2
  shift 2
  if [ ! -f "$shots/$shot" ]; then
    echo "help-pictures: $shots/$shot is missing" >&2
    failed=1
    continue
  fi
  for source in "$@"; do
    sources+=("$source")
    if [ "$root/$source" -nt "$shots/$shot" ]; then
      echo "help-pictures: $source changed after $shot was taken; use --run" >&2
      failed=1
    fi
  done
  cp "$shots/$shot" "$root/docs/$picture"
done
[ $failed -eq 0 ] || exit 1
{
  echo "# The source files of the windows in the pictures, as they were when the pictures"
  echo "# were taken (scripts/help-pictures.sh writes this file; do not edit it)."
  (cd "$root" && printf '%s\n' "${sources[@]}" | sort -u | xargs sha256sum)
} >"$record"
echo "help-pictures: ${#rows[@]} pictures copied into docs/"
