#!/usr/bin/env bash
# Runs one Windows executable under the project's Wine prefix (ctest's emulator for Windows tests).
# The exit code is the program's own.
source "$(dirname "$0")/wine-env.sh"
exec wine "$@"
