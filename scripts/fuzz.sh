#!/usr/bin/env bash
# Runs every fuzz target for the given number of seconds (default 60), each
# with its own corpus under build/fuzz-corpus/, where new inputs go, and the
# committed seeds of tests/fuzz/corpus/ as a second corpus that is only read.
# Needs the fuzz preset built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
status=0
for target in "$root"/build/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$root/build/fuzz-corpus/$name"
  seeds="$root/tests/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seed_args=()
  [ -d "$seeds" ] && seed_args=("$seeds")
  echo "fuzzing $name for ${seconds}s"
  if "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=0 \
       "$corpus" "${seed_args[@]}" >"$root/build/fuzz-corpus/$name.log" 2>&1; then
    echo "$name: no failure"
  else
    echo "$name: FAILED"; tail -n 30 "$root/build/fuzz-corpus/$name.log"; status=1
  fi
done
exit $status
