#!/usr/bin/env bash
# Saves the whole X screen ($DISPLAY) as a PNG: screenshot.sh OUT.png
set -euo pipefail
out="$1"
mkdir -p "$(dirname "$out")"
xwd -root -silent -display "$DISPLAY" | convert xwd:- -trim +repage "png:$out"
