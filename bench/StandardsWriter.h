// Puts the planned records of kv_gen_standards into a drawing database through the SDK.
#pragma once

#include "StandardsPlan.h"

#include <DbDatabase.h>

namespace kvbench {

class Random;

// Adds the line styles, layers (each with its planned line style, looked up by name ignoring
// case), text styles and dimension styles of `records` to the database, in that order. Raises
// OdError when the database refuses a record (a name it holds already), std::logic_error when a
// layer names a line style that neither the records nor the database have.
void addRecords(OdDbDatabase& database, const RecordSet& records);

// Moves every model-space entity to one of the visible layers of `records`, and text, multiline
// text and dimensions to one of its text or dimension styles, picked at random. The records must
// have been added to the database.
void spreadEntities(OdDbDatabase& database, const RecordSet& records, Random& random);

}  // namespace kvbench
