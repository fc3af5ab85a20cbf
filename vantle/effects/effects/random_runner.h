#pragma once

#include <string>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/effects/effects/batch_effect.h"
#include "vantle/math/vec2.h"

class TiXmlElement;

namespace effects {

// Starts, in batches, copies of its one "running_effect" prototype at its "points" (offsets from its
// position), visited in stored order from a random first point. The first batch comes one period after
// the start.
class RandomRunner : public BatchEffect {
public:
    explicit RandomRunner(TiXmlElement* element);

    // A copy of the node without children; the prototype is shared.
    Effect* Clone() const override;
    Effect* Clone(const std::string& text) const override;
    void OnStart() override;

    unsigned int GetNextPoint() const { return nextPoint; }
    const std::vector<math::Vector2>& GetPoints() const { return points; }
    const core::ptr<Effect>& GetRunningEffect() const { return runningEffect; }

    static void Register();

private:
    RandomRunner(const RandomRunner&) = default;
    // A copy of the prototype at the next point.
    Effect* NextCopy() override;
    unsigned int CopyWeight() const override;

    unsigned int nextPoint = 0;
    std::vector<math::Vector2> points;
    core::ptr<Effect> runningEffect;
};

Effect* RandomRunnerCreate(TiXmlElement* element);

}  // namespace effects
