#include "vantle/core/random.h"

#include <cstdlib>
#include <ctime>

namespace core {

namespace {

bool seeded = false;

// The generator's numbers run from 0 to RAND_MAX; scaling by 2^-31 assumes RAND_MAX is 2^31 - 1.
const float kUnitScale = 1.0f / (static_cast<float>(RAND_MAX) + 1.0f);
const int kBitsPerByte = 8;
const int kBytesPerNumber = 4;

}  // namespace

Random::Random() {
    if (!seeded) Seed(static_cast<unsigned int>(std::time(nullptr)));
}

void Random::Seed(unsigned int seed) {
    std::srand(seed);
    seeded = true;
}

int Random::GetInt(int a, int b) {
    if (a == b) return b;
    int low = a < b ? a : b;
    int high = a < b ? b : a;
    // Unsigned arithmetic: a spread up to the full int range does not overflow.
    unsigned int spread = static_cast<unsigned int>(high) - static_cast<unsigned int>(low) + 1u;
    unsigned int r = static_cast<unsigned int>(std::rand());
    unsigned int offset = spread == 0 ? r : r % spread;
    return static_cast<int>(static_cast<unsigned int>(low) + offset);
}

float Random::GetFloat(float a, float b) {
    float unit = static_cast<float>(std::rand()) * kUnitScale;
    return a + unit * (b - a);
}

unsigned int Random::GetUnsigned() {
    return static_cast<unsigned int>(std::rand());
}

int Random::GetInt() {
    return std::rand();
}

char Random::GetChar() {
    unsigned int r = static_cast<unsigned int>(std::rand());
    unsigned int s = static_cast<unsigned int>(std::rand());
    int byte_from_top = static_cast<int>(s % kBytesPerNumber);
    int shift = (kBytesPerNumber - 1 - byte_from_top) * kBitsPerByte;
    return static_cast<char>((r >> shift) & 0xFFu);
}

}  // namespace core
