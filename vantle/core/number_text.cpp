#include "vantle/core/number_text.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale>
#include <sstream>
#include <string>
#include <type_traits>

#include <locale.h>

namespace core {

namespace {

const int kDecimal = 10;
const int kHexadecimal = 16;

// White space as the classic locale classifies it.
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

const char* SkipSpace(const char* at, const char* end) {
    while (at != end && IsSpace(*at)) ++at;
    return at;
}

int DigitValue(char c, int base) {
    if (c >= '0' && c <= '9') return c - '0';
    if (base != kHexadecimal) return -1;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Past the leading zeros the stream consumes before the digits: all of them in decimal, one zero and an
// optional "x" in hexadecimal. found_zero and digits say whether what was consumed counts as a number.
const char* SkipLeadingZeros(const char* at, const char* end, int base, bool& found_zero, int& digits) {
    while (at != end) {
        const char c = *at;
        if (c == '0' && (!found_zero || base == kDecimal)) {
            found_zero = true;
            ++digits;
        } else if (found_zero && (c == 'x' || c == 'X') && base == kHexadecimal) {
            found_zero = false;
            digits = 0;
        } else {
            break;
        }
        ++at;
        if (!found_zero) break;
    }
    return at;
}

// The standard library's integer extraction: the sign, leading zeros, then digits until one is not,
// saturating at the type's limit (for a negative signed number, its minimum) and failing to 0 without a
// digit. A negative unsigned number wraps.
template <class Value>
Value ExtractInteger(const char* at, const char* end, int base) {
    using Unsigned = std::make_unsigned_t<Value>;
    using Limits = std::numeric_limits<Value>;
    at = SkipSpace(at, end);
    if (at == end) return 0;
    const bool negative = *at == '-';
    if (negative || *at == '+') ++at;
    bool found_zero = false;
    int digits = 0;
    at = SkipLeadingZeros(at, end, base, found_zero, digits);

    const Unsigned most = negative && Limits::is_signed
                              ? static_cast<Unsigned>(-static_cast<Unsigned>(Limits::min()))
                              : static_cast<Unsigned>(Limits::max());
    const Unsigned most_before_digit = most / static_cast<Unsigned>(base);
    Unsigned result = 0;
    bool overflow = false;
    for (; at != end; ++at) {
        const int digit = DigitValue(*at, base);
        if (digit < 0) break;
        if (result > most_before_digit) {
            overflow = true;
            continue;
        }
        result = static_cast<Unsigned>(result * static_cast<Unsigned>(base));
        overflow |= result > most - static_cast<Unsigned>(digit);
        result = static_cast<Unsigned>(result + static_cast<Unsigned>(digit));
        ++digits;
    }
    if (digits == 0 && !found_zero) return 0;
    if (overflow) return negative && Limits::is_signed ? Limits::min() : Limits::max();
    return static_cast<Value>(negative ? static_cast<Unsigned>(-result) : result);
}

// Streams read the narrower signed types as a long and then clamp it.
template <class Narrow>
Narrow ExtractClamped(const char* at, const char* end) {
    const long wide = ExtractInteger<long>(at, end, kDecimal);
    if (wide < std::numeric_limits<Narrow>::min()) return std::numeric_limits<Narrow>::min();
    if (wide > std::numeric_limits<Narrow>::max()) return std::numeric_limits<Narrow>::max();
    return static_cast<Narrow>(wide);
}

// The characters a stream collects for a floating-point number: sign, one zero for any leading zeros,
// digits with at most one point, then an exponent with its sign once a digit was seen.
std::string CollectFloatingText(const char* at, const char* end) {
    std::string text;
    if (at != end && (*at == '+' || *at == '-')) text += *at++;
    bool found_mantissa = false;
    for (; at != end && *at == '0'; ++at) {
        if (!found_mantissa) text += '0';
        found_mantissa = true;
    }
    bool found_point = false;
    bool found_exponent = false;
    while (at != end) {
        const char c = *at;
        if (c >= '0' && c <= '9') {
            text += c;
            found_mantissa = true;
        } else if (c == '.' && !found_point && !found_exponent) {
            text += '.';
            found_point = true;
        } else if ((c == 'e' || c == 'E') && !found_exponent && found_mantissa) {
            text += 'e';
            found_exponent = true;
            if (++at == end) break;
            if (*at != '+' && *at != '-') continue;
            text += *at;
        } else {
            break;
        }
        ++at;
    }
    return text;
}

locale_t ClassicCLocale() {
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return classic;
}

float ConvertText(const char* text, char** stop, float*) {
    return strtof_l(text, stop, ClassicCLocale());
}

double ConvertText(const char* text, char** stop, double*) {
    return strtod_l(text, stop, ClassicCLocale());
}

// The conversion the stream makes of what it collected: all of it must convert, and an infinity
// becomes the largest finite value.
template <class T>
T ExtractFloating(const char* at, const char* end) {
    at = SkipSpace(at, end);
    if (at == end) return 0;
    const std::string text = CollectFloatingText(at, end);
    char* stop = nullptr;
    const T value = ConvertText(text.c_str(), &stop, static_cast<T*>(nullptr));
    if (stop == text.c_str() || *stop != '\0') return 0;
    if (std::isinf(value)) return value > 0 ? std::numeric_limits<T>::max() : -std::numeric_limits<T>::max();
    return value;
}

// Without a C locale object there is nothing to convert with but a stream.
template <class T>
T ExtractByStream(const char* text, std::size_t length) {
    std::istringstream in(std::string(text, length));
    in.imbue(std::locale::classic());
    T number{};
    in >> number;
    return number;
}

}  // namespace

template <class T>
T ExtractNumber(const char* text, std::size_t length) {
    const char* end = text + length;
    if constexpr (std::is_floating_point_v<T>) {
        if (!ClassicCLocale()) return ExtractByStream<T>(text, length);
        return ExtractFloating<T>(text, end);
    } else if constexpr (std::is_same_v<T, short> || std::is_same_v<T, int>) {
        return ExtractClamped<T>(text, end);
    } else {
        return ExtractInteger<T>(text, end, kDecimal);
    }
}

template short ExtractNumber<short>(const char*, std::size_t);
template unsigned short ExtractNumber<unsigned short>(const char*, std::size_t);
template int ExtractNumber<int>(const char*, std::size_t);
template unsigned int ExtractNumber<unsigned int>(const char*, std::size_t);
template long ExtractNumber<long>(const char*, std::size_t);
template float ExtractNumber<float>(const char*, std::size_t);
template double ExtractNumber<double>(const char*, std::size_t);

unsigned int ExtractHex(const char* text, std::size_t length) {
    return ExtractInteger<unsigned int>(text, text + length, kHexadecimal);
}

bool ExtractFlag(const char* text, std::size_t length) {
    const char* end = text + length;
    const char* start = SkipSpace(text, end);
    // A failed extraction reads as 0, which is false as well.
    return ExtractInteger<long>(start, end, kDecimal) == 1;
}

char ExtractCharacter(const char* text, std::size_t length) {
    const char* at = SkipSpace(text, text + length);
    return at == text + length ? '\0' : *at;
}

}  // namespace core
