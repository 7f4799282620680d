<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv_SE">
<context>
    <name>Application</name>
    <message>
        <source>an unknown error</source>
        <translation>ett okänt fel</translation>
    </message>
    <message>
        <source>Zandrel has met an error it cannot recover from and will close:

%1</source>
        <translation>Zandrel har stött på ett fel som inte går att åtgärda och avslutas:

%1</translation>
    </message>
</context>
<context>
    <name>BatchExport</name>
    <message>
        <source>The random numbers could not be exported: there is no home folder to put the file in (HOME is not set, and the user database has no home folder for this user).</source>
        <translation>Slumptalen kunde inte exporteras: det finns ingen hemmapp att spara filen i (HOME är inte satt, och användardatabasen anger ingen hemmapp för den här användaren).</translation>
    </message>
    <message>
        <source>The random numbers cannot be exported into &apos;%1&apos;: the file needs about %2, and only %3 are free there.</source>
        <translation>Slumptalen kan inte exporteras till ”%1”: filen behöver ungefär %2, och där finns bara %3 ledigt.</translation>
    </message>
    <message>
        <source>The random numbers cannot be exported into &apos;%1&apos;: the space free there cannot be read: %2</source>
        <translation>Slumptalen kan inte exporteras till ”%1”: det lediga utrymmet där går inte att läsa av: %2</translation>
    </message>
    <message>
        <source>The random numbers cannot be exported into &apos;%1&apos;: so many numbers need far more space than any disk holds.</source>
        <translation>Slumptalen kan inte exporteras till ”%1”: så många tal behöver långt mer utrymme än någon disk rymmer.</translation>
    </message>
    <message>
        <source>The random numbers are exported into &apos;%1&apos;. Thanks.</source>
        <translation>Slumptalen har exporterats till ”%1”. Tack.</translation>
    </message>
    <message>
        <source>The random numbers are exported into &apos;%1&apos;, but the system could not confirm that the file will survive a power cut: %2</source>
        <translation>Slumptalen har exporterats till ”%1”, men systemet kunde inte bekräfta att filen klarar ett strömavbrott: %2</translation>
    </message>
    <message>
        <source>The random numbers could not be exported into &apos;%1&apos;: %2</source>
        <translation>Slumptalen kunde inte exporteras till ”%1”: %2</translation>
    </message>
    <message>
        <source>Its unfinished file &apos;%1&apos; could not be removed: %2</source>
        <translation>Dess ofärdiga fil ”%1” kunde inte tas bort: %2</translation>
    </message>
    <message>
        <source>The export was stopped, but its unfinished file &apos;%1&apos; could not be removed: %2</source>
        <translation>Exporten avbröts, men dess ofärdiga fil ”%1” kunde inte tas bort: %2</translation>
    </message>
</context>
<context>
    <name>BatchProgress</name>
    <message>
        <source>Export progress</source>
        <translation>Exportförlopp</translation>
    </message>
    <message>
        <source>Exporting the random numbers: %1 of %2 written.</source>
        <translation>Slumptalen exporteras: %1 av %2 skrivna.</translation>
    </message>
    <message>
        <source>%p%</source>
        <translation>%p&#xa0;%</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Avbryt</translation>
    </message>
    <message>
        <source>Saving the file to the disk: all %1 numbers are written.</source>
        <translation>Filen sparas på disken: alla %1 tal är skrivna.</translation>
    </message>
</context>
<context>
    <name>CountCheck</name>
    <message>
        <source>Please enter number of random numbers you want to generate and output</source>
        <translation>Ange hur många slumptal som ska genereras och exporteras.</translation>
    </message>
    <message>
        <source>Number of random numbers you want to generate  should be greater than zero</source>
        <translation>Antalet slumptal som ska genereras måste vara större än noll.</translation>
    </message>
    <message>
        <source>Excel cannot have more than 65536 rows. Therefore the output file be a text file, which you can open with notepad.</source>
        <translation>Excel kan inte ha fler än 65536 rader. Därför blir utdatafilen en textfil, som du kan öppna i en textredigerare.</translation>
    </message>
</context>
<context>
    <name>DesktopSession</name>
    <message>
        <source>Zandrel needs a graphical desktop session: neither DISPLAY nor WAYLAND_DISPLAY is set.</source>
        <translation>Zandrel behöver en grafisk skrivbordssession: varken DISPLAY eller WAYLAND_DISPLAY är satt.</translation>
    </message>
    <message>
        <source>Zandrel needs Qt&apos;s Wayland platform plugin on this Wayland desktop: install the package qt6-wayland.</source>
        <translation>Zandrel behöver Qts plattformsmodul för Wayland på det här Wayland-skrivbordet: installera paketet qt6-wayland.</translation>
    </message>
    <message>
        <source>Zandrel could not open a window on this desktop session: %1</source>
        <translation>Zandrel kunde inte öppna något fönster i den här skrivbordssessionen: %1</translation>
    </message>
</context>
<context>
    <name>Forms</name>
    <message>
        <source>The export is stopped. Zandrel ends as soon as the disk has finished with its file.</source>
        <translation>Exporten är avbruten. Zandrel avslutas så snart disken är klar med filen.</translation>
    </message>
</context>
<context>
    <name>RangeCheck</name>
    <message>
        <source>Please enter minimum and maximum random number desired range</source>
        <translation>Ange minimum och maximum för det önskade intervallet.</translation>
    </message>
    <message>
        <source>Min Value should be smaller than Max Value</source>
        <translation>Minimum måste vara mindre än maximum.</translation>
    </message>
    <message>
        <source>Min Value and Max Value should be equal or greater than zero</source>
        <translation>Minimum och maximum måste vara större än eller lika med noll.</translation>
    </message>
    <message>
        <source>There is no whole number between Min Value and Max Value.</source>
        <translation>Det finns inget heltal mellan minimum och maximum.</translation>
    </message>
</context>
<context>
    <name>frmContact</name>
    <message>
        <source>For Questions and Recommendations Please Contact Us at</source>
        <translation>Har du frågor eller förslag? Skriv till oss på</translation>
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
        <translation>Hur många slumptal vill du generera och exportera till Excel?</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>Kör</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Stäng</translation>
    </message>
    <message>
        <source>Export To Excel</source>
        <translation>Exportera till Excel</translation>
    </message>
    <message>
        <source>Generating the random numbers. Please wait.</source>
        <translation>Slumptalen genereras. Vänta.</translation>
    </message>
    <message>
        <source>The export was stopped.</source>
        <translation>Exporten avbröts.</translation>
    </message>
</context>
<context>
    <name>frmZandrel</name>
    <message>
        <source>Generate Random Number</source>
        <translation>Generera slumptal</translation>
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
        <translation>Genererat slumptal</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Rensa</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Avsluta</translation>
    </message>
    <message>
        <source>Moving Average of the Randomly Generated Numbers</source>
        <translation>Glidande medelvärde för de genererade talen</translation>
    </message>
    <message>
        <source>Generate Random Numbers and Export Them into Excel</source>
        <translation>Generera slumptal och exportera dem till Excel</translation>
    </message>
    <message>
        <source>Zandrel</source>
        <translation>Zandrel</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hjälp</translation>
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
        <translation>Fälten är tomma.</translation>
    </message>
</context>
</TS>
