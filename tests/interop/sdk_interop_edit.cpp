// Changes a drawing through the SDK the way the standards fixes do, for check_edit_output.py:
//   sdk_interop_edit IN OUT SOURCE LIN
// renames layer Walls to A-WALL, moves everything on Old to Doors (and the current layer with
// it), purges Old and HIDDEN, loads CENTER from LIN, copies BORDER from SOURCE and adds an xrecord
// under KV_ADDED.
#include <DbBlockTableRecord.h>
#include <DbDatabase.h>
#include <DbDictionary.h>
#include <DbEntity.h>
#include <DbIdMapping.h>
#include <DbLayerTableRecord.h>
#include <DbSymbolTable.h>
#include <DbXrecord.h>
#include <OdError.h>

#include <cstdio>

namespace {

OdDbObjectId recordId(OdDbDatabase* db, const OdDbObjectId& tableId, const char* name)
{
    OdDbSymbolTablePtr table = tableId.safeOpenObject();
    const OdDbObjectId id = table->getAt(OdString(name));
    if (id.isNull()) {
        throw OdError(OdString(std::string("no record ") + name), eKeyNotFound);
    }
    (void)db;
    return id;
}

void moveEntities(OdDbDatabase* db, const OdDbObjectId& from, const OdDbObjectId& to)
{
    OdDbSymbolTablePtr blocks = db->getBlockTableId().safeOpenObject();
    for (OdDbSymbolTableIteratorPtr it = blocks->newIterator(); !it->done(); it->step()) {
        OdDbBlockTableRecordPtr block = it->getRecord();
        for (OdDbObjectIteratorPtr e = block->newIterator(); !e->done(); e->step()) {
            OdDbEntityPtr entity = e->entity(OdDb::kForWrite);
            if (!entity.isNull() && entity->layerId() == from) {
                entity->setLayer(to);
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fputs("usage: sdk_interop_edit IN OUT SOURCE LIN\n", stderr);
        return 2;
    }
    try {
        OdDbDatabasePtr db = OdDbDatabase::readFile(OdString(argv[1]));
        const OdDbObjectId layers = db->getLayerTableId();
        OdDbLayerTableRecordPtr(recordId(db.get(), layers, "Walls").safeOpenObject(OdDb::kForWrite))
            ->setName(OdString("A-WALL"));

        const OdDbObjectId old = recordId(db.get(), layers, "Old");
        const OdDbObjectId doors = recordId(db.get(), layers, "Doors");
        moveEntities(db.get(), old, doors);
        if (db->getCLAYER() == old) {
            db->setCLAYER(doors);
        }
        OdDbObjectIdArray purge;
        purge.append(old);
        purge.append(recordId(db.get(), db->getLinetypeTableId(), "HIDDEN"));
        db->purge(purge);
        for (const OdDbObjectId& id : purge) {
            id.safeOpenObject(OdDb::kForWrite)->erase(true);
        }

        db->loadLineTypeFile(OdString("CENTER"), OdString(argv[4]));

        OdDbDatabasePtr source = OdDbDatabase::readFile(OdString(argv[3]));
        OdDbObjectIdArray ids;
        ids.append(recordId(source.get(), source->getLinetypeTableId(), "BORDER"));
        OdDbIdMappingPtr map = OdRxObjectImpl<OdDbIdMapping>::createObject();
        map->setDestDb(db.get());
        source->wblockCloneObjects(ids, db->getLinetypeTableId(), *map, OdDb::kDrcReplace);

        OdDbDictionaryPtr root = db->getNamedObjectsDictionaryId().safeOpenObject(OdDb::kForWrite);
        OdDbXrecordPtr xrecord = OdDbXrecord::createObject();
        root->setAt(OdString("KV_ADDED"), xrecord.get());
        OdResBufPtr chain = OdResBuf::newRb(1, OdString("hello"));
        chain->setNext(OdResBuf::newRb(90, OdInt32(42)));
        chain->next()->setNext(OdResBuf::newRb(40, 2.5));
        xrecord->setFromRbChain(chain.get());
        xrecord.release();
        root.release();

        db->writeFile(OdString(argv[2]));
    } catch (const OdError& e) {
        std::fprintf(stderr, "sdk_interop_edit: %s\n", e.description().toUtf8().c_str());
        return 1;
    }
    return 0;
}
