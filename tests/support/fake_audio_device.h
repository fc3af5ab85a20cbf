#pragma once

#include <string>
#include <vector>

#include "vantle/audio/device.h"

namespace test {

// A sound device that plays nothing and records each call as text, such as "SetMasterVolume 0.5",
// "LoadStream 1234" (the byte stream's size, or "empty"), "Play(stream) loop", "Stop(stream)",
// "Play(sample) 0.8 once", "Stop 3". Plays hand out channels 0, 1, 2, ...
class FakeAudioDevice : public audio::IDevice {
public:
    class Sound : public audio::ISample, public audio::IStream, public audio::IMusic {
    public:
        explicit Sound(unsigned int size) : size(size) {}
        unsigned int size;
    };

    std::vector<std::string> calls;
    float master = 1.0f, sfx = 1.0f, stream = 1.0f, music = 1.0f;

    void SetMasterVolume(float volume) override;
    float GetMasterVolume() const override { return master; }
    void SetSfxVolume(float volume) override;
    float GetSfxVolume() const override { return sfx; }
    void SetStreamVolume(float volume) override;
    float GetStreamVolume() const override { return stream; }
    void SetMusicVolume(float volume) override;
    float GetMusicVolume() const override { return music; }
    void Update() override { calls.push_back("Update"); }
    core::ptr<audio::ISample> LoadSample(const core::ptr<io::IStream>& data) override;
    core::ptr<audio::IStream> LoadStream(const core::ptr<io::IStream>& data) override;
    core::ptr<audio::IMusic> LoadMusic(const core::ptr<io::IStream>& data) override;
    int Play(const core::ptr<audio::ISample>& sample, float volume, bool loop) override;
    void Stop(int channel) override;
    void SetChannelVolume(int channel, float volume) override;
    bool ChannelPlaying(int channel) override { return channel >= 0 && channel < _next_channel; }
    int Play(const core::ptr<audio::IStream>& track, bool loop) override;
    void Stop(const core::ptr<audio::IStream>& track) override;
    void Play(const core::ptr<audio::IMusic>& tune, bool loop) override;
    void Stop(const core::ptr<audio::IMusic>& tune) override;
    void Mute(bool on) override;

private:
    std::string Describe(const core::ptr<io::IStream>& data) const;
    int _next_channel = 0;
};

}  // namespace test
