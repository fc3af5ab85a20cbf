#pragma once

#include <list>

#include "vantle/core/ptr.h"
#include "vantle/core/singleton.h"
#include "vantle/effects/effect.h"
#include "vantle/math/vec2.h"

namespace effects {

// A handle to one running effect tree. Copies share the tree; dropping a handle does not stop it.
class EffectPuppy {
public:
    EffectPuppy() = default;
    explicit EffectPuppy(const core::ptr<Effect>& effect) : heldEffect(effect) {}

    // Stops the held tree, if any, then holds the new one.
    void SetEffect(const core::ptr<Effect>& effect);
    void Stop();
    // Whether the held tree still plays; false when empty.
    bool IsAlive() const;
    void MoveTo(const math::Vector2& point);
    const core::ptr<Effect>& GetEffect() const { return heldEffect; }

private:
    core::ptr<Effect> heldEffect;
};

// Running effect trees in start order, which is also drawing order. Its owner calls Update once per frame
// and Render after drawing what lies below the effects.
class EffectManagerLocal {
public:
    EffectManagerLocal() = default;
    // Releases the running trees without stopping them.
    ~EffectManagerLocal() = default;

    // When set, sound nodes of the trees started afterwards stay silent.
    void SoundsOff(bool off) { soundsOff = off ? 1 : 0; }
    unsigned int GetEffectCount() const { return static_cast<unsigned int>(runningEffects.size()); }

    // Starts the tree and keeps it until it stops playing. The tree is shared, not copied: pass a fresh
    // clone. An empty pointer does nothing.
    void StartEffect(const core::ptr<Effect>& effect);
    // The same, first pointing the handle (when given) at the tree.
    void StartEffect(const core::ptr<Effect>& effect, const core::ptr<EffectPuppy>& puppy);
    EffectPuppy StartEffectWithPuppy(const core::ptr<Effect>& effect);

    // Updates every tree with the frame clock, then drops those that stopped playing. A tree started on
    // this manager during the walk is updated in the same pass.
    void Update();
    void Render();

private:
    // A list: appending during the walk leaves the walk's position valid.
    std::list<core::ptr<Effect>> runningEffects;
    unsigned int soundsOff = 0;
};

// The process-wide manager: its trees are drawn above every window, and one of them may follow the mouse.
class EffectManager : public EffectManagerLocal, public core::Singleton<EffectManager> {
public:
    // Moves the mouse effect to the cursor, then updates as the local manager does.
    void Update();
    // Stops the previous mouse effect (it stays until it finishes) and starts this one at the cursor.
    void StartMouseEffect(const core::ptr<Effect>& effect);
    // Stops the mouse effect; the handle keeps it until the next StartMouseEffect.
    void StopMouseEffect();
    const EffectPuppy& GetMouseEffect() const { return mouseEffect; }

private:
    EffectPuppy mouseEffect;
};

}  // namespace effects
