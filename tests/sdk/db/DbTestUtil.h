#pragma once

#include <DbBlockTableRecord.h>
#include <DbDatabase.h>
#include <DbLayerTableRecord.h>
#include <DbLine.h>
#include <DbSymbolTable.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

// A scratch file in the temporary folder, named for this test process (tests run in parallel),
// removed at the end of the test.
struct TempFile
{
    explicit TempFile(const std::string& name)
        : path(std::string(::testing::TempDir()) + "/" + std::to_string(getpid()) + "-" + name)
    {}
    ~TempFile() { std::remove(path.c_str()); }
    std::string read() const
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string path;
};

inline OdDbObjectId addLayer(OdDbDatabase* db, const char* name, int color = 7)
{
    OdDbSymbolTablePtr layers = db->getLayerTableId().safeOpenObject(OdDb::kForWrite);
    OdDbLayerTableRecordPtr layer = OdDbLayerTableRecord::createObject();
    layer->setName(OdString(name));
    layer->setColor(OdCmColor::fromIndex(color));
    return layers->add(layer.get());
}

inline OdDbObjectId addLine(OdDbDatabase* db, OdDbObjectId layer)
{
    OdDbBlockTableRecordPtr ms = db->getModelSpaceId().safeOpenObject(OdDb::kForWrite);
    OdDbLinePtr line = OdDbLine::createObject();
    line->setLayer(layer);
    return ms->appendOdDbEntity(line.get());
}

// Saves and reads the drawing back.
inline OdDbDatabasePtr roundTrip(OdDbDatabase* db, const TempFile& file)
{
    db->writeFile(OdString(file.path));
    return OdDbDatabase::readFile(OdString(file.path));
}
