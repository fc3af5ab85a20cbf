// A level's map string as the board reads it at a level reset: the back board's layers, the preplaced
// balls through the ball factory, and the locks.
#include <tinyxml.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "Seaquell/board.h"
#include "vantle/core/value.h"

namespace {

const unsigned int kWidth = 22;
const unsigned int kHeight = 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TiXmlElement element("level");
    core::ptr<game::LevelSet::Level> level(new game::LevelSet::Level(&element, nullptr));
    level->Set("colors", core::Value(std::string("3")));
    level->Set("map", core::Value(std::string(reinterpret_cast<const char*>(data), size)));
    static cm::Board board(kWidth, kHeight);
    board.LoadLevel(level);
    // Announced balls pile up from reset to reset; the game window takes them away.
    board.generated_balls.clear();
    return 0;
}
