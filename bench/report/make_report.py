#!/usr/bin/env python3
"""Turns the results of bench/run.sh into one table, printed, and into
docs/performance.md with the machine, the findings and the method.

Every comparison is a ratio of two things measured in the same run, since
the machine is shared and absolute times move from run to run."""

import argparse
import datetime
import json
import os
import platform
import re
import shutil
import statistics
import subprocess
import tempfile
from pathlib import Path

UNITS = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
DISKETTE_RUN_BYTES = 788 * 512 + 720_896 + 96_256
FAT12_SIZES = [1 << 10, 1 << 12, 1 << 14, 1 << 16, 1 << 18, 1 << 20]


# ---------------------------------------------------------------- formatting

def fmt_time(seconds):
    if seconds >= 1:
        return f"{seconds:.2f} s"
    if seconds >= 1e-3:
        return f"{seconds * 1e3:.2f} ms"
    return f"{seconds * 1e6:.1f} µs"


def fmt_size(size):
    return f"{size / 1024:,.0f} KiB" if size < 1 << 20 else f"{size / (1 << 20):.1f} MiB"


def fmt_file(n):
    return f"{n >> 10} KiB" if n < 1 << 20 else f"{n >> 20} MiB"


def ratio(a, b):
    return f"{a / b:.2f}×" if a is not None and b else "—"


def quartiles(values):
    if len(values) < 4:
        return min(values), max(values)
    q = statistics.quantiles(values, n=4)
    return q[0], q[2]


def spread(values, fmt):
    lo, hi = quartiles(values)
    return f"IQR {fmt(lo)}–{fmt(hi)}, n={len(values)}"


def run(args):
    try:
        return subprocess.run(args, capture_output=True, text=True, timeout=60).stdout
    except (OSError, subprocess.SubprocessError):
        return ""


# ------------------------------------------------------------------- inputs

def load_benchmarks(path):
    """The benchmarks' times in seconds by run name, one per repetition, and the paired run's ratios."""
    data = json.loads(path.read_text())
    times, paired = {}, {}
    for b in data["benchmarks"]:
        if b.get("run_type") != "iteration":
            continue
        if b.get("error_occurred"):
            raise SystemExit(f"{b['name']}: {b.get('error_message')}")
        times.setdefault(b["run_name"], []).append(b["real_time"] * UNITS[b["time_unit"]])
        for key, value in b.items():
            if key.startswith("ratio_"):
                paired.setdefault(key[len("ratio_"):], []).append(value)
    return data["context"], times, paired


def series(times, family, arg=None):
    for name, values in times.items():
        parts = name.split("/")
        if parts[0] == family and (arg is None or parts[1] == str(arg)):
            return values
    return None


def load_json(path):
    return json.loads(path.read_text()) if path.exists() else None


# --------------------------------------------------------------- binaries

def elf_facts(path):
    if not path.exists():
        return None
    needed = re.findall(r"\(NEEDED\)\s+Shared library: \[([^\]]+)\]", run(["readelf", "-d", str(path)]))
    return {"size": path.stat().st_size, "stripped": stripped_size(path, "strip"), "imports": needed}


def pe_facts(path, triple):
    if not path.exists():
        return None
    objdump = shutil.which(f"{triple}-objdump") or shutil.which("objdump")
    dlls = re.findall(r"DLL Name: (\S+)", run([objdump, "-p", str(path)])) if objdump else []
    return {"size": path.stat().st_size, "stripped": stripped_size(path, f"{triple}-strip"), "imports": dlls,
            "to_chars": pe_to_chars_bytes(path, triple) if "DorvaneShell" in path.name else None}


def stripped_size(path, strip):
    if not shutil.which(strip):
        return None
    with tempfile.TemporaryDirectory() as tmp:
        out = Path(tmp) / "stripped"
        if subprocess.run([strip, "-o", str(out), str(path)], capture_output=True).returncode != 0:
            return None
        return out.stat().st_size


def size_text(facts):
    if facts is None:
        return "not built"
    if facts["stripped"] is None:
        return fmt_size(facts["size"])
    return f"{fmt_size(facts['stripped'])} stripped ({fmt_size(facts['size'])} as built)"


# ------------------------------------------------------------ allocations

FRAME_NOISE = re.compile(r"^(libc\.so|dorvane-alloc-count\+|main$|_start$|__libc_start_main)")


def short_frame(frame):
    """posix::DriveFile::create(std::string const&, ...) -> posix::DriveFile::create"""
    depth = 0
    for i, c in enumerate(frame):
        if c == "(" and depth == 0 and i > 0 and not frame.startswith("(anonymous namespace)", i):
            return frame[:i].replace("[abi:cxx11]", "")
        depth += c == "<"
        depth -= c == ">"
    return frame


def stack_text(frames):
    named = []
    for f in frames:
        if FRAME_NOISE.match(f):
            continue
        name = short_frame(f)
        named.append(name)
        if name == "media::WriteRegeneratingDiskette":
            break
    return " ← ".join(named) if named else "(no named frames)"


def allocation_rows(alloc):
    rows, findings, details = [], [], []
    memory, posix = alloc["memory"], alloc["posix"]
    mem_window = [r["window_allocations"] for r in memory]
    rows.append(("Allocations", "during the transfers, in-memory kernel (the shell's own code)",
                 " / ".join(str(n) for n in mem_window) + " (run 1 / run 2)", "must be 0", "—",
                 f"whole run: {' / '.join(str(r['run_allocations']) for r in memory)}"))
    posix_text = " / ".join(f"{r['window_allocations']} ({r['window_bytes']:,} B)" for r in posix)
    rows.append(("Allocations", "during the transfers, Linux services (PosixKernel)", posix_text + " (run 1 / run 2)",
                 "—", "—", f"whole run: {' / '.join(str(r['run_allocations']) for r in posix)}"))

    if all(n == 0 for n in mem_window):
        findings.append("The shell's own code allocates nothing during the transfers: with a kernel that never "
                        "allocates, 0 allocations between the first and the last progress report, in the first "
                        "run and in the second, and 0 in the whole run.")
    else:
        findings.append("**FINDING:** the shell's own code allocates during the transfers (in-memory kernel: "
                        f"{' / '.join(map(str, mem_window))}); the stacks are under Details.")
    for label, runs in (("in-memory kernel", memory), ("Linux services", posix)):
        for i, r in enumerate(runs):
            if not r["window_stacks"]:
                continue
            details.append(f"**{label}, run {i + 1}:** {r['window_allocations']} allocations, "
                           f"{r['window_bytes']:,} bytes, between the first and the last report "
                           f"(allocations, bytes in all, call stack innermost first):")
            details.append("")
            for s in sorted(r["window_stacks"], key=lambda s: -s["bytes"]):
                details.append(f"- {s['count']}, {s['bytes']:,} B: `{stack_text(s['frames'])}`")
            details.append("")

    def opening(stack):
        return any("CreateFileA" in f for f in stack["frames"])

    first = posix[0]
    elsewhere = [s for r in posix for s in r["window_stacks"] if not opening(s)]
    where = sorted({short_frame(next((f for f in s["frames"] if not FRAME_NOISE.match(f)), "?"))
                    for r in posix for s in r["window_stacks"]})
    extra = first["window_allocations"] - posix[-1]["window_allocations"]
    text = (f"The Linux services allocate {first['window_allocations']} times ({first['window_bytes']:,} bytes) "
            f"between the first and the last report of the program's first run and "
            f"{posix[-1]['window_allocations']} times in a later one"
            + (f" (the {extra} more are the C library's, made once per process when `DriveFile::create` first "
               f"asks for the local time to stamp a directory entry). " if extra > 0 else ". "))
    if not elsewhere:
        text += ("Every one of them is made while a diskette file is being opened (CreateFileA of \"a:/Dsck.tr\" "
                 "and \"a:zelkor.exe\": the name, the handle table, the FAT12 layer's copies of the table and "
                 "the root directory); none while sectors are read or written. Allocating functions: "
                 + ", ".join(f"`{w}`" for w in where) + ".")
    else:
        text += (f"**FINDING:** {len(elsewhere)} stacks allocate outside the opening of a file; see Details.")
    findings.append(text)
    return rows, findings, details


# -------------------------------------------------------- start-up profile

PROFILE_PARTS = ["before the first form window: process start, libraries, QApplication, services, the main form",
                 "main window's widgets (Form1)", "Create Diskette dialog's widgets (Form2, hidden)",
                 "About box's widgets (hidden)",
                 "Feedback form's widgets (hidden), then showing and painting the main window"]


def callgrind_total(path):
    for line in path.read_text(errors="replace").splitlines():
        if line.startswith(("summary:", "totals:")):
            return int(line.split()[1])
    return 0


def callgrind_inclusive(path, function):
    out = run(["callgrind_annotate", "--inclusive=yes", "--threshold=100", str(path)])
    for line in out.splitlines():
        if function in line:
            return int(line.split()[0].replace(",", ""))
    return 0


def startup_profile(results):
    """The parts of the one callgrind run, one per form window built, in the order the forms are created."""
    base = results / "callgrind" / "startup.out"
    if not base.exists():
        return None
    numbered = sorted(base.parent.glob("startup.out.*"), key=lambda p: int(p.suffix[1:]))
    parts = numbered + [base]  # the file without a number holds the last part
    if len(parts) != len(PROFILE_PARTS):
        return None
    totals = [callgrind_total(p) for p in parts]
    fonts = callgrind_inclusive(parts[1], "QFontconfigDatabase::populateFontDatabase")
    show = callgrind_inclusive(parts[-1], "qtui::QtBackend::run")
    return {"totals": totals, "fonts": fonts, "show": show}


def profile_findings(profile):
    if profile is None:
        return [], ["Start-up profile: not available (valgrind missing, or the form windows could not be told "
                     "apart).", ""]
    t = profile["totals"]
    whole = sum(t)
    hidden = t[2] + t[3] + (t[4] - profile["show"])
    pct = lambda n: f"{100 * n / whole:.0f}%"
    details = ["**Where the start-up goes** (instructions up to the first paint of `dorvane-shell`, offscreen, one "
               f"callgrind run; {whole / 1e6:.0f} M in all):", ""]
    for i, (label, n) in enumerate(zip(PROFILE_PARTS, t)):
        details.append(f"- {label}: {n / 1e6:.1f} M ({pct(n)})")
        if i == 1:
            details.append(f"  - of which the font database (fontconfig, at the first text): "
                           f"{profile['fonts'] / 1e6:.1f} M ({pct(profile['fonts'])}), paid by any Qt program "
                           f"that shows text")
        if i == len(t) - 1:
            details.append(f"  - of which showing and painting the main window: {profile['show'] / 1e6:.1f} M "
                           f"({pct(profile['show'])})")
    details.append("")
    finding = (f"Start-up: building the widgets of the three hidden forms (Create Diskette, About, Feedback) "
               f"takes about {pct(hidden)} of the instructions before the first paint; the font database "
               f"{pct(profile['fonts'])}. The Qt renderer builds every form's window when the form is created "
               f"(`QtBackend::formCreated`); building it when the form is first shown would take that share "
               f"off the start-up.")
    return [finding], details


def pe_to_chars_bytes(path, triple):
    """Bytes of the floating-point std::to_chars code and tables (ryu) linked into a static executable,
    measured as the distance from each of their symbols to the next one."""
    nm = shutil.which(f"{triple}-nm")
    if not nm or not path.exists():
        return None
    symbols = []
    for line in run([nm, "-n", str(path)]).splitlines():
        parts = line.split(None, 2)
        if len(parts) == 3 and re.fullmatch(r"[0-9a-fA-F]+", parts[0]):
            symbols.append((int(parts[0], 16), parts[1], parts[2]))
    total = 0
    for (address, kind, name), (following, _, _) in zip(symbols, symbols[1:]):
        if kind in "tTrR" and re.search(r"ryu|floating_to_chars", name) and following - address < 1 << 20:
            total += following - address
    return total


# ------------------------------------------------------------------ report

def build_rows(args, context, times, paired, alloc, startup, sizes, profile):
    rows, findings, details = [], [], []

    area = "Diskette run (A.img, write-through)"
    bare = series(times, "DisketteRun", "Bare")
    mb = statistics.median(bare)
    rows.append((area, "reference: bare system calls (15 O_DSYNC pwrite, FAT12 layer direct)", fmt_time(mb), "—",
                 "1.00×", spread(bare, fmt_time)))
    medians = {}
    for way, key, measure, note in (
            ("Shell", "shell", "dorvane shell: WriteRegeneratingDiskette on PosixKernel", ""),
            ("DdMcopy", "dd_mcopy", "what a user would type: dd oflag=dsync + mcopy -i",
             "; 2 processes; mcopy does not sync"),
            ("DdMcopySync", "dd_mcopy_sync", "the same + sync -d A.img (as durable as the shell)", "; 3 processes")):
        values = series(times, "DisketteRun", way)
        medians[key] = statistics.median(values)
        pair = statistics.median(paired[key])
        rows.append((area, measure, fmt_time(medians[key]), fmt_time(mb), f"{pair:.2f}×",
                     spread(values, fmt_time) + f"; ratio paired (unpaired {medians[key] / mb:.2f}×)" + note))
    shell_ratio = statistics.median(paired["shell"])
    shell_spread = quartiles(paired["shell"])
    findings.append(
        f"A whole Create Diskette run onto an image costs {shell_ratio:.2f}× the bare system calls for the same "
        f"bytes (median of paired runs; interquartile range of the repetitions {shell_spread[0]:.2f}–{shell_spread[1]:.2f}×, "
        f"about {fmt_time(medians['shell'])} a run here); dd and mcopy, started as two programs, cost "
        f"{statistics.median(paired['dd_mcopy']):.2f}×, and {statistics.median(paired['dd_mcopy_sync']):.2f}× with "
        f"the `sync -d` that makes their result as durable as the shell's."
        + (" The shell adds no overhead that this machine can measure: the interquartile range includes 1."
           if shell_spread[0] <= 1.0 <= shell_spread[1] else "")
        + (" **FINDING:** more than half again the bare cost." if shell_ratio > 1.5 else ""))

    by_length = {n: statistics.median(series(times, "ShellRun_ImageSectors", n)) for n in (1321, 1408, 3000)}
    for n, t in by_length.items():
        rows.append(("Cost as work grows", f"shell run, {n:,}-sector image (1,408 read)",
                     f"{t * 1e9 / DISKETTE_RUN_BYTES:.2f} ns/B", f"{by_length[1408] * 1e9 / DISKETTE_RUN_BYTES:.2f} ns/B",
                     ratio(t, by_length[1408]), f"{fmt_time(t)} per run, {DISKETTE_RUN_BYTES:,} B written"))
    worst = max(by_length.values()) / min(by_length.values())
    findings.append(f"The run's cost does not depend on the image's length beyond what it reads: the 1,321-, 1,408- "
                    f"and 3,000-sector images are within {100 * (worst - 1):.0f}% of each other.")

    for storage, label in (("Fat12Write_Memory", "memory"), ("Fat12Write_File", "image file + fdatasync")):
        med = {n: statistics.median(series(times, storage, n)) for n in FAT12_SIZES}
        per_byte = {n: med[n] * 1e9 / n for n in FAT12_SIZES}
        marginal = {}
        for small, big in zip(FAT12_SIZES, FAT12_SIZES[1:]):
            marginal[big] = (med[big] - med[small]) * 1e9 / (big - small)
        for n in FAT12_SIZES:
            note = f"{fmt_time(med[n])} per file"
            if n in marginal:
                note += f"; marginal {marginal[n]:.3f} ns/B"
            rows.append((f"FAT12 layer, {label}", f"one {fmt_file(n)} file: mount, create, write, close",
                         f"{per_byte[n]:.3f} ns/B", f"1 MiB: {per_byte[1 << 20]:.3f} ns/B",
                         ratio(per_byte[n], per_byte[1 << 20]), note))
        top = [marginal[1 << 18], marginal[1 << 20]]
        flat = 0.67 <= top[1] / top[0] <= 1.5 if top[0] > 0 else False
        findings.append(
            f"FAT12 layer ({label}): each further byte costs {top[0]:.3f} ns from 64 to 256 KiB and {top[1]:.3f} ns "
            f"from 256 KiB to 1 MiB, " + ("flat: the cost grows linearly with the file. " if flat else
                                          "**FINDING: not flat**: the cost per byte grows with the file. ")
            + f"Small files are dominated by the fixed cost of mounting and creating "
              f"({fmt_time(med[1 << 10])} for 1 KiB).")

    a_rows, a_findings, a_details = allocation_rows(alloc)

    for key, label, measure, note in (
            ("offscreen-empty", "Start-up, Qt offscreen", "to first paint", "dorvane-shell / empty Qt window"),
            ("offscreen-text", "Start-up, Qt offscreen", "to first paint",
             "dorvane-shell / Qt window with one line of text"),
            ("xcb", "Start-up, Qt on Xvfb (xcb)", "to first paint", "dorvane-shell / empty Qt window"),
            ("wine", "Start-up, Windows x86_64 under Wine (Xvfb)", "to window mapped",
             "DorvaneShell.exe / minimal Win32 window")):
        result = startup.get(key)
        if isinstance(result, str) or result is None:
            why = result or "not measured"
            rows.append((label, f"time {measure}", why, "—", "—", note))
            if key == "wine":
                findings.append(f"Windows start-up under Wine: {why}.")
            continue
        ta, tb = statistics.median(result["a"]["ms"]), statistics.median(result["b"]["ms"])
        ra, rb = statistics.median(result["a"]["rss_kb"]), statistics.median(result["b"]["rss_kb"])
        rows.append((label, f"time {measure}", f"{ta:.1f} ms", f"{tb:.1f} ms", ratio(ta, tb),
                     f"{note}; {spread(result['a']['ms'], lambda v: f'{v:.0f} ms')}"))
        rows.append((label, "peak resident memory (ru_maxrss)", f"{ra / 1024:.1f} MiB", f"{rb / 1024:.1f} MiB",
                     ratio(ra, rb), note))
        if key == "wine":
            # The first warm-up run is the first program of the Wine session: it waits for Wine's own helper
            # processes to start.
            cold = result["a"]["warmup_ms"][0] if result["a"]["warmup_ms"] else None
            cold_text = ""
            if cold:
                verdict = ("Wine's own start dominates a cold start" if cold - ta > ta else
                           f"Wine's own start adds {cold - ta:.0f} ms to a cold start")
                cold_text = (f"a cold start, the first program of a Wine session while Wine starts its own helper "
                             f"processes, took {cold:.0f} ms ({cold / ta:.1f}× a warm start of the same program): "
                             f"{verdict}. ")
            findings.append(
                f"Under Wine: {cold_text}With Wine warm, the minimal Win32 window still takes {tb:.0f} ms to be "
                f"mapped, Wine's cost per process ({100 * tb / ta:.0f}% of DorvaneShell.exe's {ta:.0f} ms, "
                f"{ta / tb:.2f}×); peak memory {ra / 1024:.1f} MiB against {rb / 1024:.1f} MiB. These numbers say "
                f"little about Windows itself.")
        else:
            findings.append(f"{label}: dorvane-shell paints its main window {ta / tb:.2f}× as late as "
                            f"the {note.split(' / ')[1]} ({ta:.1f} ms against {tb:.1f} ms), with {ra / rb:.2f}× its "
                            f"peak memory ({ra / 1024:.1f} MiB against {rb / 1024:.1f} MiB).")

    p_findings, p_details = profile_findings(profile)
    findings += p_findings
    details += p_details

    for label, subject, floor, kind in sizes:
        if subject is None:
            rows.append(("Size", label, "not built", "—", "—", ""))
            if "DorvaneShell.exe" in label:
                findings.append(f"{label}: not built, so not measured.")
            continue
        if kind == "pe" and subject["stripped"] and subject["size"] > 1.25 * subject["stripped"] \
                and "RelWithDebInfo" not in label:
            findings.append(f"{label} is shipped unstripped: {fmt_size(subject['size'])} as built, "
                            f"{fmt_size(subject['stripped'])} stripped (symbols and the runtime libraries' debug "
                            f"sections). Linking the release build with `-s` would ship the smaller file.")
        if subject.get("to_chars"):
            findings.append(f"{label}: about {fmt_size(subject['to_chars'])} of its code and tables are the "
                            f"floating-point `std::to_chars` (ryu) that the static C++ library brings along for "
                            f"`FloatToText` (`feedback/VersionText.cpp`), which turns the one number 1.32 into "
                            f"text; the C runtime's `snprintf(\"%.15G\")`, whose conversion code the program "
                            f"already holds, would not need it.")
        base = floor["stripped"] if floor and floor["stripped"] else None
        kind_text = "NEEDED" if kind == "elf" else "imports"
        rows.append(("Size", label, size_text(subject), size_text(floor) if floor else "—",
                     ratio(subject["stripped"], base) if base and subject["stripped"] else "—",
                     f"{kind_text}: " + ", ".join(subject["imports"])))

    rows += a_rows
    findings += a_findings
    details += a_details
    return rows, findings, details


def table(rows):
    header = ("Area", "Measure", "Result", "Baseline", "Ratio", "Notes")
    cells = [header] + [tuple(str(c) for c in r) for r in rows]
    widths = [max(len(r[i]) for r in cells) for i in range(len(header))]
    lines = []
    for n, r in enumerate(cells):
        lines.append("| " + " | ".join(c.ljust(widths[i]) for i, c in enumerate(r)) + " |")
        if n == 0:
            lines.append("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    return "\n".join(lines)


def machine_facts(args, context):
    cpu = next((l.split(":", 1)[1].strip() for l in Path("/proc/cpuinfo").read_text().splitlines()
                if l.startswith("model name")), "unknown")
    mem_kb = next((int(l.split()[1]) for l in Path("/proc/meminfo").read_text().splitlines()
                   if l.startswith("MemTotal")), 0)
    mem = f"{mem_kb / (1 << 20):.1f} GiB"
    osname = next((l.split("=", 1)[1].strip('"') for l in Path("/etc/os-release").read_text().splitlines()
                   if l.startswith("PRETTY_NAME=")), "unknown")
    work = args.build / "work"
    fs = run(["findmnt", "-n", "-o", "FSTYPE", "-T", str(work if work.exists() else args.build)]).strip()
    cache = (args.build / "CMakeCache.txt").read_text() if (args.build / "CMakeCache.txt").exists() else ""
    cxx = re.search(r"CMAKE_CXX_COMPILER:\w+=(.*)", cache)
    compiler = run([cxx.group(1), "--version"]).splitlines()[0] if cxx else "unknown"

    def version(package):
        return run(["dpkg-query", "-W", "-f=${Version}", package]).strip() or "not installed"

    wine = run(["/usr/lib/wine/wine64", "--version"]).strip() if Path("/usr/lib/wine/wine64").exists() else "absent"
    commit = run(["git", "rev-parse", "--short", "HEAD"]).strip() or "unknown"
    load = context.get("load_avg", [])
    return [
        ("Date", datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M UTC")),
        ("Commit", commit + " (plus the working tree at the time of the run)"),
        ("CPU", f"{cpu}, nproc {os.cpu_count()}"),
        ("Memory", mem),
        ("System", f"{osname}, Linux {platform.release()}"),
        ("File system of the images", fs or "unknown"),
        ("Compiler", f"{compiler}, Release (-O3 -DNDEBUG)"),
        ("Libraries", f"Qt {version('qt6-base-dev')}, Google Benchmark {version('libbenchmark-dev')} "
                      f"(Debian builds it as {context.get('library_build_type', '?')}; only its timing loop runs)"),
        ("Wine", wine),
        ("Load average at the start", ", ".join(f"{x:.2f}" for x in load) if load else "unknown"),
        ("Run", f"{args.repetitions} repetitions per benchmark (random interleaving), {args.runs} start-ups per "
                f"program, {args.elapsed} s in all"),
    ]


METHOD = """\
- **Ratios, not times.** Every comparison is between things measured in the same run: the benchmarks'
  repetitions are interleaved at random (`--benchmark_enable_random_interleaving`), the start-ups alternate
  A B B A. The table gives medians; the notes give the interquartile range.
- **Diskette run.** Each benchmark has its own folder under `build/bench/work` (on the disk, not in memory)
  with the sample `Dsck.tr` and a blank formatted 1.44 MB `A.img`. Before every iteration the blank image is
  written back and `fdatasync`ed outside the timed part (manual timing), so no write-back is pending when the
  clock starts. The image is read from the page cache by all three.
  - *shell*: `media::WriteRegeneratingDiskette` with `posix::PosixKernel`, working directory and
    `DORVANE_DRIVE_A` as the program uses them: raw writes through `"\\\\.\\a:"` (O_DSYNC, volume lock),
    the two files through `"a:/Dsck.tr"` and `"a:zelkor.exe"` (FAT12 layer, `fdatasync` at close).
  - *reference* (`bench/support/BareDiskette.cpp`): one `pread` per transfer, 15 `pwrite`s at the
    transfers' offsets on one O_DSYNC descriptor, then one mount of `posix::fat12::Volume` over an
    `FdStorage` and both files written in the same blocks, each followed by one `fdatasync`.
  - *dd + mcopy*: `dd if=raw.bin of=A.img bs=64K conv=notrunc oflag=dsync` of the rebuilt raw area, then
    `mcopy -i A.img DSCK.TR ZELKOR.EXE ::`, each a process started with `posix_spawnp`; the three input
    files are made beforehand, untimed. mcopy does not sync (checked with strace), so a second variant adds
    `sync -d A.img`, which makes the result as durable as the shell's.
  - After the last iteration each diskette is checked: sector 0 and sectors 33-787 from the placements, and
    both files read back byte for byte. `bench_tests` checks beforehand that the reference writes exactly
    the shell's bytes (time stamps aside) for 1,321-, 1,408- and 3,000-sector images.
  - *Ratios* come from a paired benchmark: in each iteration the four ways run back to back on the same
    restored image, in an order that rotates, and each way's time is divided by the reference's from the same
    iteration; the table gives the median of those ratios (the separate benchmarks' medians give the times,
    and their plain quotient is in the notes). Runs seconds apart see the same machine; runs minutes apart
    may not.
- **Cost as work grows.** The shell's run on images of three lengths (it reads only the first 1,408
  sectors), and the FAT12 layer writing one file of 1 KiB to 1 MiB in blocks of at most 65,536 bytes onto
  the blank diskette: in memory (`MemoryStorage`, the layer's own cost) and on an image file with the
  `fdatasync` of the program's file close. *Marginal* cost is the extra time per extra byte between one size
  and the next; flat means linear.
- **Start-up.** `dorvane-startup-probe` starts each program with `posix_spawnp` and takes the monotonic clock
  just before. *First paint*: `libdorvane-paint-shim.so`, preloaded with `LD_PRELOAD` into both Qt programs
  (nothing in the product knows of it), installs an application-wide event filter from a
  `Q_COREAPP_STARTUP_FUNCTION`; after the first paint event of a visible window has been handled and flushed,
  a queued call writes the clock to a pipe and ends the process. *Window mapped* (Wine): the probe watches the
  X display for the `MapNotify` of a top-level window with the program's title, then kills the program. Peak
  resident memory is `ru_maxrss` from `wait4()` (for Wine, the program's own process: the wineserver and
  Wine's helper processes are not counted). The Linux programs are the Release `dorvane-shell` of
  `build/bench` and `bench/startup/MinimalQtWindow.cpp`: an empty window of the main window's client size,
  and the same window showing one line of text (`--text`), which starts the font system as the shell must;
  the Windows ones are `build/win64/.../DorvaneShell.exe` and `bench/windows/MinimalWindow.cpp`, built with
  the same MinGW-w64 compiler and static flags. Wine runs in `build/bench/wineprefix` without a virtual
  desktop, its server kept running; three warm-up runs are left out.
- **Where the start-up goes.** One run of `dorvane-shell` (offscreen, ended at its first paint by the shim)
  under `valgrind --tool=callgrind --dump-before='qtui::FormWindow::FormWindow*'`: one profile part per form
  window, in the forms' creation order, counted in instructions (which, unlike time, do not move with the
  machine's load).
- **Size.** File size as built and after `strip` (the debug information of a RelWithDebInfo build is not
  part of what runs); NEEDED entries from `readelf -d`, imported DLLs from `objdump -p`.
- **Allocations.** `dorvane-alloc-count` replaces `malloc` and its relatives (operator new reaches them) and
  counts every allocation between the first and the last progress report of a run, keeping the call stacks.
  Once with `bench/alloc/MemoryKernel.cpp`, a kernel in fixed arrays that never allocates (so any count is
  the shell's own code), once with `posix::PosixKernel` on an image on disk; two runs each, the first being
  the process's first (cold C library caches).
"""


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--build", type=Path, required=True)
    p.add_argument("--results", type=Path, required=True)
    p.add_argument("--out", type=Path, required=True)
    p.add_argument("--elapsed", type=int, default=0)
    p.add_argument("--repetitions", type=int, default=0)
    p.add_argument("--runs", type=int, default=0)
    args = p.parse_args()

    context, times, paired = load_benchmarks(args.results / "bench.json")
    alloc = load_json(args.results / "alloc.json")
    startup = {}
    for key in ("offscreen-empty", "offscreen-text", "xcb", "wine"):
        skip = args.results / f"startup-{key}.skip"
        startup[key] = skip.read_text().strip() if skip.exists() else load_json(args.results / f"startup-{key}.json")

    root = (args.build / ".." / "..").resolve()  # build/bench lies in the clone
    b = args.build
    minimal_qt = elf_facts(b / "bench" / "minimal-qt-window")
    sizes = [
        ("dorvane-shell, Release (measured above)", elf_facts(b / "programs/linux/dorvane-shell"), minimal_qt, "elf"),
        ("dorvane-shell, build/native (RelWithDebInfo, what ./run.sh starts)",
         elf_facts(root / "build/native/programs/linux/dorvane-shell"), minimal_qt, "elf"),
        ("DorvaneShell.exe i686 (win32 preset, Release)",
         pe_facts(root / "build/win32/programs/windows/DorvaneShell.exe", "i686-w64-mingw32"),
         pe_facts(b / "windows/MinimalWindow32.exe", "i686-w64-mingw32"), "pe"),
        ("DorvaneShell.exe x86_64 (win64 preset, RelWithDebInfo)",
         pe_facts(root / "build/win64/programs/windows/DorvaneShell.exe", "x86_64-w64-mingw32"),
         pe_facts(b / "windows/MinimalWindow64.exe", "x86_64-w64-mingw32"), "pe"),
    ]

    rows, findings, details = build_rows(args, context, times, paired, alloc, startup, sizes,
                                         startup_profile(args.results))
    text = table(rows)
    print(text)

    facts = machine_facts(args, context)
    def passed(log, pattern):
        path = args.results / log
        found = re.findall(pattern, path.read_text()) if path.exists() else []
        return f"{found[-1]} passed" if found else "not run"

    gtest = passed("checks.log", r"PASSED  \] (\d+ tests?)")
    unittests = passed("report-checks.log", r"Ran (\d+ tests?)")
    checks_line = f"`bench_tests` {gtest}, the report's own {unittests}"
    doc = ["# Performance", "",
           "_Generated by `bench/run.sh` from a real run; do not edit by hand. Run it again to refresh._", "",
           "Baseline is what each result is divided by to give the ratio. Sizes compare stripped files.", "",
           "## Machine", ""]
    doc += [f"- {k}: {v}" for k, v in facts]
    doc += ["", "## Results", "", text, "", "## Findings", ""]
    doc += [f"- {f}" for f in findings]
    doc += ["", "## Details", "", f"Checks run before measuring: {checks_line}.", ""]
    doc += details
    doc += ["", "## Method", "", METHOD,
            "## Running it", "",
            "```",
            "./test.sh            # once: installs the build packages, builds the native preset",
            "bench/run.sh         # builds build/bench (Release), measures, prints the table, writes this file",
            "bench/run.sh --quick # fewer repetitions, to try it out",
            "```", "",
            "The Windows rows are measured when `build/win32` and `build/win64` hold `DorvaneShell.exe` and Wine is "
            "installed (the `win32` suite of `./test.sh` builds both); otherwise they say \"not built\".", ""]
    args.out.parent.mkdir(parents=True, exist_ok=True)
    args.out.write_text("\n".join(doc))
    print(f"\nwritten: {args.out}")


if __name__ == "__main__":
    main()
