#include "vantle/xml/xmlcache.h"

#include <algorithm>

#include "vantle/core/log.h"
#include "vantle/core/strutils.h"
#include "vantle/io/loader.h"

namespace xml {

namespace {

// The parser recurses once per element level; deeper documents would exhaust the stack.
const int kMaxDepth = 1000;

std::string ReadText(const core::ptr<io::IStream>& stream) {
    stream->Seek(0);
    std::string text(stream->Size(), '\0');
    if (!text.empty()) text.resize(stream->Read(&text[0], text.size()));
    const std::string::size_type zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
    return text;
}

// An upper bound of the element nesting: opening tags minus closing and empty-element tags.
int NestingDepth(const std::string& text) {
    int depth = 0;
    int deepest = 0;
    for (std::string::size_type i = 0; i + 1 < text.size(); ++i) {
        const char next = text[i + 1];
        if (text[i] == '<' && next != '/' && next != '?' && next != '!') {
            deepest = std::max(deepest, ++depth);
        } else if ((text[i] == '<' && next == '/') || (text[i] == '/' && next == '>')) {
            --depth;
        }
    }
    return deepest;
}

}  // namespace

core::ptr<TiXmlDocument> XmlFactory::Create(const std::string& name) {
    const core::ptr<io::IStream> stream = io::Loader::instance()->Load(name);
    if (!stream) return core::ptr<TiXmlDocument>();
    const std::string text = core::remove(ReadText(stream), "\r");
    core::ptr<TiXmlDocument> document(new TiXmlDocument(name));
    if (NestingDepth(text) > kMaxDepth) {
        core::Log::instance()->Write("XML nested too deeply: %s", name.c_str());
        document->SetError(TiXmlBase::TIXML_ERROR, nullptr, nullptr, TIXML_ENCODING_UNKNOWN);
        return document;
    }
    document->Parse(text.c_str(), nullptr, TIXML_ENCODING_UNKNOWN);
    return document;
}

}  // namespace xml
