#!/usr/bin/env bash
# Writes docs/reliability.md from real runs: every call of a good diskette run
# and of a good launch made to fail, the bad images tried, the fuzzers'
# executions and crashes, and what the sanitizers found.
#   scripts/reliability-report.sh [fuzz seconds per target, default 60]
set -u
cd "$(dirname "$0")/.."
out=build/reliability
rm -rf "$out"; mkdir -p "$out"

DORVANE_REPORT_DIR=$PWD/$out ./test.sh unit e2e >"$out/tables.log" 2>&1
tables_rc=$?
FUZZ_SECONDS=${1:-60} ./test.sh unit-asan posix-asan fuzz >"$out/checks.log" 2>&1
checks_rc=$?
cp build/fuzz-stats.tsv "$out/" 2>/dev/null
for s in unit-asan posix-asan; do cp "build/test-logs/$s.log" "$out/" 2>/dev/null; done

python3 - "$out" "$tables_rc" "$checks_rc" <<'PY'
import collections, csv, datetime, os, re, sys
out, tables_rc, checks_rc = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])

def rows(name):
    path = os.path.join(out, name + ".tsv")
    if not os.path.exists(path):
        return []
    with open(path) as f:
        return [line.rstrip("\n").split("\t") for line in f if line.strip()]

def summary(log):
    text = open(os.path.join(out, log)).read() if os.path.exists(os.path.join(out, log)) else ""
    m = re.findall(r"^(\d+) passed, (\d+) failed", text, re.M)
    return m[-1] if m else ("?", "?")

def shape(call):
    # "ReadFile(dsck.tr, 512)" and its 189 siblings are one row.
    return re.sub(r"\b\d{2,}\b", "n", call)

lines = ["# Reliability", "",
         "Written by `scripts/reliability-report.sh` from the runs of "
         + datetime.date.today().isoformat() + "; do not edit by hand.", ""]

faults = rows("diskette-faults")
lines += ["## Diskette run: every call of a good run made to fail", "",
          f"{len(faults)} injected faults (each call of a good run failing, reads and writes also coming back "
          "short, the Windows 9x DOS service calls also returning the carry flag set), on the raw-volume path "
          "(a drive that tells its geometry, and one backed by an image file that tells only its size) and on "
          "the Windows 9x path, with a 1,408-sector image and with a 1,321-sector one (whose last copy block is "
          "short). For every row the tests assert: the outcome below, no call after the fault but the release "
          "of a volume lock held and the closes, every handle closed in order, no progress report after the "
          "fault, the image unchanged; on the Windows 9x path every INT 26h write lies between a lock that "
          "succeeded and its release. `0x1, 0x84a` is the lock of drive A:, `0x1, 0x86a` its release, "
          "`0x1, 0x860` the medium's parameters, `0x3` an INT 26h write.", "",
          "| path | call | fault | times | outcome |", "|---|---|---|---|---|"]
grouped = collections.Counter((r[0], shape(r[1]), r[2], r[3]) for r in faults)
for (path, call, fault, outcome), n in grouped.items():
    lines.append(f"| {path} | `{call}` | {fault} | {n} | {outcome} |")
lines.append("")

targets = rows("diskette-targets")
lines += ["## Diskette targets of every size", "",
          "Drive A: holding a medium of each size; the target is compared byte for byte with its copy from "
          "before the run. A medium smaller than 2,880 sectors of 512 bytes is refused before the first write.", "",
          "| services | target | bytes | outcome | target afterwards |", "|---|---|---|---|---|"]
lines += [f"| {r[0]} | {r[1]} | {int(r[2]):,} | {r[3]} | {r[4]} |" for r in targets]
lines.append("")

launch = rows("launch-faults")
lines += ["## Console launch: every call of a good launch made to fail", "",
          f"{len(launch)} injected faults. For every row: launched only where the fault is harmless, "
          "otherwise a message and no launch; no handle left open; `zelkor.exe` either absent or complete; "
          "no `zelkor.tmp` left behind.", "",
          "| call | fault | times | outcome | zelkor.exe |", "|---|---|---|---|---|"]
grouped = collections.Counter((shape(r[0]), r[1], r[2], r[3]) for r in launch)
for (call, fault, outcome, exe), n in grouped.items():
    lines.append(f"| `{call}` | {fault} | {n} | {outcome} | {exe} |")
lines.append("")

bad = rows("bad-images")
lines += ["## Bad regeneration images", "",
          "| services | operation | image | outcome | written |", "|---|---|---|---|---|"]
lines += [f"| {r[0]} | {r[1]} | {r[2]} | {r[3]} | {r[4]} |" for r in bad]
lines.append("")

lines += ["## Fuzzing (libFuzzer, AddressSanitizer and UBSan)", "",
          "| target | seconds | executions | crashes |", "|---|---|---|---|"]
lines += [f"| {r[0]} | {r[1]} | {r[2]} | {r[3]} |" for r in rows("fuzz-stats")[1:]]
lines.append("")

lines += ["## Sanitizers", "", "| suite | tests passed | tests failed | sanitizer reports |", "|---|---|---|---|"]
for suite in ("unit-asan", "posix-asan"):
    path = os.path.join(out, suite + ".log")
    text = open(path).read() if os.path.exists(path) else ""
    passed = re.findall(r"\[  PASSED  \] (\d+) test", text)
    failed = re.findall(r"\[  FAILED  \] (\d+) test", text)
    reports = len(re.findall(r"ERROR: (Address|Leak)Sanitizer|runtime error:", text))
    lines.append(f"| {suite} | {passed[-1] if passed else 0} | {failed[-1] if failed else 0} | {reports} |")
lines.append("")
t, c = summary("tables.log"), summary("checks.log")
lines += [f"Runs: unit and e2e {t[0]} passed, {t[1]} failed; sanitizer and fuzz suites {c[0]} passed, {c[1]} failed.", ""]
open("docs/reliability.md", "w").write("\n".join(lines))
PY
echo "docs/reliability.md written"
[ $tables_rc -eq 0 ] && [ $checks_rc -eq 0 ]
