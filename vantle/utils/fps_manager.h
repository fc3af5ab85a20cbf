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

    // Frames closer together than this are stretched by sleeping; 0 means no limit.
    void SetMinFrameTime(unsigned int milliseconds) { _min_frame_time = milliseconds; }
    unsigned int GetMinFrameTime() const { return _min_frame_time; }
    // The frame time for a limit in frames per second; a limit of 0 means no limit.
    void SetFrameRateLimit(unsigned int frames_per_second);

private:
    unsigned int _average_start = 0;
    unsigned int _sample_start;
    unsigned int _frames_since_average = 0;
    unsigned int _frames_in_sample = 0;
    float _current_fps = 0.0f;
    float _average_fps = 0.0f;
    unsigned int _last_update = 0;
    bool _updated = false;
    unsigned int _min_frame_time = 0;
};

}  // namespace utils
