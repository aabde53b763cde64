#pragma once

#include <RxObject.h>

class OdDbDatabase;
class OdDbObject;

// Receives the object events of a database. Every notification does nothing unless overridden.
// Order: objectAppended after an object joins; objectOpenedForModify before the first change of an
// opening; objectModified when an object changed while open is closed; objectErased after erase.
class OdDbDatabaseReactor : public OdRxObject
{
    ODRX_DECLARE_MEMBERS(OdDbDatabaseReactor);

public:
    virtual void objectAppended(const OdDbDatabase* db, const OdDbObject* object);
    virtual void objectOpenedForModify(const OdDbDatabase* db, const OdDbObject* object);
    virtual void objectModified(const OdDbDatabase* db, const OdDbObject* object);
    virtual void objectErased(const OdDbDatabase* db, const OdDbObject* object, bool erased);
    virtual void goodbye(const OdDbDatabase* db);
};
