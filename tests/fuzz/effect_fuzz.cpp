// Effect files as the game plays them: loaded once as a prototype, copied (with and without a text),
// started on an effect manager, updated and drawn frame by frame, stopped, and run until they end.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_world.h"
#include "vantle/effects/effect.h"
#include "vantle/effects/effect_manager.h"

namespace {

const unsigned int kShortFrame = 20;
const unsigned int kLongFrame = 500;
const unsigned int kFramesEach = 30;

void RunFrames(test::FuzzWorld& world, effects::EffectManagerLocal& manager, unsigned int& time,
               unsigned int frame_length) {
    for (unsigned int frame = 0; frame < kFramesEach && manager.GetEffectCount() > 0; ++frame) {
        time += frame_length;
        world.At(time);
        manager.Update();
        manager.Render();
        world.FrameDrawn();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    test::FuzzWorld& world = test::FuzzWorld::Begin(data, size);

    const effects::Effect prototype{std::string(test::FuzzWorld::kInputName)};
    core::ptr<effects::Effect> copy(prototype.Clone());
    core::ptr<effects::Effect> with_text(prototype.Clone("AB"));
    copy->MoveTo(math::Vector2(320.0f, 240.0f));
    effects::EffectManagerLocal manager;
    manager.StartEffect(copy);
    manager.StartEffect(with_text);

    unsigned int time = 0;
    RunFrames(world, manager, time, kShortFrame);
    copy->Stop();
    with_text->Stop();
    RunFrames(world, manager, time, kShortFrame);
    RunFrames(world, manager, time, kLongFrame);
    return 0;
}
