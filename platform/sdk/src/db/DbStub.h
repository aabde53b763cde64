#pragma once

#include <OdTypes.h>

class OdDbDatabase;
class OdDbObject;

// What an object id points at: the handle and the resident object of one database. Stubs live as
// long as their database, so ids stay valid after the object is erased.
class OdDbStub
{
public:
    OdUInt64 handle = 0;
    OdDbObject* object = nullptr;  // the database holds one reference
    OdDbDatabase* db = nullptr;
};
