#include "Diagnostic.h"

namespace kvdxf {

std::string Diagnostic::toString() const
{
    if (line > 0) {
        return file + ':' + std::to_string(line) + ": " + message;
    }
    if (offset > 0) {
        return file + ":@offset " + std::to_string(offset) + ": " + message;
    }
    return file + ": " + message;
}

}  // namespace kvdxf
