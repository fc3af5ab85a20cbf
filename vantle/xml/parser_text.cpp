#include "vantle/xml/parser_text.h"

#include "vantle/core/strutils.h"

namespace xml {

namespace {

// In a document declared or marked as UTF-8 the parser steps over a whole character even where the text
// ends inside one: from the last byte it lands up to three bytes past the end and reads on from there.
const std::string::size_type kPadding = 4;

}  // namespace

std::string ParserText(const std::string& text) {
    std::string clean = core::remove(text.substr(0, text.find('\0')), "\r");
    clean.append(kPadding, '\0');
    return clean;
}

}  // namespace xml
