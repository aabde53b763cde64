#pragma once

#include <string>
#include <vector>

namespace kvdb {

class DatabaseImpl;

// True for versions from R13 (AC1012) on, which give every object a handle, an owner and its
// subclasses.
bool isObjectBased(const std::string& version);

// True for drawings older than AC1015, which are written as AC1015.
bool isOlderThanAc1015(const DatabaseImpl& db);

// Makes the block records made up while reading a table of the file, in the structure of AC1015,
// and gives every block record its BLOCK and ENDBLK: the whole table when the drawing has no
// BLOCK_RECORD table, else the records of blocks the file defines without one, whose names
// (as the file spells them) are returned.
std::vector<std::string> adoptBlockTable(DatabaseImpl& db);

// Brings a drawing read from R12 (no handles or owners, no subclass markers, no block records,
// no OBJECTS section) to the structure of AC1015: every object gets its handle and owner, every
// group its subclass, every block a block record. R13 and R14 drawings already have that
// structure; they change their version and the dimension variables AC1015 keeps otherwise. The
// named-objects dictionary and the layouts come from supplyWhatEveryDrawingHas.
void upgradeToAc1015(DatabaseImpl& db);

}  // namespace kvdb
