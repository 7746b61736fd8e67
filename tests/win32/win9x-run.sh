#!/usr/bin/env bash
# The i686 release in Wine's Windows 98 and Windows 95 modes, driven from the
# keyboard under openbox, against Wine's own Windows 9x services (vwin32's
# DOS IOCTL lock and INT 26h, the PIF handed to DOSBox), which nobody here
# wrote. For each mode:
#   - Start Regeneration writes zelkor.exe and zelkor.pif (the image's PIF
#     run, byte for byte) and the console program runs from the PIF (it leaves ZELKOR.RAN, its notice); started
#     again over a zelkor.exe of other content, that one is kept byte for
#     byte and is the one that runs;
#   - About and Create Diskette, opened over the launch layout (which stays
#     on top), come up above it in the window manager's stacking order;
#   - Create Diskette: Wine traces the lock (0x084A), the medium's parameters
#     (0x0860), the fifteen INT 26h writes at their sectors and counts and
#     the release (0x086A), in that order; the raw area and the two files in
#     drive A:'s folder are what the tests' map says (diskette-check).
# Then the failures Wine's Windows 98 mode can produce (a drive A: folder
# that cannot be written, a DSCK.TR already there, no Dsck.tr, a zelkor.pif
# that cannot be written), and Windows XP mode (no Start Regeneration; the
# raw-volume path on a drive that cannot be written).
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
run_name=Win9xRun run_title="win9x run"
source tests/win32/checks.sh
windowOf() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
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
# The screen as it is now, kept as docs/screenshots/NAME.png (no time stamps,
# so that an unchanged picture is an unchanged file).
shot() { import -window root png:- 2>/dev/null | convert - -strip -define png:exclude-chunk=date,time "docs/screenshots/$1.png" 2>/dev/null; }
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
  [ -n "$work" ] && stopShell
  wine_stop "$WINEPREFIX"
  kill "$wm" 2>/dev/null
}
trap cleanup EXIT

# A fresh working folder with the sample Dsck.tr, a blank diskette as drive
# A:'s raw device and an empty folder as its folder; the release started
# there in Wine's mode $1, its trace in trace.log.
startShell() {  # version
  work=$(mktemp -d "${TMPDIR:-/tmp}/dorvane-9x.XXXXXX")
  mkdir "$work/A"
  "$sample" --out "$work/Dsck.tr" >/dev/null && "$sample" --blank-diskette "$work/A.img" >/dev/null
  wine_set_version "$WINEPREFIX" "$1"
  wine_map_drive_a "$WINEPREFIX" "$work/A" "$work/A.img"
  (cd "$work" && WINEDEBUG=-all,+vxd,+int21,+int exec timeout 300 "$(wine_loader)" "$exe") >"$work/trace.log" 2>&1 &
  waitFor 60 isActive "Dorvane Shell" || return 1
  # Wine maps the window before its menu bar takes keys, and nothing on the
  # screen tells when it does; the platform test's tick comes meanwhile.
  sleep 2
}
stopShell() {
  wine_stop "$WINEPREFIX"
  wine_unmap_drive_a "$WINEPREFIX"
  chattr -R -i "$work" 2>/dev/null
  rm -rf "$work"
  work=""
}
# Create Diskette from the menu: OK, then Continue (Cancel has the focus).
createDiskette() {
  keys alt Return Up Return
  waitFor 15 isActive "Create Diskette" || return 1
  keys space
  sleep 1
  keys shift+Tab space
}
# The run is over, whichever way it ended (a failed one shows nothing outside
# the dialog, so the wait is fixed; a run takes well under a second here):
# the dialog's result has the focus, and Enter answers it.
runAnswered() { sleep 3; keys Return; waitFor 15 eval '[ -z "$(windowOf "Create Diskette")" ]'; }
rawAreaWritten() { "$checker" "$work/Dsck.tr" "$work/A.img" "$work/A" 2>&1 | grep -q "Dsck.tr differs" &&
  ! "$checker" "$work/Dsck.tr" "$work/A.img" "$work/A" 2>&1 | grep -q "sector"; }
folderHolds() { [ "$(ls -A "$work/A" | tr '\n' ' ')" = "$1" ]; }
unchanged() { cmp -s "$1" "$2"; }

for version in win98 win95; do
  mode=${version^}
  check "$mode.MainWindowIsActive" startShell "$version"

  # Regeneration > Start Regeneration, its first item here.
  keys alt Return Return
  check "$mode.StartRegenerationWritesTheProgramAndItsPif" \
    eval 'waitFor 30 eval "sizeIs \"$work/zelkor.exe\" 96256 && sizeIs \"$work/zelkor.pif\" 1024" &&
      "$checker" --pif "$work/Dsck.tr" "$work/zelkor.pif"'
  check "$mode.TheConsoleProgramRunsFromThePif" waitFor 60 ranNotice "Dorvane sample"
  # DOSBox has the keyboard while it is open.
  waitFor 30 eval '[ -z "$(windowOf "DOSBox.*")" ]'

  [ "$version" = win98 ] && shot win98-launch-layout
  check "$mode.AboutComesUpAboveTheLaunchLayout" eval 'keys alt Right Right Return; waitFor 15 isActive About && above About'
  [ "$version" = win98 ] && shot win98-about-over-launch-layout
  keys Return
  waitFor 15 isActive "Dorvane Shell"

  # Again, over a zelkor.exe of other content: kept, and the one that runs.
  python3 -c "import sys; p = sys.argv[1]; b = open(p, 'rb').read(); open(p, 'wb').write(b.replace(b'Dorvane sample', b'Dorvane kept!!'))" "$work/zelkor.exe"
  kept=$(sha256sum <"$work/zelkor.exe")
  rm -f "$work/ZELKOR.RAN" "$work/zelkor.pif"
  keys alt Return Return
  check "$mode.AnExistingZelkorExeIsKeptAndRuns" \
    eval 'waitFor 60 ranNotice "Dorvane kept!!" && [ "$(sha256sum <"$work/zelkor.exe")" = "$kept" ] &&
      "$checker" --pif "$work/Dsck.tr" "$work/zelkor.pif"'
  waitFor 30 eval '[ -z "$(windowOf "DOSBox.*")" ]'
  waitFor 15 isActive "Dorvane Shell"

  check "$mode.CreateDisketteComesUpAboveTheLaunchLayout" \
    eval 'keys alt Return Up Return; waitFor 15 isActive "Create Diskette" && above "Create Diskette"'
  keys space
  sleep 1
  keys shift+Tab space
  check "$mode.CreateDisketteWritesTheDiskette" \
    eval 'waitFor 60 eval "sizeIs \"$work/A/zelkor.exe\" 96256" && "$checker" "$work/Dsck.tr" "$work/A.img" "$work/A"'
  check "$mode.TheVwin32CallsComeInOrder" tracedInOrder
  stopShell
done

# The failures Wine's Windows 98 mode can produce (its vwin32 calls never
# fail): what each leaves behind. The dialog's words for them are the unit
# suite's (the write-error state).
startShell win98
chattr +i "$work/A"
check Win98.AFolderThatCannotBeWrittenFailsAfterTheRawArea eval 'createDiskette && runAnswered && rawAreaWritten && folderHolds ""'
stopShell

startShell win98
printf 'kept' >"$work/A/DSCK.TR"
check Win98.ADsckTrAlreadyOnTheDisketteIsKept eval 'createDiskette && runAnswered && rawAreaWritten && folderHolds "DSCK.TR " && [ "$(cat "$work/A/DSCK.TR")" = kept ]'
stopShell

startShell win98
rm "$work/Dsck.tr"
cp "$work/A.img" "$work/blank.img"
check Win98.AMissingDsckTrWritesNothing eval 'createDiskette && runAnswered && unchanged "$work/A.img" "$work/blank.img" && folderHolds "" && ! grep -q "abs diskwrite" "$work/trace.log"'
stopShell

startShell win98
: >"$work/zelkor.pif"
chattr +i "$work/zelkor.pif"
keys alt Return Return
# The launch is refused in a message box, and nothing runs.
check Win98.AZelkorPifThatCannotBeWrittenLaunchesNothing \
  eval 'waitFor 30 eval "[ \$(xdotool search --onlyvisible --name \"^Dorvane Shell\$\" | wc -l) -ge 2 ]" && sleep 5 && [ ! -e "$work/ZELKOR.RAN" ]'
keys Return
stopShell

# Windows XP mode: the raw-volume path, and no Start Regeneration: the
# menu's first item is Create Diskette. A raw device that cannot be written
# gives the write error with nothing in the folder.
startShell winxp
truncate -s 1474560 "$work/readonly.img"
chattr +i "$work/readonly.img"
wine_map_drive_a "$WINEPREFIX" "$work/A" "$work/readonly.img"
keys alt Return Return
check WinXP.NoStartRegenerationAndCreateDisketteFirst eval 'waitFor 15 isActive "Create Diskette" && [ ! -e "$work/zelkor.pif" ]'
keys space
sleep 1
keys shift+Tab space
check WinXP.AReadOnlyDriveGivesTheWriteErrorWithNothingWritten \
  eval 'runAnswered && folderHolds "" && [ "$(tr -d "\\0" <"$work/readonly.img" | wc -c)" -eq 0 ] && ! grep -q "VWIN32" "$work/trace.log"'
stopShell

wine_set_version "$WINEPREFIX" ""
finish
