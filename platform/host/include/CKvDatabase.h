// CKvDatabase: the host's view of a drawing, through which its dimension variables are read and
// set (the same variables, with the same names, as OdDbDatabase has). It keeps the database
// alive. On a null database the getters give the variables' defaults and the setters do nothing.
#ifndef KV_CKV_DATABASE_H
#define KV_CKV_DATABASE_H

#include <DbDatabase.h>

#include <DimVarTypes.h>

class CKvDatabase
{
public:
    explicit CKvDatabase(OdDbDatabase* database);

    OdDbDatabase* database() const { return m_pDb.get(); }

#define DIMVAR(entry, get, set, rec, hdr, type, def) \
    KV_DIMVAR_TYPE_##type get() const;               \
    void set(const KV_DIMVAR_TYPE_##type& value);
#include <DimVars.inc>
#undef DIMVAR

private:
    OdDbDatabasePtr m_pDb;
};

#endif  // KV_CKV_DATABASE_H
