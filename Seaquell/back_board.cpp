#include "Seaquell/back_board.h"

#include <vector>

#include "vantle/core/strutils.h"

namespace cm {

namespace {

enum Layer { kExistsLayer, kEmitterLayer, kPlateLayer, kCellLayers };

const math::Position kStraightDown(0, 1);

// A map written for a larger board, or damaged, is shorter than the board needs.
char CharAt(const std::string& layer, unsigned int index) {
    return index < layer.size() ? layer[index] : '0';
}

int PlateOf(char code) {
    return code >= '1' && code <= '3' ? code - '0' : 0;
}

unsigned int ToIndex(int value) {
    return static_cast<unsigned int>(value);
}

}  // namespace

BackBoard::BackBoard(unsigned int width, unsigned int height)
    : game::Board<BoardCell>(static_cast<int>(width), static_cast<int>(height)) {}

void BackBoard::Load(const std::string& map) {
    const std::vector<std::string> layers = core::str_split(map, ";", kCellLayers);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            const unsigned int i = ToIndex(x) + ToIndex(y) * ToIndex(width);
            BoardCell cell(ToIndex(x), ToIndex(y), CharAt(layers[kExistsLayer], i) != '0',
                           CharAt(layers[kEmitterLayer], i) != '0', kStraightDown);
            cell.plate = PlateOf(CharAt(layers[kPlateLayer], i));
            Set(x, y, cell);
        }
    }
}

}  // namespace cm
