#pragma once

#include <DbBlockReference.h>

// A table entity. Each row type has a text style: the table style's for that row type unless the
// table overrides it.
class OdDbTable : public OdDbBlockReference
{
    ODDB_DECLARE_MEMBERS(OdDbTable)

public:
    enum RowType { kUnknownRow = 0, kDataRow = 1, kTitleRow = 2, kHeaderRow = 4 };
    // The text style of a row type (kUnknownRow reads as data rows); when neither the table nor its
    // table style names one, the drawing's Standard style.
    OdDbObjectId textStyle(RowType type = kDataRow) const;
    // Overrides the text style of every row type named in the mask, on this table only: its
    // table style, which other tables share, keeps its own. A style of another drawing, or an id
    // that is not a text style, changes nothing.
    void setTextStyle(OdDbObjectId styleId, int rowTypes = kDataRow | kTitleRow | kHeaderRow);
};
typedef OdSmartPtr<OdDbTable> OdDbTablePtr;
