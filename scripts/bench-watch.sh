#!/usr/bin/env bash
# Measures under Wine what following the Body Shop costs: Seamster's processor
# time over 30 s idle, with and without the Body Shop stand-in running, next
# to a program walking the process list every 10 ms; and how soon a Body Shop
# started elsewhere, and its end, are seen. Needs the mingw preset built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
SEAMSTER_TIME_GOALS=1 SEAMSTER_WATCH_SECONDS=${1:-30} SEAMSTER_E2E_TIMEOUT=300 "$root/scripts/e2e.sh" 'WatchCost.*'
grep -h "watching over" "$root"/build/e2e/logs/WatchCost.*.log
