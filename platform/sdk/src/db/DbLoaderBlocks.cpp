#include "Access.h"
#include "DbClassFactory.h"
#include "DbLoader.h"
#include "Loader.h"
#include "TagOps.h"
#include "UnreadObjects.h"

#include <DbObject.h>
#include <DbSymbolTableRecord.h>

namespace kvdb {

OdDbStub* Loader::blockByName(std::string_view name)
{
    OdDbStub* found = m_db.lookup(m_db.blockTable, m_db.decode(name));
    if (found != nullptr) {
        return found;
    }
    return makeSyntheticBlock(m_db, name);
}

bool Loader::expectsFollowers(const OdDbStub* stub)
{
    const OdDbObject* object = stub->resident();
    if (object == nullptr) {
        return stub->unread.followers;
    }
    const std::string_view type = dataOf(object).tags[0].value();
    if (type == "POLYLINE") {
        return true;
    }
    if (type == "INSERT") {
        return getInt(object, 66, 0) == 1;
    }
    return false;
}

bool Loader::onPaperSpace(const OdDbStub* stub)
{
    const OdDbObject* object = stub->resident();
    return object == nullptr ? stub->unread.paperSpace : getInt(object, 67, 0) == 1;
}

OdDbStub* Loader::makeEntity(size_t first, size_t last, Placement placement, bool ownerLater,
                             bool& hasOwnerHandle)
{
    if (m_file.tags[first].code == kvdxf::kCondensedCode) {
        return makeUnread(first, placement, ownerLater, hasOwnerHandle);
    }
    const size_t owners = m_owners.size();
    OdDbStub* stub = Access::stub(make(first, last, true, {}, placement));
    hasOwnerHandle = m_owners.size() != owners;
    return stub;
}

OdDbStub* Loader::makeUnread(size_t first, Placement placement, bool ownerLater,
                             bool& hasOwnerHandle)
{
    const Tag& condensed = m_file.tags[first];
    OdDbStub* stub = FileCondenser::stubOf(condensed);
    number(stub, stub->handle, nullptr);
    UnreadObject& unread = stub->unread;
    unread.placement = placement;
    const OdUInt64 ownerHandle = unread.ownerHandle;
    unread.owner = nullptr;
    hasOwnerHandle = ownerHandle != 0;
    if (hasOwnerHandle && ownerLater) {
        m_owners.emplace_back(stub, ownerHandle);
    }
    // The first entity naming a layer the drawing lacks says where it goes in the list of them.
    const uint32_t layer = condensed.size;
    if (layer != FileCondenser::kNoLayer && !m_layerMet[layer]) {
        m_layerMet[layer] = true;
        const std::string_view name = m_condenser.layerName(layer);
        if (!name.empty() && m_db.lookup(m_db.layerTable, m_db.decode(name)) == nullptr) {
            m_unreadLayerNames.emplace_back(m_all.size(), name);
        }
    }
    return stub;
}

void Loader::setOwner(OdDbStub* stub, OdDbStub* owner)
{
    if (OdDbObject* object = stub->resident()) {
        Access::state(object).owner = owner;
    } else {
        stub->unread.owner = owner;
    }
}

OdDbStub* Loader::ownerOf(const OdDbStub* stub) const
{
    const OdDbObject* object = stub->resident();
    return object != nullptr ? Access::state(object).owner : stub->unread.owner;
}

std::vector<OdDbStub*>& Loader::childrenOf(OdDbStub* parent)
{
    if (OdDbObject* object = parent->resident()) {
        return Access::state(object).children;
    }
    return m_db.unreadFollowers[parent];
}

void Loader::loadEntityList(size_t first, size_t last, OdDbStub* block, Placement placement,
                            std::vector<OdDbStub*>* sectionList, bool modelOrPaperByFlag)
{
    OdDbStub* parent = nullptr;
    std::vector<OdDbStub*>* followers = nullptr;  // the parent's, once it has one
    for (size_t i = first; i < last;) {
        const size_t next = nextObject(i, last);
        const Tag& tag = m_file.tags[i];
        if (tag.code != 0 && tag.code != kvdxf::kCondensedCode) {
            i = next;
            continue;
        }
        const OdDbStub* unread = tag.code == 0 ? nullptr : FileCondenser::stubOf(tag);
        const std::string_view type = tag.code == 0 ? tag.value() : std::string_view();
        const bool sequenceEnd = unread != nullptr ? unread->unread.sequenceEnd : type == "SEQEND";
        const bool follower = unread != nullptr
                                  ? unread->unread.follower
                                  : sequenceEnd || type == "ATTRIB" || type == "VERTEX";
        bool hasOwnerHandle = false;
        if (parent != nullptr && follower) {
            OdDbStub* sub = makeEntity(i, next, Placement::SubEntity, false, hasOwnerHandle);
            setOwner(sub, parent);
            if (followers == nullptr) {
                followers = &childrenOf(parent);
            }
            followers->push_back(sub);
            if (sequenceEnd) {
                parent = nullptr;
            }
            i = next;
            continue;
        }
        OdDbStub* entity = makeEntity(i, next, placement, modelOrPaperByFlag, hasOwnerHandle);
        OdDbStub* owner = block;
        if (modelOrPaperByFlag && hasOwnerHandle) {
            owner = nullptr;  // resolved from the owner handle later
        } else if (modelOrPaperByFlag) {
            owner = layoutBlock(onPaperSpace(entity));
        }
        if (owner != nullptr) {
            setOwner(entity, owner);
            childrenOf(owner).push_back(entity);
        }
        if (sectionList != nullptr) {
            sectionList->push_back(entity);
        }
        parent = expectsFollowers(entity) ? entity : nullptr;
        followers = nullptr;
        i = next;
    }
}

OdDbStub* Loader::layoutBlock(bool paper)
{
    // R12 names them $MODEL_SPACE and $PAPER_SPACE.
    const char* const names[][2] = {{"*Model_Space", "$MODEL_SPACE"},
                                    {"*Paper_Space", "$PAPER_SPACE"}};
    for (const char* name : names[paper ? 1 : 0]) {
        if (OdDbStub* block = m_db.lookup(m_db.blockTable, OdString(name))) {
            return block;
        }
    }
    return makeSyntheticBlock(m_db, names[paper ? 1 : 0][0]);
}

void Loader::loadBlocks(const kvdxf::Section& section)
{
    for (size_t i = section.begin; i < section.end;) {
        size_t next = nextObject(i, section.end);
        if (m_file.tags[i].code != 0 || m_file.tags[i].value() != "BLOCK") {
            if (m_file.tags[i].code == kvdxf::kCondensedCode) {
                // Nothing finds or writes it.
                OdDbStub* dropped = FileCondenser::stubOf(m_file.tags[i]);
                const Tag type = typeTagOf(dropped);
                const kvdxf::DxfFile::Location where = locate(dropped, type);
                dropped->unread = UnreadObject();
                --m_db.unreadObjects;
                report(where, "entity " + std::string(type.value()) +
                                  " outside a block definition is dropped");
            } else if (m_file.tags[i].code == 0) {
                report(m_file.tags[i], "entity " + std::string(m_file.tags[i].value()) +
                                           " outside a block definition is dropped");
            }
            i = next;
            continue;
        }
        OdDbObject* begin = make(i, next, true, {}, Placement::BlockBegin);
        OdDbStub* block = nullptr;
        const OdUInt64 ownerHandle =
            !m_owners.empty() && m_owners.back().first == Access::stub(begin)
                ? m_owners.back().second
                : 0;
        block = m_db.stubOf(ownerHandle);
        // The record named by handle, unless it is no record of the block table or already has
        // its definition (its name may then tell the record of its own).
        if (block != nullptr && (block->resident() == nullptr || m_db.blockTable == nullptr ||
                                 dataOf(block->resident()).owner != m_db.blockTable ||
                                 m_db.blockEnds.count(block) != 0)) {
            block = nullptr;
        }
        const int nameTag = findTag(begin, 2);
        const std::string_view name =
            nameTag < 0 ? std::string_view() : dataOf(begin).tags[nameTag].value();
        if (block == nullptr && !name.empty()) {
            block = blockByName(name);
        }
        std::string repair;
        block = recordForDefinition(m_db, begin, block, repair);
        if (!repair.empty()) {
            report(m_file.tags[i], repair);
        }
        dataOf(begin).owner = block;
        // Entities up to ENDBLK.
        size_t end = next;
        while (end < section.end &&
               !(m_file.tags[end].code == 0 && m_file.tags[end].value() == "ENDBLK")) {
            if (m_file.tags[end].code == 0 && m_file.tags[end].value() == "BLOCK") {
                break;
            }
            end = nextObject(end, section.end);
        }
        loadEntityList(next, end, block, Placement::BlockEntity, nullptr, false);
        OdDbStub* endStub = nullptr;
        if (end < section.end && m_file.tags[end].value() == "ENDBLK") {
            const size_t after = nextObject(end, section.end);
            OdDbObject* endblk = make(end, after, true, {}, Placement::BlockEnd);
            dataOf(endblk).owner = block;
            endStub = Access::stub(endblk);
            end = after;
        } else {
            report(m_file.tags[i], "block definition without ENDBLK; one is added");
            endStub = addBlockEnd(m_db, block);
        }
        items().push_back(block);
        m_db.blockEnds[block] = {Access::stub(begin), endStub};
        if (ownerHandle != 0 && ownerHandle != block->handle) {
            pointDefinitionAt(m_db, block);
        }
        i = end;
    }
}

void Loader::loadEntities(const kvdxf::Section& section)
{
    loadEntityList(section.begin, section.end, nullptr, Placement::Entity, &items(), true);
}

void Loader::loadObjects(const kvdxf::Section& section)
{
    for (size_t i = section.begin; i < section.end;) {
        const size_t next = nextObject(i, section.end);
        if (m_file.tags[i].code == 0) {
            OdDbObject* object = make(i, next, false, {}, Placement::Object);
            items().push_back(Access::stub(object));
            if (m_db.namedObjects == nullptr && dataOf(object).tags[0].value() == "DICTIONARY") {
                m_db.namedObjects = Access::stub(object);
            }
        }
        i = next;
    }
}

}  // namespace kvdb
