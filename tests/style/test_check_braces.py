#!/usr/bin/env python3
"""The brace check on planted sources, and on this repository."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
CHECK = os.path.join(ROOT, "scripts", "check-braces.py")

# A planted source, and the report lines it must give (exactly these).
CASES = {
    "one-statement-braced": ("int f(int x) {\n    if (x) {\n        return 1;\n    }\n    return 0;\n}\n",
                             ["a.cpp:2: a body of one statement takes no braces: if (x) {"]),
    "loop-braced": ("void f(int* p, int n) {\n    for (int i = 0; i < n; ++i) {\n        p[i] = 0;\n    }\n}\n",
                    ["a.cpp:2: a body of one statement takes no braces: for (int i = 0; i < n; ++i) {"]),
    "two-statements": ("void g();\nint f(int x) {\n    if (x) {\n        g();\n        return 1;\n    }\n    return 0;\n}\n",
                       []),
    # One branch needs its braces, so the other keeps them too.
    "branches-alike": ("void g();\nint f(int x) {\n    if (x) {\n        g();\n        return 1;\n    } else {\n"
                       "        return 0;\n    }\n}\n", []),
    # GoogleTest's assertions are if/else inside: under an if they keep braces.
    "assertion-braced": ("void f(int x) {\n    if (x) {\n        EXPECT_EQ(x, 1);\n    }\n}\n", []),
    "no-braces": ("int f(int x) {\n    if (x) return 1;\n    return 0;\n}\n", []),
}


def run_check(root):
    result = subprocess.run([sys.executable, CHECK, "--root", root], capture_output=True, text=True, timeout=600)
    lines = result.stdout.splitlines()
    return result.returncode, [line for line in lines if not line.startswith("check-braces:")]


class Planted(unittest.TestCase):
    pass


def make_case(source, expected):
    def test(self):
        with tempfile.TemporaryDirectory() as root:
            shutil.copy(os.path.join(ROOT, ".clang-format"), root)
            with open(os.path.join(root, "a.cpp"), "w") as f:
                f.write(source)
            code, problems = run_check(root)
            self.assertEqual(problems, expected)
            self.assertEqual(code, 1 if expected else 0)
    return test


for name, (source, expected) in CASES.items():
    setattr(Planted, "test_" + name.replace("-", "_"), make_case(source, expected))


class Repository(unittest.TestCase):
    def test_the_tree_keeps_the_rule(self):
        code, problems = run_check(ROOT)
        self.assertEqual(problems, [])
        self.assertEqual(code, 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
