#!/usr/bin/env bash
# Runs every libFuzzer target for a bounded time from the fixed seed corpus.
#   scripts/fuzz.sh                 8 s per target (what ./test.sh runs)
#   scripts/fuzz.sh --seconds 3600  a long run
# New inputs go to build/fuzz-corpus/<target>/, crashes to build/fuzz-crashes/.
# Prints one line per target and a GoogleTest-style summary; the figures also
# go to build/fuzz-stats.tsv for docs/reliability.md.
set -u
cd "$(dirname "$0")/.."
seconds=8
[ "${1:-}" = --seconds ] && seconds=$2
bin=build/fuzz/tests/fuzz
stats=build/fuzz-stats.tsv
mkdir -p build/fuzz-crashes
printf 'target\tseconds\texecutions\tcrashes\n' >"$stats"
ok=0; bad=0
for exe in "$bin"/fuzz_*; do
  [ -x "$exe" ] || continue
  name=$(basename "$exe"); target=${name#fuzz_}
  seeds=tests/fuzz/corpus/$target
  work=build/fuzz-corpus/$target
  mkdir -p "$work"
  log=build/fuzz-$target.log
  "$exe" -seed=1 -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix=build/fuzz-crashes/"$target"- "$work" "$seeds" >"$log" 2>&1
  rc=$?
  execs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -n1)
  crashes=$(ls build/fuzz-crashes/ 2>/dev/null | grep -c "^$target-" || true)
  printf '%s\t%s\t%s\t%s\n' "$target" "$seconds" "${execs:-0}" "$crashes" >>"$stats"
  if [ $rc -eq 0 ]; then
    echo "[       OK ] $target: ${execs:-0} executions in ${seconds} s"; ok=$((ok + 1))
  else
    echo "[  FAILED  ] $target (exit $rc), see $log"; tail -n 20 "$log"; bad=$((bad + 1))
  fi
done
echo "[  PASSED  ] $ok tests."
[ $bad -eq 0 ] || echo "[  FAILED  ] $bad tests, listed above"
[ $bad -eq 0 ]
