#!/usr/bin/env bash
# Measures under Wine the time from starting Seamster to its main window,
# next to an empty window program started the same way (median of 9 runs), and
# the requests each makes to the Wine server until then.
# Needs the mingw preset built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
SEAMSTER_TIME_GOALS=1 SEAMSTER_STARTUP_RUNS=${1:-9} SEAMSTER_E2E_TIMEOUT=300 "$root/scripts/e2e.sh" 'StartUpTime.*' >/dev/null || status=$?
grep -h "start-up to a visible window" "$root"/build/e2e/logs/StartUpTime.*.log
SEAMSTER_STARTUP_SANDBOX_READY=1 bash "$root/scripts/bench-startup-requests.sh"
exit "$status"
