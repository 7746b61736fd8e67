#!/usr/bin/env bash
# Measures the Dorvane Shell on Linux side by side with yardsticks, in one
# run, as ratios (the machine is shared and noisy: absolute times move, the
# ratio of two things measured in the same run much less). Prints one table
# and writes docs/performance.md.
#   bench/run.sh           the full run (a few minutes on 2 cores)
#   bench/run.sh --quick   fewer repetitions, to try the script out
# Needs nothing but a clone (after ./test.sh the native build is there, and
# its program is measured for size too); builds its own build/bench with
# -DCMAKE_BUILD_TYPE=Release -DDORVANE_BENCH=ON. The Windows programs are
# measured when build/win32 and build/win64 hold them and Wine is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

reps=25   # Google Benchmark repetitions, interleaved at random
runs=10   # start-ups of each program
case "${1:-}" in
  "") ;;
  --quick) reps=3; runs=3 ;;
  *) echo "usage: bench/run.sh [--quick]" >&2; exit 2 ;;
esac

BENCH_PACKAGES=(libbenchmark-dev libx11-dev mtools xvfb xauth python3 valgrind)
ensure_packages "${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}" || { echo "bench/run.sh: could not install packages" >&2; exit 1; }

build=build/bench
results=$build/results
rm -rf "$results" "$build/work"
mkdir -p "$results" "$build/work"
started=$(date +%s)

step() { echo "== $*" >&2; }
fail() { echo "bench/run.sh: $1 (log: $2)" >&2; tail -n 30 "$2" >&2; exit 1; }

step "build ($build, Release)"
{
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDORVANE_BENCH=ON -DDORVANE_TESTS=OFF &&
  cmake --build "$build" -j2 --target dorvane-shell dorvane-bench dorvane-alloc-count dorvane-startup-probe \
    dorvane-paint-shim minimal-qt-window bench_tests
} >"$results/build.log" 2>&1 || fail "the build failed" "$results/build.log"
bench/windows/build.sh "$build/windows" >"$results/build-windows.log" 2>&1 || true

step "checks of the yardsticks and the report"
export PYTHONDONTWRITEBYTECODE=1  # no __pycache__ in the source tree
xvfb-run -a -s "-screen 0 1024x768x24" "$build/bench/bench_tests" --gtest_brief=1 >"$results/checks.log" 2>&1 ||
  fail "the yardsticks' checks failed" "$results/checks.log"
python3 -m unittest discover -s bench/report -p 'test_*.py' >"$results/report-checks.log" 2>&1 ||
  fail "the report's checks failed" "$results/report-checks.log"

step "diskette runs and the FAT12 layer ($reps repetitions)"
(cd "$build/work" && ../bench/dorvane-bench --benchmark_repetitions="$reps" \
  --benchmark_enable_random_interleaving=true --benchmark_out=../results/bench.json \
  --benchmark_out_format=json) >"$results/bench.txt" 2>&1 || fail "a benchmark failed" "$results/bench.txt"

step "allocations during a run"
(cd "$build/work" && ../bench/dorvane-alloc-count) >"$results/alloc.json" 2>"$results/alloc.log" ||
  fail "the allocation count failed" "$results/alloc.log"

step "start-up, Qt offscreen ($runs runs each)"
# Against the empty window, and against a window with one line of text (which
# starts the font system too).
for floor in empty text; do
  floor_args=()
  [ "$floor" = text ] && floor_args=(--text)
  (cd "$build/work" && QT_QPA_PLATFORM=offscreen ../bench/dorvane-startup-probe --mode paint --runs "$runs" \
    --warmup 1 --timeout 60 --shim ../bench/libdorvane-paint-shim.so --log ../results/startup-offscreen.log \
    -- ../programs/linux/dorvane-shell -- ../bench/minimal-qt-window "${floor_args[@]}") \
    >"$results/startup-offscreen-$floor.json" || fail "the offscreen start-up probe failed" "$results/startup-offscreen.log"
done

step "where the start-up goes (callgrind, one run)"
# One profile part per form window built, so the report can say what each
# form costs before the first paint.
mkdir -p "$results/callgrind"
(cd "$build/work" && QT_QPA_PLATFORM=offscreen DORVANE_BENCH_PAINT_FD=9 LD_PRELOAD=../bench/libdorvane-paint-shim.so \
  valgrind --tool=callgrind --callgrind-out-file=../results/callgrind/startup.out \
  --dump-before='qtui::FormWindow::FormWindow*' ../programs/linux/dorvane-shell 9>/dev/null) \
  >"$results/callgrind/valgrind.log" 2>&1 || fail "the start-up profile failed" "$results/callgrind/valgrind.log"

step "start-up on Xvfb: Qt xcb, and the Windows build under Wine"
xvfb-run -a -s "-screen 0 1024x768x24" bench/startup/on-xvfb.sh "$build" "$results" "$runs" ||
  fail "a start-up probe on Xvfb failed (its message is above)" "$results/startup-xcb.log"

step "report"
python3 bench/report/make_report.py --build "$build" --results "$results" --out docs/performance.md \
  --elapsed $(($(date +%s) - started)) --repetitions "$reps" --runs "$runs"
