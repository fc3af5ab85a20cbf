#pragma once

#include <array>

#include "vantle/audio/device.h"

struct Mix_Chunk;

namespace audio {

// The sound output over SDL_mixer: 44100 Hz, 16-bit stereo, 16 channels shared by samples and the
// music track. Master and sfx volume are one setting, the volume of every channel.
class DeviceSDL : public IDevice {
public:
    static constexpr int kChannels = 16;
    // A one-shot sample started again this soon after its last start, while that one still plays, is
    // not started twice.
    static constexpr unsigned int kRestartWindowMs = 30;

    // Opens the output. When SDL's audio does not start the device stays closed and every operation is
    // a no-op; when the mixer cannot open the output the process ends with exit status 2.
    DeviceSDL();
    ~DeviceSDL() override;
    DeviceSDL(const DeviceSDL&) = delete;
    DeviceSDL& operator=(const DeviceSDL&) = delete;

    bool IsOpened() const { return _opened; }

    void SetMasterVolume(float volume) override;
    float GetMasterVolume() const override;
    void SetSfxVolume(float volume) override;
    float GetSfxVolume() const override;
    void SetStreamVolume(float) override {}
    float GetStreamVolume() const override { return 1.0f; }
    void SetMusicVolume(float volume) override;
    float GetMusicVolume() const override;
    void Update() override {}
    core::ptr<ISample> LoadSample(const core::ptr<io::IStream>& stream) override;
    core::ptr<IStream> LoadStream(const core::ptr<io::IStream>& stream) override;
    core::ptr<IMusic> LoadMusic(const core::ptr<io::IStream>& stream) override;
    // The channel starts at the master volume: the volume argument is not applied; set it with
    // SetChannelVolume. A one-shot sample that started within kRestartWindowMs and still plays gives its
    // channel back instead: copies started together would add up and clip.
    int Play(const core::ptr<ISample>& sample, float volume, bool loop) override;
    void Stop(int channel) override;
    void SetChannelVolume(int channel, float volume) override;
    int Play(const core::ptr<IStream>& stream, bool loop) override;
    // Stops the music channel, whichever stream is given.
    void Stop(const core::ptr<IStream>& stream) override;
    void Play(const core::ptr<IMusic>& music, bool loop) override;
    void Stop(const core::ptr<IMusic>& music) override;
    void Mute(bool on) override;

    // The mixer channel of the music track, -1 when none.
    int GetMusicChannel() const { return _music_channel; }

private:
    struct OnceStart {
        unsigned int ticks = 0;
        bool once = false;
    };
    // The channel where this one-shot chunk started less than kRestartWindowMs ago and still plays, or -1.
    int RecentStart(const Mix_Chunk* chunk, unsigned int now) const;

    bool _opened = false;
    int _music_volume = 0;
    // The master volume last set, in mixer units: where each sample's channel starts.
    int _sfx_volume = 0;
    int _music_channel = -1;
    // Each channel's last start through Play(sample): when, and whether it was a one-shot.
    std::array<OnceStart, kChannels> _starts{};
    // Each channel's last sample, held until the channel plays another: freeing a chunk halts it, and a
    // screen change empties the sample cache while a button's click still sounds.
    std::array<core::ptr<ISample>, kChannels> _held;
};

}  // namespace audio
