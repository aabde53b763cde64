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
//
// An "AcStStandard" entry that is not a dictionary (another program's object) reads as no
// association, and problem() says so; setPaths() and the editing helpers then raise OdError with
// that message rather than replace the object.
class CKvStandardsAssociation
{
public:
    explicit CKvStandardsAssociation(OdDbDatabase* db) : m_db(db) {}

    std::vector<CKvString> paths() const;
    // Empty when the association can be read (or there is none); else what is wrong with it,
    // naming the entry and its class.
    CKvString problem() const;
    void setPaths(const std::vector<CKvString>& paths);

    // Where a stored path is found: as stored (with either slash), else where the host's file
    // search finds its file name for the drawing `db`, as the standards manager looks for it.
    // Empty when it is found nowhere.
    static CKvString resolve(const CKvString& stored, const OdDbDatabase* db);

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
