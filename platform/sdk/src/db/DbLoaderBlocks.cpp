#include "Access.h"
#include "DbClassFactory.h"
#include "DbLoader.h"
#include "Loader.h"
#include "TagOps.h"

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

bool Loader::expectsFollowers(const OdDbObject* object)
{
    const std::string_view type = dataOf(object).tags[0].value();
    if (type == "POLYLINE") {
        return true;
    }
    if (type == "INSERT") {
        return getInt(object, 66, 0) == 1;
    }
    return false;
}

void Loader::loadEntityList(size_t first, size_t last, OdDbStub* block, Placement placement,
                            std::vector<OdDbStub*>* sectionList, bool modelOrPaperByFlag)
{
    OdDbObject* parent = nullptr;
    for (size_t i = first; i < last;) {
        const size_t next = nextObject(i, last);
        if (m_file.tags[i].code != 0) {
            i = next;
            continue;
        }
        const std::string_view type = m_file.tags[i].value();
        const bool follower = type == "ATTRIB" || type == "VERTEX" || type == "SEQEND";
        if (parent != nullptr && follower) {
            OdDbObject* sub = make(i, next, true, {}, Placement::SubEntity);
            dataOf(sub).owner = Access::stub(parent);
            dataOf(parent).children.push_back(Access::stub(sub));
            if (type == "SEQEND") {
                parent = nullptr;
            }
            i = next;
            continue;
        }
        OdDbObject* entity = make(i, next, true, {}, placement);
        OdDbStub* owner = block;
        if (modelOrPaperByFlag && m_owners.empty() == false &&
            m_owners.back().first == Access::stub(entity)) {
            owner = nullptr;  // resolved from the owner handle later
        } else if (modelOrPaperByFlag) {
            owner = layoutBlock(getInt(entity, 67, 0) == 1);
        }
        if (owner != nullptr) {
            dataOf(entity).owner = owner;
            dataOf(owner->object).children.push_back(Access::stub(entity));
        }
        if (sectionList != nullptr) {
            sectionList->push_back(Access::stub(entity));
        }
        parent = expectsFollowers(entity) ? entity : nullptr;
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
            if (m_file.tags[i].code == 0) {
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
        if (block != nullptr &&
            (block->object == nullptr || m_db.blockTable == nullptr ||
             dataOf(block->object).owner != m_db.blockTable || m_db.blockEnds.count(block) != 0)) {
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
