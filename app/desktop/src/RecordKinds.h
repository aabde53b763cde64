// The four kinds of records the desktop shows and edits (layers, line styles, text styles and
// dimension styles), each with the properties its table shows and the SETPROPERTY command sets.
// The dimension styles' properties are the dimension variables, row by row from DimVars.inc.
#ifndef KV_RECORD_KINDS_H
#define KV_RECORD_KINDS_H

#include <DbDatabase.h>
#include <DbSymbolTableRecord.h>

#include <QString>

#include <functional>
#include <vector>

// Puts a property back to a value it had.
using PropertyRestore = std::function<void(OdDbSymbolTableRecord&)>;

struct RecordProperty
{
    // Its name on the command line ("Color", "DIMASZ").
    const char* key;
    // Its column title, translated in context "RecordKinds"; null: the key is the title.
    const char* title;
    // Shown as a check box; its text is "1" or "0".
    bool isSwitch;
    QString (*text)(const OdDbSymbolTableRecord& record);
    // Sets the value the text stands for (PropertyValues.h); false, changing nothing, when the
    // text is no value of the property. Null for a property that is only shown.
    bool (*setText)(OdDbSymbolTableRecord& record, const QString& text);
    // What puts the property back to the value it has now, exactly (colour books included).
    PropertyRestore (*remember)(const OdDbSymbolTableRecord& record);

    QString shownTitle() const;
};

struct RecordKind
{
    // Its name on the command line ("Layer").
    const char* key;
    // The title of its table and the word for one record, translated in context "RecordKinds".
    const char* title;
    const char* noun;
    // The DXF name of its records ("LAYER"), as the standards plug-ins filter them.
    const char* dxfName;
    OdDbObjectId (OdDbDatabase::*tableId)() const;
    OdDbSymbolTableRecordPtr (*create)();
    std::vector<RecordProperty> properties;

    QString shownTitle() const;
    QString shownNoun() const;
    // The property of that key, ignoring case; null when there is none.
    const RecordProperty* property(const QString& key) const;
    // Records of the drawing that cannot be renamed or deleted (layer 0, the ByLayer, ByBlock and
    // Continuous line styles, the Standard text style).
    bool isBuiltIn(const OdDbObjectId& id) const;
};

// In table order: layers, line styles, text styles, dimension styles.
const std::vector<RecordKind>& recordKinds();
// The kind of that key, ignoring case; null when there is none.
const RecordKind* recordKind(const QString& key);
// The kind of that record, by its class; null for records of other tables.
const RecordKind* recordKindOf(const OdDbObject& record);
// The dimension styles' properties: one per dimension variable.
std::vector<RecordProperty> dimStyleProperties();

#endif  // KV_RECORD_KINDS_H
