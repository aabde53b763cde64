#include "RecordKinds.h"

#include "PropertyValues.h"

#include <CKvString.h>
#include <DbDimStyleTableRecord.h>
#include <DbLayerTableRecord.h>
#include <DbLinetypeTableRecord.h>
#include <DbTextStyleTableRecord.h>
#include <RxClass.h>

#include <QCoreApplication>
#include <QStringList>

#include <type_traits>

// A property read with the record's getter and written with its setter, as a value of the kind.
// The title is given at the row as QT_TRANSLATE_NOOP("RecordKinds", ...) so that lupdate finds it.
#define KV_RECORD_PROPERTY(Record, key, title, kind, getter, setter)                              \
    RecordProperty                                                                                \
    {                                                                                             \
        key, title, std::is_same_v<ValueKind::kind, ValueKind::Bool>,                             \
            [](const OdDbSymbolTableRecord& record) {                                             \
                return valueText(ValueKind::kind(), static_cast<const Record&>(record).getter()); \
            },                                                                                    \
            [](OdDbSymbolTableRecord& record, const QString& text) {                              \
                auto& typed = static_cast<Record&>(record);                                       \
                std::decay_t<decltype(typed.getter())> value{};                                   \
                if (!readValue(ValueKind::kind(), text, *typed.database(), value)) {              \
                    return false;                                                                 \
                }                                                                                 \
                typed.setter(value);                                                              \
                return true;                                                                      \
            },                                                                                    \
            [](const OdDbSymbolTableRecord& record) -> PropertyRestore {                          \
                const auto value = static_cast<const Record&>(record).getter();                   \
                return [value](OdDbSymbolTableRecord& restored) {                                 \
                    static_cast<Record&>(restored).setter(value);                                 \
                };                                                                                \
            }                                                                                     \
    }

// A property that is only shown.
#define KV_SHOWN_PROPERTY(Record, key, title, textOfRecord)                         \
    RecordProperty                                                                  \
    {                                                                               \
        key, title, false,                                                          \
            [](const OdDbSymbolTableRecord& record) {                               \
                return textOfRecord(static_cast<const Record&>(record));            \
            },                                                                      \
            nullptr, [](const OdDbSymbolTableRecord&) { return PropertyRestore(); } \
    }

namespace {

// "On" reads better in a table than the drawing's "off" flag.
bool isOn(const OdDbLayerTableRecord& layer)
{
    return !layer.isOff();
}

QString layerDescription(const OdDbLayerTableRecord& layer)
{
    return valueText(ValueKind::String(), layer.description());
}

QString dashes(const OdDbLinetypeTableRecord& linetype)
{
    QStringList lengths;
    for (int i = 0; i < linetype.numDashes(); ++i) {
        lengths << valueText(ValueKind::Double(), linetype.dashLengthAt(i));
    }
    return lengths.join(QStringLiteral(", "));
}

QString patternLength(const OdDbLinetypeTableRecord& linetype)
{
    return valueText(ValueKind::Double(), linetype.patternLength());
}

template <class Record>
OdDbSymbolTableRecordPtr createRecord()
{
    return Record::createObject();
}

RecordProperty layerOnProperty()
{
    RecordProperty on = KV_RECORD_PROPERTY(
        OdDbLayerTableRecord, "On", QT_TRANSLATE_NOOP("RecordKinds", "On"), Bool, isOff, setIsOff);
    on.text = [](const OdDbSymbolTableRecord& record) {
        return valueText(ValueKind::Bool(), isOn(static_cast<const OdDbLayerTableRecord&>(record)));
    };
    on.setText = [](OdDbSymbolTableRecord& record, const QString& text) {
        bool value = false;
        if (!readValue(ValueKind::Bool(), text, *record.database(), value)) {
            return false;
        }
        static_cast<OdDbLayerTableRecord&>(record).setIsOff(!value);
        return true;
    };
    return on;
}

std::vector<RecordKind> makeKinds()
{
    return {
        {"Layer",
         QT_TRANSLATE_NOOP("RecordKinds", "Layers"),
         QT_TRANSLATE_NOOP("RecordKinds", "Layer"),
         "LAYER",
         &OdDbDatabase::getLayerTableId,
         &createRecord<OdDbLayerTableRecord>,
         {
             layerOnProperty(),
             KV_RECORD_PROPERTY(OdDbLayerTableRecord, "Frozen",
                                QT_TRANSLATE_NOOP("RecordKinds", "Frozen"), Bool, isFrozen,
                                setIsFrozen),
             KV_RECORD_PROPERTY(OdDbLayerTableRecord, "Locked",
                                QT_TRANSLATE_NOOP("RecordKinds", "Locked"), Bool, isLocked,
                                setIsLocked),
             KV_RECORD_PROPERTY(OdDbLayerTableRecord, "Color",
                                QT_TRANSLATE_NOOP("RecordKinds", "Color"), Color, color, setColor),
             KV_RECORD_PROPERTY(OdDbLayerTableRecord, "Linetype",
                                QT_TRANSLATE_NOOP("RecordKinds", "Line Style"), LinetypeRef,
                                linetypeObjectId, setLinetypeObjectId),
             KV_RECORD_PROPERTY(OdDbLayerTableRecord, "Lineweight",
                                QT_TRANSLATE_NOOP("RecordKinds", "Lineweight"), LineWeight,
                                lineWeight, setLineWeight),
             KV_RECORD_PROPERTY(OdDbLayerTableRecord, "Plot",
                                QT_TRANSLATE_NOOP("RecordKinds", "Plot"), Bool, isPlottable,
                                setIsPlottable),
             KV_SHOWN_PROPERTY(OdDbLayerTableRecord, "Description",
                               QT_TRANSLATE_NOOP("RecordKinds", "Description"), layerDescription),
         }},
        {"Linetype",
         QT_TRANSLATE_NOOP("RecordKinds", "Line Styles"),
         QT_TRANSLATE_NOOP("RecordKinds", "Line style"),
         "LTYPE",
         &OdDbDatabase::getLinetypeTableId,
         &createRecord<OdDbLinetypeTableRecord>,
         {
             KV_RECORD_PROPERTY(OdDbLinetypeTableRecord, "Description",
                                QT_TRANSLATE_NOOP("RecordKinds", "Description"), String, comments,
                                setComments),
             KV_SHOWN_PROPERTY(OdDbLinetypeTableRecord, "PatternLength",
                               QT_TRANSLATE_NOOP("RecordKinds", "Pattern Length"), patternLength),
             KV_SHOWN_PROPERTY(OdDbLinetypeTableRecord, "Dashes",
                               QT_TRANSLATE_NOOP("RecordKinds", "Dashes"), dashes),
         }},
        {"TextStyle",
         QT_TRANSLATE_NOOP("RecordKinds", "Text Styles"),
         QT_TRANSLATE_NOOP("RecordKinds", "Text style"),
         "STYLE",
         &OdDbDatabase::getTextStyleTableId,
         &createRecord<OdDbTextStyleTableRecord>,
         {
             KV_RECORD_PROPERTY(OdDbTextStyleTableRecord, "Font",
                                QT_TRANSLATE_NOOP("RecordKinds", "Font File"), String, fileName,
                                setFileName),
             KV_RECORD_PROPERTY(OdDbTextStyleTableRecord, "BigFont",
                                QT_TRANSLATE_NOOP("RecordKinds", "Big Font File"), String,
                                bigFontFileName, setBigFontFileName),
             KV_RECORD_PROPERTY(OdDbTextStyleTableRecord, "Height",
                                QT_TRANSLATE_NOOP("RecordKinds", "Height"), Double, textSize,
                                setTextSize),
             KV_RECORD_PROPERTY(OdDbTextStyleTableRecord, "WidthFactor",
                                QT_TRANSLATE_NOOP("RecordKinds", "Width Factor"), Double, xScale,
                                setXScale),
             KV_RECORD_PROPERTY(OdDbTextStyleTableRecord, "ObliqueAngle",
                                QT_TRANSLATE_NOOP("RecordKinds", "Oblique Angle"), Angle,
                                obliquingAngle, setObliquingAngle),
             KV_RECORD_PROPERTY(OdDbTextStyleTableRecord, "Backwards",
                                QT_TRANSLATE_NOOP("RecordKinds", "Backwards"), Bool, isBackwards,
                                setIsBackwards),
             KV_RECORD_PROPERTY(OdDbTextStyleTableRecord, "UpsideDown",
                                QT_TRANSLATE_NOOP("RecordKinds", "Upside Down"), Bool, isUpsideDown,
                                setIsUpsideDown),
             KV_RECORD_PROPERTY(OdDbTextStyleTableRecord, "Vertical",
                                QT_TRANSLATE_NOOP("RecordKinds", "Vertical"), Bool, isVertical,
                                setIsVertical),
         }},
        {"DimStyle", QT_TRANSLATE_NOOP("RecordKinds", "Dimension Styles"),
         QT_TRANSLATE_NOOP("RecordKinds", "Dimension style"), "DIMSTYLE",
         &OdDbDatabase::getDimStyleTableId, &createRecord<OdDbDimStyleTableRecord>,
         dimStyleProperties()},
    };
}

}  // namespace

QString RecordProperty::shownTitle() const
{
    return title ? QCoreApplication::translate("RecordKinds", title) : QString::fromLatin1(key);
}

QString RecordKind::shownTitle() const
{
    return QCoreApplication::translate("RecordKinds", title);
}

QString RecordKind::shownNoun() const
{
    return QCoreApplication::translate("RecordKinds", noun);
}

const RecordProperty* RecordKind::property(const QString& key) const
{
    for (const RecordProperty& candidate : properties) {
        if (key.compare(QLatin1String(candidate.key), Qt::CaseInsensitive) == 0) {
            return &candidate;
        }
    }
    return nullptr;
}

bool RecordKind::isBuiltIn(const OdDbObjectId& id) const
{
    OdDbDatabase* db = id.database();
    if (!db) {
        return false;
    }
    const OdDbObjectId builtIn[] = {db->getLayerZeroId(), db->getLinetypeByLayerId(),
                                    db->getLinetypeByBlockId(), db->getLinetypeContinuousId(),
                                    db->getTextStyleStandardId()};
    for (const OdDbObjectId& candidate : builtIn) {
        if (candidate == id) {
            return true;
        }
    }
    return false;
}

const std::vector<RecordKind>& recordKinds()
{
    static const std::vector<RecordKind> kinds = makeKinds();
    return kinds;
}

const RecordKind* recordKind(const QString& key)
{
    for (const RecordKind& kind : recordKinds()) {
        if (key.compare(QLatin1String(kind.key), Qt::CaseInsensitive) == 0) {
            return &kind;
        }
    }
    return nullptr;
}

const RecordKind* recordKindOf(const OdDbObject& record)
{
    const OdRxClass* recordClass = record.isA();
    if (!recordClass) {
        return nullptr;
    }
    const QString dxfName = CKvString(recordClass->dxfName()).toQString();
    for (const RecordKind& kind : recordKinds()) {
        if (dxfName == QLatin1String(kind.dxfName)) {
            return &kind;
        }
    }
    return nullptr;
}
