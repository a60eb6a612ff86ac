#!/usr/bin/env bash
# Creates the project's Wine prefix on first use and registers the test camera in it.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "wine-prefix: creating $WINEPREFIX (takes about 15 s)"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  # A CJK font so that the Chinese menu and language texts render.
  font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
  if [ -f "$font" ]; then
    ln -sf "$font" "$WINEPREFIX/drive_c/windows/Fonts/wqy-microhei.ttc"
  fi
fi

dll="${TESTCAM_DLL:-$repo_root/dist/testcam/testcam.dll}"
stamp="$WINEPREFIX/.testcam-registered"
if [ -f "$dll" ] && { [ ! -f "$stamp" ] || [ "$dll" -nt "$stamp" ]; }; then
  if wine regsvr32 /s "$(winepath -w "$dll")" >/dev/null 2>&1; then
    touch "$stamp"
  else
    echo "wine-prefix: registering the test camera failed" >&2
  fi
fi
