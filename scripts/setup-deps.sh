#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine (run as root).
# A second run only checks: every step is skipped when its result is already there.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
deps="$here/.deps"
mkdir -p "$deps"

need_pkgs=(g++-mingw-w64-i686 gcc-mingw-w64-i686 mingw-w64-i686-dev
           g++-mingw-w64-x86-64 gcc-mingw-w64-x86-64 mingw-w64-x86-64-dev wine wine64 xvfb xauth
           x11-apps imagemagick nasm cmake ninja-build make googletest libgtest-dev libbenchmark-dev
           clang libclang-rt-14-dev libjpeg62-turbo-dev libpugixml-dev dpkg-dev nsis fonts-wqy-microhei fonts-dejavu-core python3 x11-utils)
# wine32 only where this machine runs 32-bit x86 code: elsewhere it cannot start, and Debian's
# `wine` wrapper would pick it all the same.
runs32=no
if bash "$here/scripts/runs-32bit.sh"; then
  runs32=yes
  need_pkgs+=(wine32:i386)
fi

# Source entries so that libjpeg-turbo and pugixml can be taken from Debian's own source packages.
added_sources=no
if ! grep -rqs '^Types: deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  cat > /etc/apt/sources.list.d/project-src.sources <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  added_sources=yes
fi

missing=()
for p in "${need_pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ] || [ $added_sources = yes ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if [ $runs32 = yes ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -q
  [ ${#missing[@]} -eq 0 ] || apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# libjpeg-turbo from Debian's source package, for each Windows target with its SIMD (nasm):
# .deps/jpeg for i686-w64-mingw32, .deps/jpeg-x64 for x86_64-w64-mingw32.
build_jpeg() {
  local toolchain="$1" processor="$2" prefix="$3"
  [ -f "$prefix/lib/libjpeg.a" ] && return 0
  echo "setup: building libjpeg-turbo with $toolchain"
  if ! grep -rqs '^Types: deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    echo "setup: no deb-src entry" >&2; exit 1
  fi
  local src="$deps/src"
  rm -rf "$src"; mkdir -p "$src"
  if ! (cd "$src" && apt-get source -q --download-only libjpeg-turbo >/dev/null 2>&1); then
    apt-get update -q
    (cd "$src" && apt-get source -q --download-only libjpeg-turbo)
  fi
  (cd "$src" && dpkg-source -x --skip-patches ./*.dsc jpeg >/dev/null)
  cmake -S "$src/jpeg" -B "$src/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF \
    -DCMAKE_SYSTEM_PROCESSOR="$processor" -DREQUIRE_SIMD=ON >/dev/null
  cmake --build "$src/build" >/dev/null
  cmake --install "$src/build" >/dev/null
  rm -rf "$src"
}
build_jpeg mingw-i686.cmake x86 "$deps/jpeg"
build_jpeg mingw-x86_64.cmake AMD64 "$deps/jpeg-x64"

# pugixml (XML library of PelCamera's settings document), from Debian's source package, into
# .deps/pugixml: its three source files are built by the project for whichever target it builds.
if [ ! -f "$deps/pugixml/pugixml.cpp" ]; then
  echo "setup: fetching pugixml sources"
  src="$deps/src-pugixml"
  rm -rf "$src"; mkdir -p "$src"
  if ! (cd "$src" && apt-get source -q --download-only pugixml >/dev/null 2>&1); then
    apt-get update -q
    (cd "$src" && apt-get source -q --download-only pugixml)
  fi
  (cd "$src" && dpkg-source -x --skip-patches ./*.dsc pugi >/dev/null)
  mkdir -p "$deps/pugixml"
  cp "$src/pugi/src/pugixml.cpp" "$src/pugi/src/pugixml.hpp" "$src/pugi/src/pugiconfig.hpp" \
     "$src/pugi/LICENSE.md" "$deps/pugixml/"
  rm -rf "$src"
fi
echo "setup: dependencies ready"
