#include "vantle/utils/timer.h"

#include <cstdint>

#include "vantle/platform/platform.h"

namespace utils {

namespace {
// Whether a lies after b on the wrapping 32-bit clock.
bool IsAfter(unsigned int a, unsigned int b) {
    return static_cast<std::int32_t>(a - b) > 0;
}
}  // namespace

Timer::Timer() : _time(GetTicks()), _last_tick(_time) {}

unsigned int Timer::GetTicks() {
    return platform::Platform::instance()->GetTicks();
}

void Timer::Update() {
    unsigned int now = GetTicks();
    unsigned int candidate;
    if (now != _last_tick) {
        unsigned int frames = _frames == 0 ? 1 : _frames;
        unsigned int per_frame = (now - _last_tick) / frames;
        if (per_frame > _step)
            ++_step;
        else if (per_frame < _step && _step > 1)
            --_step;
        _last_tick = now;
        candidate = now;
        _frames = 1;
    } else {
        // Several frames within one tick: extrapolate with the learned frame length.
        candidate = now + _step * _frames;
        ++_frames;
    }
    if (IsAfter(candidate, _time)) _time = candidate;
}

}  // namespace utils
