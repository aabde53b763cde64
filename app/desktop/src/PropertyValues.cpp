#include "PropertyValues.h"

#include <CKvString.h>
#include <DbDatabase.h>
#include <DbSymbolTable.h>

#include <QLocale>
#include <QStringList>

#include <cmath>
#include <cstdint>

namespace {

const OdDb::LineWeight kLineWeights[] = {
    OdDb::kLnWt000, OdDb::kLnWt005, OdDb::kLnWt009, OdDb::kLnWt013, OdDb::kLnWt015, OdDb::kLnWt018,
    OdDb::kLnWt020, OdDb::kLnWt025, OdDb::kLnWt030, OdDb::kLnWt035, OdDb::kLnWt040, OdDb::kLnWt050,
    OdDb::kLnWt053, OdDb::kLnWt060, OdDb::kLnWt070, OdDb::kLnWt080, OdDb::kLnWt090, OdDb::kLnWt100,
    OdDb::kLnWt106, OdDb::kLnWt120, OdDb::kLnWt140, OdDb::kLnWt158, OdDb::kLnWt200, OdDb::kLnWt211};

const double kPi = 3.14159265358979323846;

bool sameWord(const QString& text, const char* word)
{
    return text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool readInteger(const QString& text, int lowest, int highest, int& value)
{
    bool ok = false;
    const int read = QLocale::c().toInt(text.trimmed(), &ok);
    if (!ok || read < lowest || read > highest) {
        return false;
    }
    value = read;
    return true;
}

bool readReal(const QString& text, double& value)
{
    bool ok = false;
    const double read = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(read)) {
        return false;
    }
    value = read;
    return true;
}

QString nameOf(const OdDbObjectId& id)
{
    const OdDbSymbolTableRecordPtr record = OdDbSymbolTableRecord::cast(id.openObject().get());
    return record.isNull() ? QString() : CKvString(record->getName()).toQString();
}

bool readName(const QString& text, const OdDbObjectId& tableId, OdDbObjectId& value)
{
    const QString name = text.trimmed();
    if (name.isEmpty()) {
        value = OdDbObjectId();
        return true;
    }
    const OdDbSymbolTablePtr table = OdDbSymbolTable::cast(tableId.openObject().get());
    const OdDbObjectId found =
        table.isNull() ? OdDbObjectId() : table->getAt(CKvString(name).toOdString());
    if (found.isNull()) {
        return false;
    }
    value = found;
    return true;
}

}  // namespace

QString valueText(ValueKind::Int16, int value)
{
    return QString::number(value);
}

QString valueText(ValueKind::Int32, int value)
{
    return QString::number(value);
}

QString valueText(ValueKind::Bool, bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString valueText(ValueKind::Double, double value)
{
    return QString::number(value, 'g', 12);
}

QString valueText(ValueKind::Angle, double radians)
{
    return QString::number(radians * 180.0 / kPi, 'g', 12);
}

QString valueText(ValueKind::String, const OdString& value)
{
    return CKvString(value).toQString();
}

QString valueText(ValueKind::Color, const OdCmColor& value)
{
    return CKvString(value.colorNameForDisplay()).toQString();
}

QString valueText(ValueKind::LineWeight, OdDb::LineWeight value)
{
    switch (value) {
        case OdDb::kLnWtByLayer:
            return QStringLiteral("ByLayer");
        case OdDb::kLnWtByBlock:
            return QStringLiteral("ByBlock");
        case OdDb::kLnWtByLwDefault:
            return QStringLiteral("Default");
        default:
            return QString::number(static_cast<int>(value) / 100.0, 'f', 2);
    }
}

QString valueText(ValueKind::TextStyleRef, const OdDbObjectId& value)
{
    return nameOf(value);
}

QString valueText(ValueKind::BlockRef, const OdDbObjectId& value)
{
    return nameOf(value);
}

QString valueText(ValueKind::LinetypeRef, const OdDbObjectId& value)
{
    return nameOf(value);
}

bool readValue(ValueKind::Int16, const QString& text, const OdDbDatabase&, int& value)
{
    return readInteger(text, -32768, 32767, value);
}

bool readValue(ValueKind::Int32, const QString& text, const OdDbDatabase&, int& value)
{
    return readInteger(text, INT32_MIN, INT32_MAX, value);
}

bool readValue(ValueKind::Bool, const QString& text, const OdDbDatabase&, bool& value)
{
    for (const char* word : {"1", "yes", "on", "true"}) {
        if (sameWord(text.trimmed(), word)) {
            value = true;
            return true;
        }
    }
    for (const char* word : {"0", "no", "off", "false"}) {
        if (sameWord(text.trimmed(), word)) {
            value = false;
            return true;
        }
    }
    return false;
}

bool readValue(ValueKind::Double, const QString& text, const OdDbDatabase&, double& value)
{
    return readReal(text, value);
}

bool readValue(ValueKind::Angle, const QString& text, const OdDbDatabase&, double& radians)
{
    double degrees = 0.0;
    if (!readReal(text, degrees)) {
        return false;
    }
    radians = degrees * kPi / 180.0;
    return true;
}

bool readValue(ValueKind::String, const QString& text, const OdDbDatabase&, OdString& value)
{
    value = CKvString(text).toOdString();
    return true;
}

bool readValue(ValueKind::Color, const QString& text, const OdDbDatabase&, OdCmColor& value)
{
    const QString word = text.trimmed();
    if (sameWord(word, "ByLayer")) {
        value = OdCmColor::byLayer();
        return true;
    }
    if (sameWord(word, "ByBlock")) {
        value = OdCmColor::byBlock();
        return true;
    }
    for (int index = 1; index <= 7; ++index) {
        const OdCmColor named = OdCmColor::fromIndex(index);
        if (word.compare(valueText(ValueKind::Color(), named), Qt::CaseInsensitive) == 0) {
            value = named;
            return true;
        }
    }
    int index = 0;
    if (readInteger(word, 0, 256, index)) {
        value = index == 256 ? OdCmColor::byLayer()
                             : (index == 0 ? OdCmColor::byBlock() : OdCmColor::fromIndex(index));
        return true;
    }
    const QStringList parts = word.split(QLatin1Char(','));
    int rgb[3] = {0, 0, 0};
    if (parts.size() != 3) {
        return false;
    }
    for (int i = 0; i < 3; ++i) {
        if (!readInteger(parts[i], 0, 255, rgb[i])) {
            return false;
        }
    }
    value.setRGB(static_cast<OdUInt8>(rgb[0]), static_cast<OdUInt8>(rgb[1]),
                 static_cast<OdUInt8>(rgb[2]));
    return true;
}

bool readValue(ValueKind::LineWeight, const QString& text, const OdDbDatabase&,
               OdDb::LineWeight& value)
{
    const QString word = text.trimmed();
    const struct
    {
        const char* word;
        OdDb::LineWeight weight;
    } named[] = {{"ByLayer", OdDb::kLnWtByLayer},
                 {"ByBlock", OdDb::kLnWtByBlock},
                 {"Default", OdDb::kLnWtByLwDefault}};
    for (const auto& candidate : named) {
        if (sameWord(word, candidate.word)) {
            value = candidate.weight;
            return true;
        }
    }
    double millimetres = 0.0;
    if (!readReal(word, millimetres)) {
        return false;
    }
    const long hundredths = std::lround(millimetres * 100.0);
    for (const OdDb::LineWeight weight : kLineWeights) {
        if (static_cast<long>(weight) == hundredths) {
            value = weight;
            return true;
        }
    }
    return false;
}

bool readValue(ValueKind::TextStyleRef, const QString& text, const OdDbDatabase& db,
               OdDbObjectId& value)
{
    return readName(text, db.getTextStyleTableId(), value);
}

bool readValue(ValueKind::BlockRef, const QString& text, const OdDbDatabase& db,
               OdDbObjectId& value)
{
    return readName(text, db.getBlockTableId(), value);
}

bool readValue(ValueKind::LinetypeRef, const QString& text, const OdDbDatabase& db,
               OdDbObjectId& value)
{
    return readName(text, db.getLinetypeTableId(), value);
}
