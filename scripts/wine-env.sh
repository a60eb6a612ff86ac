# Sourced by the other scripts: the project-local Wine prefix and quiet Wine.
repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$repo_root/.wine}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
# Never offer Mono or Gecko: that dialog would hang a headless run.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
