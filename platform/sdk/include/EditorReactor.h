// OdEditorReactor: receives the editor's drawing events. Every notification does nothing unless
// overridden. Order for a drawing: beginDwgOpen, endDwgOpen (only when it was read), ...,
// beginClose.
#ifndef OD_EDITOR_REACTOR_H
#define OD_EDITOR_REACTOR_H

#include <OdString.h>
#include <RxObject.h>

class OdDbDatabase;

class OdEditorReactor : public OdRxObject
{
public:
    ODRX_DECLARE_MEMBERS(OdEditorReactor);

    ~OdEditorReactor() override;

    virtual void beginDwgOpen(const OdString& path);
    virtual void endDwgOpen(const OdString& path, OdDbDatabase* pDb);
    virtual void beginClose(OdDbDatabase* pDb);
};

#endif  // OD_EDITOR_REACTOR_H
