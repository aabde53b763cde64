#include <CKvIgnoredState.h>
#include <DbDictionary.h>
#include <DbObject.h>
#include <DbXrecord.h>
#include <OdError.h>

#include <ResBuf.h>

namespace {

const wchar_t kStandardKey[] = L"AcStStandard";
const wchar_t kFlagsKey[] = L"AcStFlags";

enum class Stored {
    None,         // no record: not ignored
    EmptyRecord,  // an "AcStStandard" dictionary without entries: nothing to say
    Read          // at least one entry was read
};

Stored readStored(const OdDbObjectId& id, CKvIgnoredState& state)
{
    state = CKvIgnoredState();
    const OdDbObjectPtr pObject = id.openObject(OdDb::kForWrite);
    if (pObject.isNull() || pObject->extensionDictionary().isNull()) {
        return Stored::None;
    }
    const OdDbDictionaryPtr pExtension = pObject->extensionDictionary().openObject();
    if (pExtension.isNull()) {
        return Stored::None;
    }
    const OdDbDictionaryPtr pStandard = pExtension->getAt(OdString(kStandardKey), OdDb::kForRead);
    if (pStandard.isNull()) {
        return Stored::None;
    }
    Stored result = Stored::EmptyRecord;
    OdInt32 flag = -1;
    CKvString user;
    for (OdDbDictionaryIteratorPtr pEntry = pStandard->newIterator(); !pEntry->done();
         pEntry->next()) {
        const OdDbObjectPtr pObjectOfEntry = pEntry->getObject(OdDb::kForRead);
        if (pObjectOfEntry.isNull()) {
            continue;
        }
        const OdDbXrecordPtr pFlags = pObjectOfEntry;
        for (OdResBufPtr pItem = pFlags->rbChain(); !pItem.isNull(); pItem = pItem->next()) {
            if (pItem->restype() == OdResBuf::kDxfInt32) {
                flag = pItem->getInt32();
            } else if (pItem->restype() == OdResBuf::kDxfXTextString) {
                user = pItem->getString();
            }
        }
        state.ignored = flag != 0;
        state.user = user;
        state.hasRecord = true;
        result = Stored::Read;
    }
    return result;
}

}  // namespace

CKvIgnoredState readIgnoredState(const OdDbObjectId& id)
{
    CKvIgnoredState state;
    readStored(id, state);
    return state;
}

void loadIgnoredState(const OdSmartPtr<CKvStdsError>& error)
{
    if (error.isNull()) {
        return;
    }
    CKvIgnoredState state;
    if (readStored(error->GetObjectId(), state) != Stored::EmptyRecord) {
        error->SetIgnoredState(state.ignored, state.user);
    }
}

bool writeIgnoredState(const OdDbObjectId& id, bool ignored, const CKvString& user)
{
    const OdDbObjectPtr pObject = id.openObject(OdDb::kForWrite);
    if (pObject.isNull()) {
        return false;
    }
    pObject->createExtensionDictionary();
    const OdDbDictionaryPtr pExtension =
        pObject->extensionDictionary().safeOpenObject(OdDb::kForWrite);
    const OdDbDictionaryPtr pStandard = OdDbDictionary::createObject();
    pExtension->setAt(OdString(kStandardKey), pStandard.get());

    // Each item goes directly after the untyped first one, so the 300 lands before the 90.
    const OdResBufPtr pChain = OdResBuf::newRb();
    pChain->insert(OdResBuf::newRb(OdResBuf::kDxfInt32, OdInt32(ignored ? 1 : 0)));
    pChain->insert(
        OdResBuf::newRb(OdResBuf::kDxfXTextString, ignored ? user.toOdString() : OdString()));
    // The xrecord joins the drawing before it gets its data: its groups live in the database.
    const OdDbXrecordPtr pFlags = OdDbXrecord::createObject();
    pStandard->setAt(OdString(kFlagsKey), pFlags.get());
    const OdResult result = pFlags->setFromRbChain(pChain.get());
    if (result != eOk) {
        throw OdError(result);
    }
    return true;
}
