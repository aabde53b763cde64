// Purge, cloning between databases and loading line styles from .lin files.
#include "Access.h"
#include "DatabaseImpl.h"
#include "DbClassFactory.h"
#include "TagOps.h"
#include "dxf/DxfNumbers.h"
#include "dxf/FileAccess.h"
#include "lin/LinFile.h"

#include <DbDatabase.h>
#include <DbIdMapping.h>
#include <DbLinetypeTableRecord.h>
#include <DbSymbolTable.h>
#include <DbTextStyleTableRecord.h>
#include <RxClass.h>

#include <cmath>
#include <unordered_set>

using namespace kvdb;

namespace {

// Calls use(target) for every object that `object` refers to.
template <class Use>
void forEachReference(const DatabaseImpl& db, const OdDbObject* object, Use use)
{
    const ObjectData& data = dataOf(object);
    for (const NameRef& ref : data.refs) {
        if (ref.target != nullptr) {
            use(ref.target);
        }
    }
    // Hard and soft pointers, except the object's own identity groups (owner, reactors,
    // extension dictionary), which point up or down the ownership tree.
    const TagList& tags = data.tags;
    size_t i = 1;
    while (i < tags.size() && tags[i].code != 100) {
        ++i;
    }
    if (i == tags.size()) {
        i = 1;  // R12: no identity groups beyond the handle
    }
    for (; i < tags.size(); ++i) {
        const int code = tags[i].code;
        const bool pointer = (code >= 320 && code <= 369) || (code >= 390 && code <= 399) ||
                             code == 480 || code == 481 || code == 1005;
        uint64_t handle = 0;
        if (pointer && kvdxf::parseHandle(tags[i].value(), handle) && handle != 0) {
            if (OdDbStub* target = db.stubOf(handle)) {
                use(target);
            }
        }
    }
}

// Whether the object's references count as uses: a table lists its records, which is no use of
// them, and erased objects use nothing.
bool usesItsReferences(const OdDbObject* object)
{
    const ObjectData& data = dataOf(object);
    return !data.erased && data.placement != Placement::Table;
}

bool isStandardRecord(const OdDbDatabase& db, OdDbStub* stub)
{
    const OdDbObjectId id(stub);
    return id == db.getLayerZeroId() || id == db.getLayerDefpointsId() ||
           id == db.getLinetypeByLayerId() || id == db.getLinetypeByBlockId() ||
           id == db.getLinetypeContinuousId() || id == db.getTextStyleStandardId() ||
           id == db.getDimStyleStandardId() || id == db.getModelSpaceId() ||
           id == db.getPaperSpaceId();
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
    std::unordered_set<OdDbStub*> used;
    for (const OdDbStub& stub : m_impl->stubs) {
        if (stub.object != nullptr && candidates.count(const_cast<OdDbStub*>(&stub)) == 0 &&
            usesItsReferences(stub.object)) {
            forEachReference(*m_impl, stub.object, [&](OdDbStub* target) { used.insert(target); });
        }
    }
    for (const HeaderVar& var : m_impl->header) {
        if (var.hasRef && var.ref != nullptr) {
            used.insert(var.ref);
        }
    }
    // Candidates that stay make what they use stay, until nothing changes.
    std::vector<OdDbStub*> staying;
    for (OdDbStub* candidate : candidates) {
        if (used.count(candidate) != 0 || isStandardRecord(*this, candidate)) {
            staying.push_back(candidate);
        }
    }
    std::unordered_set<OdDbStub*> kept(staying.begin(), staying.end());
    while (!staying.empty()) {
        OdDbStub* const stays = staying.back();
        staying.pop_back();
        if (stays->object == nullptr || !usesItsReferences(stays->object)) {
            continue;
        }
        forEachReference(*m_impl, stays->object, [&](OdDbStub* target) {
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
// Cloning

namespace {

class Cloner
{
public:
    Cloner(OdDbDatabase& source, OdDbIdMapping& map, OdDb::DuplicateRecordCloning drc)
        : m_source(source), m_dest(*map.destDb()), m_map(map), m_drc(drc)
    {}

    // Copies one symbol table record into the destination table of the same kind.
    OdDbObjectId cloneRecord(OdDbStub* sourceStub, OdDbStub* destTable)
    {
        OdDbIdPair known(OdDbObjectId{sourceStub});
        if (m_map.compute(known)) {
            return known.value();
        }
        OdDbSymbolTableRecordPtr record =
            OdDbSymbolTableRecord::cast(OdDbObjectId(sourceStub).openObject().get());
        OdDbSymbolTablePtr table =
            OdDbSymbolTable::cast(OdDbObjectId(destTable).openObject(OdDb::kForWrite).get());
        if (record.isNull() || table.isNull()) {
            return OdDbObjectId();
        }
        const OdDbObjectId existing = table->getAt(record->getName());
        if (!existing.isNull() && m_drc != OdDb::kDrcReplace) {
            m_map.assign(OdDbIdPair(OdDbObjectId(sourceStub), existing, false));
            return existing;
        }
        OdDbObjectPtr copy = record->clone();
        OdDbObject* object = copy.get();
        // Identity groups of the source do not come along.
        dataOf(object).refs.clear();
        OdDbObjectId result;
        if (!existing.isNull()) {
            OdDbObjectPtr target = existing.openObject(OdDb::kForWrite);
            m_map.assign(OdDbIdPair(OdDbObjectId(sourceStub), existing, true));
            target->handOverTo(object);
            result = existing;
        } else {
            stripIdentity(object);
            result = table->add(static_cast<OdDbSymbolTableRecord*>(object));
            m_map.assign(OdDbIdPair(OdDbObjectId(sourceStub), result, true));
        }
        translate(result.stub()->object);
        return result;
    }

private:
    OdDbDatabase& m_source;
    OdDbDatabase& m_dest;
    OdDbIdMapping& m_map;
    OdDb::DuplicateRecordCloning m_drc;

    static void stripIdentity(OdDbObject* object)
    {
        const TagList& tags = dataOf(object).tags;
        size_t end = 1;
        while (end < tags.size() && tags[end].code != 100) {
            ++end;
        }
        if (end > 1 && end < tags.size()) {
            eraseTags(object, 1, end - 1);
        }
        insertTag(object, 1, dataOf(object).tags[0].value() == "DIMSTYLE" ? 105 : 5, "0");
        insertTag(object, 2, 330, "0");
    }

    // Points the copy's references at records of the destination, copying the records it needs.
    void translate(OdDbObject* object)
    {
        DatabaseImpl& dest = m_dest.impl();
        collectNameRefs(dest, object);
        for (NameRef& ref : dataOf(object).refs) {
            if (ref.target != nullptr) {
                continue;
            }
            const OdString name = decodeText(object, dataOf(object).tags[ref.tag].value());
            OdDbStub* sourceRecord =
                m_source.impl().lookup(m_source.impl().tableForRole(ref.role), name);
            if (sourceRecord != nullptr) {
                ref.target = cloneRecord(sourceRecord, dest.tableForRole(ref.role)).stub();
            }
        }
        const TagList& tags = dataOf(object).tags;
        size_t first = 1;
        while (first < tags.size() && tags[first].code != 100) {
            ++first;
        }
        for (size_t i = first; i < dataOf(object).tags.size(); ++i) {
            const Tag tag = dataOf(object).tags[i];
            const bool pointer = (tag.code >= 330 && tag.code <= 369) || tag.code == 1005;
            uint64_t handle = 0;
            if (!pointer || !kvdxf::parseHandle(tag.value(), handle) || handle == 0) {
                continue;
            }
            OdDbStub* sourceTarget = m_source.impl().stubOf(handle);
            OdDbStub* destTarget = nullptr;
            if (sourceTarget != nullptr && sourceTarget->object != nullptr &&
                dataOf(sourceTarget->object).placement == Placement::TableRecord) {
                OdDbStub* sourceTable = dataOf(sourceTarget->object).owner;
                const std::string kind =
                    sourceTable ? std::string(dataOf(sourceTarget->object).tags[0].value()) : "";
                destTarget = cloneRecord(sourceTarget, dest.tableFor(kind)).stub();
            }
            replaceValue(object, i, destTarget ? kvdxf::formatHandle(destTarget->handle) : "0");
        }
        Access::sync(object);
    }
};

}  // namespace

void OdDbDatabase::wblockCloneObjects(const OdDbObjectIdArray& ids, OdDbObjectId owner,
                                      OdDbIdMapping& idMap, OdDb::DuplicateRecordCloning drc,
                                      bool /*deferXlation*/)
{
    if (idMap.destDb() == nullptr || owner.database() != idMap.destDb()) {
        throw OdError(eWrongDatabase);
    }
    idMap.setOrigDb(this);
    Cloner cloner(*this, idMap, drc);
    for (const OdDbObjectId& id : ids) {
        if (id.database() != this || id.isErased()) {
            continue;
        }
        if (dataOf(id.stub()->object).placement != Placement::TableRecord) {
            throw OdError(eNotApplicable);
        }
        cloner.cloneRecord(id.stub(), owner.stub());
    }
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
