#pragma once

#include <CKvStandardsPlugin.h>
#include <CKvString.h>
#include <DbLeader.h>
#include <DbObjectId.h>
#include <OdDb.h>

#include <QCoreApplication>
#include <QString>

#include <CmColor.h>
#include <vector>

class OdRxClass;
class OdDbDimStyleTableRecord;
template <class T>
class OdSmartPtr;

// One compared property of two dimension styles: its entry name (upper case) and the values of
// the first and the second style, rendered as text.
struct CompareEntry
{
    QString name;
    QString firstValue;
    QString secondValue;
};

// The dimension style standards plug-in ("Dimension Styles", records of DXF class DIMSTYLE).
// Every property of a dimension style is compared, stored and shown as text; the toString family
// below makes that text, so two values are equal exactly when their texts are.
class CKvDimStylePluginImpl : public CKvStandardsPlugin<CKvDimStylePluginImpl>
{
    Q_DECLARE_TR_FUNCTIONS(CKvDimStylePluginImpl)

public:
    static const CKvPluginInfo kInfo;

    CKvDimStylePluginImpl();
    ~CKvDimStylePluginImpl() override;

    static CKvString toString(bool value);
    static CKvString toString(int value);
    // Four decimals without trailing zeros but one ("2.5", "3.0"); from 1e6 on, "%.4E".
    static CKvString toString(double value);
    // The text; an empty text renders as two double quotes.
    static CKvString toString(const OdString& value);
    static CKvString toString(const wchar_t* value);
    // "ByLayer", "ByBlock", "Foreground", "None", the display name of an index colour, or
    // "ByColor r255:g0:b0" for a true colour; "???" for anything else.
    static CKvString toString(const OdCmColor& value);
    static CKvString toString(OdDb::LineWeight value);
    // The name of the referenced record ("Null" for no reference or an erased one), so that
    // references into two drawings compare by name; "<Class>" for other objects.
    static CKvString toString(OdDbObjectId value);
    static CKvString toString(const OdRxClass* value);
    static CKvString toString(OdDbLeader::AnnoType value);
    static CKvString toString(const CKvString& format, int value);
    static CKvString toString(const CKvString& format, double value);
    // "r<red>:g<green>:b<blue>" from the three lowest bytes (red lowest).
    static CKvString toRGBString(const unsigned int& value);

    // The compared properties of two styles in table order: only those whose texts differ, or
    // all 79 with `all`. Either style null gives an empty list. Values compare as rendered
    // text, so references into two drawings are equal when they name records of the same name.
    static std::vector<CompareEntry> compareDimStyleRecords(
        const OdSmartPtr<OdDbDimStyleTableRecord>& first,
        const OdSmartPtr<OdDbDimStyleTableRecord>& second, bool all);

    // The translated description of a property (entry names such as "DIMASZ", ignoring case);
    // the empty text for a property without one.
    CKvString descriptionFor(CKvString name) const;
};
