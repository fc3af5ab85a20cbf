#pragma once

#include <string>

namespace xml {

// The bytes the parser is handed for a text: the text up to its first zero byte with carriage returns
// removed, then enough zero bytes that the parser cannot read past them.
std::string ParserText(const std::string& text);

}  // namespace xml
