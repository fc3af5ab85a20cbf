// Recording stand-in; one rule a file, so that a library defining some of the rules pulls in none twice.
#include "Seaquell/board.h"
#include "board_calls.h"

namespace cm {

void Board::UpdateWaves() {
    test::Record(this, "UpdateWaves");
}

}  // namespace cm
