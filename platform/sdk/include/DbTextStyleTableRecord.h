#pragma once

#include <DbSymbolTableRecord.h>

// A text style. Angles are radians here and degrees in DXF.
class OdDbTextStyleTableRecord : public OdDbSymbolTableRecord
{
    ODDB_DECLARE_MEMBERS(OdDbTextStyleTableRecord)

public:
    // The record describes a shape file (DXF flag 1), not a text style.
    bool isShapeFile() const;
    void setIsShapeFile(bool shapeFile);
    bool isVertical() const;
    void setIsVertical(bool vertical);
    bool isBackwards() const;
    void setIsBackwards(bool backwards);
    bool isUpsideDown() const;
    void setIsUpsideDown(bool upsideDown);
    double textSize() const;
    void setTextSize(double size);
    double xScale() const;
    void setXScale(double scale);
    double obliquingAngle() const;
    void setObliquingAngle(double angle);
    double priorSize() const;
    void setPriorSize(double size);
    OdString fileName() const;
    void setFileName(const OdString& fileName);
    OdString bigFontFileName() const;
    void setBigFontFileName(const OdString& fileName);
    // The TrueType description kept in the record's ACAD XDATA (typeface, bold and italic bits,
    // character set and pitch-and-family byte); all empty/false/0 when there is none.
    void font(OdString& typeface, bool& bold, bool& italic, int& charset,
              int& pitchAndFamily) const;
    void setFont(const OdString& typeface, bool bold, bool italic, int charset, int pitchAndFamily);
};
typedef OdSmartPtr<OdDbTextStyleTableRecord> OdDbTextStyleTableRecordPtr;
