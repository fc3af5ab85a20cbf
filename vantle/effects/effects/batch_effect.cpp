#include "vantle/effects/effects/batch_effect.h"

#include <algorithm>
#include <memory>

#include "vantle/core/log.h"
#include "vantle/effects/effects/attributes.h"

namespace effects {

void BatchEffect::Update(unsigned int time) {
    if (running && timer.test()) RunBatch();
    UpdateChilds(time);
}

bool BatchEffect::IsPlaying() const {
    return running != 0 || HasChilds();
}

unsigned int BatchEffect::Weight() const {
    return std::max(1u, AddWeights(HeldWeight(), MultiplyWeight(CopyWeight(), count)));
}

unsigned int BatchEffect::HeldWeight() const {
    unsigned int weight = 0;
    for (const auto& child : GetChilds()) weight = AddWeights(weight, child->Weight());
    return weight;
}

void BatchEffect::BeginCycles() {
    cycles = 0;
    running = 1;
    timer.SetInterval(period);
    timer.reset();
}

// The count alone is bounded when read; its product with what each copy makes (a burst of particles,
// a batch of its own) is bounded here, and so are the copies a looping node piles up.
void BatchEffect::RunBatch() {
    unsigned int held = HeldWeight();
    for (unsigned int started = 0; started < count; ++started) {
        std::unique_ptr<Effect> copy(NextCopy());
        if (!copy) break;
        const unsigned int weight = AddWeights(held, copy->Weight());
        if (held > 0 && weight > kMaxBurst) {
            if (!cut_reported) {
                core::Log::instance()->Write(
                    "Error: a batch of %u effects cut to %u, keeping at most %u things moving", count,
                    started, kMaxBurst);
            }
            cut_reported = true;
            break;
        }
        held = weight;
        copy->Start(false);
        AddChild(copy.release());
    }
    ++cycles;
    if (cycles >= cyclesCount && !loop) running = 0;
}

}  // namespace effects
