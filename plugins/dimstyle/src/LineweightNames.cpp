#include "LineweightNames.h"

#include <QCoreApplication>
#include <QString>

#include <array>

namespace {

// The standard lineweights, in hundredths of a millimetre, ascending.
constexpr std::array<int, 24> kLineweights = {0,  5,   9,   13,  15,  18,  20,  25,
                                              30, 35,  40,  50,  53,  60,  70,  80,
                                              90, 100, 106, 120, 140, 158, 200, 211};

CKvString standardName(int hundredths)
{
    CKvString name;
    name.formatA("%d.%02d mm", hundredths / 100, hundredths % 100);
    return name;
}

}  // namespace

CKvString ConvertLineweightToName(OdDb::LineWeight lineweight)
{
    switch (lineweight) {
        case OdDb::kLnWtByLayer:
            return CKvString("ByLayer");
        case OdDb::kLnWtByBlock:
            return CKvString("ByBlock");
        case OdDb::kLnWtByLwDefault:
            return CKvString(QCoreApplication::translate("CKvCommand", "Default"));
        default:
            break;
    }
    for (const int value : kLineweights) {
        if (value == lineweight) {
            return standardName(value);
        }
    }
    return CKvString();
}

bool convertStringToLineweight(CKvString& text, OdDb::LineWeight& lineweight)
{
    const QString wanted = text.toQString();
    static const struct
    {
        const char* keyword;
        OdDb::LineWeight value;
    } keywords[] = {{"ByBlock", OdDb::kLnWtByBlock},
                    {"ByLayer", OdDb::kLnWtByLayer},
                    {"ByDefault", OdDb::kLnWtByLwDefault}};
    int hits = 0;
    OdDb::LineWeight hit = lineweight;
    for (const auto& k : keywords) {
        if (QString::fromLatin1(k.keyword).indexOf(wanted, 0, Qt::CaseInsensitive) >= 0) {
            ++hits;
            hit = k.value;
        }
    }
    if (hits > 1) {
        return false;
    }
    if (hits == 1) {
        lineweight = hit;
        return true;
    }
    for (const int value : kLineweights) {
        if (standardName(value).CompareNoCase(text) == 0) {
            lineweight = static_cast<OdDb::LineWeight>(value);
            break;
        }
    }
    return true;
}
