#include "vantle/audio/device.h"

#include "vantle/core/context.h"
#include "vantle/io/loader.h"

namespace audio {

namespace {
const int kNoChannel = -1;
}

Device::Device() {
    RegisterFunctors();
}

Device::~Device() {
    // The track's sound data goes before the output it was made for.
    _current_stream.reset();
    delete _implementation;
}

void Device::SetImplementation(IDevice* implementation) {
    _implementation = implementation;
}

void Device::RegisterFunctors() {
    core::FunctorFactory::instance()->Register("set_volume", &_CreateSetVolumeFunctor);
}

void Device::SetMasterVolume(float volume) {
    if (_implementation) _implementation->SetMasterVolume(volume);
}

float Device::GetMasterVolume() const {
    return _implementation ? _implementation->GetMasterVolume() : 0.0f;
}

void Device::SetSfxVolume(float volume) {
    if (_implementation) _implementation->SetSfxVolume(volume);
}

float Device::GetSfxVolume() const {
    return _implementation ? _implementation->GetSfxVolume() : 0.0f;
}

void Device::SetStreamVolume(float volume) {
    if (_implementation) _implementation->SetStreamVolume(volume);
}

float Device::GetStreamVolume() const {
    return _implementation ? _implementation->GetStreamVolume() : 0.0f;
}

void Device::SetMusicVolume(float volume) {
    if (_implementation) _implementation->SetMusicVolume(volume);
}

float Device::GetMusicVolume() const {
    return _implementation ? _implementation->GetMusicVolume() : 0.0f;
}

void Device::Update() {
    if (_implementation) _implementation->Update();
}

core::ptr<ISample> Device::LoadSample(const core::ptr<io::IStream>& stream) {
    return _implementation ? _implementation->LoadSample(stream) : core::ptr<ISample>();
}

core::ptr<IStream> Device::LoadStream(const core::ptr<io::IStream>& stream) {
    return _implementation ? _implementation->LoadStream(stream) : core::ptr<IStream>();
}

core::ptr<IMusic> Device::LoadMusic(const core::ptr<io::IStream>& stream) {
    return _implementation ? _implementation->LoadMusic(stream) : core::ptr<IMusic>();
}

int Device::Play(const core::ptr<ISample>& sample, float volume, bool loop) {
    return _implementation ? _implementation->Play(sample, volume, loop) : kNoChannel;
}

void Device::Stop(int channel) {
    if (_implementation) _implementation->Stop(channel);
}

void Device::SetChannelVolume(int channel, float volume) {
    if (_implementation) _implementation->SetChannelVolume(channel, volume);
}

bool Device::ChannelPlaying(int channel) {
    return _implementation && _implementation->ChannelPlaying(channel);
}

int Device::Play(const core::ptr<IStream>& stream, bool loop) {
    if (_current_stream) Stop(_current_stream);
    if (!stream) return kNoChannel;
    _current_stream = stream;
    if (!_implementation) return kNoChannel;
    return _implementation->Play(_current_stream, loop);
}

void Device::Stop(const core::ptr<IStream>& stream) {
    if (_implementation) _implementation->Stop(stream);
}

void Device::Play(const core::ptr<IMusic>& music, bool loop) {
    if (_implementation) _implementation->Play(music, loop);
}

void Device::Stop(const core::ptr<IMusic>& music) {
    if (_implementation) _implementation->Stop(music);
}

void Device::Mute(bool on) {
    if (_implementation) _implementation->Mute(on);
}

void Device::SwitchMusicTrack(const std::string& name, bool loop) {
    if (name == _current_track) return;
    _current_track = name;
    core::ptr<io::IStream> data = io::Loader::instance()->Load(name);
    Play(LoadStream(data), loop);
}

void SetVolumeFunctor::operator()() {
    Device::instance()->SetMasterVolume(core::Context::instance()->Get("$").as_float());
}

core::Functor* _CreateSetVolumeFunctor(const std::string&) {
    return new SetVolumeFunctor;
}

}  // namespace audio
