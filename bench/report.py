#!/usr/bin/env python3
"""Writes docs/performance.md from the results of bench/run.sh and prints its table.

    bench/report.py BUILD RESULTS OUT SECONDS REPETITIONS RUNS
"""
import glob, json, os, platform, re, statistics, subprocess, sys, time

build, results, out, seconds, reps, runs = sys.argv[1:7]
rows, findings = [], []


def sh(cmd):
    r = subprocess.run(cmd, shell=True, capture_output=True, text=True)
    return r.stdout.strip() if r.returncode == 0 else ""


def load(name):
    path = os.path.join(results, name)
    return json.load(open(path)) if os.path.exists(path) else None


def quartiles(values):
    q = statistics.quantiles(values, n=4) if len(values) > 1 else values * 3
    return statistics.median(values), q[0], q[2]


def ms(seconds_):
    return f"{seconds_ * 1e3:.2f} ms"


def row(area, measure, result, baseline="—", ratio=None, notes=""):
    rows.append([area, measure, result, baseline, "—" if ratio is None else f"{ratio:.2f}×", notes])


# Google Benchmark: every repetition's real time, in seconds, by name.
times = {}
counters = {}
for b in (load("bench.json") or {}).get("benchmarks", []):
    if b.get("run_type") != "iteration" or b.get("error_occurred"):
        continue
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[b["time_unit"]]
    name = re.sub(r"/(iterations:\d+|manual_time|repeats:\d+)", "", b["run_name"])
    times.setdefault(name, []).append(b["real_time"] * scale)
    for key in ("ratio_shell", "ratio_dd_mcopy", "ratio_dd_mcopy_sync"):
        if key in b:
            counters.setdefault(key, []).append(b[key])

area = "Diskette run (A.img, write-through)"
ways = [("DisketteRun/Bare", "reference: bare system calls (15 O_DSYNC pwrite, FAT12 layer direct)", None),
        ("DisketteRun/Shell", "dorvane shell: WriteRegeneratingDiskette on PosixKernel", "ratio_shell"),
        ("DisketteRun/DdMcopy", "what a user would type: dd oflag=dsync + mcopy -i", "ratio_dd_mcopy"),
        ("DisketteRun/DdMcopySync", "the same + sync -d A.img (as durable as the shell)", "ratio_dd_mcopy_sync")]
reference = statistics.median(times["DisketteRun/Bare"]) if "DisketteRun/Bare" in times else None
for name, measure, paired in ways:
    if name not in times:
        continue
    m, lo, hi = quartiles(times[name])
    ratio = statistics.median(counters[paired]) if paired in counters else 1.0
    notes = f"IQR {ms(lo)}–{ms(hi)}, n={len(times[name])}"
    if paired:
        notes += f"; ratio paired (unpaired {m / reference:.2f}×)"
    row(area, measure, ms(m), "—" if not paired else ms(reference), ratio, notes)
    if paired == "ratio_shell":
        findings.append(f"A whole Create Diskette run onto an image costs {ratio:.2f}× the bare system calls for "
                        f"the same bytes (median of paired runs, {ms(m)} a run here).")

run_bytes = 788 * 512 + 720896 + 96256
lengths = {int(k.split("/")[1]): statistics.median(v) for k, v in times.items() if k.startswith("ShellRun_ImageSectors/")}
for sectors, t in sorted(lengths.items()):
    base = lengths.get(1408, t)
    row("Cost as work grows", f"shell run, {sectors:,}-sector image (1,408 read)", f"{t / run_bytes * 1e9:.2f} ns/B",
        f"{base / run_bytes * 1e9:.2f} ns/B", t / base, f"{ms(t)} per run")

for kind, label in (("Memory", "memory"), ("File", "image file + fdatasync")):
    sizes = {int(k.split("/")[1]): statistics.median(v) for k, v in times.items()
             if k.startswith(f"Fat12Write_{kind}/")}
    if not sizes:
        continue
    big = max(sizes)
    per_byte = lambda n: sizes[n] / n * 1e9
    for n in sorted(sizes):
        size = f"{n // 1024} KiB" if n < 1 << 20 else f"{n >> 20} MiB"
        row(f"FAT12 layer, {label}", f"one {size} file: mount, create, write, close", f"{per_byte(n):.3f} ns/B",
            f"1 MiB: {per_byte(big):.3f} ns/B", per_byte(n) / per_byte(big), f"{sizes[n] * 1e6:.1f} µs per file")

# Start-up: the shell (a) against a yardstick (b).
startups = [("startup-offscreen-empty.json", "Start-up, Qt offscreen", "empty Qt window", "time to first paint"),
            ("startup-offscreen-text.json", "Start-up, Qt offscreen", "Qt window with one line of text",
             "time to first paint"),
            ("startup-xcb-empty.json", "Start-up, Qt on Xvfb (xcb)", "empty Qt window", "time to first paint"),
            ("startup-xcb-text.json", "Start-up, Qt on Xvfb (xcb)", "Qt window with one line of text",
             "time to first paint"),
            ("startup-wine.json", "Start-up, Windows x86_64 under Wine (Xvfb)", "minimal Win32 window",
             "time to window mapped")]
for name, area_, floor, measure in startups:
    s = load(name)
    if not s:
        continue
    a, b = s["a"], s["b"]
    ma, lo, hi = quartiles(a["ms"])
    mb = statistics.median(b["ms"])
    pairs = [x / y for x, y in zip(a["ms"], b["ms"])]
    ratio = statistics.median(pairs)
    _, rlo, rhi = quartiles(pairs)
    ra, rb = statistics.median(a["rss_kb"]) / 1024, statistics.median(b["rss_kb"]) / 1024
    program = "DorvaneShell.exe" if "wine" in name else "dorvane-shell"
    row(area_, measure, f"{ma:.1f} ms", f"{mb:.1f} ms", ratio,
        f"{program} / {floor}; run ratios {rlo:.2f}–{rhi:.2f}; IQR {lo:.0f}–{hi:.0f} ms, n={len(a['ms'])}")
    row(area_, "peak resident memory (ru_maxrss)", f"{ra:.1f} MiB", f"{rb:.1f} MiB", ra / rb, f"{program} / {floor}")
    findings.append(f"{area_}: {program} shows its main window {ratio:.2f}× as late as the {floor} "
                    f"({ma:.1f} ms against {mb:.1f} ms), with {ra / rb:.2f}× its peak memory.")
if os.path.exists(os.path.join(results, "startup-wine.skip")):
    findings.append("Under Wine: " + open(os.path.join(results, "startup-wine.skip")).read().strip() + ".")


def stripped(path, strip="strip"):
    tmp = os.path.join(results, "stripped")
    sh(f"{strip} -o {tmp} {path}")
    return os.path.getsize(tmp) // 1024 if os.path.exists(tmp) else 0


sizes = [(f"{build}/programs/linux/dorvane-shell", "dorvane-shell, Release", f"{build}/bench/minimal-qt-window",
          "strip", "readelf -d {} | sed -n 's/.*Shared library: \\[\\(.*\\)\\]/\\1/p'"),
         ("build/win32/programs/windows/DorvaneShell.exe", "DorvaneShell.exe i686 (win32 preset)",
          f"{build}/windows/MinimalWindow32.exe", "i686-w64-mingw32-strip",
          "i686-w64-mingw32-objdump -p {} | sed -n 's/.*DLL Name: //p'"),
         ("build/win64/programs/windows/DorvaneShell.exe", "DorvaneShell.exe x86_64 (win64 preset)",
          f"{build}/windows/MinimalWindow64.exe", "x86_64-w64-mingw32-strip",
          "x86_64-w64-mingw32-objdump -p {} | sed -n 's/.*DLL Name: //p'")]
for path, label, floor, strip, deps in sizes:
    if os.path.exists(path) and os.path.exists(floor):
        mine, theirs = stripped(path, strip), stripped(floor, strip)
        needed = ", ".join(sh(deps.format(path)).split("\n"))
        row("Size", label, f"{mine} KiB stripped ({os.path.getsize(path) // 1024} KiB as built)",
            f"{theirs} KiB stripped", mine / max(theirs, 1), f"needs: {needed}")

alloc = load("alloc.json")
if alloc:
    m, p = alloc["memory"], alloc["posix"]
    row("Allocations", "during the transfers, in-memory kernel (the shell's own code)",
        " / ".join(str(r["window_allocations"]) for r in m) + " (run 1 / run 2)", "must be 0", None,
        "whole run: " + " / ".join(str(r["run_allocations"]) for r in m))
    row("Allocations", "during the transfers, Linux services (PosixKernel)",
        " / ".join(f"{r['window_allocations']} ({r['window_bytes']:,} B)" for r in p) + " (run 1 / run 2)", "—", None,
        "whole run: " + " / ".join(str(r["run_allocations"]) for r in p))
    findings.append(f"During the transfers the shell's own code allocates {m[0]['window_allocations']} times; with "
                    f"the Linux services the run allocates {p[0]['window_allocations']} times "
                    f"({p[0]['window_bytes']:,} bytes) in the process's first run, {p[1]['window_allocations']} in a later one.")

# The start-up breakdown: fresh from a --profile run, otherwise as last measured.
parts = sorted(glob.glob(os.path.join(results, "callgrind", "startup.out*")))
old = open(out).read() if os.path.exists(out) else ""
if parts:
    counts = []
    for part in parts:
        text = open(part).read()
        found = re.search(r"^(?:summary|totals): (\d+)", text, re.M)
        counts.append(int(found.group(1)) if found else 0)
    total = sum(counts) or 1
    names = ["before the first form window: process start, libraries, QApplication, services, the forms' models"] + [
        f"form window {i} built (in the order the forms are first shown)" for i in range(1, len(counts))]
    names[-1] += ", then showing and painting the main window"
    breakdown = (f"**Where the start-up goes** (measured {time.strftime('%Y-%m-%d', time.gmtime())}: instructions up "
                 f"to the first paint of `dorvane-shell`, offscreen, one callgrind run; {total / 1e6:.0f} M in all):\n\n" +
                 "\n".join(f"- {n}: {c / 1e6:.1f} M ({100 * c / total:.0f}%)" for n, c in zip(names, counts)))
else:
    found = re.search(r"\*\*Where the start-up goes\*\*.*?(?=\n\n(?:\*\*|## ))", old, re.S)
    breakdown = found.group(0) if found else "**Where the start-up goes**: not measured yet (bench/run.sh --profile)."
    if found and "measured 20" not in breakdown:
        breakdown = breakdown.replace("(instructions", "(measured 2026-12-08: instructions", 1)

widths = [max(len(r[i]) for r in rows + [["Area", "Measure", "Result", "Baseline", "Ratio", "Notes"]]) for i in range(6)]
line = lambda cells: "| " + " | ".join(c.ljust(w) for c, w in zip(cells, widths)) + " |"
table = "\n".join([line(["Area", "Measure", "Result", "Baseline", "Ratio", "Notes"]),
                   "|" + "|".join("-" * (w + 2) for w in widths) + "|"] + [line(r) for r in rows])
cpu = sh("sed -n 's/^model name\\s*: //p' /proc/cpuinfo | head -n1")
machine = [f"Date: {time.strftime('%Y-%m-%d %H:%M UTC', time.gmtime())}",
           f"Commit: {sh('git rev-parse --short HEAD')} (plus the working tree at the time of the run)",
           f"CPU: {cpu}, nproc {os.cpu_count()}", f"System: {sh('. /etc/os-release && echo $PRETTY_NAME')}, "
           f"Linux {platform.release()}", f"Compiler: {sh('c++ --version | head -n1')}, Release (-O3 -DNDEBUG)",
           f"Load average at the start: {open(os.path.join(results, 'load')).read().strip()}",
           f"Run: {reps} repetitions per benchmark (random interleaving), {runs} start-ups per program, {seconds} s"]
method = open(os.path.join(os.path.dirname(__file__), "method.md")).read()
doc = f"""# Performance

_Generated by `bench/run.sh` from a real run; do not edit by hand. Run it again to refresh._

Baseline is what each result is divided by to give the ratio. Sizes compare stripped files.

## Machine

{chr(10).join('- ' + m for m in machine)}

## Results

{table}

## Findings

{chr(10).join('- ' + f for f in findings)}

## Details

{breakdown}

{method}"""
open(out, "w").write(doc)
print(table)
