#pragma once

#include "vantle/core/singleton.h"

namespace utils {

// The frame clock. Update once at the start of every frame; GetTime then advances every frame and
// never runs backwards, even when several frames fall within one tick of the system clock.
class Timer : public core::Singleton<Timer> {
public:
    Timer();

    void Update();
    // The smoothed frame time in milliseconds, the same for every call within one frame.
    unsigned int GetTime() const { return _time; }
    // The raw tick counter of the installed platform, in milliseconds.
    static unsigned int GetTicks();

private:
    unsigned int _time;
    unsigned int _last_tick;
    unsigned int _frames = 0;
    unsigned int _step = 1;
};

}  // namespace utils
