#!/usr/bin/env bash
# Runs one Windows executable under the project's Wine prefix (ctest's emulator for Windows tests).
#   scripts/wine-run.sh [--arch=i686|--arch=x64] PROGRAM.exe [ARGS...]
# The build directory names its architecture, so a test always runs in the prefix of its own
# build. The exit code is the program's own.
case "${1:-}" in
  --arch=*) export WIN_ARCH="${1#--arch=}"; shift ;;
esac
source "$(dirname "$0")/wine-env.sh"
exec "$WINE" "$@"
