#!/usr/bin/env bash
# Soak run of both programs on the test camera, and the fault-injection run.
#   scripts/soak.sh [MINUTES]   each program runs MINUTES (default 10) with a recording started and
#                               stopped every 30 s and snapshots/photos; prints the resource figures
#                               (GDI, USER, windows, handles, private bytes) at start and end.
#   scripts/soak.sh --faults    the fault cases; as root it first mounts a 4 MiB tmpfs (full disk)
#                               and a read-only bind of a folder (read-only program folder).
# Uses the Windows build in SOAK_BUILD_DIR (default build/win, as `make win` makes it).
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
build="${SOAK_BUILD_DIR:-$root/build/win}"
case "$build" in /*) ;; *) build="$root/$build" ;; esac

if [ "${1:-}" = "--faults" ]; then
  shift
  exe="$build/tests/reliability/reliability_fault_test.exe"
  [ -f "$exe" ] || { echo "soak.sh: $exe is not built (make win)" >&2; exit 2; }
  work="$(mktemp -d /tmp/reliability.XXXXXX)"
  mounted=()
  cleanup() {
    for m in "${mounted[@]}"; do umount "$m" 2>/dev/null; done
    rm -rf "$work"
  }
  trap cleanup EXIT
  mkdir -p "$work/disk" "$work/rw" "$work/ro"
  if mount -t tmpfs -o size=4m tmpfs "$work/disk" 2>/dev/null; then
    mounted+=("$work/disk"); export RELIABILITY_SMALL_DISK="$work/disk"
  else
    echo "soak.sh: cannot mount a small tmpfs here; the full-disk cases are skipped" >&2
  fi
  if mount --bind "$work/rw" "$work/ro" 2>/dev/null; then
    mounted=("$work/ro" "${mounted[@]}")
    if mount -o remount,bind,ro "$work/ro" 2>/dev/null; then
      export RELIABILITY_RW_DIR="$work/rw" RELIABILITY_RO_DIR="$work/ro"
    fi
  fi
  [ -n "${RELIABILITY_RO_DIR:-}" ] || echo "soak.sh: cannot bind a read-only folder; those cases are skipped" >&2
  # The 300-character cases last: under Wine they may leave the wine server unusable for the rest.
  bash "$here/with-display.sh" bash "$here/wine-run.sh" "$exe" --gtest_filter='-*300*' "$@"
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
