#include "StandardsWriter.h"

#include "BenchDrawing.h"

#include <DbBlockTableRecord.h>
#include <DbDimStyleTableRecord.h>
#include <DbDimension.h>
#include <DbLayerTableRecord.h>
#include <DbLinetypeTableRecord.h>
#include <DbMText.h>
#include <DbSymbolTable.h>
#include <DbText.h>
#include <DbTextStyleTableRecord.h>
#include <OdArray.h>
#include <OdDb.h>

#include <CmColor.h>
#include <stdexcept>
#include <vector>

namespace kvbench {

namespace {

// The pitch-and-family byte of a proportional sans-serif TrueType font.
constexpr int kVariablePitchSwiss = 34;

OdDbSymbolTablePtr openForWrite(OdDbObjectId table)
{
    return table.safeOpenObject(OdDb::kForWrite);
}

void addLinetypes(OdDbDatabase& database, const std::vector<LinetypeSpec>& linetypes)
{
    const OdDbSymbolTablePtr table = openForWrite(database.getLinetypeTableId());
    for (const LinetypeSpec& spec : linetypes) {
        OdDbLinetypeTableRecordPtr record = OdDbLinetypeTableRecord::createObject();
        record->setName(OdString(spec.name));
        record->setComments(OdString(spec.comments));
        OdArray<double> dashes;
        for (const double length : spec.dashes) {
            dashes.append(length);
        }
        record->setDashes(dashes);
        table->add(record.get());
    }
}

void addLayers(OdDbDatabase& database, const std::vector<LayerSpec>& layers)
{
    const OdDbSymbolTablePtr linetypes = database.getLinetypeTableId().safeOpenObject();
    const OdDbSymbolTablePtr table = openForWrite(database.getLayerTableId());
    for (const LayerSpec& spec : layers) {
        const OdDbObjectId linetype = linetypes->getAt(OdString(spec.linetype));
        if (linetype.isNull()) {
            throw std::logic_error("layer " + spec.name + " names the missing line style " +
                                   spec.linetype);
        }
        OdDbLayerTableRecordPtr record = OdDbLayerTableRecord::createObject();
        record->setName(OdString(spec.name));
        record->setColor(OdCmColor::fromIndex(spec.colour));
        record->setLinetypeObjectId(linetype);
        record->setLineWeight(static_cast<OdDb::LineWeight>(spec.lineweight));
        table->add(record.get());
    }
}

void addTextStyles(OdDbDatabase& database, const std::vector<TextStyleSpec>& styles)
{
    const OdDbSymbolTablePtr table = openForWrite(database.getTextStyleTableId());
    for (const TextStyleSpec& spec : styles) {
        OdDbTextStyleTableRecordPtr record = OdDbTextStyleTableRecord::createObject();
        record->setName(OdString(spec.name));
        record->setFileName(OdString(spec.font));
        record->setBigFontFileName(OdString(spec.bigFont));
        record->setTextSize(spec.height);
        record->setXScale(spec.width);
        record->setObliquingAngle(spec.oblique);
        // Kept as XDATA, which names its application: set it once the record is in the drawing.
        const OdDbObjectId id = table->add(record.get());
        if (!spec.typeface.empty()) {
            OdDbTextStyleTableRecordPtr added = id.safeOpenObject(OdDb::kForWrite);
            added->setFont(OdString(spec.typeface), spec.bold, spec.italic, 0, kVariablePitchSwiss);
        }
    }
}

void addDimStyles(OdDbDatabase& database, const std::vector<DimStyleSpec>& styles)
{
    const OdDbSymbolTablePtr table = openForWrite(database.getDimStyleTableId());
    for (const DimStyleSpec& spec : styles) {
        OdDbDimStyleTableRecordPtr record = OdDbDimStyleTableRecord::createObject();
        record->setName(OdString(spec.name));
        record->setDimscale(spec.scale);
        record->setDimasz(spec.arrow);
        record->setDimtxt(spec.text);
        record->setDimgap(spec.gap);
        record->setDimexo(spec.extensionOffset);
        record->setDimdec(spec.decimals);
        record->setDimtad(spec.textAbove);
        table->add(record.get());
    }
}

// The ids of the named records of a table, in the order of `names`.
std::vector<OdDbObjectId> idsOf(OdDbObjectId tableId, const std::vector<std::string>& names)
{
    const OdDbSymbolTablePtr table = tableId.safeOpenObject();
    std::vector<OdDbObjectId> ids;
    for (const std::string& name : names) {
        ids.push_back(table->getAt(OdString(name)));
    }
    return ids;
}

template <class Spec>
std::vector<std::string> namesOf(const std::vector<Spec>& records, bool visibleOnly)
{
    std::vector<std::string> names;
    for (const Spec& record : records) {
        if (!visibleOnly || record.verdict != Verdict::Unchecked) {
            names.push_back(record.name);
        }
    }
    return names;
}

OdDbObjectId anyOf(const std::vector<OdDbObjectId>& ids, Random& random)
{
    return ids[static_cast<size_t>(random.below(static_cast<int>(ids.size())))];
}

}  // namespace

void addRecords(OdDbDatabase& database, const RecordSet& records)
{
    addLinetypes(database, records.linetypes);
    addLayers(database, records.layers);
    addTextStyles(database, records.textStyles);
    addDimStyles(database, records.dimStyles);
}

void spreadEntities(OdDbDatabase& database, const RecordSet& records, Random& random)
{
    const std::vector<OdDbObjectId> layers =
        idsOf(database.getLayerTableId(), namesOf(records.layers, true));
    const std::vector<OdDbObjectId> textStyles =
        idsOf(database.getTextStyleTableId(), namesOf(records.textStyles, false));
    const std::vector<OdDbObjectId> dimStyles =
        idsOf(database.getDimStyleTableId(), namesOf(records.dimStyles, false));
    if (layers.empty() || textStyles.empty() || dimStyles.empty()) {
        throw std::logic_error("the drawing has no visible layer, text style or dimension style");
    }

    const OdDbBlockTableRecordPtr modelSpace = database.getModelSpaceId().safeOpenObject();
    for (OdDbObjectIteratorPtr it = modelSpace->newIterator(); !it->done(); it->step()) {
        const OdDbEntityPtr entity = it->entity(OdDb::kForWrite);
        // Attributes of block references follow their reference.
        entity->setLayer(anyOf(layers, random));
        if (const OdDbTextPtr text = OdDbText::cast(entity.get()); !text.isNull()) {
            text->setTextStyle(anyOf(textStyles, random));
        } else if (const OdDbMTextPtr mtext = OdDbMText::cast(entity.get()); !mtext.isNull()) {
            mtext->setTextStyle(anyOf(textStyles, random));
        } else if (const OdDbDimensionPtr dimension = OdDbDimension::cast(entity.get());
                   !dimension.isNull()) {
            dimension->setDimensionStyle(anyOf(dimStyles, random));
        }
    }
}

}  // namespace kvbench
