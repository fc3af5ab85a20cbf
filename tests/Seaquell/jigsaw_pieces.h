#pragma once

#include "Seaquell/jigsaw.h"

namespace test {

// Swaps every piece into its own cell, cell by cell.
inline void PutEveryPieceHome(cm::Jigsaw& jigsaw) {
    cm::Jigsaw::Grid& grid = *jigsaw.board;
    for (int x = 0; x < grid.width; ++x) {
        for (int y = 0; y < grid.height; ++y) {
            for (int i = 0; i < grid.width * grid.height; ++i) {
                const math::Position cell(i % grid.width, i / grid.width);
                if (grid.Get(cell.x, cell.y).home == math::Position(x, y))
                    jigsaw.Swap(cell, math::Position(x, y));
            }
        }
    }
}

}  // namespace test
