<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CKvCommand</name>
    <message>
        <source>Default</source>
        <translation>Default</translation>
    </message>
</context>
<context>
    <name>CKvCommandDrawingStandards</name>
    <message>
        <source>DRAWINGSTANDARDS</source>
        <comment>Command Name: Needs to be unique and all uppercase.</comment>
        <translation>DRAWINGSTANDARDS</translation>
    </message>
</context>
<context>
    <name>CKvCommandVerifyStandards</name>
    <message>
        <source>VERIFYSTANDARDS</source>
        <comment>Command Name: Needs to be unique and all uppercase.</comment>
        <translation>VERIFYSTANDARDS</translation>
    </message>
</context>
<context>
    <name>CKvDimStylePluginImpl</name>
    <message>
        <source>Dimension Styles</source>
        <translation>Bemaßungsstile</translation>
    </message>
    <message>
        <source>Verifies that names and properties of dimension styles in a drawing match those in an associated standards file.</source>
        <translation>Prüft, ob Namen und Eigenschaften der Bemaßungsstile einer Zeichnung mit denen einer zugeordneten Normendatei übereinstimmen.</translation>
    </message>
    <message>
        <source>DimensionStyle</source>
        <translation>Bemaßungsstil</translation>
    </message>
    <message>
        <source>Angle precision</source>
        <translation>Winkelgenauigkeit</translation>
    </message>
    <message>
        <source>Alternate UnitSystem</source>
        <translation>Alternativeinheiten</translation>
    </message>
    <message>
        <source>Alt precision</source>
        <translation>Alt. Genauigkeit</translation>
    </message>
    <message>
        <source>Alt scale</source>
        <translation>Alt. Maßstab</translation>
    </message>
    <message>
        <source>Alt roundoff</source>
        <translation>Alt. Rundung</translation>
    </message>
    <message>
        <source>Alt tol precision</source>
        <translation>Alt. Toleranzgenauigkeit</translation>
    </message>
    <message>
        <source>Alt tol zeroes</source>
        <translation>Alt. Toleranznullen</translation>
    </message>
    <message>
        <source>Alt UnitSystem</source>
        <translation>Alt. Einheitensystem</translation>
    </message>
    <message>
        <source>Alt zeroes</source>
        <translation>Alt. Nullen</translation>
    </message>
    <message>
        <source>Alt prefix and suffix</source>
        <translation>Alt. Präfix und Suffix</translation>
    </message>
    <message>
        <source>Arrow size</source>
        <translation>Pfeilgröße</translation>
    </message>
    <message>
        <source>Fit arrow and text</source>
        <translation>Pfeile und Text einpassen</translation>
    </message>
    <message>
        <source>Angle format</source>
        <translation>Winkelformat</translation>
    </message>
    <message>
        <source>Angle zero suppression</source>
        <translation>Winkel-Nullunterdrückung</translation>
    </message>
    <message>
        <source>Arrow</source>
        <translation>Pfeil</translation>
    </message>
    <message>
        <source>Arrow 1</source>
        <translation>Pfeil 1</translation>
    </message>
    <message>
        <source>Arrow 2</source>
        <translation>Pfeil 2</translation>
    </message>
    <message>
        <source>Center mark size</source>
        <translation>Größe der Mittelpunktmarke</translation>
    </message>
    <message>
        <source>Dim line color</source>
        <translation>Farbe der Maßlinie</translation>
    </message>
    <message>
        <source>Ext line color</source>
        <translation>Farbe der Hilfslinie</translation>
    </message>
    <message>
        <source>Text color</source>
        <translation>Textfarbe</translation>
    </message>
    <message>
        <source>Precision</source>
        <translation>Genauigkeit</translation>
    </message>
    <message>
        <source>Dim line ext</source>
        <translation>Maßlinienverlängerung</translation>
    </message>
    <message>
        <source>Dim line spacing</source>
        <translation>Maßlinienabstand</translation>
    </message>
    <message>
        <source>Decimal separator</source>
        <translation>Dezimaltrennzeichen</translation>
    </message>
    <message>
        <source>Ext line extension</source>
        <translation>Hilfslinienüberstand</translation>
    </message>
    <message>
        <source>Ext line offset</source>
        <translation>Hilfslinienabstand</translation>
    </message>
    <message>
        <source>Fraction format</source>
        <translation>Bruchformat</translation>
    </message>
    <message>
        <source>Text offset</source>
        <translation>Textabstand</translation>
    </message>
    <message>
        <source>Text pos hor</source>
        <translation>Textposition horiz.</translation>
    </message>
    <message>
        <source>Leader arrow</source>
        <translation>Führungspfeil</translation>
    </message>
    <message>
        <source>Length scale</source>
        <translation>Längenmaßstab</translation>
    </message>
    <message>
        <source>Tol limits</source>
        <translation>Grenzmaße</translation>
    </message>
    <message>
        <source>Length UnitSystem</source>
        <translation>Längeneinheiten</translation>
    </message>
    <message>
        <source>Dim line lineweight</source>
        <translation>Linienstärke der Maßlinie</translation>
    </message>
    <message>
        <source>Ext line lineweight</source>
        <translation>Linienstärke der Hilfslinie</translation>
    </message>
    <message>
        <source>Text prefix and suffix</source>
        <translation>Textpräfix und -suffix</translation>
    </message>
    <message>
        <source>Roundoff</source>
        <translation>Rundung</translation>
    </message>
    <message>
        <source>Separate arrows</source>
        <translation>Getrennte Pfeile</translation>
    </message>
    <message>
        <source>Overall scale</source>
        <translation>Gesamtmaßstab</translation>
    </message>
    <message>
        <source>No dim line 1</source>
        <translation>Keine Maßlinie 1</translation>
    </message>
    <message>
        <source>No dim line 2</source>
        <translation>Keine Maßlinie 2</translation>
    </message>
    <message>
        <source>No ext line 1</source>
        <translation>Keine Hilfslinie 1</translation>
    </message>
    <message>
        <source>No ext line 2</source>
        <translation>Keine Hilfslinie 2</translation>
    </message>
    <message>
        <source>No dim lines outside</source>
        <translation>Keine Maßlinien außen</translation>
    </message>
    <message>
        <source>Text pos vert</source>
        <translation>Textposition vert.</translation>
    </message>
    <message>
        <source>Tol precision</source>
        <translation>Toleranzgenauigkeit</translation>
    </message>
    <message>
        <source>Tol text scale</source>
        <translation>Toleranztextmaßstab</translation>
    </message>
    <message>
        <source>Text inside align</source>
        <translation>Text innen ausrichten</translation>
    </message>
    <message>
        <source>Text inside</source>
        <translation>Text innen</translation>
    </message>
    <message>
        <source>Tol dev lower</source>
        <translation>Untere Toleranz</translation>
    </message>
    <message>
        <source>Fit text movement</source>
        <translation>Textverschiebung</translation>
    </message>
    <message>
        <source>Dim line forced</source>
        <translation>Maßlinie erzwingen</translation>
    </message>
    <message>
        <source>Text outside align</source>
        <translation>Text außen ausrichten</translation>
    </message>
    <message>
        <source>Tol deviation</source>
        <translation>Toleranzabweichung</translation>
    </message>
    <message>
        <source>Tol pos vert</source>
        <translation>Toleranzposition vert.</translation>
    </message>
    <message>
        <source>Tol dev upper</source>
        <translation>Obere Toleranz</translation>
    </message>
    <message>
        <source>Stroke size</source>
        <translation>Strichgröße</translation>
    </message>
    <message>
        <source>TextStyle</source>
        <translation>Textstil</translation>
    </message>
    <message>
        <source>Text height</source>
        <translation>Texthöhe</translation>
    </message>
    <message>
        <source>Tol zero suppression</source>
        <translation>Toleranz-Nullunterdrückung</translation>
    </message>
    <message>
        <source>User-positioned text</source>
        <translation>Text vom Benutzer platziert</translation>
    </message>
    <message>
        <source>Zero suppression</source>
        <translation>Nullunterdrückung</translation>
    </message>
    <message>
        <source>Fixed ext line length</source>
        <translation>Feste Hilfslinienlänge</translation>
    </message>
    <message>
        <source>Fixed ext line enabled</source>
        <translation>Feste Hilfslinienlänge ein</translation>
    </message>
    <message>
        <source>Large rad dim jog angle</source>
        <translation>Knickwinkel großer Radien</translation>
    </message>
    <message>
        <source>Text background enabled</source>
        <translation>Texthintergrund ein</translation>
    </message>
    <message>
        <source>Text background color</source>
        <translation>Texthintergrundfarbe</translation>
    </message>
    <message>
        <source>Arc len symbol</source>
        <translation>Bogenlängensymbol</translation>
    </message>
    <message>
        <source>Dim line linetype</source>
        <translation>Linientyp der Maßlinie</translation>
    </message>
    <message>
        <source>Ext line 1 linetype</source>
        <translation>Linientyp der Hilfslinie 1</translation>
    </message>
    <message>
        <source>Ext line 2 linetype</source>
        <translation>Linientyp der Hilfslinie 2</translation>
    </message>
    <message>
        <source>Annotative</source>
        <translation>Beschriftung</translation>
    </message>
</context>
<context>
    <name>CKvLayerPluginImpl</name>
    <message>
        <source>Layers</source>
        <translation>Layer</translation>
    </message>
    <message>
        <source>Verifies that names and properties of layers in a drawing match those in an associated standards file.</source>
        <translation>Prüft, ob Namen und Eigenschaften der Layer einer Zeichnung mit denen einer zugeordneten Normendatei übereinstimmen.</translation>
    </message>
    <message>
        <source>Layer</source>
        <translation>Layer</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>LineColor</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>LineWeight</source>
        <translation>Linienstärke</translation>
    </message>
    <message>
        <source>LineStyle</source>
        <translation>Linientyp</translation>
    </message>
</context>
<context>
    <name>CKvLineStylePluginImpl</name>
    <message>
        <source>Line Styles</source>
        <translation>Linientypen</translation>
    </message>
    <message>
        <source>Verifies that names and properties of line style in a drawing match those in an associated standards file.</source>
        <translation>Prüft, ob Namen und Eigenschaften der Linientypen einer Zeichnung mit denen einer zugeordneten Normendatei übereinstimmen.</translation>
    </message>
    <message>
        <source>LineStyle</source>
        <translation>Linientyp</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Dashes</source>
        <translation>Striche</translation>
    </message>
    <message>
        <source>Pattern Length</source>
        <translation>Musterlänge</translation>
    </message>
</context>
<context>
    <name>CKvMissingStandardsFileDlg</name>
    <message>
        <source>One or more standards files associated with the current drawing could not be located.</source>
        <translation>Mindestens eine der Normendateien, die der aktuellen Zeichnung zugeordnet sind, wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Run standards files association</source>
        <translation>Normendateien zuordnen</translation>
    </message>
</context>
<context>
    <name>CKvNoDwgCategoriesSelectedDlg</name>
    <message>
        <source>Currently no drawing category is checked.</source>
        <translation>Zurzeit ist keine Zeichnungskategorie zur Prüfung ausgewählt.</translation>
    </message>
    <message>
        <source>Run drawing categories</source>
        <translation>Zeichnungskategorien wählen</translation>
    </message>
</context>
<context>
    <name>CKvNoStandardsFileDlg</name>
    <message>
        <source>The current drawing has no associated standards file.</source>
        <translation>Der aktuellen Zeichnung ist keine Normendatei zugeordnet.</translation>
    </message>
    <message>
        <source>Run standards files association</source>
        <translation>Normendateien zuordnen</translation>
    </message>
</context>
<context>
    <name>CKvQtColorComboBoxBase</name>
    <message>
        <source>Foreground</source>
        <translation>Vordergrund</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>ByColor</source>
        <translation>Farbwert</translation>
    </message>
</context>
<context>
    <name>CKvStandardViolationMessage</name>
    <message>
        <source>Standard Violation</source>
        <translation>Normverletzung</translation>
    </message>
    <message>
        <source>Standard violation: the previous operation created an object that is not in accordance with standards.</source>
        <translation>Normverletzung: Die letzte Aktion hat ein Objekt erzeugt, das nicht den Normen entspricht.</translation>
    </message>
    <message>
        <source>Run standards verification</source>
        <translation>Normen prüfen</translation>
    </message>
    <message>
        <source>Keep object unchanged</source>
        <translation>Objekt unverändert lassen</translation>
    </message>
</context>
<context>
    <name>CKvStandardsPluginImpl</name>
    <message>
        <source>%1 name is non-standard.</source>
        <translation>Name von %1 entspricht nicht der Norm.</translation>
    </message>
    <message>
        <source>%1 properties are non-standard.</source>
        <translation>Eigenschaften von %1 entsprechen nicht der Norm.</translation>
    </message>
    <message>
        <source>Layer</source>
        <translation>Layer</translation>
    </message>
    <message>
        <source>LineStyle</source>
        <translation>Linientyp</translation>
    </message>
    <message>
        <source>TextStyle</source>
        <translation>Textstil</translation>
    </message>
    <message>
        <source>DimensionStyle</source>
        <translation>Bemaßungsstil</translation>
    </message>
</context>
<context>
    <name>CKvStdsManagerImpl</name>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
</context>
<context>
    <name>CKvTextStylePluginImpl</name>
    <message>
        <source>Text Styles</source>
        <translation>Textstile</translation>
    </message>
    <message>
        <source>Verifies that names and properties of text styles in a drawing match those in an associated standards file.</source>
        <translation>Prüft, ob Namen und Eigenschaften der Textstile einer Zeichnung mit denen einer zugeordneten Normendatei übereinstimmen.</translation>
    </message>
    <message>
        <source>TextStyle</source>
        <translation>Textstil</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source>BigFont</source>
        <translation>Großschrift</translation>
    </message>
    <message>
        <source>Text Height</source>
        <translation>Texthöhe</translation>
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
        <source>Backwards</source>
        <translation>Rückwärts</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Oblique Angle</source>
        <translation>Neigungswinkel</translation>
    </message>
    <message>
        <source>Font Style</source>
        <translation>Schriftschnitt</translation>
    </message>
    <message>
        <source>Annotative</source>
        <translation>Beschriftung</translation>
    </message>
    <message>
        <source>Match orientation to sheet</source>
        <translation>Ausrichtung am Layout</translation>
    </message>
</context>
<context>
    <name>CKvVerfiyCompleteMessage</name>
    <message>
        <source>Verification Summary</source>
        <translation>Zusammenfassung der Prüfung</translation>
    </message>
    <message>
        <source>Drawing verification is complete.</source>
        <translation>Die Prüfung der Zeichnung ist abgeschlossen.</translation>
    </message>
    <message>
        <source>Summary:</source>
        <translation>Zusammenfassung:</translation>
    </message>
    <message>
        <source>Standards violations:</source>
        <translation>Normverletzungen:</translation>
    </message>
    <message>
        <source>Fixed automatically:</source>
        <translation>Automatisch behoben:</translation>
    </message>
    <message>
        <source>Fixed manually:</source>
        <translation>Manuell behoben:</translation>
    </message>
    <message>
        <source>Ignored in current verification:</source>
        <translation>In dieser Prüfung ignoriert:</translation>
    </message>
</context>
<context>
    <name>CKvVerifyStandards</name>
    <message>
        <source>Verify Standards</source>
        <translation>Normen prüfen</translation>
    </message>
    <message>
        <source>Standard violation:</source>
        <translation>Normverletzung:</translation>
    </message>
    <message>
        <source>Replace with:</source>
        <translation>Ersetzen durch:</translation>
    </message>
    <message>
        <source>Preview of changes</source>
        <translation>Vorschau der Änderungen</translation>
    </message>
    <message>
        <source>Ignore this standards violation</source>
        <translation>Diese Normverletzung ignorieren</translation>
    </message>
    <message>
        <source>Ignored by:</source>
        <translation>Ignoriert von:</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Optionen...</translation>
    </message>
    <message>
        <source>&amp;Fix</source>
        <translation>&amp;Beheben</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Weiter</translation>
    </message>
    <message>
        <source>%1:</source>
        <translation>%1:</translation>
    </message>
    <message>
        <source>Object Name</source>
        <translation>Objektname</translation>
    </message>
    <message>
        <source>Standards File</source>
        <translation>Normendatei</translation>
    </message>
    <message>
        <source>Property</source>
        <translation>Eigenschaft</translation>
    </message>
    <message>
        <source>Current Value</source>
        <translation>Aktueller Wert</translation>
    </message>
    <message>
        <source>Standard Value</source>
        <translation>Normwert</translation>
    </message>
    <message>
        <source>There are no standards files associated with the current drawing.</source>
        <translation>Der aktuellen Zeichnung sind keine Normendateien zugeordnet.</translation>
    </message>
    <message>
        <source>VerifyStandards command cannot continue due to changes done under standards files list or drawing categories to be verified. Restart command to verify drawing using new standards settings.</source>
        <translation>Die Normprüfung kann nicht fortgesetzt werden, weil die Liste der Normendateien oder die zu prüfenden Zeichnungskategorien geändert wurden. Starten Sie die Prüfung neu, um die Zeichnung mit den neuen Normeinstellungen zu prüfen.</translation>
    </message>
</context>
</TS>
