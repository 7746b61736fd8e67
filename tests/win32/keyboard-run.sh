#!/usr/bin/env bash
# The Windows program driven from the keyboard as a user would, under a real
# window manager: its own Xvfb display, openbox, and Wine without its virtual
# desktop, so that openbox manages the program's windows. Each form is opened
# from the main window's menu (Alt, arrows, Enter); the run waits (bounded)
# until the window manager names the new form the active window, without
# moving the focus itself, then checks that the next keys land in that form.
#
#   keyboard-run.sh [DorvaneShell.exe]
#
# Prints one GoogleTest-style line per check and "keyboard run: N passed,
# N failed" last; exits non-zero when a check failed or a tool is missing.
set -u
cd "$(dirname "$0")/../.."
exe=$(realpath "${1:-build/win32/programs/windows/DorvaneShell.exe}")

missing=()
for tool in Xvfb xvfb-run openbox xdotool xprop; do command -v "$tool" >/dev/null || missing+=("$tool"); done
if [ ${#missing[@]} -gt 0 ]; then
  echo "[  FAILED  ] KeyboardRun.Tools (missing: ${missing[*]})"
  echo "keyboard run: 0 passed, 1 failed"
  exit 1
fi

# A display of our own, whatever DISPLAY says: the window manager must be ours.
if [ -z "${DORVANE_KEYBOARD_RUN_DISPLAY:-}" ]; then
  DORVANE_KEYBOARD_RUN_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$exe"
fi

source cmake/wine.sh
prefix=build/win32/wineprefix-wm
run_name=KeyboardRun run_title="keyboard run"
source tests/win32/checks.sh
isShown() { [ -n "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)" ]; }
isHidden() { ! isShown "$1"; }
keys() { xdotool key --delay 150 "$@"; }

# Opens a form from the main window's menu and waits until the window manager
# has made it the active window.
openFrom() {  # title keys...
  local title=$1; shift
  waitFor 15 isActive "Dorvane Shell" || { echo "   the main window is not active (active: $(activeName))"; return 1; }
  keys "$@"
  waitFor 15 isActive "$title" || { echo "   $title is not the active window (active: $(activeName))"; return 1; }
}

openbox --config-file "$PWD/tests/win32/openbox-rc.xml" --sm-disable >/dev/null 2>&1 &
wm=$!
waitFor 15 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' \
  || { echo "[  FAILED  ] KeyboardRun.WindowManager (openbox did not start)"; failed=1; finish; }

wine_prepare_prefix "$prefix" || { echo "[  FAILED  ] KeyboardRun.WinePrefix"; failed=1; finish; }
work=$(mktemp -d "${TMPDIR:-/tmp}/dorvane-keys.XXXXXX")
cleanup() {
  wine_stop "$WINEPREFIX"
  kill "$wm" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
(cd "$work" && exec timeout 300 "$(wine_loader)" "$exe") >/dev/null 2>&1 &

check MainWindowIsActive waitFor 60 isActive "Dorvane Shell"

# Enter presses the about box's default button.
check AboutBoxBecomesActive openFrom "About" alt Right Right Return
check EnterLandsInTheAboutBox eval 'keys Return; waitFor 10 isHidden "About"'

# Esc presses the feedback form's cancel button.
check FeedbackFormBecomesActive openFrom "Feedback Form" alt Right Return
check EscLandsInTheFeedbackForm eval 'keys Escape; waitFor 10 isHidden "Feedback Form"'

# Create Diskette is the last item of its menu, whether the start-up timer has
# taken Start Regeneration out yet or not. The dialog opens on its OK button; space presses it (the confirmation,
# with the focus on Cancel), space again cancels, which hides the dialog.
# Opened again, the same two keys work again.
for round in First Second; do
  check "CreateDisketteBecomesActive$round" openFrom "Create Diskette" alt Return Up Return
  check "SpaceLandsInTheDialog$round" eval 'keys space space; waitFor 10 isHidden "Create Diskette"'
done

finish
