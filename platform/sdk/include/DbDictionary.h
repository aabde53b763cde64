#pragma once

#include <DbObject.h>

class OdDbDictionaryIterator;
typedef OdSmartPtr<OdDbDictionaryIterator> OdDbDictionaryIteratorPtr;

// A dictionary: named entries, each an object it owns. Keys keep their case and are looked up
// ignoring case; iteration is in key order (case-insensitive), or in file order when asked.
class OdDbDictionary : public OdDbObject
{
    ODDB_DECLARE_MEMBERS(OdDbDictionary)

public:
    OdDbObjectId getAt(const OdString& key) const;
    OdDbObjectPtr getAt(const OdString& key, OdDb::OpenMode mode) const;
    bool has(const OdString& key) const;
    bool has(const OdDbObjectId& id) const;
    OdString nameAt(const OdDbObjectId& id) const;
    OdUInt32 numEntries() const;
    // Stores newValue under key, replacing (and erasing) any object stored there before. An object
    // that belongs to no database joins this dictionary's database. Returns the object's id.
    OdDbObjectId setAt(const OdString& key, OdDbObject* newValue);
    // Removes the entry (the object stays, without owner); returns its id or null.
    OdDbObjectId remove(const OdString& key);
    OdDbDictionaryIteratorPtr newIterator(bool sorted = true) const;
    OdDb::DuplicateRecordCloning mergeStyle() const;
    bool isTreatElementsAsHard() const;
};
typedef OdSmartPtr<OdDbDictionary> OdDbDictionaryPtr;

class OdDbDictionaryIterator : public OdRxObject
{
    ODRX_DECLARE_MEMBERS(OdDbDictionaryIterator);

public:
    OdString name() const;
    OdDbObjectId objectId() const;
    OdDbObjectPtr getObject(OdDb::OpenMode mode = OdDb::kForRead);
    bool done() const;
    bool next();

    struct Entry
    {
        OdString key;
        OdDbObjectId id;
    };
    void init(std::vector<Entry> entries);

private:
    std::vector<Entry> m_entries;
    size_t m_pos = 0;
};
