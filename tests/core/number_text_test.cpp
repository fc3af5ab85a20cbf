#include <gtest/gtest.h>

#include <cstring>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "vantle/core/number_text.h"
#include "vantle/core/strutils.h"

namespace {

// What a string stream in the classic locale reads, the reference every reader must match.
template <class T>
T StreamRead(const std::string& text, bool hex = false) {
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    T value{};
    if (hex) in >> std::hex;
    in >> value;
    return value;
}

bool StreamFlag(const std::string& text) {
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    bool flag = false;
    in >> flag;
    return in ? flag : false;
}

char StreamCharacter(const std::string& text) {
    std::istringstream in(text);
    char character = 0;
    in >> character;
    return in ? character : '\0';
}

// Compares bit for bit, so that -0 and 0 differ and a NaN would show.
template <class T>
bool Same(T a, T b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void ExpectSameAsStream(const std::string& text) {
    SCOPED_TRACE("text \"" + text + "\"");
    const char* data = text.data();
    const std::size_t size = text.size();
    EXPECT_EQ(core::ExtractNumber<unsigned int>(data, size), StreamRead<unsigned int>(text));
    EXPECT_EQ(core::ExtractNumber<int>(data, size), StreamRead<int>(text));
    EXPECT_EQ(core::ExtractNumber<short>(data, size), StreamRead<short>(text));
    EXPECT_EQ(core::ExtractNumber<unsigned short>(data, size), StreamRead<unsigned short>(text));
    EXPECT_EQ(core::ExtractNumber<long>(data, size), StreamRead<long>(text));
    EXPECT_EQ(core::ExtractHex(data, size), StreamRead<unsigned int>(text, true));
    EXPECT_TRUE(Same(core::ExtractNumber<float>(data, size), StreamRead<float>(text)))
        << core::ExtractNumber<float>(data, size) << " against " << StreamRead<float>(text);
    EXPECT_TRUE(Same(core::ExtractNumber<double>(data, size), StreamRead<double>(text)))
        << core::ExtractNumber<double>(data, size) << " against " << StreamRead<double>(text);
    EXPECT_EQ(core::ExtractFlag(data, size), StreamFlag(text));
    EXPECT_EQ(core::ExtractCharacter(data, size), StreamCharacter(text));
    EXPECT_EQ(core::str2unsigned(text), StreamRead<unsigned int>(text));
    EXPECT_EQ(core::str2int(text), StreamRead<int>(text));
    EXPECT_EQ(core::hex2unsigned(text), StreamRead<unsigned int>(text, true));
}

TEST(NumberText, ReadsTrickyTextsAsAStringStreamDoes) {
    const std::vector<std::string> texts = {
        // Empty, blank, signs alone
        "", " ", " \t\n\v\f\r", "+", "-", "+-1", "-+1", "- 1", "--1",
        // Plain numbers, leading blanks and zeros, trailing junk
        "0", "7", "  42", "\t\n 42", "42abc", "42 43", "0042", "-0", "+0", "000", "-000", "12\n",
        // Signs before unsigned numbers, limits and just past them
        "-1", "-5", "+17", "255", "65535", "65536", "-65535", "-65536", "32767", "32768", "-32768", "-32769",
        "2147483647", "2147483648", "-2147483648", "-2147483649", "4294967295", "4294967296", "-4294967295",
        "-4294967296", "9223372036854775807", "9223372036854775808", "-9223372036854775808",
        "-9223372036854775809", "18446744073709551615", "99999999999999999999999",
        // Hexadecimal-looking
        "0x", "0x1F", "0X1f", "0xg", "x1", "ff", "FF", "fF", "00ff", "0x0x1", "0xffffffff", "0x100000000",
        "-0x1", "deadbeef", "1a2b", "abcdefg",
        // Fractions and exponents
        "1.5", ".5", "5.", ".", "-.5", "+.5", "1.5.3", "1e5", "1E5", "1e", "1e+", "1e-", "1e+5", "1e-5",
        "1e5e3", "1.e3", ".e3", "e3", "0e0", "00.25", "1e+-5", "2.5E-3x", "123456789012345678901234567890",
        "0.000000000000000000000000000000000000000000001", "1e38", "3.4e38", "3.5e38", "1e39", "-1e39",
        "1e308", "1e309", "-1e309", "1e-38", "1e-45", "1e-46", "1e-320", "1e-400", "4.9e-324",
        // Words the C library would read but a stream does not
        "nan", "NaN", "inf", "-inf", "infinity", "0x1p3", "0x1.8p1",
        // Bytes that are no number
        "abc", "one", "1,5",
        "\xc2\xa0"
        "1",
        std::string("1\0"
                    "2",
                    3),
        std::string("\0"
                    "5",
                    2)};
    for (const std::string& text : texts) ExpectSameAsStream(text);
}

// Texts made of the characters numbers are made of, in every order, against the stream.
TEST(NumberText, ReadsMixedUpNumberCharactersAsAStringStreamDoes) {
    const char alphabet[] = " \t+-0123456789.eExXafAF";
    const std::size_t letters = sizeof alphabet - 1;
    unsigned int seed = 2024;
    for (int round = 0; round < 3000; ++round) {
        seed = seed * 1103515245u + 12345u;
        const std::size_t length = (seed >> 16) % 12;
        std::string text;
        for (std::size_t i = 0; i < length; ++i) {
            seed = seed * 1103515245u + 12345u;
            // Digits come up more often, so that longer numbers occur.
            const std::size_t pick = (seed >> 16) % (letters + 10);
            text += pick < letters ? alphabet[pick] : static_cast<char>('0' + pick - letters);
        }
        ExpectSameAsStream(text);
        if (HasFailure()) break;
    }
}

}  // namespace
