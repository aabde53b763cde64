// CKvLayerPluginImpl: the layer standards plug-in ("Layers", records of DXF class LAYER).
//
// A drawing layer conforms when the first standards layer of its name (ignoring case) has the
// same colour index, the same line style name (ignoring case) and the same lineweight. Otherwise
// it is a name violation (no standards layer of that name; a layer named DefPoints is exempt
// then) or a properties violation. Hidden layers are never checked; hidden standards layers
// count as standards. Errors and fixes carry "Name", "LineColor" (a colour), "LineWeight" (its
// display name) and "LineStyle".
//
// Fixes offered: for a name violation every standards layer but Defpoints (none for layer "0",
// which every drawing keeps: it is neither renamed nor merged away); for a properties violation
// every standards layer whose values differ from the layer's (layers "0" and "Defpoints" only
// their own counterparts), the same-named one recommended.
//
// Applying a fix (without a fix: the recommended one) takes the fix's colour, lineweight and line
// style. A line style the drawing lacks is loaded from the host's "inch.lin" or "mm.lin" (by the
// drawing's MEASUREMENT) or, when that file does not define it, copied from the fix's standards
// drawing; when neither works the layer keeps its line style. When the drawing has no layer of
// the fix's name, the violating layer is renamed and takes the values, keeping its entities.
// Otherwise that layer takes the values, the violating layer's entities move to it (not inside
// external references; an attribute or vertex moves when it is on the violating layer itself),
// it becomes current if the violating layer was, and the violating layer and its line style are
// purged when nothing uses them any more. A fix of another name for layer "0" changes nothing.
#ifndef KV_CKV_LAYER_PLUGIN_IMPL_H
#define KV_CKV_LAYER_PLUGIN_IMPL_H

#include <CKvStandardsPlugin.h>
#include <DbLayerTableRecord.h>
#include <OdDb.h>

#include <QCoreApplication>

#include <CmColor.h>

// One standards layer.
struct LayerCache
{
    CKvString name;
    OdCmColor color;
    CKvString lineStyleName;
    OdDb::LineWeight lineWeight = OdDb::kLnWtByLayer;
    CKvString standardsFile;
    OdSmartPtr<CKvStdsFix> fix;
};

class CKvLayerPluginImpl
    : public CKvStandardsPlugin<CKvLayerPluginImpl, LayerCache, OdDbLayerTableRecord>
{
    Q_DECLARE_TR_FUNCTIONS(CKvLayerPluginImpl)

public:
    static const CKvPluginInfo kInfo;
    static constexpr bool kKeepsStandards = true;

    CKvLayerPluginImpl();
    ~CKvLayerPluginImpl() override;

    void FixError(OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix,
                  CKvString& message) override;
    // Moves the write-enabled entities of the error's layer, in every block of the drawing that
    // is not from an external reference, to `layer`, sub-entities included.
    void moveObjects(OdSmartPtr<CKvStdsError> error, OdDbObjectId layer);

protected:
    void recordsUsedBy(const OdDbObject& object,
                       const std::function<void(OdDbObjectId)>& use) const override;

private:
    friend class CKvStandardsPlugin<CKvLayerPluginImpl, LayerCache, OdDbLayerTableRecord>;

    static OdDbObjectId tableOf(const OdDbDatabase& database);
    bool inContext(const OdDbLayerTableRecord& layer) const;
    bool inFullList(const OdDbDatabase& drawing, const OdDbLayerTableRecord& layer) const;
    bool isStandard(const OdDbLayerTableRecord& layer) const;
    LayerCache* makeCache(OdDbDatabase& standards, const OdDbLayerTableRecord& layer,
                          const CKvString& path);
    Violation test(const OdDbLayerTableRecord& layer, const LayerCache* match) const;
    void addErrorValues(CKvStdsError& error, const OdDbLayerTableRecord& layer) const;
    CandidatesPtr offerFor(Violation violation, CKvStdsError& error);
    void fillRecommended(CKvStdsFix& fix, const LayerCache& candidate) const;
    bool valuesDiffer(const CKvString& property, const OdResBufPtr& current,
                      const OdResBufPtr& standard) const;

    // The drawing's line style of that name, loaded or copied for the fix when it is missing;
    // null when it cannot be had.
    OdDbObjectId lineStyleForFix(const CKvStdsFix& fix, const CKvString& name);
    // Clones the line style from the standards drawing read from standardsFile, if it has one.
    void copyLineStyleFromStandards(const CKvString& standardsFile, const OdString& name);
};

#endif  // KV_CKV_LAYER_PLUGIN_IMPL_H
