// The manager's two reactors: recording changed objects and starting the background check.
#include "CKvStandardDatabaseReactor.h"
#include "CKvStandardEditorReactor.h"
#include "CKvStdsManagerImpl.h"

#include <CKvCommandContext.h>
#include <CKvDocument.h>
#include <CKvSystemServices.h>
#include <DbDimStyleTableRecord.h>
#include <DbViewportTableRecord.h>

#include <EdCommand.h>

namespace {

CKvStdsManagerImpl* manager()
{
    return dynamic_cast<CKvStdsManagerImpl*>(GetKvStandardManager());
}

CKvDocument* activeDocument()
{
    CKvSystemServices* services = GetKvSystemServices();
    return services != nullptr ? services->documentManager()->activeDocument() : nullptr;
}

bool isOneOf(const OdString& name, std::initializer_list<const wchar_t*> names)
{
    for (const wchar_t* candidate : names) {
        if (name.iCompare(OdString(candidate)) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

void CKvStandardDatabaseReactor::objectAppended(const OdDbDatabase*, const OdDbObject* object)
{
    if (CKvStdsManagerImpl* standards = manager()) {
        standards->addObject(object);
    }
}

void CKvStandardDatabaseReactor::objectOpenedForModify(const OdDbDatabase*,
                                                       const OdDbObject* object)
{
    CKvStdsManagerImpl* standards = manager();
    if (standards == nullptr || object == nullptr || object->isNewObject() ||
        !object->isKindOf(OdDbDimStyleTableRecord::desc())) {
        return;
    }
    // The style as it is before the modification, to tell later whether anything changed.
    const OdDbDimStyleTableRecordPtr style =
        OdDbDimStyleTableRecord::cast(object->objectId().openObject(OdDb::kForRead).get());
    if (!style.isNull()) {
        standards->setDimStyle(OdDbDimStyleTableRecord::cast(style->clone().get()));
    }
}

void CKvStandardDatabaseReactor::objectModified(const OdDbDatabase*, const OdDbObject* object)
{
    CKvStdsManagerImpl* standards = manager();
    if (standards == nullptr || object == nullptr || object->isErased() || object->isNewObject() ||
        object->isKindOf(OdDbViewportTableRecord::desc())) {
        return;
    }
    standards->addObject(object);
    standards->restartTimer();
}

void CKvStandardEditorReactor::clearSet()
{
    if (CKvStdsManagerImpl* standards = manager()) {
        standards->clearSet();
    }
}

void CKvStandardEditorReactor::executeStandards()
{
    if (CKvStdsManagerImpl* standards = manager()) {
        standards->queueBackgroundCheck();
    }
}

void CKvStandardEditorReactor::commandWillStart(OdEdCommand* command, OdEdCommandContext*)
{
    // The check itself, and inserting a block, keep what the command before recorded.
    if (command != nullptr &&
        isOneOf(command->globalName(), {L"_INTERSTATEVERIFY", L"_INSERTBLOCK", L"_-INSERTBLOCK"})) {
        return;
    }
    clearSet();
}

void CKvStandardEditorReactor::commandCancelled(OdEdCommand*, OdEdCommandContext*)
{
    clearSet();
}

void CKvStandardEditorReactor::commandEnded(OdEdCommand* command, OdEdCommandContext* context)
{
    const CKvCommandContext* host = GetKvCommandContext(context);
    if (host == nullptr || command == nullptr || host->commandsInProgress() > 1) {
        return;  // a nested command: the outer one's end checks
    }
    const OdString name = command->globalName();
    if (host->isScriptRunning() && !isOneOf(name, {L"_LOADSCRIPT"})) {
        return;
    }
    CKvDocument* active = activeDocument();
    if (active != nullptr && active->isBusy()) {
        return;
    }
    CKvStdsManagerImpl* standards = manager();
    if (isOneOf(name, {L"_REDO", L"_REDON"})) {
        if (standards != nullptr) {
            standards->addReactor(active);
        }
    } else if (isOneOf(name, {L"_SAVE", L"_QSAVE", L"_SAVEAS", L"_VERIFYSTANDARDS",
                              L"_DRAWINGSTANDARDS"})) {
        if (standards != nullptr) {
            standards->stopTimer();
        }
    } else {
        executeStandards();
    }
}

void CKvStandardEditorReactor::lispWillStart(OdEdCommandContext*, const OdString&)
{
    clearSet();
}

void CKvStandardEditorReactor::lispEnded(OdEdCommandContext*)
{
    executeStandards();
}

void CKvStandardEditorReactor::lispCancelled(OdEdCommandContext*)
{
    clearSet();
}
