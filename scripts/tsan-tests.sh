#!/usr/bin/env bash
# Builds the tests of the code that scales pictures on two threads with
# ThreadSanitizer and runs them. A data race
# fails the run.
#
#   scripts/tsan-tests.sh [--no-build] [GTEST_FILTER]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if [ "${1:-}" = "--no-build" ]; then
  shift
else
  # Two commands, not one with &&: set -e stops at either failing, where a
  # failed configure before && would run the tests of an old build.
  cmake --preset tsan >/dev/null
  cmake --build --preset tsan -j2
fi
filter=${1:-*}
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ${TSAN_OPTIONS:-}"
# ThreadSanitizer needs the usual memory layout, which address-space
# randomisation as strong as newer kernels use can break: run without it.
run=()
if command -v setarch >/dev/null && setarch "$(uname -m)" -R true 2>/dev/null; then
  run=(setarch "$(uname -m)" -R)
fi
"${run[@]}" build/tsan/thread_tests --gtest_filter="$filter"
