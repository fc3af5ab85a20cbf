#pragma once

#include "support/fake_platform.h"

namespace test {

// Drives the frame clock (utils::Timer) and the raw ticks through the fake platform, on a time line of
// its own: Start() opens a fresh origin beyond every time handed out before, and At(t) makes t ms after
// that origin the current tick and frame time. Times passed to At must grow within one Start.
class FrameClock {
public:
    FrameClock();

    // A new origin; the frame time becomes that origin.
    void Start();
    // Moves ticks and the frame clock to origin + t and returns that absolute frame time.
    unsigned int At(unsigned int t);
    // The absolute frame time of origin + t, without moving the clock.
    unsigned int Abs(unsigned int t) const { return _origin + t; }
    unsigned int Origin() const { return _origin; }

private:
    FakePlatform* _platform;
    unsigned int _origin = 0;
};

}  // namespace test
