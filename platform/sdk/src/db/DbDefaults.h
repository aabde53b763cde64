#pragma once

#include <string>

class OdDbStub;

namespace kvdb {

class DatabaseImpl;

// Gives a drawing what every drawing has, as CAD programs do when they read one: the nine
// tables, layer "0", the line styles ByBlock, ByLayer and Continuous, the text and dimension
// styles Standard, the application ACAD, the layout blocks *Model_Space and *Paper_Space with
// their block definitions, the layers its entities name, and the named-objects dictionary with
// its groups and layouts. What the
// drawing has is kept; what it lacks is copied from the new-drawing template and reported in the
// database's messages, one line per table naming the file and what was added. Layouts and
// dictionaries are not reported for drawings older than AC1015, which cannot have them.
void supplyWhatEveryDrawingHas(DatabaseImpl& db);

// Adds the table of a record type ("LAYER") that the drawing lacks, as the template has it,
// among the drawing's tables in the order files hold them; no records.
OdDbStub* addStandardTable(DatabaseImpl& db, const std::string& recordType);

}  // namespace kvdb
