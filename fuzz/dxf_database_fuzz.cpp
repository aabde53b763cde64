// Feeds arbitrary bytes through the whole path a drawing takes: read into a database (upgraded
// and repaired), written, read again, checked by the four standards plug-ins against a small
// standards drawing, fixed with every recommended fix, written and read once more. What must
// hold for every input: no crash, a refusal says why, a drawing that was read writes, reads again
// with nothing left to repair, is checked to the end of every walk and stays readable once fixed.
// Read in parts (a partial load, through a window of a few lines), the input is the same drawing:
// the same refusal or the same repairs, and the same file written; every other input is checked
// and fixed as read in parts.
#include <CKvDimStylePluginImpl.h>
#include <CKvLayerPluginImpl.h>
#include <CKvLineStylePluginImpl.h>
#include <CKvStdsError.h>
#include <CKvStdsFix.h>
#include <CKvSystemServices.h>
#include <CKvTextStylePluginImpl.h>
#include <DbDatabase.h>
#include <DbDimStyleTableRecord.h>
#include <DbLayerTableRecord.h>
#include <DbLinetypeTableRecord.h>
#include <DbSymbolTable.h>
#include <DbTextStyleTableRecord.h>
#include <OdError.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <dxf/DxfReader.h>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void check(bool condition)
{
    if (!condition) {
        __builtin_trap();
    }
}

// Scratch files of this process, and the standards drawing every input is checked against.
struct Scene
{
    std::string folder;
    std::unique_ptr<CKvSystemServices> services;
    std::vector<CKvString> standards;

    std::string path(const char* name) const { return folder + "/" + name; }
};

Scene* g_scene = nullptr;

// Layers, a line style, a text style and a dimension style that differ from a new drawing's.
void writeStandards(const std::string& path)
{
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    OdDbSymbolTablePtr lineStyles = db->getLinetypeTableId().safeOpenObject(OdDb::kForWrite);
    OdDbLinetypeTableRecordPtr dashed = OdDbLinetypeTableRecord::createObject();
    dashed->setName(OdString("DASHED"));
    OdArray<double> dashes;
    dashes.append(0.5);
    dashes.append(-0.25);
    dashed->setDashes(dashes);
    const OdDbObjectId dashedId = lineStyles->add(dashed.get());
    OdDbSymbolTablePtr layers = db->getLayerTableId().safeOpenObject(OdDb::kForWrite);
    for (const char* name : {"0", "WALLS", "DOORS"}) {
        OdDbLayerTableRecordPtr layer = layers->getAt(OdString(name), OdDb::kForWrite);
        if (layer.isNull()) {
            layer = OdDbLayerTableRecord::createObject();
            layer->setName(OdString(name));
            layers->add(layer.get());
        }
        layer->setColor(OdCmColor::fromIndex(name[0] == 'W' ? 1 : 3));
        layer->setLinetypeObjectId(name[0] == 'D' ? dashedId : db->getLinetypeContinuousId());
    }
    OdDbTextStyleTableRecordPtr standard =
        db->getTextStyleStandardId().safeOpenObject(OdDb::kForWrite);
    standard->setTextSize(2.5);
    OdDbDimStyleTableRecordPtr dimensions =
        db->getDimStyleStandardId().safeOpenObject(OdDb::kForWrite);
    dimensions->setDimasz(2.5);
    dimensions->setDimtxt(2.5);
    db->writeFile(OdString(path.c_str()));
}

// Reads a drawing this target wrote itself: it must read, with nothing left to repair but what
// is kept as written.
OdDbDatabasePtr readOwn(const std::string& path, bool partialLoad = false)
{
    OdDbDatabasePtr db;
    try {
        db = OdDbDatabase::readFile(OdString(path.c_str()), partialLoad);
    } catch (const OdError& e) {
        std::fprintf(stderr, "read again: %s\n", e.description().toUtf8().c_str());
        check(false);
    }
    for (const OdString& message : db->messages()) {
        if (message.toUtf8().find("kept as written") == std::string::npos) {
            std::fprintf(stderr, "repaired again: %s\n", message.toUtf8().c_str());
            check(false);
        }
    }
    return db;
}

std::string bytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string messagesOf(OdDbDatabase& db)
{
    std::string all;
    for (const OdString& message : db.messages()) {
        all += message.toUtf8() + "\n";
    }
    return all;
}

// Reads the input; the refusal's message when it is refused.
OdDbDatabasePtr readInput(const std::string& path, bool partialLoad, std::string& refusal)
{
    try {
        return OdDbDatabase::readFile(OdString(path.c_str()), partialLoad);
    } catch (const OdError& e) {
        refusal = e.description().toUtf8();
        check(!refusal.empty());
        return OdDbDatabasePtr();
    }
}

// Writes a drawing; only a value the format cannot hold may refuse it, with a message.
bool write(OdDbDatabase& db, const std::string& path)
{
    try {
        db.writeFile(OdString(path.c_str()));
        return true;
    } catch (const OdError& e) {
        check(!e.description().isEmpty());
        return false;
    }
}

// One plug-in's whole walk over the drawing, then every recommended fix.
void checkAndFix(CKvStdsPlugins& plugin, const OdDbDatabasePtr& drawing)
{
    struct Found
    {
        CKvStdsErrorPtr error;
        CKvStdsFixPtr fix;
    };
    std::vector<Found> found;
    plugin.Clear();
    plugin.SetContext(OdArray<OdDbObjectId>(), true);
    plugin.SetupForAudit(drawing, CKvString("fuzz.dxf"), {CKvString("standards.dws")},
                         g_scene->standards);
    plugin.Start(CKvStdsErrorPtr());
    while (!plugin.Done()) {
        check(found.size() < 100000);  // the walk ends
        const CKvStdsErrorPtr error = plugin.GetError();
        OdArray<CKvStdsFixPtr> fixes;
        int recommended = -1;
        plugin.GetAllFixes(error, fixes, recommended);
        check(recommended < static_cast<int>(fixes.size()));
        if (!error.isNull() && recommended >= 0) {
            found.push_back({error, fixes[static_cast<unsigned>(recommended)]});
        }
        plugin.Next();
    }
    for (const Found& f : found) {
        CKvString message;
        plugin.FixError(f.error, f.fix, message);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static Scene scene;
    char folder[] = "/tmp/kv-database-fuzz-XXXXXX";
    check(::mkdtemp(folder) != nullptr);
    scene.folder = folder;
    scene.services = std::make_unique<CKvSystemServices>(CKvString(KV_RESOURCE_DIR));
    SetKvSystemServices(scene.services.get());
    CKvStdsError::rxInit();
    CKvStdsFix::rxInit();
    writeStandards(scene.path("standards.dws"));
    scene.standards = {CKvString(scene.path("standards.dws").c_str())};
    g_scene = &scene;
    std::atexit([] {
        for (const char* name :
             {"standards.dws", "input.dxf", "written.dxf", "parts.dxf", "fixed.dxf"}) {
            std::remove(g_scene->path(name).c_str());
        }
        ::rmdir(g_scene->folder.c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input = g_scene->path("input.dxf");
    {
        std::ofstream out(input, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::string refusal;
    OdDbDatabasePtr db = readInput(input, false, refusal);
    kvdxf::partialReadWindow = 16 + size % 64;
    std::string refusalInParts;
    OdDbDatabasePtr inParts = readInput(input, true, refusalInParts);
    check(refusalInParts == refusal);
    if (db.isNull()) {
        return 0;
    }
    check(messagesOf(*inParts) == messagesOf(*db));
    const std::string written = g_scene->path("written.dxf");
    const std::string writtenInParts = g_scene->path("parts.dxf");
    const bool writes = write(*db, written);
    check(write(*inParts, writtenInParts) == writes);
    if (!writes) {
        return 0;
    }
    check(bytesOf(writtenInParts) == bytesOf(written));
    // Every other input is checked and fixed as read in parts: its entities come from the file.
    db = readOwn(written, size % 2 == 1);
    static CKvDimStylePluginImpl dimStyles;
    static CKvLayerPluginImpl layers;
    static CKvLineStylePluginImpl lineStyles;
    static CKvTextStylePluginImpl textStyles;
    for (CKvStdsPlugins* plugin :
         {static_cast<CKvStdsPlugins*>(&dimStyles), static_cast<CKvStdsPlugins*>(&layers),
          static_cast<CKvStdsPlugins*>(&lineStyles), static_cast<CKvStdsPlugins*>(&textStyles)}) {
        try {
            checkAndFix(*plugin, db);
        } catch (const OdError& e) {
            // A drawing that was read and repaired is checked and fixed.
            std::fprintf(stderr, "check: %s\n", e.description().toUtf8().c_str());
            check(false);
        }
    }
    const std::string fixed = g_scene->path("fixed.dxf");
    if (write(*db, fixed)) {
        readOwn(fixed);
    }
    return 0;
}
