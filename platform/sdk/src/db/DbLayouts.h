#pragma once

namespace kvdb {

class DatabaseImpl;

// Mends the links between layouts and their blocks: each layout of the ACAD_LAYOUT dictionary
// names its block record (330 of AcDbLayout) and each layout block names its layout (340). A link
// to nothing is set from the other side (or "Model" to *Model_Space, a paper layout to the paper
// space block no layout has), or cleared when nothing fits; each repair is reported in the
// database's messages with the file, the layout or block and the handle it named.
void repairLayoutLinks(DatabaseImpl& db);

}  // namespace kvdb
