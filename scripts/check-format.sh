#!/bin/bash
# Fails when a C++ file of the project is not as clang-format would write it
# (the .clang-format file at the root); lists the files that differ. Fails too
# when clang-format or the list of files cannot be had: a check that could not
# run has not passed.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
command -v clang-format >/dev/null || { echo "check-format: clang-format is missing" >&2; exit 2; }
files=$(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'tools/*.cpp' 'tools/*.h') &&
  [ -n "$files" ] || { echo "check-format: no files to check" >&2; exit 2; }
report=$(xargs clang-format --dry-run -Werror <<<"$files" 2>&1) && exit 0
differ=$(grep -oE '^[^ :]+\.(cpp|h):[0-9]+' <<<"$report" | cut -d: -f1 | sort -u)
if [ -z "$differ" ]; then
  echo "$report" >&2
  echo "check-format: clang-format failed" >&2
  exit 2
fi
sed 's/^/not clang-formatted: /' <<<"$differ"
exit 1
