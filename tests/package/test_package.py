#!/usr/bin/python3
"""The Debian package as a desktop user gets it: the validators' verdicts on
its desktop entry, metadata and package, its manual page, and the unpacked
program started the way a menu starts it.

    test_package.py PACKAGE.deb SAMPLE_TOOL
SAMPLE_TOOL is dsck-sample, which writes a sample Dsck.tr and a blank diskette.
"""
import gzip
import os
import re
import shlex
import subprocess
import sys
import tempfile
import time
import unittest

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
APP_ID = "org.example.dorvane.Shell"
DEB = SAMPLE = None


def run(*args, **kwargs):
    return subprocess.run(list(args), capture_output=True, text=True, timeout=120, **kwargs)


def wait_for(condition, seconds=20.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if condition():
            return True
        time.sleep(0.2)
    return False


class Package(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.TemporaryDirectory()
        cls.tree = os.path.join(cls.scratch.name, "root")
        subprocess.run(["dpkg", "-x", DEB, cls.tree], check=True)

    @classmethod
    def tearDownClass(cls):
        cls.scratch.cleanup()

    def path(self, inside):
        return os.path.join(self.tree, inside.lstrip("/"))

    def test_validators_accept_the_desktop_entry_the_metadata_and_the_package(self):
        entry = run("desktop-file-validate", self.path(f"usr/share/applications/{APP_ID}.desktop"))
        self.assertEqual((entry.returncode, entry.stdout + entry.stderr), (0, ""))
        meta = run("appstreamcli", "validate", "--no-net", self.path(f"usr/share/metainfo/{APP_ID}.metainfo.xml"))
        self.assertEqual(meta.returncode, 0, meta.stdout)
        lint = run("lintian", "--fail-on", "error", DEB)
        self.assertEqual(lint.returncode, 0, lint.stdout)
        self.assertNotRegex(lint.stdout, r"(?m)^E: ")
        sys.stderr.write("lintian: " + (lint.stdout.strip() or "no tags") + "\n")

    def test_the_metadata_carries_the_projects_version(self):
        with open(os.path.join(ROOT, "CMakeLists.txt")) as f:
            top = f.read()
        version = re.search(r"project\(DorvaneShell\s+VERSION (\d+\.\d+)", top).group(1)
        date = re.search(r"set\(DORVANE_RELEASE_DATE (\S+)\)", top).group(1)
        with open(self.path(f"usr/share/metainfo/{APP_ID}.metainfo.xml")) as f:
            self.assertIn(f'<release version="{version}" date="{date}"/>', f.read())
        self.assertEqual(run("dpkg-deb", "-f", DEB, "Version").stdout.strip(), version)

    def test_the_manual_page_renders_and_agrees_with_help_and_the_readme(self):
        page = self.path("usr/share/man/man1/dorvane-shell.1.gz")
        shown = run("man", "-l", "-P", "cat", page, env=dict(os.environ, MANWIDTH="200"))
        self.assertEqual(shown.returncode, 0, shown.stderr)
        text = re.sub(r"\s+", " ", shown.stdout)
        helped = run(self.path("usr/bin/dorvane-shell"), "--help").stdout
        for option in re.findall(r"^  (-\S.*?)  ", helped, re.M):
            self.assertIn(re.sub(r"\s+", " ", option), text)
        for part in ("DORVANE_DRIVE_A", "Dsck.tr", "A.img", "EXIT STATUS", "WRITING A REAL FLOPPY"):
            self.assertIn(part, text.upper() if part.isupper() else text)
        # The README's steps for a real floppy, word for word.
        with open(os.path.join(ROOT, "README.md")) as f:
            readme = f.read()
        section = readme.split("### Writing a real floppy as a normal user", 1)[1].split("5. Start", 1)[0]
        for step in re.findall(r"^\d\. (.*?)(?=^\d\. |\Z)", section, re.M | re.S):
            self.assertIn(re.sub(r"\s+", " ", step.replace("`", "")).strip(), text)

    def test_started_from_its_menu_entry_it_makes_a_diskette_in_the_files_folder(self):
        program = self.path("usr/bin/dorvane-shell")
        self.assertEqual(run(program, "--version").stdout, "Dorvane Shell 1.32\n")
        home = os.path.join(self.scratch.name, "home")
        images = os.path.join(self.scratch.name, "images")
        os.makedirs(home)
        os.makedirs(images)
        run(SAMPLE, "--out", os.path.join(images, "Dsck.tr")).check_returncode()
        run(SAMPLE, "--blank-diskette", os.path.join(images, "A.img")).check_returncode()
        with open(self.path(f"usr/share/applications/{APP_ID}.desktop")) as f:
            exec_line = re.search(r"^Exec=(.*)$", f.read(), re.M).group(1)
        command = [program if a == "dorvane-shell" else os.path.join(images, "Dsck.tr") if a == "%f" else a
                   for a in shlex.split(exec_line)]
        self.assertEqual(command, [program, os.path.join(images, "Dsck.tr")])

        display = ":%d" % (150 + os.getpid() % 100)
        env = dict(os.environ, DISPLAY=display, HOME=home, QT_QPA_PLATFORM="xcb")
        env.pop("DORVANE_DRIVE_A", None)
        xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1)
        wm = subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        shell = subprocess.Popen(command, cwd=home, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                 text=True)
        try:
            def x(*args):
                return run(*args, env=env)

            def active(title):
                return x("xdotool", "getactivewindow", "getwindowname").stdout.strip() == title

            main = lambda: x("xdotool", "search", "--name", "^Dorvane Shell$").stdout.split()
            self.assertTrue(wait_for(main), "no main window")
            x("xdotool", "windowactivate", "--sync", main()[0])
            self.assertTrue(wait_for(lambda: active("Dorvane Shell")))
            x("xdotool", "key", "alt+r")
            time.sleep(0.5)
            x("xdotool", "key", "c")
            self.assertTrue(wait_for(lambda: active("Create Diskette")), "Create Diskette did not open")
            for keys in (["Return"], ["shift+Tab", "Return"]):  # OK, then Continue
                time.sleep(0.5)
                x("xdotool", "key", *keys)
            diskette = os.path.join(images, "A.img")
            made = lambda: "ZELKOR" in run("mdir", "-i", diskette, "::").stdout
            self.assertTrue(wait_for(made, 60), "no diskette was made")
            time.sleep(1)
            if os.environ.get("DORVANE_PACKAGE_SHOT"):
                x("import", "-window", "root", os.environ["DORVANE_PACKAGE_SHOT"])
            check = run("fsck.fat", "-n", diskette)
            self.assertEqual(check.returncode, 0, check.stdout)
            # Only the desktop's own caches (fontconfig's) may appear at home.
            self.assertEqual([n for n in os.listdir(home) if not n.startswith(".")], [], "written at home")
        finally:
            shell.terminate()
            shell.wait(timeout=10)
            wm.terminate()
            xvfb.terminate()
            wm.wait(timeout=10)
            xvfb.wait(timeout=10)


if __name__ == "__main__":
    DEB = os.path.abspath(sys.argv.pop(1))
    SAMPLE = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
