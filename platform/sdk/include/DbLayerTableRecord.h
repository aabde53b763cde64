#pragma once

#include <DbSymbolTableRecord.h>

#include <CmColor.h>

// A layer. Its colour is stored as DXF group 62 (negative when the layer is off) with an optional
// true colour (420) and colour-book name (430); its line style by name (resolved to an id).
class OdDbLayerTableRecord : public OdDbSymbolTableRecord
{
    ODDB_DECLARE_MEMBERS(OdDbLayerTableRecord)

public:
    OdCmColor color() const;
    void setColor(const OdCmColor& color);
    OdDbObjectId linetypeObjectId() const;
    void setLinetypeObjectId(OdDbObjectId linetypeId);
    OdDb::LineWeight lineWeight() const;
    void setLineWeight(OdDb::LineWeight lineWeight);
    bool isOff() const;
    void setIsOff(bool off);
    bool isFrozen() const;
    void setIsFrozen(bool frozen);
    bool isLocked() const;
    void setIsLocked(bool locked);
    bool isPlottable() const;
    void setIsPlottable(bool plottable);
    // Layers whose name starts with "*" are hidden from the user.
    bool isHidden() const;
    OdString description() const;
};
typedef OdSmartPtr<OdDbLayerTableRecord> OdDbLayerTableRecordPtr;
