#pragma once

#include <DbSymbolTableRecord.h>

class OdDbSymbolTableIterator;
typedef OdSmartPtr<OdDbSymbolTableIterator> OdDbSymbolTableIteratorPtr;

// A symbol table: its records in table order. Names are looked up ignoring case; erased records
// are never found by name and are skipped by iterators.
class OdDbSymbolTable : public OdDbObject
{
    ODDB_DECLARE_MEMBERS(OdDbSymbolTable)

public:
    // The record of that name opened in the given mode, or null.
    OdDbSymbolTableRecordPtr getAt(const OdString& name, OdDb::OpenMode mode,
                                   bool getErasedRecord = false) const;
    OdDbObjectId getAt(const OdString& name, bool getErasedRecord = false) const;
    bool has(const OdString& name) const;
    bool has(const OdDbObjectId& id) const;
    // Adds a record that belongs to no database yet (or to this table's database without owner);
    // raises OdError(eDuplicateRecordName) when a live record of that name exists, and
    // eInvalidInput for a record of another kind.
    OdDbObjectId add(OdDbSymbolTableRecord* record);
    // Iterates from the beginning (or end), skipping erased records unless asked.
    OdDbSymbolTableIteratorPtr newIterator(bool atBeginning = true, bool skipDeleted = true) const;
};
typedef OdSmartPtr<OdDbSymbolTable> OdDbSymbolTablePtr;

class OdDbSymbolTableIterator : public OdRxObject
{
    ODRX_DECLARE_MEMBERS(OdDbSymbolTableIterator);

public:
    void start(bool atBeginning = true, bool skipDeleted = true);
    bool done() const;
    void step(bool forward = true, bool skipDeleted = true);
    OdDbObjectId getRecordId() const;
    OdDbSymbolTableRecordPtr getRecord(OdDb::OpenMode mode = OdDb::kForRead,
                                       bool openErased = false) const;

    // Used by the table to set the iterator up.
    void init(const OdDbObjectIdArray& ids);

private:
    OdDbObjectIdArray m_ids;
    int m_pos = 0;
    bool m_skipDeleted = true;
    void skip(bool forward);
};

#define KV_DECLARE_TABLE(Table, Record)  \
    class Table : public OdDbSymbolTable \
    {                                    \
        ODDB_DECLARE_MEMBERS(Table)      \
    };                                   \
    typedef OdSmartPtr<Table> Table##Ptr;
