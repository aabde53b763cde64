// The ignored-violation record: the mark a user sets on a violating record so that the violation
// stays ignored across saving and reopening, with the name of the user who set it. It lives in the
// record's extension dictionary:
//   extension dictionary -> "AcStStandard" (dictionary) -> "AcStFlags" (xrecord)
//   data chain: an untyped first item, 300 user name, 90 flag (1 ignored, 0 not ignored)
// Written by the Verify Standards dialog, read by every check and by `kvcad check`.
#ifndef KV_CKV_IGNORED_STATE_H
#define KV_CKV_IGNORED_STATE_H

#include <CKvStdsError.h>
#include <CKvString.h>
#include <DbObjectId.h>

struct CKvIgnoredState
{
    bool ignored = false;
    CKvString user;
    // True when at least one entry of the record's "AcStStandard" dictionary was read, so that
    // `ignored` and `user` come from the drawing.
    bool hasRecord = false;
};

// Reads the mark of the record. Every entry of "AcStStandard" is read in key order and the last
// one wins: an item of type 90 sets the flag, one of type 300 the user name, other items are
// skipped; the flag starts at -1 and the record is ignored unless the flag ends at 0, and neither
// value is reset between entries. A record that cannot be opened, has no extension dictionary or
// no "AcStStandard" entry reads as not ignored, with an empty user name.
// Raises OdError_NotThatKindOfClass when "AcStStandard" is not a dictionary or one of its entries
// is not an xrecord.
CKvIgnoredState readIgnoredState(const OdDbObjectId& id);

// Loads the mark of the error's record into the error (SetIgnoredState), as readIgnoredState
// reads it; an "AcStStandard" dictionary without entries leaves the error's state unchanged. A
// null error is ignored. Raises as readIgnoredState.
void loadIgnoredState(const OdSmartPtr<CKvStdsError>& error);

// Marks the record as ignored by `user`, or clears the mark (flag 0 and an empty user name; the
// record itself is kept). Creates the extension dictionary when the record has none and replaces
// whatever was stored under "AcStStandard". Returns false, changing nothing, when the record
// cannot be opened for writing.
bool writeIgnoredState(const OdDbObjectId& id, bool ignored, const CKvString& user);

#endif  // KV_CKV_IGNORED_STATE_H
