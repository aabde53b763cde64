// CKvEditorReactor: one reactor for the editor's drawing events, the command stack's events and
// the script engine's events. Every notification does nothing unless overridden. Adding it with
// odedEditor()->addReactor() hooks all three; removeReactor() unhooks them.
#ifndef KV_CKV_EDITOR_REACTOR_H
#define KV_CKV_EDITOR_REACTOR_H

#include <EdCommandStackReactor.h>
#include <EdLispEngineReactor.h>
#include <EditorReactor.h>

class CKvEditorReactor : public OdEditorReactor,
                         public OdEdCommandStackReactor,
                         public OdEdLispEngineReactor
{
public:
    ~CKvEditorReactor() override;
};

#endif  // KV_CKV_EDITOR_REACTOR_H
