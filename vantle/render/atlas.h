#pragma once

#include <string>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/math/rect.h"
#include "vantle/render/tile.h"

namespace render {

// A grid of tiles covering the unit square, loaded from an atlas file. Cell (x, y) stands for the
// rectangle (x / columns, y / rows, (x + 1) / columns, (y + 1) / rows).
class Atlas {
public:
    // The cells a cutting rectangle covers, each with its place inside that rectangle (0..1 across it).
    struct Part {
        struct Cell {
            math::Rect rect;
            Tile tile;
        };

        math::Rect rect;
        std::vector<Cell> cells;
    };

    // An empty atlas (no cells) when the file is missing or broken.
    explicit Atlas(const std::string& file_name);

    // The cells overlapping r, edges included, column by column. Each cell's tile is the atlas tile's
    // texture and texture rectangle in opaque white. r must have a positive size.
    Part GetPart(math::Rect r) const;

    unsigned int GetColumns() const { return _columns; }
    unsigned int GetRows() const { return _rows; }
    // The tile of a cell; empty for a cell without tile or outside the grid.
    core::ptr<Tile> GetCell(unsigned int x, unsigned int y) const;

private:
    void Load(const std::string& file_name);
    math::Rect CellRect(unsigned int x, unsigned int y) const;

    unsigned int _columns = 0;
    unsigned int _rows = 0;
    std::vector<std::vector<core::ptr<Tile>>> _grid;
};

}  // namespace render
