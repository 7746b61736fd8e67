#!/usr/bin/env bash
# Installs what is missing, builds every target and runs every suite.
#   ./test.sh                 every suite
#   ./test.sh unit qt         only the named suites
# Suites: layers style unit posix sample qt a11y package e2e unit-asan posix-asan fuzz win32 imports
# The last line is always "N passed, N failed".
set -u
cd "$(dirname "$0")"
source scripts/common.sh

all_suites=(layers style unit posix sample qt a11y package e2e unit-asan posix-asan fuzz win32 imports)
suites=("$@")
[ ${#suites[@]} -gt 0 ] || suites=("${all_suites[@]}")

passed=0
failed=0
logdir=build/test-logs
mkdir -p "$logdir"

# Each suite's time limit in seconds, several times its normal length on this
# machine: a suite that is still running then (a hang, a modal box nobody
# answers) is stopped and counts as failed, with the test it was running.
# TEST_TIME_LIMIT=SECONDS sets one limit for every suite.
declare -A limits=([unit]=120 [posix]=120 [sample]=300 [qt]=120 [e2e]=600
                   [unit-asan]=600 [posix-asan]=600 [fuzz]=$((600 + 6 * ${FUZZ_SECONDS:-8})) [win32]=1200
                   [layers]=120 [style]=300 [a11y]=180 [package]=300 [imports]=120)
if [ -n "${TEST_TIME_LIMIT:-}" ]; then for s in "${!limits[@]}"; do limits[$s]=$TEST_TIME_LIMIT; done; fi

finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

# The test that had started and not ended when `log` stopped.
running_test() {
  awk '{ sub(/\r$/, "") }
       /^\[ RUN      \]/ { t = $4 }
       /^\[ +(OK|FAILED|SKIPPED) +\]/ { if ($4 == t) t = "" }
       END { print t }' "$1"
}

# Runs a suite's command under its time limit, its full output in `log`.
# Sets `rc`: the command's status, or 124 when the limit stopped it.
run_limited() {  # suite log command...
  local suite=$1 log=$2; shift 2
  timeout -k 20 "${limits[$suite]}" "$@" >"$log" 2>&1
  rc=$?
  [ $rc -eq 137 ] && rc=124  # TERM was not enough and timeout sent KILL
}

# Adds a GoogleTest log's counts (the full log: the summary's own lines are
# printed, not each test's); a program that died without its summary, or
# that its time limit stopped, counts as one failure.
count_gtest() {
  local suite=$1 log=$2 rc=$3 p f
  if [ "$rc" -eq 124 ]; then
    grep -E $'^\\[  FAILED  \\] .* \\([0-9]+ ms\\)\r?$' "$log" || true
    echo "   $suite: stopped at its time limit of ${limits[$suite]} s while running: $(running_test "$log")"
    echo "   $suite: full log in $log"
    failed=$((failed + 1))
    return
  fi
  grep -E '^\[  (FAILED|SKIPPED) ' "$log" | grep -v 'listed below' | grep -vE $' \\([0-9]+ ms\\)\r?$' || true
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
  run_limited "$suite" "$log" env "$@" "$exe"
  count_gtest "$suite" "$log" $rc
}

need_native=0; need_sanitize=0; need_fuzz=0
for s in "${suites[@]}"; do
  case $s in
    unit|posix|sample|qt|a11y|package|e2e|win32) need_native=1 ;;
    unit-asan|posix-asan) need_sanitize=1 ;;
    fuzz) need_fuzz=1 ;;
    layers|style|imports) ;;
    *) echo "unknown suite: $s (known: ${all_suites[*]})"; failed=$((failed + 1)); finish ;;
  esac
done

packages=("${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}")
[ $need_fuzz -eq 1 ] && packages+=("${FUZZ_PACKAGES[@]}")
[[ " ${suites[*]} " == *" style "* ]] && packages+=("${STYLE_PACKAGES[@]}")
[[ " ${suites[*]} " == *" a11y "* ]] && packages+=("${A11Y_PACKAGES[@]}")
[[ " ${suites[*]} " == *" package "* ]] && packages+=("${PACKAGE_PACKAGES[@]}")
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
[[ " ${suites[*]} " == *" package "* ]] && { build package || finish; }
# tests/win32/run.sh builds these too; built here, its time limit is the run's.
[[ " ${suites[*]} " == *" win32 "* || " ${suites[*]} " == *" imports "* ]] && { build win32 || finish; }
[[ " ${suites[*]} " == *" win32 "* ]] && { build win32-tests || finish; build win64 || finish; }

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
    style)
      # The brace rule over the tree, and planted sources that break it.
      log=$logdir/style.log
      run_limited style "$log" python3 tests/style/test_check_braces.py
      count_unittest style "$log" $rc ;;
    unit|posix|sample|e2e) run_gtest "$suite" "build/native/tests/$suite/${suite}_tests" ;;
    qt) run_gtest qt build/native/tests/qt/qt_tests QT_QPA_PLATFORM=offscreen ;;
    package)
      # CPack makes the .deb from what the package preset installs.
      log=$logdir/package.log
      rm -f build/package/dorvane-shell_*.deb
      if (cd build/package && cpack -G DEB) >"$log" 2>&1; then
        run_limited package "$log" /usr/bin/python3 tests/package/test_package.py build/package/dorvane-shell_*.deb \
          build/native/tools/dsck-sample
      else
        rc=1
      fi
      count_unittest package "$log" $rc ;;
    a11y)
      # Debian's own Python: the AT-SPI binding is its package, not pip's.
      log=$logdir/a11y.log
      run_limited a11y "$log" dbus-run-session -- /usr/bin/python3 -W ignore::DeprecationWarning tests/a11y/test_screen_reader.py \
        build/native/programs/linux/dorvane-shell
      count_unittest a11y "$log" $rc ;;
    unit-asan) run_gtest "$suite" build/sanitize/tests/unit/unit_tests "${asan[@]}" ;;
    posix-asan) run_gtest "$suite" build/sanitize/tests/posix/posix_tests "${asan[@]}" ;;
    fuzz)
      log=$logdir/fuzz.log
      run_limited fuzz "$log" scripts/fuzz.sh --seconds "${FUZZ_SECONDS:-8}"
      count_gtest fuzz "$log" $rc ;;
    win32)
      log=$logdir/win32.log
      run_limited win32 "$log" tests/win32/run.sh --gtest_brief=0
      count_gtest win32 "$log" $rc ;;
    imports)
      log=$logdir/imports.log
      run_limited imports "$log" python3 tests/imports/check_imports.py -v
      count_unittest imports "$log" $rc ;;
  esac
done
finish
