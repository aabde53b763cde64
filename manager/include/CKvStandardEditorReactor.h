// CKvStandardEditorReactor: the standards manager's reactor on the editor, the command stack and
// the script engine; the module adds it to the editor after creating the manager and removes it
// before destroying the manager. It keeps the host base's behaviour for every event.
#ifndef KV_CKV_STANDARD_EDITOR_REACTOR_H
#define KV_CKV_STANDARD_EDITOR_REACTOR_H

#include <CKvEditorReactor.h>

class CKvStandardEditorReactor : public CKvEditorReactor
{};

#endif  // KV_CKV_STANDARD_EDITOR_REACTOR_H
