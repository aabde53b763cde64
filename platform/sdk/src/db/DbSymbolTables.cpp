#include "Access.h"
#include "DatabaseImpl.h"
#include "DbClassFactory.h"
#include "DbMacros.h"
#include "TagOps.h"

#include <DbBlockTable.h>
#include <DbDatabase.h>
#include <DbDimStyleTable.h>
#include <DbLayerTable.h>
#include <DbLinetypeTable.h>
#include <DbRegAppTable.h>
#include <DbSymbolTable.h>
#include <DbTextStyleTable.h>
#include <DbUCSTable.h>
#include <DbViewTable.h>
#include <DbViewportTable.h>
#include <RxClass.h>

using namespace kvdb;

ODDB_DEFINE_MEMBERS(OdDbSymbolTableRecord, OdDbObject, "")
ODDB_DEFINE_MEMBERS(OdDbSymbolTable, OdDbObject, "TABLE")
ODDB_DEFINE_MEMBERS(OdDbLayerTable, OdDbSymbolTable, "TABLE")
ODDB_DEFINE_MEMBERS(OdDbLinetypeTable, OdDbSymbolTable, "TABLE")
ODDB_DEFINE_MEMBERS(OdDbTextStyleTable, OdDbSymbolTable, "TABLE")
ODDB_DEFINE_MEMBERS(OdDbDimStyleTable, OdDbSymbolTable, "TABLE")
ODDB_DEFINE_MEMBERS(OdDbBlockTable, OdDbSymbolTable, "TABLE")
ODDB_DEFINE_MEMBERS(OdDbViewportTable, OdDbSymbolTable, "TABLE")
ODDB_DEFINE_MEMBERS(OdDbRegAppTable, OdDbSymbolTable, "TABLE")
ODDB_DEFINE_MEMBERS(OdDbViewTable, OdDbSymbolTable, "TABLE")
ODDB_DEFINE_MEMBERS(OdDbUCSTable, OdDbSymbolTable, "TABLE")

ODRX_DEFINE_MEMBERS(OdDbSymbolTableIterator, OdRxObject, "")

// ---------------------------------------------------------------------------------------------
// Records

OdString OdDbSymbolTableRecord::getName() const
{
    return getString(this, 2);
}

void OdDbSymbolTableRecord::setName(const OdString& name)
{
    const OdString old = getName();
    if (old == name) {
        return;
    }
    assertWriteEnabled();
    OdDbDatabase* db = database();
    OdDbStub* table = dataOf(this).owner;
    if (db != nullptr && table != nullptr) {
        db->impl().refuseOnPermanentRecord(Access::stub(this), "renamed", eInvalidInput);
        OdDbStub* other = db->impl().lookup(table, name);
        if (other != nullptr && other != Access::stub(this)) {
            throw OdError(eDuplicateRecordName);
        }
        db->impl().unindexRecord(table, Access::stub(this), old);
    }
    const char* subclass = nullptr;
    setString(this, 2, name, subclass);
    if (db != nullptr && table != nullptr) {
        db->impl().indexRecord(table, Access::stub(this));
    }
}

bool OdDbSymbolTableRecord::isDependent() const
{
    return (getInt(this, 70, 0) & 16) != 0;
}

bool OdDbSymbolTableRecord::isResolved() const
{
    return (getInt(this, 70, 0) & 32) != 0;
}

// ---------------------------------------------------------------------------------------------
// Tables

OdDbObjectId OdDbSymbolTable::getAt(const OdString& name, bool getErasedRecord) const
{
    OdDbDatabase* db = database();
    if (db == nullptr) {
        return OdDbObjectId();
    }
    if (OdDbStub* found = db->impl().lookup(Access::stub(this), name)) {
        return OdDbObjectId(found);
    }
    if (getErasedRecord) {
        for (OdDbStub* record : dataOf(this).children) {
            if (static_cast<OdDbSymbolTableRecord*>(record->object())->getName().iCompare(name) ==
                0) {
                return OdDbObjectId(record);
            }
        }
    }
    return OdDbObjectId();
}

OdDbSymbolTableRecordPtr OdDbSymbolTable::getAt(const OdString& name, OdDb::OpenMode mode,
                                                bool getErasedRecord) const
{
    const OdDbObjectId id = getAt(name, getErasedRecord);
    return OdDbSymbolTableRecord::cast(id.openObject(mode, getErasedRecord).get());
}

bool OdDbSymbolTable::has(const OdString& name) const
{
    return !getAt(name, false).isNull();
}

bool OdDbSymbolTable::has(const OdDbObjectId& id) const
{
    if (id.isNull() || id.isErased()) {
        return false;
    }
    const auto& children = dataOf(this).children;
    return std::find(children.begin(), children.end(), id.stub()) != children.end();
}

namespace {

// The record type each table holds.
const char* recordTypeOf(const OdDbSymbolTable* table)
{
    const OdString name = getString(table, 2);
    static const char* const kinds[] = {"LAYER", "LTYPE", "STYLE", "DIMSTYLE", "BLOCK_RECORD",
                                        "VPORT", "APPID", "VIEW",  "UCS"};
    for (const char* kind : kinds) {
        if (name.iCompare(OdString(kind)) == 0) {
            return kind;
        }
    }
    return "";
}

}  // namespace

OdDbObjectId OdDbSymbolTable::add(OdDbSymbolTableRecord* record)
{
    if (record == nullptr) {
        throw OdError(eNullObjectPointer);
    }
    OdDbDatabase* db = database();
    if (db == nullptr) {
        throw OdError(eNotInDatabase);
    }
    if (dataOf(record).tags.empty() ||
        dataOf(record).tags[0].value() != std::string_view(recordTypeOf(this))) {
        throw OdError(eInvalidInput);
    }
    const OdString name = record->getName();
    if (name.isEmpty() && std::string_view(recordTypeOf(this)) != "STYLE") {
        throw OdError(eInvalidSymbolTableName);
    }
    if (!name.isEmpty() && db->impl().lookup(Access::stub(this), name) != nullptr) {
        throw OdError(eDuplicateRecordName);
    }
    assertWriteEnabled();
    DatabaseImpl& impl = db->impl();
    OdDbObjectId id;
    if (Access::stub(record) == nullptr) {
        id = impl.addObject(record, Access::stub(this), 0);
    } else if (record->database() == db) {
        id = record->objectId();
        dataOf(record).owner = Access::stub(this);
    } else {
        throw OdError(eWrongDatabase);
    }
    ObjectData& data = dataOf(record);
    data.placement = Placement::TableRecord;
    dataOf(this).children.push_back(id.stub());
    impl.indexRecord(Access::stub(this), id.stub());
    // A new block also needs its BLOCK and ENDBLK entities.
    if (std::string_view(recordTypeOf(this)) == "BLOCK_RECORD") {
        registerNewBlock(impl, id.stub());
    }
    impl.notifyAppended(record);
    return id;
}

OdDbSymbolTableIteratorPtr OdDbSymbolTable::newIterator(bool atBeginning, bool skipDeleted) const
{
    OdDbObjectIdArray ids;
    for (OdDbStub* record : dataOf(this).children) {
        ids.append(OdDbObjectId(record));
    }
    OdDbSymbolTableIteratorPtr it = OdRxObjectImpl<OdDbSymbolTableIterator>::createObject();
    it->init(ids);
    it->start(atBeginning, skipDeleted);
    return it;
}

void OdDbSymbolTableIterator::init(const OdDbObjectIdArray& ids)
{
    m_ids = ids;
}

void OdDbSymbolTableIterator::skip(bool forward)
{
    while (m_pos >= 0 && m_pos < static_cast<int>(m_ids.size()) && m_skipDeleted &&
           m_ids[m_pos].isErased()) {
        m_pos += forward ? 1 : -1;
    }
}

void OdDbSymbolTableIterator::start(bool atBeginning, bool skipDeleted)
{
    m_skipDeleted = skipDeleted;
    m_pos = atBeginning ? 0 : static_cast<int>(m_ids.size()) - 1;
    skip(atBeginning);
}

bool OdDbSymbolTableIterator::done() const
{
    return m_pos < 0 || m_pos >= static_cast<int>(m_ids.size());
}

void OdDbSymbolTableIterator::step(bool forward, bool skipDeleted)
{
    m_skipDeleted = skipDeleted;
    m_pos += forward ? 1 : -1;
    skip(forward);
}

OdDbObjectId OdDbSymbolTableIterator::getRecordId() const
{
    return done() ? OdDbObjectId() : m_ids[m_pos];
}

OdDbSymbolTableRecordPtr OdDbSymbolTableIterator::getRecord(OdDb::OpenMode mode,
                                                            bool openErased) const
{
    return OdDbSymbolTableRecord::cast(getRecordId().openObject(mode, openErased).get());
}
