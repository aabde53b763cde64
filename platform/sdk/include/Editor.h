// OdEditor: the editor's reactor list and the helpers the host calls to send editor and script
// events. There is one per process, odedEditor().
//
// Contract:
// - addReactor registers an OdEditorReactor for the editor's events. A reactor that is also an
//   OdEdCommandStackReactor is added to the command stack (odedRegCmds()) as well, and one that is
//   also an OdEdLispEngineReactor receives the script events, so one call hooks a reactor that
//   combines them; removeReactor undoes all of it. Adding twice has no effect; removing a reactor
//   that is not there is ignored. Reactors are not owned.
// - The fire helpers call the reactors in the order they were added; a reactor removed during a
//   notification is not called afterwards.
#ifndef OD_EDITOR_H
#define OD_EDITOR_H

#include <OdString.h>
#include <RxObject.h>

#include <EdLispEngineReactor.h>
#include <EditorReactor.h>

class OdDbDatabase;
class OdEdCommandContext;

class OdEditor : public OdRxObject
{
public:
    ODRX_DECLARE_MEMBERS(OdEditor);

    ~OdEditor() override;

    virtual void addReactor(OdEditorReactor* pReactor) = 0;
    virtual void removeReactor(OdEditorReactor* pReactor) = 0;

    virtual void fireBeginDwgOpen(const OdString& path) = 0;
    virtual void fireEndDwgOpen(const OdString& path, OdDbDatabase* pDb) = 0;
    virtual void fireBeginClose(OdDbDatabase* pDb) = 0;
    virtual void fireLispWillStart(OdEdCommandContext* pCmdCtx, const OdString& expression) = 0;
    virtual void fireLispEnded(OdEdCommandContext* pCmdCtx) = 0;
    virtual void fireLispCancelled(OdEdCommandContext* pCmdCtx) = 0;
};

typedef OdSmartPtr<OdEditor> OdEditorPtr;

// The process's editor (never null).
OdEditorPtr odedEditor();

#endif  // OD_EDITOR_H
