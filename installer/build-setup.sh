#!/usr/bin/env bash
# Builds the setup program from the staged programs: build-setup.sh DIST OUT_DIR [i686|x64]
# setup.exe for the i686 programs, setup-x64.exe (a 64-bit installer) for the x64 ones.
# Lists the files to install (and to remove again) from what is staged, then runs makensis.
set -euo pipefail
dist="$1"
out="$2"
arch="${3:-i686}"
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$out"
install="$out/install.nsh"
uninstall="$out/uninstall.nsh"
: >"$install"
: >"$uninstall"

# Only what ships: programs' own files, not what a run left in the staging folder.
ships() {
  case "$1" in
    */brenik.inf | */Config.xml | *.avi | *.jpg | */TimerCap.bmp) return 1 ;;
  esac
  return 0
}

folders=()
for program in Orvello PelCamera; do
  [ -f "$dist/$program/$program.exe" ] || { echo "missing $dist/$program/$program.exe" >&2; exit 1; }
  while IFS= read -r -d '' file; do
    rel="${file#"$dist"/}"
    ships "$rel" || continue
    winrel="${rel//\//\\}"
    windir="$(dirname "$rel")"
    echo "SetOutPath \"\$INSTDIR\\${windir//\//\\}\"" >>"$install"
    echo "File \"$file\"" >>"$install"
    echo "Delete \"\$INSTDIR\\$winrel\"" >>"$uninstall"
  done < <(find "$dist/$program" -type f -print0 | sort -z)
  while IFS= read -r dir; do folders+=("${dir#"$dist"/}"); done < <(find "$dist/$program" -type d | sort -r)
done
# Folders deepest first, each only when empty.
for dir in "${folders[@]}"; do echo "RMDir \"\$INSTDIR\\${dir//\//\\}\"" >>"$uninstall"; done

if [ "$arch" = x64 ]; then
  makensis -V2 -DX64 -DDIST="$dist" -DFILES="$out" -DOUTFILE="$out/setup-x64.exe" "$here/Setup.nsi"
else
  makensis -V2 -DDIST="$dist" -DFILES="$out" -DOUTFILE="$out/setup.exe" "$here/Setup.nsi"
fi
