#include "DbLoader.h"

#include "Access.h"
#include "DatabaseImpl.h"
#include "DbClassFactory.h"
#include "DbUpgrade.h"
#include "TagOps.h"
#include "dxf/DxfNumbers.h"

#include <DbBlockTableRecord.h>
#include <DbObject.h>
#include <DbSymbolTableRecord.h>
#include <RxClass.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace kvdb {

namespace {

std::string upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

class Loader
{
public:
    Loader(DatabaseImpl& db, const kvdxf::DxfFile& file) : m_db(db), m_file(file) {}

    void run()
    {
        // Objects without a handle get one above every handle of the file, so that they never
        // take the handle of an object read later. The same pass counts the objects, so that the
        // lists of every object are allocated once.
        size_t objects = 0;
        for (const kvdxf::Section& section : m_file.sections) {
            if (upper(section.name) == "HEADER") {
                continue;  // $HANDSEED is not the handle of an object
            }
            for (size_t i = section.begin; i < section.end; ++i) {
                const Tag& tag = m_file.tags[i];
                uint64_t handle = 0;
                if (tag.code == 0) {
                    ++objects;
                } else if ((tag.code == 5 || tag.code == 105) &&
                           kvdxf::parseHandle(tag.value(), handle) && handle > m_db.maxHandle &&
                           handle < (uint64_t(1) << 62)) {
                    m_db.maxHandle = handle;
                }
            }
        }
        m_all.reserve(objects);
        m_owners.reserve(objects);
        m_db.byHandle.reserve(objects);
        for (const kvdxf::Section& section : m_file.sections) {
            SectionSlot slot;
            slot.name = section.name;
            const std::string name = upper(section.name);
            slot.kind = name == "HEADER"     ? SectionSlot::Header
                        : name == "TABLES"   ? SectionSlot::Tables
                        : name == "BLOCKS"   ? SectionSlot::Blocks
                        : name == "ENTITIES" ? SectionSlot::Entities
                        : name == "OBJECTS"  ? SectionSlot::Objects
                                             : SectionSlot::Raw;
            // A second section of a kind is merged into the first: other programs read only one.
            const auto first =
                std::find_if(m_db.layout.begin(), m_db.layout.end(), [&](const SectionSlot& s) {
                    return s.kind == slot.kind && slot.kind != SectionSlot::Raw;
                });
            if (first != m_db.layout.end()) {
                m_slot = static_cast<size_t>(first - m_db.layout.begin());
                report(m_file.tags[section.begin > 0 ? section.begin - 1 : 0],
                       "a second " + name + " section is merged into the first");
            } else {
                m_db.layout.push_back(std::move(slot));
                m_slot = m_db.layout.size() - 1;
            }
            switch (m_db.layout[m_slot].kind) {
                case SectionSlot::Header:
                    loadHeader(section);
                    break;
                case SectionSlot::Tables:
                    loadTables(section);
                    break;
                case SectionSlot::Blocks:
                    loadBlocks(section);
                    break;
                case SectionSlot::Entities:
                    loadEntities(section);
                    break;
                case SectionSlot::Objects:
                    loadObjects(section);
                    break;
                case SectionSlot::Raw:
                    m_db.layout.back().raw.assign(m_file.tags.begin() + section.begin,
                                                  m_file.tags.begin() + section.end);
                    break;
            }
        }
        if (!m_file.strayTags.empty()) {
            report(m_file.tags[m_file.strayTags.front()],
                   std::to_string(m_file.strayTags.size()) +
                       " group(s) outside any section are dropped");
        }
        resolveOwners();
        // Freed before the name references take their memory.
        std::vector<std::pair<OdDbStub*, OdUInt64>>().swap(m_owners);
        resolveNames();
        fixHandles();
        // New objects take handles from $HANDSEED on, never below it.
        if (const HeaderVar* seed = m_db.headerVar("HANDSEED")) {
            uint64_t next = 0;
            if (!seed->values.empty() && kvdxf::parseHandle(seed->values.front().value(), next) &&
                next > m_db.maxHandle + 1) {
                m_db.maxHandle = next - 1;
            }
        }
    }

private:
    DatabaseImpl& m_db;
    const kvdxf::DxfFile& m_file;
    size_t m_slot = 0;  // the section being read

    std::vector<OdDbStub*>& items() { return m_db.layout[m_slot].items; }
    std::vector<OdDbStub*> m_all;                            // every object read, in file order
    std::vector<std::pair<OdDbStub*, OdUInt64>> m_owners;    // owner handles to resolve
    std::vector<std::pair<OdDbStub*, OdUInt64>> m_renumber;  // objects that lost their handle

    void report(const Tag& tag, const std::string& message)
    {
        const auto where = m_file.locate(tag);
        m_db.messages.push_back(m_file.path + ":" + std::to_string(where.line) + ": " + message);
    }

    size_t nextObject(size_t i, size_t end) const
    {
        ++i;
        while (i < end && m_file.tags[i].code != 0) {
            ++i;
        }
        return i;
    }

    // The handle of an object: its first 5 (105 for dimension styles, whose 5 is an arrow block
    // in R12) before its own data starts. Some writers put it after the common entity groups.
    static OdUInt64 handleOf(const Tag* tags, size_t count)
    {
        const int code = tags[0].value() == "DIMSTYLE" ? 105 : 5;
        for (size_t i = 1; i < count; ++i) {
            if (tags[i].code == 1001 || (tags[i].code == 100 && tags[i].value() != "AcDbEntity")) {
                break;
            }
            if (tags[i].code == code) {
                uint64_t handle = 0;
                return kvdxf::parseHandle(tags[i].value(), handle) ? handle : 0;
            }
        }
        return 0;
    }

    // The owner: the first 330 outside application groups, before the first marker.
    static OdUInt64 ownerOf(const Tag* tags, size_t count)
    {
        int depth = 0;
        for (size_t i = 1; i < count && tags[i].code != 100; ++i) {
            if (tags[i].code == 102) {
                depth += (!tags[i].value().empty() && tags[i].value()[0] == '{') ? 1 : -1;
                continue;
            }
            if (depth <= 0 && tags[i].code == 330) {
                uint64_t handle = 0;
                return kvdxf::parseHandle(tags[i].value(), handle) ? handle : 0;
            }
        }
        return 0;
    }

    OdDbObject* make(size_t first, size_t last, bool entity, std::string_view tableName,
                     Placement placement)
    {
        const Tag* tags = m_file.tags.data() + first;
        const size_t count = last - first;
        OdDbObject* object = createForDxfType(tags[0].value(), entity, tableName);
        ObjectData& data = dataOf(object);
        data.tags.assignView(tags, count);
        data.placement = placement;
        data.isNew = false;
        // Objects without a handle (R12 without handles) get one in memory only, as do objects
        // whose handle is taken.
        const OdUInt64 handle = handleOf(tags, count);
        OdDbStub* stub = m_db.newStub(handle);
        if (handle != 0 && stub->handle != handle) {
            report(tags[0], "duplicate handle " + kvdxf::formatHandle(handle) + " of " +
                                std::string(tags[0].value()) + "; the object gets a new handle");
            m_renumber.emplace_back(stub, handle);
        }
        stub->object = object;
        object->addRef();
        Access::setStub(object, stub);
        if (const OdUInt64 owner = ownerOf(tags, count)) {
            m_owners.emplace_back(stub, owner);
        }
        m_all.push_back(stub);
        return object;
    }

    void loadHeader(const kvdxf::Section& section)
    {
        HeaderVar* current = nullptr;
        for (size_t i = section.begin; i < section.end; ++i) {
            const Tag& tag = m_file.tags[i];
            if (tag.code == 9) {
                std::string_view name = tag.value();
                if (!name.empty() && name[0] == '$') {
                    name.remove_prefix(1);
                }
                m_db.header.push_back(HeaderVar{upper(name), m_slot, {}, nullptr, false});
                current = &m_db.header.back();
            } else if (current != nullptr) {
                current->values.push_back(tag);
            }
        }
    }

    void loadTables(const kvdxf::Section& section)
    {
        OdDbStub* table = nullptr;
        std::string tableName;
        for (size_t i = section.begin; i < section.end;) {
            const size_t next = nextObject(i, section.end);
            const std::string_view type = m_file.tags[i].value();
            if (m_file.tags[i].code != 0) {
                i = next;
                continue;
            }
            if (type == "TABLE") {
                tableName.clear();
                for (size_t k = i + 1; k < next; ++k) {
                    if (m_file.tags[k].code == 2) {
                        tableName = upper(m_file.tags[k].value());
                        break;
                    }
                }
                OdDbObject* object = make(i, next, false, tableName, Placement::Table);
                table = Access::stub(object);
                items().push_back(table);
                m_db.tableInfo[table];
                setStandardTable(tableName, table);
            } else if (type == "ENDTAB") {
                if (table != nullptr) {
                    m_db.endtabs[table].assign(m_file.tags.begin() + i, m_file.tags.begin() + next);
                }
                table = nullptr;
            } else {
                OdDbObject* object = make(i, next, false, tableName, Placement::TableRecord);
                if (table != nullptr) {
                    dataOf(object).owner = table;
                    dataOf(table->object).children.push_back(Access::stub(object));
                    m_db.indexRecord(table, Access::stub(object));
                }
            }
            i = next;
        }
    }

    void setStandardTable(const std::string& name, OdDbStub* table)
    {
        OdDbStub** slot = nullptr;
        if (name == "LAYER") {
            slot = &m_db.layerTable;
        } else if (name == "LTYPE") {
            slot = &m_db.linetypeTable;
        } else if (name == "STYLE") {
            slot = &m_db.styleTable;
        } else if (name == "DIMSTYLE") {
            slot = &m_db.dimstyleTable;
        } else if (name == "BLOCK_RECORD") {
            slot = &m_db.blockTable;
        } else if (name == "VPORT") {
            slot = &m_db.vportTable;
        } else if (name == "APPID") {
            slot = &m_db.appidTable;
        } else if (name == "VIEW") {
            slot = &m_db.viewTable;
        } else if (name == "UCS") {
            slot = &m_db.ucsTable;
        }
        if (slot != nullptr && *slot == nullptr) {
            *slot = table;
        }
    }

public:
    // A block record for a block that has none (R12 files, damaged files). It is not written.
    static OdDbStub* syntheticBlock(DatabaseImpl& db, std::string_view name)
    {
        if (db.blockTable == nullptr) {
            OdDbObject* table = createForDxfType("TABLE", false, "BLOCK_RECORD");
            ObjectData& data = dataOf(table);
            std::vector<Tag>& tags = data.tags.edit();
            tags.push_back(Tag{"TABLE", 5, 0});
            tags.push_back(Tag{"BLOCK_RECORD", 12, 2});
            data.tags.sync();
            data.synthetic = true;
            data.isNew = false;
            OdDbStub* stub = db.newStub(0);
            stub->object = table;
            table->addRef();
            Access::setStub(table, stub);
            db.blockTable = stub;
            db.tableInfo[stub];
        }
        OdDbObject* record = createForDxfType("BLOCK_RECORD", false, "BLOCK_RECORD");
        ObjectData& data = dataOf(record);
        std::vector<Tag>& tags = data.tags.edit();
        tags.push_back(Tag{"BLOCK_RECORD", 12, 0});
        const std::string_view stored = db.store(name);
        tags.push_back(Tag{stored.data(), static_cast<uint32_t>(stored.size()), 2});
        data.tags.sync();
        data.synthetic = true;
        data.isNew = false;
        data.placement = Placement::TableRecord;
        data.owner = db.blockTable;
        OdDbStub* stub = db.newStub(0);
        stub->object = record;
        record->addRef();
        Access::setStub(record, stub);
        dataOf(db.blockTable->object).children.push_back(stub);
        db.indexRecord(db.blockTable, stub);
        return stub;
    }

private:
    OdDbStub* blockByName(std::string_view name)
    {
        OdDbStub* found = m_db.lookup(m_db.blockTable, m_db.decode(name));
        if (found != nullptr) {
            return found;
        }
        return syntheticBlock(m_db, name);
    }

    // Attributes follow a block reference that says so (66 = 1); vertices always follow an
    // old-style polyline; SEQEND closes the list.
    static bool expectsFollowers(const OdDbObject* object)
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

    void loadEntityList(size_t first, size_t last, OdDbStub* block, Placement placement,
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
                owner = getInt(entity, 67, 0) == 1 ? paperSpace() : modelSpace();
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

    OdDbStub* modelSpace()
    {
        if (OdDbStub* s = m_db.lookup(m_db.blockTable, OdString("*Model_Space"))) {
            return s;
        }
        if (OdDbStub* s = m_db.lookup(m_db.blockTable, OdString("$MODEL_SPACE"))) {
            return s;
        }
        return syntheticBlock(m_db, "*Model_Space");
    }

    OdDbStub* paperSpace()
    {
        if (OdDbStub* s = m_db.lookup(m_db.blockTable, OdString("*Paper_Space"))) {
            return s;
        }
        if (OdDbStub* s = m_db.lookup(m_db.blockTable, OdString("$PAPER_SPACE"))) {
            return s;
        }
        return syntheticBlock(m_db, "*Paper_Space");
    }

    void loadBlocks(const kvdxf::Section& section)
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
            if (!m_owners.empty() && m_owners.back().first == Access::stub(begin)) {
                block = m_db.stubOf(m_owners.back().second);
                if (block != nullptr &&
                    (block->object == nullptr ||
                     dataOf(block->object).placement != Placement::TableRecord)) {
                    block = nullptr;
                }
            }
            if (block == nullptr) {
                const int nameTag = findTag(begin, 2);
                block = blockByName(nameTag < 0 ? std::string_view()
                                                : dataOf(begin).tags[nameTag].value());
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
                report(m_file.tags[i], "block definition without ENDBLK");
            }
            items().push_back(block);
            m_db.blockEnds[block] = {Access::stub(begin), endStub};
            i = end;
        }
    }

    void loadEntities(const kvdxf::Section& section)
    {
        loadEntityList(section.begin, section.end, nullptr, Placement::Entity, &items(), true);
    }

    void loadObjects(const kvdxf::Section& section)
    {
        for (size_t i = section.begin; i < section.end;) {
            const size_t next = nextObject(i, section.end);
            if (m_file.tags[i].code == 0) {
                OdDbObject* object = make(i, next, false, {}, Placement::Object);
                items().push_back(Access::stub(object));
                if (m_db.namedObjects == nullptr &&
                    dataOf(object).tags[0].value() == "DICTIONARY") {
                    m_db.namedObjects = Access::stub(object);
                }
            }
            i = next;
        }
    }

    void resolveOwners()
    {
        for (const auto& [stub, handle] : m_owners) {
            ObjectData& data = dataOf(stub->object);
            OdDbStub* owner = m_db.stubOf(handle);
            if (data.owner != nullptr) {
                continue;
            }
            if (owner == nullptr || owner->object == nullptr) {
                if (data.placement == Placement::Entity) {
                    // An entity whose owner is missing goes to model space.
                    report(data.tags[0], "entity owner " + kvdxf::formatHandle(handle) +
                                             " does not exist; the entity goes to model space");
                    owner = modelSpace();
                } else {
                    continue;
                }
            }
            data.owner = owner;
            if (data.placement == Placement::Entity) {
                dataOf(owner->object).children.push_back(stub);
            }
        }
    }

    void resolveNames()
    {
        // Nothing changes the tables while the names are resolved.
        NameCache cache;
        for (OdDbStub* stub : m_all) {
            collectNameRefs(m_db, stub->object, &cache);
        }
        m_db.resolveHeaderRefs();
    }

    // Objects that lost a duplicate handle carry their new one in the file.
    void fixHandles()
    {
        for (const auto& entry : m_renumber) {
            OdDbObject* object = entry.first->object;
            for (size_t i = 1; i < dataOf(object).tags.size(); ++i) {
                const int code = dataOf(object).tags[i].code;
                if (code == 5 || code == 105) {
                    replaceValue(object, i, kvdxf::formatHandle(entry.first->handle));
                    break;
                }
            }
        }
        for (OdDbStub* stub : m_all) {
            Access::sync(stub->object);
        }
    }
};

}  // namespace

OdDbStub* makeSyntheticBlock(DatabaseImpl& db, std::string_view name)
{
    return Loader::syntheticBlock(db, name);
}

void loadDatabase(DatabaseImpl& db, std::unique_ptr<kvdxf::DxfFile> file)
{
    db.path = file->path;
    db.version = file->version;
    db.crlf = file->crlf;
    db.codec = kvdxf::TextCodec::forDrawing(file->version, file->codepage);
    for (const kvdxf::Diagnostic& d : file->diagnostics) {
        db.messages.push_back(d.toString());
    }
    db.file = std::move(file);
    // The database needs the values only; dropped before the objects take their memory, so that
    // the file's group code lines never count towards the peak.
    db.file->dropGroupCodeLines();
    Loader(db, *db.file).run();
    // Drawings older than AC1015 are written as AC1015.
    if (isOlderThanAc1015(db)) {
        upgradeToAc1015(db);
    }
}

}  // namespace kvdb
