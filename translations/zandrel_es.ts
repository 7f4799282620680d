<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>Application</name>
    <message>
        <source>an unknown error</source>
        <translation>un error desconocido</translation>
    </message>
    <message>
        <source>Zandrel has met an error it cannot recover from and will close:

%1</source>
        <translation>Zandrel ha encontrado un error del que no puede recuperarse y se cerrará:

%1</translation>
    </message>
</context>
<context>
    <name>BatchExport</name>
    <message>
        <source>The random numbers could not be exported: there is no home folder to put the file in (HOME is not set, and the user database has no home folder for this user).</source>
        <translation>No se han podido exportar los números aleatorios: no hay ninguna carpeta personal donde guardar el archivo (HOME no está definida y la base de datos de usuarios no indica ninguna carpeta personal para este usuario).</translation>
    </message>
    <message>
        <source>The random numbers cannot be exported into &apos;%1&apos;: the file needs about %2, and only %3 are free there.</source>
        <translation>No se pueden exportar los números aleatorios a «%1»: el archivo necesita unos %2 y solo quedan %3 libres.</translation>
    </message>
    <message>
        <source>The random numbers cannot be exported into &apos;%1&apos;: the space free there cannot be read: %2</source>
        <translation>No se pueden exportar los números aleatorios a «%1»: no se puede saber cuánto espacio libre queda allí: %2</translation>
    </message>
    <message>
        <source>The random numbers cannot be exported into &apos;%1&apos;: so many numbers need far more space than any disk holds.</source>
        <translation>No se pueden exportar los números aleatorios a «%1»: tantos números necesitan mucho más espacio del que cabe en cualquier disco.</translation>
    </message>
    <message>
        <source>The random numbers are exported into &apos;%1&apos;. Thanks.</source>
        <translation>Los números aleatorios se han exportado a «%1». Gracias.</translation>
    </message>
    <message>
        <source>The random numbers are exported into &apos;%1&apos;, but the system could not confirm that the file will survive a power cut: %2</source>
        <translation>Los números aleatorios se han exportado a «%1», pero el sistema no pudo confirmar que el archivo sobreviva a un corte de luz: %2</translation>
    </message>
    <message>
        <source>The random numbers could not be exported into &apos;%1&apos;: %2</source>
        <translation>No se han podido exportar los números aleatorios a «%1»: %2</translation>
    </message>
    <message>
        <source>Its unfinished file &apos;%1&apos; could not be removed: %2</source>
        <translation>No se ha podido eliminar su archivo sin terminar «%1»: %2</translation>
    </message>
    <message>
        <source>The export was stopped, but its unfinished file &apos;%1&apos; could not be removed: %2</source>
        <translation>Se ha detenido la exportación, pero no se ha podido eliminar su archivo sin terminar «%1»: %2</translation>
    </message>
</context>
<context>
    <name>BatchProgress</name>
    <message>
        <source>Export progress</source>
        <translation>Progreso de la exportación</translation>
    </message>
    <message>
        <source>Exporting the random numbers: %1 of %2 written.</source>
        <translation>Exportando los números aleatorios: %1 de %2 escritos.</translation>
    </message>
    <message>
        <source>%p%</source>
        <translation>%p&#xa0;%</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Saving the file to the disk: all %1 numbers are written.</source>
        <translation>Guardando el archivo en el disco: los %1 números ya están escritos.</translation>
    </message>
</context>
<context>
    <name>CountCheck</name>
    <message>
        <source>Please enter number of random numbers you want to generate and output</source>
        <translation>Introduzca cuántos números aleatorios desea generar y exportar.</translation>
    </message>
    <message>
        <source>Number of random numbers you want to generate  should be greater than zero</source>
        <translation>La cantidad de números aleatorios que desea generar debe ser mayor que cero.</translation>
    </message>
    <message>
        <source>Excel cannot have more than 65536 rows. Therefore the output file be a text file, which you can open with notepad.</source>
        <translation>Excel no admite más de 65536 filas. Por eso, el archivo de salida será un archivo de texto, que puede abrir con un editor de texto.</translation>
    </message>
</context>
<context>
    <name>DesktopSession</name>
    <message>
        <source>Zandrel needs a graphical desktop session: neither DISPLAY nor WAYLAND_DISPLAY is set.</source>
        <translation>Zandrel necesita una sesión gráfica: no está definida ni DISPLAY ni WAYLAND_DISPLAY.</translation>
    </message>
    <message>
        <source>Zandrel needs Qt&apos;s Wayland platform plugin on this Wayland desktop: install the package qt6-wayland.</source>
        <translation>Zandrel necesita el complemento de plataforma Wayland de Qt en este escritorio Wayland: instale el paquete qt6-wayland.</translation>
    </message>
    <message>
        <source>Zandrel could not open a window on this desktop session: %1</source>
        <translation>Zandrel no ha podido abrir una ventana en esta sesión: %1</translation>
    </message>
</context>
<context>
    <name>Forms</name>
    <message>
        <source>The export is stopped. Zandrel ends as soon as the disk has finished with its file.</source>
        <translation>Se ha detenido la exportación. Zandrel se cerrará en cuanto el disco haya terminado con su archivo.</translation>
    </message>
</context>
<context>
    <name>RangeCheck</name>
    <message>
        <source>Please enter minimum and maximum random number desired range</source>
        <translation>Introduzca el mínimo y el máximo del intervalo deseado.</translation>
    </message>
    <message>
        <source>Min Value should be smaller than Max Value</source>
        <translation>El mínimo debe ser menor que el máximo.</translation>
    </message>
    <message>
        <source>Min Value and Max Value should be equal or greater than zero</source>
        <translation>El mínimo y el máximo deben ser mayores o iguales que cero.</translation>
    </message>
    <message>
        <source>There is no whole number between Min Value and Max Value.</source>
        <translation>No hay ningún número entero entre el mínimo y el máximo.</translation>
    </message>
</context>
<context>
    <name>frmContact</name>
    <message>
        <source>For Questions and Recommendations Please Contact Us at</source>
        <translation>Si tiene preguntas o sugerencias, escríbanos a</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>Contacto</translation>
    </message>
</context>
<context>
    <name>frmNumberofRandomNumbers</name>
    <message>
        <source>Please Enter How Many Random Numbers You Want To Create and Export Into Excel</source>
        <translation>¿Cuántos números aleatorios desea generar y exportar a Excel?</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Export To Excel</source>
        <translation>Exportar a Excel</translation>
    </message>
    <message>
        <source>Generating the random numbers. Please wait.</source>
        <translation>Se están generando los números aleatorios. Espere, por favor.</translation>
    </message>
    <message>
        <source>The export was stopped.</source>
        <translation>Se ha detenido la exportación.</translation>
    </message>
</context>
<context>
    <name>frmZandrel</name>
    <message>
        <source>Generate Random Number</source>
        <translation>Generar número aleatorio</translation>
    </message>
    <message>
        <source>Min Value</source>
        <translation>Mínimo</translation>
    </message>
    <message>
        <source>Max Value</source>
        <translation>Máximo</translation>
    </message>
    <message>
        <source>Random Number Generated</source>
        <translation>Número aleatorio generado</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Limpiar</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Moving Average of the Randomly Generated Numbers</source>
        <translation>Media móvil de los números generados</translation>
    </message>
    <message>
        <source>Generate Random Numbers and Export Them into Excel</source>
        <translation>Generar números aleatorios y exportarlos a Excel</translation>
    </message>
    <message>
        <source>Zandrel</source>
        <translation>Zandrel</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>Contacto</translation>
    </message>
    <message>
        <source>%1: %2. %3: %4.</source>
        <translation>%1: %2. %3: %4.</translation>
    </message>
    <message>
        <source>The boxes are empty.</source>
        <translation>Los campos están vacíos.</translation>
    </message>
</context>
</TS>
