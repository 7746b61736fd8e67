#!/usr/bin/env bash
# Installs what is missing, builds every target and runs every suite.
#   ./test.sh                 every suite
#   ./test.sh unit qt         only the named suites
# Suites: layers unit posix sample qt e2e unit-asan posix-asan fuzz win32 imports
# The last line is always "N passed, N failed".
set -u
cd "$(dirname "$0")"
source scripts/common.sh

all_suites=(layers unit posix sample qt e2e unit-asan posix-asan fuzz win32 imports)
suites=("$@")
[ ${#suites[@]} -gt 0 ] || suites=("${all_suites[@]}")

passed=0
failed=0
logdir=build/test-logs
mkdir -p "$logdir"

finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

# Adds a GoogleTest log's counts; a program that died without its summary
# counts as one failure.
count_gtest() {
  local suite=$1 log=$2 rc=$3 p f
  grep -E '^\[  (FAILED|SKIPPED) ' "$log" | grep -v 'listed below' || true
  p=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -n1)
  f=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -n1)
  p=${p:-0}; f=${f:-0}
  if [ "$rc" -ne 0 ] && [ "$f" -eq 0 ]; then
    echo "   $suite exited with $rc:"; tail -n 30 "$log" | sed 's/^/   | /'; f=1
  fi
  echo "   $suite: $p passed, $f failed"
  passed=$((passed + p)); failed=$((failed + f))
}

# Adds a Python unittest log's counts (its summary: "Ran N tests", then "OK"
# or "FAILED (failures=F, errors=E)").
count_unittest() {
  local suite=$1 log=$2 rc=$3 n f
  grep -E '^(FAIL|ERROR): ' "$log" || true
  n=$(sed -n 's/^Ran \([0-9]*\) test.*/\1/p' "$log" | tail -n1)
  f=$(sed -n 's/^FAILED (\(.*\))$/\1/p' "$log" | tail -n1 | grep -oE '(failures|errors)=[0-9]+' |
      awk -F= '{ s += $2 } END { print s + 0 }')
  n=${n:-0}; f=${f:-0}
  if [ "$rc" -ne 0 ] && [ "$f" -eq 0 ]; then
    echo "   $suite exited with $rc:"; tail -n 30 "$log" | sed 's/^/   | /'; f=1
  fi
  echo "   $suite: $((n - f)) passed, $f failed"
  passed=$((passed + n - f)); failed=$((failed + f))
}

run_gtest() {  # suite exe [env...]
  local suite=$1 exe=$2; shift 2
  local log=$logdir/$suite.log
  if [ ! -x "$exe" ]; then
    echo "   $suite: $exe was not built"; failed=$((failed + 1)); return
  fi
  env "$@" "$exe" --gtest_brief=1 >"$log" 2>&1
  count_gtest "$suite" "$log" $?
}

need_native=0; need_sanitize=0; need_fuzz=0
for s in "${suites[@]}"; do
  case $s in
    unit|posix|sample|qt|e2e) need_native=1 ;;
    unit-asan|posix-asan) need_sanitize=1 ;;
    fuzz) need_fuzz=1 ;;
    layers|win32|imports) ;;
    *) echo "unknown suite: $s (known: ${all_suites[*]})"; failed=$((failed + 1)); finish ;;
  esac
done

packages=("${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}")
[ $need_fuzz -eq 1 ] && packages+=("${FUZZ_PACKAGES[@]}")
[[ " ${suites[*]} " == *" win32 "* || " ${suites[*]} " == *" imports "* ]] && packages+=("${WINDOWS_PACKAGES[@]}")
ensure_packages "${packages[@]}" || { echo "could not install: ${packages[*]}"; failed=$((failed + 1)); finish; }

build() {  # preset
  echo "== build $1"
  if ! build_preset "$1" >"$logdir/build-$1.log" 2>&1; then
    tail -n 40 "$logdir/build-$1.log"; failed=$((failed + 1)); return 1
  fi
}
[ $need_native -eq 1 ] && { build native || finish; }
[ $need_sanitize -eq 1 ] && { build sanitize || finish; }
[ $need_fuzz -eq 1 ] && { build fuzz || finish; }
[[ " ${suites[*]} " == *" imports "* ]] && { build win32 || finish; }

asan=(ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1)
for suite in "${suites[@]}"; do
  echo "== $suite"
  case $suite in
    layers)
      # Every include line against the table of layers, and the planted
      # violations that must make that check fail.
      log=$logdir/layers.log
      python3 tests/layers/test_check_layers.py >"$log" 2>&1
      count_unittest layers "$log" $? ;;
    unit|posix|sample|e2e) run_gtest "$suite" "build/native/tests/$suite/${suite}_tests" ;;
    qt) run_gtest qt build/native/tests/qt/qt_tests QT_QPA_PLATFORM=offscreen ;;
    unit-asan) run_gtest "$suite" build/sanitize/tests/unit/unit_tests "${asan[@]}" ;;
    posix-asan) run_gtest "$suite" build/sanitize/tests/posix/posix_tests "${asan[@]}" ;;
    fuzz)
      log=$logdir/fuzz.log
      scripts/fuzz.sh --seconds "${FUZZ_SECONDS:-8}" >"$log" 2>&1
      count_gtest fuzz "$log" $? ;;
    win32)
      log=$logdir/win32.log
      tests/win32/run.sh >"$log" 2>&1
      count_gtest win32 "$log" $? ;;
    imports)
      log=$logdir/imports.log
      python3 tests/imports/check_imports.py -v >"$log" 2>&1
      count_unittest imports "$log" $? ;;
  esac
done
finish
