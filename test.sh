#!/usr/bin/env bash
# Installs what is missing, builds every target and runs every suite.
#   ./test.sh            all suites
#   ./test.sh unit qt    only the named suites
# The last line is always "N passed, N failed".
set -u
cd "$(dirname "$0")"
source scripts/common.sh

suites_all=(unit posix sample qt e2e)
suites=("$@")
[ ${#suites[@]} -gt 0 ] || suites=("${suites_all[@]}")

ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" || { echo "0 passed, 1 failed"; exit 1; }
build_native || { echo "build failed"; echo "0 passed, 1 failed"; exit 1; }

passed=0
failed=0
logdir=build/test-logs
mkdir -p "$logdir"
for suite in "${suites[@]}"; do
  exe=build/native/tests/$suite/${suite}_tests
  if [ ! -x "$exe" ]; then
    echo "suite $suite: not built"; failed=$((failed + 1)); continue
  fi
  echo "== $suite"
  log=$logdir/$suite.log
  if [ "$suite" = qt ]; then
    QT_QPA_PLATFORM=offscreen "$exe" --gtest_brief=1 >"$log" 2>&1
  else
    "$exe" --gtest_brief=1 >"$log" 2>&1
  fi
  rc=$?
  grep -E '^\[  (FAILED|SKIPPED) ' "$log" | grep -v 'listed below' || true
  p=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -n1)
  f=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -n1)
  p=${p:-0}; f=${f:-0}
  if [ $rc -ne 0 ] && [ "$f" -eq 0 ]; then
    echo "suite $suite exited with $rc:"; tail -n 20 "$log"; f=1
  fi
  echo "   $suite: $p passed, $f failed"
  passed=$((passed + p)); failed=$((failed + f))
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
