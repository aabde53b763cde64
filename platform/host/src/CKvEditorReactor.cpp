#include <CKvDatabaseReactor.h>
#include <CKvEditorReactor.h>

CKvEditorReactor::~CKvEditorReactor() = default;
CKvDatabaseReactor::~CKvDatabaseReactor() = default;
