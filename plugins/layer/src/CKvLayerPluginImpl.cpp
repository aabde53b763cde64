#include "CKvLayerPluginImpl.h"

#include <CKvSystemServices.h>
#include <DbDatabase.h>
#include <DbEntity.h>
#include <DbIdMapping.h>
#include <DbLinetypeTableRecord.h>
#include <DbSymbolTable.h>
#include <OdError.h>

#include <QtGlobal>

#include <LineweightNames.h>
#include <functional>

const CKvPluginInfo CKvLayerPluginImpl::kInfo = {
    "CKvLayerPluginImpl",
    QT_TRANSLATE_NOOP("CKvLayerPluginImpl", "Layers"),
    QT_TRANSLATE_NOOP("CKvLayerPluginImpl",
                      "Verifies that names and properties of layers in a drawing match those in an "
                      "associated standards file."),
    L"E81A7EB1-A22C-4bd4-96F8-725D0798DE29",
    L"LAYER",
    QT_TRANSLATE_NOOP("CKvLayerPluginImpl", "Layer"),
};

namespace {

const char* const kName = QT_TRANSLATE_NOOP("CKvLayerPluginImpl", "Name");
const char* const kLineColor = QT_TRANSLATE_NOOP("CKvLayerPluginImpl", "LineColor");
const char* const kLineWeight = QT_TRANSLATE_NOOP("CKvLayerPluginImpl", "LineWeight");
const char* const kLineStyle = QT_TRANSLATE_NOOP("CKvLayerPluginImpl", "LineStyle");

CKvString property(const char* name)
{
    return CKvString(QCoreApplication::translate("CKvLayerPluginImpl", name));
}

// The name of the layer's line style; empty when the layer names none that can be opened.
CKvString lineStyleNameOf(const OdDbLayerTableRecord& layer)
{
    const OdDbObjectPtr object = layer.linetypeObjectId().openObject(OdDb::kForRead);
    if (object.isNull()) {
        return CKvString();
    }
    const OdDbLinetypeTableRecordPtr lineStyle = object;
    return CKvString(lineStyle->getName().c_str());
}

void addValues(CKvString name, const OdCmColor& color, OdDb::LineWeight lineWeight,
               const CKvString& lineStyle,
               const std::function<void(const CKvString&, OdResBufPtr)>& add)
{
    add(property(kName), OdResBuf::newRb(5005, OdString(name.c_str())));
    add(property(kLineColor), OdResBuf::newRb(5011, color));
    add(property(kLineWeight),
        OdResBuf::newRb(5005, OdString(ConvertLineweightToName(lineWeight).c_str())));
    add(property(kLineStyle), OdResBuf::newRb(5005, OdString(lineStyle.c_str())));
}

CKvString textOf(const OdResBufPtr& value)
{
    return value.isNull() ? CKvString() : CKvString(value->getString().c_str());
}

// A key that two layers' values share exactly when the colours are equal as whole colours, the
// line style names are equal ignoring case and the lineweights are equal.
std::wstring valuesKey(const OdCmColor& color, const CKvString& lineStyle,
                       OdDb::LineWeight lineWeight)
{
    std::wstring key = std::to_wstring(static_cast<int>(color.colorMethod()));
    if (color.isByColor()) {
        key += L"|" + std::to_wstring(color.color()) + L"|" + color.colorName().c_str() + L"|" +
               color.bookName().c_str();
    } else {
        key += L"|" + std::to_wstring(color.colorIndex());
    }
    OdString folded(lineStyle.c_str());
    folded.makeUpper();
    return key + L"|" + folded.c_str() + L"|" + std::to_wstring(static_cast<int>(lineWeight));
}

}  // namespace

CKvLayerPluginImpl::CKvLayerPluginImpl() = default;

CKvLayerPluginImpl::~CKvLayerPluginImpl() = default;

OdDbObjectId CKvLayerPluginImpl::tableOf(const OdDbDatabase& database)
{
    return database.getLayerTableId();
}

bool CKvLayerPluginImpl::inContext(const OdDbLayerTableRecord& layer) const
{
    return !layer.isHidden();
}

bool CKvLayerPluginImpl::inFullList(const OdDbDatabase&, const OdDbLayerTableRecord& layer) const
{
    return !layer.isHidden();
}

bool CKvLayerPluginImpl::isStandard(const OdDbLayerTableRecord&) const
{
    return true;
}

LayerCache* CKvLayerPluginImpl::makeCache(OdDbDatabase&, const OdDbLayerTableRecord& layer,
                                          const CKvString& path)
{
    auto* entry = new LayerCache;
    entry->name = CKvString(layer.getName().c_str());
    entry->color = layer.color();
    entry->lineStyleName = lineStyleNameOf(layer);
    entry->lineWeight = layer.lineWeight();
    entry->standardsFile = path;
    entry->fix = newFix(entry->name, path);
    fillRecommended(*entry->fix, *entry);
    return entry;
}

CKvStandardsPluginBase::Violation CKvLayerPluginImpl::test(const OdDbLayerTableRecord& layer,
                                                           const LayerCache* match) const
{
    if (match == nullptr) {
        // A DefPoints layer that no standards file defines is exempt.
        return OdString(L"DefPoints").iCompare(layer.getName()) == 0 ? Violation::kNone
                                                                     : Violation::kName;
    }
    if (layer.color().colorIndex() != match->color.colorIndex() ||
        lineStyleNameOf(layer).CompareNoCase(match->lineStyleName) != 0 ||
        layer.lineWeight() != match->lineWeight) {
        return Violation::kProperties;
    }
    return Violation::kNone;
}

void CKvLayerPluginImpl::addErrorValues(CKvStdsError& error,
                                        const OdDbLayerTableRecord& layer) const
{
    addValues(CKvString(layer.getName().c_str()), layer.color(), layer.lineWeight(),
              lineStyleNameOf(layer),
              [&](const CKvString& name, OdResBufPtr value) { error.AddProperty(name, value); });
}

CKvStandardsPluginBase::CandidatesPtr CKvLayerPluginImpl::offerFor(Violation violation,
                                                                   CKvStdsError& error)
{
    const CKvString name = textOf(error.GetPropertyValue(property(kName)));
    const auto notDefpoints = [](const LayerCache& record) {
        return record.name.CompareNoCase(CKvString("Defpoints")) != 0;
    };
    if (violation == Violation::kName) {
        // Layer 0 stays in every drawing: it can be neither renamed nor merged away.
        if (!m_drawing.isNull() && error.GetObjectId() == m_drawing->getLayerZeroId()) {
            return std::make_shared<const Candidates>();
        }
        if (positionsOf(name).empty()) {
            // No standards layer has that name in any case: the same list for every such layer.
            return sharedCandidates(L"name", [&] { return collectCandidates(notDefpoints); });
        }
        return std::make_shared<const Candidates>(collectCandidates(
            [&](const LayerCache& record) { return record.name != name && notDefpoints(record); }));
    }

    const OdResBufPtr colorValue = error.GetPropertyValue(property(kLineColor));
    const OdCmColor color = colorValue.isNull() ? OdCmColor() : colorValue->getColor();
    const CKvString lineStyle = textOf(error.GetPropertyValue(property(kLineStyle)));
    CKvString lineWeightText = textOf(error.GetPropertyValue(property(kLineWeight)));
    OdDb::LineWeight lineWeight = OdDb::kLnWtByLayer;
    convertStringToLineweight(lineWeightText, lineWeight);
    const auto differs = [&](const LayerCache& record) {
        return record.color != color || record.lineStyleName.CompareNoCase(lineStyle) != 0 ||
               record.lineWeight != lineWeight;
    };
    // Layers "0" and "Defpoints" are offered only their own standards counterparts.
    for (const CKvString& special : {CKvString("0"), CKvString("Defpoints")}) {
        if (name == special) {
            return std::make_shared<const Candidates>(
                collectCandidates(positionsOf(name), [&](const LayerCache& record) {
                    return record.name == special && differs(record);
                }));
        }
    }
    // A layer is offered every standards layer but those with exactly its values. When no
    // standards layer has them, that is the whole cache, one list for every such violation.
    const std::wstring key = valuesKey(color, lineStyle, lineWeight);
    const Groups& byValues = standardsGroups([&] {
        Groups groups;
        for (unsigned position = 0; position < m_cache.size(); ++position) {
            const LayerCache& record = *m_cache[position];
            groups[valuesKey(record.color, record.lineStyleName, record.lineWeight)].push_back(
                static_cast<int>(position));
        }
        return groups;
    });
    const auto same = byValues.find(key);
    if (same == byValues.end()) {
        return sharedCandidates(L"all", [&] { return collectCandidatesExcept({}); });
    }
    return sharedCandidates(L"properties|" + key,
                            [&] { return collectCandidatesExcept(same->second); });
}

void CKvLayerPluginImpl::fillRecommended(CKvStdsFix& fix, const LayerCache& candidate) const
{
    fix.SetFixObjectName(candidate.name);
    fix.SetStandardsFile(candidate.standardsFile);
    fix.SetFixDisplayName(candidate.name);
    if (fix.GetPropertyCount() == 0) {
        addValues(candidate.name, candidate.color, candidate.lineWeight, candidate.lineStyleName,
                  [&](const CKvString& name, OdResBufPtr value) { fix.AddProperty(name, value); });
    }
}

bool CKvLayerPluginImpl::valuesDiffer(const CKvString& name, const OdResBufPtr& current,
                                      const OdResBufPtr& standard) const
{
    if (current.isNull() || standard.isNull()) {
        return current.isNull() != standard.isNull() && name != property(kName);
    }
    if (name == property(kLineColor)) {
        return current->getColor() != standard->getColor();
    }
    if (name == property(kLineStyle)) {
        return textOf(current) != textOf(standard);
    }
    if (name == property(kLineWeight)) {
        return textOf(current).CompareNoCase(textOf(standard)) != 0;
    }
    // "Name" is never reported.
    return false;
}

void CKvLayerPluginImpl::moveObjects(OdSmartPtr<CKvStdsError> error, OdDbObjectId layer)
{
    if (error.isNull()) {
        return;
    }
    const OdDbObjectId oldLayer = error->GetObjectId();
    // Each entity by its own layer: an attribute on another layer than its block reference
    // stays where it is.
    forEachUserOf(oldLayer, [&](OdDbObject& object) {
        OdDbEntity* entity = OdDbEntity::cast(&object).get();
        if (entity != nullptr && entity->layerId() == oldLayer && entity->isWriteEnabled()) {
            entity->setLayer(layer, false);
        }
    });
}

void CKvLayerPluginImpl::recordsUsedBy(const OdDbObject& object,
                                       const std::function<void(OdDbObjectId)>& use) const
{
    if (const OdDbEntity* entity = OdDbEntity::cast(&object).get()) {
        use(entity->layerId());
    }
}

OdDbObjectId CKvLayerPluginImpl::lineStyleForFix(const CKvStdsFix& fix, const CKvString& name)
{
    const OdDbSymbolTablePtr lineStyles =
        OdDbSymbolTable::cast(m_drawing->getLinetypeTableId().openObject(OdDb::kForWrite).get());
    if (lineStyles.isNull()) {
        return OdDbObjectId();
    }
    const OdString odName(name.c_str());
    if (const OdDbObjectId found = lineStyles->getAt(odName); !found.isNull()) {
        return found;
    }
    // The host's definitions of the drawing's measurement system first.
    const CKvString file(m_drawing->getMEASUREMENT() == 0 ? "inch.lin" : "mm.lin");
    const CKvSystemServices* services = GetKvSystemServices();
    const CKvString path =
        services != nullptr ? services->findFile(file, m_drawing.get()) : CKvString();
    try {
        m_drawing->loadLineTypeFile(odName, path.toOdString(), OdDb::kDltNotApplicable);
    } catch (const OdError& e) {
        if (e.code() == eUndefinedLineType) {
            copyLineStyleFromStandards(fix.GetStandardsFile(), odName);
        }
    }
    return lineStyles->getAt(odName);
}

void CKvLayerPluginImpl::copyLineStyleFromStandards(const CKvString& standardsFile,
                                                    const OdString& name)
{
    const auto standards = m_standards.find(standardsFile);
    if (standards == m_standards.end() || standards->second.isNull()) {
        return;
    }
    const OdDbSymbolTablePtr lineStyles = OdDbSymbolTable::cast(
        standards->second->getLinetypeTableId().openObject(OdDb::kForRead).get());
    const OdDbObjectId source = lineStyles.isNull() ? OdDbObjectId() : lineStyles->getAt(name);
    if (source.isNull()) {
        return;
    }
    OdDbObjectIdArray ids;
    ids.append(source);
    OdDbIdMappingPtr map = OdRxObjectImpl<OdDbIdMapping>::createObject();
    map->setDestDb(m_drawing.get());
    try {
        standards->second->wblockCloneObjects(ids, m_drawing->getLinetypeTableId(), *map,
                                              OdDb::kDrcReplace, false);
    } catch (const OdError&) {
        // The layer then keeps its line style.
    }
}

void CKvLayerPluginImpl::FixError(OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix,
                                  CKvString& message)
{
    fix = fixToApply(error, fix, message);
    if (fix.isNull()) {
        return;
    }
    const OdResBufPtr colorValue = fix->GetPropertyValue(property(kLineColor));
    const OdCmColor color = colorValue.isNull() ? OdCmColor() : colorValue->getColor();
    OdDb::LineWeight lineWeight = OdDb::kLnWtByLayer;
    CKvString lineWeightName = textOf(fix->GetPropertyValue(property(kLineWeight)));
    convertStringToLineweight(lineWeightName, lineWeight);
    const CKvString standardName = textOf(fix->GetPropertyValue(property(kName)));
    const OdString fixName(standardName.c_str());
    const OdString oldName(error->GetObjectName().c_str());
    if (error->GetObjectId() == m_drawing->getLayerZeroId() &&
        fixName.iCompare(OdString("0")) != 0) {
        return;  // layer 0 is never renamed, nor merged into another layer
    }

    const OdDbObjectId lineStyle =
        lineStyleForFix(*fix, textOf(fix->GetPropertyValue(property(kLineStyle))));
    const OdDbSymbolTablePtr layers =
        OdDbSymbolTable::cast(m_drawing->getLayerTableId().openObject(OdDb::kForWrite).get());
    if (layers.isNull()) {
        return;
    }
    auto applyTo = [&](OdDbLayerTableRecord& layer) {
        layer.setColor(color);
        layer.setLineWeight(lineWeight);
        if (!lineStyle.isNull()) {
            layer.setLinetypeObjectId(lineStyle);
        }
    };
    const OdDbObjectId oldId = layers->getAt(oldName);
    OdDbObjectId standardId = layers->getAt(fixName);
    if (standardId.isNull()) {
        // The drawing lacks the standards name: the violating layer takes it over.
        const OdDbLayerTableRecordPtr layer =
            OdDbLayerTableRecord::cast(oldId.openObject(OdDb::kForWrite).get());
        if (!layer.isNull()) {
            applyTo(*layer);
            layer->setName(fixName);
            return;
        }
    } else if (const OdDbLayerTableRecordPtr standard =
                   OdDbLayerTableRecord::cast(standardId.openObject(OdDb::kForWrite).get())) {
        applyTo(*standard);
    }
    // Merging into the standards layer.
    if (!oldId.isNull() && !standardId.isNull() && oldId != standardId &&
        !oldId.openObject(OdDb::kForWrite).isNull()) {
        moveObjects(error, standardId);
    }
    if (!oldId.isNull() && !standardId.isNull() && m_drawing->getCLAYER() == oldId) {
        m_drawing->setCLAYER(standardId);
    }
    if (oldId.isNull() || oldName.iCompare(fixName) == 0) {
        return;
    }
    // The old layer and its line style of the check go when nothing uses them any more.
    OdDbObjectIdArray unused;
    unused.append(oldId);
    const OdDbSymbolTablePtr lineStyles = m_drawing->getLinetypeTableId().openObject();
    const OdDbObjectId oldLineStyle =
        lineStyles->getAt(OdString(textOf(error->GetPropertyValue(property(kLineStyle))).c_str()));
    if (!oldLineStyle.isNull()) {
        unused.append(oldLineStyle);
    }
    purgeUnused(unused);
}
