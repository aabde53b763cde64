#include "TextStyleProperties.h"

#include <CKvObjectAnnotationContext.h>

#include <QtGlobal>

#include <GiTextStyle.h>
#include <iterator>
#include <memory>

const TextStyleProperty kTextStyleProperties[12] = {
    {QT_TRANSLATE_NOOP("CKvTextStylePluginImpl", "Name"), &TextStyleCache::name},
    {QT_TRANSLATE_NOOP("CKvTextStylePluginImpl", "Font"), &TextStyleCache::font},
    {QT_TRANSLATE_NOOP("CKvTextStylePluginImpl", "BigFont"), &TextStyleCache::bigFont},
    {QT_TRANSLATE_NOOP("CKvTextStylePluginImpl", "Text Height"), &TextStyleCache::textHeight},
    {QT_TRANSLATE_NOOP("CKvTextStylePluginImpl", "Upside Down"), &TextStyleCache::upsideDown},
    {QT_TRANSLATE_NOOP("CKvTextStylePluginImpl", "Vertical"), &TextStyleCache::vertical},
    {QT_TRANSLATE_NOOP("CKvTextStylePluginImpl", "Backwards"), &TextStyleCache::backwards},
    {QT_TRANSLATE_NOOP("CKvTextStylePluginImpl", "Width"), &TextStyleCache::width},
    // Radians both in the record and in errors and fixes.
    {QT_TRANSLATE_NOOP("CKvTextStylePluginImpl", "Oblique Angle"), &TextStyleCache::obliqueAngle},
    {QT_TRANSLATE_NOOP("CKvTextStylePluginImpl", "Font Style"), &TextStyleCache::fontStyle},
    {QT_TRANSLATE_NOOP("CKvTextStylePluginImpl", "Annotative"), &TextStyleCache::annotative},
    {QT_TRANSLATE_NOOP("CKvTextStylePluginImpl", "Match orientation to sheet"),
     &TextStyleCache::matchOrientation},
};
static_assert(std::size(kTextStyleProperties) == 12, "a text style compares twelve values");

namespace {

constexpr double kTolerance = 1e-10;

bool withinTolerance(double difference)
{
    return difference >= -kTolerance && difference <= kTolerance;
}

// Font styles are values of errors and fixes, not messages: they stay untranslated.
CKvString fontStyleOf(const OdDbTextStyleTableRecord& textStyle)
{
    OdGiTextStyle drawn;
    giFromDbTextStyle(textStyle.objectId(), drawn);
    if (drawn.isShxFont()) {
        // A shape font has no style of its own, whatever TrueType description the record keeps.
        return CKvString();
    }
    OdString typeface;
    bool bold = false;
    bool italic = false;
    int charset = 0;
    int pitchAndFamily = 0;
    textStyle.font(typeface, bold, italic, charset, pitchAndFamily);
    if (bold) {
        return CKvString(italic ? "Bold Italic" : "Bold");
    }
    return CKvString(italic ? "Italic" : "Normal");
}

OdResBufPtr valueOf(const CKvString& text)
{
    return OdResBuf::newRb(OdResBuf::kRtString, text.toOdString());
}

OdResBufPtr valueOf(double real)
{
    return OdResBuf::newRb(OdResBuf::kRtDouble, real);
}

OdResBufPtr valueOf(bool flag)
{
    return OdResBuf::newRb(OdResBuf::kDxfBool, flag);
}

void read(const OdResBuf& value, CKvString& text)
{
    if (value.restype() == OdResBuf::kRtString) {
        text = CKvString(value.getString());
    }
}

void read(const OdResBuf& value, double& real)
{
    if (value.restype() == OdResBuf::kRtDouble) {
        real = value.getDouble();
    }
}

void read(const OdResBuf& value, bool& flag)
{
    if (value.restype() == OdResBuf::kDxfBool) {
        flag = value.getBool();
    }
}

bool same(const CKvString& current, const CKvString& standard)
{
    return current.CompareNoCase(standard) == 0;
}

// The standards value minus the current one.
bool same(double current, double standard)
{
    return withinTolerance(standard - current);
}

bool same(bool current, bool standard)
{
    return current == standard;
}

}  // namespace

CKvString textStylePropertyName(const TextStyleProperty& property)
{
    return CKvString(QCoreApplication::translate("CKvTextStylePluginImpl", property.name));
}

TextStyleCache textStyleValuesOf(const OdDbTextStyleTableRecord& textStyle)
{
    TextStyleCache values;
    values.name = CKvString(textStyle.getName());
    values.font = CKvString(textStyle.fileName());
    values.bigFont = CKvString(textStyle.bigFontFileName());
    values.textHeight = textStyle.textSize();
    values.upsideDown = textStyle.isUpsideDown();
    values.vertical = textStyle.isVertical();
    values.backwards = textStyle.isBackwards();
    values.width = textStyle.xScale();
    values.obliqueAngle = textStyle.obliquingAngle();
    values.fontStyle = fontStyleOf(textStyle);
    values.annotative =
        CKvObjectAnnotationContext::IsAnnotative(textStyle.objectId(), &values.matchOrientation);
    return values;
}

void CKvTextStylePluginImpl::makeResbufChain(bool toFix, OdSmartPtr<CKvStdsFix> fix,
                                             OdSmartPtr<CKvStdsError> error, TextStyleCache* values)
{
    if (values == nullptr || (toFix ? fix.isNull() : error.isNull())) {
        return;
    }
    for (const TextStyleProperty& property : kTextStyleProperties) {
        const OdResBufPtr value =
            std::visit([&](auto field) { return valueOf(values->*field); }, property.field);
        if (toFix) {
            fix->AddProperty(textStylePropertyName(property), value);
        } else {
            error->AddProperty(textStylePropertyName(property), value);
        }
    }
}

void CKvTextStylePluginImpl::makeResbufChain(bool toFix, OdSmartPtr<CKvStdsError> error,
                                             OdDbTextStyleTableRecord* record)
{
    if (toFix || record == nullptr) {
        return;
    }
    TextStyleCache values = textStyleValuesOf(*record);
    makeResbufChain(false, OdSmartPtr<CKvStdsFix>(), error, &values);
}

TextStyleCache* CKvTextStylePluginImpl::getCache(bool fromFix, OdSmartPtr<CKvStdsFix> fix,
                                                 OdSmartPtr<CKvStdsError> error)
{
    auto values = std::make_unique<TextStyleCache>();
    if (fromFix ? fix.isNull() : error.isNull()) {
        return values.release();
    }
    for (const TextStyleProperty& property : kTextStyleProperties) {
        const CKvString name = textStylePropertyName(property);
        const OdResBufPtr value =
            fromFix ? fix->GetPropertyValue(name) : error->GetPropertyValue(name);
        if (!value.isNull()) {
            std::visit([&](auto field) { read(*value, values.get()->*field); }, property.field);
        }
    }
    return values.release();
}

bool CKvTextStylePluginImpl::compare(OdDbTextStyleTableRecord* record, TextStyleCache* values)
{
    if (record == nullptr) {
        return false;
    }
    TextStyleCache recordValues = textStyleValuesOf(*record);
    return compare(&recordValues, values);
}

bool CKvTextStylePluginImpl::compare(TextStyleCache* a, TextStyleCache* b)
{
    if (a == nullptr || b == nullptr) {
        return false;
    }
    for (const TextStyleProperty& property : kTextStyleProperties) {
        const bool equal =
            std::visit([&](auto field) { return same(a->*field, b->*field); }, property.field);
        if (!equal) {
            return false;
        }
    }
    return true;
}

bool CKvTextStylePluginImpl::compare(OdSmartPtr<OdResBuf> a, OdSmartPtr<OdResBuf> b)
{
    if (a.isNull() || b.isNull() || a->restype() != b->restype()) {
        return false;
    }
    switch (a->restype()) {
        case OdResBuf::kRtString:
            return a->getString().iCompare(b->getString()) == 0;
        case OdResBuf::kRtDouble:
            return withinTolerance(a->getDouble() - b->getDouble());
        case OdResBuf::kDxfBool:
            return a->getBool() == b->getBool();
        default:
            return false;
    }
}
