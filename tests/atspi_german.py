#!/usr/bin/python3
# The program in German, read and driven through the desktop's accessibility bus (AT-SPI) as a
# screen reader reads and drives it: the three windows, a refusal, the note and the boxes before
# a batch, and the batch's progress dialog, whose Cancel is Qt's own "Abbrechen". Run by
# x11_german.sh inside an X server and a D-Bus session.
#   atspi_german.py ZANDREL
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi


def fail(what):
    print(f"FAIL: {what}")
    sys.exit(1)


def until(seconds, what, find):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            found = find()
        except Exception:  # the tree changes under the walk
            found = None
        if found:
            return found
        time.sleep(0.1)
    fail(f"{what} did not come within {seconds} s")


def descendants(node):
    for child in node:
        if child is not None:
            yield child
            yield from descendants(child)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Zandrel":
            return app
    return None


def windows():
    app = application()
    return [window for window in app if window is not None] if app else []


def named(node, role, name):
    for each in descendants(node):
        if each.getRoleName() == role and each.name == name:
            return each
    return None


def window_with(role, name):
    """The window that holds a control of that role and name."""
    for window in windows():
        if named(window, role, name):
            return window
    return None


def window_named(name):
    return next((window for window in windows() if window.name == name), None)


def texts(window, role):
    return sorted(each.name for each in descendants(window) if each.getRoleName() == role)


def press(node):
    node.queryAction().doAction(0)


def type_into(box, text):
    box.queryEditableText().setTextContents(text)


def expect(what, actual, expected):
    if actual != expected:
        fail(f"{what}: {actual!r}, expected {expected!r}")


def acknowledge(text):
    """Waits for the box that says text and presses its OK."""
    box = until(10, f"the box saying {text!r}", lambda: window_with("label", text))
    press(named(box, "push button", "OK"))
    until(10, f"the box saying {text!r} to close", lambda: window_with("label", text) is None)


def main():
    zandrel = sys.argv[1]
    home = tempfile.mkdtemp()
    pyatspi.Registry.getDesktop(0)  # the bus is there before the program looks for it
    environment = dict(os.environ, LANGUAGE="de", LANG="de_DE.UTF-8", LC_ALL="", HOME=home,
                       QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    process = subprocess.Popen([zandrel], env=environment, stdout=subprocess.DEVNULL,
                               stderr=subprocess.PIPE)
    try:
        main_window = until(20, "the main window", lambda: window_with("push button", "Zufallszahl erzeugen"))
        expect("the main window's caption", main_window.name, "Zandrel")
        expect("the main window's labels", texts(main_window, "label"),
               ["Erzeugte Zufallszahl", "Gleitender Mittelwert der erzeugten Zahlen", "Maximum", "Minimum"])
        expect("the main window's buttons", texts(main_window, "push button"),
               ["Beenden", "Leeren", "Zufallszahl erzeugen", "Zufallszahlen erzeugen und nach Excel exportieren"])
        expect("the menu", texts(main_window, "menu item"), ["Hilfe", "Kontakt"])

        press(named(main_window, "push button", "Zufallszahl erzeugen"))  # with no bounds
        acknowledge("Bitte geben Sie Minimum und Maximum des gewünschten Bereichs ein.")

        press(named(main_window, "menu item", "Kontakt"))
        contact = until(10, "the contact window", lambda: window_named("Kontakt"))
        line = texts(contact, "label")
        if len(line) != 1 or not line[0].startswith("Bei Fragen und Anregungen erreichen Sie uns unter  "):
            fail(f"the contact line: {line!r}")

        type_into(named(main_window, "text", "Minimum"), "0")
        type_into(named(main_window, "text", "Maximum"), "1")
        press(named(main_window, "push button", "Zufallszahlen erzeugen und nach Excel exportieren"))
        export = until(10, "the export window", lambda: window_named("Nach Excel exportieren"))
        question = "Wie viele Zufallszahlen möchten Sie erzeugen und nach Excel exportieren?"
        expect("the export window's label", texts(export, "label"), [question])
        expect("the export window's buttons", texts(export, "push button"), ["Los", "Schließen"])

        if shutil.disk_usage(home).free > 3_000_000_000:
            type_into(named(export, "text", question), "1e8")
            press(named(export, "push button", "Los"))
            acknowledge("Excel kann nicht mehr als 65536 Zeilen aufnehmen. Deshalb wird die Ausgabedatei eine "
                        "Textdatei, die Sie mit einem Texteditor öffnen können.")
            acknowledge("Die Zufallszahlen werden erzeugt. Bitte warten.")
            progress = until(10, "the progress dialog", lambda: window_with("push button", "Abbrechen"))
            shown = [text for text in texts(progress, "label")
                     if text.startswith("Die Zufallszahlen werden exportiert: ")]
            if not shown or " von 100.000.000 geschrieben." not in shown[0]:
                fail(f"the progress dialog says {texts(progress, 'label')!r}")
            press(named(progress, "push button", "Abbrechen"))
            until(10, "the progress dialog to close", lambda: window_with("push button", "Abbrechen") is None)
            until(10, "the stopped batch's file to go",
                  lambda: not [f for f in os.listdir(home) if f.startswith("randomnumbers")])

        press(named(main_window, "push button", "Beenden"))
        status = process.wait(timeout=10)
        expect("the exit status", status, 0)
    finally:
        if process.poll() is None:
            process.kill()
            print(process.stderr.read().decode(errors="replace"))
        shutil.rmtree(home, ignore_errors=True)
    print("PASS: the windows, a refusal, the boxes before a batch and its progress speak German through AT-SPI")


main()
