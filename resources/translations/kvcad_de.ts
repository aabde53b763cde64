<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CommandLine</name>
    <message>
        <source>Command:</source>
        <translation>Befehl:</translation>
    </message>
</context>
<context>
    <name>DesktopCommands</name>
    <message>
        <source>No drawing is open.</source>
        <translation>Es ist keine Zeichnung geöffnet.</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>Aufruf: %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no kind of record; the kinds are Layer, Linetype, TextStyle and DimStyle.</source>
        <translation>„%1“ ist keine Art von Einträgen; die Arten sind Layer, Linetype, TextStyle und DimStyle.</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; does not exist.</source>
        <translation>%1 „%2“ gibt es nicht.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid name.</source>
        <translation>„%1“ ist kein gültiger Name.</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; already exists.</source>
        <translation>%1 „%2“ gibt es schon.</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; cannot be renamed.</source>
        <translation>%1 „%2“ kann nicht umbenannt werden.</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; cannot be deleted.</source>
        <translation>%1 „%2“ kann nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; is in use and cannot be deleted.</source>
        <translation>%1 „%2“ wird verwendet und kann nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>%1 has no property &quot;%2&quot;.</source>
        <translation>%1 hat keine Eigenschaft „%2“.</translation>
    </message>
    <message>
        <source>%1 is only shown and cannot be changed.</source>
        <translation>%1 wird nur angezeigt und kann nicht geändert werden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a value of %2.</source>
        <translation>„%1“ ist kein Wert für %2.</translation>
    </message>
    <message>
        <source>Nothing to undo.</source>
        <translation>Es gibt nichts rückgängig zu machen.</translation>
    </message>
    <message>
        <source>Undone: %1</source>
        <translation>Rückgängig gemacht: %1</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; added</source>
        <translation>%1 „%2“ hinzugefügt</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; deleted</source>
        <translation>%1 „%2“ gelöscht</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; renamed to &quot;%3&quot;</source>
        <translation>%1 „%2“ in „%3“ umbenannt</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot;: %3 set to %4</source>
        <translation>%1 „%2“: %3 auf %4 gesetzt</translation>
    </message>
</context>
<context>
    <name>DesktopWindow</name>
    <message>
        <source>%1 cannot be opened: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Opened %1.</source>
        <translation>%1 geöffnet.</translation>
    </message>
    <message>
        <source>%1 cannot be saved: %2</source>
        <translation>%1 kann nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Saved %1.</source>
        <translation>%1 gespeichert.</translation>
    </message>
    <message>
        <source>%1 has changed. Save the changes?</source>
        <translation>%1 wurde geändert. Änderungen speichern?</translation>
    </message>
    <message>
        <source>No recent files</source>
        <translation>Keine zuletzt geöffneten Dateien</translation>
    </message>
    <message>
        <source>Open Drawing</source>
        <translation>Zeichnung öffnen</translation>
    </message>
    <message>
        <source>Drawings (*.dxf)</source>
        <translation>Zeichnungen (*.dxf)</translation>
    </message>
    <message>
        <source>Save Drawing As</source>
        <translation>Zeichnung speichern unter</translation>
    </message>
    <message>
        <source>New %1</source>
        <translation>Neu: %1</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Add Record...</source>
        <translation>Eintrag &amp;hinzufügen...</translation>
    </message>
    <message>
        <source>&amp;Rename Record</source>
        <translation>Eintrag &amp;umbenennen</translation>
    </message>
    <message>
        <source>&amp;Delete Record</source>
        <translation>Eintrag &amp;löschen</translation>
    </message>
    <message>
        <source>&amp;Standards</source>
        <translation>&amp;Normen</translation>
    </message>
    <message>
        <source>&amp;Drawing Standards...</source>
        <translation>&amp;Zeichnungsnormen...</translation>
    </message>
    <message>
        <source>&amp;Verify Standards...</source>
        <translation>Normen &amp;prüfen...</translation>
    </message>
    <message>
        <source>Standards &amp;Files...</source>
        <translation>Norm&amp;dateien...</translation>
    </message>
    <message>
        <source>Standards &amp;Plug-ins...</source>
        <translation>Normen-&amp;Zusatzmodule...</translation>
    </message>
    <message>
        <source>Standards S&amp;ettings...</source>
        <translation>Normen&amp;einstellungen...</translation>
    </message>
    <message>
        <source>Command: %1</source>
        <translation>Befehl: %1</translation>
    </message>
    <message>
        <source>Unknown command &quot;%1&quot;.</source>
        <translation>Unbekannter Befehl „%1“.</translation>
    </message>
    <message>
        <source>*Cancel*</source>
        <translation>*Abbruch*</translation>
    </message>
    <message>
        <source>The command failed: %1</source>
        <translation>Der Befehl ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>The standards check stopped: %1</source>
        <translation>Die Normprüfung wurde abgebrochen: %1</translation>
    </message>
    <message>
        <source>%1 (missing)</source>
        <translation>%1 (fehlt)</translation>
    </message>
    <message>
        <source>No standards files</source>
        <translation>Keine Normendateien</translation>
    </message>
    <message>
        <source>Standards file missing: %1</source>
        <translation>Normendatei fehlt: %1</translation>
    </message>
    <message>
        <source>Standards: %1</source>
        <translation>Normen: %1</translation>
    </message>
    <message>
        <source>The drawing is associated with no standards files.</source>
        <translation>Der Zeichnung sind keine Normendateien zugeordnet.</translation>
    </message>
    <message>
        <source>&amp;Undo: %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
</context>
<context>
    <name>RecordKinds</name>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Layers</source>
        <translation>Layer</translation>
    </message>
    <message>
        <source>Layer</source>
        <translation>Layer</translation>
    </message>
    <message>
        <source>Frozen</source>
        <translation>Gefroren</translation>
    </message>
    <message>
        <source>Locked</source>
        <translation>Gesperrt</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Line Style</source>
        <translation>Linientyp</translation>
    </message>
    <message>
        <source>Lineweight</source>
        <translation>Linienstärke</translation>
    </message>
    <message>
        <source>Plot</source>
        <translation>Plotten</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Line Styles</source>
        <translation>Linientypen</translation>
    </message>
    <message>
        <source>Line style</source>
        <translation>Linientyp</translation>
    </message>
    <message>
        <source>Pattern Length</source>
        <translation>Musterlänge</translation>
    </message>
    <message>
        <source>Dashes</source>
        <translation>Striche</translation>
    </message>
    <message>
        <source>Text Styles</source>
        <translation>Textstile</translation>
    </message>
    <message>
        <source>Text style</source>
        <translation>Textstil</translation>
    </message>
    <message>
        <source>Font File</source>
        <translation>Schriftdatei</translation>
    </message>
    <message>
        <source>Big Font File</source>
        <translation>Großschriftdatei</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>Width Factor</source>
        <translation>Breitenfaktor</translation>
    </message>
    <message>
        <source>Oblique Angle</source>
        <translation>Neigungswinkel</translation>
    </message>
    <message>
        <source>Backwards</source>
        <translation>Rückwärts</translation>
    </message>
    <message>
        <source>Upside Down</source>
        <translation>Kopfstehend</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Vertikal</translation>
    </message>
    <message>
        <source>Dimension Styles</source>
        <translation>Bemaßungsstile</translation>
    </message>
    <message>
        <source>Dimension style</source>
        <translation>Bemaßungsstil</translation>
    </message>
</context>
<context>
    <name>RecordTableModel</name>
    <message>
        <source>Ignored</source>
        <translation>Ignoriert</translation>
    </message>
    <message>
        <source>Non-standard</source>
        <translation>Nicht normgerecht</translation>
    </message>
    <message>
        <source>Ignored by %1</source>
        <translation>Ignoriert von %1</translation>
    </message>
    <message>
        <source>Standards</source>
        <translation>Normen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
</context>
</TS>
