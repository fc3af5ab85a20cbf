#include "vantle/core/command_line.h"

#include "vantle/core/log.h"

namespace core {

namespace {

std::vector<std::string> SplitAtBlanks(const std::string& text) {
    std::vector<std::string> pieces;
    std::string::size_type start = 0;
    while (start <= text.size()) {
        std::string::size_type end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

bool OpensQuote(const std::string& piece) {
    return piece.size() > 1 && piece.front() == '"' && piece.back() != '"';
}

bool IsKey(const std::string& token) {
    return token.size() > 1 && token[0] == '-';
}

}  // namespace

CommandLine::CommandLine(const std::string& text) : _text(text) {
    Parse();
}

CommandLine::CommandLine(int argc, char** argv) {
    for (int i = 0; i < argc; ++i) {
        _text += argv[i];
        _text += ' ';
    }
    Parse();
}

void CommandLine::Parse() {
    // Parsing again gives the same result, not every argument twice.
    _keys.clear();
    _args.clear();
    std::string awaiting_key;
    std::string quoted;
    bool in_quote = false;
    for (const std::string& piece : SplitAtBlanks(_text)) {
        if (in_quote) {
            quoted += ' ';
            quoted += piece;
            if (piece.back() != '"') continue;
            in_quote = false;
            AddToken(quoted, &awaiting_key);
        } else if (OpensQuote(piece)) {
            in_quote = true;
            quoted = piece;
        } else {
            AddToken(piece, &awaiting_key);
        }
    }
    // A quote still open at the end is dropped.
}

void CommandLine::AddToken(const std::string& token, std::string* awaiting_key) {
    Log::instance()->Write("cl part: %s", token.c_str());
    if (IsKey(token)) {
        _keys[token] = "";
        *awaiting_key = token;
    } else if (!awaiting_key->empty()) {
        _keys[*awaiting_key] = token;
        awaiting_key->clear();
    } else {
        _args.push_back(token);
    }
}

bool CommandLine::KeyExist(const std::string& key) const {
    return _keys.count(key) != 0;
}

std::string CommandLine::GetKeyValue(const std::string& key) const {
    auto found = _keys.find(key);
    return found == _keys.end() ? std::string() : found->second;
}

std::string CommandLine::GetArg(unsigned int index) const {
    return index < _args.size() ? _args[index] : std::string();
}

int CommandLine::GetArgCount() const {
    return static_cast<int>(_args.size());
}

std::vector<std::string> CommandLine::GetKeys() const {
    std::vector<std::string> keys;
    for (const auto& entry : _keys) keys.push_back(entry.first);
    return keys;
}

std::vector<std::string> CommandLine::GetArgs() const {
    return _args;
}

}  // namespace core
