#!/usr/bin/env python3
"""The include check on planted trees, and on this repository."""
import os
import subprocess
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
CHECK = os.path.join(ROOT, "scripts", "check-layers.py")

# Tree, expected exit status, lines the report must hold (exactly these
# offending lines, no others).
CASES = {
    "renderer-sees-logic": (1, ["platform/qt/Peek.cpp:5: the qt-renderer layer may not include app/MainForm.h (logic)"]),
    "logic-sees-qt": (1, ["app/Sneak.cpp:2: the logic layer may not include the Qt header <QLabel>"]),
    "services-see-logic": (1, ["platform/posix/Reach.cpp:4: the linux-services layer may not include "
                               "media/DisketteWriter.h (logic)"]),
    "renderer-sees-services": (1, ["platform/win32/Peek.cpp:3: the win32-renderer layer may not include "
                                   "platform/windows/Win32Kernel.h (windows-services)"]),
    "stray-folder": (1, ["misc/Stray.cpp: lies in no layer; add its folder to LAYERS in scripts/check-layers.py"]),
    "allowed": (0, []),
}


def run_check(root):
    result = subprocess.run([sys.executable, CHECK, "--root", root], capture_output=True, text=True, timeout=60)
    lines = result.stdout.splitlines()
    return result.returncode, [line for line in lines if not line.startswith("check-layers:")]


class Fixtures(unittest.TestCase):
    pass


def make_case(name, status, expected):
    def test(self):
        code, problems = run_check(os.path.join(HERE, "fixtures", name))
        self.assertEqual(problems, expected)
        self.assertEqual(code, status)
    return test


for _name, (_status, _expected) in CASES.items():
    setattr(Fixtures, "test_" + _name.replace("-", "_"), make_case(_name, _status, _expected))


class Repository(unittest.TestCase):
    def test_every_include_keeps_to_its_layer(self):
        code, problems = run_check(ROOT)
        self.assertEqual(problems, [])
        self.assertEqual(code, 0)


if __name__ == "__main__":
    unittest.main()
