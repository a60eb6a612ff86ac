#!/usr/bin/env bash
# Installs the libraries the host benchmarks compare the kernels with (run as root): OpenCV,
# FFmpeg's swscale and libjpeg-turbo from Debian. Only `make bench` runs this; the programs and
# `make test` never use these libraries.
set -euo pipefail

need_pkgs=(libopencv-dev libswscale-dev libjpeg62-turbo-dev pkg-config)
missing=()
for p in "${need_pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "bench-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -q --no-install-recommends "${missing[@]}" ||
  { apt-get update -q && apt-get install -y -q --no-install-recommends "${missing[@]}"; }
