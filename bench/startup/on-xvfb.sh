#!/usr/bin/env bash
# The start-up measurements that need an X display; bench/run.sh runs this
# under its own Xvfb (xvfb-run), with no window manager:
#   startup/on-xvfb.sh BUILD_DIR RESULTS_DIR RUNS
# 1. dorvane-shell against the minimal Qt window on Qt's xcb platform, to
#    the first paint (through the paint shim) -> startup-xcb.json
# 2. DorvaneShell.exe (x86_64) against the minimal Win32 window under Wine,
#    to the window being mapped -> startup-wine.json; when the Windows build,
#    the minimal window or Wine is missing, startup-wine.skip says which.
# Wine runs in a prefix of its own without a virtual desktop (each window is
# then an X window of its own), with a persistent server that is warmed up
# by the probe's first runs and stopped at the end.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
results=$(cd "$2" && pwd)
runs=$3
probe=$build/bench/dorvane-startup-probe
status=0

QT_QPA_PLATFORM=xcb "$probe" --mode paint --runs "$runs" --warmup 1 --timeout 60 \
  --shim "$build/bench/libdorvane-paint-shim.so" --log "$results/startup-xcb.log" \
  -- "$build/programs/linux/dorvane-shell" -- "$build/bench/minimal-qt-window" >"$results/startup-xcb.json" || status=1

shell_exe=$root/build/win64/programs/windows/DorvaneShell.exe
minimal_exe=$build/windows/MinimalWindow64.exe
source "$root/cmake/wine.sh"
skip=""
[ -f "$shell_exe" ] || skip="not built: ${shell_exe#"$root"/} is missing (the win64 preset builds it)"
[ -z "$skip" ] && [ ! -f "$minimal_exe" ] && skip="not built: the minimal Win32 window (no MinGW-w64 x86_64 compiler)"
[ -z "$skip" ] && ! wine_loader >/dev/null && skip="not measured: Wine's 64-bit loader (Debian package wine64) is not installed"
if [ -n "$skip" ]; then
  echo "$skip" >"$results/startup-wine.skip"
  exit $status
fi

prefix=$build/wineprefix
if ! wine_prepare_prefix "$prefix" >"$results/wine-prefix.log" 2>&1; then
  echo "not measured: the Wine prefix could not be made (see wine-prefix.log)" >"$results/startup-wine.skip"
  exit $status
fi
server=$(wine_server)
"$server" -p
loader=$(wine_loader)
mkdir -p "$build/work/wine"
# Three warm-up runs: the first starts Wine's helper processes.
(cd "$build/work/wine" && "$probe" --mode map --runs "$runs" --warmup 3 --timeout 120 --log "$results/startup-wine.log" \
  --title-a "Dorvane Shell" --title-b "Minimal Win32 Window" \
  -- "$loader" "$shell_exe" -- "$loader" "$minimal_exe" >"$results/startup-wine.json") || status=1
"$server" -k
"$server" -w
exit $status
