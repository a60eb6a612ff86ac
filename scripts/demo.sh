#!/usr/bin/env bash
# `make demo`: both programs on the test camera.
#  - With a display of your own: opens Orvello and PelCamera side by side and waits until both are closed.
#  - Headless (scripts/with-display.sh started Xvfb): drives both programs through their journeys
#    and leaves PNG screenshots of every window and dialog plus the files the programs wrote in
#    out/demo/ (files/<journey>/ holds each journey's program folder with its photos, recordings,
#    counter and settings files).
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
build="${DEMO_BUILD_DIR:-$win_build}"
dist="$(sed -n 's/^PROJECT_DIST_DIR:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null)"
dist="${dist:-$win_dist}"
out="${DEMO_OUT:-$root/out/demo}"

if [ -z "${PROJECT_XVFB:-}" ]; then
  echo "Opening Orvello and PelCamera on your display; close both windows to end the demo."
  (cd "$dist/Orvello" && without_alsa_noise "$WINE" Orvello.exe) &
  orvello=$!
  (cd "$dist/PelCamera" && without_alsa_noise "$WINE" PelCamera.exe) &
  pelcamera=$!
  wait "$orvello" "$pelcamera"
  exit 0
fi

rm -rf "$out"
mkdir -p "$out"
status=0
for journey in e2e_orvello_test e2e_pelcamera_test; do
  exe="$(find "$build/tests/e2e" -name "$journey.exe" | head -n 1)"
  if [ -z "$exe" ]; then
    echo "demo: $journey.exe is not built" >&2
    status=1
    continue
  fi
  echo "demo: $journey ($WIN_ARCH build)"
  E2E_OUT="$out" without_alsa_noise "$WINE" "$exe" --gtest_brief=1 </dev/null || status=1
done

# Keep only what the programs wrote: drop the copies of the programs and their shipped folders.
for folder in "$out"/files/*/; do
  rm -rf "$folder"*.exe "$folder"Alarm "$folder"Effects "$folder"Language
done

# Screen grabs come out as BMP: keep them as PNG.
shopt -s nullglob
for bmp in "$out"/*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "demo: screenshots in $out, files the programs wrote in $out/files"
ls "$out"
exit "$status"
