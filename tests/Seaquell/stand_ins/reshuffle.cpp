// Recording stand-in; one rule a file, so that a library defining some of the rules pulls in none twice.
// It counts as having changed the board when h is not 0.
#include "Seaquell/board.h"
#include "board_calls.h"

namespace cm {

void Board::Reshuffle(unsigned int x, unsigned int y, unsigned int h) {
    test::Record(this, test::Text("Reshuffle", x, y, h));
    action = action || h != 0;
}

}  // namespace cm
