# Shared by the keyboard runs (keyboard-run.sh, win9x-run.sh): one
# GoogleTest-style line per check, the closing count, and bounded waits.
# Set `run_name` (the checks' prefix, e.g. KeyboardRun) and `run_title`
# (the summary's words) before sourcing.
passed=0
failed=0
check() {  # name command...
  local name=$1; shift
  if "$@"; then
    echo "[       OK ] $run_name.$name"; passed=$((passed + 1))
  else
    echo "[  FAILED  ] $run_name.$name"; failed=$((failed + 1))
  fi
}
finish() {
  echo "$run_title: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

# Polls `command` every tenth of a second for at most `seconds`.
waitFor() {  # seconds command...
  local deadline=$(($(date +%s) + $1)); shift
  until "$@"; do
    [ "$(date +%s)" -ge "$deadline" ] && return 1
    sleep 0.1
  done
}

activeName() { xdotool getactivewindow getwindowname 2>/dev/null; }
isActive() { [ "$(activeName)" = "$1" ]; }
