// Copying records from one database into another (wblockCloneObjects): a record comes with what
// it owns (a block with its definition, an object with its extension dictionary) and with the
// records it refers to, which map onto the destination's records of the same name and are copied
// only when missing.
#include "Access.h"
#include "DatabaseImpl.h"
#include "DbClassFactory.h"
#include "TagOps.h"
#include "dxf/DxfNumbers.h"

#include <DbBlockTableRecord.h>
#include <DbDatabase.h>
#include <DbDictionary.h>
#include <DbIdMapping.h>
#include <DbRegAppTableRecord.h>
#include <DbSymbolTable.h>
#include <DbTextStyleTableRecord.h>
#include <RxClass.h>

#include <string>
#include <vector>

using namespace kvdb;

namespace {

// Index of the first subclass marker: the groups before it say who the object is (handle,
// application groups such as reactors and the extension dictionary, owner).
size_t bodyStart(const TagList& tags)
{
    size_t i = 1;
    while (i < tags.size() && tags[i].code != 100) {
        ++i;
    }
    return i == tags.size() ? std::min<size_t>(2, tags.size()) : i;
}

bool isPointer(int code)
{
    return (code >= 320 && code <= 369) || (code >= 390 && code <= 399) || code == 480 ||
           code == 481 || code == 1005;
}

OdDbStub* handleTarget(const DatabaseImpl& db, std::string_view raw)
{
    uint64_t handle = 0;
    return kvdxf::parseHandle(raw, handle) && handle != 0 ? db.stubOf(handle) : nullptr;
}

std::string_view recordType(const OdDbStub* record)
{
    return dataOf(record->object()).tags[0].value();
}

OdString nameOf(const OdDbStub* record)
{
    return static_cast<const OdDbSymbolTableRecord*>(record->object())->getName();
}

bool isLayoutName(const OdString& name)
{
    return name.iCompare(OdString("*Model_Space")) == 0 ||
           name.left(12).iCompare(OdString("*Paper_Space")) == 0;
}

// Blocks made for one entity (dimension pictures, tables, hatches); a copy gets a new name.
bool isAnonymousBlock(const OdDbStub* record)
{
    if (recordType(record) != "BLOCK_RECORD") {
        return false;
    }
    const OdString name = nameOf(record);
    return !name.isEmpty() && name[0] == L'*' && !isLayoutName(name);
}

// Text styles that describe a shape file are known by the file, not by their (empty) name.
bool isShapeFileStyle(const OdDbStub* record)
{
    const auto* style = OdDbTextStyleTableRecord::cast(record->object()).get();
    return style != nullptr && (style->isShapeFile() || style->getName().isEmpty());
}

class Cloner
{
public:
    Cloner(OdDbDatabase& source, OdDbIdMapping& map)
        : m_source(source.impl()), m_dest(map.destDb()->impl()), m_map(map)
    {}

    // The destination's record for a source record: with kDrcReplace the content of a record of
    // the same name is replaced (it keeps its identity), otherwise such a record is used as it
    // is; a record the destination lacks is copied.
    OdDbStub* record(OdDbStub* source, OdDb::DuplicateRecordCloning drc)
    {
        OdDbIdPair known{OdDbObjectId(source)};
        if (m_map.compute(known)) {
            return known.value().stub();
        }
        OdDbStub* const table = m_dest.tableFor(std::string(recordType(source)));
        if (table == nullptr) {
            return nullptr;
        }
        OdDbStub* existing = isAnonymousBlock(source) ? nullptr : existingFor(source, table);
        if (existing != nullptr && (drc != OdDb::kDrcReplace || isLayoutName(nameOf(source)))) {
            m_map.assign(OdDbIdPair(OdDbObjectId(source), OdDbObjectId(existing), false));
            return existing;
        }
        OdDbObjectPtr copy = source->object()->clone();
        OdDbObject* object = copy.get();
        dataOf(object).refs.clear();
        recode(object);
        OdDbStub* result = existing;
        if (existing != nullptr) {
            m_map.assign(OdDbIdPair(OdDbObjectId(source), OdDbObjectId(existing), true));
            eraseBlockContent(existing);
            OdDbObjectPtr replaced = OdDbObjectId(existing).openObject(OdDb::kForWrite);
            replaced->handOverTo(object);
        } else {
            replaceHead(object, source, nullptr);
            if (isAnonymousBlock(source)) {
                setString(object, 2, freeAnonymousName(table, nameOf(source)));
            }
            OdDbSymbolTablePtr destTable = OdDbObjectId(table).openObject(OdDb::kForWrite);
            result = destTable->add(static_cast<OdDbSymbolTableRecord*>(object)).stub();
            m_map.assign(OdDbIdPair(OdDbObjectId(source), OdDbObjectId(result), true));
            copyExtensionDictionary(source, result);
        }
        translateNames(result->object());
        registerApplications(result->object());
        m_pending.push_back(result);
        if (recordType(source) == "BLOCK_RECORD") {
            copyBlockContent(source, result);
        }
        return result;
    }

    // Points what was copied at the destination's objects, copying the records it points at.
    void finish()
    {
        while (!m_pending.empty()) {
            OdDbStub* const copy = m_pending.back();
            m_pending.pop_back();
            translatePointers(copy->object());
        }
        for (OdDbStub* appended : m_appended) {
            m_dest.notifyAppended(appended->object());
        }
    }

private:
    DatabaseImpl& m_source;
    DatabaseImpl& m_dest;
    OdDbIdMapping& m_map;
    std::vector<OdDbStub*> m_pending;   // copies whose pointers are still the source's
    std::vector<OdDbStub*> m_appended;  // copies that are no table records
    long m_anonymous = 0;

    OdDbStub* existingFor(OdDbStub* source, OdDbStub* table) const
    {
        if (!isShapeFileStyle(source)) {
            return m_dest.lookup(table, nameOf(source));
        }
        const OdString file =
            static_cast<const OdDbTextStyleTableRecord*>(source->object())->fileName();
        for (OdDbStub* candidate : dataOf(table->object()).children) {
            if (candidate->object() != nullptr && !dataOf(candidate->object()).erased &&
                isShapeFileStyle(candidate) &&
                static_cast<const OdDbTextStyleTableRecord*>(candidate->object())
                        ->fileName()
                        .iCompare(file) == 0) {
                return candidate;
            }
        }
        return nullptr;
    }

    OdString freeAnonymousName(OdDbStub* table, const OdString& sourceName)
    {
        int letters = 1;
        while (letters < sourceName.getLength() &&
               (sourceName[letters] < L'0' || sourceName[letters] > L'9')) {
            ++letters;
        }
        const OdString prefix = sourceName.left(letters);
        OdString name;
        do {
            name = prefix + OdString(std::to_string(++m_anonymous).c_str());
        } while (m_dest.lookup(table, name) != nullptr);
        return name;
    }

    // A group's text as the destination stores it: texts of the source's code page are
    // re-encoded for the destination's.
    std::string forDestination(const Tag& tag) const
    {
        if (kvdxf::kindOf(tag.code) != kvdxf::ValueKind::String ||
            m_source.codec.charsetName() == m_dest.codec.charsetName()) {
            return std::string(tag.value());
        }
        return m_dest.codec.encode(m_source.codec.decode(tag.value()));
    }

    void recode(OdDbObject* object) const
    {
        std::vector<Tag>& tags = dataOf(object).tags.edit();
        for (Tag& tag : tags) {
            const std::string text = forDestination(tag);
            if (text != tag.value()) {
                const std::string_view stored = storeText(object, text);
                tag.data = stored.data();
                tag.size = static_cast<uint32_t>(stored.size());
            }
        }
        dataOf(object).tags.sync();
    }

    // The copy's identity groups: a handle to be given, the reactors that point at copies (the
    // owner among them), any other application group, and the owner; the extension dictionary
    // is added when it is copied.
    void replaceHead(OdDbObject* copy, const OdDbStub* source, const OdDbStub* owner) const
    {
        const TagList& from = dataOf(source->object()).tags;
        const size_t end = bodyStart(from);
        std::vector<std::pair<int, std::string>> head;
        head.emplace_back(recordType(source) == "DIMSTYLE" ? 105 : 5, "0");
        for (size_t i = 1; i < end; ++i) {
            if (from[i].code != 102 || from[i].value().empty() || from[i].value()[0] != '{') {
                continue;
            }
            size_t close = i + 1;
            while (close < end && from[close].code != 102) {
                ++close;
            }
            const std::string_view group = from[i].value();
            std::vector<std::pair<int, std::string>> items;
            for (size_t k = i + 1; k < close; ++k) {
                if (group == "{ACAD_REACTORS") {
                    if (OdDbStub* reactor = mappedReactor(from[k].value(), source, owner)) {
                        items.emplace_back(330, kvdxf::formatHandle(reactor->handle));
                    }
                } else if (group != "{ACAD_XDICTIONARY") {
                    items.emplace_back(from[k].code, std::string(from[k].value()));
                }
            }
            if (!items.empty()) {
                head.emplace_back(102, std::string(group));
                head.insert(head.end(), items.begin(), items.end());
                head.emplace_back(102, "}");
            }
            i = close;
        }
        head.emplace_back(330, "0");
        eraseTags(copy, 1, bodyStart(dataOf(copy).tags) - 1);
        for (size_t k = 0; k < head.size(); ++k) {
            insertTag(copy, k + 1, head[k].first, head[k].second);
        }
    }

    OdDbStub* mappedReactor(std::string_view raw, const OdDbStub* source,
                            const OdDbStub* owner) const
    {
        OdDbStub* reactor = handleTarget(m_source, raw);
        if (reactor == nullptr) {
            return nullptr;
        }
        if (reactor == dataOf(source->object()).owner) {
            return const_cast<OdDbStub*>(owner);
        }
        OdDbIdPair pair{OdDbObjectId(reactor)};
        return m_map.compute(pair) ? pair.value().stub() : nullptr;
    }

    // A copy of an object that a copy owns (entity, sub-entity, dictionary, xrecord), with
    // whatever that object owns in turn.
    OdDbStub* copyOwned(OdDbStub* source, OdDbStub* owner)
    {
        const Placement placement = dataOf(source->object()).placement;
        OdDbObjectPtr copy = source->object()->clone();
        OdDbObject* object = copy.get();
        dataOf(object).refs.clear();
        recode(object);
        replaceHead(object, source, owner);
        const OdDbObjectId id = m_dest.addObject(object, owner, 0);
        OdDbStub* const result = id.stub();
        dataOf(object).placement = placement;
        if (placement == Placement::Object) {
            m_dest.sectionItems(SectionSlot::Objects).push_back(result);
        } else if (placement == Placement::SubEntity) {
            dataOf(owner->object()).children.push_back(result);
        }
        m_map.assign(OdDbIdPair(OdDbObjectId(source), id, true));
        translateNames(object);
        registerApplications(object);
        m_pending.push_back(result);
        m_appended.push_back(result);
        copyExtensionDictionary(source, result);
        const OdDbStub* dictionary = source->object()->extensionDictionary().stub();
        for (OdDbStub* owned : m_source.ownedObjects(source)) {
            if (owned != dictionary && owned->object() != nullptr &&
                !dataOf(owned->object()).erased) {
                copyOwned(owned, result);
            }
        }
        return result;
    }

    void copyExtensionDictionary(const OdDbStub* source, OdDbStub* copy)
    {
        OdDbStub* dictionary = source->object()->extensionDictionary().stub();
        if (dictionary == nullptr || dictionary->object() == nullptr ||
            dataOf(dictionary->object()).erased) {
            return;
        }
        OdDbStub* const copied = copyOwned(dictionary, copy);
        // After the handle, before the owner, as the extension dictionary always stands.
        OdDbObject* object = copy->object();
        size_t at = bodyStart(dataOf(object).tags) - 1;
        insertTag(object, at, 102, "{ACAD_XDICTIONARY");
        insertTag(object, at + 1, 360, kvdxf::formatHandle(copied->handle));
        insertTag(object, at + 2, 102, "}");
    }

    void eraseBlockContent(OdDbStub* block)
    {
        if (recordType(block) != "BLOCK_RECORD") {
            return;
        }
        for (OdDbStub* entity : dataOf(block->object()).children) {
            OdDbObjectPtr object = OdDbObjectId(entity).openObject(OdDb::kForWrite);
            if (!object.isNull()) {
                object->erase(true);
            }
        }
        dataOf(block->object()).children.clear();
    }

    // The copy of a block takes the source's definition: the BLOCK entity's values (base point,
    // flags, description) under its own name, and every entity.
    void copyBlockContent(const OdDbStub* source, OdDbStub* block)
    {
        const auto from = m_source.blockEnds.find(const_cast<OdDbStub*>(source));
        const auto to = m_dest.blockEnds.find(block);
        if (from == m_source.blockEnds.end() || to == m_dest.blockEnds.end()) {
            return;
        }
        takeBody(to->second.first, from->second.first);
        const std::string name = m_dest.encode(nameOf(block));
        for (const int code : {2, 3}) {
            if (findTag(to->second.first->object(), code, "AcDbBlockBegin") >= 0) {
                setRaw(to->second.first->object(), code, name, "AcDbBlockBegin");
            }
        }
        if (from->second.second != nullptr && to->second.second != nullptr) {
            takeBody(to->second.second, from->second.second);
        }
        for (OdDbStub* entity : dataOf(source->object()).children) {
            if (entity->object() != nullptr && !dataOf(entity->object()).erased &&
                dataOf(entity->object()).placement == Placement::BlockEntity) {
                dataOf(block->object()).children.push_back(copyOwned(entity, block));
            }
        }
    }

    // Gives a destination object the groups after the identity groups of a source object.
    void takeBody(OdDbStub* target, const OdDbStub* source)
    {
        OdDbObject* object = target->object();
        const TagList& from = dataOf(source->object()).tags;
        const size_t keep = bodyStart(dataOf(object).tags);
        eraseTags(object, keep, dataOf(object).tags.size() - keep);
        size_t at = keep;
        for (size_t i = bodyStart(from); i < from.size(); ++i) {
            insertTag(object, at++, from[i].code, forDestination(from[i]));
        }
        translateNames(object);
        m_pending.push_back(target);
    }

    // Names of records in the copy: the source's record of that name, brought over.
    void translateNames(OdDbObject* copy)
    {
        collectNameRefs(m_dest, copy);
        for (NameRef& ref : dataOf(copy).refs) {
            const OdString name = m_dest.decode(dataOf(copy).tags[ref.tag].value());
            if (OdDbStub* source = m_source.lookup(m_source.tableForRole(ref.role), name)) {
                if (OdDbStub* target = record(source, OdDb::kDrcIgnore)) {
                    ref.target = target;
                }
            }
        }
        m_dest.touch(copy);
        Access::sync(copy);
    }

    // Pointers of the copy's own data (not its identity groups): to copies, to the records of
    // the destination, to the objects kept under the same keys of the destination's dictionaries;
    // anything else there is no counterpart of becomes null.
    void translatePointers(OdDbObject* copy)
    {
        for (size_t i = bodyStart(dataOf(copy).tags); i < dataOf(copy).tags.size(); ++i) {
            const Tag tag = dataOf(copy).tags[i];
            if (!isPointer(tag.code)) {
                continue;
            }
            OdDbStub* const source = handleTarget(m_source, tag.value());
            if (source == nullptr) {
                continue;
            }
            OdDbStub* target = nullptr;
            OdDbIdPair pair{OdDbObjectId(source)};
            if (m_map.compute(pair)) {
                target = pair.value().stub();
            } else if (source->object() != nullptr &&
                       dataOf(source->object()).placement == Placement::TableRecord) {
                target = record(source, OdDb::kDrcIgnore);
            } else {
                target = sameKeyPath(source);
            }
            replaceValue(copy, i, target != nullptr ? kvdxf::formatHandle(target->handle) : "0");
        }
        Access::sync(copy);
    }

    // The destination's object at the dictionary keys under which the source keeps `source`
    // (ACAD_PLOTSTYLENAME / Normal), or null.
    OdDbStub* sameKeyPath(OdDbStub* source) const
    {
        std::vector<OdString> keys;
        OdDbStub* at = source;
        while (at != nullptr && at != m_source.namedObjects) {
            OdDbStub* owner = at->object() != nullptr ? dataOf(at->object()).owner : nullptr;
            OdDbDictionaryPtr dictionary =
                owner != nullptr ? OdDbDictionary::cast(owner->object()) : OdDbDictionaryPtr();
            if (dictionary.isNull()) {
                return nullptr;
            }
            keys.push_back(dictionary->nameAt(OdDbObjectId(at)));
            at = owner;
        }
        OdDbObjectId found(m_dest.namedObjects);
        for (auto key = keys.rbegin(); key != keys.rend() && !found.isNull(); ++key) {
            OdDbDictionaryPtr dictionary = OdDbDictionary::cast(found.openObject().get());
            found = dictionary.isNull() ? OdDbObjectId() : dictionary->getAt(*key);
        }
        return at == nullptr ? nullptr : found.stub();
    }

    // Every application that names XDATA of the copy is registered in the destination.
    void registerApplications(OdDbObject* copy)
    {
        const TagList& tags = dataOf(copy).tags;
        for (size_t i = xdataStart(tags); i < tags.size(); ++i) {
            if (tags[i].code != 1001) {
                continue;
            }
            const OdString app = m_dest.decode(tags[i].value());
            if (m_dest.lookup(m_dest.appidTable, app) != nullptr || m_dest.appidTable == nullptr) {
                continue;
            }
            if (OdDbStub* source = m_source.lookup(m_source.appidTable, app)) {
                record(source, OdDb::kDrcIgnore);
                continue;
            }
            OdDbRegAppTableRecordPtr registered = OdDbRegAppTableRecord::createObject();
            registered->setName(app);
            OdDbSymbolTablePtr apps = OdDbObjectId(m_dest.appidTable).openObject(OdDb::kForWrite);
            apps->add(registered.get());
        }
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
    Cloner cloner(*this, idMap);
    for (const OdDbObjectId& id : ids) {
        if (id.database() != this || id.isErased()) {
            continue;
        }
        if (dataOf(id.stub()->object()).placement != Placement::TableRecord) {
            throw OdError(eNotApplicable);
        }
        if (idMap.destDb()->impl().tableFor(std::string(recordType(id.stub()))) != owner.stub()) {
            throw OdError(eInvalidOwnerObject);
        }
        cloner.record(id.stub(), drc);
    }
    cloner.finish();
}
