#pragma once

#include <DbObject.h>

#include <CmColor.h>

// An entity: anything drawn, with a layer, a line style, a colour and a lineweight. Entities of
// types the database does not interpret are of this class and keep all their data.
class OdDbEntity : public OdDbObject
{
    ODDB_DECLARE_MEMBERS(OdDbEntity)

public:
    OdDbObjectId blockId() const;
    OdDbObjectId layerId() const;
    OdString layer() const;
    // Puts the entity on a layer; with doSubents the attributes of a block reference and the
    // vertices of an old-style polyline follow.
    void setLayer(OdDbObjectId layerId, bool doSubents = true);
    OdDbObjectId linetypeId() const;
    OdString linetype() const;
    void setLinetype(OdDbObjectId linetypeId, bool doSubents = true);
    OdCmColor color() const;
    OdInt16 colorIndex() const;
    void setColor(const OdCmColor& color, bool doSubents = true);
    OdDb::LineWeight lineWeight() const;
    void setLineWeight(OdDb::LineWeight lineWeight, bool doSubents = true);
    double linetypeScale() const;
    // Sub-entities (attributes, vertices and the closing SEQEND) in order.
    OdDbObjectIdArray subEntities() const;
};
typedef OdSmartPtr<OdDbEntity> OdDbEntityPtr;
