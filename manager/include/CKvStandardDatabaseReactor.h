// CKvStandardDatabaseReactor: the standards manager's reactor on the databases of the drawings
// that have usable standards files. The manager attaches it in init() and detaches it when a
// drawing loses its standards files, when the drawing is closed and before the manager goes.
// It keeps the host base's behaviour for every event.
#ifndef KV_CKV_STANDARD_DATABASE_REACTOR_H
#define KV_CKV_STANDARD_DATABASE_REACTOR_H

#include <CKvDatabaseReactor.h>

class CKvStandardDatabaseReactor : public CKvDatabaseReactor
{};

#endif  // KV_CKV_STANDARD_DATABASE_REACTOR_H
