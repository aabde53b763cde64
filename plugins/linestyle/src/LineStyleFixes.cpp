// Applying a line style fix to the drawing.
#include "CKvLineStylePluginImpl.h"

#include <DbDatabase.h>
#include <DbEntity.h>
#include <DbIdMapping.h>
#include <DbLayerTableRecord.h>
#include <DbSymbolTable.h>

#include <memory>

OdDbObjectId CKvLineStylePluginImpl::drawingLineStyle(const CKvString& name) const
{
    const OdDbSymbolTablePtr table =
        OdDbSymbolTable::cast(m_drawing->getLinetypeTableId().openObject(OdDb::kForRead).get());
    return table.isNull() ? OdDbObjectId() : table->getAt(name.toOdString());
}

bool CKvLineStylePluginImpl::isBuiltIn(const OdDbObjectId& lineStyle) const
{
    return !m_drawing.isNull() && !lineStyle.isNull() &&
           (lineStyle == m_drawing->getLinetypeContinuousId() ||
            lineStyle == m_drawing->getLinetypeByLayerId() ||
            lineStyle == m_drawing->getLinetypeByBlockId());
}

void CKvLineStylePluginImpl::moveObjects(OdSmartPtr<CKvStdsError> error, OdDbObjectId lineStyle)
{
    if (error.isNull() || m_drawing.isNull()) {
        return;
    }
    const OdDbObjectId oldLineStyle = error->GetObjectId();
    forEachUserOf(oldLineStyle, [&](OdDbObject& object) {
        if (OdDbEntity* entity = OdDbEntity::cast(&object).get()) {
            if (entity->linetypeId() == oldLineStyle) {
                entity->setLinetype(lineStyle, false);
            }
        } else if (OdDbLayerTableRecord* layer = OdDbLayerTableRecord::cast(&object).get()) {
            if (layer->linetypeObjectId() == oldLineStyle) {
                layer->setLinetypeObjectId(lineStyle);
            }
        }
    });
}

void CKvLineStylePluginImpl::recordsUsedBy(const OdDbObject& object,
                                           const std::function<void(OdDbObjectId)>& use) const
{
    if (const OdDbEntity* entity = OdDbEntity::cast(&object).get()) {
        use(entity->linetypeId());
    } else if (const OdDbLayerTableRecord* layer = OdDbLayerTableRecord::cast(&object).get()) {
        use(layer->linetypeObjectId());
    }
}

OdDbObjectId CKvLineStylePluginImpl::userTable() const
{
    return m_drawing.isNull() ? OdDbObjectId() : m_drawing->getLayerTableId();
}

void CKvLineStylePluginImpl::updateSysVar(CKvString oldName, CKvString newName)
{
    if (m_drawing.isNull()) {
        return;
    }
    const OdDbObjectId oldId = drawingLineStyle(oldName);
    const OdDbObjectId newId = drawingLineStyle(newName);
    if (!oldId.isNull() && !newId.isNull() && m_drawing->getCELTYPE() == oldId) {
        m_drawing->setCELTYPE(newId);
    }
}

void CKvLineStylePluginImpl::performPurge(CKvString name)
{
    if (m_drawing.isNull()) {
        return;
    }
    const OdDbObjectId id = drawingLineStyle(name);
    if (id.isNull()) {
        return;
    }
    OdDbObjectIdArray unused;
    unused.append(id);
    purgeUnused(unused);
}

void CKvLineStylePluginImpl::FixError(OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix,
                                      CKvString& message)
{
    fix = fixToApply(error, fix, message);
    if (fix.isNull()) {
        return;
    }
    const std::unique_ptr<LineStyleCache> target(getCache(true, fix, OdSmartPtr<CKvStdsError>()));
    const CKvString fixName = target->name;
    const CKvString oldName = error->GetObjectName();
    const bool sameRecord = oldName.CompareNoCase(fixName) == 0;
    if (isBuiltIn(error->GetObjectId()) && !sameRecord) {
        return;  // the users of a built-in line style never move to another one
    }
    const OdDbObjectPtr drawingTable = m_drawing->getLinetypeTableId().openObject(OdDb::kForWrite);
    const OdSmartPtr<OdDbDatabase> standards = standardsDatabase(fix->GetStandardsFile());
    if (drawingTable.isNull() || standards.isNull()) {
        return;
    }
    const OdDbSymbolTablePtr standardsTable =
        OdDbSymbolTable::cast(standards->getLinetypeTableId().openObject(OdDb::kForRead).get());
    const OdDbObjectId standardsLineStyle =
        standardsTable.isNull() ? OdDbObjectId() : standardsTable->getAt(fixName.toOdString());
    if (standardsLineStyle.isNull()) {
        return;
    }
    // Copies the standards line style into the drawing, replacing the content of a record of the
    // same name in place: whoever uses that record keeps using it.
    auto bringIn = [&] {
        OdDbObjectIdArray ids;
        ids.append(standardsLineStyle);
        OdDbIdMappingPtr map = OdRxObjectImpl<OdDbIdMapping>::createObject();
        map->setDestDb(m_drawing.get());
        standards->wblockCloneObjects(ids, m_drawing->getLinetypeTableId(), *map, OdDb::kDrcReplace,
                                      false);
        return drawingLineStyle(fixName);
    };
    const OdDbObjectId existing = drawingLineStyle(fixName);
    if (!existing.isNull() && sameRecord) {
        bringIn();  // a properties violation: corrected in place
        return;
    }
    const OdDbObjectId lineStyle = isBuiltIn(existing) ? existing : bringIn();
    if (lineStyle.isNull()) {
        return;
    }
    moveObjects(error, lineStyle);
    updateSysVar(oldName, fixName);
    if (!sameRecord) {
        performPurge(oldName);
    }
}
