// OdResBuf: one typed value tagged with a result-type code (a DXF group code or one of the
// kRt codes below), linked into a chain through next(). Reference counted; chains own their
// tail.
//
// Contract:
// - The value kind of a code comes from odResBufDataKind(): DXF codes by their group-code range,
//   kRt codes by their meaning. Points (kRtPoint2d, kRtPoint3d) carry no value here: the
//   database keeps coordinates as separate DXF real groups.
// - Each setter stores its own kind of value; restype() is independent of it (setRestype does not
//   convert the value).
// - Getters on another kind of value: numeric getters convert between integers, reals and bool
//   (reals are truncated toward zero and clamped to the target range; bool reads 0/1, and
//   getBool is "not zero"); getHandle reads a non-negative integer as a handle and an integer
//   getter reads a handle as its value; getColor reads an integer as a palette index
//   (out-of-range: ByLayer). Anything else gives the default: an empty string, 0, false, a
//   ByLayer colour, an empty binary chunk.
// - insert(rb) puts `rb` (with any chain it heads) directly after this item; the rest of this
//   chain follows the inserted chain. setNext(rb) replaces everything after this item. Both
//   raise OdError(eInvalidInput) when `rb`'s chain contains this item (a cycle).
// - Destroying a long chain does not recurse.
#ifndef OD_RES_BUF_H
#define OD_RES_BUF_H

#include <OdArray.h>
#include <OdString.h>
#include <OdTypes.h>
#include <RxObject.h>

#include <CmColor.h>
#include <variant>

class OdResBuf;
typedef OdSmartPtr<OdResBuf> OdResBufPtr;
typedef OdArray<OdUInt8> OdBinaryData;

class OdResBuf : public OdRxObject
{
public:
    ODRX_DECLARE_MEMBERS(OdResBuf);

    enum ValueType {
        kDxfText = 1,
        kDxfInt32 = 90,
        kDxfInt8 = 280,
        kDxfBool = 290,
        kDxfXTextString = 300,
        kRtNone = 5000,
        kRtDouble = 5001,
        kRtPoint2d = 5002,
        kRtInt16 = 5003,
        kRtAngle = 5004,
        kRtString = 5005,
        kRtEntName = 5006,
        kRtPickSet = 5007,
        kRtOrient = 5008,
        kRtPoint3d = 5009,
        kRtInt32 = 5010,
        kRtColor = 5011
    };

    // What a result-type code holds.
    enum class DataKind {
        kNone,
        kString,
        kDouble,
        kInt8,
        kInt16,
        kInt32,
        kInt64,
        kBool,
        kHandle,
        kBinary,
        kColor,
        kPoint,
        kInvalid  // not a DXF group code nor a kRt code
    };

    OdResBuf() = default;
    ~OdResBuf() override;

    static OdResBufPtr newRb(int restype = kRtNone);
    static OdResBufPtr newRb(int restype, const OdString& value);
    static OdResBufPtr newRb(int restype, const wchar_t* value);
    static OdResBufPtr newRb(int restype, const char* value);
    static OdResBufPtr newRb(int restype, bool value);
    static OdResBufPtr newRb(int restype, OdInt8 value);
    static OdResBufPtr newRb(int restype, OdInt16 value);
    static OdResBufPtr newRb(int restype, OdInt32 value);
    static OdResBufPtr newRb(int restype, OdInt64 value);
    static OdResBufPtr newRb(int restype, double value);
    static OdResBufPtr newRb(int restype, const OdCmColor& value);

    int restype() const noexcept { return m_restype; }
    void setRestype(int restype) noexcept { m_restype = restype; }

    OdString getString() const;
    void setString(const OdString& value);
    bool getBool() const;
    void setBool(bool value);
    OdInt8 getInt8() const;
    void setInt8(OdInt8 value);
    OdInt16 getInt16() const;
    void setInt16(OdInt16 value);
    OdInt32 getInt32() const;
    void setInt32(OdInt32 value);
    OdInt64 getInt64() const;
    void setInt64(OdInt64 value);
    double getDouble() const;
    void setDouble(double value);
    OdUInt64 getHandle() const;
    void setHandle(OdUInt64 value);
    OdCmColor getColor() const;
    void setColor(const OdCmColor& value);
    OdBinaryData getBinaryChunk() const;
    void setBinaryChunk(const OdBinaryData& value);

    OdResBufPtr next() const { return m_pNext; }
    // Returns `pNext`.
    OdResBufPtr setNext(const OdResBufPtr& pNext);
    // The last item of the chain that starts here (this item when there is no next).
    OdResBufPtr last() const;
    // Returns `pRb`.
    OdResBufPtr insert(const OdResBufPtr& pRb);

private:
    struct Handle
    {
        OdUInt64 value;
    };
    struct Int
    {
        OdInt64 value;
    };
    // Which integer getter fits is the caller's business; integers of all widths share Int.
    using Value =
        std::variant<std::monostate, OdString, double, Int, bool, Handle, OdCmColor, OdBinaryData>;

    bool chainContains(const OdResBuf* pItem) const;
    template <class Target>
    Target getInteger() const;

    int m_restype = kRtNone;
    Value m_value;
    OdResBufPtr m_pNext;
};

// What a result-type code holds (see OdResBuf::DataKind).
OdResBuf::DataKind odResBufDataKind(int restype);

#endif  // OD_RES_BUF_H
