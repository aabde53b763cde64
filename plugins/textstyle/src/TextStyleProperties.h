// The twelve compared values of a text style: one row each, in check order, which is also the
// order in which errors and fixes receive them. The rows drive the comparisons, the values of
// errors and fixes, and reading them back.
#ifndef KV_TEXT_STYLE_PROPERTIES_H
#define KV_TEXT_STYLE_PROPERTIES_H

#include "CKvTextStylePluginImpl.h"

#include <variant>

struct TextStyleProperty
{
    // The untranslated property name (context "CKvTextStylePluginImpl").
    const char* name;
    // The value's field; its type gives the value's type code: texts 5005, reals 5001, flags 290.
    std::variant<CKvString TextStyleCache::*, double TextStyleCache::*, bool TextStyleCache::*>
        field;
};

extern const TextStyleProperty kTextStyleProperties[12];

// The property's name, translated.
CKvString textStylePropertyName(const TextStyleProperty& property);

// The twelve values of a text style: the record's own, the annotative and match-orientation
// flags as the host keeps them, and the font style. No standards file, no fix.
TextStyleCache textStyleValuesOf(const OdDbTextStyleTableRecord& textStyle);

#endif  // KV_TEXT_STYLE_PROPERTIES_H
