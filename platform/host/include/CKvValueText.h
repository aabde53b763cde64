// The text of a property value of a standards violation or fix, as the Verify Standards dialog and
// `kvcad check` show it. One function, so that the dialog and the batch report never disagree.
#ifndef KV_CKV_VALUE_TEXT_H
#define KV_CKV_VALUE_TEXT_H

#include <CKvString.h>

#include <ResBuf.h>

// Renders the value by its type code: 280, 5003 and 5010 as a decimal integer (getInt8,
// getInt16, getInt32); 290 as "1" or "0"; 5001 as a real with four decimals ("2.5000"); 5005 as
// the text itself; 5011 as the colour's display name ("red", "ByLayer", "255,128,0"). Any other
// code, and a null value, give the empty text. Independent of the process locale.
CKvString valueText(const OdResBufPtr& value);

#endif  // KV_CKV_VALUE_TEXT_H
