#pragma once

class OdDbObject;
class OdDbStub;

namespace kvdb {

class DatabaseImpl;

// One object of a drawing older than AC1015 brought to the structure of AC1015: its handle and
// owner first, every group in its subclass. Objects that already have that structure (made while
// reading, or from writers that mix the two) keep their groups and get only the handle and owner
// they lack.
void upgradeEntity(DatabaseImpl& db, OdDbObject* entity, OdDbStub* owner);
void upgradeRecord(DatabaseImpl& db, OdDbObject* record, OdDbStub* table);
void upgradeTable(DatabaseImpl& db, OdDbObject* table);
void upgradeBlockRecord(DatabaseImpl& db, OdDbObject* block, OdDbStub* table);
// An object of an OBJECTS section in a drawing that should have none keeps its groups as they
// are and gets only the handle it lacks.
void upgradeObject(OdDbObject* object);

// The dimension variables AC1015 keeps otherwise: the arrow blocks named in 5, 6 and 7 become
// handles (342, 343, 344), DIMFIT becomes DIMATFIT and DIMTMOVE, DIMUNIT becomes DIMLUNIT and
// DIMFRAC (the old groups stay, as other programs keep them). An arrow block the drawing does not
// have is reported in the database's messages; the style then uses the default arrow.
void upgradeDimStyleVariables(DatabaseImpl& db, OdDbObject* record);

}  // namespace kvdb
