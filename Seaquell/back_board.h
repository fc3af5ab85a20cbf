#pragma once

#include <string>

#include "Seaquell/board_cell.h"
#include "vantle/game/board.h"

namespace cm {

// The fixed floor under the balls, rebuilt from a level's map string.
class BackBoard : public game::Board<BoardCell> {
public:
    BackBoard(unsigned int width, unsigned int height);

    // Rebuilds every cell from the map's first three ";"-separated layers (holes, emitters, plates), each
    // stored row by row, width characters per row, top row first. Missing layers and characters read as
    // "0"; every cell falls straight down.
    void Load(const std::string& map);
};

}  // namespace cm
