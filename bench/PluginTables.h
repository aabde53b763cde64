// The drawing's symbol table of the records a standards plug-in checks.
#pragma once

#include <CKvString.h>
#include <DbDatabase.h>

#include <vector>

namespace kvbench {

// The table of the DXF class that the plug-in's object filter names; the null id for another.
inline OdDbObjectId tableOfKind(const OdDbDatabase& drawing, const std::vector<CKvString>& filter)
{
    if (filter.empty()) {
        return OdDbObjectId();
    }
    const CKvString kind = filter.front();
    return kind == CKvString("LAYER")      ? drawing.getLayerTableId()
           : kind == CKvString("LTYPE")    ? drawing.getLinetypeTableId()
           : kind == CKvString("STYLE")    ? drawing.getTextStyleTableId()
           : kind == CKvString("DIMSTYLE") ? drawing.getDimStyleTableId()
                                           : OdDbObjectId();
}

}  // namespace kvbench
