#pragma once

#include <DbSymbolTableRecord.h>

// A line style: a pattern of dashes (> 0), gaps (< 0) and dots (0), optionally with text or shape
// elements.
class OdDbLinetypeTableRecord : public OdDbSymbolTableRecord
{
    ODDB_DECLARE_MEMBERS(OdDbLinetypeTableRecord)

public:
    OdString comments() const;
    void setComments(const OdString& comments);
    int numDashes() const;
    double patternLength() const;
    void setPatternLength(double length);
    double dashLengthAt(int index) const;
    // Text of a text element, empty for other elements.
    OdString textAt(int index) const;
    int shapeNumberAt(int index) const;
    OdDbObjectId shapeStyleAt(int index) const;
    // Replaces the whole pattern by plain dashes of these lengths.
    void setDashes(const OdArray<double>& lengths);
};
typedef OdSmartPtr<OdDbLinetypeTableRecord> OdDbLinetypeTableRecordPtr;
