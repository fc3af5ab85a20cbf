// Recording stand-ins for colour removal, plates and the random power-ups.
#include <string>

#include "Seaquell/board.h"
#include "board_calls.h"

namespace cm {

void Board::RemoveColor(unsigned int x, unsigned int y) {
    test::Record(this, "RemoveColor " + std::to_string(x) + " " + std::to_string(y));
}

void Board::RestorePlate(const math::Position& cell) {
    test::Record(this, "RestorePlate " + std::to_string(cell.x) + " " + std::to_string(cell.y));
}

void Board::RemoveRandomBlocks() {
    test::Record(this, "RemoveRandomBlocks");
}

void Board::InsertRandomBombs() {
    test::Record(this, "InsertRandomBombs");
}

}  // namespace cm
