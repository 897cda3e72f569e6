#!/usr/bin/env bash
# Runs every fuzz target (or those named) for a time or a number of
# executions, each with its own corpus under build/fuzz-corpus/, where new
# inputs go, and the committed seeds of tests/fuzz/corpus/ as a second corpus
# that is only read. Needs the fuzz preset built.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]          each target for SECONDS (default 60)
#   scripts/fuzz.sh --runs N [TARGET...]           each target for N executions
#
# An input that makes a target fail is copied into the target's seed folder
# as crash-<hash>, so that it is tried on every run from then on (commit it
# with the fix). Each target's line reports its executions, their speed and
# the size of its corpus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
limit=(-max_total_time=60)
what="60 s"
if [ "${1:-}" = "--runs" ]; then
  limit=(-runs="$2"); what="$2 executions"; shift 2
elif [[ "${1:-}" =~ ^[0-9]+$ ]]; then
  limit=(-max_total_time="$1"); what="$1 s"; shift
fi
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for target in "$root"/build/fuzz/fuzz_*; do [ -x "$target" ] && targets+=("$(basename "$target")"); done
  # No target fuzzed is no pass.
  [ ${#targets[@]} -gt 0 ] || { echo "fuzz: no target is built; build the fuzz preset first" >&2; exit 2; }
fi

# Longest input per target: about the largest file of its kind worth mutating
# (a settings file is under 1 KB, a project file's name is near its start,
# Steam's list of library folders a few KB);
# pictures as much as the largest seed.
max_len() {
  case $1 in
    fuzz_settings) echo 2048 ;;
    fuzz_project) echo 2048 ;;
    fuzz_steam_libraries) echo 4096 ;;
    *) echo 8192 ;;
  esac
}

status=0
for name in "${targets[@]}"; do
  target="$root/build/fuzz/$name"
  [ -x "$target" ] || { echo "$name: not built"; status=1; continue; }
  corpus="$root/build/fuzz-corpus/$name"
  seeds="$root/tests/fuzz/corpus/$name"
  artifacts="$root/build/fuzz-corpus/$name-artifacts/"
  log="$root/build/fuzz-corpus/$name.log"
  mkdir -p "$corpus" "$artifacts"
  seed_args=()
  [ -d "$seeds" ] && seed_args=("$seeds")
  echo "fuzzing $name for $what"
  start=$SECONDS
  if "$target" "${limit[@]}" -max_len="$(max_len "$name")" -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$artifacts" \
       "$corpus" "${seed_args[@]}" >"$log" 2>&1; then
    result="no failure"
  else
    result=FAILED; status=1
    tail -n 30 "$log"
    for found in "$artifacts"crash-* "$artifacts"leak-* "$artifacts"oom-* "$artifacts"timeout-*; do
      [ -f "$found" ] || continue
      mkdir -p "$seeds"
      cp "$found" "$seeds/crash-$(sha1sum "$found" | cut -c1-16)"
      echo "$name: kept $(basename "$found") in tests/fuzz/corpus/$name/"
    done
  fi
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | awk '{print $2}' | tail -n 1)
  runs=${runs:-0}
  elapsed=$((SECONDS - start)); [ "$elapsed" -gt 0 ] || elapsed=1
  echo "$name: $result, $runs executions in ${elapsed} s ($((runs / elapsed)) exec/s)," \
       "corpus $(find "$corpus" -type f | wc -l) files"
done
exit $status
