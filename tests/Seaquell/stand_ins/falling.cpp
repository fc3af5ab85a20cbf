// Recording stand-ins for falling and generation.
#include "Seaquell/board.h"
#include "board_calls.h"

namespace cm {

void Board::Generate() {
    test::Record(this, "Generate");
}

bool Board::GenerateStep(unsigned int x, unsigned int y, int dx, int dy) {
    test::Record(this, test::Text("GenerateStep", x, y, dx, dy));
    return false;
}

void Board::PlaceBall(unsigned int x, unsigned int y, const core::ptr<Ball>& ball) {
    test::Record(this, test::Text("PlaceBall", x, y), ball);
}

}  // namespace cm
