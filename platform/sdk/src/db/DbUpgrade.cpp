#include "DbUpgrade.h"

#include "Access.h"
#include "DatabaseImpl.h"
#include "DbClassFactory.h"
#include "DbLoader.h"
#include "DbUpgradeObjects.h"
#include "TagOps.h"
#include "dxf/DxfNumbers.h"

#include <DbObject.h>
#include <DbSymbolTableRecord.h>

#include <algorithm>
#include <cctype>

namespace kvdb {

namespace {

constexpr const char* kUpgradeVersion = "AC1015";

// Whether a version string is a release number ("AC1009", "AC1014"). Releases before R10 wrote
// other forms ("AC2.10"); files without a version are R12 or older.
bool isReleaseNumber(const std::string& version)
{
    return version.size() == 6 && version.compare(0, 2, "AC") == 0 &&
           std::all_of(version.begin() + 2, version.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

OdDbStub* ensureBlock(DatabaseImpl& db, const char* name)
{
    if (OdDbStub* block = db.lookup(db.blockTable, OdString(name))) {
        return block;
    }
    OdDbStub* block = makeSyntheticBlock(db, name);
    registerNewBlock(db, block);
    return block;
}

}  // namespace

std::vector<std::string> adoptBlockTable(DatabaseImpl& db)
{
    std::vector<std::string> adopted;
    OdDbStub* blockTable = db.blockTable;
    if (blockTable == nullptr) {
        return adopted;
    }
    std::vector<OdDbStub*>& tables = db.sectionItems(SectionSlot::Tables);
    const bool inFile = std::find(tables.begin(), tables.end(), blockTable) != tables.end();
    if (!inFile) {
        upgradeTable(db, blockTable->object());
        dataOf(blockTable->object()).synthetic = false;
        dataOf(blockTable->object()).placement = Placement::Table;
        tables.push_back(blockTable);
    }
    for (OdDbStub* block : std::vector<OdDbStub*>(dataOf(blockTable->object()).children)) {
        ObjectData& data = dataOf(block->object());
        // A table made up while reading takes all its records into the file; a table of the
        // file only those of blocks the file defines and those of model and paper space, which
        // every drawing has (a block only named stays made up).
        if (data.synthetic &&
            (!inFile || db.blockEnds.count(block) != 0 || db.isPermanentRecord(block))) {
            data.synthetic = false;
            upgradeBlockRecord(db, block->object(), blockTable);
            if (inFile) {
                adopted.push_back(
                    db.encode(static_cast<OdDbSymbolTableRecord*>(block->object())->getName()));
            }
        }
        // Every block record has its BLOCK and ENDBLK in the file.
        if (db.blockEnds.count(block) == 0 && !data.synthetic) {
            registerNewBlock(db, block);
        }
    }
    return adopted;
}

bool isObjectBased(const std::string& version)
{
    return isReleaseNumber(version) && version >= "AC1012";
}

bool isOlderThanAc1015(const DatabaseImpl& db)
{
    return !isReleaseNumber(db.version) || db.version < kUpgradeVersion;
}

void upgradeToAc1015(DatabaseImpl& db)
{
    auto setHeader = [&](const char* name, int code, const std::string& value) {
        HeaderVar* var = db.headerVar(name);
        const std::string_view stored = db.store(value);
        const Tag tag{stored.data(), static_cast<uint32_t>(stored.size()), code};
        if (var == nullptr) {
            db.sectionItems(SectionSlot::Header);
            size_t slot = 0;
            for (size_t i = 0; i < db.layout.size(); ++i) {
                if (db.layout[i].kind == SectionSlot::Header) {
                    slot = i;
                    break;
                }
            }
            HeaderVar added;
            added.name = name;
            added.slot = slot;
            added.values.push_back(tag);
            // The version goes first, as every writer puts it.
            db.header.insert(std::string(name) == "ACADVER" ? db.header.begin() : db.header.end(),
                             added);
        } else if (var->values.empty()) {
            var->values.push_back(tag);
        } else {
            var->values[0] = tag;
        }
    };
    const bool structured = isObjectBased(db.version);
    setHeader("ACADVER", 1, kUpgradeVersion);
    if (structured) {
        if (db.dimstyleTable != nullptr) {
            for (OdDbStub* style : dataOf(db.dimstyleTable->object()).children) {
                upgradeDimStyleVariables(db, style->object());
            }
        }
        return;
    }
    if (db.headerVar("DWGCODEPAGE") == nullptr) {
        setHeader("DWGCODEPAGE", 3, "ANSI_1252");
    }
    if (db.headerVar("HANDSEED") == nullptr) {
        setHeader("HANDSEED", 5, "1");  // raised above every handle when written
    }

    // A CLASSES section follows the header.
    const bool hasClasses = std::any_of(db.layout.begin(), db.layout.end(), [](const auto& s) {
        return s.kind == SectionSlot::Raw && s.name == "CLASSES";
    });
    if (!hasClasses) {
        SectionSlot classes;
        classes.kind = SectionSlot::Raw;
        classes.name = "CLASSES";
        size_t at = 0;
        while (at < db.layout.size() && db.layout[at].kind != SectionSlot::Header) {
            ++at;
        }
        at = at < db.layout.size() ? at + 1 : 0;
        for (HeaderVar& var : db.header) {
            if (var.slot >= at) {
                ++var.slot;
            }
        }
        db.layout.insert(db.layout.begin() + static_cast<std::ptrdiff_t>(at), std::move(classes));
    }

    // Blocks: R12 names model and paper space "$MODEL_SPACE" and "$PAPER_SPACE".
    if (db.blockTable != nullptr) {
        for (OdDbStub* block : dataOf(db.blockTable->object()).children) {
            OdDbSymbolTableRecord* record = static_cast<OdDbSymbolTableRecord*>(block->object());
            const OdString name = record->getName();
            const char* renamed = name.iCompare(OdString("$MODEL_SPACE")) == 0   ? "*Model_Space"
                                  : name.iCompare(OdString("$PAPER_SPACE")) == 0 ? "*Paper_Space"
                                                                                 : nullptr;
            if (renamed != nullptr) {
                db.unindexRecord(db.blockTable, block, name);
                replaceValue(record, static_cast<size_t>(findTag(record, 2)), renamed);
                db.indexRecord(db.blockTable, block);
                const auto ends = db.blockEnds.find(block);
                if (ends != db.blockEnds.end() && ends->second.first != nullptr) {
                    OdDbObject* begin = ends->second.first->object();
                    for (int code : {2, 3}) {
                        const int i = findTag(begin, code);
                        if (i >= 0) {
                            replaceValue(begin, static_cast<size_t>(i), renamed);
                        }
                    }
                }
            }
        }
    }
    ensureBlock(db, "*Model_Space");
    ensureBlock(db, "*Paper_Space");

    // Tables and their records.
    std::vector<OdDbStub*>& tables = db.sectionItems(SectionSlot::Tables);
    for (OdDbStub* table : tables) {
        upgradeTable(db, table->object());
        for (OdDbStub* record : dataOf(table->object()).children) {
            upgradeRecord(db, record->object(), table);
        }
    }
    adoptBlockTable(db);
    OdDbStub* blockTable = db.blockTable;

    // Entities, with their owners.
    for (OdDbStub* block : dataOf(blockTable->object()).children) {
        const auto ends = db.blockEnds.find(block);
        if (ends != db.blockEnds.end()) {
            upgradeEntity(db, ends->second.first->object(), block);
            if (ends->second.second != nullptr) {
                upgradeEntity(db, ends->second.second->object(), block);
            }
        }
        for (OdDbStub* entity : dataOf(block->object()).children) {
            upgradeEntity(db, entity->object(), block);
            for (OdDbStub* sub : dataOf(entity->object()).children) {
                upgradeEntity(db, sub->object(), entity);
            }
        }
    }
    for (OdDbStub* object : db.sectionItems(SectionSlot::Objects)) {
        upgradeObject(object->object());
    }
}

}  // namespace kvdb
