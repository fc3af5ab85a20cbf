// Recording stand-ins for the line and block removers.
#include "Seaquell/board.h"
#include "board_calls.h"

namespace cm {

void Board::RemoveRow(unsigned int x, unsigned int y, unsigned int h) {
    test::Record(this, test::Text("RemoveRow", x, y, h));
}

void Board::RemoveColumn(unsigned int x, unsigned int y, unsigned int h) {
    test::Record(this, test::Text("RemoveColumn", x, y, h));
}

void Board::RemoveCross(unsigned int x, unsigned int y) {
    test::Record(this, test::Text("RemoveCross", x, y));
}

void Board::RemoveDiagonalCross(unsigned int x, unsigned int y) {
    test::Record(this, test::Text("RemoveDiagonalCross", x, y));
}

void Board::RemoveDiagonalLeft(unsigned int x, unsigned int y, unsigned int h) {
    test::Record(this, test::Text("RemoveDiagonalLeft", x, y, h));
}

void Board::RemoveDiagonalRight(unsigned int x, unsigned int y, unsigned int h) {
    test::Record(this, test::Text("RemoveDiagonalRight", x, y, h));
}

void Board::RemoveBlock(unsigned int x, unsigned int y, unsigned int h, bool direct) {
    test::Record(this, test::Text("RemoveBlock", x, y, h) + (direct ? " direct" : " chained"));
}

void Board::AddTime(unsigned int x, unsigned int y) {
    test::Record(this, test::Text("AddTime", x, y));
}

}  // namespace cm
