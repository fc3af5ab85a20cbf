// Tile maps, read from a file through the loader and the XML cache, their tiles' pictures loaded by the
// texture cache, then asked for tiles by name and drawn.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_world.h"
#include "vantle/render/tile.h"
#include "vantle/utils/tilemap.h"

namespace {

const char* const kNames[] = {"a", "b", "", "t", "fuzz"};
const math::Rect kPlace(10.0f, 20.0f, 74.0f, 52.0f);

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    test::FuzzWorld& world = test::FuzzWorld::Begin(data, size);
    const utils::TileMap map(test::FuzzWorld::kInputName);
    for (const char* name : kNames) {
        const core::ptr<render::Tile> tile = map.Get(name);
        const render::Tile copy = map.GetWhite(name);
        if (!tile) {
            test::FuzzCheck(!copy.GetTexture() && copy.color == render::Color(1.0f, 1.0f, 1.0f, 1.0f),
                            "a missing tile comes back white");
            continue;
        }
        world.renderer.DrawRect(kPlace, *tile);
        world.renderer.DrawQuad(math::Quad2(kPlace), copy);
        if (tile->GetTexture()) tile->GetTexture()->get_abs_trect(tile->rect);
    }
    return 0;
}
