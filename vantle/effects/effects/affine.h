#pragma once

#include <string>

#include "vantle/effects/animation.h"
#include "vantle/effects/effect.h"

class TiXmlElement;

namespace effects {

// Runs a key-frame animation from its start and applies it to its subtree: to the renderer's world
// matrix while the children draw, and to the current effect state while they update and draw. Offsets,
// pivots, rotation and scale are relative to the effect's position.
class AffineEffect : public Effect {
public:
    AffineEffect();
    // Position and child effects as any effect; "loop", "delay" and the "key" children as the animation.
    explicit AffineEffect(TiXmlElement* element);

    Effect* Clone() const override;
    Effect* Clone(const std::string& text) const override;
    using Effect::Update;
    void Update(unsigned int time) override;
    void Render() override;
    // A looping effect plays while running (and while it has children); another while its local time
    // has not passed the animation's duration.
    bool IsPlaying() const override;
    void OnStart() override;

    const Animation& GetAnimation() const { return animation; }
    const Animation::State& GetState() const { return state; }
    unsigned int GetLocalTime() const { return localTime; }

    static void Register();

private:
    AffineEffect(const AffineEffect&) = default;
    // A copy of the node that runs its animation from its own start; no children yet.
    AffineEffect* CopyNode() const;

    Animation animation;
    unsigned int startTime = 0;
    unsigned int localTime = 0;
    Animation::State state;
};

Effect* AffineEffectCreateFunc(TiXmlElement* element);

}  // namespace effects
