#pragma once

#include <string>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/effects/effect.h"
#include "vantle/utils/sheduler.h"

class TiXmlElement;

namespace effects {

// Starts, in batches, copies of prototypes picked at random from its "running_effects" as its own
// children: "count" copies per batch, one batch every "period" ms, "cycles_count" batches (endlessly
// with "loop"). Copies stand at the effect's position unless "no_move" is set.
class RandomEffect : public Effect {
public:
    explicit RandomEffect(TiXmlElement* element);

    // A copy of the node without children; the candidate prototypes are shared.
    Effect* Clone() const override;
    Effect* Clone(const std::string& text) const override;
    using Effect::Update;
    void Update(unsigned int time) override;
    // While running, and while copies still play.
    bool IsPlaying() const override;
    // The first batch starts at once.
    void OnStart() override;

    unsigned int GetCycles() const { return cycles; }
    const std::vector<core::ptr<Effect>>& GetCandidates() const { return candidates; }

    static void Register();

private:
    RandomEffect(const RandomEffect&) = default;
    void StartEffect();

    unsigned int loop = 0;
    unsigned int period = 1000;
    unsigned int count = 0;
    unsigned int cyclesCount = 1;
    unsigned int cycles = 0;
    utils::Sheduler timer;
    unsigned int noMove = 0;
    std::vector<core::ptr<Effect>> candidates;
};

Effect* RandomEffectCreate(TiXmlElement* element);

}  // namespace effects
