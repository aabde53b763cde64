// CKvDatabaseReactor: the host's base for database reactors; every notification does nothing
// unless overridden (OdDbDatabaseReactor gives their order).
#ifndef KV_CKV_DATABASE_REACTOR_H
#define KV_CKV_DATABASE_REACTOR_H

#include <DbDatabaseReactor.h>

class CKvDatabaseReactor : public OdDbDatabaseReactor
{
public:
    ~CKvDatabaseReactor() override;
};

#endif  // KV_CKV_DATABASE_REACTOR_H
