// CKvStandardEditorReactor: the standards manager's reactor on the editor, the command stack and
// the script engine; the module adds it to the editor after creating the manager and removes it
// before destroying the manager.
//
// Every command starts with an empty set of changed objects, except _INTERSTATEVERIFY (which
// checks them) and the block insertion commands; a cancelled command or script, and a starting
// script, empty it too. When an outermost command ends (inside a script only _LOADSCRIPT), or a
// script ends, with objects recorded and the drawing not busy, the background check is queued
// (_INTERSTATEVERIFY). The end of _REDO/_REDON re-attaches the database reactor; the end of a save
// or of the standards commands stops the idle timer instead of checking. Without a manager it
// does nothing.
#ifndef KV_CKV_STANDARD_EDITOR_REACTOR_H
#define KV_CKV_STANDARD_EDITOR_REACTOR_H

#include <CKvEditorReactor.h>

class CKvStandardEditorReactor : public CKvEditorReactor
{
public:
    void commandEnded(OdEdCommand* command, OdEdCommandContext* context) override;
    void commandCancelled(OdEdCommand* command, OdEdCommandContext* context) override;
    void commandWillStart(OdEdCommand* command, OdEdCommandContext* context) override;
    void lispEnded(OdEdCommandContext* context) override;
    void lispCancelled(OdEdCommandContext* context) override;
    void lispWillStart(OdEdCommandContext* context, const OdString& expression) override;

    // Empties the manager's set of changed objects.
    void clearSet();
    // Queues the background check when objects are recorded.
    void executeStandards();
};

#endif  // KV_CKV_STANDARD_EDITOR_REACTOR_H
