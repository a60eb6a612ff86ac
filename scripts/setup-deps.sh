#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine (run as root).
# A second run only checks: every step is skipped when its result is already there.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
deps="$here/.deps"
mkdir -p "$deps"

need_pkgs=(g++-mingw-w64-i686 gcc-mingw-w64-i686 mingw-w64-i686-dev wine wine32:i386 xvfb xauth
           x11-apps imagemagick nasm cmake ninja-build make googletest libgtest-dev libbenchmark-dev
           clang libclang-rt-14-dev libjpeg62-turbo-dev libpugixml-dev dpkg-dev nsis fonts-wqy-microhei python3 x11-utils)

missing=()
for p in "${need_pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  # Source entries so that libjpeg-turbo can be built from Debian's own source package.
  if ! grep -rqs '^Types: deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    cat > /etc/apt/sources.list.d/project-src.sources <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  fi
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# libjpeg-turbo for i686-w64-mingw32, from Debian's source package, into .deps/jpeg.
if [ ! -f "$deps/jpeg/lib/libjpeg.a" ]; then
  echo "setup: building libjpeg-turbo for i686-w64-mingw32"
  if ! grep -rqs '^Types: deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    echo "setup: no deb-src entry" >&2; exit 1
  fi
  src="$deps/src"
  rm -rf "$src"; mkdir -p "$src"
  if ! (cd "$src" && apt-get source -q --download-only libjpeg-turbo >/dev/null 2>&1); then
    apt-get update -q
    (cd "$src" && apt-get source -q --download-only libjpeg-turbo)
  fi
  (cd "$src" && dpkg-source -x --skip-patches ./*.dsc jpeg >/dev/null)
  cmake -S "$src/jpeg" -B "$src/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps/jpeg" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF \
    -DCMAKE_SYSTEM_PROCESSOR=x86 -DREQUIRE_SIMD=OFF >/dev/null
  cmake --build "$src/build" >/dev/null
  cmake --install "$src/build" >/dev/null
  rm -rf "$src"
fi
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
