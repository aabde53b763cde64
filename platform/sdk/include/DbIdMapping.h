#pragma once

#include <DbObjectId.h>
#include <RxObject.h>

#include <map>

class OdDbDatabase;

// One source id and the id of its copy.
class OdDbIdPair
{
public:
    OdDbIdPair() = default;
    explicit OdDbIdPair(const OdDbObjectId& key) : m_key(key) {}
    OdDbIdPair(const OdDbObjectId& key, const OdDbObjectId& value, bool cloned,
               bool primary = false, bool ownerXlated = true)
        : m_key(key)
        , m_value(value)
        , m_cloned(cloned)
        , m_primary(primary)
        , m_ownerXlated(ownerXlated)
    {}
    OdDbObjectId key() const { return m_key; }
    OdDbObjectId value() const { return m_value; }
    bool isCloned() const { return m_cloned; }
    bool isPrimary() const { return m_primary; }
    bool isOwnerXlated() const { return m_ownerXlated; }
    void setKey(const OdDbObjectId& key) { m_key = key; }
    void setValue(const OdDbObjectId& value) { m_value = value; }

private:
    OdDbObjectId m_key;
    OdDbObjectId m_value;
    bool m_cloned = false;
    bool m_primary = false;
    bool m_ownerXlated = true;
};

// The ids copied by one cloning operation, source id to copy id.
class OdDbIdMapping : public OdRxObject
{
    ODRX_DECLARE_MEMBERS(OdDbIdMapping);

public:
    OdDbDatabase* destDb() const { return m_destDb; }
    void setDestDb(OdDbDatabase* db) { m_destDb = db; }
    OdDbDatabase* origDb() const { return m_origDb; }
    void setOrigDb(OdDbDatabase* db) { m_origDb = db; }
    // Fills the pair's value from its key; false when the key was not copied.
    bool compute(OdDbIdPair& pair) const;
    void assign(const OdDbIdPair& pair);
    size_t size() const { return m_pairs.size(); }

private:
    OdDbDatabase* m_destDb = nullptr;
    OdDbDatabase* m_origDb = nullptr;
    std::map<OdDbObjectId, OdDbIdPair> m_pairs;
};
typedef OdSmartPtr<OdDbIdMapping> OdDbIdMappingPtr;
