#include "DatabaseImpl.h"

#include "Access.h"
#include "DbClassFactory.h"
#include "TagOps.h"
#include "dxf/DxfNumbers.h"

#include <DbDatabase.h>
#include <DbDatabaseReactor.h>
#include <DbObject.h>
#include <DbSymbolTableRecord.h>
#include <RxClass.h>

#include <algorithm>

namespace kvdb {

DatabaseImpl::DatabaseImpl(OdDbDatabase* self_) : self(self_) {}

DatabaseImpl::~DatabaseImpl()
{
    // Objects may outlive the database when somebody still holds them: they become free.
    for (OdDbStub& stub : stubs) {
        if (stub.resident() != nullptr) {
            OdDbObject* object = stub.resident();
            stub.setObject(nullptr);
            // Texts of a surviving object must not point into this database any more.
            if (Access::refs(object) > 1) {
                if (Access::state(object).unreadBytes != nullptr) {
                    Access::readTags(object);
                }
                ObjectData& data = Access::state(object);
                auto arenaCopy = std::make_unique<kvdxf::StringArena>();
                std::vector<Tag>& tags = data.tags.edit();
                for (Tag& tag : tags) {
                    const std::string_view stored = arenaCopy->store(tag.value());
                    tag.data = stored.data();
                }
                data.tags.sync();
                data.ownArena = std::move(arenaCopy);
                data.refs.clear();
                data.owner = nullptr;
                Access::setStub(object, nullptr);
            }
            object->release();
        }
    }
}

OdDbStub* DatabaseImpl::newStub(OdUInt64 handle)
{
    OdDbStub* stub = addStub();
    giveHandle(stub, handle);
    return stub;
}

OdDbStub* DatabaseImpl::addStub()
{
    stubs.emplace_back();
    stubs.back().db = self;
    return &stubs.back();
}

void DatabaseImpl::giveHandle(OdDbStub* stub, OdUInt64 handle)
{
    stub->handle = handle;
    // An object without a handle, or whose handle is taken, gets the next free one.
    if (handle == 0 || !byHandle.insertNew(stub)) {
        stub->handle = nextHandle();
        byHandle.insert(stub);
    }
    if (stub->handle > maxHandle) {
        maxHandle = stub->handle;
    }
}

OdDbStub* DatabaseImpl::stubOf(OdUInt64 handle) const
{
    return byHandle.find(handle);
}

std::string DatabaseImpl::encode(const OdString& text) const
{
    return codec.encode(text.wstring());
}

OdString DatabaseImpl::decode(std::string_view raw) const
{
    return OdString(codec.decode(raw));
}

OdDbStub** DatabaseImpl::tableSlot(const std::string& recordType)
{
    static const struct
    {
        const char* name;
        OdDbStub* DatabaseImpl::*slot;
    } slots[] = {
        {"VPORT", &DatabaseImpl::vportTable},       {"LTYPE", &DatabaseImpl::linetypeTable},
        {"LAYER", &DatabaseImpl::layerTable},       {"STYLE", &DatabaseImpl::styleTable},
        {"VIEW", &DatabaseImpl::viewTable},         {"UCS", &DatabaseImpl::ucsTable},
        {"APPID", &DatabaseImpl::appidTable},       {"DIMSTYLE", &DatabaseImpl::dimstyleTable},
        {"BLOCK_RECORD", &DatabaseImpl::blockTable}};
    for (const auto& entry : slots) {
        if (recordType == entry.name) {
            return &(this->*entry.slot);
        }
    }
    return nullptr;
}

OdDbStub* DatabaseImpl::tableFor(const std::string& recordType) const
{
    OdDbStub* const* slot = const_cast<DatabaseImpl*>(this)->tableSlot(recordType);
    return slot != nullptr ? *slot : nullptr;
}

OdDbStub* DatabaseImpl::tableForRole(RefRole role) const
{
    switch (role) {
        case RefRole::Layer:
            return layerTable;
        case RefRole::Linetype:
            return linetypeTable;
        case RefRole::TextStyle:
            return styleTable;
        case RefRole::DimStyle:
            return dimstyleTable;
        case RefRole::Block:
            return blockTable;
    }
    return nullptr;
}

OdDbStub* DatabaseImpl::lookup(OdDbStub* table, const OdString& name) const
{
    if (table == nullptr) {
        return nullptr;
    }
    const auto info = tableInfo.find(table);
    if (info == tableInfo.end()) {
        return nullptr;
    }
    const auto it = info->second.byName.find(name);
    if (it == info->second.byName.end()) {
        return nullptr;
    }
    for (OdDbStub* stub : it->second) {
        if (isLive(stub)) {
            return stub;
        }
    }
    return nullptr;
}

void DatabaseImpl::indexRecord(OdDbStub* table, OdDbStub* record)
{
    beforeNamesChange();
    const OdString name = static_cast<OdDbSymbolTableRecord*>(record->object())->getName();
    tableInfo[table].byName[name].push_back(record);
}

void DatabaseImpl::unindexRecord(OdDbStub* table, OdDbStub* record, const OdString& oldName)
{
    beforeNamesChange();
    auto& byName = tableInfo[table].byName;
    const auto it = byName.find(oldName);
    if (it == byName.end()) {
        return;
    }
    auto& list = it->second;
    list.erase(std::remove(list.begin(), list.end(), record), list.end());
    if (list.empty()) {
        byName.erase(it);
    }
}

ReferenceIndex& DatabaseImpl::referenceIndex()
{
    if (!m_references) {
        m_references = std::make_unique<ReferenceIndex>(*this);
    }
    return *m_references;
}

bool DatabaseImpl::isPermanentRecord(const OdDbStub* record) const
{
    const OdDbObjectId id(const_cast<OdDbStub*>(record));
    return !id.isNull() &&
           (id == self->getLayerZeroId() || id == self->getLinetypeByBlockId() ||
            id == self->getLinetypeByLayerId() || id == self->getLinetypeContinuousId() ||
            id == self->getModelSpaceId() || id == self->getPaperSpaceId());
}

void DatabaseImpl::refuseOnPermanentRecord(const OdDbStub* record, const char* what,
                                           OdResult code) const
{
    if (!isPermanentRecord(record)) {
        return;
    }
    const OdDbObject* object = record->object();
    throw OdError(OdString::fromUtf8(std::string(dataOf(object).tags[0].value()) + " \"") +
                      static_cast<const OdDbSymbolTableRecord*>(object)->getName() +
                      OdString::fromUtf8(std::string("\" cannot be ") + what),
                  code);
}

std::vector<OdDbStub*> DatabaseImpl::ownedObjects(const OdDbStub* owner) const
{
    std::vector<OdDbStub*> owned;
    const OdDbObject* object = owner->object();
    if (object == nullptr) {
        return owned;
    }
    const ObjectData& data = dataOf(object);
    owned.insert(owned.end(), data.children.begin(), data.children.end());
    const auto ends = blockEnds.find(const_cast<OdDbStub*>(owner));
    if (ends != blockEnds.end()) {
        for (OdDbStub* end : {ends->second.first, ends->second.second}) {
            if (end != nullptr) {
                owned.push_back(end);
            }
        }
    }
    if (const OdDbStub* dictionary = object->extensionDictionary().stub()) {
        owned.push_back(const_cast<OdDbStub*>(dictionary));
    }
    // Owner pointers (350 soft, 360 hard) to objects that name this one as their owner: the
    // entries of a dictionary.
    const TagList& tags = data.tags;
    for (size_t i = 1; i < tags.size(); ++i) {
        uint64_t handle = 0;
        if ((tags[i].code == 350 || tags[i].code == 360) &&
            kvdxf::parseHandle(tags[i].value(), handle)) {
            OdDbStub* target = stubOf(handle);
            if (target != nullptr && target->object() != nullptr &&
                dataOf(target->object()).owner == owner &&
                std::find(owned.begin(), owned.end(), target) == owned.end()) {
                owned.push_back(target);
            }
        }
    }
    return owned;
}

HeaderVar* DatabaseImpl::headerVar(const std::string& upperName)
{
    for (HeaderVar& var : header) {
        if (var.name == upperName) {
            return &var;
        }
    }
    return nullptr;
}

const HeaderVar* DatabaseImpl::headerVar(const std::string& upperName) const
{
    return const_cast<DatabaseImpl*>(this)->headerVar(upperName);
}

std::vector<OdDbStub*>& DatabaseImpl::sectionItems(SectionSlot::Kind kind)
{
    for (SectionSlot& slot : layout) {
        if (slot.kind == kind) {
            return slot.items;
        }
    }
    // Sections stand in this order in every file that has them.
    static const SectionSlot::Kind order[] = {SectionSlot::Header, SectionSlot::Tables,
                                              SectionSlot::Blocks, SectionSlot::Entities,
                                              SectionSlot::Objects};
    static const char* const names[] = {"HEADER", "TABLES", "BLOCKS", "ENTITIES", "OBJECTS"};
    size_t rank = 0;
    while (order[rank] != kind) {
        ++rank;
    }
    size_t at = 0;
    for (; at < layout.size(); ++at) {
        const auto it = std::find(std::begin(order), std::end(order), layout[at].kind);
        if (it != std::end(order) && static_cast<size_t>(it - std::begin(order)) > rank) {
            break;
        }
    }
    SectionSlot slot;
    slot.kind = kind;
    slot.name = names[rank];
    return layout.insert(layout.begin() + static_cast<std::ptrdiff_t>(at), std::move(slot))->items;
}

void DatabaseImpl::rehome(OdDbObject* object)
{
    ObjectData& data = dataOf(object);
    std::vector<Tag>& tags = data.tags.edit();
    for (Tag& tag : tags) {
        const std::string_view stored = arena.store(tag.value());
        tag.data = stored.data();
    }
    data.tags.sync();
    data.ownArena.reset();
}

OdDbObjectId DatabaseImpl::addObject(OdDbObject* object, OdDbStub* owner, OdUInt64 handle)
{
    if (object == nullptr) {
        throw OdError(eNullObjectPointer);
    }
    if (Access::stub(object) != nullptr) {
        throw OdError(eInvalidInput);
    }
    ObjectData& data = dataOf(object);
    OdDbStub* stub = newStub(handle);
    stub->setObject(object);
    object->addRef();
    Access::setStub(object, stub);
    // Whoever adds an object holds it open for write, as if just opened.
    Access::setOpenMode(object, OdDb::kForWrite);
    data.owner = owner;
    data.isNew = true;
    ensureTags(object);
    rehome(object);
    // Identity groups: the handle and the owner.
    const int handleCode = data.tags[0].value() == "DIMSTYLE" ? 105 : 5;
    const std::string handleText = kvdxf::formatHandle(stub->handle);
    int h = findTag(object, handleCode);
    if (h < 0) {
        insertTag(object, 1, handleCode, handleText);
    } else {
        replaceValue(object, static_cast<size_t>(h), handleText);
    }
    if (owner != nullptr) {
        const int marker = findTag(object, 100);
        const int o = findTag(object, 330);
        const std::string ownerText = kvdxf::formatHandle(owner->handle);
        if (o >= 0 && (marker < 0 || o < marker)) {
            replaceValue(object, static_cast<size_t>(o), ownerText);
        } else {
            insertTag(object, marker < 0 ? data.tags.size() : static_cast<size_t>(marker), 330,
                      ownerText);
        }
    }
    if (data.refs.empty()) {
        collectNameRefs(*this, object);
    }
    Access::sync(object);
    return OdDbObjectId(stub);
}

void DatabaseImpl::notifyAppended(const OdDbObject* object)
{
    for (OdDbDatabaseReactor* reactor : std::vector<OdDbDatabaseReactor*>(reactors)) {
        reactor->objectAppended(self, object);
    }
}

void DatabaseImpl::notifyOpenedForModify(const OdDbObject* object)
{
    for (OdDbDatabaseReactor* reactor : std::vector<OdDbDatabaseReactor*>(reactors)) {
        reactor->objectOpenedForModify(self, object);
    }
}

void DatabaseImpl::notifyModified(const OdDbObject* object)
{
    for (OdDbDatabaseReactor* reactor : std::vector<OdDbDatabaseReactor*>(reactors)) {
        reactor->objectModified(self, object);
    }
}

void DatabaseImpl::notifyErased(const OdDbObject* object, bool erased)
{
    for (OdDbDatabaseReactor* reactor : std::vector<OdDbDatabaseReactor*>(reactors)) {
        reactor->objectErased(self, object, erased);
    }
}

}  // namespace kvdb
