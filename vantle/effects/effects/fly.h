#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/effects/effect.h"
#include "vantle/math/mat4.h"
#include "vantle/math/spline.h"
#include "vantle/math/vec2.h"

class TiXmlElement;

namespace effects {

// Carries its children from one point to another along a sideways-bent curve at a fixed speed, then
// starts a copy of its finishing effect at the target on the global effect manager. One end comes from
// the element ("to_x", "to_y" or "from_x", "from_y"), the other is where the effect stands at its start.
// A speed of 0 or less, or a flight of zero length, arrives at its first update.
class FlyEffect : public Effect {
public:
    explicit FlyEffect(TiXmlElement* element);
    ~FlyEffect() override = default;

    Effect* Clone() const override;
    Effect* Clone(const std::string& text) const override;
    using Effect::Update;
    void Update(unsigned int time) override;
    void Render() override;
    // False once arrived; before, while it has children.
    bool IsPlaying() const override;
    void OnStart() override;

    // Where the children are shown now.
    const math::Vector2& GetCurrent() const { return current; }
    const math::Vector2& GetFrom() const { return from; }
    const math::Vector2& GetTo() const { return to; }
    unsigned int GetDuration() const { return duration; }
    bool IsFinished() const { return finished; }

    static void Register();

private:
    FlyEffect(const FlyEffect&) = default;
    // Every setting of the source, not running, its flight clock started now; no children yet.
    FlyEffect* CloneSettings() const;
    float Progress(unsigned int time) const;
    math::Matrix4 ShownAtCurrent() const;
    void Arrive();

    unsigned int flightStart = 0;
    math::Vector2 from;
    math::Vector2 to;
    math::Vector2 current;
    math::Vector2 normal;
    math::Spline path;
    float rf = 0.0f;
    float disp = 0.0f;
    float spoint = 0.3f;
    float speed = 200.0f;
    float length = 0.0f;
    bool endIsPosition = false;
    core::ptr<Effect> finishEffect;
    bool finished = false;
    // 0 when the flight has no finite duration: it arrives at its first update.
    unsigned int duration = 0;
};

Effect* FlyEffectCreateFunc(TiXmlElement* element);

}  // namespace effects
