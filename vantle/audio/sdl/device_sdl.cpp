#include "vantle/audio/sdl/device_sdl.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>

#include "vantle/audio/sdl/music_sdl.h"
#include "vantle/audio/sdl/sample_sdl.h"
#include "vantle/audio/sdl/stream_sdl.h"
#include "vantle/core/log.h"

namespace audio {

namespace {

const int kFrequency = 44100;
const int kOutputChannels = 2;
const int kChunkFrames = 1024;
const int kOpenFailedExitStatus = 2;
const int kAllChannels = -1;
const int kQuery = -1;
const int kForever = -1;
const int kNoTimeLimit = -1;
const float kUnitsToVolume = 1.0f / MIX_MAX_VOLUME;

// 0 to 1 onto the mixer's 0 to 128, the fraction dropped; out-of-range and NaN volumes are clamped.
int ToMixer(float volume) {
    if (!(volume > 0.0f)) return 0;
    if (volume >= 1.0f) return MIX_MAX_VOLUME;
    return static_cast<int>(volume * MIX_MAX_VOLUME);
}

int Loops(bool loop) {
    return loop ? kForever : 0;
}

bool IsChannel(int channel) {
    return channel >= 0 && channel < DeviceSDL::kChannels;
}

}  // namespace

DeviceSDL::DeviceSDL() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) {
        core::Log::instance()->Write("SDL_Init: %s\n", SDL_GetError());
        return;
    }
    if (Mix_OpenAudio(kFrequency, AUDIO_S16SYS, kOutputChannels, kChunkFrames) < 0) {
        core::Log::instance()->Write("Mix_OpenAudio: %s\n", SDL_GetError());
        std::exit(kOpenFailedExitStatus);
    }
    _opened = true;
    Mix_AllocateChannels(kChannels);
    _music_volume = Mix_Volume(kAllChannels, kQuery);
    _sfx_volume = _music_volume;
}

DeviceSDL::~DeviceSDL() {
    _held.fill(core::ptr<ISample>());
    if (_opened) Mix_CloseAudio();
}

void DeviceSDL::SetMasterVolume(float volume) {
    _sfx_volume = ToMixer(volume);
    if (_opened) Mix_Volume(kAllChannels, _sfx_volume);
}

float DeviceSDL::GetMasterVolume() const {
    return _opened ? static_cast<float>(Mix_Volume(kAllChannels, kQuery)) * kUnitsToVolume : 0.0f;
}

void DeviceSDL::SetSfxVolume(float volume) {
    SetMasterVolume(volume);
}

float DeviceSDL::GetSfxVolume() const {
    return GetMasterVolume();
}

void DeviceSDL::SetMusicVolume(float volume) {
    _music_volume = ToMixer(volume);
    if (_opened && _music_channel >= 0 && Mix_Playing(_music_channel))
        Mix_Volume(_music_channel, _music_volume);
}

float DeviceSDL::GetMusicVolume() const {
    return static_cast<float>(_music_volume) * kUnitsToVolume;
}

core::ptr<ISample> DeviceSDL::LoadSample(const core::ptr<io::IStream>& stream) {
    return core::ptr<ISample>(_opened ? new SampleSDL(stream) : new SampleSDL());
}

core::ptr<IStream> DeviceSDL::LoadStream(const core::ptr<io::IStream>& stream) {
    return core::ptr<IStream>(_opened ? new StreamSDL(stream) : new StreamSDL());
}

core::ptr<IMusic> DeviceSDL::LoadMusic(const core::ptr<io::IStream>& stream) {
    return core::ptr<IMusic>(_opened ? new MusicSDL(stream) : new MusicSDL());
}

int DeviceSDL::Play(const core::ptr<ISample>& sample, float, bool loop) {
    auto* sdl = dynamic_cast<SampleSDL*>(sample.get());
    if (!_opened || !sdl || !sdl->GetChunk()) return -1;
    const unsigned int now = SDL_GetTicks();
    if (!loop) {
        const int playing = RecentStart(sdl->GetChunk(), now);
        if (playing >= 0) return playing;
    }
    // A channel keeps the volume an earlier sample was given; this one starts at the common volume, and
    // the lock keeps the mixer from playing any of it at the old one.
    SDL_LockAudio();
    const int channel = Mix_PlayChannelTimed(kAllChannels, sdl->GetChunk(), Loops(loop), kNoTimeLimit);
    if (channel >= 0) Mix_Volume(channel, _sfx_volume);
    SDL_UnlockAudio();
    if (IsChannel(channel)) {
        _starts[channel] = OnceStart{now, !loop};
        _held[channel] = sample;
    }
    return channel;
}

int DeviceSDL::RecentStart(const Mix_Chunk* chunk, unsigned int now) const {
    for (int channel = 0; channel < kChannels; ++channel) {
        const OnceStart& start = _starts[channel];
        if (start.once && now - start.ticks < kRestartWindowMs && Mix_GetChunk(channel) == chunk &&
            Mix_Playing(channel))
            return channel;
    }
    return -1;
}

void DeviceSDL::Stop(int channel) {
    if (_opened && IsChannel(channel)) Mix_HaltChannel(channel);
}

void DeviceSDL::SetChannelVolume(int channel, float volume) {
    if (_opened && IsChannel(channel)) Mix_Volume(channel, ToMixer(volume));
}

int DeviceSDL::Play(const core::ptr<IStream>& stream, bool loop) {
    auto* sdl = dynamic_cast<StreamSDL*>(stream.get());
    if (!_opened) return -1;
    Mix_Chunk* chunk = sdl ? sdl->GetChunk() : nullptr;
    _music_channel = chunk ? Mix_PlayChannelTimed(kAllChannels, chunk, Loops(loop), kNoTimeLimit) : -1;
    if (_music_channel >= 0) Mix_Volume(_music_channel, _music_volume);
    return _music_channel;
}

void DeviceSDL::Stop(const core::ptr<IStream>&) {
    if (!_opened || _music_channel < 0) return;
    if (Mix_Playing(_music_channel)) Mix_HaltChannel(_music_channel);
    Mix_Volume(_music_channel, Mix_Volume(kAllChannels, kQuery));
    _music_channel = -1;
}

void DeviceSDL::Play(const core::ptr<IMusic>& music, bool loop) {
    core::Log::instance()->Write("DeviceSDL::Play(music)");
    auto* sdl = dynamic_cast<MusicSDL*>(music.get());
    if (!_opened || !sdl || !sdl->GetMusic()) return;
    if (Mix_PlayMusic(sdl->GetMusic(), Loops(loop)) < 0)
        core::Log::instance()->Write("Mix_PlayMusic: %s\n", SDL_GetError());
}

void DeviceSDL::Stop(const core::ptr<IMusic>&) {
    if (_opened) Mix_HaltMusic();
}

void DeviceSDL::Mute(bool on) {
    if (!_opened) return;
    if (on)
        Mix_Pause(kAllChannels);
    else
        Mix_Resume(kAllChannels);
}

}  // namespace audio
