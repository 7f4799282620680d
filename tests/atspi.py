# What the accessibility tests share: the program started on the accessibility bus (AT-SPI), and
# its windows found, read and pressed there as a screen reader finds, reads and presses them.
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

# How long anything may take on a loaded machine before a wait for it fails: the program, the
# bus or the screen reader showing what is awaited.
LOADED = 60


def fail(what):
    print(f"FAIL: {what}")
    sys.exit(1)


def expect(what, actual, expected):
    if actual != expected:
        fail(f"{what}: {actual!r}, expected {expected!r}")


def until(seconds, what, find=None, fails=True):
    """What find() gives once it gives something, handling the bus's events meanwhile; or, with
    fails=False, nothing once the time is up. The description `what` may be left out."""
    if find is None:
        what, find = "", what
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        while GLib.MainContext.default().pending():
            GLib.MainContext.default().iteration(False)
        try:
            found = find()
        except Exception:  # the tree changes under the walk
            found = None
        if found:
            return found
        time.sleep(0.1)
    if fails:
        fail(f"{what} did not come within {seconds} s")
    return None


def descendants(node):
    for child in node:
        if child is not None:
            yield child
            yield from descendants(child)


def windows():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Zandrel":
            return [window for window in app if window is not None]
    return []


def named(node, role, name):
    return next((each for each in descendants(node) if each.getRoleName() == role and each.name == name), None)


def window_with(role, name):
    """The window that holds a control of that role and name."""
    return next((window for window in windows() if named(window, role, name)), None)


def window_named(name):
    return next((window for window in windows() if window.name == name), None)


def texts(window, role):
    return sorted(each.name for each in descendants(window) if each.getRoleName() == role)


def press(node):
    node.queryAction().doAction(0)


def type_into(box, text):
    box.queryEditableText().setTextContents(text)


def acknowledge(text, button="OK"):
    """Waits for the box that says text and presses its OK."""
    box = until(LOADED, f"the box saying {text!r}", lambda: window_with("label", text))
    press(named(box, "push button", button))
    until(LOADED, f"the box saying {text!r} to close", lambda: window_with("label", text) is None)


class Zandrel:
    """The program, in a home folder of its own, speaking the language given."""

    def __init__(self, zandrel, language, locale):
        self.home = tempfile.mkdtemp()
        pyatspi.Registry.getDesktop(0)  # the bus is there before the program looks for it
        environment = dict(os.environ, LANGUAGE=language, LANG=locale, LC_ALL="", HOME=self.home,
                           QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.process = subprocess.Popen([zandrel], env=environment, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.PIPE)

    def room_for_a_long_batch(self, numbers):
        """Room for so many numbers of 0 or 1, three bytes each, and as much again."""
        return shutil.disk_usage(self.home).free > 6 * numbers

    def export_files(self):
        return [name for name in os.listdir(self.home) if name.startswith("randomnumbers")]

    def ended(self, exit_button):
        press(exit_button)
        expect("the exit status", self.process.wait(timeout=LOADED), 0)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        if self.process.poll() is None:
            self.process.kill()
        if self.process.wait() != 0:
            print(f"FAIL: Zandrel ended with status {self.process.returncode}:")
            print(self.process.stderr.read().decode(errors="replace"))
        shutil.rmtree(self.home, ignore_errors=True)
