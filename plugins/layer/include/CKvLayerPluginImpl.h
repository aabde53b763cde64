// CKvLayerPluginImpl: the layer standards plug-in ("Layers", records of DXF class LAYER).
//
// A drawing layer conforms when the first standards layer of its name (ignoring case) has the
// same colour index, the same line style name (ignoring case) and the same lineweight. Otherwise
// it is a name violation (no standards layer of that name; a layer named DefPoints is exempt
// then) or a properties violation. Hidden layers are never checked; hidden standards layers
// count as standards. Errors and fixes carry "Name", "LineColor" (a colour), "LineWeight" (its
// display name) and "LineStyle".
//
// Fixes offered: for a name violation every standards layer but Defpoints; for a properties
// violation every standards layer whose values differ from the layer's (layers "0" and
// "Defpoints" only their own counterparts), the same-named one recommended.
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
};

#endif  // KV_CKV_LAYER_PLUGIN_IMPL_H
