#!/usr/bin/env bash
# Screenshot of Orvello's main window with its live preview on the test camera:
#   bash scripts/orvello-screenshot.sh            (or: make screenshot)
# Starts the staged Orvello.exe under Wine (a private Xvfb when DISPLAY is unset), waits for the
# splash screen to close, saves out/screenshots/orvello.png and, a second later,
# out/screenshots/orvello-2.png (whole screen), out/screenshots/orvello-window.png (the main window and
# the preview only), reports whether the picture moved between the two, and closes it.
# ORVELLO_BUILD_DIR picks the build (default: the chosen one, see scripts/win-arch.sh), ORVELLO_WAIT the seconds to wait (12).
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
build="${ORVELLO_BUILD_DIR:-$win_build}"
dist="$(sed -n 's/^PROJECT_DIST_DIR:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null)"
dist="${dist:-$win_dist}"
out="${ORVELLO_SHOT_DIR:-$root/out/screenshots}"

if [ -z "${DISPLAY:-}" ]; then
  # The test camera is registered in the prefix by with-display.sh.
  export TESTCAM_DLL="${TESTCAM_DLL:-$dist/testcam/testcam.dll}"
  exec bash "$root/scripts/with-display.sh" bash "$0" "$@"
fi

exe="$dist/Orvello/Orvello.exe"
if [ ! -f "$exe" ]; then
  echo "orvello-screenshot: $exe is not built (cmake --build $build --target Orvello testcam)" >&2
  exit 1
fi
mkdir -p "$out"
rm -f "$out/orvello.png" "$out/orvello-2.png" "$out/orvello-window.png"

(cd "$dist/Orvello" && exec "$WINE" Orvello.exe) </dev/null >/dev/null 2>&1 &
pid=$!
# The splash screen closes 6.18 s after the camera opened; then the window and the preview are up.
sleep "${ORVELLO_WAIT:-12}"
status=0
if ! kill -0 "$pid" 2>/dev/null; then
  echo "orvello-screenshot: Orvello ended before the screenshot (no camera?)" >&2
  status=1
else
  bash "$root/scripts/screenshot.sh" "$out/orvello.png"
  sleep 1
  bash "$root/scripts/screenshot.sh" "$out/orvello-2.png"
  # The two windows alone ("Halmere" and the preview "Halmere Webcam"), cut from the screen.
  box="$(xwininfo -root -tree -display "$DISPLAY" 2>/dev/null |
    awk '/"Halmere( Webcam)?":/ { n = split($0, f, " "); size = f[n - 1]; at = f[n];
           split(size, wh, /[x+]/); split(at, xy, /\+/); x = xy[2]; y = xy[3];
           if (!seen || x < x0) x0 = x; if (!seen || y < y0) y0 = y;
           if (!seen || x + wh[1] > x1) x1 = x + wh[1]; if (!seen || y + wh[2] > y1) y1 = y + wh[2]; seen = 1 }
         END { if (seen) printf "%dx%d+%d+%d", x1 - x0, y1 - y0, x0, y0 }')"
  if [ -n "$box" ]; then
    xwd -root -silent -display "$DISPLAY" | convert xwd:- -crop "$box" +repage "png:$out/orvello-window.png"
  fi
  changed="$(compare -metric AE "$out/orvello.png" "$out/orvello-2.png" null: 2>&1 || true)"
  echo "orvello-screenshot: $out/orvello.png ($changed pixels differ a second later)"
fi

# Close it like the user: Escape is ignored by the window, so ask it to end; then make sure.
"$WINE" taskkill /IM Orvello.exe >/dev/null 2>&1 || true
for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$pid" 2>/dev/null; then
  "$WINE" taskkill /F /IM Orvello.exe >/dev/null 2>&1 || true
  kill "$pid" 2>/dev/null || true
fi
wait "$pid" 2>/dev/null
exit "$status"
