#include "DbLoader.h"

#include "Access.h"
#include "DatabaseImpl.h"
#include "DbClassFactory.h"
#include "DbDefaults.h"
#include "DbUpgrade.h"
#include "Loader.h"
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

std::string upperCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

void Loader::run()
{
    // Objects without a handle get one above every handle of the file, so that they never
    // take the handle of an object read later. The same pass counts the objects, so that the
    // lists of every object are allocated once.
    size_t objects = 0;
    for (const kvdxf::Section& section : m_file.sections) {
        if (upperCase(section.name) == "HEADER") {
            continue;  // $HANDSEED is not the handle of an object
        }
        for (size_t i = section.begin; i < section.end; ++i) {
            const Tag& tag = m_file.tags[i];
            uint64_t handle = 0;
            if (tag.code == 0 || tag.code == kvdxf::kCondensedCode) {
                ++objects;
            } else if ((tag.code == 5 || tag.code == 105) &&
                       kvdxf::parseHandle(tag.value(), handle) && handle > m_db.maxHandle &&
                       handle < (uint64_t(1) << 62)) {
                m_db.maxHandle = handle;
            }
        }
    }
    if (m_condenser.maxHandle() > m_db.maxHandle) {
        m_db.maxHandle = m_condenser.maxHandle();
    }
    m_all.reserve(objects - m_db.unreadObjects);
    m_owners.reserve(objects);
    m_db.byHandle.reserve(objects);
    m_layerMet.resize(m_condenser.layerNames());
    // Each section's place in the layout, in file order.
    std::vector<std::pair<const kvdxf::Section*, size_t>> places;
    for (const kvdxf::Section& section : m_file.sections) {
        SectionSlot slot;
        slot.name = section.name;
        const std::string name = upperCase(section.name);
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
            places.emplace_back(&section, static_cast<size_t>(first - m_db.layout.begin()));
            report(m_file.tags[section.begin > 0 ? section.begin - 1 : 0],
                   "a second " + name + " section is merged into the first");
        } else {
            m_db.layout.push_back(std::move(slot));
            places.emplace_back(&section, m_db.layout.size() - 1);
        }
    }
    // Tables are read before the blocks and entities that name their records, whatever the
    // order of the file (which is written back as it was).
    std::stable_sort(places.begin(), places.end(), [&](const auto& a, const auto& b) {
        return m_db.layout[a.second].kind < m_db.layout[b.second].kind;
    });
    for (const auto& [section, slot] : places) {
        m_slot = slot;
        switch (m_db.layout[m_slot].kind) {
            case SectionSlot::Header:
                loadHeader(*section);
                break;
            case SectionSlot::Tables:
                loadTables(*section);
                break;
            case SectionSlot::Blocks:
                loadBlocks(*section);
                break;
            case SectionSlot::Entities:
                loadEntities(*section);
                break;
            case SectionSlot::Objects:
                loadObjects(*section);
                break;
            case SectionSlot::Raw:
                m_db.layout[m_slot].raw.assign(m_file.tags.begin() + section->begin,
                                               m_file.tags.begin() + section->end);
                break;
        }
    }
    if (!m_file.strayTags.empty()) {
        report(
            m_file.tags[m_file.strayTags.front()],
            std::to_string(m_file.strayTags.size()) + " group(s) outside any section are dropped");
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

kvdxf::DxfFile::Location Loader::locate(const OdDbStub* stub, const Tag& type) const
{
    if (stub != nullptr && stub->resident() == nullptr && stub->unread.inFile) {
        return m_file.locateOffset(stub->unread.offset);
    }
    return m_file.locate(type);
}

void Loader::report(const Tag& tag, const std::string& message)
{
    report(m_file.locate(tag), message);
}

void Loader::report(const kvdxf::DxfFile::Location& where, const std::string& message)
{
    kvdxf::Diagnostic repair;
    repair.file = m_file.path;
    repair.line = where.line;
    repair.offset = where.offset;
    repair.message = message;
    m_db.messages.push_back(repair.toString());
}

size_t Loader::nextObject(size_t i, size_t end) const
{
    ++i;
    while (i < end && m_file.tags[i].code != 0 && m_file.tags[i].code != kvdxf::kCondensedCode) {
        ++i;
    }
    return i;
}

int Loader::handleCode(const Tag& type, bool record)
{
    return record && type.value() == "DIMSTYLE" ? 105 : 5;
}

size_t Loader::handleTag(const Tag* tags, size_t count, bool record)
{
    const int code = handleCode(tags[0], record);
    for (size_t i = 1; i < count; ++i) {
        if (tags[i].code == 1001 || (tags[i].code == 100 && tags[i].value() != "AcDbEntity")) {
            break;
        }
        if (tags[i].code == code) {
            return i;
        }
    }
    return 0;
}

OdUInt64 Loader::ownerOf(const Tag* tags, size_t count)
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

void Loader::number(OdDbStub* stub, OdUInt64 handle, const Tag* type)
{
    // Objects without a handle (R12 without handles) get one in memory only, as do objects
    // whose handle is taken.
    m_db.giveHandle(stub, handle);
    const bool taken = handle != 0 && stub->handle != handle;
    const bool missing = handle == 0 && m_keepsHandles;
    if (!taken && !missing) {
        return;
    }
    const Tag typeTag = type != nullptr ? *type : typeTagOf(stub);
    if (taken) {
        report(locate(stub, typeTag), "duplicate handle " + kvdxf::formatHandle(handle) + " of " +
                                          std::string(typeTag.value()) +
                                          "; the object gets a new handle");
        m_renumber.push_back(stub);
    } else {
        // Its new handle goes into the file, so that it keeps it when read again.
        if (m_unnumbered.empty()) {
            m_firstUnnumbered = typeTag;
            m_firstUnnumberedAt = locate(stub, typeTag);
        }
        m_unnumbered.push_back(stub);
    }
}

OdDbObject* Loader::make(size_t first, size_t last, bool entity, std::string_view tableName,
                         Placement placement)
{
    const Tag* tags = m_file.tags.data() + first;
    const size_t count = last - first;
    OdDbObject* object = createForDxfType(tags[0].value(), entity, tableName);
    ObjectData& data = dataOf(object);
    data.tags.assignView(tags, count);
    data.placement = placement;
    data.isNew = false;
    const size_t at = handleTag(tags, count, placement == Placement::TableRecord);
    uint64_t handle = 0;
    if (at != 0 && !kvdxf::parseHandle(tags[at].value(), handle)) {
        handle = 0;
    }
    OdDbStub* stub = m_db.addStub();
    number(stub, handle, &tags[0]);
    stub->setObject(object);
    object->addRef();
    Access::setStub(object, stub);
    if (const OdUInt64 owner = ownerOf(tags, count)) {
        m_owners.emplace_back(stub, owner);
    }
    m_all.push_back(stub);
    return object;
}

void Loader::loadHeader(const kvdxf::Section& section)
{
    HeaderVar* current = nullptr;
    for (size_t i = section.begin; i < section.end; ++i) {
        const Tag& tag = m_file.tags[i];
        if (tag.code == 9) {
            std::string_view name = tag.value();
            if (!name.empty() && name[0] == '$') {
                name.remove_prefix(1);
            }
            m_db.header.push_back(HeaderVar{upperCase(name), m_slot, {}, nullptr, false});
            current = &m_db.header.back();
        } else if (current != nullptr) {
            current->values.push_back(tag);
        }
    }
}

void Loader::loadTables(const kvdxf::Section& section)
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
                    tableName = upperCase(m_file.tags[k].value());
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
            if (OdDbStub* owner = tableOfRecord(std::string(type), table, m_file.tags[i])) {
                dataOf(object).owner = owner;
                dataOf(owner->object()).children.push_back(Access::stub(object));
                if (OdDbSymbolTableRecord::cast(object).get() != nullptr) {
                    m_db.indexRecord(owner, Access::stub(object));
                }
            } else {
                dataOf(object).erased = true;  // nothing finds or writes what was dropped
            }
        }
        i = next;
    }
}

OdDbStub* Loader::tableOfRecord(const std::string& kind, OdDbStub* current, const Tag& tag)
{
    if (m_db.tableSlot(kind) == nullptr) {
        if (current != nullptr && m_db.tableSlot(tableNameOf(current)) == nullptr) {
            return current;
        }
        report(tag, kind +
                        (current == nullptr ? std::string(" outside any table")
                                            : " in the " + tableNameOf(current) + " table") +
                        " is no table record; it is dropped");
        return nullptr;
    }
    if (current != nullptr && tableNameOf(current) == kind) {
        return current;
    }
    OdDbStub* own = m_db.tableFor(kind);
    if (own == nullptr) {
        own = addStandardTable(m_db, kind);
    }
    report(tag, kind + " record outside its table; it goes to the " + kind + " table");
    return own;
}

std::string Loader::tableNameOf(const OdDbStub* table)
{
    const int name = findTag(table->object(), 2);
    return name < 0 ? std::string() : upperCase(dataOf(table->object()).tags[name].value());
}

void Loader::setStandardTable(const std::string& name, OdDbStub* table)
{
    OdDbStub** slot = m_db.tableSlot(name);
    if (slot != nullptr && *slot == nullptr) {
        *slot = table;
    }
}

void Loader::resolveOwners()
{
    for (const auto& [stub, handle] : m_owners) {
        OdDbStub* owner = m_db.stubOf(handle);
        if (ownerOf(stub) != nullptr) {
            continue;
        }
        const bool entity = placementOf(stub) == Placement::Entity;
        // Unread objects are entities, never blocks.
        const OdDbObject* ownerObject = owner != nullptr ? owner->resident() : nullptr;
        if (!isLive(owner) ||
            (entity && OdDbBlockTableRecord::cast(ownerObject).get() == nullptr)) {
            if (!entity) {
                continue;
            }
            // An entity whose owner is missing or no block goes to model space, in the file
            // too.
            report(locate(stub, typeTagOf(stub)),
                   "entity owner " + kvdxf::formatHandle(handle) +
                       " is no block of the drawing; the entity goes to model "
                       "space");
            owner = layoutBlock(false);
            const int tag = ownerTag(stub->object());
            if (tag >= 0) {
                replaceValue(stub->object(), static_cast<size_t>(tag),
                             kvdxf::formatHandle(owner->handle));
            }
        }
        setOwner(stub, owner);
        if (entity) {
            childrenOf(owner).push_back(stub);
        }
    }
}

void Loader::resolveNames()
{
    // Nothing changes the tables while the names are resolved.
    NameCache cache;
    auto unread = m_unreadLayerNames.begin();
    for (size_t i = 0; i <= m_all.size(); ++i) {
        for (; unread != m_unreadLayerNames.end() && unread->first == i; ++unread) {
            m_db.unresolvedLayerNames.push_back(unread->second);
        }
        if (i == m_all.size()) {
            break;
        }
        OdDbObject* object = m_all[i]->object();
        collectNameRefs(m_db, object, &cache);
        const ObjectData& data = dataOf(object);
        for (const NameRef& ref : data.refs) {
            const std::string_view name = data.tags[ref.tag].value();
            if (ref.role == RefRole::Layer && ref.target == nullptr && !name.empty()) {
                m_db.unresolvedLayerNames.push_back(name);
            }
        }
    }
    std::vector<std::pair<size_t, std::string_view>>().swap(m_unreadLayerNames);
}

void Loader::fixHandles()
{
    if (!m_unnumbered.empty()) {
        report(m_firstUnnumberedAt,
               std::to_string(m_unnumbered.size()) +
                   (m_unnumbered.size() == 1 ? " object has" : " objects have") +
                   " no handle (the first a " + std::string(m_firstUnnumbered.value()) +
                   "); each gets a new one");
    }
    for (const std::vector<OdDbStub*>* list : {&m_renumber, &m_unnumbered}) {
        for (OdDbStub* stub : *list) {
            OdDbObject* object = stub->object();
            const TagList& tags = dataOf(object).tags;
            const std::string handle = kvdxf::formatHandle(stub->handle);
            const bool record = dataOf(object).placement == Placement::TableRecord;
            if (const size_t at = handleTag(&tags[0], tags.size(), record)) {
                replaceValue(object, at, handle);
            } else {
                insertTag(object, 1, handleCode(tags[0], record), handle);
            }
        }
    }
    for (OdDbStub* stub : m_all) {
        Access::sync(stub->object());
    }
}

namespace {

// Names of records the drawing lacked until they were supplied (layer "0" of a drawing without a
// LAYER table) find them.
void resolveSuppliedNames(DatabaseImpl& db)
{
    // Objects not read yet find them when they are read.
    for (OdDbStub& stub : db.stubs) {
        const OdDbObject* object = stub.resident();
        if (object == nullptr || Access::state(object).unreadBytes != nullptr) {
            continue;
        }
        ObjectData& data = dataOf(object);
        for (NameRef& ref : data.refs) {
            if (ref.target == nullptr) {
                ref.target =
                    db.lookup(db.tableForRole(ref.role), db.decode(data.tags[ref.tag].value()));
            }
        }
    }
}

}  // namespace

void loadDatabase(DatabaseImpl& db, std::unique_ptr<kvdxf::DxfFile> file,
                  const FileCondenser& condenser)
{
    db.path = file->path;
    db.version = file->version;
    db.crlf = file->crlf;
    db.codec = kvdxf::TextCodec::forDrawing(file->version, file->codepage);
    for (const kvdxf::Diagnostic& d : file->diagnostics) {
        db.messages.push_back(d.toString());
    }
    db.file = std::move(file);
    Loader(db, *db.file, condenser).run();
    // Drawings older than AC1015 are written as AC1015, every object rebuilt.
    if (isOlderThanAc1015(db)) {
        db.readAll();
        upgradeToAc1015(db);
    }
    const size_t repairs = db.messages.size();
    supplyWhatEveryDrawingHas(db);
    if (db.messages.size() != repairs) {
        resolveSuppliedNames(db);
    }
    // The header variables that name records, once the drawing has every record it gets.
    db.resolveHeaderRefs();
    // Dimension styles that name no text style use Standard, which may have just been added.
    if (db.dimstyleTable != nullptr) {
        for (OdDbStub* style : dataOf(db.dimstyleTable->object()).children) {
            Access::sync(style->object());
        }
    }
    db.loaded = true;
}

}  // namespace kvdb
