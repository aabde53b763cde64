#pragma once

#include <CKvString.h>

#include <vector>

class OdDbDatabase;

// The standards files a drawing is associated with, as the drawing stores them: a dictionary
// "AcStStandard" in the named-objects dictionary holding one xrecord per file, whose first item
// (result type 1) is the path. Keys sort in association order.
//
// paths() reads the association (entries that are not xrecords, or whose first item is not a
// text, are skipped); setPaths() rewrites it whole, replacing every entry. The editing helpers
// keep the order and refuse what would change nothing.
class CKvStandardsAssociation
{
public:
    explicit CKvStandardsAssociation(OdDbDatabase* db) : m_db(db) {}

    std::vector<CKvString> paths() const;
    void setPaths(const std::vector<CKvString>& paths);

    // Appends a file; false when it is already associated (same path, exact comparison).
    bool add(const CKvString& path);
    // Removes a file; false when it is not associated.
    bool remove(const CKvString& path);
    // Moves a file one place towards the front (up) or the back; false at the end or when absent.
    bool moveUp(const CKvString& path);
    bool moveDown(const CKvString& path);

private:
    OdDbDatabase* m_db;
};
