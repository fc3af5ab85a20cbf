#pragma once

#include <string>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/effects/effect.h"
#include "vantle/math/vec2.h"
#include "vantle/utils/sheduler.h"

class TiXmlElement;

namespace effects {

// Starts, in batches, copies of its one "running_effect" prototype at its "points" (offsets from its
// position), visited in stored order from a random first point. The first batch comes one period after
// the start.
class RandomRunner : public Effect {
public:
    explicit RandomRunner(TiXmlElement* element);

    // A copy of the node without children; the prototype is shared.
    Effect* Clone() const override;
    Effect* Clone(const std::string& text) const override;
    using Effect::Update;
    void Update(unsigned int time) override;
    // While running, and while copies still play.
    bool IsPlaying() const override;
    void OnStart() override;

    unsigned int GetCycles() const { return cycles; }
    unsigned int GetNextPoint() const { return nextPoint; }
    const std::vector<math::Vector2>& GetPoints() const { return points; }
    const core::ptr<Effect>& GetRunningEffect() const { return runningEffect; }

    static void Register();

private:
    RandomRunner(const RandomRunner&) = default;
    void StartBatch();

    unsigned int loop = 0;
    unsigned int period = 1000;
    unsigned int count = 0;
    unsigned int cyclesCount = 1;
    unsigned int cycles = 0;
    utils::Sheduler timer;
    unsigned int nextPoint = 0;
    std::vector<math::Vector2> points;
    core::ptr<Effect> runningEffect;
};

Effect* RandomRunnerCreate(TiXmlElement* element);

}  // namespace effects
