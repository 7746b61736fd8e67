#!/usr/bin/env bash
# The i686 release in Wine's Windows 98 and Windows 95 modes, driven from the
# keyboard under openbox, against Wine's own Windows 9x services (vwin32's
# DOS IOCTL lock and INT 26h, the PIF handed to DOSBox), which nobody here
# wrote. For each mode:
#   - Start Regeneration writes zelkor.exe and zelkor.pif and the console
#     program runs from the PIF (it leaves ZELKOR.RAN, its notice); started
#     again over a zelkor.exe of other content, that one is kept byte for
#     byte and is the one that runs;
#   - About and Create Diskette, opened over the launch layout (which stays
#     on top), come up above it in the window manager's stacking order;
#   - Create Diskette: Wine traces the lock (0x084A), the medium's parameters
#     (0x0860), the fifteen INT 26h writes at their sectors and counts and
#     the release (0x086A), in that order; the raw area and the two files in
#     drive A:'s folder are what the tests' map says (diskette-check).
#
#   win9x-run.sh RELEASE.exe DSCK-SAMPLE DISKETTE-CHECK
#
# Prints one GoogleTest-style line per check and "win9x run: N passed,
# N failed" last; exits non-zero when a check failed.
set -u
cd "$(dirname "$0")/../.."
exe=$(realpath "$1") sample=$(realpath "$2") checker=$(realpath "$3")

if [ -z "${DORVANE_WIN9X_RUN_DISPLAY:-}" ]; then
  DORVANE_WIN9X_RUN_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

source cmake/wine.sh
prefix=build/win32/wineprefix-9x
passed=0
failed=0
check() {  # name command...
  local name=$1; shift
  if "$@"; then
    echo "[       OK ] Win9xRun.$name"; passed=$((passed + 1))
  else
    echo "[  FAILED  ] Win9xRun.$name"; failed=$((failed + 1))
  fi
}
finish() {
  echo "win9x run: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}
waitFor() {  # seconds command...
  local deadline=$(($(date +%s) + $1)); shift
  until "$@"; do
    [ "$(date +%s)" -ge "$deadline" ] && return 1
    sleep 0.2
  done
}
windowOf() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
isActive() { [ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = "$1" ]; }
keys() { xdotool key --delay 200 "$@"; }
sizeIs() { [ -f "$1" ] && [ "$(stat -c %s "$1")" -eq "$2" ]; }
# The form named $1 stands above the main window in openbox's stacking
# order (bottom to top).
above() {
  local form main list
  form=$(printf '0x%x' "$(windowOf "$1")") main=$(printf '0x%x' "$(windowOf "Dorvane Shell")")
  list=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
  echo "$list" | tr ' ' '\n' | awk -v f="$form" -v m="$main" '$1 == m { seen = 1 } $1 == f && seen { ok = 1 } END { exit !ok }'
}
ranNotice() { [ -f "$work/ZELKOR.RAN" ] && grep -q "$1" "$work/ZELKOR.RAN"; }
# The vwin32 calls in the order Wine traced them: the lock, the medium's
# parameters, the fifteen writes (sector and count) and the release.
tracedInOrder() {
  local expected="084a 0860 0:1 1:1 2:1 3:7 10:9 19:1 20:113 133:113 246:90 336:90 426:90 516:90 606:90 696:90 786:2 086a"
  local traced
  traced=$(sed -n -e 's/.*GENERIC IOCTL - Lock logical volume.*/084a/p' \
      -e 's/.*DOSVM_Int21Handler AX=440d BX=0001 CX=0860.*/0860/p' \
      -e 's/.*abs diskwrite, drive 0, sector \([0-9]*\), count \([0-9]*\),.*/\1:\2/p' \
      -e 's/.*Logical volume unlocked.*/086a/p' "$work/trace.log" | tr '\n' ' ')
  [ "$(echo $traced)" = "$expected" ] || { echo "   traced: $traced"; return 1; }
}

openbox --sm-disable >/dev/null 2>&1 &
wm=$!
waitFor 15 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' \
  || { echo "[  FAILED  ] Win9xRun.WindowManager (openbox did not start)"; failed=1; finish; }
wine_prepare_prefix "$prefix" || { echo "[  FAILED  ] Win9xRun.WinePrefix"; failed=1; finish; }
work=""
cleanup() {
  wine_stop "$WINEPREFIX"
  wine_unmap_drive_a "$WINEPREFIX"
  kill "$wm" 2>/dev/null
  [ -n "$work" ] && rm -rf "$work"
}
trap cleanup EXIT

for version in win98 win95; do
  mode=${version^}
  work=$(mktemp -d "${TMPDIR:-/tmp}/dorvane-9x.XXXXXX")
  mkdir "$work/A"
  "$sample" --out "$work/Dsck.tr" >/dev/null && "$sample" --blank-diskette "$work/A.img" >/dev/null
  wine_set_version "$WINEPREFIX" "$version"
  wine_map_drive_a "$WINEPREFIX" "$work/A" "$work/A.img"
  (cd "$work" && WINEDEBUG=-all,+vxd,+int21,+int exec timeout 300 "$(wine_loader)" "$exe") >"$work/trace.log" 2>&1 &
  check "$mode.MainWindowIsActive" waitFor 60 isActive "Dorvane Shell"

  # Regeneration > Start Regeneration, its first item here.
  keys alt Return Return
  check "$mode.StartRegenerationWritesTheProgramAndItsPif" \
    waitFor 30 eval 'sizeIs "$work/zelkor.exe" 96256 && sizeIs "$work/zelkor.pif" 1024'
  check "$mode.TheConsoleProgramRunsFromThePif" waitFor 60 ranNotice "Dorvane sample"
  # DOSBox has the keyboard while it is open.
  waitFor 30 eval '[ -z "$(windowOf "DOSBox.*")" ]'

  check "$mode.AboutComesUpAboveTheLaunchLayout" eval 'keys alt Right Right Return; waitFor 15 isActive About && above About'
  keys Return
  waitFor 15 isActive "Dorvane Shell"

  # Again, over a zelkor.exe of other content: kept, and the one that runs.
  python3 -c "import sys; p = sys.argv[1]; b = open(p, 'rb').read(); open(p, 'wb').write(b.replace(b'Dorvane sample', b'Dorvane kept!!'))" "$work/zelkor.exe"
  kept=$(sha256sum <"$work/zelkor.exe")
  rm -f "$work/ZELKOR.RAN" "$work/zelkor.pif"
  keys alt Return Return
  check "$mode.AnExistingZelkorExeIsKeptAndRuns" \
    eval 'waitFor 60 ranNotice "Dorvane kept!!" && [ "$(sha256sum <"$work/zelkor.exe")" = "$kept" ] && sizeIs "$work/zelkor.pif" 1024'
  waitFor 30 eval '[ -z "$(windowOf "DOSBox.*")" ]'
  waitFor 15 isActive "Dorvane Shell"

  # Create Diskette, the last item: OK, then Continue (Cancel has the focus).
  check "$mode.CreateDisketteComesUpAboveTheLaunchLayout" \
    eval 'keys alt Return Up Return; waitFor 15 isActive "Create Diskette" && above "Create Diskette"'
  keys space
  sleep 1
  keys shift+Tab space
  check "$mode.CreateDisketteWritesTheDiskette" \
    eval 'waitFor 60 eval "sizeIs \"$work/A/zelkor.exe\" 96256" && "$checker" "$work/Dsck.tr" "$work/A.img" "$work/A"'
  check "$mode.TheVwin32CallsComeInOrder" tracedInOrder

  wine_stop "$WINEPREFIX"
  wine_unmap_drive_a "$WINEPREFIX"
  rm -rf "$work"
  work=""
done
wine_set_version "$WINEPREFIX" ""
finish
