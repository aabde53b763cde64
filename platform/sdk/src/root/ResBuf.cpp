#include <RxClass.h>

#include <ResBuf.h>
#include <cmath>
#include <limits>
#include <type_traits>

ODRX_DEFINE_MEMBERS(OdResBuf, OdRxObject, OdString())

namespace {

struct CodeRange
{
    int first;
    int last;
    OdResBuf::DataKind kind;
};

// DXF group codes by range (AC1015 and later), then the kRt codes. 280-289 are 16-bit in DXF
// files although the SDK names the codes 8-bit.
const CodeRange kCodeRanges[] = {
    {0, 4, OdResBuf::DataKind::kString},
    {5, 5, OdResBuf::DataKind::kHandle},
    {6, 9, OdResBuf::DataKind::kString},
    {10, 59, OdResBuf::DataKind::kDouble},
    {60, 79, OdResBuf::DataKind::kInt16},
    {90, 99, OdResBuf::DataKind::kInt32},
    {100, 102, OdResBuf::DataKind::kString},
    {105, 105, OdResBuf::DataKind::kHandle},
    {110, 149, OdResBuf::DataKind::kDouble},
    {160, 169, OdResBuf::DataKind::kInt64},
    {170, 179, OdResBuf::DataKind::kInt16},
    {210, 239, OdResBuf::DataKind::kDouble},
    {270, 289, OdResBuf::DataKind::kInt16},
    {290, 299, OdResBuf::DataKind::kBool},
    {300, 309, OdResBuf::DataKind::kString},
    {310, 319, OdResBuf::DataKind::kBinary},
    {320, 369, OdResBuf::DataKind::kHandle},
    {370, 389, OdResBuf::DataKind::kInt16},
    {390, 399, OdResBuf::DataKind::kHandle},
    {400, 409, OdResBuf::DataKind::kInt16},
    {410, 419, OdResBuf::DataKind::kString},
    {420, 429, OdResBuf::DataKind::kInt32},
    {430, 439, OdResBuf::DataKind::kString},
    {440, 459, OdResBuf::DataKind::kInt32},
    {460, 469, OdResBuf::DataKind::kDouble},
    {470, 479, OdResBuf::DataKind::kString},
    {480, 481, OdResBuf::DataKind::kHandle},
    {999, 999, OdResBuf::DataKind::kString},
    {1000, 1003, OdResBuf::DataKind::kString},
    {1004, 1004, OdResBuf::DataKind::kBinary},
    {1005, 1005, OdResBuf::DataKind::kHandle},
    {1006, 1009, OdResBuf::DataKind::kString},
    {1010, 1059, OdResBuf::DataKind::kDouble},
    {1060, 1070, OdResBuf::DataKind::kInt16},
    {1071, 1071, OdResBuf::DataKind::kInt32},
    {OdResBuf::kRtNone, OdResBuf::kRtNone, OdResBuf::DataKind::kNone},
    {OdResBuf::kRtDouble, OdResBuf::kRtDouble, OdResBuf::DataKind::kDouble},
    {OdResBuf::kRtPoint2d, OdResBuf::kRtPoint2d, OdResBuf::DataKind::kPoint},
    {OdResBuf::kRtInt16, OdResBuf::kRtInt16, OdResBuf::DataKind::kInt16},
    {OdResBuf::kRtAngle, OdResBuf::kRtAngle, OdResBuf::DataKind::kDouble},
    {OdResBuf::kRtString, OdResBuf::kRtString, OdResBuf::DataKind::kString},
    {OdResBuf::kRtEntName, OdResBuf::kRtPickSet, OdResBuf::DataKind::kHandle},
    {OdResBuf::kRtOrient, OdResBuf::kRtOrient, OdResBuf::DataKind::kDouble},
    {OdResBuf::kRtPoint3d, OdResBuf::kRtPoint3d, OdResBuf::DataKind::kPoint},
    {OdResBuf::kRtInt32, OdResBuf::kRtInt32, OdResBuf::DataKind::kInt32},
    {OdResBuf::kRtColor, OdResBuf::kRtColor, OdResBuf::DataKind::kColor},
};

template <class Target>
Target clampReal(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    // Compared as long double so that the bounds of 64-bit types are exact.
    const long double truncated = std::trunc(static_cast<long double>(value));
    if (truncated <= static_cast<long double>(std::numeric_limits<Target>::min())) {
        return std::numeric_limits<Target>::min();
    }
    if (truncated >= static_cast<long double>(std::numeric_limits<Target>::max())) {
        return std::numeric_limits<Target>::max();
    }
    return static_cast<Target>(truncated);
}

}  // namespace

OdResBuf::DataKind odResBufDataKind(int restype)
{
    for (const CodeRange& range : kCodeRanges) {
        if (restype >= range.first && restype <= range.last) {
            return range.kind;
        }
    }
    return OdResBuf::DataKind::kInvalid;
}

OdResBuf::~OdResBuf()
{
    // Unlink the tail one item at a time; letting each item's destructor release the next one
    // would recurse once per item.
    OdResBufPtr pItem = std::move(m_pNext);
    while (pItem && pItem->numRefs() == 1) {
        OdResBufPtr pNext = std::move(pItem->m_pNext);
        pItem = std::move(pNext);
    }
}

OdResBufPtr OdResBuf::newRb(int restype)
{
    OdResBufPtr pRb = OdRxObjectImpl<OdResBuf>::createObject();
    pRb->setRestype(restype);
    return pRb;
}

OdResBufPtr OdResBuf::newRb(int restype, const OdString& value)
{
    OdResBufPtr pRb = newRb(restype);
    pRb->setString(value);
    return pRb;
}

OdResBufPtr OdResBuf::newRb(int restype, const wchar_t* value)
{
    return newRb(restype, OdString(value));
}

OdResBufPtr OdResBuf::newRb(int restype, const char* value)
{
    return newRb(restype, OdString(value));
}

OdResBufPtr OdResBuf::newRb(int restype, bool value)
{
    OdResBufPtr pRb = newRb(restype);
    pRb->setBool(value);
    return pRb;
}

OdResBufPtr OdResBuf::newRb(int restype, OdInt8 value)
{
    OdResBufPtr pRb = newRb(restype);
    pRb->setInt8(value);
    return pRb;
}

OdResBufPtr OdResBuf::newRb(int restype, OdInt16 value)
{
    OdResBufPtr pRb = newRb(restype);
    pRb->setInt16(value);
    return pRb;
}

OdResBufPtr OdResBuf::newRb(int restype, OdInt32 value)
{
    OdResBufPtr pRb = newRb(restype);
    pRb->setInt32(value);
    return pRb;
}

OdResBufPtr OdResBuf::newRb(int restype, OdInt64 value)
{
    OdResBufPtr pRb = newRb(restype);
    pRb->setInt64(value);
    return pRb;
}

OdResBufPtr OdResBuf::newRb(int restype, double value)
{
    OdResBufPtr pRb = newRb(restype);
    pRb->setDouble(value);
    return pRb;
}

OdResBufPtr OdResBuf::newRb(int restype, const OdCmColor& value)
{
    OdResBufPtr pRb = newRb(restype);
    pRb->setColor(value);
    return pRb;
}

OdString OdResBuf::getString() const
{
    const OdString* pValue = std::get_if<OdString>(&m_value);
    return pValue ? *pValue : OdString();
}

void OdResBuf::setString(const OdString& value)
{
    m_value = value;
}

template <class Target>
Target OdResBuf::getInteger() const
{
    if (const Int* pInt = std::get_if<Int>(&m_value)) {
        return static_cast<Target>(pInt->value);
    }
    if (const Handle* pHandle = std::get_if<Handle>(&m_value)) {
        return static_cast<Target>(pHandle->value);
    }
    if (const bool* pBool = std::get_if<bool>(&m_value)) {
        return *pBool ? 1 : 0;
    }
    if (const double* pDouble = std::get_if<double>(&m_value)) {
        return clampReal<Target>(*pDouble);
    }
    return 0;
}

bool OdResBuf::getBool() const
{
    if (const bool* pBool = std::get_if<bool>(&m_value)) {
        return *pBool;
    }
    if (const double* pDouble = std::get_if<double>(&m_value)) {
        return *pDouble != 0.0;
    }
    return getInteger<OdInt64>() != 0;
}

void OdResBuf::setBool(bool value)
{
    m_value = value;
}

OdInt8 OdResBuf::getInt8() const
{
    return getInteger<OdInt8>();
}

void OdResBuf::setInt8(OdInt8 value)
{
    m_value = Int{value};
}

OdInt16 OdResBuf::getInt16() const
{
    return getInteger<OdInt16>();
}

void OdResBuf::setInt16(OdInt16 value)
{
    m_value = Int{value};
}

OdInt32 OdResBuf::getInt32() const
{
    return getInteger<OdInt32>();
}

void OdResBuf::setInt32(OdInt32 value)
{
    m_value = Int{value};
}

OdInt64 OdResBuf::getInt64() const
{
    return getInteger<OdInt64>();
}

void OdResBuf::setInt64(OdInt64 value)
{
    m_value = Int{value};
}

double OdResBuf::getDouble() const
{
    if (const double* pDouble = std::get_if<double>(&m_value)) {
        return *pDouble;
    }
    return static_cast<double>(getInteger<OdInt64>());
}

void OdResBuf::setDouble(double value)
{
    m_value = value;
}

OdUInt64 OdResBuf::getHandle() const
{
    if (const Handle* pHandle = std::get_if<Handle>(&m_value)) {
        return pHandle->value;
    }
    if (const Int* pInt = std::get_if<Int>(&m_value)) {
        return pInt->value < 0 ? 0 : static_cast<OdUInt64>(pInt->value);
    }
    return 0;
}

void OdResBuf::setHandle(OdUInt64 value)
{
    m_value = Handle{value};
}

OdCmColor OdResBuf::getColor() const
{
    if (const OdCmColor* pColor = std::get_if<OdCmColor>(&m_value)) {
        return *pColor;
    }
    if (const Int* pInt = std::get_if<Int>(&m_value)) {
        if (pInt->value >= 0 && pInt->value <= 256) {
            return OdCmColor::fromIndex(static_cast<int>(pInt->value));
        }
    }
    return OdCmColor();
}

void OdResBuf::setColor(const OdCmColor& value)
{
    m_value = value;
}

OdBinaryData OdResBuf::getBinaryChunk() const
{
    const OdBinaryData* pValue = std::get_if<OdBinaryData>(&m_value);
    return pValue ? *pValue : OdBinaryData();
}

void OdResBuf::setBinaryChunk(const OdBinaryData& value)
{
    m_value = value;
}

bool OdResBuf::chainContains(const OdResBuf* pItem) const
{
    for (const OdResBuf* pCurrent = this; pCurrent; pCurrent = pCurrent->m_pNext.get()) {
        if (pCurrent == pItem) {
            return true;
        }
    }
    return false;
}

OdResBufPtr OdResBuf::setNext(const OdResBufPtr& pNext)
{
    if (pNext && pNext->chainContains(this)) {
        throw OdError(eInvalidInput);
    }
    m_pNext = pNext;
    return pNext;
}

OdResBufPtr OdResBuf::last() const
{
    const OdResBuf* pCurrent = this;
    while (pCurrent->m_pNext) {
        pCurrent = pCurrent->m_pNext.get();
    }
    return OdResBufPtr(pCurrent);
}

OdResBufPtr OdResBuf::insert(const OdResBufPtr& pRb)
{
    if (!pRb) {
        return pRb;
    }
    if (pRb->chainContains(this)) {
        throw OdError(eInvalidInput);
    }
    OdResBufPtr pRest = std::move(m_pNext);
    pRb->last()->m_pNext = std::move(pRest);
    m_pNext = pRb;
    return pRb;
}
