#!/usr/bin/python3
# What a screen-reader user meets, in English: on the accessibility bus (AT-SPI), and, where Orca
# is installed, in what Orca says (the SPEECH OUTPUT lines of its debug file; speech goes through
# speech-dispatcher into a null sound device). Keys come from xdotool, as a user's do. Run by
# x11_accessibility.sh inside an X server and a D-Bus session.
#   atspi_english.py ZANDREL
import os
import re
import shutil
import subprocess
import sys
import time
from datetime import datetime

import pyatspi

from atspi import (Zandrel, acknowledge, descendants, expect, fail, named, press, type_into, until,
                   window_named, window_with)


class Orca:
    """Orca, when installed, and what it says at each step; else nothing. Orca writes its debug
    file a buffer at a time, so what it said is read once it has ended, each phrase given to the
    step during which it was said."""

    def __init__(self):
        self.log = os.path.join(os.environ["HOME"], "orca.log")
        self.steps = []  # (name, time it began, phrases it must say, pattern it must not say)
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
        self.process = subprocess.Popen(["orca", "--replace", f"--debug-file={self.log}"],
                                        env=dict(os.environ, GSETTINGS_BACKEND="memory"),
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        until(20, "Orca", lambda: os.path.exists(self.log) and os.path.getsize(self.log) > 0)
        time.sleep(3)  # until it listens
        self.settle()

    def settle(self):
        """Waits, up to 30 s, for Orca to have caught up with what it has been told: until its
        processor time has stood still for a second. A key pressed while it is busy goes by
        unheard."""
        if not self.process:
            return
        def ticks():
            with open(f"/proc/{self.process.pid}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
            return int(fields[11]) + int(fields[12])  # user and system time
        deadline = time.monotonic() + 30
        last, quiet_since = ticks(), time.monotonic()
        while time.monotonic() < deadline and time.monotonic() - quiet_since < 1:
            time.sleep(0.2)
            if (now := ticks()) - last > 2:
                last, quiet_since = now, time.monotonic()

    def step(self, name, says=(), never=None):
        """From now on, the step called name, during which Orca is to say each of says, and nothing
        matching the pattern never."""
        self.steps.append((name, datetime.now().strftime("%H:%M:%S.%f"), list(says), never))

    def verify(self):
        """Ends Orca, prints what it said at each step and fails on what it was not to say."""
        if not self.process:
            return
        time.sleep(2)
        self.process.terminate()
        self.process.wait(timeout=10)
        with open(self.log, errors="replace") as log:
            said = re.findall(r"^(\d\d:\d\d:\d\d\.\d+) - SPEECH OUTPUT: '(.*)' ?\{", log.read(), re.MULTILINE)
        faults = []
        for index, (name, begins, says, never) in enumerate(self.steps):
            ends = self.steps[index + 1][1] if index + 1 < len(self.steps) else "99"
            heard = [phrase for when, phrase in said if begins <= when < ends]
            print(f"  Orca at {name}: " + " ".join(f"{phrase!r}" for phrase in heard))
            faults += [f"{name}: Orca did not say {phrase!r}" for phrase in says
                       if not any(phrase in each for each in heard)]
            faults += [f"{name}: Orca said {each!r}" for each in heard if never and re.search(never, each)]
        if faults:
            fail("; ".join(faults))


def keys(*names):
    """Presses each key in turn, at a pace at which Qt and Orca keep up with each other: Qt waits
    for the screen reader to see each key while the screen reader may be asking Qt about it."""
    for name in names:
        # A modifier stays down until the screen reader has seen what its key did, as a user's does.
        *modifiers, key = name.split("+")
        for modifier in modifiers:
            subprocess.run(["xdotool", "keydown", modifier], check=True)
        subprocess.run(["xdotool", "key", key], check=True)
        time.sleep(0.5)
        for modifier in modifiers:
            subprocess.run(["xdotool", "keyup", modifier], check=True)
        time.sleep(0.5)


class Events:
    """The bus's events of some kinds, as a screen reader listens for them."""

    def __init__(self, *kinds):
        self.seen = []
        pyatspi.Registry.registerEventListener(self.seen.append, *kinds)

    def came(self, what, match):
        return until(10, what, lambda: next((event for event in self.seen if match(event)), None))


def main():
    orca = Orca()
    events = Events("object:state-changed:focused", "object:state-changed:showing")
    with Zandrel(sys.argv[1], "en", "C.UTF-8") as program:
        main_window = until(20, "the main window", lambda: window_with("push button", "Generate Random Number"))
        minimum, maximum = named(main_window, "text", "Min Value"), named(main_window, "text", "Max Value")
        until(10, "the focus in the minimum box", lambda: minimum.getState().contains(pyatspi.STATE_FOCUSED))
        orca.settle()  # Orca takes a while over a program it has not met

        # A box is read whole: one run of attributes over all of its text; and leaving it says nothing.
        type_into(maximum, "100")
        expect("the attribute run of 100", list(maximum.queryText().getAttributeRun(1, False)[1:]), [0, 3])
        orca.step("Tab into Max Value holding 100", says=["Max Value text.", "100 selected."])
        keys("Tab")
        orca.step("Tab out of it", never="unselected")
        keys("Tab")
        orca.step("Shift+Tab back", says=["100 selected."], never="unselected")
        keys("shift+Tab")

        # After a refusal's OK, the focus is told to be in the minimum box.
        keys("shift+Tab", "shift+Tab", "shift+Tab")  # to "Generate Random Number"
        type_into(minimum, "10")
        type_into(maximum, "5")
        orca.step("Generate with 10 and 5")
        keys("space")
        until(10, "the refusal", lambda: window_with("label", "Min Value should be smaller than Max Value"))
        events.seen.clear()
        orca.step("OK", says=["Min Value text."])
        keys("Return")
        events.came("the focus in the minimum box", lambda e: e.type.startswith("object:state-changed:focused")
                    and e.detail1 and e.source.name == "Min Value")

        # Generate and Clear are heard, the focus staying on the button.
        type_into(minimum, "1")
        type_into(maximum, "6")
        keys("shift+Tab", "shift+Tab")
        events.seen.clear()
        orca.step("Generate with 1 and 6", says=["notification Random Number Generated: "])
        keys("space")
        drawn = named(main_window, "text", "Random Number Generated").queryText().getText(0, -1)
        average = named(main_window, "text", "Moving Average of the Randomly Generated Numbers").queryText().getText(0, -1)
        told = f"Random Number Generated: {drawn}. Moving Average of the Randomly Generated Numbers: {average}."
        events.came("the notification of the number drawn", lambda e: e.type.startswith("object:state-changed:showing")
                    and e.detail1 and e.source.getRoleName() == "notification" and e.source.name == told)
        orca.step("Tab to Clear")
        keys("Tab", "Tab", "Tab", "Tab")
        orca.step("Clear", says=["notification The boxes are empty."])
        keys("space")

        # The contact line is text, read word by word from its caret.
        orca.step("Help, Contact")
        press(named(main_window, "menu item", "Contact"))
        contact = until(10, "the contact window", lambda: window_named("Contact"))
        line = until(10, "the contact line",
                     lambda: next((each for each in descendants(contact) if each.getRoleName() == "label"), None))
        expect("the contact line's text", line.queryText().getText(0, -1), line.name)
        time.sleep(1)
        orca.step("Ctrl+Home, Ctrl+Right, Ctrl+Right", says=["Questions"])
        keys("ctrl+Home", "ctrl+Right", "ctrl+Right")

        # The export window's refusal; a batch stopped from its progress is heard to stop; the end of
        # another speaks its message alone.
        orca.step("the contact window closed, and the export window opened")
        subprocess.run(["wmctrl", "-c", "Contact"], check=True)
        until(10, "the contact window to close", lambda: window_named("Contact") is None)
        type_into(minimum, "0")
        type_into(maximum, "1")
        time.sleep(1)
        keys("Tab", "Tab", "Tab", "Tab", "Tab", "space")  # from the minimum box to the export button
        export = until(10, "the export window", lambda: window_named("Export To Excel"))
        question = "Please Enter How Many Random Numbers You Want To Create and Export Into Excel"
        keys("Tab", "space")  # "Go", with no count
        until(10, "the refusal", lambda: window_with("label", "Please enter number of random numbers you want "
                                                               "to generate and output"))
        orca.step("OK", says=[f"{question} text."])
        keys("Return")
        count = named(export, "text", question)
        if program.room_for_a_long_batch(1_000_000_000):
            type_into(count, "1e9")
            keys("Tab", "space")
            acknowledge("Excel cannot have more than 65536 rows. Therefore the output file be a text file, "
                        "which you can open with notepad.")
            acknowledge("Generating the random numbers. Please wait.")
            cancel = named(export, "push button", "Cancel")
            until(10, "the progress", lambda: cancel.getState().contains(pyatspi.STATE_SHOWING))
            time.sleep(1)
            orca.step("Escape in the export window", says=["notification The export was stopped."], never=r"^dialog\.$")
            keys("Escape")
        type_into(count, "5")
        thanks = f"The random numbers are exported into '{program.home}/randomnumbers.xls'. Thanks."
        orca.step("Go with 5, and OK", says=[thanks], never="progress bar")
        press(named(export, "push button", "Go"))
        for text in ("Generating the random numbers. Please wait.", thanks):  # OK pressed as a user does
            box = until(10, f"the box saying {text!r}", lambda: window_with("label", text))
            until(10, "the box to be active", lambda: box.getState().contains(pyatspi.STATE_ACTIVE))
            keys("Return")
        time.sleep(1)
        orca.step("Exit")
        program.ended(named(main_window, "push button", "Exit"))
    orca.verify()
    print("PASS: boxes read whole, the focus told after a refusal, Generate and Clear heard, the contact "
          "line read as text, a stopped export heard" + ("; and Orca says so" if orca.process else ""))


main()
