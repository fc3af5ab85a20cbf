#pragma once

#include "vantle/core/singleton.h"

namespace core {

// Random numbers from the standard library's process-wide generator. The generator is seeded from the
// clock once per process, by the first construction, so objects made close together still draw
// different numbers; tests fix the sequence with Seed.
class Random : public Singleton<Random> {
public:
    Random();

    // Reseeds the process-wide generator; later constructions leave it alone.
    static void Seed(unsigned int seed);

    // An integer in the inclusive range between the bounds, given in either order.
    int GetInt(int a, int b);
    // A float from a towards b; b itself can come out.
    float GetFloat(float a, float b);
    // The generator's next number, unchanged.
    unsigned int GetUnsigned();
    int GetInt();
    // One byte of a random number.
    char GetChar();
};

}  // namespace core
