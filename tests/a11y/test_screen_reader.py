#!/usr/bin/python3
"""What a screen reader hears of the Linux program, read over the
accessibility bus with pyatspi (the library Orca uses): window roles, links
with a press action, named fields and groups, missing answers announced.

Run inside a D-Bus session of its own (dbus-run-session); it starts Xvfb,
openbox, the accessibility bus and the program itself.
    test_screen_reader.py PROGRAM
"""
import os
import subprocess
import sys
import tempfile
import time
import unittest

import pyatspi

PROGRAM = None


def wait_for(condition, seconds=10.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            found = condition()
        except Exception:  # the tree changes while it is read
            found = None
        if found:
            return found
        time.sleep(0.1)
    return None


def descendants(acc):
    for child in acc:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def states(acc):
    return set(acc.getState().getStates())


def press(acc):
    action = acc.queryAction()
    names = [action.getName(i).lower() for i in range(action.nActions)]
    for wanted in ("press", "click", "activate"):
        if wanted in names:
            action.doAction(names.index(wanted))
            return
    raise AssertionError(f"{acc.getRoleName()} {acc.name!r} has no press action: {names}")


class Program(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.TemporaryDirectory()
        env = dict(os.environ)
        display = ":%d" % (90 + os.getpid() % 100)
        cls.processes = [subprocess.Popen(["Xvfb", display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)]
        env.update(DISPLAY=display, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        time.sleep(1)
        cls.processes.append(subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL,
                                              stderr=subprocess.DEVNULL))
        # The accessibility bus must stand before the program looks for it.
        subprocess.run(["dbus-send", "--session", "--dest=org.a11y.Bus", "--print-reply", "/org/a11y/bus",
                        "org.a11y.Bus.GetAddress"], check=True, stdout=subprocess.DEVNULL)
        cls.processes.append(subprocess.Popen([PROGRAM], cwd=cls.work.name, env=env, stdout=subprocess.DEVNULL,
                                              stderr=subprocess.DEVNULL))
        cls.app = wait_for(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                                         if a is not None and a.name == "dorvane-shell"), None))
        if cls.app is None:
            cls.tearDownClass()
            raise RuntimeError("the program never appeared on the accessibility bus")

    @classmethod
    def tearDownClass(cls):
        for p in reversed(cls.processes):
            p.terminate()
            try:
                p.wait(timeout=5)
            except subprocess.TimeoutExpired:
                p.kill()
        cls.work.cleanup()

    def find(self, role, name=None, within=None, showing=True):
        def look():
            for acc in descendants(within or self.app):
                if acc.getRoleName() == role and (name is None or acc.name == name) and \
                        (not showing or pyatspi.STATE_SHOWING in states(acc)):
                    return acc
            return None
        found = wait_for(look)
        self.assertIsNotNone(found, f"no {role} {name!r} showing")
        return found

    def window(self, role, name):
        found = wait_for(lambda: next((w for w in self.app if w is not None and w.getRoleName() == role
                                       and w.name == name and pyatspi.STATE_SHOWING in states(w)), None))
        self.assertIsNotNone(found, f"no {role} window {name!r}")
        return found

    def close(self, window, button):
        press(self.find("push button", button, window))
        self.assertTrue(wait_for(lambda: pyatspi.STATE_SHOWING not in states(window)), f"{window.name} stayed")

    def test_1_the_main_window_is_a_frame_whose_topics_are_links(self):
        main = self.window("frame", "Dorvane Shell")
        topics = ["Welcome!", "How does it work?", " Main benefits", "Important notes"]
        links = {t: self.find("link", t, main) for t in topics}
        for t, link in links.items():
            self.assertIn(pyatspi.STATE_FOCUSABLE, states(link), t)
            self.assertEqual(pyatspi.STATE_SENSITIVE in states(link), t != "Welcome!", t)
        press(links["Important notes"])
        self.assertTrue(wait_for(lambda: pyatspi.STATE_SENSITIVE not in states(links["Important notes"])))
        self.assertIn(pyatspi.STATE_SENSITIVE, states(links["Welcome!"]))
        press(links["Welcome!"])
        # The launch layout's labels lie below the panel: nothing to hear.
        for acc in descendants(main):
            if acc.name in ("regeneration  and", "click here to minimize this window"):
                self.assertNotIn(pyatspi.STATE_SHOWING, states(acc), acc.name)
        self.assertEqual(main.getRoleName(), "frame")

    def test_2_the_about_box_is_a_dialog_with_its_web_link(self):
        press(self.find("menu item", "About", self.window("frame", "Dorvane Shell")))
        about = self.window("dialog", "About")
        link = self.find("link", None, about)
        self.assertTrue(link.name.startswith("www.") or "." in link.name, link.name)
        self.close(about, "OK")

    def test_3_the_feedback_form_names_its_fields_and_announces_missing_answers(self):
        press(self.find("menu item", "Feedback", self.window("frame", "Dorvane Shell")))
        form = self.window("dialog", "Feedback Form")
        name = self.find("text", "1. Your Full Name", form)
        comments = self.find("text", "4. Your suggestions, comments or bug description", form)
        groups = [self.find("panel", q, form) for q in ("2. Your opinion of the program features",
                                                        "3. Overall program rate")]
        self.find("link", "support@dorvane.example.org ", form)
        for acc in [name, comments] + groups:
            self.assertEqual(acc.description, "", acc.name)
        press(self.find("push button", "Send Email", form))
        self.assertTrue(wait_for(lambda: name.description != ""), "the missing name is not announced")
        for group in groups:
            self.assertNotEqual(group.description, "", group.name)
            for radio in group:
                self.assertNotEqual(radio.description, "", f"{group.name}: {radio.name}")
        self.assertEqual(comments.description, "", "comments are optional")
        self.close(form, "Cancel")


if __name__ == "__main__":
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
