// Helpers shared by the host tests: scratch files, small drawings and registration scopes.
#pragma once

#include <CKvStdsError.h>
#include <CKvStdsFix.h>
#include <CKvString.h>
#include <DbDatabase.h>
#include <DbDimStyleTableRecord.h>
#include <DbSymbolTable.h>
#include <DbTextStyleTableRecord.h>
#include <OdString.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>

// Readable failure output for strings.
inline void PrintTo(const CKvString& text, std::ostream* os)
{
    *os << '"' << text.toUtf8() << '"';
}

// A scratch file in the test's temporary folder, removed at the end of the test.
struct TempFile
{
    explicit TempFile(const std::string& name)
        : path(std::string(::testing::TempDir()) + "/" + name)
    {}
    ~TempFile() { std::remove(path.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    std::string read() const
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string path;
};

// Saves the drawing and reads it back.
inline OdDbDatabasePtr saveAndReload(OdDbDatabase* db, const TempFile& file)
{
    db->writeFile(OdString(file.path));
    return OdDbDatabase::readFile(OdString(file.path));
}

enum class StyleKind { Text, Dimension };

inline OdDbObjectId styleTableOf(OdDbDatabase* db, StyleKind kind)
{
    return kind == StyleKind::Text ? db->getTextStyleTableId() : db->getDimStyleTableId();
}

inline OdDbObjectId addStyle(OdDbDatabase* db, StyleKind kind, const char* name)
{
    OdDbSymbolTablePtr styles = styleTableOf(db, kind).safeOpenObject(OdDb::kForWrite);
    OdDbSymbolTableRecordPtr style;
    if (kind == StyleKind::Text) {
        style = OdDbTextStyleTableRecord::createObject();
    } else {
        style = OdDbDimStyleTableRecord::createObject();
    }
    style->setName(OdString(name));
    return styles->add(style.get());
}

// The style of that name, or the null id.
inline OdDbObjectId findStyle(OdDbDatabase* db, StyleKind kind, const char* name)
{
    OdDbSymbolTablePtr styles = styleTableOf(db, kind).safeOpenObject();
    return styles->getAt(OdString(name));
}

// Registers the error and fix classes for the lifetime of the object.
class StdsRecordClasses
{
public:
    StdsRecordClasses()
    {
        CKvStdsError::rxInit();
        CKvStdsFix::rxInit();
    }
    ~StdsRecordClasses()
    {
        CKvStdsFix::rxUninit();
        CKvStdsError::rxUninit();
    }
    StdsRecordClasses(const StdsRecordClasses&) = delete;
    StdsRecordClasses& operator=(const StdsRecordClasses&) = delete;
};
