"""The report must put the right number in the right cell: ratios from the
paired runs, ns per byte from the sizes, "not built" where nothing was
built, and a FINDING where the shell's own code allocates."""

import importlib.util
import json
import tempfile
import unittest
import unittest.mock
from pathlib import Path

loader_spec = importlib.util.spec_from_file_location("make_report", Path(__file__).with_name("make_report.py"))
report = importlib.util.module_from_spec(loader_spec)
loader_spec.loader.exec_module(report)


def entry(name, ms, **counters):
    return dict({"name": name, "run_name": name, "run_type": "iteration", "real_time": ms, "time_unit": "ms"},
                **counters)


def benchmarks(bare=4.0, shell=5.0, paired_shell=1.10):
    rows = []
    for _ in range(3):
        rows += [entry("DisketteRun/Bare/iterations:8/manual_time", bare),
                 entry("DisketteRun/Shell/iterations:8/manual_time", shell),
                 entry("DisketteRun/DdMcopy/iterations:8/manual_time", 6.0),
                 entry("DisketteRun/DdMcopySync/iterations:8/manual_time", 8.0),
                 entry("DisketteRun_Paired/iterations:4/manual_time", 20.0, ratio_shell=paired_shell,
                       ratio_dd_mcopy=1.5, ratio_dd_mcopy_sync=2.0)]
        for n, t in ((1321, 4.1), (1408, 4.0), (3000, 4.2)):
            rows.append(entry(f"ShellRun_ImageSectors/{n}/iterations:8/manual_time", t))
        for storage in ("Fat12Write_Memory", "Fat12Write_File"):
            for size in report.FAT12_SIZES:
                # 1 µs fixed plus 0.1 ns per byte: flat.
                rows.append(entry(f"{storage}/{size}/iterations:5/manual_time", (1000 + 0.1 * size) / 1e6))
    return {"context": {"load_avg": [0.5, 0.5, 0.5], "library_build_type": "release"}, "benchmarks": rows}


def allocations(memory_window=0):
    stack = {"count": memory_window, "bytes": 64,
             "frames": ["media::(anonymous namespace)::copyImage(sys::Kernel&, int)", "media::WriteRegeneratingDiskette()",
                        "main"]}
    memory = {"ok": True, "wrong": "", "reports": 22, "run_allocations": memory_window, "run_bytes": 0,
              "window_allocations": memory_window, "window_bytes": 64 if memory_window else 0,
              "window_stacks": [stack] if memory_window else []}
    posix = {"ok": True, "wrong": "", "reports": 22, "run_allocations": 20, "run_bytes": 100,
             "window_allocations": 14, "window_bytes": 100,
             "window_stacks": [{"count": 14, "bytes": 100,
                                "frames": ["posix::fat12::Volume::mount()", "posix::PosixKernel::CreateFileA(char const*)",
                                           "media::WriteRegeneratingDiskette()"]}]}
    return {"memory": [memory, memory], "posix": [posix, posix]}


class Report(unittest.TestCase):
    maxDiff = 2000

    def make(self, bench=None, alloc=None, wine=None):
        tmp = Path(self.enterContext(tempfile.TemporaryDirectory()))
        build = tmp / "build" / "bench"
        results = build / "results"
        results.mkdir(parents=True)
        (results / "bench.json").write_text(json.dumps(bench or benchmarks()))
        (results / "alloc.json").write_text(json.dumps(alloc or allocations()))
        probe = {"mode": "paint", "a": {"warmup_ms": [900.0], "ms": [30.0, 32.0, 34.0], "rss_kb": [28000] * 3},
                 "b": {"warmup_ms": [100.0], "ms": [10.0, 12.0, 14.0], "rss_kb": [20000] * 3}}
        for key in ("offscreen-empty", "offscreen-text", "xcb"):
            (results / f"startup-{key}.json").write_text(json.dumps(probe))
        if wine:
            (results / "startup-wine.skip").write_text(wine)
        else:
            (results / "startup-wine.json").write_text(json.dumps(probe))
        out = tmp / "performance.md"
        argv = ["make_report.py", "--build", str(build), "--results", str(results), "--out", str(out)]
        with unittest.mock.patch("sys.argv", argv), unittest.mock.patch("builtins.print"):
            report.main()
        return out.read_text()

    def row(self, doc, measure):
        line = next(l for l in doc.splitlines() if l.startswith("|") and measure in l)
        return [c.strip() for c in line.strip("|").split("|")]

    def test_the_shells_ratio_is_the_paired_median_not_the_quotient_of_medians(self):
        doc = self.make(benchmarks(bare=4.0, shell=5.0, paired_shell=1.10))
        cells = self.row(doc, "WriteRegeneratingDiskette")
        self.assertEqual(cells[2:5], ["5.00 ms", "4.00 ms", "1.10×"])
        self.assertIn("unpaired 1.25×", cells[5])
        self.assertEqual(self.row(doc, "reference: bare")[4], "1.00×")

    def test_fat12_rows_give_nanoseconds_per_byte_and_call_a_linear_cost_flat(self):
        doc = self.make()
        cells = self.row(doc, "one 1 MiB file")
        self.assertEqual(cells[2], f"{(1000 + 0.1 * 2**20) / 2**20:.3f} ns/B")
        self.assertIn("marginal 0.100 ns/B", cells[5])
        self.assertNotIn("not flat", doc)

    def test_what_was_not_built_says_so(self):
        doc = self.make(wine="not built: build/win64/programs/windows/DorvaneShell.exe is missing")
        self.assertIn("not built: build/win64/programs/windows/DorvaneShell.exe is missing",
                      self.row(doc, "to window mapped")[2])
        self.assertEqual(self.row(doc, "DorvaneShell.exe i686")[2], "not built")

    def test_an_allocation_in_the_shells_own_code_is_a_finding_with_its_stack(self):
        clean = self.make()
        self.assertNotIn("FINDING", clean)
        doc = self.make(alloc=allocations(memory_window=2))
        self.assertIn("**FINDING:** the shell's own code allocates", doc)
        self.assertIn("media::(anonymous namespace)::copyImage ← media::WriteRegeneratingDiskette", doc)

    def test_a_failed_benchmark_stops_the_report(self):
        broken = benchmarks()
        broken["benchmarks"][0]["error_occurred"] = True
        broken["benchmarks"][0]["error_message"] = "wrong diskette: DSCK.TR is missing"
        with self.assertRaises(SystemExit) as stop:
            self.make(broken)
        self.assertIn("DSCK.TR is missing", str(stop.exception))


class Frames(unittest.TestCase):
    def test_names_lose_their_parameters_but_keep_template_arguments(self):
        cases = [
            ("posix::DriveFile::create(std::string const&, unsigned int)", "posix::DriveFile::create"),
            ("posix::driveATargetPath[abi:cxx11]()", "posix::driveATargetPath"),
            ("std::_Function_handler<void (forms::Prop), X>::_M_invoke(std::_Any_data const&)",
             "std::_Function_handler<void (forms::Prop), X>::_M_invoke"),
            ("media::(anonymous namespace)::writeRawArea(sys::Kernel&)", "media::(anonymous namespace)::writeRawArea"),
            ("__strdup", "__strdup"),
        ]
        for frame, expected in cases:
            with self.subTest(frame=frame):
                self.assertEqual(report.short_frame(frame), expected)

    def test_a_stack_stops_at_the_writer_and_skips_unnamed_frames(self):
        frames = ["libc.so.6+1234", "posix::fat12::Volume::mount()", "media::WriteRegeneratingDiskette(sys::Kernel&)",
                  "main", "_start"]
        self.assertEqual(report.stack_text(frames), "posix::fat12::Volume::mount ← media::WriteRegeneratingDiskette")


if __name__ == "__main__":
    unittest.main()
