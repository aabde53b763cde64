// The manager loads the ignored mark of a violating record into its error.
#include <CKvIgnoredState.h>
#include <CKvStdsManagerImpl.h>
#include <DbDatabase.h>
#include <DbDictionary.h>
#include <DbLayerTableRecord.h>
#include <DbSymbolTable.h>
#include <DbXrecord.h>

#include <QApplication>

#include <gtest/gtest.h>

#include <functional>

namespace {

OdDbObjectId addLayer(OdDbDatabase* db, const char* name)
{
    OdDbSymbolTablePtr table = db->getLayerTableId().safeOpenObject(OdDb::kForWrite);
    OdDbLayerTableRecordPtr layer = OdDbLayerTableRecord::createObject();
    layer->setName(OdString(name));
    return table->add(layer.get());
}

// Stores the chain under AcStStandard/AcStFlags of the record, as another writer might.
void storeChain(const OdDbObjectId& id, const OdResBufPtr& chain)
{
    OdDbObjectPtr object = id.safeOpenObject(OdDb::kForWrite);
    object->createExtensionDictionary();
    OdDbDictionaryPtr extension = object->extensionDictionary().safeOpenObject(OdDb::kForWrite);
    OdDbDictionaryPtr standard = OdDbDictionary::createObject();
    extension->setAt(OdString("AcStStandard"), standard.get());
    OdDbXrecordPtr flags = OdDbXrecord::createObject();
    standard->setAt(OdString("AcStFlags"), flags.get());
    flags->setFromRbChain(chain.get());
}

}  // namespace

TEST(ManagerIgnoredFlag, ErrorTakesTheMarkStoredOnItsRecord)
{
    struct Case
    {
        const char* what;
        std::function<void(const OdDbObjectId&)> mark;
        bool ignored;
        const char* user;
    };
    const Case cases[] = {
        {"no mark", [](const OdDbObjectId&) {}, false, ""},
        {"ignored by a user",
         [](const OdDbObjectId& id) { writeIgnoredState(id, true, CKvString("alice")); }, true,
         "alice"},
        {"ignored, then cleared",
         [](const OdDbObjectId& id) {
             writeIgnoredState(id, true, CKvString("alice"));
             writeIgnoredState(id, false, CKvString("bob"));
         },
         false, ""},
        {"flag before user name",
         [](const OdDbObjectId& id) {
             OdResBufPtr chain = OdResBuf::newRb(90, static_cast<OdInt32>(1));
             chain->setNext(OdResBuf::newRb(300, OdString("carol")));
             storeChain(id, chain);
         },
         true, "carol"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CKvStdsManagerImpl manager;
        OdDbDatabasePtr db = OdDbDatabase::createObject();
        const OdDbObjectId layer = addLayer(db.get(), "Walls");
        c.mark(layer);
        OdSmartPtr<CKvStdsError> error = CKvStdsError::createObject();
        error->SetObjectId(layer);
        error->SetIgnoredState(true, CKvString("stale"));
        manager.UpdateErrorIgnoredFlag(error);
        bool ignored = !c.ignored;
        CKvString user("unset");
        error->GetIgnoredState(ignored, user);
        EXPECT_EQ(ignored, c.ignored);
        EXPECT_EQ(user.toQString().toStdString(), c.user);
    }
}

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
