#!/usr/bin/env bash
# Builds the shell and starts it in demo/, beside a sample regeneration image
# (demo/Dsck.tr) and a blank formatted diskette image that stands in for
# drive A: (demo/A.img). Both are made once and kept between runs.
#   ./run.sh              the Linux program (Qt)
#   ./run.sh --windows    the Windows program (the i686 release) under Wine
#   ./run.sh --windows98  the same with Wine in Windows 98 mode, where Start
#                         Regeneration is offered
# Without a display, run it as: xvfb-run ./run.sh
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

prepare_demo() {
  local sample=build/native/tools/dsck-sample
  mkdir -p demo
  [ -e demo/Dsck.tr ] || "$sample" --out demo/Dsck.tr
  [ -e demo/A.img ] || "$sample" --blank-diskette demo/A.img
}

run_native() {
  ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"
  build_native
  prepare_demo
  cd demo
  exec ../build/native/programs/linux/dorvane-shell
}

case "${1:-}" in
  "") run_native ;;
  --windows) exec scripts/run-windows.sh ;;
  --windows98) exec scripts/run-windows.sh win98 ;;
  *) echo "usage: ./run.sh [--windows | --windows98]" >&2; exit 2 ;;
esac
