#!/usr/bin/python3
# The program in German, read and driven through the desktop's accessibility bus (AT-SPI) as a
# screen reader reads and drives it: the three windows and a refusal, as the desktop's language
# sets them when the program starts. Run by x11_accessibility.sh inside an X server and a D-Bus
# session.
#   atspi_german.py ZANDREL
import sys

from atspi import (LOADED, Zandrel, acknowledge, expect, fail, named, press, texts, type_into, until,
                   window_named, window_with)


def main():
    with Zandrel(sys.argv[1], "de", "de_DE.UTF-8") as program:
        main_window = until(LOADED, "the main window", lambda: window_with("push button", "Zufallszahl erzeugen"))
        print("  the program started in German")
        expect("the main window's caption", main_window.name, "Zandrel")
        expect("the main window's labels", texts(main_window, "label"),
               ["Erzeugte Zufallszahl", "Gleitender Mittelwert der erzeugten Zahlen", "Maximum", "Minimum"])
        expect("the main window's buttons", texts(main_window, "push button"),
               ["Beenden", "Leeren", "Zufallszahl erzeugen", "Zufallszahlen erzeugen und nach Excel exportieren"])
        expect("the menu", texts(main_window, "menu item"), ["Hilfe", "Kontakt"])

        press(named(main_window, "push button", "Zufallszahl erzeugen"))  # with no bounds
        acknowledge("Bitte geben Sie Minimum und Maximum des gewünschten Bereichs ein.")

        press(named(main_window, "menu item", "Kontakt"))
        contact = until(LOADED, "the contact window", lambda: window_named("Kontakt"))
        line = texts(contact, "label")
        if len(line) != 1 or not line[0].startswith("Bei Fragen und Anregungen erreichen Sie uns unter  "):
            fail(f"the contact line: {line!r}")

        type_into(named(main_window, "text", "Minimum"), "0")
        type_into(named(main_window, "text", "Maximum"), "1")
        press(named(main_window, "push button", "Zufallszahlen erzeugen und nach Excel exportieren"))
        export = until(LOADED, "the export window", lambda: window_named("Nach Excel exportieren"))
        question = "Wie viele Zufallszahlen möchten Sie erzeugen und nach Excel exportieren?"
        expect("the export window's label", texts(export, "label"), [question])
        expect("the export window's buttons", texts(export, "push button"), ["Los", "Schließen"])

        program.ended(named(main_window, "push button", "Beenden"))
    print("PASS: the windows and a refusal speak German through AT-SPI")


main()
