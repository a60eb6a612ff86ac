#!/usr/bin/env bash
# Creates the project's Wine prefix of the chosen build on first use and registers that build's
# test camera in it.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "wine-prefix: creating $WINEPREFIX for the $WIN_ARCH build (takes about 15 s)"
  "$WINE" wineboot -i >/dev/null 2>&1 || true
  "$WINESERVER" -w
  # A CJK font so that the Chinese menu and language texts render.
  font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
  if [ -f "$font" ]; then
    ln -sf "$font" "$WINEPREFIX/drive_c/windows/Fonts/wqy-microhei.ttc"
  fi
fi

dll="${TESTCAM_DLL:-$win_dist/testcam/testcam.dll}"
stamp="$WINEPREFIX/.testcam-registered"
if [ -f "$dll" ] && { [ ! -f "$stamp" ] || [ "$dll" -nt "$stamp" ]; }; then
  if "$WINE" regsvr32 /s "$("$WINE" winepath -w "$dll")" >/dev/null 2>&1; then
    touch "$stamp"
  else
    echo "wine-prefix: registering the test camera ($dll) failed" >&2
  fi
fi
