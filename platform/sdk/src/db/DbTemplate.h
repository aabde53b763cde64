#pragma once

namespace kvdb {

// DXF text of a new, empty imperial drawing (AC1032).
const char* newDrawingTemplate();

}  // namespace kvdb
