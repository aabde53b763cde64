#pragma once

#include <CKvString.h>
#include <OdDb.h>

// The display name of a lineweight: "ByLayer", "ByBlock", "Default" (translated) and "0.25 mm"
// for the standard lineweights; the empty text for any other value.
CKvString ConvertLineweightToName(OdDb::LineWeight lineweight);

// Reads a display name back. A text that names exactly one of ByBlock, ByLayer, ByDefault (as a
// part of the keyword, ignoring case) gives that special value; a text that is part of several
// keywords gives false with `lineweight` unchanged; otherwise a standard name ("0.25 mm",
// ignoring case) sets the value, and anything else leaves it unchanged. True in both cases.
bool convertStringToLineweight(CKvString& text, OdDb::LineWeight& lineweight);
