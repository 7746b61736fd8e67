#!/usr/bin/env python3
"""The tree's one brace rule: a body of one statement takes no braces.

clang-format decides what "one statement" means (RemoveBracesLLVM: not a
branch of an if/else whose other branch needs braces, not a body with a
comment of its own). A GoogleTest assertion is an if/else inside its macro,
so under an if it keeps its braces (GCC's -Wdangling-else says why). Each file is formatted twice, as the code is written
(.clang-format) and with the braces rule on; a difference that takes braces
out is a body that breaks the rule. Every other difference is ignored, so the
check does not ask for whole files to be reformatted.

    check-braces.py [--root DIR]
Exit status 1 when a body breaks the rule, with one line per body.
"""
import argparse
import difflib
import os
import re
import subprocess
import sys
import tempfile

SOURCES = (".cpp", ".h", ".c")
SKIP_DIRS = {"build", ".git", "fixtures", "node_modules"}


def sources(root):
    for folder, dirs, files in os.walk(root):
        dirs[:] = sorted(d for d in dirs if d not in SKIP_DIRS)
        for name in sorted(files):
            if name.endswith(SOURCES):
                yield os.path.join(folder, name)


def formatted(path, style_file):
    result = subprocess.run(["clang-format", "--style=file:" + style_file, path],
                            capture_output=True, text=True, check=True)
    return result.stdout.splitlines()


def braces(lines):
    return sum(line.count("{") + line.count("}") for line in lines)


ASSERTION = re.compile(r"\b(EXPECT|ASSERT)_[A-Z_]+\(")


def offending_lines(path, style, braces_style):
    """Line numbers (1-based, in the file as clang-format writes it) of the
    braces clang-format would take out."""
    written, without = formatted(path, style), formatted(path, braces_style)
    found = []
    matcher = difflib.SequenceMatcher(a=written, b=without, autojunk=False)
    for tag, i1, i2, j1, j2 in matcher.get_opcodes():
        if tag == "equal" or braces(written[i1:i2]) <= braces(without[j1:j2]):
            continue
        # The body lies after an opening brace taken out, before a closing one.
        if any(ASSERTION.search(line) for line in written[max(0, i1 - 2):i2 + 2]):
            continue
        found.append((i1 + 1, written[i1].strip()))
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", default=os.path.normpath(os.path.join(os.path.dirname(__file__), "..")))
    args = parser.parse_args()
    style = os.path.join(args.root, ".clang-format")
    with open(style) as f:
        rules = f.read()
    problems = 0
    with tempfile.TemporaryDirectory() as scratch:
        braces_style = os.path.join(scratch, ".clang-format")
        with open(braces_style, "w") as f:
            f.write(rules + "\nRemoveBracesLLVM: true\n")
        files = list(sources(args.root))
        for path in files:
            for line, text in offending_lines(path, style, braces_style):
                print(f"{os.path.relpath(path, args.root)}:{line}: a body of one statement takes no braces: {text}")
                problems += 1
    print(f"check-braces: {len(files)} files, {problems} bodies with braces they do not need")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
