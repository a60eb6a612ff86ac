#!/usr/bin/env bash
# Prepares the folders the fault-injection tests need, runs the command given, and removes them:
#   RELIABILITY_SMALL_DISK  a 4 MiB tmpfs, so a recording fills the disk
#   RELIABILITY_RW_DIR / RELIABILITY_RO_DIR  one folder, bound a second time read-only
# Both need root (mount); elsewhere the cases that use them are skipped with a message.
#   scripts/fault-folders.sh scripts/wine-run.sh --arch=x64 build/win64/tests/reliability/reliability_fault_test.exe
set -uo pipefail
work="$(mktemp -d /tmp/reliability.XXXXXX)"
mounted=()
cleanup() {
  # Lazily: the wine server may still watch a folder on them.
  for m in "${mounted[@]}"; do umount -l "$m" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/disk" "$work/rw" "$work/ro"
if mount -t tmpfs -o size=4m tmpfs "$work/disk" 2>/dev/null; then
  mounted+=("$work/disk")
  export RELIABILITY_SMALL_DISK="$work/disk"
else
  echo "fault-folders: cannot mount a small tmpfs here; the full-disk cases are skipped" >&2
fi
if mount --bind "$work/rw" "$work/ro" 2>/dev/null; then
  mounted=("$work/ro" "${mounted[@]}")
  if mount -o remount,bind,ro "$work/ro" 2>/dev/null; then
    export RELIABILITY_RW_DIR="$work/rw" RELIABILITY_RO_DIR="$work/ro"
  fi
fi
[ -n "${RELIABILITY_RO_DIR:-}" ] || echo "fault-folders: cannot bind a read-only folder; those cases are skipped" >&2
"$@"
