// Recording stand-ins for falling and generation.
#include <string>

#include "Seaquell/board.h"
#include "board_calls.h"

namespace cm {

void Board::Generate() {
    test::Record(this, "Generate");
}

bool Board::GenerateStep(unsigned int x, unsigned int y, int dx, int dy) {
    test::Record(this, "GenerateStep " + std::to_string(x) + " " + std::to_string(y) + " " +
                           std::to_string(dx) + " " + std::to_string(dy));
    return false;
}

void Board::PlaceBall(unsigned int x, unsigned int y, const core::ptr<Ball>& ball) {
    test::Record(this, "PlaceBall " + std::to_string(x) + " " + std::to_string(y), ball);
}

}  // namespace cm
