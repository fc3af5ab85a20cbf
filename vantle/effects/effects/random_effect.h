#pragma once

#include <string>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/effects/effects/batch_effect.h"

class TiXmlElement;

namespace effects {

// Starts, in batches, copies of prototypes picked at random from its "running_effects" as its own
// children. Copies stand at the effect's position unless "no_move" is set.
class RandomEffect : public BatchEffect {
public:
    explicit RandomEffect(TiXmlElement* element);

    // A copy of the node without children; the candidate prototypes are shared.
    Effect* Clone() const override;
    Effect* Clone(const std::string& text) const override;
    // The first batch starts at once.
    void OnStart() override;

    const std::vector<core::ptr<Effect>>& GetCandidates() const { return candidates; }

    static void Register();

private:
    RandomEffect(const RandomEffect&) = default;
    // A copy of a candidate drawn at random.
    Effect* NextCopy() override;
    unsigned int CopyWeight() const override;

    unsigned int noMove = 0;
    std::vector<core::ptr<Effect>> candidates;
};

Effect* RandomEffectCreate(TiXmlElement* element);

}  // namespace effects
