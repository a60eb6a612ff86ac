# Sourced by the other scripts: the Wine of the chosen Windows build, its project-local prefix and
# quiet Wine. WIN_ARCH (i686 or x64) picks the build; unset, scripts/win-arch.sh chooses it.
repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ -z "${WIN_ARCH:-}" ]; then
  WIN_ARCH="$(bash "$repo_root/scripts/win-arch.sh" --name)"
fi
case "$WIN_ARCH" in
  x64 | x86_64 | amd64 | win64) WIN_ARCH=x64 ;;
  *) WIN_ARCH=i686 ;;
esac
export WIN_ARCH
# Debian's `wine` wrapper takes wine32 whenever it is installed, so each build names its own loader.
if [ "$WIN_ARCH" = x64 ]; then
  export WINEPREFIX="$repo_root/.wine64" WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  export WINESERVER=/usr/lib/wine/wineserver64
  win_dist="$repo_root/dist/x64"
  win_build="$repo_root/build/win64"
else
  export WINEPREFIX="$repo_root/.wine" WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
  export WINESERVER=/usr/lib/wine/wineserver32
  [ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver64
  win_dist="$repo_root/dist"
  win_build="$repo_root/build/win"
fi
WINE="$WINELOADER"
export WINEDEBUG="${WINEDEBUG:--all}"
# Never offer Mono or Gecko: that dialog would hang a headless run.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# Wine's sound driver looks for a sound card in every program it starts. Where there is none (CI,
# Xvfb), ALSA writes a score of complaint lines to stderr each time, which buried the demo's and the
# bench's own lines. without_alsa_noise CMD [ARGS...] runs CMD with those lines left out of its
# stderr; everything else passes, and the exit code is CMD's.
without_alsa_noise() {
  { "$@" 2>&1 1>&3 3>&- | { grep --line-buffered -v '^ALSA lib ' || true; } >&2; } 3>&1
  return "${PIPESTATUS[0]}"
}
