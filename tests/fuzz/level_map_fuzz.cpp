// A level's map string as the board reads it: the back board's layers, then the ball codes of the
// placed-balls layer through the ball factory.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Seaquell/back_board.h"
#include "Seaquell/ball_factory.h"
#include "vantle/core/strutils.h"

namespace {

const int kWidth = 22;
const int kHeight = 16;
const unsigned int kBallLayer = 3;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string map(reinterpret_cast<const char*>(data), size);
    cm::BackBoard board(kWidth, kHeight);
    board.Load(map);
    const std::vector<std::string> layers = core::str_split(map, ";", kBallLayer + 1);
    cm::BallFactory factory;
    factory.SetProb(1, core::ptr<game::Sprite>(), 1, 0);
    for (char code : layers[kBallLayer]) {
        const core::ptr<cm::Ball> ball = factory.CreateBall(code);
        if (ball) ball->MoveTo(0, 0);
    }
    return 0;
}
