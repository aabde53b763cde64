#include "CKvDimStylePluginImpl.h"
#include "DimStyleProperties.h"
#include "LineweightNames.h"

#include <DbDimStyleTableRecord.h>
#include <DbObject.h>
#include <DbSymbolTableRecord.h>
#include <RxClass.h>

#include <charconv>
#include <cmath>
#include <string>

CKvString CKvDimStylePluginImpl::toString(bool value)
{
    return CKvString(value ? "true" : "false");
}

CKvString CKvDimStylePluginImpl::toString(int value)
{
    CKvString text;
    text.formatA("%d", value);
    return text;
}

CKvString CKvDimStylePluginImpl::toString(double value)
{
    // Formatted without the user's locale: the full stop is the decimal separator whatever the
    // language, or texts written in two sessions would not compare.
    char buffer[512];
    if (std::fabs(value) < 1000000.0) {
        const auto end =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4).ptr;
        std::string digits(buffer, end);
        // Trailing zeros go, but one digit stays after the point.
        while (digits.size() >= 2 && digits[digits.size() - 2] != '.' && digits.back() == '0') {
            digits.pop_back();
        }
        return CKvString(digits.c_str());
    }
    // Large values, and values that are not numbers, as "%.4E" writes them.
    if (std::isnan(value) || std::isinf(value)) {
        CKvString text;
        text.formatA("%.4E", value);
        return text;
    }
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 4).ptr;
    std::string text(buffer, end);
    for (char& c : text) {
        c = c == 'e' ? 'E' : c;
    }
    return CKvString(text.c_str());
}

CKvString CKvDimStylePluginImpl::toString(const OdString& value)
{
    return value.isEmpty() ? CKvString("\"\"") : CKvString(value);
}

CKvString CKvDimStylePluginImpl::toString(const wchar_t* value)
{
    return value == nullptr || *value == L'\0' ? CKvString("\"\"") : CKvString(value);
}

CKvString CKvDimStylePluginImpl::toString(const OdCmColor& value)
{
    if (value.isByLayer()) {
        return CKvString("ByLayer");
    }
    if (value.isByBlock()) {
        return CKvString("ByBlock");
    }
    if (value.isForeground()) {
        return CKvString(QCoreApplication::translate("CKvQtColorComboBoxBase", "Foreground"));
    }
    if (value.isNone()) {
        return CKvString(QCoreApplication::translate("CKvQtColorComboBoxBase", "None"));
    }
    if (value.isByACI()) {
        return CKvString(value.colorNameForDisplay());
    }
    if (value.isByColor()) {
        CKvString text(QCoreApplication::translate("CKvQtColorComboBoxBase", "ByColor"));
        CKvString components;
        components.formatA(" r%d:g%d:b%d", value.red(), value.green(), value.blue());
        return text + components;
    }
    return CKvString("???");
}

CKvString CKvDimStylePluginImpl::toString(OdDb::LineWeight value)
{
    return ConvertLineweightToName(value);
}

CKvString CKvDimStylePluginImpl::toString(OdDbObjectId value)
{
    if (value.isNull() || value.isErased()) {
        return CKvString("Null");
    }
    OdDbObjectPtr object = value.openObject();
    if (object.isNull()) {
        return CKvString("Null");
    }
    OdDbSymbolTableRecordPtr record = OdDbSymbolTableRecord::cast(object.get());
    if (!record.isNull()) {
        return CKvString(record->getName());
    }
    return toString(object->isA());
}

CKvString CKvDimStylePluginImpl::toString(const OdRxClass* value)
{
    return CKvString("<") + CKvString(value != nullptr ? value->name() : OdString()) +
           CKvString(">");
}

CKvString CKvDimStylePluginImpl::toString(OdDbLeader::AnnoType value)
{
    switch (static_cast<int>(value)) {
        case 0:
            return CKvString("kMText");
        case 1:
            return CKvString("kFcf");
        case 2:
            return CKvString("kBlockRef");
        case 3:
            return CKvString("kNoAnno");
        default:
            return CKvString("???");
    }
}

CKvString CKvDimStylePluginImpl::toString(const CKvString& format, int value)
{
    CKvString text;
    text.format(format.c_str(), value);
    return text;
}

CKvString CKvDimStylePluginImpl::toString(const CKvString& format, double value)
{
    CKvString text;
    text.format(format.c_str(), value);
    return text;
}

CKvString CKvDimStylePluginImpl::toRGBString(const unsigned int& value)
{
    CKvString text;
    text.formatA("r%u:g%u:b%u", value & 0xFFu, (value >> 8) & 0xFFu, (value >> 16) & 0xFFu);
    return text;
}

std::vector<CompareEntry> CKvDimStylePluginImpl::compareDimStyleRecords(
    const OdSmartPtr<OdDbDimStyleTableRecord>& first,
    const OdSmartPtr<OdDbDimStyleTableRecord>& second, bool all)
{
    std::vector<CompareEntry> entries;
    if (first.isNull() || second.isNull()) {
        return entries;
    }
    for (size_t i = 0; i < kDimStylePropertyCount; ++i) {
        const DimStyleProperty& property = kDimStyleProperties[i];
        CompareEntry entry{QString::fromLatin1(property.entry), property.render(*first).toQString(),
                           property.render(*second).toQString()};
        if (all || entry.firstValue != entry.secondValue) {
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

CKvString CKvDimStylePluginImpl::descriptionFor(CKvString name) const
{
    for (size_t i = 0; i < kDimStylePropertyCount; ++i) {
        const DimStyleProperty& property = kDimStyleProperties[i];
        if (name.CompareNoCase(CKvString(property.entry)) == 0) {
            return property.description == nullptr ? CKvString()
                                                   : CKvString(tr(property.description));
        }
    }
    return CKvString();
}
