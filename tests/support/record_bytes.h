#pragma once

#include <string>

namespace test {

// Binary records written by hand, so tests do not only check the reader against the writer.

// A 32-bit little-endian word.
inline std::string Word(unsigned int value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

// A string as records hold it: its length as a word, then its bytes.
inline std::string LengthPrefixed(const std::string& text) {
    return Word(static_cast<unsigned int>(text.size())) + text;
}

}  // namespace test
