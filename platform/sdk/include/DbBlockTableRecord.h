#pragma once

#include <DbSymbolTableRecord.h>

class OdDbEntity;
class OdDbObjectIterator;
typedef OdSmartPtr<OdDbObjectIterator> OdDbObjectIteratorPtr;

// A block: model space, a paper space or a block definition, with the entities it owns in order.
class OdDbBlockTableRecord : public OdDbSymbolTableRecord
{
    ODDB_DECLARE_MEMBERS(OdDbBlockTableRecord)

public:
    // Entities from the beginning (or end), skipping erased ones unless asked.
    OdDbObjectIteratorPtr newIterator(bool atBeginning = true, bool skipErased = true,
                                      bool sorted = false) const;
    // Appends an entity that belongs to no database; returns its new id.
    OdDbObjectId appendOdDbEntity(OdDbEntity* entity);
    bool isFromExternalReference() const;
    bool isAnonymous() const;
    bool isLayout() const;
    OdString pathName() const;
};
typedef OdSmartPtr<OdDbBlockTableRecord> OdDbBlockTableRecordPtr;

// Walks a list of entities (of a block, or the sub-entities of an entity).
class OdDbObjectIterator : public OdRxObject
{
    ODRX_DECLARE_MEMBERS(OdDbObjectIterator);

public:
    void start(bool atBeginning = true, bool skipErased = true);
    bool done() const;
    void step(bool forward = true, bool skipErased = true);
    OdDbObjectId objectId() const;
    OdSmartPtr<OdDbEntity> entity(OdDb::OpenMode mode = OdDb::kForRead,
                                  bool openErased = false) const;

    void init(const OdDbObjectIdArray& ids);

private:
    OdDbObjectIdArray m_ids;
    int m_pos = 0;
    bool m_skipErased = true;
    void skip(bool forward);
};
