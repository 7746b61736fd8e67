#!/usr/bin/env bash
# ./run.sh --windows: the Windows program under Wine. Builds the win32
# preset (the i686 release, the program that ships), makes demo/ as ./run.sh
# does (a sample Dsck.tr and a blank formatted A.img, kept between runs), and
# starts DorvaneShell.exe in demo/, in a Wine prefix of its own
# (build/win32/wineprefix, Wine's 32-bit loader).
#
#   scripts/run-windows.sh [VERSION]
#
# VERSION is the Windows version Wine reports (win98 for ./run.sh
# --windows98, where Start Regeneration is offered); Wine's default without.
#
# Wine maps a drive letter to a folder: drive A:'s raw device ("\\.\a:") is
# demo/A.img and its folder ("a:NAME") is demo/A/, so Create Diskette writes
# the raw area into demo/A.img and the two files into demo/A/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
source cmake/wine.sh

if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh --windows: no display. Run it from a desktop session, or in a virtual one:" >&2
  echo "  xvfb-run ./run.sh --windows" >&2
  exit 1
fi

ensure_packages "${BUILD_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"
cmake --preset native >/dev/null && cmake --build --preset native --target dsck-sample
cmake --preset win32 >/dev/null && cmake --build --preset win32 --target DorvaneShell

sample=build/native/tools/dsck-sample
mkdir -p demo/A
[ -e demo/Dsck.tr ] || "$sample" --out demo/Dsck.tr
[ -e demo/A.img ] || "$sample" --blank-diskette demo/A.img

wine_prepare_prefix build/win32/wineprefix
wine_set_version "$WINEPREFIX" "${1:-}"
wine_map_drive_a "$WINEPREFIX" "$PWD/demo/A" "$PWD/demo/A.img"
program=$PWD/build/win32/programs/windows/DorvaneShell.exe
cd demo
exec "$(wine_loader)" "$program"
