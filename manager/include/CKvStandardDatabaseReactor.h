// CKvStandardDatabaseReactor: the standards manager's reactor on the databases of the drawings
// that have usable standards files. The manager attaches it in init() and detaches it when a
// drawing loses its standards files, when the drawing is closed and before the manager goes.
//
// It records what changes for the background check: appended objects, and modified ones that are
// neither erased, new nor viewport records (a modification restarts the manager's idle timer). A
// dimension style opened for modification is saved as it was, so that writing back the same
// values records nothing. Without a manager it does nothing.
#ifndef KV_CKV_STANDARD_DATABASE_REACTOR_H
#define KV_CKV_STANDARD_DATABASE_REACTOR_H

#include <CKvDatabaseReactor.h>

class CKvStandardDatabaseReactor : public CKvDatabaseReactor
{
public:
    void objectAppended(const OdDbDatabase* db, const OdDbObject* object) override;
    void objectOpenedForModify(const OdDbDatabase* db, const OdDbObject* object) override;
    void objectModified(const OdDbDatabase* db, const OdDbObject* object) override;
};

#endif  // KV_CKV_STANDARD_DATABASE_REACTOR_H
