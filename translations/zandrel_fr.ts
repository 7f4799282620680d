<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Application</name>
    <message>
        <source>an unknown error</source>
        <translation>une erreur inconnue</translation>
    </message>
    <message>
        <source>Zandrel has met an error it cannot recover from and will close:

%1</source>
        <translation>Zandrel a rencontré une erreur irrécupérable et va se fermer&#xa0;:

%1</translation>
    </message>
</context>
<context>
    <name>BatchExport</name>
    <message>
        <source>The random numbers could not be exported: there is no home folder to put the file in (HOME is not set, and the user database has no home folder for this user).</source>
        <translation>Impossible d’exporter les nombres aléatoires&#xa0;: il n’y a pas de dossier personnel où placer le fichier (HOME n’est pas défini et la base des utilisateurs n’indique aucun dossier personnel pour cet utilisateur).</translation>
    </message>
    <message>
        <source>The random numbers cannot be exported into &apos;%1&apos;: the file needs about %2, and only %3 are free there.</source>
        <translation>Impossible d’exporter les nombres aléatoires dans «&#xa0;%1&#xa0;»&#xa0;: le fichier nécessite environ %2, et il n’y reste que %3 de libre.</translation>
    </message>
    <message>
        <source>The random numbers cannot be exported into &apos;%1&apos;: the space free there cannot be read: %2</source>
        <translation>Impossible d’exporter les nombres aléatoires dans «&#xa0;%1&#xa0;»&#xa0;: impossible de connaître l’espace libre à cet endroit&#xa0;: %2</translation>
    </message>
    <message>
        <source>The random numbers cannot be exported into &apos;%1&apos;: so many numbers need far more space than any disk holds.</source>
        <translation>Impossible d’exporter les nombres aléatoires dans «&#xa0;%1&#xa0;»&#xa0;: autant de nombres demandent bien plus de place que n’en offre aucun disque.</translation>
    </message>
    <message>
        <source>The random numbers are exported into &apos;%1&apos;. Thanks.</source>
        <translation>Les nombres aléatoires ont été exportés dans «&#xa0;%1&#xa0;». Merci.</translation>
    </message>
    <message>
        <source>The random numbers are exported into &apos;%1&apos;, but the system could not confirm that the file will survive a power cut: %2</source>
        <translation>Les nombres aléatoires ont été exportés dans «&#xa0;%1&#xa0;», mais le système n’a pas pu confirmer que le fichier survivra à une coupure de courant&#xa0;: %2</translation>
    </message>
    <message>
        <source>The random numbers could not be exported into &apos;%1&apos;: %2</source>
        <translation>Impossible d’exporter les nombres aléatoires dans «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>Its unfinished file &apos;%1&apos; could not be removed: %2</source>
        <translation>Son fichier inachevé «&#xa0;%1&#xa0;» n’a pas pu être supprimé&#xa0;: %2</translation>
    </message>
    <message>
        <source>The export was stopped, but its unfinished file &apos;%1&apos; could not be removed: %2</source>
        <translation>L’exportation a été interrompue, mais son fichier inachevé «&#xa0;%1&#xa0;» n’a pas pu être supprimé&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>BatchProgress</name>
    <message>
        <source>Export progress</source>
        <translation>Progression de l’exportation</translation>
    </message>
    <message>
        <source>Exporting the random numbers: %1 of %2 written.</source>
        <translation>Exportation des nombres aléatoires&#xa0;: %1 sur %2 écrits.</translation>
    </message>
    <message>
        <source>%p%</source>
        <translation>%p&#x202f;%</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Saving the file to the disk: all %1 numbers are written.</source>
        <translation>Enregistrement du fichier sur le disque&#xa0;: les %1 nombres sont tous écrits.</translation>
    </message>
</context>
<context>
    <name>CountCheck</name>
    <message>
        <source>Please enter number of random numbers you want to generate and output</source>
        <translation>Veuillez saisir le nombre de nombres aléatoires à générer et à exporter.</translation>
    </message>
    <message>
        <source>Number of random numbers you want to generate  should be greater than zero</source>
        <translation>Le nombre de nombres aléatoires à générer doit être supérieur à zéro.</translation>
    </message>
    <message>
        <source>Excel cannot have more than 65536 rows. Therefore the output file be a text file, which you can open with notepad.</source>
        <translation>Excel ne peut pas contenir plus de 65536 lignes. Le fichier de sortie sera donc un fichier texte, que vous pouvez ouvrir avec un éditeur de texte.</translation>
    </message>
</context>
<context>
    <name>DesktopSession</name>
    <message>
        <source>Zandrel needs a graphical desktop session: neither DISPLAY nor WAYLAND_DISPLAY is set.</source>
        <translation>Zandrel a besoin d’une session graphique&#xa0;: ni DISPLAY ni WAYLAND_DISPLAY n’est défini.</translation>
    </message>
    <message>
        <source>Zandrel needs Qt&apos;s Wayland platform plugin on this Wayland desktop: install the package qt6-wayland.</source>
        <translation>Zandrel a besoin du module de plateforme Wayland de Qt sur ce bureau Wayland&#xa0;: installez le paquet qt6-wayland.</translation>
    </message>
    <message>
        <source>Zandrel could not open a window on this desktop session: %1</source>
        <translation>Zandrel n’a pas pu ouvrir de fenêtre dans cette session&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>Forms</name>
    <message>
        <source>The export is stopped. Zandrel ends as soon as the disk has finished with its file.</source>
        <translation>L’exportation est interrompue. Zandrel se fermera dès que le disque en aura fini avec son fichier.</translation>
    </message>
</context>
<context>
    <name>RangeCheck</name>
    <message>
        <source>Please enter minimum and maximum random number desired range</source>
        <translation>Veuillez saisir le minimum et le maximum de la plage souhaitée.</translation>
    </message>
    <message>
        <source>Min Value should be smaller than Max Value</source>
        <translation>Le minimum doit être inférieur au maximum.</translation>
    </message>
    <message>
        <source>Min Value and Max Value should be equal or greater than zero</source>
        <translation>Le minimum et le maximum doivent être supérieurs ou égaux à zéro.</translation>
    </message>
    <message>
        <source>There is no whole number between Min Value and Max Value.</source>
        <translation>Il n’y a aucun nombre entier entre le minimum et le maximum.</translation>
    </message>
</context>
<context>
    <name>frmContact</name>
    <message>
        <source>For Questions and Recommendations Please Contact Us at</source>
        <translation>Pour vos questions et suggestions, écrivez-nous à</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>Contact</translation>
    </message>
</context>
<context>
    <name>frmNumberofRandomNumbers</name>
    <message>
        <source>Please Enter How Many Random Numbers You Want To Create and Export Into Excel</source>
        <translation>Combien de nombres aléatoires voulez-vous générer et exporter vers Excel&#xa0;?</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>Lancer</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Export To Excel</source>
        <translation>Exporter vers Excel</translation>
    </message>
    <message>
        <source>Generating the random numbers. Please wait.</source>
        <translation>Génération des nombres aléatoires. Veuillez patienter.</translation>
    </message>
    <message>
        <source>The export was stopped.</source>
        <translation>L’exportation a été interrompue.</translation>
    </message>
</context>
<context>
    <name>frmZandrel</name>
    <message>
        <source>Generate Random Number</source>
        <translation>Générer un nombre aléatoire</translation>
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
        <translation>Nombre aléatoire généré</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Moving Average of the Randomly Generated Numbers</source>
        <translation>Moyenne mobile des nombres générés</translation>
    </message>
    <message>
        <source>Generate Random Numbers and Export Them into Excel</source>
        <translation>Générer des nombres aléatoires et les exporter vers Excel</translation>
    </message>
    <message>
        <source>Zandrel</source>
        <translation>Zandrel</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>Contact</translation>
    </message>
    <message>
        <source>%1: %2. %3: %4.</source>
        <translation>%1&#xa0;: %2. %3&#xa0;: %4.</translation>
    </message>
    <message>
        <source>The boxes are empty.</source>
        <translation>Les champs sont vides.</translation>
    </message>
</context>
</TS>
