<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CKvCommandDwgStandards</name>
    <message>
        <source>DWGSTANDARDS</source>
        <comment>Command Name: Needs to be unique and all uppercase.</comment>
        <translation>DWGSTANDARDS</translation>
    </message>
</context>
<context>
    <name>CKvStandardsConfigDialog</name>
    <message>
        <source>Configure Standards</source>
        <translation>Normen konfigurieren</translation>
    </message>
    <message>
        <source>Standards files</source>
        <translation>Normendateien</translation>
    </message>
    <message>
        <source>No drawing is open. Open a drawing to associate standards files with it.</source>
        <translation>Es ist keine Zeichnung geöffnet. Öffnen Sie eine Zeichnung, um ihr Normendateien zuzuordnen.</translation>
    </message>
    <message>
        <source>Standards files associated with the current drawing, checked in this order:</source>
        <translation>Normendateien der aktuellen Zeichnung, in dieser Reihenfolge geprüft:</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>&amp;Hinzufügen...</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>&amp;Nach oben</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message>
        <source>Plug-ins</source>
        <translation>Zusatzmodule</translation>
    </message>
    <message>
        <source>Plug-ins used when standards are checked:</source>
        <translation>Zusatzmodule, mit denen die Normen geprüft werden:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Preferred standards file:</source>
        <translation>&amp;Bevorzugte Normendatei:</translation>
    </message>
    <message>
        <source>Automatically &amp;fix non-standard properties</source>
        <translation>Nicht normgerechte Eigenschaften automatisch &amp;beheben</translation>
    </message>
    <message>
        <source>&amp;Show ignored problems</source>
        <translation>&amp;Ignorierte Probleme anzeigen</translation>
    </message>
    <message>
        <source>Add Standards Files</source>
        <translation>Normendateien hinzufügen</translation>
    </message>
    <message>
        <source>Standards files (*.dws *.dxf)</source>
        <translation>Normendateien (*.dws *.dxf)</translation>
    </message>
    <message>
        <source>The standards settings could not be saved to %1.</source>
        <translation>Die Normeinstellungen konnten nicht in %1 gespeichert werden.</translation>
    </message>
    <message>
        <source>File not found: %1</source>
        <translation>Datei nicht gefunden: %1</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>No standards plug-ins are loaded.</source>
        <translation>Es sind keine Zusatzmodule für Normen geladen.</translation>
    </message>
</context>
</TS>
