#pragma once

#include "vantle/effects/effect.h"
#include "vantle/utils/sheduler.h"

class TiXmlElement;

namespace effects {

// What the random effect and the random runner share: they start copies of prototypes as their own
// children in batches, "count" copies per batch, one batch every "period" ms on the raw tick clock,
// "cycles_count" batches (endlessly with "loop"). The kinds read those settings and say where the
// copies come from.
class BatchEffect : public Effect {
public:
    using Effect::Update;
    // One batch when running and the period has passed, then the children.
    void Update(unsigned int time) override;
    // While running, and while copies still play.
    bool IsPlaying() const override;
    // The copies held and those of one batch.
    unsigned int Weight() const override;

    unsigned int GetCycles() const { return cycles; }

protected:
    explicit BatchEffect(TiXmlElement* element) : Effect(element) {}
    BatchEffect(const BatchEffect&) = default;

    // Runs from the first cycle, the batch clock starting now.
    void BeginCycles();
    // Starts up to count copies taken from NextCopy, then counts the batch (also one that started
    // nothing); after the last batch, unless looping, the node stops running. The batch stops early,
    // with a log line the first time, where its copies and those still held would weigh more than a
    // burst may (a batch always starts one copy when the node holds none).
    void RunBatch();
    // A new copy, placed where it is to start; null when there is nothing to copy.
    virtual Effect* NextCopy() = 0;
    // The weight of the heaviest copy NextCopy may give.
    virtual unsigned int CopyWeight() const = 0;

    unsigned int loop = 0;
    unsigned int period = 1000;
    unsigned int count = 0;
    unsigned int cyclesCount = 1;
    unsigned int cycles = 0;
    utils::Sheduler timer;

private:
    unsigned int HeldWeight() const;

    bool cut_reported = false;
};

}  // namespace effects
