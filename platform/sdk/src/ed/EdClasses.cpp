// The run-time classes of the command and editor layer, their do-nothing notifications, and
// their registration when TD_Db is loaded.
#include <RxClass.h>

#include <EdCommand.h>
#include <EdCommandContext.h>
#include <EdCommandStack.h>
#include <EdCommandStackReactor.h>
#include <EdLispEngineReactor.h>
#include <Editor.h>
#include <EditorReactor.h>

ODRX_NO_CONS_DEFINE_MEMBERS(OdEdCommand, OdRxObject)
ODRX_NO_CONS_DEFINE_MEMBERS(OdEdCommandContext, OdRxObject)
ODRX_NO_CONS_DEFINE_MEMBERS(OdEdCommandStack, OdRxObject)
ODRX_NO_CONS_DEFINE_MEMBERS(OdEdCommandStackReactor, OdRxObject)
ODRX_NO_CONS_DEFINE_MEMBERS(OdEdLispEngineReactor, OdRxObject)
ODRX_NO_CONS_DEFINE_MEMBERS(OdEditorReactor, OdRxObject)
ODRX_NO_CONS_DEFINE_MEMBERS(OdEditor, OdRxObject)

OdEdCommand::~OdEdCommand() = default;

const OdString OdEdCommand::localName() const
{
    return globalName();
}

OdInt32 OdEdCommand::flags() const
{
    return kModal;
}

void OdEdCommand::undefine(bool undefIt)
{
    m_undefined = undefIt;
}

OdEdCancel::OdEdCancel() : OdError(OdString(L"Cancelled by the user"), eExtendedError) {}

OdEdCommandContext::~OdEdCommandContext() = default;
OdEdCommandStack::~OdEdCommandStack() = default;
OdEditor::~OdEditor() = default;

OdEdCommandStackReactor::~OdEdCommandStackReactor() = default;
void OdEdCommandStackReactor::commandAdded(OdEdCommand*) {}
void OdEdCommandStackReactor::commandWillBeRemoved(OdEdCommand*) {}
void OdEdCommandStackReactor::commandWillStart(OdEdCommand*, OdEdCommandContext*) {}
void OdEdCommandStackReactor::commandEnded(OdEdCommand*, OdEdCommandContext*) {}
void OdEdCommandStackReactor::commandCancelled(OdEdCommand*, OdEdCommandContext*) {}
void OdEdCommandStackReactor::commandFailed(OdEdCommand*, OdEdCommandContext*) {}
void OdEdCommandStackReactor::unknownCommand(const OdString&, OdEdCommandContext*) {}

OdEdLispEngineReactor::~OdEdLispEngineReactor() = default;
void OdEdLispEngineReactor::lispWillStart(OdEdCommandContext*, const OdString&) {}
void OdEdLispEngineReactor::lispEnded(OdEdCommandContext*) {}
void OdEdLispEngineReactor::lispCancelled(OdEdCommandContext*) {}

OdEditorReactor::~OdEditorReactor() = default;
void OdEditorReactor::beginDwgOpen(const OdString&) {}
void OdEditorReactor::endDwgOpen(const OdString&, OdDbDatabase*) {}
void OdEditorReactor::beginClose(OdDbDatabase*) {}

namespace {

void registerEditorClasses()
{
    OdEdCommand::rxInit();
    OdEdCommandContext::rxInit();
    OdEdCommandStack::rxInit();
    OdEdCommandStackReactor::rxInit();
    OdEdLispEngineReactor::rxInit();
    OdEditorReactor::rxInit();
    OdEditor::rxInit();
}

// The classes are there as soon as the library is loaded, as the database classes are.
const bool s_registered = (registerEditorClasses(), true);

}  // namespace
