#!/usr/bin/python3
# What a screen-reader user meets, in English: on the accessibility bus (AT-SPI), and, where Orca
# is installed, in what Orca says (the SPEECH OUTPUT lines of its debug file; speech goes through
# speech-dispatcher into a null sound device). Keys come from xdotool, as a user's do. Run by
# x11_accessibility.sh inside an X server and a D-Bus session.
#   atspi_english.py ZANDREL
import contextlib
import os
import re
import shutil
import subprocess
import sys
import time
from datetime import datetime

import pyatspi

from atspi import (LOADED, Zandrel, acknowledge, descendants, expect, fail, named, press, type_into, until,
                   window_named, window_with)


class Orca:
    """Orca, when installed, and what it says at each step; else nothing. Orca writes what it says
    to its debug file (the SPEECH OUTPUT lines; speech goes through speech-dispatcher into a null
    sound device), line by line as started here, so each step waits until Orca has said what it
    is to say, or has fallen quiet."""

    LAUNCH = ("import builtins, runpy, sys\n"
              "log, _open = sys.argv[1], builtins.open\n"
              "builtins.open = lambda file, mode='r', *rest, **named: (\n"
              "    _open(file, mode, 1) if file == log else _open(file, mode, *rest, **named))\n"
              "sys.argv = ['orca', '--replace', '--debug-file=' + log]\n"
              "runpy.run_path('/usr/bin/orca', run_name='__main__')\n")

    def __init__(self):
        self.log = os.path.join(os.environ["HOME"], "orca.log")
        self.process = None
        if not shutil.which("orca"):
            print("SKIP (in part): Orca is not installed, so what it says is not checked")
            return
        config = os.path.join(os.environ["XDG_CONFIG_HOME"], "speech-dispatcher")
        os.makedirs(config, exist_ok=True)
        with open(os.path.join(config, "speechd.conf"), "w") as conf:
            conf.write('AudioOutputMethod "alsa"\n')
        with open(os.path.join(os.environ["HOME"], ".asoundrc"), "w") as asound:
            asound.write("pcm.!default { type null }\n")
        self.process = subprocess.Popen(["/usr/bin/python3", "-B", "-c", self.LAUNCH, self.log],
                                        env=dict(os.environ, GSETTINGS_BACKEND="memory"),
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        until(LOADED, "Orca", lambda: "ORCA: Startup complete" in self.text())
        self.settle()
        print("  Orca listens")

    def text(self):
        try:
            with open(self.log, errors="replace") as log:
                return log.read()
        except FileNotFoundError:
            return ""

    def said(self, since):
        """What Orca has said since then."""
        return [phrase for when, phrase in re.findall(r"^(\d\d:\d\d:\d\d\.\d+) - SPEECH OUTPUT: '(.*)' ?\{",
                                                      self.text(), re.MULTILINE) if when >= since]

    def settle(self):
        """Waits for Orca to have caught up with what it has been told: until its processor time
        has stood still for a second. A key pressed while it is busy goes by unheard."""
        if not self.process:
            return
        def ticks():
            with open(f"/proc/{self.process.pid}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
            return int(fields[11]) + int(fields[12])  # user and system time
        deadline = time.monotonic() + LOADED
        last, quiet_since = ticks(), time.monotonic()
        while time.monotonic() < deadline and time.monotonic() - quiet_since < 1:
            time.sleep(0.2)
            if (now := ticks()) - last > 2:
                last, quiet_since = now, time.monotonic()

    def keys_seen(self, kind):
        """How many times Orca has seen a key go down (PRESSED) or come up (RELEASED)."""
        return self.text().count(f"KEY_{kind}_EVENT\n")

    @contextlib.contextmanager
    def step(self, name, says=(), never=None, quiet=True, any_of=False):
        """A step called name: what is done within it, once Orca has caught up with what came
        before. It ends once Orca has said each of says (or one of them, any_of) and has fallen
        quiet; it may say nothing matching the pattern never. While a batch shows its progress,
        Orca does not fall quiet: such a step (quiet=False) waits for what it is to say alone."""
        if quiet:
            self.settle()
        begins = datetime.now().strftime("%H:%M:%S.%f")
        yield
        if not self.process:
            return
        heard = lambda phrase: any(phrase in each for each in self.said(begins))
        for phrases in ([says] if any_of else [[phrase] for phrase in says]):
            if not until(LOADED, lambda: any(heard(phrase) for phrase in phrases), fails=False):
                fail(f"Orca at {name} did not say {' or '.join(map(repr, phrases))}, only: {self.said(begins)!r}")
        if quiet:
            self.settle()
        heard = self.said(begins)
        print(f"  Orca at {name}: " + " ".join(f"{phrase!r}" for phrase in heard))
        for each in heard:
            if never and re.search(never, each):
                fail(f"{name}: Orca said {each!r}")

    def end(self):
        """Ends Orca: politely, and after a few seconds at once. What it said is on the disk
        already, and how it ends is not under test: a polite end took up to 60 s on a cold machine."""
        if not self.process:
            return
        self.process.terminate()
        try:
            self.process.wait(timeout=3)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


orca = None


def keys(*names, seen="PRESSED"):
    """Presses each key in turn, each once Orca has seen the one before go down: Qt waits for the
    screen reader to see each key while the screen reader may be asking Qt about it. (A key that a
    shortcut takes goes down unseen: Orca sees it come up, seen="RELEASED".) A modifier stays down
    until the screen reader has seen what its key did, as a user's does."""
    for name in names:
        *modifiers, key = name.split("+")
        for modifier in modifiers:
            subprocess.run(["xdotool", "keydown", modifier], check=True)
        before = orca.keys_seen(seen) if orca.process else 0
        subprocess.run(["xdotool", "key", key], check=True)
        if orca.process:
            until(LOADED, f"Orca to see {key}", lambda: orca.keys_seen(seen) > before)
            if modifiers:
                orca.settle()
        for modifier in modifiers:
            released = orca.keys_seen("RELEASED") if orca.process else 0
            subprocess.run(["xdotool", "keyup", modifier], check=True)
            if orca.process:
                until(LOADED, f"Orca to see {modifier} let go", lambda: orca.keys_seen("RELEASED") > released)


def main():
    global orca
    orca = Orca()
    with Zandrel(sys.argv[1], "en", "C.UTF-8") as program:
        main_window = until(LOADED, "the main window", lambda: window_with("push button", "Generate Random Number"))
        minimum, maximum = named(main_window, "text", "Min Value"), named(main_window, "text", "Max Value")
        until(LOADED, "the focus in the minimum box", lambda: minimum.getState().contains(pyatspi.STATE_FOCUSED))

        # A box is read whole: one run of attributes over all of its text; and leaving it says nothing.
        type_into(maximum, "100")
        expect("the attribute run of 100", list(maximum.queryText().getAttributeRun(1, False)[1:]), [0, 3])
        with orca.step("Tab into Max Value holding 100", says=["Max Value text.", "100 selected."]):
            keys("Tab")
        with orca.step("Tab out of it", never="unselected"):
            keys("Tab")
        with orca.step("Shift+Tab back", says=["100 selected."], never="unselected"):
            keys("shift+Tab")

        # After a refusal's OK, the focus is told to be in the minimum box.
        keys("shift+Tab", "shift+Tab", "shift+Tab")  # to "Generate Random Number"
        type_into(minimum, "10")
        type_into(maximum, "5")
        with orca.step("Generate with 10 and 5", says=["Min Value should be smaller than Max Value."]):
            keys("space")
        with orca.step("OK", says=["Min Value text."]):
            keys("Return")

        # Generate and Clear are heard, the focus staying on the button.
        type_into(minimum, "1")
        type_into(maximum, "6")
        keys("shift+Tab", "shift+Tab")
        told = "notification Random Number Generated: {0}. Moving Average of the Randomly Generated Numbers: {0}."
        with orca.step("Generate with 1 and 6", says=[told.format(n) for n in range(1, 7)], any_of=True):
            keys("space")
        keys("Tab", "Tab", "Tab", "Tab")  # to Clear
        with orca.step("Clear", says=["notification The boxes are empty."]):
            keys("space")

        # The contact line is text, read word by word from its caret.
        with orca.step("Help, Contact", says=["Contact frame."]):
            press(named(main_window, "menu item", "Contact"))
        contact = until(LOADED, "the contact window", lambda: window_named("Contact"))
        line = until(LOADED, "the contact line",
                     lambda: next((each for each in descendants(contact) if each.getRoleName() == "label"), None))
        expect("the contact line's text", line.queryText().getText(0, -1), line.name)
        with orca.step("Ctrl+Home, Ctrl+Right, Ctrl+Right", says=["Questions"]):
            keys("ctrl+Home", "ctrl+Right", "ctrl+Right")

        # The export window's refusal; a batch stopped from its progress is heard to stop; the end of
        # another speaks its message alone.
        with orca.step("the contact window closed", says=["Min Value text."]):
            subprocess.run(["wmctrl", "-c", "Contact"], check=True)
        until(LOADED, "the contact window to close", lambda: window_named("Contact") is None)
        type_into(minimum, "0")
        type_into(maximum, "1")
        question = "Please Enter How Many Random Numbers You Want To Create and Export Into Excel"
        with orca.step("the export window opened", says=[f"{question} text."]):
            keys("Tab", "Tab", "Tab", "Tab", "Tab", "space")  # from the minimum box to the export button
        export = until(LOADED, "the export window", lambda: window_named("Export To Excel"))
        refusal = "Please enter number of random numbers you want to generate and output"
        with orca.step("Go with no count", says=[refusal]):
            keys("Tab", "space")
        with orca.step("OK", says=[f"{question} text."]):
            keys("Return")
        count = named(export, "text", question)
        if not program.room_for_a_long_batch(1_000_000_000):
            print("SKIP (in part): less than 6 GB free, so no long batch is stopped")
        else:
            type_into(count, "1e9")
            generating = "Generating the random numbers. Please wait."
            with orca.step("Go with 1e9, and OK", says=[generating]):
                keys("Tab", "space")
                acknowledge("Excel cannot have more than 65536 rows. Therefore the output file be a text file, "
                            "which you can open with notepad.")
            with orca.step("OK", says=["Export To Excel frame."], quiet=False):
                acknowledge(generating)
            cancel = named(export, "push button", "Cancel")
            until(LOADED, "the progress", lambda: cancel.getState().contains(pyatspi.STATE_SHOWING))
            with orca.step("Escape in the export window", says=["notification The export was stopped."],
                           never=r"^dialog\.$", quiet=False):
                keys("Escape", seen="RELEASED")
        type_into(count, "5")
        thanks = f"The random numbers are exported into '{program.home}/randomnumbers.xls'. Thanks."
        with orca.step("Go with 5, and OK", says=[thanks], never="progress bar"):
            press(named(export, "push button", "Go"))
            for text in ("Generating the random numbers. Please wait.", thanks):  # OK pressed as a user does
                box = until(LOADED, f"the box saying {text!r}", lambda: window_with("label", text))
                until(LOADED, "the box to be active", lambda: box.getState().contains(pyatspi.STATE_ACTIVE))
                # A box closed before Orca has read it goes unheard.
                until(LOADED, f"Orca to read {text!r}", lambda: any(text in each for each in orca.said("")))
                keys("Return")
        program.ended(named(main_window, "push button", "Exit"))
    orca.end()
    print("PASS: boxes read whole, the focus told after a refusal, Generate and Clear heard, the contact "
          "line read as text, a stopped export heard" + ("; and Orca says so" if orca.process else ""))


main()
