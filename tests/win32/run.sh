#!/usr/bin/env bash
# The Windows round of the tests: builds the win32 (the i686 release),
# win32-tests (the Windows-side tests, i686 too) and win64 presets, runs the
# test program under Wine's 32-bit loader (cmake/wine-run.sh: its own Xvfb
# display, its own prefix, drive A: mapped for the run, Wine stopped at the
# end), with the release as the program its end-to-end tests start, and keeps
# the screenshots it takes as docs/screenshots/win-*.png; then drives the
# release from the keyboard under openbox (keyboard-run.sh). Fails when
# either fails; one GoogleTest-style summary of both ends the output.
# Installs nothing (the packages are listed in the README).
set -u
cd "$(dirname "$0")/../.."

for preset in win32 win32-tests win64; do
  if ! { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" >/dev/null; }; then
    echo "tests/win32/run.sh: the $preset build failed"
    cmake --build --preset "$preset" 2>&1 | tail -n 30
    exit 1
  fi
done

# The Windows 9x run's sample image and the tests' own judge of a diskette.
if ! { cmake --preset native >/dev/null && cmake --build --preset native --target dsck-sample diskette-check >/dev/null; }; then
  echo "tests/win32/run.sh: the native tools failed to build"
  exit 1
fi

shots=$(mktemp -d "${TMPDIR:-/tmp}/dorvane-shots.XXXXXX")
trap 'rm -rf "$shots"' EXIT

# The program's own output is GoogleTest's, passed on as it comes (a run
# stopped from outside still shows how far it got); the screenshots are
# converted quietly afterwards so that its summary stays last.
output=$(mktemp "${TMPDIR:-/tmp}/dorvane-win32.XXXXXX")
release=$PWD/build/win32/programs/windows/DorvaneShell.exe
tests=build/win32-tests/tests/win32/win32_tests.exe
prefix=$PWD/build/win32-tests/wineprefix
DORVANE_SHELL_EXE=$release DORVANE_SCREENSHOTS=$shots cmake/wine-run.sh --prefix "$prefix" \
  "$tests" --gtest_brief=1 "$@" 2>&1 \
  | grep --line-buffered -v '^X connection to .* broken' | tee "$output"
status=${PIPESTATUS[0]}

# Drive A:'s size as the raw-volume path asks it, once more with Wine in
# Windows XP mode, the NT-family system this path was made for.
xp=$(mktemp "${TMPDIR:-/tmp}/dorvane-winxp.XXXXXX")
DORVANE_EXPECT_WINDOWS_VERSION=5.1 cmake/wine-run.sh --prefix "$prefix" --windows-version winxp \
  "$tests" --gtest_brief=1 --gtest_filter='DriveATest.*' 2>&1 \
  | grep --line-buffered -v '^X connection to .* broken' | sed 's/^\[  \(PASSED\|FAILED\)  \] \([0-9]*\) test/[ XP \1 ] \2 test/' \
  | tee "$xp"
xp_status=${PIPESTATUS[0]}

if command -v convert >/dev/null; then
  mkdir -p docs/screenshots
  for picture in "$shots"/win-*.bmp; do
    [ -e "$picture" ] || continue
    name=$(basename "$picture" .bmp)
    # Without time stamps, so that an unchanged picture is an unchanged file.
    convert "$picture" -strip -define png:exclude-chunk=date,time "docs/screenshots/$name.png" 2>/dev/null
  done
fi

# The program itself, driven from the keyboard under a real window manager.
keyboard=$(mktemp "${TMPDIR:-/tmp}/dorvane-keys.XXXXXX")
DORVANE_SCREENSHOTS=$shots tests/win32/keyboard-run.sh "$release" >"$keyboard" 2>&1
keyboard_status=$?

# The release in Wine's Windows 98 and 95 modes, against Wine's vwin32 and DOSBox.
win9x=$(mktemp "${TMPDIR:-/tmp}/dorvane-9x.XXXXXX")
tests/win32/win9x-run.sh "$release" build/native/tools/dsck-sample build/native/tests/support/diskette-check \
  >"$win9x" 2>&1
win9x_status=$?

grep '^\[\|^   ' "$keyboard" "$win9x" | sed 's/^[^:]*://'
# One summary for both, GoogleTest's way, so that it stays last.
count() { sed -n "s/$1/\1/p" "$2" | tail -n1; }
passed=$(( $(count '^\[  PASSED  \] \([0-9]*\) test.*' "$output" || true) + 0 ))
failed=$(( $(count '^\[  FAILED  \] \([0-9]*\) test.*' "$output" || true) + 0 ))
passed=$((passed + $(count '^\[ XP PASSED \] \([0-9]*\) test.*' "$xp" || true) + 0))
failed=$((failed + $(count '^\[ XP FAILED \] \([0-9]*\) test.*' "$xp" || true) + 0))
for run in "$keyboard:KeyboardRun:$keyboard_status" "$win9x:Win9xRun:$win9x_status"; do
  IFS=: read -r log name run_status <<<"$run"
  passed=$((passed + $(grep -c "^\[       OK \] $name" "$log")))
  failed=$((failed + $(grep -c "^\[  FAILED  \] $name" "$log")))
  [ "$run_status" -ne 0 ] && [ "$(grep -c "^\[  FAILED  \] $name" "$log")" -eq 0 ] && failed=$((failed + 1))
done
rm -f "$output" "$keyboard" "$xp" "$win9x"
echo "[  PASSED  ] $passed tests."
[ "$failed" -gt 0 ] && echo "[  FAILED  ] $failed tests, listed above."
[ $status -eq 0 ] && [ $xp_status -eq 0 ] && [ $keyboard_status -eq 0 ] && [ $win9x_status -eq 0 ]
