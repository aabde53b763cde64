// CKvTextStylePluginImpl: the text style standards plug-in ("Text Styles", records of DXF class
// STYLE).
//
// A drawing text style conforms when the first standards text style of its name (ignoring case)
// has the same twelve values: font, big font and font style compared ignoring case, text height,
// width and oblique angle within 1e-10 (absolute, bounds included), the upside-down, vertical and
// backwards flags, and the annotative and match-orientation flags kept by the host. Otherwise it
// is a name violation or a properties violation; "Standard" has no exemption. Shape-file records
// are neither checked nor taken as standards, and nameless ones are left out of a full check. A
// style that the drawing's table cannot find by its own name is skipped.
//
// The font style is "Normal", "Bold", "Italic" or "Bold Italic" after the record's TrueType
// description, and empty for a compiled shape (SHX) font, whatever that description says.
//
// The plug-in keeps no standards drawing for its fixes: every value a fix needs travels in the
// fix. Errors and fixes carry all twelve values under their property names,
// strings as 5005, reals as 5001 and flags as 290.
//
// Fixes offered: for a name violation every standards text style; for a properties violation
// every standards text style that is not equal to the style, the same-named one recommended,
// except that a drawing's "Standard" style is offered only the standards "Standard" styles.
//
// Applying a fix (without a fix: the recommended one) takes the fix's twelve values. When the
// drawing has a style of the fix's name, that style gets the values, every text-bearing entity
// of the violating style moves to it (texts, multiline and arc-aligned texts, attributes and
// their definitions, tables in all their row types, remote texts; not inside external
// references), it becomes current if the violating style was, and the violating style is purged
// when nothing uses it any more. Otherwise the violating style is renamed and takes the values,
// keeping its identity and its users.
#ifndef KV_CKV_TEXT_STYLE_PLUGIN_IMPL_H
#define KV_CKV_TEXT_STYLE_PLUGIN_IMPL_H

#include <CKvStandardsPlugin.h>
#include <DbTextStyleTableRecord.h>

#include <QCoreApplication>

// One standards text style, or the values of a drawing style, an error or a fix (then without
// standards file and fix).
struct TextStyleCache
{
    CKvString name;
    CKvString font;
    CKvString bigFont;
    double textHeight = 0.0;
    bool upsideDown = false;
    bool vertical = false;
    bool backwards = false;
    double width = 1.0;
    // Radians, as the record stores it.
    double obliqueAngle = 0.0;
    CKvString fontStyle;
    CKvString standardsFile;
    OdSmartPtr<CKvStdsFix> fix;
    bool annotative = false;
    bool matchOrientation = false;
};

class CKvTextStylePluginImpl
    : public CKvStandardsPlugin<CKvTextStylePluginImpl, TextStyleCache, OdDbTextStyleTableRecord>
{
    Q_DECLARE_TR_FUNCTIONS(CKvTextStylePluginImpl)

public:
    static const CKvPluginInfo kInfo;
    static constexpr bool kKeepsStandards = false;

    CKvTextStylePluginImpl();
    ~CKvTextStylePluginImpl() override;

    // Adds the twelve values of `values` to the fix (toFix) or to the error, without looking at
    // what they hold already. A null target is left alone.
    void makeResbufChain(bool toFix, OdSmartPtr<CKvStdsFix> fix, OdSmartPtr<CKvStdsError> error,
                         TextStyleCache* values);
    // Adds the record's twelve values to the error; does nothing when toFix.
    void makeResbufChain(bool toFix, OdSmartPtr<CKvStdsError> error,
                         OdDbTextStyleTableRecord* record);
    // A new holder (the caller deletes it) of the values of the fix (fromFix) or of the error. A
    // value missing, or stored under another type code than its property's, keeps the default;
    // so do all of them when the source is null.
    TextStyleCache* getCache(bool fromFix, OdSmartPtr<CKvStdsFix> fix,
                             OdSmartPtr<CKvStdsError> error);
    // The twelve values equal, in check order: name, font and big font ignoring case, text
    // height, the three orientation flags, width, oblique angle, font style ignoring case, the
    // annotative and match-orientation flags. False when either side is null.
    bool compare(OdDbTextStyleTableRecord* record, TextStyleCache* values);
    bool compare(TextStyleCache* a, TextStyleCache* b);
    // Values of the same type code and equal: texts (5005) ignoring case, reals (5001) within
    // 1e-10, flags (290) exactly. Values of other codes, of different codes, or null, are never
    // equal.
    bool compare(OdSmartPtr<OdResBuf> a, OdSmartPtr<OdResBuf> b);

    void FixError(OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix,
                  CKvString& message) override;
    // Re-points the entities of every block of the drawing that are not from an external
    // reference, and the attributes of its block references, from the error's style to
    // newStyle.
    void moveObjects(OdSmartPtr<CKvStdsError> error, OdDbObjectId newStyle);

protected:
    void recordsUsedBy(const OdDbObject& object,
                       const std::function<void(OdDbObjectId)>& use) const override;

private:
    friend class CKvStandardsPlugin<CKvTextStylePluginImpl, TextStyleCache,
                                    OdDbTextStyleTableRecord>;

    static OdDbObjectId tableOf(const OdDbDatabase& database);
    bool inContext(const OdDbTextStyleTableRecord& textStyle) const;
    bool inFullList(const OdDbDatabase& drawing, const OdDbTextStyleTableRecord& textStyle) const;
    bool isStandard(const OdDbTextStyleTableRecord& textStyle) const;
    TextStyleCache* makeCache(OdDbDatabase& standards, const OdDbTextStyleTableRecord& textStyle,
                              const CKvString& path);
    Violation test(const OdDbTextStyleTableRecord& textStyle, const TextStyleCache* match);
    void addErrorValues(CKvStdsError& error, const OdDbTextStyleTableRecord& textStyle);
    CandidatesPtr offerFor(Violation violation, CKvStdsError& error);
    void fillRecommended(CKvStdsFix& fix, const TextStyleCache& candidate);
    bool valuesDiffer(const CKvString& property, const OdResBufPtr& current,
                      const OdResBufPtr& standard);

    // Whether the drawing's text style table finds the style by its name; true when the table
    // cannot be opened.
    bool foundByName(const OdDbTextStyleTableRecord& textStyle) const;
};

#endif  // KV_CKV_TEXT_STYLE_PLUGIN_IMPL_H
