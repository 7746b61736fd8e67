#!/usr/bin/env bash
# Runs a Windows test program under Wine (the win32-tests preset's
# CMAKE_CROSSCOMPILING_EMULATOR):
#
#   wine-run.sh --prefix DIR [--windows-version NAME] PROGRAM.exe [ARGUMENTS...]
#
# NAME is the Windows version Wine reports (winxp, win98, ...); without it,
# Wine's default.
# For the length of the run, drive A: is a scratch folder and a diskette
# image path that the program owns (DORVANE_WINE_DRIVE_A names the folder
# that holds both, as a Linux path), and a read-only diskette image lies
# beside them. Without a display the run gets its own Xvfb server. Wine runs
# in a 1024x768 virtual desktop and is stopped at the end; the program's exit
# status is the script's.
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine.sh"

prefix="" version=""
if [ "${1:-}" = "--prefix" ]; then prefix=$2; shift 2; fi
if [ "${1:-}" = "--windows-version" ]; then version=$2; shift 2; fi
[ -n "$prefix" ] && [ $# -ge 1 ] || {
  echo "usage: wine-run.sh --prefix DIR [--windows-version NAME] PROGRAM.exe [ARGUMENTS...]" >&2; exit 2; }
prefix=$(mkdir -p "$prefix" && cd "$prefix" && pwd)

if [ -z "${DISPLAY:-}" ]; then
  command -v xvfb-run >/dev/null \
    || { echo "wine-run.sh: no display and no xvfb-run (Debian package xvfb)" >&2; exit 2; }
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --prefix "$prefix" ${version:+--windows-version "$version"} "$@"
fi

wine_prepare_prefix "$prefix" 1024x768 || exit 1
wine_set_version "$prefix" "$version" || exit 1

scratch=$(mktemp -d "${TMPDIR:-/tmp}/dorvane-wine.XXXXXX")
cleanup() {
  wine_stop "$prefix"
  wine_unmap_drive_a "$prefix"
  chattr -i "$scratch/readonly/A.img" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

# The writable drive: the program creates drive/A.img as it needs it.
mkdir -p "$scratch/A" "$scratch/drive" "$scratch/readonly"
# A diskette the raw writes cannot change, even for root (immutable), for the
# write-error path.
truncate -s 1474560 "$scratch/readonly/A.img"
chmod 444 "$scratch/readonly/A.img"
[ "$(id -u)" -eq 0 ] && chattr +i "$scratch/readonly/A.img" 2>/dev/null
# Where even that does not hold (root without the immutable attribute), the
# run has no read-only image and its tests say so.
if ( : >>"$scratch/readonly/A.img" ) 2>/dev/null; then rm -rf "$scratch/readonly"; fi
wine_map_drive_a "$prefix" "$scratch/A" "$scratch/drive/A.img"
export DORVANE_WINE_DRIVE_A="$scratch"

timeout "${DORVANE_WINE_TIMEOUT:-900}" "$(wine_loader)" "$@"
