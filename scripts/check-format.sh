#!/bin/bash
# Fails when a C++ file of the project is not as clang-format would write it
# (the .clang-format file at the root); lists the files that differ.
cd "$(dirname "$0")/.." || exit 2
git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'tools/*.cpp' 'tools/*.h' |
  xargs clang-format --dry-run -Werror 2>&1 | grep -oE '^[^ :]+\.(cpp|h):[0-9]+' | cut -d: -f1 | sort -u |
  awk '{ print "not clang-formatted: " $0; bad = 1 } END { exit bad }'
