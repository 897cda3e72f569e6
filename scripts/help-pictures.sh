#!/usr/bin/env bash
# Copies the pictures of the help and the README from the screenshots of an
# end-to-end run (build/screenshots/) into docs/, as tools/help/pictures.txt
# lists them. With --run it first runs the scenarios that take them (after a
# mingw build). The pictures are checked in, so that building the help needs
# no Wine; commit them after the source files of their windows.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
list="$root/tools/help/pictures.txt"
shots="$root/build/screenshots"

mapfile -t rows < <(grep -vE '^\s*(#|$)' "$list")
if [ "${1:-}" = "--run" ]; then
  filter=$(for row in "${rows[@]}"; do set -- $row; echo "${2%%-*}"; done | sort -u | paste -sd:)
  bash "$root/scripts/e2e.sh" "$filter"
fi
missing=0
for row in "${rows[@]}"; do
  set -- $row
  if [ -f "$shots/$2" ]; then
    cp "$shots/$2" "$root/docs/$1"
  else
    echo "help-pictures: $shots/$2 is missing" >&2
    missing=1
  fi
done
[ $missing -eq 0 ] && echo "help-pictures: ${#rows[@]} pictures copied into docs/"
exit $missing
