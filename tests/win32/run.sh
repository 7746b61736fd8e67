#!/usr/bin/env bash
# The Windows round of the tests: builds the win32 and win64 presets, runs
# the win64 test program under Wine (cmake/wine-run.sh: its own Xvfb display,
# its own prefix, drive A: mapped for the run, Wine stopped at the end), and
# keeps the screenshots it takes as docs/screenshots/win-*.png. Exits with
# the test program's status; GoogleTest's summary lines end the output.
# Installs nothing (the packages are listed in the README).
set -u
cd "$(dirname "$0")/../.."

for preset in win32 win64; do
  if ! { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" >/dev/null; }; then
    echo "tests/win32/run.sh: the $preset build failed"
    cmake --build --preset "$preset" 2>&1 | tail -n 30
    exit 1
  fi
done

shots=$(mktemp -d "${TMPDIR:-/tmp}/dorvane-shots.XXXXXX")
trap 'rm -rf "$shots"' EXIT

# The program's own output is GoogleTest's, passed on as it comes (a run
# stopped from outside still shows how far it got); the screenshots are
# converted quietly afterwards so that its summary stays last.
DORVANE_SCREENSHOTS=$shots cmake/wine-run.sh --prefix "$PWD/build/win64/wineprefix" \
  build/win64/tests/win32/win32_tests.exe --gtest_brief=1 "$@" 2>&1 \
  | grep --line-buffered -v '^X connection to .* broken'
status=${PIPESTATUS[0]}

if command -v convert >/dev/null; then
  mkdir -p docs/screenshots
  for picture in "$shots"/win-*.bmp; do
    [ -e "$picture" ] || continue
    name=$(basename "$picture" .bmp)
    # Without time stamps, so that an unchanged picture is an unchanged file.
    convert "$picture" -strip -define png:exclude-chunk=date,time "docs/screenshots/$name.png" 2>/dev/null
  done
fi

exit $status
