#pragma once

namespace kvdb {

class DatabaseImpl;

// True for drawings older than AC1015, which are written as AC1015.
bool isOlderThanAc1015(const DatabaseImpl& db);

// Brings a drawing read from R12 (no handles or owners, no subclass markers, no block records,
// no OBJECTS section) to the structure of AC1015: every object gets its handle and owner, every
// group its subclass, every block a block record, and the drawing a named-objects dictionary with
// its layouts. R13 and R14 drawings already have that structure and change only their version.
void upgradeToAc1015(DatabaseImpl& db);

}  // namespace kvdb
