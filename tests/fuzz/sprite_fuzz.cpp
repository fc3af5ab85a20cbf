// Sprite files as the game shows them: loaded once, cloned, moved and resized, and run through each of
// their animations frame by frame.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/fuzz_world.h"
#include "vantle/game/sprite.h"

namespace {

const unsigned int kFrameLength = 40;
const unsigned int kFramesPerAnimation = 12;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    test::FuzzWorld& world = test::FuzzWorld::Begin(data, size);

    const game::Sprite prototype{std::string(test::FuzzWorld::kInputName)};
    std::unique_ptr<game::Sprite> sprite(prototype.Clone());
    sprite->MoveTo(100.0f, 50.0f);
    sprite->Resize(math::Vector2(64.0f, 48.0f));
    sprite->SetSpeedScale(1.5f);

    std::vector<std::string> names(1, "no such animation");
    for (const auto& entry : sprite->GetAnimations()) names.push_back(entry.first);
    unsigned int time = 0;
    for (const std::string& name : names) {
        sprite->SetAnimation(name);
        for (unsigned int frame = 0; frame < kFramesPerAnimation; ++frame) {
            time += kFrameLength;
            world.At(time);
            sprite->Update();
            sprite->Render();
            sprite->CurrentAnimationFinished();
            world.FrameDrawn();
        }
    }
    return 0;
}
