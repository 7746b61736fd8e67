#!/usr/bin/env python3
"""Holds the include lines to the layers.

Every header is included by its path from the repository root, and every
target has the root as include folder, so the compiler would let any file
include any header. This check gives each source file and each included
header a layer (by path, the table below) and fails when a file includes a
header from a layer its own may not see. It also keeps native headers (Qt,
<windows.h>, POSIX) out of the layers that must build everywhere.

    scripts/check-layers.py [--root DIR] [PATH...]

With no PATH it checks every C++ file under DIR (default: the repository).
Exits 1 with one line per offending include, 0 when every include is allowed.
"""
import argparse
import fnmatch
import os
import re
import sys

# Path patterns to layers; the first that matches wins, so a file named in a
# folder comes before the folder. Tests, fakes and benchmarks see everything.
LAYERS = [
    ("tests/*", "tests"),
    ("bench/*", "bench"),
    ("product/*", "product"),  # generated from project() into the build tree
    ("cmake/Product.h.in", "product"),
    ("platform/forms/*", "model"),
    ("platform/fat12/*", "fat12"),
    ("platform/posix/*", "linux-services"),
    ("platform/qt/*", "qt-renderer"),
    ("platform/windows/WinApi.h", "windows-api"),
    ("platform/windows/Text.*", "windows-api"),
    ("platform/windows/*", "windows-services"),
    ("platform/win32/*", "win32-renderer"),
    ("platform/*.h", "services-api"),
    ("media/ImageLayout.h", "image-layout"),
    ("app/*", "logic"),
    ("media/*", "logic"),
    ("feedback/*", "logic"),
    ("tools/*", "sample-tool"),
    ("programs/linux/*", "linux-program"),
    ("programs/windows/*", "windows-program"),
]

# The layers each layer may include besides its own. Mirrors the CMake links.
ALLOWED = {
    "model": set(),
    "services-api": set(),
    "image-layout": set(),
    "product": set(),
    "fat12": set(),
    "windows-api": set(),
    "logic": {"model", "services-api", "image-layout", "product"},
    "linux-services": {"services-api", "fat12"},
    "windows-services": {"services-api", "windows-api"},
    "qt-renderer": {"model"},
    "win32-renderer": {"model", "windows-api"},
    "sample-tool": {"image-layout", "fat12"},
    "linux-program": {"logic", "model", "services-api", "product", "linux-services", "qt-renderer"},
    "windows-program": {"logic", "model", "services-api", "product", "windows-api", "windows-services",
                        "win32-renderer"},
}
EVERYTHING = {"tests", "bench"}

# Native headers and the layers that may include them; every other layer is
# portable C++ and its standard library.
QT = re.compile(r"^Q[A-Za-z]*$|^Qt[A-Za-z]*/")
WINDOWS = re.compile(r"^(windows|winver|winioctl|commctrl|commdlg|richedit|shellapi|shlobj|winuser|wingdi|"
                     r"winbase|objbase|ole2|uxtheme)\.h$", re.IGNORECASE)
POSIX = re.compile(r"^(unistd|fcntl|spawn|pthread|dirent|dlfcn|poll|termios|pwd|grp|mntent|langinfo)\.h$"
                   r"|^(sys|linux|X11)/")
NATIVE = [
    ("Qt", QT, {"qt-renderer", "linux-program"}),
    ("Windows", WINDOWS, {"windows-api", "windows-services", "win32-renderer", "windows-program"}),
    ("POSIX", POSIX, {"linux-services", "linux-program"}),
]

SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".rc.in", ".h.in")
TOP_FOLDERS = ("app/", "media/", "feedback/", "platform/", "tools/", "programs/", "product/", "tests/", "bench/")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def layer_of(path):
    for pattern, layer in LAYERS:
        if fnmatch.fnmatchcase(path, pattern):
            return layer
    return None


def source_files(root):
    for folder, dirs, files in os.walk(root):
        dirs[:] = sorted(d for d in dirs if not d.startswith(".") and d not in ("build", "demo"))
        for name in sorted(files):
            if name.endswith(SOURCE_SUFFIXES):
                yield os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")


def check_file(root, path):
    """The problems of one file, as 'path:line: text' lines."""
    layer = layer_of(path)
    if layer is None:
        return [f"{path}: lies in no layer; add its folder to LAYERS in scripts/check-layers.py"]
    if layer in EVERYTHING:
        return []
    problems = []
    with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
        for number, line in enumerate(f, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            bracket, header = match.groups()
            where = f"{path}:{number}"
            if bracket == '"' or header.startswith(TOP_FOLDERS):
                target = layer_of(header)
                if target is None:
                    problems.append(f"{where}: includes {header}, which lies in no layer")
                elif target != layer and target not in ALLOWED[layer]:
                    problems.append(f"{where}: the {layer} layer may not include {header} ({target})")
                continue
            for family, pattern, allowed in NATIVE:
                if pattern.search(header) and layer not in allowed:
                    problems.append(f"{where}: the {layer} layer may not include the {family} header <{header}>")
    return problems


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    parser.add_argument("paths", nargs="*", help="files relative to the root (default: all)")
    args = parser.parse_args(argv)
    root = os.path.abspath(args.root)
    paths = args.paths or list(source_files(root))
    problems = [p for path in paths for p in check_file(root, path)]
    for problem in problems:
        print(problem)
    print(f"check-layers: {len(paths)} files, {len(problems)} forbidden includes")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
