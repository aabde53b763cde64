// Purge and loading line styles from .lin files.
#include "Access.h"
#include "DatabaseImpl.h"
#include "DbClassFactory.h"
#include "TagOps.h"
#include "dxf/DxfNumbers.h"
#include "dxf/FileAccess.h"
#include "lin/LinFile.h"

#include <DbDatabase.h>
#include <DbLinetypeTableRecord.h>
#include <DbSymbolTable.h>
#include <DbTextStyleTableRecord.h>
#include <RxClass.h>

#include <cmath>
#include <unordered_set>

using namespace kvdb;

namespace {

// Records purge never offers: those every drawing keeps, layer Defpoints and the Standard text and
// dimension styles.
bool isStandardRecord(const OdDbDatabase& db, OdDbStub* stub)
{
    const OdDbObjectId id(stub);
    return db.impl().isPermanentRecord(stub) || id == db.getLayerDefpointsId() ||
           id == db.getTextStyleStandardId() || id == db.getDimStyleStandardId();
}

}  // namespace

void OdDbDatabase::purge(OdDbObjectIdArray& ids) const
{
    // The candidates; a candidate that only other purgeable candidates use is purgeable too (a
    // layer and the line style only it uses go together).
    std::unordered_set<OdDbStub*> candidates;
    for (const OdDbObjectId& id : ids) {
        if (!id.isNull() && id.database() == this && !id.isErased()) {
            candidates.insert(id.stub());
        }
    }
    std::unordered_set<OdDbStub*> named;
    for (const HeaderVar& var : m_impl->header) {
        if (var.hasRef && var.ref != nullptr) {
            named.insert(var.ref);
        }
    }
    ReferenceIndex& index = m_impl->referenceIndex();
    std::vector<OdDbStub*> staying;
    for (OdDbStub* candidate : candidates) {
        if (isStandardRecord(*this, candidate) || named.count(candidate) != 0 ||
            index.isUsed(candidate, [&](OdDbStub* user) { return candidates.count(user) == 0; })) {
            staying.push_back(candidate);
        }
    }
    // Candidates that stay make what they use stay, until nothing changes.
    std::unordered_set<OdDbStub*> kept(staying.begin(), staying.end());
    while (!staying.empty()) {
        OdDbStub* const stays = staying.back();
        staying.pop_back();
        if (stays->object() == nullptr || !usesItsReferences(stays->object())) {
            continue;
        }
        forEachReference(*m_impl, stays->object(), [&](OdDbStub* target) {
            if (candidates.count(target) != 0 && kept.insert(target).second) {
                staying.push_back(target);
            }
        });
    }
    OdDbObjectIdArray purgeable;
    for (const OdDbObjectId& id : ids) {
        if (candidates.count(id.stub()) != 0 && kept.count(id.stub()) == 0) {
            purgeable.append(id);
        }
    }
    ids = purgeable;
}

// ---------------------------------------------------------------------------------------------
// Line style files

namespace {

void loadDefinition(OdDbDatabase& db, const kvlin::Definition& definition,
                    OdDb::DuplicateLinetypeLoading dlt)
{
    OdDbSymbolTablePtr table = db.getLinetypeTableId().safeOpenObject(OdDb::kForWrite);
    const OdString name = OdString::fromUtf8(definition.name);
    OdDbLinetypeTableRecordPtr record =
        OdDbLinetypeTableRecord::cast(table->getAt(name, OdDb::kForWrite).get());
    if (!record.isNull() && dlt != OdDb::kDltReplace) {
        return;
    }
    const bool isNew = record.isNull();
    if (isNew) {
        record = OdDbLinetypeTableRecord::createObject();
        record->setName(name);
    }
    record->setComments(OdString::fromUtf8(definition.description));
    OdArray<double> lengths;
    for (const kvlin::Element& element : definition.elements) {
        lengths.append(element.length);
    }
    record->setDashes(lengths);
    if (isNew) {
        table->add(record.get());
    }
    // Text elements: flags, style, scale, rotation, offsets and text after their dash.
    for (size_t n = 0; n < definition.elements.size(); ++n) {
        const kvlin::Element& element = definition.elements[n];
        if (element.kind != kvlin::Element::Text) {
            continue;
        }
        OdDbObject* object = record.get();
        const int dash = findTag(object, 49, "AcDbLinetypeTableRecord", static_cast<int>(n));
        const size_t flags = static_cast<size_t>(dash) + 1;
        OdDbObjectId style = db.getTextStyleStandardId();
        OdDbSymbolTablePtr styles = db.getTextStyleTableId().safeOpenObject();
        if (styles->has(OdString::fromUtf8(element.styleName))) {
            style = styles->getAt(OdString::fromUtf8(element.styleName));
        }
        replaceValue(object, flags, std::to_string(2 | (element.absoluteRotation ? 1 : 0)));
        size_t at = flags + 1;
        insertTag(object, at++, 75, "0");
        insertTag(object, at++, 340, kvdxf::formatHandle(style.getHandle()));
        insertTag(object, at++, 46, kvdxf::formatDouble(element.scale));
        insertTag(object, at++, 50, kvdxf::formatDouble(element.rotation));
        insertTag(object, at++, 44, kvdxf::formatDouble(element.xOffset));
        insertTag(object, at++, 45, kvdxf::formatDouble(element.yOffset));
        insertTag(object, at++, 9, encodeText(object, OdString::fromUtf8(element.text)));
    }
}

}  // namespace

void OdDbDatabase::loadLineTypeFile(const OdString& ltName, const OdString& filename,
                                    OdDb::DuplicateLinetypeLoading dlt)
{
    kvdxf::FileBytes text;
    std::string error;
    if (!kvdxf::FileAccess::system().readAll(filename.toUtf8(), text, error)) {
        throw OdError(OdString::fromUtf8(filename.toUtf8() + ": " + error), eFileNotFound);
    }
    const kvlin::LinFile file = kvlin::parse(std::string_view(text.data(), text.size()));
    if (ltName == OdString("*")) {
        if (file.definitions.empty()) {
            throw OdError(eBadLinetypeFile);
        }
        for (const kvlin::Definition& definition : file.definitions) {
            loadDefinition(*this, definition, dlt);
        }
        return;
    }
    const kvlin::Definition* definition = kvlin::find(file, ltName.toUtf8());
    if (definition == nullptr) {
        throw OdError(eUndefinedLineType);
    }
    loadDefinition(*this, *definition, dlt);
}
