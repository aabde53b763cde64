#include "Access.h"
#include "DatabaseImpl.h"
#include "DbClassFactory.h"
#include "DbLoader.h"
#include "TagOps.h"
#include "dxf/DxfNumbers.h"

#include <DbObject.h>
#include <DbSymbolTableRecord.h>

#include <string>

namespace kvdb {

namespace {

const char* const kBlockBegin = "AcDbBlockBegin";

// A block name no record has: "*U<n>" for anonymous blocks, "<name>_<n>" for others.
std::string unusedName(const DatabaseImpl& db, const std::string& base, bool anonymous)
{
    for (int n = anonymous ? 1 : 2;; ++n) {
        const std::string name =
            anonymous ? "*U" + std::to_string(n) : base + "_" + std::to_string(n);
        if (db.lookup(db.blockTable, db.decode(name)) == nullptr) {
            return name;
        }
    }
}

}  // namespace

OdDbStub* makeSyntheticBlock(DatabaseImpl& db, std::string_view name)
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
        stub->setObject(table);
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
    stub->setObject(record);
    record->addRef();
    Access::setStub(record, stub);
    dataOf(db.blockTable->object()).children.push_back(stub);
    db.indexRecord(db.blockTable, stub);
    return stub;
}

OdDbStub* recordForDefinition(DatabaseImpl& db, OdDbObject* begin, OdDbStub* found,
                              std::string& repair)
{
    if (found != nullptr && db.blockEnds.count(found) == 0) {
        return found;
    }
    const std::string oldName =
        found != nullptr
            ? db.encode(static_cast<OdDbSymbolTableRecord*>(found->object())->getName())
            : std::string();
    const bool anonymous = oldName.empty() || oldName[0] == '*';
    const std::string name = unusedName(db, oldName, anonymous);
    // The name goes where reading found it, so that the drawing read again finds it there.
    const int named = findTag(begin, 2);
    if (named >= 0) {
        replaceValue(begin, static_cast<size_t>(named), name);
    } else {
        setRaw(begin, 2, name, kBlockBegin);
    }
    const int again = findTag(begin, 3, kBlockBegin);
    if (again >= 0) {
        replaceValue(begin, static_cast<size_t>(again), name);
    }
    if (anonymous) {
        setInt(begin, 70, getInt(begin, 70, 0, kBlockBegin) | 1, kBlockBegin);
    }
    repair = (found == nullptr ? std::string("block definition without a name")
                               : "a second definition of block \"" + oldName + "\"") +
             "; it is named " + name;
    return makeSyntheticBlock(db, name);
}

int ownerTag(const OdDbObject* object)
{
    const TagList& tags = dataOf(object).tags;
    int depth = 0;
    for (size_t i = 1; i < tags.size() && tags[i].code != 100; ++i) {
        if (tags[i].code == 102) {
            depth += (!tags[i].value().empty() && tags[i].value()[0] == '{') ? 1 : -1;
        } else if (depth <= 0 && tags[i].code == 330) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void pointDefinitionAt(DatabaseImpl& db, OdDbStub* block)
{
    const auto ends = db.blockEnds.find(block);
    std::vector<OdDbStub*> parts = dataOf(block->object()).children;
    if (ends != db.blockEnds.end()) {
        parts.push_back(ends->second.first);
        parts.push_back(ends->second.second);
    }
    const std::string handle = kvdxf::formatHandle(block->handle);
    for (const OdDbStub* part : parts) {
        const int owner = part != nullptr ? ownerTag(part->object()) : -1;
        if (owner >= 0) {
            replaceValue(part->object(), static_cast<size_t>(owner), handle);
        }
    }
}

}  // namespace kvdb
