#include "vantle/utils/fps_manager.h"

#include "vantle/platform/platform.h"
#include "vantle/utils/timer.h"

namespace utils {

namespace {
const float kMillisecondsPerSecond = 1000.0f;
const unsigned int kMicrosecondsPerMillisecond = 1000;
const unsigned int kMicrosecondsPerSecond = 1000000;
}  // namespace

FPSManager::FPSManager() : _sample_start(Timer::GetTicks()) {}

void FPSManager::ResetAverageFPS() {
    _frames_since_average = 0;
    _average_start = Timer::GetTicks();
}

void FPSManager::SetMinFrameTime(unsigned int milliseconds) {
    _frame_time_us = static_cast<unsigned long long>(milliseconds) * kMicrosecondsPerMillisecond;
}

unsigned int FPSManager::GetMinFrameTime() const {
    return static_cast<unsigned int>(_frame_time_us / kMicrosecondsPerMillisecond);
}

void FPSManager::SetFrameRateLimit(unsigned int frames_per_second) {
    // Rounded up: a frame time a little short would let the frames come a little too often.
    _frame_time_us =
        frames_per_second == 0 ? 0 : (kMicrosecondsPerSecond + frames_per_second - 1) / frames_per_second;
}

void FPSManager::Update() {
    unsigned int now = Timer::GetTicks();
    if (_average_start == 0) _average_start = now;
    ++_frames_in_sample;
    ++_frames_since_average;

    if (_frames_in_sample >= kSampleSize) {
        unsigned int length = now - _sample_start;
        _sample_start = now;
        _frames_in_sample = 0;
        if (length != 0) _current_fps = kSampleSize * kMillisecondsPerSecond / static_cast<float>(length);
    }
    if (now != _average_start)
        _average_fps = static_cast<float>(_frames_since_average) * kMillisecondsPerSecond /
                       static_cast<float>(now - _average_start);

    Limit(now);
}

// Frames are let go one frame time apart, counted from when the previous frame was let go (after its
// sleep) and kept to the microsecond; counted from its start instead, every other frame would skip its
// sleep. A sleep that overran is made up by the next one, and a frame that comes late starts the count
// afresh rather than letting the following frames hurry.
void FPSManager::Limit(unsigned int now) {
    const bool first = !_updated;
    _updated = true;
    if (first || _frame_time_us == 0) {
        _release = now;
        _release_us = 0;
        return;
    }
    const unsigned long long due_us = _release_us + _frame_time_us;
    const unsigned int due = _release + static_cast<unsigned int>(due_us / kMicrosecondsPerMillisecond);
    const unsigned int due_part_us = static_cast<unsigned int>(due_us % kMicrosecondsPerMillisecond);
    // Unsigned differences wrap with the tick counter; the sign tells which side of now the moment is.
    const int ahead = static_cast<int>(due - now);
    if (ahead < 0 || (ahead == 0 && due_part_us == 0)) {
        _release = now;
        _release_us = 0;
        return;
    }
    // Whole milliseconds only: rounded up, the sleep never ends before the moment due.
    platform::Platform::instance()->Sleep(static_cast<unsigned int>(ahead) + (due_part_us != 0 ? 1 : 0));
    _release = due;
    _release_us = due_part_us;
}

}  // namespace utils
