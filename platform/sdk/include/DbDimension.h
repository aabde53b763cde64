#pragma once

#include <DbEntity.h>

// A dimension of any kind (linear, aligned, angular, radial, diametric, ordinate, arc length).
// The kind is dimensionType().
class OdDbDimension : public OdDbEntity
{
    ODDB_DECLARE_MEMBERS(OdDbDimension)

public:
    enum Kind {
        kRotated = 0,
        kAligned = 1,
        kAngular2Line = 2,
        kDiametric = 3,
        kRadial = 4,
        kAngular3Point = 5,
        kOrdinate = 6,
        kArcLength = 100,
        kRadialLarge = 101
    };
    Kind dimensionType() const;
    OdDbObjectId dimensionStyle() const;
    void setDimensionStyle(OdDbObjectId styleId);
    // The anonymous block that holds the dimension's picture.
    OdDbObjectId dimBlockId() const;
};
typedef OdSmartPtr<OdDbDimension> OdDbDimensionPtr;
