#include <CKvValueText.h>
#include <OdString.h>

#include <charconv>
#include <string>

namespace {

CKvString integerText(long long value)
{
    return CKvString(std::to_string(value).c_str());
}

// std::to_chars never consults the locale, unlike printf's "%.4f".
CKvString realText(double value)
{
    // Room for the largest finite double written out in full, with its four decimals.
    char buffer[400];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof buffer - 1, value, std::chars_format::fixed, 4);
    *result.ptr = '\0';
    return CKvString(buffer);
}

}  // namespace

CKvString valueText(const OdResBufPtr& value)
{
    if (value.isNull()) {
        return CKvString();
    }
    switch (value->restype()) {
        case OdResBuf::kDxfInt8:
            return integerText(value->getInt8());
        case OdResBuf::kDxfBool:
            return CKvString(value->getBool() ? "1" : "0");
        case OdResBuf::kRtDouble:
            return realText(value->getDouble());
        case OdResBuf::kRtInt16:
            return integerText(value->getInt16());
        case OdResBuf::kRtString:
            return CKvString(value->getString());
        case OdResBuf::kRtInt32:
            return integerText(value->getInt32());
        case OdResBuf::kRtColor:
            return CKvString(value->getColor().colorNameForDisplay());
        default:
            return CKvString();
    }
}
