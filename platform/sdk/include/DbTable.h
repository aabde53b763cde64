#pragma once

#include <DbBlockReference.h>

// A table entity. Text styles are kept per row type.
class OdDbTable : public OdDbBlockReference
{
    ODDB_DECLARE_MEMBERS(OdDbTable)

public:
    enum RowType { kUnknownRow = 0, kDataRow = 1, kTitleRow = 2, kHeaderRow = 4 };
    // The text style of a row type; when the table holds none of its own, the table style's.
    OdDbObjectId textStyle(RowType type = kDataRow) const;
    // Sets the text style of every row type named in the mask.
    void setTextStyle(OdDbObjectId styleId, int rowTypes = kDataRow | kTitleRow | kHeaderRow);
};
typedef OdSmartPtr<OdDbTable> OdDbTablePtr;
