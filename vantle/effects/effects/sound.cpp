#include "vantle/effects/effects/sound.h"

#include "vantle/audio/sample_cache.h"
#include "vantle/core/context.h"
#include "vantle/effects/effect_factory.h"
#include "vantle/xml/attributes.h"

namespace effects {

SoundEffect::SoundEffect() : volumeTimer(kVolumePeriod) {}

// Elements nested in "sound" are no children of it: the base is built without the element.
SoundEffect::SoundEffect(TiXmlElement* element) : volumeTimer(kVolumePeriod) {
    if (!element) return;
    if (const char* name = xml::FindText(element, "sample"))
        sample = audio::SampleCache::instance()->Get(name);
    loop = xml::ReadBool(element, "loop", loop);
    if (const char* key = xml::FindText(element, "volume_key")) {
        hasVolumeKey = true;
        volumeKey = key;
    }
    volume = xml::ReadFloat(element, "volume", volume);
}

SoundEffect::~SoundEffect() {
    // A one-shot sample is left to finish on its own.
    if (channel >= 0 && loop) audio::Device::instance()->Stop(channel);
}

Effect* SoundEffect::Clone() const {
    SoundEffect* copy = new SoundEffect(*this);
    copy->running = 0;
    // The channel stays with this effect: two owners would halt it twice, or halt a stranger's sound.
    copy->channel = -1;
    copy->CloneChilds(this);
    return copy;
}

Effect* SoundEffect::Clone(const std::string&) const {
    return Clone();
}

float SoundEffect::ReadVolumeKey() const {
    return core::Context::instance()->Get(volumeKey).as_float();
}

void SoundEffect::OnStart() {
    if (hasVolumeKey) {
        volumeTimer.reset();
        volume = ReadVolumeKey();
    }
    audio::Device* device = audio::Device::instance();
    // A restarted looping sound must not leave its previous channel playing for ever.
    if (channel >= 0 && loop) device->Stop(channel);
    channel = device->Play(sample, volume, loop);
    if (loop) running = 1;
}

// Children of a sound are not updated.
void SoundEffect::Update(unsigned int) {
    audio::Device* device = audio::Device::instance();
    if (hasVolumeKey && channel >= 0 && volumeTimer.test()) {
        volume = ReadVolumeKey();
        device->SetChannelVolume(channel, volume);
    }
    if (loop) return;
    if (channel < 0 || !device->ChannelPlaying(channel)) running = 0;
}

void SoundEffect::Register() {
    EffectFactory::instance()->Register("sound", &SoundEffectCreateFunc);
}

Effect* SoundEffectCreateFunc(TiXmlElement* element) {
    return new SoundEffect(element);
}

}  // namespace effects
