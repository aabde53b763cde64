#include <CKvDatabase.h>

CKvDatabase::CKvDatabase(OdDbDatabase* database) : m_pDb(database) {}

#define DIMVAR(entry, get, set, rec, hdr, type, def)              \
    KV_DIMVAR_TYPE_##type CKvDatabase::get() const                \
    {                                                             \
        return m_pDb ? m_pDb->get() : KV_DIMVAR_TYPE_##type(def); \
    }                                                             \
    void CKvDatabase::set(const KV_DIMVAR_TYPE_##type& value)     \
    {                                                             \
        if (m_pDb) {                                              \
            m_pDb->set(value);                                    \
        }                                                         \
    }
#include <DimVars.inc>
#undef DIMVAR
