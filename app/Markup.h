// Text in XML and HTML documents.
#pragma once

#include <string>
#include <string_view>

// Escapes UTF-8 text for element content and for attribute values alike. Characters XML cannot
// carry, and malformed UTF-8, become U+FFFD; line breaks and tabs are written as references so
// that attribute values keep them.
std::string xml(std::string_view text);
