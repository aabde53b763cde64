#pragma once

#include <OdString.h>
#include <OdTypes.h>

// A database handle: the persistent 64-bit identity of an object inside one drawing, written in
// DXF as upper-case hexadecimal without leading zeros ("0" is the null handle).
class OdDbHandle
{
public:
    OdDbHandle() = default;
    OdDbHandle(OdUInt64 value) : m_value(value) {}

    bool isNull() const { return m_value == 0; }
    operator OdUInt64() const { return m_value; }
    OdString ascii() const;

    // Parses hexadecimal text; returns the null handle for text that is not a handle.
    static OdDbHandle fromAscii(const OdString& text);

private:
    OdUInt64 m_value = 0;
};
