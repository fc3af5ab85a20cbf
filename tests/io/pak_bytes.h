#pragma once

#include <string>

namespace test {

// Archive bytes written by hand, so tests do not only check the reader against the writer.
inline std::string Word(unsigned int value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

inline std::string Record(const std::string& name, unsigned int offset, unsigned int size) {
    return Word(static_cast<unsigned int>(name.size())) + name + Word(offset) + Word(size);
}

// Every byte XORed with the archive key.
inline std::string Scramble(std::string bytes) {
    for (char& c : bytes) c = static_cast<char>(c ^ 0x6B);
    return bytes;
}

// The plain two-entry archive: "a" holding "xyz", then "bc" holding "hello".
inline std::string TwoEntryArchive() {
    return Word(2) + Record("a", 0, 3) + Record("bc", 3, 5) + "xyz" + "hello";
}

}  // namespace test
