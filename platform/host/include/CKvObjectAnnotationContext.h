// CKvObjectAnnotationContext: the annotative and match-orientation flags of a text style or a
// dimension style, kept where DXF keeps them so that they survive saving and reading:
//   XDATA "AcadAnnotative": 1000 "AnnotativeData", 1002 "{", 1070 1 (version), 1070 flag, 1002 "}"
//   XDATA "AcadAnnoPO":     1070 flag (text orientation follows the layout)
// A record without such XDATA is not annotative and does not match the orientation.
#ifndef KV_CKV_OBJECT_ANNOTATION_CONTEXT_H
#define KV_CKV_OBJECT_ANNOTATION_CONTEXT_H

#include <DbObjectId.h>

class CKvObjectAnnotationContext
{
public:
    // Whether the object is annotative; `matchOrientation`, when given, receives the
    // match-orientation flag. An id that cannot be opened reads as false for both.
    static bool IsAnnotative(OdDbObjectId id, bool* matchOrientation = nullptr);
    // Stores both flags. A flag that is already as asked is left untouched, and a cleared flag
    // whose XDATA is absent stays absent (files carry both the "0" and the absent form). An id
    // that cannot be opened for writing is ignored.
    static void SetAnnotative(OdDbObjectId id, bool annotative, bool matchOrientation);
};

#endif  // KV_CKV_OBJECT_ANNOTATION_CONTEXT_H
