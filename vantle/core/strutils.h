#pragma once

#include <string>
#include <vector>

#include "vantle/core/value.h"

namespace core {

// Walks the tokens of a text between occurrences of one whole delimiter substring. Empty tokens count
// ("a;;b" gives "a", "", "b"); the empty text is one empty token, and so is any text for an empty
// delimiter. The text must outlive the tokenizer.
class StringTokenizer {
public:
    class iterator {
    public:
        iterator(const StringTokenizer* tokenizer, std::string::size_type position)
            : _tokenizer(tokenizer), _position(position) {}

        std::string operator*() const;
        iterator& operator++();
        bool operator==(const iterator& other) const {
            return _tokenizer == other._tokenizer && _position == other._position;
        }
        bool operator!=(const iterator& other) const { return !(*this == other); }

    private:
        const StringTokenizer* _tokenizer;
        std::string::size_type _position;
    };

    StringTokenizer(const std::string& text, const std::string& delimiter)
        : _text(text), _delimiter(delimiter) {}

    iterator begin() const { return iterator(this, 0); }
    iterator end() const { return iterator(this, std::string::npos); }

private:
    friend class iterator;
    const std::string& _text;
    std::string _delimiter;
};

// Number readers ignore the C locale; text that holds no number reads as 0.
unsigned int str2unsigned(const std::string& text);
int str2int(const std::string& text);
// Hexadecimal digits, no prefix needed.
unsigned int hex2unsigned(const std::string& text);
// Like atof in the classic locale, narrowed to float.
float str2float(const std::string& text);
float str2float(const char* text);
// Exactly "true", "yes" or "1" are true.
bool str2bool(const std::string& text);

std::string bool2str(bool flag);
std::string unsigned2str(unsigned int number);
// Lower-case digits, no prefix, no leading zeros.
std::string unsigned2hex(unsigned int number);
// Six significant digits, as a default output stream writes them.
std::string float2str(float number);
// "hh:mm:ss"; hours are not capped.
std::string time2str(unsigned int seconds);

// Without leading and trailing ' ' (tabs and line ends stay).
std::string chomp(const std::string& text);
// Every occurrence of the substring removed.
std::string remove(const std::string& text, const std::string& substring);
// "&", "<", ">" and '"' as entities, so the text can stand in an attribute or element; text without them
// comes back unchanged.
std::string escape_xml(const std::string& text);

// The tokens in order, filled up with empty ones to at least `minimum` entries.
std::vector<std::string> str_split(const std::string& text, const std::string& delimiter,
                                   unsigned int minimum = 0);
std::vector<Value> str_splitv(const std::string& text, const std::string& delimiter,
                              unsigned int minimum = 0);

}  // namespace core
