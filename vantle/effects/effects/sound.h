#pragma once

#include <string>

#include "vantle/audio/device.h"
#include "vantle/core/ptr.h"
#include "vantle/effects/effect.h"
#include "vantle/utils/sheduler.h"

class TiXmlElement;

namespace effects {

// Plays one sample when it starts, once or looping, at a volume that may follow a context key (re-read
// every 250 ms while it plays). A one-shot effect ends when the device reports its channel silent; a
// looping one plays until it is destroyed, which halts its channel. Child elements are not loaded.
class SoundEffect : public Effect {
public:
    SoundEffect();
    explicit SoundEffect(TiXmlElement* element);
    ~SoundEffect() override;

    // Copies every setting and shares the sample; the copy has no channel of its own yet.
    Effect* Clone() const override;
    Effect* Clone(const std::string& text) const override;
    using Effect::Update;
    void Update(unsigned int time) override;
    bool IsSound() const override { return true; }
    bool IsPlaying() const override { return running != 0; }
    void OnStart() override;

    // The mixer channel the sample plays on, -1 when none.
    int GetChannel() const { return channel; }
    float GetVolume() const { return volume; }
    bool IsLooping() const { return loop; }

    static void Register();

private:
    // Period of re-reading the volume key.
    static const unsigned int kVolumePeriod = 250;

    SoundEffect(const SoundEffect&) = default;
    float ReadVolumeKey() const;

    core::ptr<audio::ISample> sample;
    bool loop = false;
    int channel = -1;
    bool hasVolumeKey = false;
    std::string volumeKey;
    float volume = -1.0f;
    utils::Sheduler volumeTimer;
};

Effect* SoundEffectCreateFunc(TiXmlElement* element);

}  // namespace effects
