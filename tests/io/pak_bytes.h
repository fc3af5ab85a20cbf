#pragma once

#include <string>

#include "support/record_bytes.h"

namespace test {

// One entry of an archive's table.
inline std::string Record(const std::string& name, unsigned int offset, unsigned int size) {
    return LengthPrefixed(name) + Word(offset) + Word(size);
}

// Every byte XORed with the archive key.
inline std::string Scramble(std::string bytes) {
    for (char& c : bytes) c = static_cast<char>(c ^ 0x6B);
    return bytes;
}

// An archive file, scrambled as on disk, that holds one entry.
inline std::string OneEntryArchive(const std::string& name, const std::string& bytes) {
    return Scramble(Word(1) + Record(name, 0, static_cast<unsigned int>(bytes.size())) + bytes);
}

// The plain two-entry archive: "a" holding "xyz", then "bc" holding "hello".
inline std::string TwoEntryArchive() {
    return Word(2) + Record("a", 0, 3) + Record("bc", 3, 5) + "xyz" + "hello";
}

}  // namespace test
