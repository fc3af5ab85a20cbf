#include "vantle/utils/fps_manager.h"

#include "vantle/platform/platform.h"
#include "vantle/utils/timer.h"

namespace utils {

namespace {
const float kMillisecondsPerSecond = 1000.0f;
}

FPSManager::FPSManager() : _sample_start(Timer::GetTicks()) {}

void FPSManager::ResetAverageFPS() {
    _frames_since_average = 0;
    _average_start = Timer::GetTicks();
}

void FPSManager::SetFrameRateLimit(unsigned int frames_per_second) {
    _min_frame_time = frames_per_second == 0 ? 0 : 1000u / frames_per_second;
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

    // The gap runs from the start of the previous Update, so its sleep counts toward this gap.
    unsigned int gap = now - _last_update;
    bool first = !_updated;
    _last_update = now;
    _updated = true;
    if (first || _min_frame_time == 0 || gap >= _min_frame_time) return;
    platform::Platform::instance()->Sleep(_min_frame_time - gap);
}

}  // namespace utils
