#!/usr/bin/env python3
"""Reads the import table of the Windows release (objdump -p) and checks
every imported function against windows95-exports.txt: the functions that
the DLLs of Windows 95 export (and, for msvcrt.dll, that of Windows 98).
A fixture that imports two calls Windows 95 lacks must be refused, so that
the check cannot pass by construction.

    tests/imports/check_imports.py [-v]    after the win32 preset is built
DORVANE_RELEASE_EXE names another program to check."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
LIST = os.path.join(HERE, "windows95-exports.txt")


def tool(*names):
    for name in names:
        if shutil.which(name):
            return name
    raise unittest.SkipTest("none of %s is installed" % ", ".join(names))


def imports(exe):
    """{(DLL in upper case, function)} from the program's import table."""
    text = subprocess.run([tool("i686-w64-mingw32-objdump", "x86_64-w64-mingw32-objdump"), "-p", exe],
                          check=True, capture_output=True, text=True).stdout
    found, dll, inside = set(), None, False
    for line in text.splitlines():
        if line.startswith("The Import Tables"):
            inside = True
        elif inside and line.startswith("The "):
            break
        elif inside:
            m = re.match(r"\s*DLL Name: (\S+)", line)
            if m:
                dll = re.sub(r"\.DLL$", "", m.group(1).upper())
                continue
            m = re.match(r"^\t[0-9a-f]+\t\s*\d+\s+(\S+)$", line)
            if m and dll:
                found.add((dll, m.group(1)))
    return found


def exports_list(path=LIST):
    """({(DLL, function): status}, {source key}, [entry with an unknown source])"""
    entries, sources, rows = {}, set(), []
    with open(path, encoding="utf-8") as f:
        lines = f.readlines()
    for line in lines:
        if line.startswith("@"):
            sources.add(line.split()[0][1:])
            continue
        if not line.strip() or line.startswith("#"):
            continue
        dll, function, status, source = line.split()[:4]
        entries[(dll.upper(), function)] = status
        rows.append((dll, function, status, source))
    unsourced = [r for r in rows if r[3] not in sources]
    return entries, sources, unsourced


def refused(found, entries):
    return sorted(i for i in found if i not in entries)


def release():
    exe = os.environ.get("DORVANE_RELEASE_EXE")
    if exe:
        return exe
    built = os.path.join(ROOT, "build", "win32", "programs", "windows", "DorvaneShell.exe")
    if not os.path.exists(built):
        raise AssertionError(built + " is missing: build the win32 preset first")
    return built


class ImportCheck(unittest.TestCase):
    def test_every_entry_names_its_source(self):
        entries, _, unsourced = exports_list()
        self.assertGreater(len(entries), 100)
        self.assertEqual(unsourced, [])

    def test_release_imports_only_what_windows_95_exports(self):
        found = imports(release())
        self.assertGreater(len(found), 100, "the import table was not read")
        self.assertEqual(refused(found, exports_list()[0]), [])

    def test_release_c_runtime_is_msvcrt_of_windows_98(self):
        found = imports(release())
        entries = exports_list()[0]
        dlls = {dll for dll, _ in found}
        self.assertIn("MSVCRT", dlls)
        self.assertFalse({d for d in dlls if d.startswith(("MSVCR", "UCRT", "API-MS", "LIBSTDC", "LIBGCC",
                                                           "LIBWINPTHREAD"))} - {"MSVCRT"})
        self.assertEqual([f for d, f in found if d == "MSVCRT" and entries.get((d, f)) != "98crt"], [])

    def test_fixture_with_newer_calls_is_refused(self):
        compiler = tool("i686-w64-mingw32-gcc-win32", "i686-w64-mingw32-gcc")
        with tempfile.TemporaryDirectory() as folder:
            exe = os.path.join(folder, "fixture.exe")
            subprocess.run([compiler, "-O1", "-nostdlib", "-Wl,-e,_start", os.path.join(HERE, "Fixture.c"),
                            "-lcomctl32", "-luser32", "-lkernel32", "-o", exe], check=True)
            found = imports(exe)
        self.assertIn(("KERNEL32", "ExitProcess"), found)
        self.assertEqual(refused(found, exports_list()[0]), [("COMCTL32", "InitCommonControlsEx"), ("USER32", "TrackMouseEvent")])


if __name__ == "__main__":
    unittest.main()
