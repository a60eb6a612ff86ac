#!/usr/bin/env bash
# Runs a command with an X display and a persistent wineserver, for the Windows build WIN_ARCH
# names (scripts/win-arch.sh chooses one when it is unset).
# Starts Xvfb only when DISPLAY is unset, and stops only what it started.
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"

xvfb_pid=""
cleanup() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1920x1200x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  export PROJECT_XVFB=1  # tells scripts (the demo) that nobody watches this display
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  # A desktop session loads a resource database at log-in; a bare Xvfb has none, and then libX11
  # looks for ~/.Xdefaults again on every lookup (Wine makes one for every GetDC). One neutral
  # resource gives Wine the same cached answers it gets on a desktop; -noreset keeps it when the
  # last client leaves.
  xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "project.display: xvfb" 2>/dev/null || true
fi

"$(dirname "$0")/wine-prefix.sh"
# Keep one wineserver up for the whole run: every program then starts in a few hundredths of a second.
"$WINESERVER" -p >/dev/null 2>&1 &
# Start Wine's own background processes now, with their output to /dev/null: started later by a
# test, they would inherit ctest's pipes and keep it waiting after the test has ended.
"$WINE" cmd /c exit </dev/null >/dev/null 2>&1
"$@"
