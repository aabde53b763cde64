// The text of a record's property value as the desktop tables show it and as it is typed on the
// command line, and the value a typed text stands for. One pair of functions per kind of value,
// named as the dimension variable table names the kinds (DimVars.inc):
// - Int16, Int32: decimal integers in their range;
// - Bool: shown as "1" or "0"; "1", "0", "yes", "no", "on", "off", "true" and "false" are read;
// - Double: a real in the C locale ("2.5"), whatever the user's locale;
// - Angle: radians in the drawing, degrees in the text;
// - String: the text itself;
// - Color: "ByLayer", "ByBlock", the names of colours 1 to 7 ("red"), an index 0 to 256, or
//   "red,green,blue" for a true colour;
// - LineWeight: "ByLayer", "ByBlock", "Default" or millimetres ("0.25"), one of the drawing's
//   lineweights;
// - TextStyleRef, BlockRef, LinetypeRef: the record's name (ignoring case when read); an empty
//   text is no record.
// Reading never changes anything when the text is not a value of the kind (it returns false).
#ifndef KV_PROPERTY_VALUES_H
#define KV_PROPERTY_VALUES_H

#include <DbObjectId.h>
#include <OdDb.h>
#include <OdString.h>

#include <QString>

#include <CmColor.h>

class OdDbDatabase;

namespace ValueKind {
struct Int16
{};
struct Int32
{};
struct Bool
{};
struct Double
{};
struct Angle
{};
struct String
{};
struct Color
{};
struct LineWeight
{};
struct TextStyleRef
{};
struct BlockRef
{};
struct LinetypeRef
{};
}  // namespace ValueKind

QString valueText(ValueKind::Int16, int value);
QString valueText(ValueKind::Int32, int value);
QString valueText(ValueKind::Bool, bool value);
QString valueText(ValueKind::Double, double value);
QString valueText(ValueKind::Angle, double radians);
QString valueText(ValueKind::String, const OdString& value);
QString valueText(ValueKind::Color, const OdCmColor& value);
QString valueText(ValueKind::LineWeight, OdDb::LineWeight value);
QString valueText(ValueKind::TextStyleRef, const OdDbObjectId& value);
QString valueText(ValueKind::BlockRef, const OdDbObjectId& value);
QString valueText(ValueKind::LinetypeRef, const OdDbObjectId& value);

bool readValue(ValueKind::Int16, const QString& text, const OdDbDatabase& db, int& value);
bool readValue(ValueKind::Int32, const QString& text, const OdDbDatabase& db, int& value);
bool readValue(ValueKind::Bool, const QString& text, const OdDbDatabase& db, bool& value);
bool readValue(ValueKind::Double, const QString& text, const OdDbDatabase& db, double& value);
bool readValue(ValueKind::Angle, const QString& text, const OdDbDatabase& db, double& radians);
bool readValue(ValueKind::String, const QString& text, const OdDbDatabase& db, OdString& value);
bool readValue(ValueKind::Color, const QString& text, const OdDbDatabase& db, OdCmColor& value);
bool readValue(ValueKind::LineWeight, const QString& text, const OdDbDatabase& db,
               OdDb::LineWeight& value);
bool readValue(ValueKind::TextStyleRef, const QString& text, const OdDbDatabase& db,
               OdDbObjectId& value);
bool readValue(ValueKind::BlockRef, const QString& text, const OdDbDatabase& db,
               OdDbObjectId& value);
bool readValue(ValueKind::LinetypeRef, const QString& text, const OdDbDatabase& db,
               OdDbObjectId& value);

#endif  // KV_PROPERTY_VALUES_H
