// Drawings written by other programs, read as CAD programs read them: what every drawing has is
// there, every reference by name resolves, repairs are reported and hold when the drawing is
// written and read again.
#include "../RealDrawingFiles.h"
#include "DbTestUtil.h"

#include <DbDimStyleTableRecord.h>
#include <DbEntity.h>

#include <gtest/gtest.h>

#include <dxf/DxfReader.h>
#include <map>
#include <vector>

namespace {

std::string nameOf(const OdDbObjectId& id)
{
    OdDbSymbolTableRecordPtr record = OdDbSymbolTableRecord::cast(id.openObject().get());
    return record.isNull() ? "<none>" : record->getName().toUtf8();
}

// Each layer's line style, each dimension style's text style and each model-space entity's
// layer, by name; checks that the records every drawing has are there and that each entity's id
// tells its type.
std::map<std::string, std::string> references(OdDbDatabase& db)
{
    for (const OdDbObjectId& id :
         {db.getLayerZeroId(), db.getLinetypeByLayerId(), db.getLinetypeByBlockId(),
          db.getLinetypeContinuousId(), db.getTextStyleStandardId(), db.getDimStyleStandardId(),
          db.getModelSpaceId(), db.getPaperSpaceId(), db.getNamedObjectsDictionaryId()}) {
        EXPECT_FALSE(id.isNull());
    }
    std::map<std::string, std::string> found;
    OdDbSymbolTablePtr layers = db.getLayerTableId().safeOpenObject();
    for (OdDbSymbolTableIteratorPtr it = layers->newIterator(); !it->done(); it->step()) {
        OdDbLayerTableRecordPtr layer = it->getRecord();
        found["layer " + layer->getName().toUtf8()] = nameOf(layer->linetypeObjectId());
    }
    OdDbSymbolTablePtr styles = db.getDimStyleTableId().safeOpenObject();
    for (OdDbSymbolTableIteratorPtr it = styles->newIterator(); !it->done(); it->step()) {
        OdDbDimStyleTableRecordPtr style = it->getRecord();
        found["dimension style " + style->getName().toUtf8()] = nameOf(style->dimtxsty());
    }
    OdDbBlockTableRecordPtr model = db.getModelSpaceId().safeOpenObject();
    for (OdDbObjectIteratorPtr it = model->newIterator(); !it->done(); it->step()) {
        // The type the id tells, asked while the entity is still unread, is the entity's own.
        const std::string type = it->objectId().dxfTypeName().toUtf8();
        const OdDbEntityPtr entity = it->entity();
        EXPECT_EQ(type, entity->dxfTypeName().toUtf8());
        found["layer of " + entity->getDbHandle().ascii().toUtf8()] = nameOf(entity->layerId());
    }
    for (const auto& [record, target] : found) {
        EXPECT_NE(target, "<none>") << record;
    }
    return found;
}

}  // namespace

TEST(RealDrawings, EveryDrawingHasWhatDrawingsHaveAndItsReferencesResolve)
{
    // Repairs of damaged drawings, as reported (after the file's path).
    const std::map<std::string, std::vector<std::string>> repairs = {
        {"ezdxf__itest__Leica_Disto_S910.dxf", {": the drawing has no layer \"0\"; it is added"}},
        {"ezdxf__itest__R12_with_trash_beyond_EOF.dxf",
         {": the drawing has no layer \"Layer_is_a_required_tag\", which its entities name; it "
          "is added"}},
        {"libredwg__r2.10__entities.dxf",
         {": the drawing has no DIMSTYLE table; it is added with its dimension style "
          "\"Standard\""}},
        {"ezdxf__itest__no_layouts.dxf",
         {": the drawing has no layouts; \"Model\" and \"Layout1\" are added"}},
        {"ezdxf__itest__layout_broken_links.dxf",
         {": layout \"Model\" names block FFFA, which does not exist; it is linked to block "
          "\"*Model_Space\"",
          ": layout \"Layout2\" names block FFFC, which does not exist; it is linked to block "
          "\"*Paper_Space0\""}},
        {"ezdxf__itest__duplicate_handles.dxf",
         {":5023: 2 objects have no handle (the first a TEXT); each gets a new one"}},
        {"openscad__nothing-decimal-comma-separated.dxf",
         {":9: number \"-6,63671875\" has a decimal comma; kept as written, but it is no number "
          "(18 numbers in the file)"}},
    };
    const std::vector<std::string> names = realDrawingFiles(KV_REAL_FIXTURES_DIR);
    if (names.empty()) {
        GTEST_SKIP() << "no real-world fixtures in " << KV_REAL_FIXTURES_DIR;
    }
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        OdDbDatabasePtr db =
            OdDbDatabase::readFile(OdString((std::string(KV_REAL_FIXTURES_DIR) + '/' + name)));
        std::string messages;
        for (const OdString& message : db->messages()) {
            messages += message.toUtf8() + "\n";
        }
        const auto expected = repairs.find(name);
        for (const std::string& repair :
             expected != repairs.end() ? expected->second : std::vector<std::string>()) {
            EXPECT_NE(messages.find(name + repair), std::string::npos) << repair << "\n"
                                                                       << messages;
        }
        // Read in parts, through a window shorter than many of its lines, it is the same drawing:
        // the same repairs, reported at the same lines, and the same file written.
        kvdxf::partialReadWindow = 23;
        OdDbDatabasePtr inParts = OdDbDatabase::readFile(
            OdString((std::string(KV_REAL_FIXTURES_DIR) + '/' + name)), true);
        kvdxf::partialReadWindow = 4 << 20;
        std::string messagesInParts;
        for (const OdString& message : inParts->messages()) {
            messagesInParts += message.toUtf8() + "\n";
        }
        EXPECT_EQ(messagesInParts, messages);
        const TempFile writtenInParts("real-in-parts.dxf");
        inParts->writeFile(OdString(writtenInParts.path));

        const auto before = references(*db);
        const TempFile file("real.dxf");
        OdDbDatabasePtr again = roundTrip(db.get(), file);
        EXPECT_TRUE(writtenInParts.read() == file.read());
        EXPECT_EQ(references(*inParts), before);
        // Repaired once, the drawing needs no repair any more.
        for (const OdString& message : again->messages()) {
            EXPECT_NE(message.toUtf8().find("kept as written"), std::string::npos)
                << message.toUtf8();
        }
        EXPECT_EQ(references(*again), before);
    }
}
