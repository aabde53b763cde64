// The process's editor: its reactors, and the script reactors among them.
#include "ReactorList.h"

#include <EdCommandStack.h>
#include <Editor.h>
#include <StaticRxObject.h>

namespace {

class Editor : public OdEditor
{
public:
    void addReactor(OdEditorReactor* pReactor) override
    {
        if (!pReactor || m_reactors.contains(pReactor)) {
            return;
        }
        m_reactors.add(pReactor);
        if (auto* pLisp = dynamic_cast<OdEdLispEngineReactor*>(pReactor)) {
            m_lispReactors.add(pLisp);
        }
        if (auto* pCommands = dynamic_cast<OdEdCommandStackReactor*>(pReactor)) {
            odedRegCmds()->addReactor(pCommands);
        }
    }

    void removeReactor(OdEditorReactor* pReactor) override
    {
        if (!pReactor || !m_reactors.contains(pReactor)) {
            return;
        }
        m_reactors.remove(pReactor);
        if (auto* pLisp = dynamic_cast<OdEdLispEngineReactor*>(pReactor)) {
            m_lispReactors.remove(pLisp);
        }
        if (auto* pCommands = dynamic_cast<OdEdCommandStackReactor*>(pReactor)) {
            odedRegCmds()->removeReactor(pCommands);
        }
    }

    void fireBeginDwgOpen(const OdString& path) override
    {
        m_reactors.fire([&](OdEditorReactor* r) { r->beginDwgOpen(path); });
    }
    void fireEndDwgOpen(const OdString& path, OdDbDatabase* pDb) override
    {
        m_reactors.fire([&](OdEditorReactor* r) { r->endDwgOpen(path, pDb); });
    }
    void fireBeginClose(OdDbDatabase* pDb) override
    {
        m_reactors.fire([&](OdEditorReactor* r) { r->beginClose(pDb); });
    }
    void fireLispWillStart(OdEdCommandContext* pCmdCtx, const OdString& expression) override
    {
        m_lispReactors.fire(
            [&](OdEdLispEngineReactor* r) { r->lispWillStart(pCmdCtx, expression); });
    }
    void fireLispEnded(OdEdCommandContext* pCmdCtx) override
    {
        m_lispReactors.fire([&](OdEdLispEngineReactor* r) { r->lispEnded(pCmdCtx); });
    }
    void fireLispCancelled(OdEdCommandContext* pCmdCtx) override
    {
        m_lispReactors.fire([&](OdEdLispEngineReactor* r) { r->lispCancelled(pCmdCtx); });
    }

private:
    kved::ReactorList<OdEditorReactor> m_reactors;
    kved::ReactorList<OdEdLispEngineReactor> m_lispReactors;
};

}  // namespace

OdEditorPtr odedEditor()
{
    static OdStaticRxObject<Editor> s_editor;
    return OdEditorPtr(&s_editor);
}
