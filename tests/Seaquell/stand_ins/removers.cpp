// Recording stand-ins for the line and block removers.
#include <string>

#include "Seaquell/board.h"
#include "board_calls.h"

namespace cm {

namespace {
std::string Args(unsigned int x, unsigned int y) {
    return " " + std::to_string(x) + " " + std::to_string(y);
}
}  // namespace

void Board::RemoveRow(unsigned int x, unsigned int y, unsigned int h) {
    test::Record(this, "RemoveRow" + Args(x, y) + " " + std::to_string(h));
}

void Board::RemoveColumn(unsigned int x, unsigned int y, unsigned int h) {
    test::Record(this, "RemoveColumn" + Args(x, y) + " " + std::to_string(h));
}

void Board::RemoveCross(unsigned int x, unsigned int y) {
    test::Record(this, "RemoveCross" + Args(x, y));
}

void Board::RemoveDiagonalCross(unsigned int x, unsigned int y) {
    test::Record(this, "RemoveDiagonalCross" + Args(x, y));
}

void Board::RemoveDiagonalLeft(unsigned int x, unsigned int y, unsigned int h) {
    test::Record(this, "RemoveDiagonalLeft" + Args(x, y) + " " + std::to_string(h));
}

void Board::RemoveDiagonalRight(unsigned int x, unsigned int y, unsigned int h) {
    test::Record(this, "RemoveDiagonalRight" + Args(x, y) + " " + std::to_string(h));
}

void Board::RemoveBlock(unsigned int x, unsigned int y, unsigned int h, bool direct) {
    test::Record(this,
                 "RemoveBlock" + Args(x, y) + " " + std::to_string(h) + (direct ? " direct" : " chained"));
}

void Board::AddTime(unsigned int x, unsigned int y) {
    test::Record(this, "AddTime" + Args(x, y));
}

}  // namespace cm
