#include "vantle/effects/effects/batch_effect.h"

namespace effects {

void BatchEffect::Update(unsigned int time) {
    if (running && timer.test()) RunBatch();
    UpdateChilds(time);
}

bool BatchEffect::IsPlaying() const {
    return running != 0 || HasChilds();
}

void BatchEffect::BeginCycles() {
    cycles = 0;
    running = 1;
    timer.SetInterval(period);
    timer.reset();
}

void BatchEffect::RunBatch() {
    for (unsigned int i = 0; i < count; ++i) {
        Effect* copy = NextCopy();
        if (!copy) break;
        copy->Start(false);
        AddChild(copy);
    }
    ++cycles;
    if (cycles >= cyclesCount && !loop) running = 0;
}

}  // namespace effects
