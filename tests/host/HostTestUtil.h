// Helpers shared by the host tests: scratch files, small drawings and registration scopes.
#pragma once

#include "HostDoubles.h"

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
#include <cwchar>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

// A scratch file in the temporary folder, named for this test process (tests run in parallel),
// removed at the end of the test.
struct TempFile
{
    explicit TempFile(const std::string& name)
        : path(std::string(::testing::TempDir()) + "/" + std::to_string(getpid()) + "-" + name)
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

// A chain of (group code, value as text) items; items of codes 90 and 1070 hold the number.
inline OdResBufPtr chainOf(const std::vector<std::pair<int, const wchar_t*>>& items)
{
    OdResBufPtr head;
    OdResBufPtr tail;
    for (const auto& item : items) {
        const long number = std::wcstol(item.second, nullptr, 10);
        OdResBufPtr rb = item.first == 90     ? OdResBuf::newRb(90, OdInt32(number))
                         : item.first == 1070 ? OdResBuf::newRb(1070, OdInt16(number))
                                              : OdResBuf::newRb(item.first, item.second);
        if (head.isNull()) {
            head = rb;
        } else {
            tail->setNext(rb);
        }
        tail = rb;
    }
    return head;
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
