#include <CKvObjectAnnotationContext.h>
#include <DbObject.h>

#include <ResBuf.h>
#include <initializer_list>

namespace {

const wchar_t kAnnotativeApp[] = L"AcadAnnotative";
const wchar_t kAnnotativeData[] = L"AnnotativeData";
const wchar_t kOrientationApp[] = L"AcadAnnoPO";
constexpr int kXDataString = 1000;
constexpr int kXDataControl = 1002;
constexpr int kXDataInt16 = 1070;

struct StoredFlag
{
    bool present = false;  // the application's XDATA exists, whatever it holds
    bool value = false;
};

// The flag is the second 1070 of the "AnnotativeData" group; the first is the data version.
StoredFlag annotativeFlag(const OdDbObject& object)
{
    StoredFlag flag;
    OdResBufPtr pItem = object.xData(OdString(kAnnotativeApp));
    flag.present = !pItem.isNull();
    bool inData = false;
    int integers = 0;
    for (; !pItem.isNull(); pItem = pItem->next()) {
        if (pItem->restype() == kXDataString) {
            inData = pItem->getString().iCompare(OdString(kAnnotativeData)) == 0;
            integers = 0;
        } else if (inData && pItem->restype() == kXDataInt16 && ++integers == 2) {
            flag.value = pItem->getInt16() != 0;
            break;
        }
    }
    return flag;
}

StoredFlag orientationFlag(const OdDbObject& object)
{
    StoredFlag flag;
    OdResBufPtr pItem = object.xData(OdString(kOrientationApp));
    flag.present = !pItem.isNull();
    for (; !pItem.isNull(); pItem = pItem->next()) {
        if (pItem->restype() == kXDataInt16) {
            flag.value = pItem->getInt16() != 0;
            break;
        }
    }
    return flag;
}

// Builds a chain from its items, in order.
OdResBufPtr chainOf(std::initializer_list<OdResBufPtr> items)
{
    OdResBufPtr pHead;
    OdResBufPtr pTail;
    for (const OdResBufPtr& pItem : items) {
        if (pHead.isNull()) {
            pHead = pItem;
        } else {
            pTail->setNext(pItem);
        }
        pTail = pItem;
    }
    return pHead;
}

// A flag is rewritten only when it changes, and a cleared flag without XDATA is not created.
bool needsWrite(const StoredFlag& stored, bool wanted)
{
    return stored.value != wanted && (wanted || stored.present);
}

}  // namespace

bool CKvObjectAnnotationContext::IsAnnotative(OdDbObjectId id, bool* matchOrientation)
{
    const OdDbObjectPtr pObject = id.openObject();
    if (matchOrientation != nullptr) {
        *matchOrientation = !pObject.isNull() && orientationFlag(*pObject).value;
    }
    return !pObject.isNull() && annotativeFlag(*pObject).value;
}

void CKvObjectAnnotationContext::SetAnnotative(OdDbObjectId id, bool annotative,
                                               bool matchOrientation)
{
    const OdDbObjectPtr pObject = id.openObject(OdDb::kForWrite);
    if (pObject.isNull()) {
        return;
    }
    if (needsWrite(annotativeFlag(*pObject), annotative)) {
        const OdInt16 version = 1;
        const OdResBufPtr pXData = chainOf(
            {OdResBuf::newRb(1001, kAnnotativeApp), OdResBuf::newRb(kXDataString, kAnnotativeData),
             OdResBuf::newRb(kXDataControl, L"{"), OdResBuf::newRb(kXDataInt16, version),
             OdResBuf::newRb(kXDataInt16, OdInt16(annotative ? 1 : 0)),
             OdResBuf::newRb(kXDataControl, L"}")});
        pObject->setXData(pXData.get());
    }
    if (needsWrite(orientationFlag(*pObject), matchOrientation)) {
        const OdResBufPtr pXData =
            chainOf({OdResBuf::newRb(1001, kOrientationApp),
                     OdResBuf::newRb(kXDataInt16, OdInt16(matchOrientation ? 1 : 0))});
        pObject->setXData(pXData.get());
    }
}
