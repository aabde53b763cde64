#include "DbTestUtil.h"

#include <DbDatabaseReactor.h>
#include <DbDictionary.h>
#include <DbDimStyleTableRecord.h>
#include <DbLinetypeTableRecord.h>
#include <DbXrecord.h>
#include <OdError.h>

#include <gtest/gtest.h>

#include <StaticRxObject.h>
#include <vector>

TEST(SymbolTable, LooksNamesUpIgnoringCaseAndSkipsErasedRecords)
{
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    const OdDbObjectId walls = addLayer(db.get(), "Walls");
    OdDbSymbolTablePtr layers = db->getLayerTableId().safeOpenObject();
    EXPECT_EQ(layers->getAt(OdString("WALLS")), walls);
    EXPECT_EQ(layers->getAt(OdString("walls")), walls);

    walls.safeOpenObject(OdDb::kForWrite)->erase();
    EXPECT_TRUE(layers->getAt(OdString("Walls")).isNull());
    EXPECT_EQ(layers->getAt(OdString("Walls"), true), walls);
    int seen = 0;
    for (OdDbSymbolTableIteratorPtr it = layers->newIterator(); !it->done(); it->step()) {
        EXPECT_NE(it->getRecordId(), walls);
        ++seen;
    }
    EXPECT_EQ(seen, 1);  // layer 0 only
    // A new layer of the erased one's name is allowed; a live duplicate is not.
    EXPECT_NO_THROW(addLayer(db.get(), "walls"));
    EXPECT_THROW(addLayer(db.get(), "WALLS"), OdError);
}

TEST(SmartPointer, RefusesARecordOfAnotherClass)
{
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    OdDbObjectPtr continuous = db->getLinetypeContinuousId().safeOpenObject();
    EXPECT_THROW(OdDbLayerTableRecordPtr layer(continuous.get()), OdError_NotThatKindOfClass);
    EXPECT_NO_THROW(OdDbLinetypeTableRecordPtr linetype(continuous.get()));
}

namespace {
struct Recorder : OdStaticRxObject<OdDbDatabaseReactor>
{
    std::vector<std::string> events;
    void objectAppended(const OdDbDatabase*, const OdDbObject*) override
    {
        events.push_back("appended");
    }
    void objectOpenedForModify(const OdDbDatabase*, const OdDbObject*) override
    {
        events.push_back("openedForModify");
    }
    void objectModified(const OdDbDatabase*, const OdDbObject* object) override
    {
        events.push_back(object->isNewObject() ? "modified (new)" : "modified");
    }
    void objectErased(const OdDbDatabase*, const OdDbObject*, bool erased) override
    {
        events.push_back(erased ? "erased" : "unerased");
    }
};
}  // namespace

TEST(DatabaseReactor, SeesChangesInTheOrderTheyHappen)
{
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    Recorder recorder;
    db->addReactor(&recorder);
    const OdDbObjectId walls = addLayer(db.get(), "Walls");
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{"openedForModify", "appended", "modified"}));

    recorder.events.clear();
    {
        OdDbLayerTableRecordPtr layer = walls.safeOpenObject(OdDb::kForWrite);
        layer->setColor(OdCmColor::fromIndex(1));
        layer->setLineWeight(OdDb::kLnWt050);
        EXPECT_EQ(recorder.events, std::vector<std::string>{"openedForModify"});
    }
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"openedForModify", "modified"}));

    recorder.events.clear();
    {
        OdDbObjectPtr readOnly = walls.safeOpenObject(OdDb::kForRead);
        EXPECT_THROW(OdDbLayerTableRecord::cast(readOnly.get())->setIsOff(true), OdError);
    }
    EXPECT_TRUE(recorder.events.empty());
    db->removeReactor(&recorder);
}

TEST(Purge, KeepsOnlyRecordsNothingUses)
{
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    const OdDbObjectId used = addLayer(db.get(), "Used");
    const OdDbObjectId unused = addLayer(db.get(), "Unused");
    const OdDbObjectId current = addLayer(db.get(), "Current");
    addLine(db.get(), used);
    db->setCLAYER(current);
    OdDbObjectIdArray ids;
    ids.append(used);
    ids.append(unused);
    ids.append(current);
    ids.append(db->getLayerZeroId());
    db->purge(ids);
    ASSERT_EQ(ids.size(), 1u);
    EXPECT_EQ(ids[0], unused);
}

TEST(Purge, WhatOnlyPurgeableRecordsUseIsPurgeableToo)
{
    // Line styles used by layers that are candidates too: they go with a layer that goes, and
    // stay with one that stays (used by an entity) or with a layer that is no candidate.
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    const OdString inch(KV_RESOURCE_DIR "/inch.lin");
    auto layerWith = [&](const char* name, const char* lineStyle) {
        db->loadLineTypeFile(OdString(lineStyle), inch);
        const OdDbObjectId layer = addLayer(db.get(), name);
        OdDbSymbolTablePtr lineStyles = db->getLinetypeTableId().safeOpenObject();
        OdDbLayerTableRecordPtr(layer.safeOpenObject(OdDb::kForWrite))
            ->setLinetypeObjectId(lineStyles->getAt(OdString(lineStyle)));
        return std::make_pair(layer, lineStyles->getAt(OdString(lineStyle)));
    };
    const auto goes = layerWith("Goes", "DASHED");
    const auto stays = layerWith("Stays", "HIDDEN");
    const auto notCandidate = layerWith("Other", "CENTER");
    addLine(db.get(), stays.first);
    OdDbObjectIdArray ids;
    for (const OdDbObjectId& id :
         {goes.second, goes.first, stays.first, stays.second, notCandidate.second}) {
        ids.append(id);
    }
    db->purge(ids);
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(ids[0], goes.second);
    EXPECT_EQ(ids[1], goes.first);
}

TEST(Xrecord, DataSurvivesSavingAndItemsDxfCannotHoldAreLeftOut)
{
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    {
        OdDbDictionaryPtr root = db->getNamedObjectsDictionaryId().safeOpenObject(OdDb::kForWrite);
        OdDbXrecordPtr xrec = OdDbXrecord::createObject();
        OdResBufPtr first = OdResBuf::newRb();  // untyped, as the ignored-violation record has
        first->setNext(OdResBuf::newRb(300, OdString("anna")));
        first->next()->setNext(OdResBuf::newRb(90, OdInt32(1)));
        root->setAt(OdString("KV_FLAGS"), xrec.get());
        xrec->setFromRbChain(first.get());
    }
    TempFile file("xrecord.dxf");
    OdDbDatabasePtr back = roundTrip(db.get(), file);
    OdDbDictionaryPtr root = back->getNamedObjectsDictionaryId().safeOpenObject();
    OdDbXrecordPtr xrec = root->getAt(OdString("kv_flags"), OdDb::kForRead);
    ASSERT_FALSE(xrec.isNull());
    OdResBufPtr chain = xrec->rbChain();
    ASSERT_FALSE(chain.isNull());
    EXPECT_EQ(chain->restype(), 300);
    EXPECT_EQ(chain->getString(), OdString("anna"));
    ASSERT_FALSE(chain->next().isNull());
    EXPECT_EQ(chain->next()->restype(), 90);
    EXPECT_EQ(chain->next()->getInt32(), 1);
}

TEST(DimStyle, AbsentGroupsReadAsDefaultsAndSetValuesAreSaved)
{
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    const OdDbObjectId id = db->getDimStyleStandardId();
    {
        OdDbDimStyleTableRecordPtr style = id.safeOpenObject();
        EXPECT_DOUBLE_EQ(style->dimasz(), 0.18);
        EXPECT_TRUE(style->dimtih());
        EXPECT_EQ(style->dimdsep(), 46);
        EXPECT_EQ(style->dimtxsty(), db->getTextStyleStandardId());
    }
    {
        OdDbDimStyleTableRecordPtr style = id.safeOpenObject(OdDb::kForWrite);
        style->setDimasz(2.5);
        style->setDimjogang(1.0);  // radians here, degrees in the file
        style->setDimtfillclr(OdCmColor::fromIndex(3));
        style->setDimpost(OdString("<> mm"));
    }
    TempFile file("dimstyle.dxf");
    OdDbDatabasePtr back = roundTrip(db.get(), file);
    OdDbDimStyleTableRecordPtr style = back->getDimStyleStandardId().safeOpenObject();
    EXPECT_DOUBLE_EQ(style->dimasz(), 2.5);
    EXPECT_NEAR(style->dimjogang(), 1.0, 1e-12);
    EXPECT_EQ(style->dimtfillclr().colorIndex(), 3);
    EXPECT_EQ(style->getName(), OdString("Standard"));  // the flags group is not the fill colour
    EXPECT_EQ(style->dimpost(), OdString("<> mm"));
}

TEST(LinetypeFile, LoadsByNameAndReportsMissingOnes)
{
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    const OdString inch(KV_RESOURCE_DIR "/inch.lin");
    db->loadLineTypeFile(OdString("center"), inch);
    OdDbSymbolTablePtr linetypes = db->getLinetypeTableId().safeOpenObject();
    OdDbLinetypeTableRecordPtr center = linetypes->getAt(OdString("CENTER"), OdDb::kForRead);
    ASSERT_FALSE(center.isNull());
    EXPECT_EQ(center->numDashes(), 4);
    EXPECT_GT(center->patternLength(), 0.0);
    EXPECT_FALSE(center->comments().isEmpty());

    try {
        db->loadLineTypeFile(OdString("NO_SUCH_STYLE"), inch);
        FAIL() << "a missing line style must raise";
    } catch (const OdError& e) {
        EXPECT_EQ(e.code(), 156);
    }
    try {
        db->loadLineTypeFile(OdString("DASHED"), OdString("/nonexistent/x.lin"));
        FAIL() << "a missing file must raise";
    } catch (const OdError& e) {
        EXPECT_NE(e.code(), 156);
    }
}

TEST(Saving, AFailedSaveLeavesNoFileBehind)
{
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    const std::string dir = std::string(::testing::TempDir()) + "/no-such-folder";
    EXPECT_THROW(db->writeFile(OdString(dir + "/out.dxf")), OdError);
    std::ifstream probe(dir + "/out.dxf");
    EXPECT_FALSE(probe.good());
}

TEST(DimStyle, TheTableListsExactlyTheStylesWritten)
{
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    OdDbObjectId arch;
    {
        OdDbSymbolTablePtr styles = db->getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
        OdDbDimStyleTableRecordPtr style = OdDbDimStyleTableRecord::createObject();
        style->setName(OdString("Arch"));
        arch = styles->add(style.get());
    }
    auto listed = [&](const OdDbDatabase* drawing) {
        TempFile file("dimstyles.dxf");
        const_cast<OdDbDatabase*>(drawing)->writeFile(OdString(file.path));
        const std::string text = file.read();
        const size_t table = text.find("AcDbDimStyleTable\n");
        const size_t firstRecord = text.find("\nDIMSTYLE\n", table);
        return text.substr(table, firstRecord - table);
    };
    const std::string archHandle = arch.getHandle().ascii().toUtf8();
    const std::string standard = db->getDimStyleStandardId().getHandle().ascii().toUtf8();
    std::string list = listed(db.get());
    EXPECT_NE(list.find(" 71\n2\n"), std::string::npos) << list;
    EXPECT_NE(list.find("340\n" + archHandle + "\n"), std::string::npos) << list;
    EXPECT_NE(list.find("340\n" + standard + "\n"), std::string::npos) << list;

    arch.safeOpenObject(OdDb::kForWrite)->erase();
    list = listed(db.get());
    EXPECT_NE(list.find(" 71\n1\n"), std::string::npos) << list;
    EXPECT_EQ(list.find("340\n" + archHandle + "\n"), std::string::npos) << list;
}
