#!/usr/bin/env bash
# Which Windows build runs here, and why. The Makefile and the Wine scripts ask this once.
#   scripts/win-arch.sh --name    prints i686 or x64
#   scripts/win-arch.sh --why     prints the reason for that choice
#   scripts/win-arch.sh --check   exits 1 with a message when the chosen build cannot run here
# WIN_ARCH=i686 or WIN_ARCH=x64 in the environment forces a build; without it the i686 build (the
# programs as shipped) is chosen where this machine runs 32-bit x86 code, else the x64 build.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
runs32=no
bash "$here/runs-32bit.sh" && runs32=yes

case "${WIN_ARCH:-}" in
  i686 | x86 | win32) name=i686 why="WIN_ARCH=${WIN_ARCH} asks for it" ;;
  x64 | x86_64 | amd64 | win64) name=x64 why="WIN_ARCH=${WIN_ARCH} asks for it" ;;
  "")
    if [ $runs32 = yes ]; then
      name=i686 why="this machine runs 32-bit x86 code"
    else
      name=x64 why="this machine runs no 32-bit x86 code"
    fi
    ;;
  *) echo "win-arch: WIN_ARCH=${WIN_ARCH} is neither i686 nor x64" >&2; exit 2 ;;
esac

case "${1:---name}" in
  --name) echo "$name" ;;
  --why) echo "$why" ;;
  --check)
    if [ $name = i686 ]; then
      [ $runs32 = yes ] || { echo "win-arch: the i686 build cannot run here: this machine runs no 32-bit x86 code" >&2; exit 1; }
      [ -x /usr/lib/wine/wine ] || { echo "win-arch: the i686 build cannot run here: wine32 (/usr/lib/wine/wine) is not installed" >&2; exit 1; }
    else
      [ -x /usr/lib/wine/wine64 ] || { echo "win-arch: the x64 build cannot run here: wine64 (/usr/lib/wine/wine64) is not installed" >&2; exit 1; }
    fi
    ;;
  *) echo "usage: $0 [--name|--why|--check]" >&2; exit 2 ;;
esac
