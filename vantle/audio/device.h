#pragma once

#include <string>

#include "vantle/core/functor_factory.h"
#include "vantle/core/ptr.h"
#include "vantle/core/singleton.h"
#include "vantle/io/stream.h"

namespace audio {

// A short decoded sound, played on a mixer channel.
class ISample {
public:
    virtual ~ISample() = default;
};

// A music track decoded whole, played on a mixer channel of its own (not a byte stream).
class IStream {
public:
    virtual ~IStream() = default;
};

// Music the mixer decodes while it plays.
class IMusic {
public:
    virtual ~IMusic() = default;
};

// The sound output. Volumes are 0 to 1; channels are mixer channels, negative when nothing plays.
class IDevice {
public:
    virtual ~IDevice() = default;

    virtual void SetMasterVolume(float volume) = 0;
    virtual float GetMasterVolume() const = 0;
    virtual void SetSfxVolume(float volume) = 0;
    virtual float GetSfxVolume() const = 0;
    virtual void SetStreamVolume(float volume) = 0;
    virtual float GetStreamVolume() const = 0;
    virtual void SetMusicVolume(float volume) = 0;
    virtual float GetMusicVolume() const = 0;
    virtual void Update() = 0;

    // Each gives an object also when decoding fails; that object then plays nothing.
    virtual core::ptr<ISample> LoadSample(const core::ptr<io::IStream>& stream) = 0;
    virtual core::ptr<IStream> LoadStream(const core::ptr<io::IStream>& stream) = 0;
    virtual core::ptr<IMusic> LoadMusic(const core::ptr<io::IStream>& stream) = 0;

    // Plays on any free channel, for ever when looping; returns the channel.
    virtual int Play(const core::ptr<ISample>& sample, float volume, bool loop) = 0;
    virtual void Stop(int channel) = 0;
    virtual void SetChannelVolume(int channel, float volume) = 0;
    virtual bool ChannelPlaying(int /*channel*/) { return false; }
    // Plays the music track; returns its channel.
    virtual int Play(const core::ptr<IStream>& stream, bool loop) = 0;
    virtual void Stop(const core::ptr<IStream>& stream) = 0;
    virtual void Play(const core::ptr<IMusic>& music, bool loop) = 0;
    virtual void Stop(const core::ptr<IMusic>& music) = 0;
    // Pauses (true) or resumes (false) every channel.
    virtual void Mute(bool on) = 0;
};

// The facade every caller plays sound through. Without an implementation every operation is harmless:
// setters do nothing, getters give 0, plays give channel -1, loads give empty pointers.
class Device : public IDevice, public core::Singleton<Device> {
public:
    // Registers the "set_volume" action.
    Device();
    ~Device() override;
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // The implementation held when the facade goes is deleted with it; one replaced before then is not
    // deleted here and stays with whoever made it.
    void SetImplementation(IDevice* implementation);
    IDevice* GetImplementation() const { return _implementation; }

    void SetMasterVolume(float volume) override;
    float GetMasterVolume() const override;
    void SetSfxVolume(float volume) override;
    float GetSfxVolume() const override;
    void SetStreamVolume(float volume) override;
    float GetStreamVolume() const override;
    void SetMusicVolume(float volume) override;
    float GetMusicVolume() const override;
    void Update() override;
    core::ptr<ISample> LoadSample(const core::ptr<io::IStream>& stream) override;
    core::ptr<IStream> LoadStream(const core::ptr<io::IStream>& stream) override;
    core::ptr<IMusic> LoadMusic(const core::ptr<io::IStream>& stream) override;
    int Play(const core::ptr<ISample>& sample, float volume, bool loop) override;
    void Stop(int channel) override;
    void SetChannelVolume(int channel, float volume) override;
    bool ChannelPlaying(int channel) override;
    // Stops the current music track first; an empty stream then plays nothing and the old one stays
    // held.
    int Play(const core::ptr<IStream>& stream, bool loop) override;
    void Stop(const core::ptr<IStream>& stream) override;
    void Play(const core::ptr<IMusic>& music, bool loop) override;
    void Stop(const core::ptr<IMusic>& music) override;
    void Mute(bool on) override;

    // Starts the music track in the data file of that name, unless it is the track switched to last.
    void SwitchMusicTrack(const std::string& name, bool loop);
    const std::string& GetCurrentTrack() const { return _current_track; }

    void RegisterFunctors();

private:
    IDevice* _implementation = nullptr;
    core::ptr<IStream> _current_stream;
    std::string _current_track;
};

// "set_volume": the master volume from the context value "$".
class SetVolumeFunctor : public core::Functor {
public:
    void operator()() override;
};

core::Functor* _CreateSetVolumeFunctor(const std::string& argument);

}  // namespace audio
