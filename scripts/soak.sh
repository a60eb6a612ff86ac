#!/usr/bin/env bash
# Soak run of both programs on the test camera, and the fault-injection run.
#   scripts/soak.sh [MINUTES]   each program runs MINUTES (default 10) with a recording started and
#                               stopped every 30 s and snapshots/photos; prints the resource figures
#                               (GDI, USER, windows, handles, private bytes) at start and end.
#   scripts/soak.sh --faults    the fault cases, with the small disk and read-only folder that
#                               fault-folders.sh prepares (as root), then the 300-character ones.
# Uses the Windows build in SOAK_BUILD_DIR (default: the chosen build, build/win for i686 or
# build/win64 for x64, as `make win` makes them; WIN_ARCH forces one).
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
source "$here/wine-env.sh"
build="${SOAK_BUILD_DIR:-$win_build}"
case "$build" in /*) ;; *) build="$root/$build" ;; esac

if [ "${1:-}" = "--faults" ]; then
  shift
  exe="$build/tests/reliability/reliability_fault_test.exe"
  [ -f "$exe" ] || { echo "soak.sh: $exe is not built (make win)" >&2; exit 2; }
  # The 300-character cases last: under Wine they may leave the wine server unusable for the rest.
  bash "$here/with-display.sh" bash "$here/fault-folders.sh" bash "$here/wine-run.sh" "$exe" \
    --gtest_filter='-*300*' "$@"
  rc=$?
  RELIABILITY_LONG_PATH=1 bash "$here/with-display.sh" timeout 300 bash "$here/wine-run.sh" "$exe" \
    --gtest_filter='*300*' "$@" || rc=1
  exit $rc
fi

minutes="${1:-10}"
exe="$build/tests/reliability/reliability_soak_test.exe"
[ -f "$exe" ] || { echo "soak.sh: $exe is not built (make win)" >&2; exit 2; }
export SOAK_MINUTES="$minutes"
log="$(mktemp /tmp/soak.XXXXXX.log)"
bash "$here/with-display.sh" bash "$here/wine-run.sh" "$exe" 2>&1 | tee "$log"
rc=${PIPESTATUS[0]}
echo
echo "Soak figures ($minutes min per program; start = after the first 30 s cycle, end = lowest of 3 readings):"
grep '^SOAK ' "$log" | sed 's/^SOAK /  /'
rm -f "$log"
exit "$rc"
