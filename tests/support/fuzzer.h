#pragma once

#include <random>
#include <string>

#include "support/record_bytes.h"

namespace test {

// Seeded random bytes, text and mutations of good records, so every run sees the same inputs and a
// failure names the iteration to replay.
class Fuzzer {
public:
    explicit Fuzzer(unsigned int seed) : _random(seed) {}

    unsigned int Below(unsigned int limit) { return limit == 0 ? 0 : _random() % limit; }
    bool OneIn(unsigned int n) { return Below(n) == 0; }

    std::string Bytes(unsigned int length) {
        std::string bytes;
        for (unsigned int i = 0; i < length; ++i) bytes += static_cast<char>(Below(256));
        return bytes;
    }

    // Text drawn mostly from the characters that matter to the parsers.
    std::string Text(unsigned int length, const std::string& alphabet) {
        std::string text;
        for (unsigned int i = 0; i < length; ++i) {
            text += OneIn(16) ? static_cast<char>(Below(256)) : alphabet[Below(alphabet.size())];
        }
        return text;
    }

    std::string Mutate(std::string bytes) {
        static const unsigned int kWords[] = {0,           1,           0x7FFFFFFFu, 0x80000000u,
                                              0xFFFFFFFFu, 0xFFFFFFF0u, 12,          4096};
        for (unsigned int round = 1 + Below(4); round > 0; --round) {
            const unsigned int at = Below(bytes.size() + 1);
            switch (Below(6)) {
                case 0:
                    if (at < bytes.size()) bytes[at] = static_cast<char>(bytes[at] ^ (1 << Below(8)));
                    break;
                case 1:
                    bytes.resize(at);
                    break;
                case 2:
                    bytes.insert(at, Bytes(1 + Below(8)));
                    break;
                case 3:
                    bytes.replace(at, 4, test::Word(kWords[Below(sizeof kWords / sizeof kWords[0])]));
                    break;
                case 4:
                    bytes.insert(at, bytes.substr(Below(bytes.size() + 1), Below(16)));
                    break;
                default:
                    bytes.erase(at, Below(8));
                    break;
            }
        }
        return bytes;
    }

private:
    std::mt19937 _random;
};

}  // namespace test
