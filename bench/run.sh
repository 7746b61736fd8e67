#!/usr/bin/env bash
# Measures the Dorvane Shell on Linux side by side with yardsticks, in one
# run, as ratios (the machine is shared and noisy: absolute times move, the
# ratio of two things measured in the same run much less). Prints one table
# and writes docs/performance.md.
#   bench/run.sh [--quick] [--profile]
#     --quick    fewer repetitions, to try the script out
#     --profile  also where the start-up goes, under callgrind
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

reps=25 runs=10 profile=0
for arg in "$@"; do
  case $arg in
    --quick) reps=3; runs=3 ;;
    --profile) profile=1 ;;
    *) echo "usage: bench/run.sh [--quick] [--profile]" >&2; exit 2 ;;
  esac
done

BENCH_PACKAGES=(libbenchmark-dev libx11-dev mtools xvfb xauth python3 valgrind)
ensure_packages "${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}" || { echo "bench/run.sh: could not install packages" >&2; exit 1; }

build=$PWD/build/bench
results=$build/results
rm -rf "$results" "$build/work"
mkdir -p "$results" "$build/work"
cut -d' ' -f1-3 /proc/loadavg >"$results/load"
started=$(date +%s)
export TMPDIR=$build/work  # the benchmarks' folders on the disk the program would use

step() { echo "== $*" >&2; }
fail() { echo "bench/run.sh: $1 (log: $2)" >&2; tail -n 30 "$2" >&2; exit 1; }

step "build ($build, Release)"
{
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDORVANE_BENCH=ON -DDORVANE_TESTS=OFF &&
  cmake --build "$build" -j2 --target dorvane-shell dorvane-bench dorvane-alloc-count dorvane-startup-probe \
    dorvane-paint-shim minimal-qt-window
} >"$results/build.log" 2>&1 || fail "the build failed" "$results/build.log"
bench/windows/build.sh "$build/windows" >"$results/build-windows.log" 2>&1 || true

step "diskette runs and the FAT12 layer ($reps repetitions)"
(cd "$build/work" && ../bench/dorvane-bench --benchmark_repetitions="$reps" \
  --benchmark_enable_random_interleaving=true --benchmark_out="$results/bench.json" \
  --benchmark_out_format=json) >"$results/bench.txt" 2>&1 || fail "a benchmark failed" "$results/bench.txt"

step "allocations during a run"
(cd "$build/work" && ../bench/dorvane-alloc-count) >"$results/alloc.json" || fail "the allocation count failed" "$results/alloc.json"

# dorvane-shell (A) against the Qt window, empty and with one line of text.
probe_qt() {  # platform
  for floor in empty text; do
    (cd "$build/work" && QT_QPA_PLATFORM=$1 ../bench/dorvane-startup-probe paint "$runs" 1 \
      "$build/bench/libdorvane-paint-shim.so" -- ../programs/linux/dorvane-shell \
      -- ../bench/minimal-qt-window $([ $floor = text ] && echo --text)) >"$results/startup-$1-$floor.json" ||
      fail "the $1 start-up probe failed" "$build/work/probe.log"
  done
}
step "start-up, Qt offscreen ($runs runs each)"
probe_qt offscreen

if [ $profile -eq 1 ]; then
  step "where the start-up goes (callgrind, one run)"
  mkdir -p "$results/callgrind"
  (cd "$build/work" && QT_QPA_PLATFORM=offscreen DORVANE_BENCH_PAINT_FD=9 LD_PRELOAD=../bench/libdorvane-paint-shim.so \
    valgrind --tool=callgrind --callgrind-out-file="$results/callgrind/startup.out" \
    --dump-before='qtui::FormWindow::FormWindow*' ../programs/linux/dorvane-shell 9>/dev/null) \
    >"$results/callgrind/valgrind.log" 2>&1 || fail "the start-up profile failed" "$results/callgrind/valgrind.log"
fi

step "start-up on Xvfb: Qt xcb, and the Windows build under Wine"
export build results runs
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$(declare -f probe_qt fail); set -eu; probe_qt xcb
  source cmake/wine.sh
  exe=\$PWD/build/win64/programs/windows/DorvaneShell.exe minimal=\$build/windows/MinimalWindow64.exe
  if [ ! -f \"\$exe\" ] || [ ! -f \"\$minimal\" ] || ! loader=\$(wine_loader); then
    echo 'not measured: the win64 build, the minimal Win32 window or Wine is missing' >\"\$results/startup-wine.skip\"
    exit 0
  fi
  wine_prepare_prefix \"\$build/wineprefix\" >\"\$results/wine-prefix.log\" 2>&1
  server=\$(wine_server); \"\$server\" -p
  mkdir -p \"\$build/work/wine\"
  (cd \"\$build/work/wine\" && \"\$build/bench/dorvane-startup-probe\" map \"\$runs\" 3 'Dorvane Shell/Minimal Win32 Window' \
    -- \"\$loader\" \"\$exe\" -- \"\$loader\" \"\$minimal\" >\"\$results/startup-wine.json\") ||
    fail 'the Wine start-up probe failed' \"\$build/work/wine/probe.log\"
  \"\$server\" -k; \"\$server\" -w" || exit 1

step "report"
python3 bench/report.py "$build" "$results" docs/performance.md $(($(date +%s) - started)) "$reps" "$runs"
