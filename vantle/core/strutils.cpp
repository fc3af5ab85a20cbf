#include "vantle/core/strutils.h"

#include "vantle/core/number_text.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <limits>
#include <locale>
#include <sstream>

#include <locale.h>

namespace core {

std::string StringTokenizer::iterator::operator*() const {
    const std::string& text = _tokenizer->_text;
    if (_position == std::string::npos || _position > text.size()) return std::string();
    const std::string& delimiter = _tokenizer->_delimiter;
    if (delimiter.empty()) return text.substr(_position);
    const std::string::size_type next = text.find(delimiter, _position);
    return text.substr(_position, next == std::string::npos ? std::string::npos : next - _position);
}

StringTokenizer::iterator& StringTokenizer::iterator::operator++() {
    if (_position == std::string::npos) return *this;
    const std::string& delimiter = _tokenizer->_delimiter;
    // An empty delimiter would match in place forever.
    const std::string::size_type next =
        delimiter.empty() ? std::string::npos : _tokenizer->_text.find(delimiter, _position);
    _position = next == std::string::npos ? std::string::npos : next + delimiter.size();
    return *this;
}

namespace {

template <class T>
std::string WriteNumber(T number, std::ios_base& (*base)(std::ios_base&)) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << base << number;
    return out.str();
}

locale_t ClassicCLocale() {
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return classic;
}

std::string TwoDigits(unsigned int number) {
    return (number < 10 ? "0" : "") + unsigned2str(number);
}

}  // namespace

unsigned int str2unsigned(const std::string& text) {
    return ExtractNumber<unsigned int>(text.data(), text.size());
}

int str2int(const std::string& text) {
    return ExtractNumber<int>(text.data(), text.size());
}

unsigned int hex2unsigned(const std::string& text) {
    return ExtractHex(text.data(), text.size());
}

float str2float(const std::string& text) {
    return str2float(text.c_str());
}

float str2float(const char* text) {
    const locale_t classic = ClassicCLocale();
    const double number =
        classic ? strtod_l(text, nullptr, classic) : ExtractNumber<double>(text, std::strlen(text));
    // Narrowing a double beyond float's range is undefined; give the infinity the hardware would.
    if (std::isfinite(number) && std::fabs(number) > std::numeric_limits<float>::max())
        return number > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    return static_cast<float>(number);
}

bool str2bool(const std::string& text) {
    return text == "true" || text == "yes" || text == "1";
}

std::string bool2str(bool flag) {
    return flag ? "true" : "false";
}

std::string unsigned2str(unsigned int number) {
    return WriteNumber(number, std::dec);
}

std::string unsigned2hex(unsigned int number) {
    return WriteNumber(number, std::hex);
}

std::string float2str(float number) {
    return WriteNumber(number, std::dec);
}

std::string time2str(unsigned int seconds) {
    return TwoDigits(seconds / 3600) + ":" + TwoDigits(seconds / 60 % 60) + ":" + TwoDigits(seconds % 60);
}

std::string chomp(const std::string& text) {
    const std::string::size_type first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    const std::string::size_type last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string remove(const std::string& text, const std::string& substring) {
    std::string result;
    StringTokenizer tokens(text, substring);
    for (const std::string& token : tokens) result += token;
    return result;
}

std::string escape_xml(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::vector<std::string> str_split(const std::string& text, const std::string& delimiter,
                                   unsigned int minimum) {
    std::vector<std::string> result;
    StringTokenizer tokens(text, delimiter);
    for (const std::string& token : tokens) result.push_back(token);
    if (result.size() < minimum) result.resize(minimum);
    return result;
}

std::vector<Value> str_splitv(const std::string& text, const std::string& delimiter, unsigned int minimum) {
    std::vector<Value> result;
    for (const std::string& token : str_split(text, delimiter, minimum)) result.emplace_back(token);
    return result;
}

}  // namespace core
