// CKvLineStylePluginImpl: the line style standards plug-in ("Line Styles", records of DXF class
// LTYPE).
//
// A drawing line style conforms when the first standards line style of its name (ignoring case)
// has the same number of dashes and a pattern length within 1e-10 (absolute, bounds included);
// otherwise it is a name violation or a properties violation. The drawing's ByLayer, ByBlock
// and Continuous line styles are never checked in a full check. Errors and fixes carry "Name",
// "Dashes" (32-bit integer) and "Pattern Length" (real).
//
// Fixes offered: for a name violation every standards line style; for a properties violation
// every standards line style that is not equal to the line style (name ignoring case, dashes,
// pattern length), the same-named one recommended. ByBlock, ByLayer and Continuous, which every
// drawing keeps, are offered only the standards line styles of their own name.
//
// Applying a fix (without a fix: the recommended one) brings a copy of the standards drawing's
// line style into the drawing: as a new record when the drawing has none of its name, else into
// the drawing's record of that name, which keeps its identity (Continuous, ByLayer and ByBlock
// are kept as they are). Unless the violating line style was that record, its entities (not
// inside external references) and layers move to it, it becomes current if the violating one
// was, and the violating line style is purged when nothing uses it any more. The standards
// drawing is read, never changed.
#ifndef KV_CKV_LINE_STYLE_PLUGIN_IMPL_H
#define KV_CKV_LINE_STYLE_PLUGIN_IMPL_H

#include <CKvStandardsPlugin.h>
#include <DbLinetypeTableRecord.h>

#include <QCoreApplication>

// One standards line style, or the values of an error or a fix (then without file and fix).
struct LineStyleCache
{
    CKvString name;
    int dashes = 0;
    double patternLength = 0.0;
    CKvString standardsFile;
    OdSmartPtr<CKvStdsFix> fix;
};

class CKvLineStylePluginImpl
    : public CKvStandardsPlugin<CKvLineStylePluginImpl, LineStyleCache, OdDbLinetypeTableRecord>
{
    Q_DECLARE_TR_FUNCTIONS(CKvLineStylePluginImpl)

public:
    static const CKvPluginInfo kInfo;
    static constexpr bool kKeepsStandards = true;

    CKvLineStylePluginImpl();
    ~CKvLineStylePluginImpl() override;

    // Adds the three values of `values` to the fix (toFix) or to the error, without looking at
    // what they hold already.
    void makeResbufChain(bool toFix, OdSmartPtr<CKvStdsFix> fix, OdSmartPtr<CKvStdsError> error,
                         LineStyleCache* values);
    // Adds the record's values to the error, unless `skip`.
    void makeResbufChain(bool skip, OdSmartPtr<CKvStdsError> error,
                         OdDbLinetypeTableRecord* record);
    // A new holder (the caller deletes it) of the values of the fix (fromFix) or of the error.
    LineStyleCache* getCache(bool fromFix, OdSmartPtr<CKvStdsFix> fix,
                             OdSmartPtr<CKvStdsError> error);
    // Names equal ignoring case, the same dashes, pattern lengths within 1e-10.
    bool compare(OdDbLinetypeTableRecord* record, LineStyleCache* values);
    bool compare(LineStyleCache* a, LineStyleCache* b);
    // Values of the same type code and equal: texts ignoring case, integers exactly, reals
    // within 1e-10. Values of other codes, or of different codes, are never equal.
    bool compare(OdSmartPtr<OdResBuf> a, OdSmartPtr<OdResBuf> b);

    void FixError(OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix,
                  CKvString& message) override;
    // Re-points the entities of every block that is not from an external reference, sub-entities
    // included, and the layers that use the error's line style to lineStyle.
    void moveObjects(OdSmartPtr<CKvStdsError> error, OdDbObjectId lineStyle);
    // Makes the line style newName current when oldName is.
    void updateSysVar(CKvString oldName, CKvString newName);
    // Erases the line style of that name when nothing uses it.
    void performPurge(CKvString name);

protected:
    void recordsUsedBy(const OdDbObject& object,
                       const std::function<void(OdDbObjectId)>& use) const override;
    // The layers use line styles too.
    OdDbObjectId userTable() const override;

private:
    friend class CKvStandardsPlugin<CKvLineStylePluginImpl, LineStyleCache,
                                    OdDbLinetypeTableRecord>;

    static OdDbObjectId tableOf(const OdDbDatabase& database);
    bool inContext(const OdDbLinetypeTableRecord& lineStyle) const;
    bool inFullList(const OdDbDatabase& drawing, const OdDbLinetypeTableRecord& lineStyle) const;
    bool isStandard(const OdDbLinetypeTableRecord& lineStyle) const;
    LineStyleCache* makeCache(OdDbDatabase& standards, const OdDbLinetypeTableRecord& lineStyle,
                              const CKvString& path);
    Violation test(const OdDbLinetypeTableRecord& lineStyle, const LineStyleCache* match) const;
    void addErrorValues(CKvStdsError& error, const OdDbLinetypeTableRecord& lineStyle);
    CandidatesPtr offerFor(Violation violation, CKvStdsError& error);
    void fillRecommended(CKvStdsFix& fix, const LineStyleCache& candidate);
    bool valuesDiffer(const CKvString& property, const OdResBufPtr& current,
                      const OdResBufPtr& standard);

    // The drawing's line style of that name, or null.
    OdDbObjectId drawingLineStyle(const CKvString& name) const;
    // One of the drawing's ByBlock, ByLayer and Continuous.
    bool isBuiltIn(const OdDbObjectId& lineStyle) const;
};

#endif  // KV_CKV_LINE_STYLE_PLUGIN_IMPL_H
