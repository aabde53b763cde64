// Applying a dimension style fix to the drawing.
#include "CKvDimStylePluginImpl.h"
#include "DimStyleProperties.h"

#include <CKvDatabase.h>
#include <CKvObjectAnnotationContext.h>
#include <DbDatabase.h>
#include <DbDimension.h>
#include <DbIdMapping.h>
#include <DbLeader.h>
#include <DbSymbolTable.h>
#include <RxClass.h>

OdDbObjectId CKvDimStylePluginImpl::GetRelativeId(OdSmartPtr<OdDbSymbolTable> table,
                                                  OdDbObjectId id, bool)
{
    if (table.isNull() || id.isNull()) {
        return OdDbObjectId();
    }
    const OdDbSymbolTableRecordPtr record = id.openObject(OdDb::kForRead);
    if (record.isNull()) {
        return OdDbObjectId();
    }
    if (const OdDbObjectId same = table->getAt(record->getName()); !same.isNull()) {
        return same;
    }
    OdDbIdMappingPtr map = OdDbIdMapping::desc()->create();
    map->setDestDb(table->database());
    OdDbObjectIdArray ids;
    ids.append(id);
    id.database()->wblockCloneObjects(ids, table->objectId(), *map, OdDb::kDrcReplace, false);
    OdDbIdPair pair(id);
    return map->compute(pair) ? pair.value() : OdDbObjectId();
}

OdDbObjectId CKvDimStylePluginImpl::GetRelativeBlockId(OdSmartPtr<OdDbSymbolTable> table,
                                                       OdDbObjectId id)
{
    return GetRelativeId(table, id, false);
}

void CKvDimStylePluginImpl::CopyDimStyle(CKvDatabase* drawing,
                                         OdSmartPtr<OdDbDimStyleTableRecord> target,
                                         OdSmartPtr<OdDbDimStyleTableRecord> source)
{
    if (drawing == nullptr || drawing->database() == nullptr || target.isNull() ||
        source.isNull()) {
        return;
    }
    OdDbDatabase& db = *drawing->database();
    auto tableFor = [&](DimStyleReference kind) -> OdSmartPtr<OdDbSymbolTable> {
        const OdDbObjectId id = kind == DimStyleReference::kBlock       ? db.getBlockTableId()
                                : kind == DimStyleReference::kTextStyle ? db.getTextStyleTableId()
                                                                        : db.getLinetypeTableId();
        return OdDbSymbolTable::cast(id.openObject(OdDb::kForRead).get());
    };
    // Plain values first, then the references mapped into the drawing, in table order.
    for (size_t i = 0; i < kDimStylePropertyCount; ++i) {
        if (kDimStyleProperties[i].copy != nullptr) {
            kDimStyleProperties[i].copy(*target, *drawing, *source);
        }
    }
    for (size_t i = 0; i < kDimStylePropertyCount; ++i) {
        const DimStyleProperty& row = kDimStyleProperties[i];
        if (row.reference != DimStyleReference::kNone) {
            row.setReference(*target, *drawing,
                             GetRelativeBlockId(tableFor(row.reference), row.referenceOf(*source)));
        }
    }
    CKvObjectAnnotationContext::SetAnnotative(
        target->objectId(), CKvObjectAnnotationContext::IsAnnotative(source->objectId(), nullptr),
        false);
}

void CKvDimStylePluginImpl::moveObjects(OdSmartPtr<CKvStdsError> error, OdDbObjectId newStyle)
{
    if (error.isNull()) {
        return;
    }
    const OdDbObjectId oldStyle = error->GetObjectId();
    forEachUserOf(oldStyle, [&](OdDbObject& entity) {
        if (!entity.isWriteEnabled()) {
            return;
        }
        if (OdDbDimension* dimension = OdDbDimension::cast(&entity).get()) {
            if (dimension->dimensionStyle() == oldStyle) {
                dimension->setDimensionStyle(newStyle);
            }
        } else if (OdDbLeader* leader = OdDbLeader::cast(&entity).get()) {
            if (leader->dimensionStyle() == oldStyle) {
                leader->setDimensionStyle(newStyle);
            }
        }
    });
}

void CKvDimStylePluginImpl::recordsUsedBy(const OdDbObject& entity,
                                          const std::function<void(OdDbObjectId)>& use) const
{
    if (const OdDbDimension* dimension = OdDbDimension::cast(&entity).get()) {
        use(dimension->dimensionStyle());
    } else if (const OdDbLeader* leader = OdDbLeader::cast(&entity).get()) {
        use(leader->dimensionStyle());
    }
}

void CKvDimStylePluginImpl::FixError(OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix,
                                     CKvString& message)
{
    message = CKvString();
    if (error.isNull() || m_drawing.isNull()) {
        return;
    }
    // Another class than a dimension style raises NotThatKindOfClass.
    const OdDbDimStyleTableRecordPtr violating = error->GetObjectId().openObject(OdDb::kForRead);
    if (fix.isNull()) {
        fix = GetRecommendedFix(error);
    }
    if (fix.isNull()) {
        return;
    }
    const OdDbSymbolTablePtr table =
        OdDbSymbolTable::cast(m_drawing->getDimStyleTableId().openObject(OdDb::kForWrite).get());
    const OdDbDimStyleTableRecordPtr standard =
        standardsStyle(fix->GetStandardsFile(), fix->GetFixDisplayName());
    if (table.isNull() || standard.isNull() || violating.isNull()) {
        return;
    }
    const OdDbDimStyleTableRecordPtr target = error->GetObjectId().openObject(OdDb::kForWrite);
    const OdString oldName = error->GetObjectName().toOdString();
    const OdString standardName = standard->getName();
    CKvDatabase drawing(m_drawing.get());
    if (table->has(standardName)) {
        CopyDimStyle(&drawing, target, standard);
    } else if (table->has(oldName)) {
        CopyDimStyle(&drawing, target, standard);
        target->setName(standardName);
    }
    const OdDbObjectId newStyle = table->getAt(standardName);
    const OdDbObjectId oldId = error->GetObjectId();
    if (oldId != newStyle && table->has(oldId) &&
        !OdDbDimStyleTableRecord::cast(oldId.openObject().get()).isNull()) {
        moveObjects(error, newStyle);
    }
    if (m_drawing->getDIMSTYLE() == oldId && !newStyle.isNull()) {
        m_drawing->setDIMSTYLE(newStyle);
    }
    if (oldName.iCompare(standardName) == 0) {
        return;
    }
    const OdDbObjectId stillThere = table->getAt(oldName);
    if (stillThere.isNull()) {
        return;
    }
    OdDbObjectIdArray unused;
    unused.append(stillThere);
    purgeUnused(unused);
}
