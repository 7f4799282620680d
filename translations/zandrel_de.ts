<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Application</name>
    <message>
        <source>an unknown error</source>
        <translation>ein unbekannter Fehler</translation>
    </message>
    <message>
        <source>Zandrel has met an error it cannot recover from and will close:

%1</source>
        <translation>In Zandrel ist ein Fehler aufgetreten, der nicht behoben werden kann. Zandrel wird beendet:

%1</translation>
    </message>
</context>
<context>
    <name>BatchExport</name>
    <message>
        <source>The random numbers could not be exported: there is no home folder to put the file in (HOME is not set, and the user database has no home folder for this user).</source>
        <translation>Die Zufallszahlen konnten nicht exportiert werden: Es gibt keinen persönlichen Ordner für die Datei (HOME ist nicht gesetzt, und die Benutzerdatenbank nennt keinen persönlichen Ordner für diesen Benutzer).</translation>
    </message>
    <message>
        <source>The random numbers cannot be exported into &apos;%1&apos;: the file needs about %2, and only %3 are free there.</source>
        <translation>Die Zufallszahlen können nicht nach „%1“ exportiert werden: Die Datei braucht etwa %2, dort sind aber nur %3 frei.</translation>
    </message>
    <message>
        <source>The random numbers cannot be exported into &apos;%1&apos;: the space free there cannot be read: %2</source>
        <translation>Die Zufallszahlen können nicht nach „%1“ exportiert werden: Der freie Platz dort lässt sich nicht ermitteln: %2</translation>
    </message>
    <message>
        <source>The random numbers cannot be exported into &apos;%1&apos;: so many numbers need far more space than any disk holds.</source>
        <translation>Die Zufallszahlen können nicht nach „%1“ exportiert werden: So viele Zahlen brauchen weit mehr Platz, als ein Datenträger fasst.</translation>
    </message>
    <message>
        <source>The random numbers are exported into &apos;%1&apos;. Thanks.</source>
        <translation>Die Zufallszahlen wurden nach „%1“ exportiert. Danke.</translation>
    </message>
    <message>
        <source>The random numbers are exported into &apos;%1&apos;, but the system could not confirm that the file will survive a power cut: %2</source>
        <translation>Die Zufallszahlen wurden nach „%1“ exportiert, aber das System konnte nicht bestätigen, dass die Datei einen Stromausfall übersteht: %2</translation>
    </message>
    <message>
        <source>The random numbers could not be exported into &apos;%1&apos;: %2</source>
        <translation>Die Zufallszahlen konnten nicht nach „%1“ exportiert werden: %2</translation>
    </message>
    <message>
        <source>Its unfinished file &apos;%1&apos; could not be removed: %2</source>
        <translation>Die unfertige Datei „%1“ ließ sich nicht entfernen: %2</translation>
    </message>
    <message>
        <source>The export was stopped, but its unfinished file &apos;%1&apos; could not be removed: %2</source>
        <translation>Der Export wurde abgebrochen, aber seine unfertige Datei „%1“ ließ sich nicht entfernen: %2</translation>
    </message>
</context>
<context>
    <name>BatchProgress</name>
    <message>
        <source>Export progress</source>
        <translation>Exportfortschritt</translation>
    </message>
    <message>
        <source>Exporting the random numbers: %1 of %2 written.</source>
        <translation>Die Zufallszahlen werden exportiert: %1 von %2 geschrieben.</translation>
    </message>
    <message>
        <source>%p%</source>
        <translation>%p&#xa0;%</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Saving the file to the disk: all %1 numbers are written.</source>
        <translation>Die Datei wird auf dem Datenträger gespeichert: Alle %1 Zahlen sind geschrieben.</translation>
    </message>
</context>
<context>
    <name>CountCheck</name>
    <message>
        <source>Please enter number of random numbers you want to generate and output</source>
        <translation>Bitte geben Sie ein, wie viele Zufallszahlen erzeugt und ausgegeben werden sollen.</translation>
    </message>
    <message>
        <source>Number of random numbers you want to generate  should be greater than zero</source>
        <translation>Die Anzahl der zu erzeugenden Zufallszahlen muss größer als null sein.</translation>
    </message>
    <message>
        <source>Excel cannot have more than 65536 rows. Therefore the output file be a text file, which you can open with notepad.</source>
        <translation>Excel kann nicht mehr als 65536 Zeilen aufnehmen. Deshalb wird die Ausgabedatei eine Textdatei, die Sie mit einem Texteditor öffnen können.</translation>
    </message>
</context>
<context>
    <name>DesktopSession</name>
    <message>
        <source>Zandrel needs a graphical desktop session: neither DISPLAY nor WAYLAND_DISPLAY is set.</source>
        <translation>Zandrel benötigt eine grafische Sitzung: Weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt.</translation>
    </message>
    <message>
        <source>Zandrel needs Qt&apos;s Wayland platform plugin on this Wayland desktop: install the package qt6-wayland.</source>
        <translation>Zandrel benötigt auf diesem Wayland-Desktop das Wayland-Plattformmodul von Qt: Installieren Sie das Paket qt6-wayland.</translation>
    </message>
    <message>
        <source>Zandrel could not open a window on this desktop session: %1</source>
        <translation>Zandrel konnte in dieser Sitzung kein Fenster öffnen: %1</translation>
    </message>
</context>
<context>
    <name>Forms</name>
    <message>
        <source>The export is stopped. Zandrel ends as soon as the disk has finished with its file.</source>
        <translation>Der Export ist abgebrochen. Zandrel wird beendet, sobald der Datenträger mit seiner Datei fertig ist.</translation>
    </message>
</context>
<context>
    <name>RangeCheck</name>
    <message>
        <source>Please enter minimum and maximum random number desired range</source>
        <translation>Bitte geben Sie Minimum und Maximum des gewünschten Bereichs ein.</translation>
    </message>
    <message>
        <source>Min Value should be smaller than Max Value</source>
        <translation>Das Minimum muss kleiner als das Maximum sein.</translation>
    </message>
    <message>
        <source>Min Value and Max Value should be equal or greater than zero</source>
        <translation>Minimum und Maximum müssen größer oder gleich null sein.</translation>
    </message>
    <message>
        <source>There is no whole number between Min Value and Max Value.</source>
        <translation>Zwischen Minimum und Maximum liegt keine ganze Zahl.</translation>
    </message>
</context>
<context>
    <name>frmContact</name>
    <message>
        <source>For Questions and Recommendations Please Contact Us at</source>
        <translation>Bei Fragen und Anregungen erreichen Sie uns unter</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>Kontakt</translation>
    </message>
</context>
<context>
    <name>frmNumberofRandomNumbers</name>
    <message>
        <source>Please Enter How Many Random Numbers You Want To Create and Export Into Excel</source>
        <translation>Wie viele Zufallszahlen möchten Sie erzeugen und nach Excel exportieren?</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>Los</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Export To Excel</source>
        <translation>Nach Excel exportieren</translation>
    </message>
    <message>
        <source>Generating the random numbers. Please wait.</source>
        <translation>Die Zufallszahlen werden erzeugt. Bitte warten.</translation>
    </message>
    <message>
        <source>The export was stopped.</source>
        <translation>Der Export wurde abgebrochen.</translation>
    </message>
</context>
<context>
    <name>frmZandrel</name>
    <message>
        <source>Generate Random Number</source>
        <translation>Zufallszahl erzeugen</translation>
    </message>
    <message>
        <source>Min Value</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Max Value</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Random Number Generated</source>
        <translation>Erzeugte Zufallszahl</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Moving Average of the Randomly Generated Numbers</source>
        <translation>Gleitender Mittelwert der erzeugten Zahlen</translation>
    </message>
    <message>
        <source>Generate Random Numbers and Export Them into Excel</source>
        <translation>Zufallszahlen erzeugen und nach Excel exportieren</translation>
    </message>
    <message>
        <source>Zandrel</source>
        <translation>Zandrel</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>Kontakt</translation>
    </message>
    <message>
        <source>%1: %2. %3: %4.</source>
        <translation>%1: %2. %3: %4.</translation>
    </message>
    <message>
        <source>The boxes are empty.</source>
        <translation>Die Felder sind leer.</translation>
    </message>
</context>
</TS>
