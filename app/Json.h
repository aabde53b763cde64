#pragma once

#include <string>
#include <string_view>

// Quotes text as a JSON string (the text is UTF-8).
std::string jsonQuote(std::string_view text);
