#pragma once

#include <map>
#include <string>
#include <vector>

namespace core {

// The program's arguments split into keys (words with a leading dash, each with the word after it as its
// value) and plain arguments. A double-quoted run of words is one plain argument, quotes kept.
class CommandLine {
public:
    CommandLine() = default;
    explicit CommandLine(const std::string& text);
    // The text is every argv entry, the program path included, each followed by one blank.
    CommandLine(int argc, char** argv);

    // Fills keys and arguments from the text; each complete token is logged as "cl part: ...".
    void Parse();

    // Keys are looked up with their leading dash.
    bool KeyExist(const std::string& key) const;
    // "" when the key is absent or had no value.
    std::string GetKeyValue(const std::string& key) const;
    // "" when the index is not below the count.
    std::string GetArg(unsigned int index) const;
    int GetArgCount() const;
    // Every key, dash included, in byte-wise order.
    std::vector<std::string> GetKeys() const;
    std::vector<std::string> GetArgs() const;

private:
    void AddToken(const std::string& token, std::string* awaiting_key);

    std::string _text;
    std::map<std::string, std::string> _keys;
    std::vector<std::string> _args;
};

}  // namespace core
