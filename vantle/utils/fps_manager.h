#pragma once

namespace utils {

// Measures frames per second and limits the frame rate by sleeping through the platform. Its owner
// calls Update once per frame, right after the frame timer's.
class FPSManager {
public:
    static constexpr unsigned int kSampleSize = 100;

    FPSManager();

    void Update();
    // Over the last full sample of frames; 0 until the first one.
    float GetCurrentFPS() const { return _current_fps; }
    // Since the first Update or the last ResetAverageFPS.
    float GetAverageFPS() const { return _average_fps; }
    void ResetAverageFPS();

    // No frame goes sooner than this after the previous one went; Update sleeps the rest. 0 means no
    // limit.
    void SetMinFrameTime(unsigned int milliseconds);
    // In whole milliseconds (a limit of 60 gives 16, though 16.67 ms are kept between frames).
    unsigned int GetMinFrameTime() const;
    // The frame time for a limit in frames per second, to the microsecond, so that on average the
    // frames never come more often than the limit; 0 means no limit.
    void SetFrameRateLimit(unsigned int frames_per_second);

private:
    // Sleeps until one frame time has passed since the previous frame was let go.
    void Limit(unsigned int now);

    unsigned int _average_start = 0;
    unsigned int _sample_start;
    unsigned int _frames_since_average = 0;
    unsigned int _frames_in_sample = 0;
    float _current_fps = 0.0f;
    float _average_fps = 0.0f;
    bool _updated = false;
    unsigned long long _frame_time_us = 0;
    // When the previous frame was let go: a tick and the microseconds past it.
    unsigned int _release = 0;
    unsigned int _release_us = 0;
};

}  // namespace utils
