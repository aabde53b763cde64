#include "DbDefaults.h"

#include "Access.h"
#include "DatabaseImpl.h"
#include "DbClassFactory.h"
#include "DbLayouts.h"
#include "DbUpgrade.h"
#include "TagOps.h"
#include "dxf/DxfNumbers.h"

#include <DbDatabase.h>
#include <DbDictionary.h>
#include <DbObject.h>
#include <DbSymbolTableRecord.h>

#include <algorithm>
#include <unordered_map>

namespace kvdb {

namespace {

// The tables in the order files hold them, with the records every drawing has.
struct StandardTable
{
    const char* type;
    const char* noun;  // one record, in messages
    const char* plural;
    const char* names[3];
};
const StandardTable kStandardTables[] = {
    {"VPORT", "viewport", "viewports", {}},
    {"LTYPE", "line style", "line styles", {"ByBlock", "ByLayer", "Continuous"}},
    {"LAYER", "layer", "layers", {"0"}},
    {"STYLE", "text style", "text styles", {"Standard"}},
    {"VIEW", "view", "views", {}},
    {"UCS", "UCS", "UCSs", {}},
    {"APPID", "application", "applications", {"ACAD"}},
    {"DIMSTYLE", "dimension style", "dimension styles", {"Standard"}},
    {"BLOCK_RECORD", "block", "blocks", {"*Model_Space", "*Paper_Space"}},
};

size_t rankOf(const std::string& type)
{
    for (size_t i = 0; i < std::size(kStandardTables); ++i) {
        if (type == kStandardTables[i].type) {
            return i;
        }
    }
    return std::size(kStandardTables);
}

std::string tableType(const OdDbStub* table)
{
    const int name = findTag(table->object(), 2);
    return name < 0 ? std::string() : std::string(dataOf(table->object()).tags[name].value());
}

// Copies objects of the new-drawing template into a drawing. Handle groups of a copy point at
// the drawing's objects that stand for the template's (mapped or copied), or are null.
class TemplateCopier
{
public:
    explicit TemplateCopier(DatabaseImpl& db) : m_db(db) {}

    // Read only when something is missing, so that reading the template itself needs nothing.
    // The template's tables, their records and its named-objects dictionary stand for the
    // drawing's of the same kind and name.
    DatabaseImpl& source()
    {
        if (m_template.isNull()) {
            m_template = OdDbDatabase::createObject();
            DatabaseImpl& source = m_template->impl();
            for (const StandardTable& spec : kStandardTables) {
                const OdDbStub* table = source.tableFor(spec.type);
                OdDbStub* own = m_db.tableFor(spec.type);
                if (own == nullptr) {
                    continue;
                }
                map(table, own);
                for (const OdDbStub* record : dataOf(table->object()).children) {
                    const OdString name =
                        static_cast<OdDbSymbolTableRecord*>(record->object())->getName();
                    if (OdDbStub* ownRecord = m_db.lookup(own, name)) {
                        map(record, ownRecord);
                    }
                }
            }
            if (m_db.namedObjects != nullptr) {
                map(source.namedObjects, m_db.namedObjects);
            }
        }
        return m_template->impl();
    }

    void map(const OdDbStub* templateObject, OdDbStub* drawingObject)
    {
        m_map[templateObject->handle] = drawingObject;
    }

    // The drawing's object standing for a template object: made now if it is not yet, so that
    // objects copied together can point at each other.
    OdDbStub* reserve(const OdDbStub* templateObject)
    {
        OdDbStub*& stub = m_map[templateObject->handle];
        if (stub == nullptr) {
            stub = m_db.newStub(0);
        }
        return stub;
    }

    // A copy of a template object; with `fresh`, another copy beside the one the template's
    // object stands for.
    OdDbStub* copy(const OdDbStub* templateObject, Placement placement, OdDbStub* owner,
                   bool fresh = false)
    {
        OdDbStub* stub = fresh ? m_db.newStub(0) : reserve(templateObject);
        const TagList& tags = dataOf(templateObject->object()).tags;
        OdDbObject* object = createForDxfType(
            tags[0].value(), false, placement == Placement::Table ? tableType(templateObject) : "");
        ObjectData& data = dataOf(object);
        std::vector<Tag>& out = data.tags.edit();
        bool ownHandle = true;
        for (const Tag& tag : tags) {
            std::string text(tag.value());
            if (kvdxf::kindOf(tag.code) == kvdxf::ValueKind::Handle) {
                uint64_t handle = 0;
                kvdxf::parseHandle(text, handle);
                if (ownHandle && (tag.code == 5 || tag.code == 105)) {
                    ownHandle = false;
                    text = kvdxf::formatHandle(stub->handle);
                } else {
                    const auto it = m_map.find(handle);
                    text = it != m_map.end() ? kvdxf::formatHandle(it->second->handle) : "0";
                }
            }
            const std::string_view stored = m_db.store(text);
            out.push_back(Tag{stored.data(), static_cast<uint32_t>(stored.size()), tag.code});
        }
        data.tags.sync();
        data.placement = placement;
        data.owner = owner;
        data.isNew = false;
        stub->setObject(object);
        object->addRef();
        Access::setStub(object, stub);
        collectNameRefs(m_db, object);
        Access::sync(object);
        return stub;
    }

private:
    DatabaseImpl& m_db;
    OdDbDatabasePtr m_template;
    std::unordered_map<OdUInt64, OdDbStub*> m_map;
};

OdDbStub* addTable(DatabaseImpl& db, TemplateCopier& copier, const std::string& type)
{
    DatabaseImpl& source = copier.source();
    OdDbStub* table = copier.copy(source.tableFor(type), Placement::Table, nullptr);
    *db.tableSlot(type) = table;
    db.tableInfo[table];
    std::vector<OdDbStub*>& tables = db.sectionItems(SectionSlot::Tables);
    const size_t rank = rankOf(type);
    const auto at = std::find_if(tables.begin(), tables.end(), [&](const OdDbStub* other) {
        return other->object() != nullptr && rankOf(tableType(other)) > rank;
    });
    tables.insert(at, table);
    return table;
}

std::string quotedList(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "\"" : ", \"") + name + "\"";
    }
    return text;
}

class Supplier
{
public:
    explicit Supplier(DatabaseImpl& db) : m_db(db), m_copier(db) {}

    void tables()
    {
        for (const StandardTable& spec : kStandardTables) {
            OdDbStub* table = m_db.tableFor(spec.type);
            bool tableAdded = false;
            if (table != nullptr && table == m_db.blockTable) {
                adoptBlocks();
            } else if (table == nullptr) {
                table = addTable(m_db, m_copier, spec.type);
                tableAdded = true;
            }
            const std::vector<std::string> names = records(spec, table);
            const std::string what =
                std::string(names.size() == 1 ? spec.noun : spec.plural) + " " + quotedList(names);
            if (tableAdded) {
                report(std::string("the drawing has no ") + spec.type + " table; it is added" +
                       (names.empty() ? std::string() : " with its " + what));
            } else if (!names.empty()) {
                report("the drawing has no " + what +
                       (names.size() == 1 ? "; it is added" : "; they are added"));
            }
        }
    }

    // The named-objects dictionary, its groups and its layouts, linked to the layout blocks.
    void namedObjects(bool expected)
    {
        DatabaseImpl& source = m_copier.source();
        OdDbDictionaryPtr templateRoot = OdDbDictionary::cast(source.namedObjects->object()).get();
        const OdDbStub* groups = templateRoot->getAt(OdString("ACAD_GROUP")).stub();
        const OdDbStub* layouts = templateRoot->getAt(OdString("ACAD_LAYOUT")).stub();
        std::vector<OdDbStub*>& objects = m_db.sectionItems(SectionSlot::Objects);
        std::vector<const OdDbStub*> copies;
        if (m_db.namedObjects == nullptr) {
            copies = {source.namedObjects, groups, layouts};
            if (expected) {
                report(
                    "the drawing has no named-objects dictionary; it is added with its "
                    "groups and layouts");
            }
        } else {
            m_copier.map(source.namedObjects, m_db.namedObjects);
            const OdDbDictionaryPtr root = OdDbDictionary::cast(m_db.namedObjects->object());
            if (root.isNull()) {
                return;
            }
            if (root->getAt(OdString("ACAD_GROUP")).isNull()) {
                copies.push_back(groups);
                addEntry(m_db.namedObjects, "ACAD_GROUP", m_copier.reserve(groups));
            }
            if (root->getAt(OdString("ACAD_LAYOUT")).isNull()) {
                copies.push_back(layouts);
                addEntry(m_db.namedObjects, "ACAD_LAYOUT", m_copier.reserve(layouts));
                if (expected) {
                    report("the drawing has no layouts; \"Model\" and \"Layout1\" are added");
                }
            }
        }
        if (std::find(copies.begin(), copies.end(), layouts) != copies.end()) {
            for (OdDbDictionaryIteratorPtr it =
                     OdDbDictionary::cast(layouts->object())->newIterator(false);
                 !it->done(); it->next()) {
                copies.push_back(it->objectId().stub());
            }
        }
        for (const OdDbStub* copy : copies) {
            m_copier.reserve(copy);
        }
        for (const OdDbStub* copy : copies) {
            const OdDbStub* owner = dataOf(copy->object()).owner;
            OdDbStub* made = m_copier.copy(copy, Placement::Object,
                                           owner != nullptr ? m_copier.reserve(owner) : nullptr);
            if (copy == source.namedObjects) {
                m_db.namedObjects = made;
                objects.insert(objects.begin(), made);
            } else {
                objects.push_back(made);
            }
            // The layout blocks name their layouts.
            OdDbStub* record = m_db.stubOf(getHandle(made->object(), 330, "AcDbLayout"));
            if (record != nullptr && record->object() != nullptr) {
                setRaw(record->object(), 340, kvdxf::formatHandle(made->handle),
                       "AcDbBlockTableRecord");
            }
        }
    }

    // Layers that entities name but the drawing lacks, made as layer "0" is, as CAD programs do.
    void namedLayers()
    {
        std::vector<std::string> names;  // as the file spells them, each once
        for (const std::string_view name : m_db.unresolvedLayerNames) {
            if (std::find(names.begin(), names.end(), name) == names.end() &&
                m_db.lookup(m_db.layerTable, m_db.decode(name)) == nullptr) {
                names.emplace_back(name);
            }
        }
        std::vector<std::string_view>().swap(m_db.unresolvedLayerNames);
        if (names.empty()) {
            return;
        }
        DatabaseImpl& source = m_copier.source();
        const OdDbStub* zero = source.lookup(source.layerTable, OdString("0"));
        for (const std::string& name : names) {
            OdDbStub* layer = m_copier.copy(zero, Placement::TableRecord, m_db.layerTable, true);
            replaceValue(layer->object(), static_cast<size_t>(findTag(layer->object(), 2)), name);
            dataOf(m_db.layerTable->object()).children.push_back(layer);
            m_db.indexRecord(m_db.layerTable, layer);
        }
        report("the drawing has no " + std::string(names.size() == 1 ? "layer " : "layers ") +
               quotedList(names) + ", which its entities name; " +
               (names.size() == 1 ? "it is added" : "they are added"));
    }

private:
    DatabaseImpl& m_db;
    TemplateCopier m_copier;

    void report(const std::string& message)
    {
        if (!message.empty()) {
            m_db.messages.push_back(m_db.path + ": " + message);
        }
    }

    // Block records made up for the blocks the file defines without them.
    void adoptBlocks()
    {
        const bool synthetic = dataOf(m_db.blockTable->object()).synthetic;
        const std::vector<std::string> adopted = adoptBlockTable(m_db);
        if (synthetic) {
            report(
                "the drawing has no BLOCK_RECORD table; it is made from the blocks the "
                "drawing defines");
        } else if (!adopted.empty()) {
            report("the drawing has no block records for the blocks " + quotedList(adopted) +
                   "; they are added");
        }
    }

    // Adds an entry at the end of the dictionary's own groups.
    static void addEntry(OdDbStub* dictionary, const char* key, OdDbStub* value)
    {
        OdDbObject* object = dictionary->object();
        std::pair<size_t, size_t> scope = subclassScope(object, "AcDbDictionary");
        if (scope.first == 0) {
            // Its marker is damaged: the entry goes under one of its own.
            const size_t at = xdataStart(dataOf(object).tags);
            insertTag(object, at, 100, "AcDbDictionary");
            scope = {at + 1, at + 1};
        }
        insertTag(object, scope.second, 3, key);
        insertTag(object, scope.second + 1, 350, kvdxf::formatHandle(value->handle));
    }

    // Copies the standard records the table lacks; their names.
    std::vector<std::string> records(const StandardTable& spec, OdDbStub* table)
    {
        std::vector<std::string> added;
        for (const char* name : spec.names) {
            if (name == nullptr || m_db.lookup(table, OdString(name)) != nullptr) {
                continue;
            }
            DatabaseImpl& source = m_copier.source();
            const OdDbStub* model = source.lookup(source.tableFor(spec.type), OdString(name));
            OdDbStub* record = m_copier.copy(model, Placement::TableRecord, table);
            dataOf(table->object()).children.push_back(record);
            m_db.indexRecord(table, record);
            if (table == m_db.blockTable) {
                registerNewBlock(m_db, record);
            }
            added.emplace_back(name);
        }
        return added;
    }
};

}  // namespace

void supplyWhatEveryDrawingHas(DatabaseImpl& db)
{
    Supplier supplier(db);
    supplier.tables();
    supplier.namedLayers();
    const OdDbDictionaryPtr root =
        db.namedObjects != nullptr ? OdDbDictionary::cast(db.namedObjects->object()) : nullptr;
    if (root.isNull() || root->getAt(OdString("ACAD_GROUP")).isNull() ||
        root->getAt(OdString("ACAD_LAYOUT")).isNull()) {
        supplier.namedObjects(!isOlderThanAc1015(db));
    }
    repairLayoutLinks(db);
}

OdDbStub* addStandardTable(DatabaseImpl& db, const std::string& recordType)
{
    TemplateCopier copier(db);
    return addTable(db, copier, recordType);
}

}  // namespace kvdb
