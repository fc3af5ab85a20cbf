// Recording stand-ins for colour removal, plates and the random power-ups.
#include "Seaquell/board.h"
#include "board_calls.h"

namespace cm {

void Board::RemoveColor(unsigned int x, unsigned int y) {
    test::Record(this, test::Text("RemoveColor", x, y));
}

void Board::RestorePlate(const math::Position& cell) {
    test::Record(this, test::Text("RestorePlate", cell.x, cell.y));
}

void Board::RemoveRandomBlocks() {
    test::Record(this, "RemoveRandomBlocks");
}

void Board::InsertRandomBombs() {
    test::Record(this, "InsertRandomBombs");
}

}  // namespace cm
