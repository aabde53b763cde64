#pragma once

#include <CKvStandardsPlugin.h>
#include <CKvString.h>
#include <DbDimStyleTableRecord.h>
#include <DbLeader.h>
#include <DbObjectId.h>
#include <OdDb.h>

#include <QCoreApplication>
#include <QString>

#include <CmColor.h>
#include <vector>

class CKvDatabase;
class OdDbSymbolTable;
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

// One standards dimension style. Its values are read afresh from the standards drawing, which
// stays open until the next check.
struct DimStyleCache
{
    CKvString name;
    CKvString filePath;
    OdSmartPtr<CKvStdsFix> fix;
};

// The dimension style standards plug-in ("Dimension Styles", records of DXF class DIMSTYLE).
// Every property of a dimension style is compared, stored and shown as text; the toString family
// below makes that text, so two values are equal exactly when their texts are.
//
// A drawing style conforms when no compared property of it differs from the first standards
// style of its name (ignoring case); otherwise it is a name violation or a properties violation.
// Child styles (names ending in "$" and one of 0, 2, 3, 4, 6, 7 or a comma) are neither checked
// nor cached. Errors and fixes carry all 79 properties as texts, named by their entry names.
//
// Fixes offered: for a name violation every standards style of another name; for a properties
// violation every standards style still at hand (a style named ISO-25 only the standards ISO-25
// styles), the same-named one recommended. GetPropertyDiffs compares the drawing's style with
// the fix's standards style as they are now, and names the properties by their descriptions.
//
// Applying a fix copies every property of the standards style into the violating style and into
// the drawing's dimension variables; the arrow blocks, text style and line styles it names are
// the drawing's records of the same names, copied from the standards drawing when missing. The
// violating style then takes the standards name when the drawing has no style of it; otherwise
// its dimensions and leaders (not inside external references) move to the drawing's style of
// that name, which becomes current if the violating style was, and the violating style is purged
// when nothing uses it any more.
class CKvDimStylePluginImpl
    : public CKvStandardsPlugin<CKvDimStylePluginImpl, DimStyleCache, OdDbDimStyleTableRecord>
{
    Q_DECLARE_TR_FUNCTIONS(CKvDimStylePluginImpl)

public:
    static const CKvPluginInfo kInfo;
    static constexpr bool kKeepsStandards = true;

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

    // Whether the name is that of a child style (a per-dimension-type sub-style).
    static bool isChildStyleName(const CKvString& name);

    void GetPropertyDiffs(OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix,
                          std::vector<CKvString>& names, OdArray<OdSmartPtr<OdResBuf>>& errorValues,
                          OdArray<OdSmartPtr<OdResBuf>>& fixValues,
                          std::vector<CKvString>& extra) override;
    void FixError(OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix,
                  CKvString& message) override;

    // Copies every compared property of source (a style of another drawing) into target and
    // into the drawing's dimension variables; referenced records are mapped into the drawing.
    static void CopyDimStyle(CKvDatabase* drawing, OdSmartPtr<OdDbDimStyleTableRecord> target,
                             OdSmartPtr<OdDbDimStyleTableRecord> source);
    // The record of `table`'s drawing with the name of record `id` of another drawing, copied in
    // (with what it refers to) when the table lacks it; null for a null id or a failed copy.
    static OdDbObjectId GetRelativeId(OdSmartPtr<OdDbSymbolTable> table, OdDbObjectId id, bool);
    static OdDbObjectId GetRelativeBlockId(OdSmartPtr<OdDbSymbolTable> table, OdDbObjectId id);
    // Re-points the dimensions and leaders of the error's style, in every block that is not from
    // an external reference, to newStyle.
    void moveObjects(OdSmartPtr<CKvStdsError> error, OdDbObjectId newStyle);

protected:
    void recordsUsedBy(const OdDbObject& object,
                       const std::function<void(OdDbObjectId)>& use) const override;

private:
    friend class CKvStandardsPlugin<CKvDimStylePluginImpl, DimStyleCache, OdDbDimStyleTableRecord>;

    static OdDbObjectId tableOf(const OdDbDatabase& database);
    bool inContext(const OdDbDimStyleTableRecord& style) const;
    bool inFullList(const OdDbDatabase& drawing, const OdDbDimStyleTableRecord& style) const;
    bool isStandard(const OdDbDimStyleTableRecord& style) const;
    DimStyleCache* makeCache(OdDbDatabase& standards, const OdDbDimStyleTableRecord& style,
                             const CKvString& path);
    Violation test(const OdDbDimStyleTableRecord& style, const DimStyleCache* match);
    void addErrorValues(CKvStdsError& error, const OdDbDimStyleTableRecord& style) const;
    CandidatesPtr offerFor(Violation violation, CKvStdsError& error);
    void fillRecommended(CKvStdsFix& fix, const DimStyleCache& candidate);
    bool valuesDiffer(const CKvString& property, const OdResBufPtr& current,
                      const OdResBufPtr& standard) const;

    // The standards style of that name in the standards drawing of `path` (read again when the
    // last check did not keep it); null when either cannot be had.
    OdSmartPtr<OdDbDimStyleTableRecord> standardsStyle(const CKvString& path,
                                                       const CKvString& name);
};
