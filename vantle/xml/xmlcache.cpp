#include "vantle/xml/xmlcache.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "vantle/core/log.h"
#include "vantle/io/loader.h"
#include "vantle/xml/parser_text.h"

namespace xml {

namespace {

// The parser recurses once per element level; deeper documents would exhaust the stack.
const int kMaxDepth = 1000;

// Scans markup the way the parser reads it, so that nothing inside comments, sections, declarations or
// quoted attribute values counts as a tag. Up to the first point where the parser would give up, the
// depth found is never below the parser's own.
class NestingScanner {
public:
    explicit NestingScanner(const std::string& text) : _text(text) {}

    // The deepest nesting, or a number above the limit as soon as the limit is passed.
    int Deepest(int limit) {
        int depth = 0;
        int deepest = 0;
        for (_at = _text.find('<'); _at < _text.size() && deepest <= limit; _at = _text.find('<', _at)) {
            if (StartsWith("<?xml", true)) {
                SkipDeclaration();
            } else if (StartsWith("<!--", false)) {
                SkipPast(std::strlen("<!--"), "-->");
            } else if (StartsWith("<![CDATA[", false)) {
                SkipPast(std::strlen("<![CDATA["), "]]>");
            } else if (StartsWith("</", false)) {
                // Outside every element the parser takes a closing tag for an unknown node.
                if (depth > 0) --depth;
                SkipPast(1, ">");
            } else if (StartsElement()) {
                deepest = std::max(deepest, ++depth);
                if (SkipTagIsEmpty()) --depth;
            } else {
                SkipPast(1, ">");
            }
        }
        // Where the parser's reading depends on the document's encoding, assume the worst.
        return _ambiguous ? limit + 1 : deepest;
    }

private:
    bool StartsWith(const char* prefix, bool ignore_case) const {
        std::string::size_type i = _at;
        for (; *prefix; ++prefix, ++i) {
            if (i >= _text.size()) return false;
            const char c = ignore_case ? static_cast<char>(std::tolower(static_cast<unsigned char>(_text[i])))
                                       : _text[i];
            if (c != *prefix) return false;
        }
        return true;
    }

    // The parser takes every byte above 126 for a letter.
    bool StartsElement() const {
        if (_at + 1 >= _text.size()) return false;
        const unsigned char c = static_cast<unsigned char>(_text[_at + 1]);
        return c >= 127 || std::isalpha(c) || c == '_';
    }

    // The end is searched from `from` bytes after the opening '<', as the parser searches it.
    void SkipPast(std::string::size_type from, const char* end) {
        const std::string::size_type found = _text.find(end, _at + from);
        _at = found == std::string::npos ? std::string::npos : found + std::strlen(end);
    }

    // Past the tag's '>' outside quotes; whether it closed itself with "/>".
    bool SkipTagIsEmpty() {
        char quote = 0;
        for (std::string::size_type i = _at + 1; i < _text.size(); ++i) {
            const char c = _text[i];
            if (quote) {
                if (c == quote) quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                _at = i + 1;
                return _text[i - 1] == '/';
            }
        }
        _at = std::string::npos;
        return false;
    }

    // The parser reads "version", "encoding" and "standalone" as attributes, with quoted values that may
    // hold '>', and skips any other word; the first '>' outside those ends the declaration.
    void SkipDeclaration() {
        _at += std::strlen("<?xml");
        while (_at < _text.size()) {
            if (_text[_at] == '>') {
                ++_at;
                return;
            }
            SkipBlanks();
            if (StartsWith("version", true) || StartsWith("encoding", true) ||
                StartsWith("standalone", true)) {
                SkipDeclarationAttribute();
            } else {
                while (_at < _text.size() && _text[_at] != '>' && !IsBlank(_text[_at])) ++_at;
            }
        }
    }

    void SkipDeclarationAttribute() {
        while (_at < _text.size() && !IsBlank(_text[_at]) && _text[_at] != '=' && _text[_at] != '>') ++_at;
        SkipBlanks();
        if (_at >= _text.size() || _text[_at] != '=') return;
        ++_at;
        SkipBlanks();
        if (_at < _text.size() && (_text[_at] == '"' || _text[_at] == '\'')) {
            const std::string::size_type close = _text.find(_text[_at], _at + 1);
            _at = close == std::string::npos ? std::string::npos : close + 1;
            return;
        }
        while (_at < _text.size() && !IsBlank(_text[_at]) && _text[_at] != '/' && _text[_at] != '>') ++_at;
    }

    // Inside declarations the parser also skips byte-order marks, but only in UTF-8 documents.
    void SkipBlanks() {
        while (_at < _text.size() && IsBlank(_text[_at])) ++_at;
        if (_at < _text.size() &&
            (_text.compare(_at, 2, "\xEF\xBB") == 0 || _text.compare(_at, 2, "\xEF\xBF") == 0))
            _ambiguous = true;
    }

    static bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

    const std::string& _text;
    std::string::size_type _at = 0;
    bool _ambiguous = false;
};

}  // namespace

core::ptr<TiXmlDocument> XmlFactory::Create(const std::string& name) {
    const core::ptr<io::IStream> stream = io::Loader::instance()->Load(name);
    if (!stream) return core::ptr<TiXmlDocument>();
    return Parse(name, io::ReadText(stream));
}

core::ptr<TiXmlDocument> Parse(const std::string& name, const std::string& text) {
    core::ptr<TiXmlDocument> document(new TiXmlDocument(name));
    const std::string input = ParserText(text);
    if (NestingScanner(input).Deepest(kMaxDepth) > kMaxDepth) {
        core::Log::instance()->Write("XML nested too deeply: %s", name.c_str());
        document->SetError(TiXmlBase::TIXML_ERROR, nullptr, nullptr, TIXML_ENCODING_UNKNOWN);
        return document;
    }
    document->Parse(input.c_str(), nullptr, TIXML_ENCODING_UNKNOWN);
    return document;
}

bool ReportParseError(const TiXmlDocument& document, const std::string& prefix) {
    if (!document.Error()) return false;
    core::Log::instance()->Write(prefix + document.Value() + " : " + document.ErrorDesc());
    return true;
}

core::ptr<TiXmlDocument> Load(const std::string& name, const std::string& prefix) {
    const core::ptr<TiXmlDocument> document = XmlCache::instance()->Get(name);
    if (!document || ReportParseError(*document, prefix)) return core::ptr<TiXmlDocument>();
    return document;
}

}  // namespace xml
