#!/usr/bin/env bash
# Builds the picture benchmark (optimised, without sanitizers, which would
# distort both time and memory) and runs it: a full decode, the picture
# requester's thumbnail and the whole background flow on a 6000 x 4000 photo,
# side by side, against their goals. Exits non-zero when a goal is missed.
# Arguments go to the benchmark, for example:
#   scripts/bench-images.sh --runs 9
#   scripts/bench-images.sh --size 3000x2000 --runs 3 --no-time-goals
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
[ -n "${SEAMSTER_SETUP_DONE:-}" ] || bash scripts/setup.sh
cmake --preset bench >/dev/null
cmake --build --preset bench -j2
build/bench/image_bench "$@"
