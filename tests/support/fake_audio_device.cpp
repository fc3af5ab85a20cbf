#include "support/fake_audio_device.h"

#include <sstream>

namespace test {

namespace {
std::string Text(const std::string& name, float value) {
    std::ostringstream out;
    out << name << " " << value;
    return out.str();
}
const char* LoopText(bool loop) {
    return loop ? "loop" : "once";
}
}  // namespace

void FakeAudioDevice::SetMasterVolume(float volume) {
    master = volume;
    calls.push_back(Text("SetMasterVolume", volume));
}

void FakeAudioDevice::SetSfxVolume(float volume) {
    sfx = volume;
    calls.push_back(Text("SetSfxVolume", volume));
}

void FakeAudioDevice::SetStreamVolume(float volume) {
    stream = volume;
    calls.push_back(Text("SetStreamVolume", volume));
}

void FakeAudioDevice::SetMusicVolume(float volume) {
    music = volume;
    calls.push_back(Text("SetMusicVolume", volume));
}

std::string FakeAudioDevice::Describe(const core::ptr<io::IStream>& data) const {
    return data ? std::to_string(data->Size()) : std::string("empty");
}

core::ptr<audio::ISample> FakeAudioDevice::LoadSample(const core::ptr<io::IStream>& data) {
    calls.push_back("LoadSample " + Describe(data));
    return core::ptr<audio::ISample>(new Sound(data ? data->Size() : 0));
}

core::ptr<audio::IStream> FakeAudioDevice::LoadStream(const core::ptr<io::IStream>& data) {
    calls.push_back("LoadStream " + Describe(data));
    return core::ptr<audio::IStream>(new Sound(data ? data->Size() : 0));
}

core::ptr<audio::IMusic> FakeAudioDevice::LoadMusic(const core::ptr<io::IStream>& data) {
    calls.push_back("LoadMusic " + Describe(data));
    return core::ptr<audio::IMusic>(new Sound(data ? data->Size() : 0));
}

int FakeAudioDevice::Play(const core::ptr<audio::ISample>&, float volume, bool loop) {
    calls.push_back(Text("Play(sample)", volume) + " " + LoopText(loop));
    return _next_channel++;
}

void FakeAudioDevice::Stop(int channel) {
    calls.push_back("Stop " + std::to_string(channel));
}

void FakeAudioDevice::SetChannelVolume(int channel, float volume) {
    calls.push_back(Text("SetChannelVolume " + std::to_string(channel), volume));
}

int FakeAudioDevice::Play(const core::ptr<audio::IStream>&, bool loop) {
    calls.push_back(std::string("Play(stream) ") + LoopText(loop));
    return _next_channel++;
}

void FakeAudioDevice::Stop(const core::ptr<audio::IStream>&) {
    calls.push_back("Stop(stream)");
}

void FakeAudioDevice::Play(const core::ptr<audio::IMusic>&, bool loop) {
    calls.push_back(std::string("Play(music) ") + LoopText(loop));
}

void FakeAudioDevice::Stop(const core::ptr<audio::IMusic>&) {
    calls.push_back("Stop(music)");
}

void FakeAudioDevice::Mute(bool on) {
    calls.push_back(on ? "Mute on" : "Mute off");
}

}  // namespace test
