#pragma once

#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/effects/effect.h"
#include "vantle/math/mat4.h"
#include "vantle/math/vec2.h"
#include "vantle/render/color.h"

class TiXmlElement;

namespace io {
class IStream;
}

namespace effects {

// A key-frame animation of a 2D transform and a colour. Keys are interpolated linearly in stored order;
// the caller counts the time from its own start.
class Animation {
public:
    using State = EffectState;

    struct Key {
        Key() = default;
        // "tm" and the children "scale", "move", "angle" (degrees), "pivot" and "color".
        explicit Key(TiXmlElement* element);

        unsigned int tm = 0;
        // A key without "scale" scales to nothing.
        math::Vector2 scale;
        math::Vector2 move;
        // Radians.
        float angle = 0.0f;
        math::Vector2 pivot;
        render::Color color{1.0f, 1.0f, 1.0f, 1.0f};
    };

    Animation() = default;
    explicit Animation(TiXmlElement* element);
    // An animation file (root "animation"); empty when the text does not parse.
    explicit Animation(const core::ptr<io::IStream>& stream);

    // Reads "loop" and "delay", then appends every "key" child.
    void Load(TiXmlElement* element);
    void AddKey(const Key& key);

    // The state at local time t; identity and white where no pair of keys covers the time.
    void UpdateState(unsigned int t, State& state) const;
    math::Matrix4 GetMatrix4(unsigned int t) const;

    unsigned int GetDuration() const { return duration; }
    bool IsLooped() const { return loop != 0; }
    void SetLoop(bool looped) { loop = looped ? 1 : 0; }
    unsigned int GetDelay() const { return delay; }
    void SetDelay(unsigned int ms) { delay = ms; }
    const std::vector<Key>& GetKeys() const { return keys; }

    // Identity and opaque white.
    static State InitialState();

private:
    // The animation time for a local time, after delay and looping.
    unsigned int AnimationTime(unsigned int t) const;

    std::vector<Key> keys;
    unsigned int duration = 0;
    unsigned int loop = 0;
    unsigned int delay = 0;
};

}  // namespace effects
