#include "vantle/render/base_texture.h"

#include <algorithm>
#include <cmath>

namespace render {

namespace {

// The scan's coarse grid; the found block then slides pixel by pixel.
const unsigned int kScanStepX = 8;
const unsigned int kScanStepY = 16;
// Side of a cell of the collision grid, in pixels.
const unsigned int kCellSide = 32;
// Enough to remember the sizes a page's pictures mostly come in, few enough to look through quickly.
const std::size_t kKnownSizes = 16;

// Touching edges collide, so neighbouring blocks keep a pixel between them.
bool Collide(const math::Rect& a, const math::Rect& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

math::Rect RectAt(unsigned int x, unsigned int y, unsigned int width, unsigned int height) {
    return math::Rect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(x + width),
                      static_cast<float>(y + height));
}

}  // namespace

BaseTexture::BaseTexture(unsigned int side)
    : _side(side),
      _cells_per_side(side / kCellSide + 1),
      _cells(_cells_per_side * _cells_per_side),
      _taken(side / kScanStepY + 1),
      _failed_width(side),
      _failed_height(side) {}

BaseTexture::~BaseTexture() {
    for (Block* block : _blocks) delete block;
}

BaseTexture::Block* BaseTexture::alloc_block(unsigned int width, unsigned int height) {
    if (width > _side || height > _side) return nullptr;
    if (width > _failed_width && height > _failed_height) return nullptr;

    const math::Rect start = RectAt(_start_x, _start_y, width, height);
    if (!CollidesWithBlock(start)) return Record(start);

    math::Rect found;
    if (!FindFreePosition(width, height, found)) {
        _failed_width = width - 1;
        _failed_height = height - 1;
        return nullptr;
    }
    SlideUpAndLeft(found);
    return Record(found);
}

void BaseTexture::clear_unused_blocks() {
    std::vector<Block*> kept;
    for (Block* block : _blocks) {
        if (block->count > 0) {
            kept.push_back(block);
            continue;
        }
        RemoveFromCells(block);
        delete block;
    }
    if (kept.size() == _blocks.size()) return;
    _blocks.swap(kept);
    // A freed block may have made room where scans found none.
    for (std::vector<Taken>& known : _taken) known.clear();
    _full_rows.clear();
}

const math::Rect* BaseTexture::FindCollision(const math::Rect& rect) const {
    const unsigned int first_column = CellOf(rect.left);
    const unsigned int last_column = CellOf(rect.right);
    const unsigned int last_row = CellOf(rect.bottom);
    for (unsigned int row = CellOf(rect.top); row <= last_row; ++row) {
        for (unsigned int column = first_column; column <= last_column; ++column) {
            for (const Placed& placed : _cells[row * _cells_per_side + column]) {
                if (Collide(rect, placed.rect)) return &placed.rect;
            }
        }
    }
    return nullptr;
}

// The first fit in scan order, row by row. A scan starts past the positions earlier scans found taken
// for a size no larger, and skips the positions that hit a block up to its right edge, since every one
// of them hits it too.
bool BaseTexture::FindFreePosition(unsigned int width, unsigned int height, math::Rect& found) {
    const unsigned int first_row = KnownBound(_full_rows, width, height);
    for (unsigned int y = first_row * kScanStepY; y + height <= _side; y += kScanStepY) {
        const unsigned int row = y / kScanStepY;
        std::vector<Taken>& known = _taken[row];
        const unsigned int start = KnownBound(known, width, height);
        const unsigned int x = FindFreeInRow(start, y, width, height);
        if (x != start) Remember(known, Taken{width, height, x});
        if (x + width > _side) continue;
        if (row != first_row) Remember(_full_rows, Taken{width, height, row});
        found = RectAt(x, y, width, height);
        return true;
    }
    return false;
}

unsigned int BaseTexture::FindFreeInRow(unsigned int x, unsigned int y, unsigned int width,
                                        unsigned int height) const {
    while (x + width <= _side) {
        const math::Rect* hit = FindCollision(RectAt(x, y, width, height));
        if (!hit) return x;
        const unsigned int hit_right = static_cast<unsigned int>(std::floor(hit->right));
        x = (hit_right / kScanStepX + 1) * kScanStepX;
    }
    return x;
}

unsigned int BaseTexture::KnownBound(const std::vector<Taken>& known, unsigned int width,
                                     unsigned int height) {
    unsigned int bound = 0;
    for (const Taken& taken : known) {
        if (taken.width <= width && taken.height <= height) bound = std::max(bound, taken.bound);
    }
    return bound;
}

// Drops what the new knowledge covers: an entry for a size at least as large both ways that knows less.
void BaseTexture::Remember(std::vector<Taken>& known, const Taken& taken) {
    known.erase(std::remove_if(known.begin(), known.end(),
                               [&](const Taken& k) {
                                   return k.width >= taken.width && k.height >= taken.height &&
                                          k.bound <= taken.bound;
                               }),
                known.end());
    known.push_back(taken);
    if (known.size() <= kKnownSizes) return;
    // Knowledge about the smallest sizes serves the most requests.
    known.erase(std::max_element(known.begin(), known.end(), [](const Taken& a, const Taken& b) {
        return a.width + a.height < b.width + b.height;
    }));
}

// As if moved a pixel at a time, up and then left, until the next step would touch a block.
void BaseTexture::SlideUpAndLeft(math::Rect& rect) const {
    const float top = StopAbove(rect);
    rect.bottom -= rect.top - top;
    rect.top = top;
    const float left = StopLeftOf(rect);
    rect.right -= rect.left - left;
    rect.left = left;
}

// One pixel below the lowest bottom edge above the rectangle among the blocks it shares columns with.
// Cell rows are searched upwards: the first that holds such a block holds the lowest one.
float BaseTexture::StopAbove(const math::Rect& rect) const {
    const unsigned int first_column = CellOf(rect.left);
    const unsigned int last_column = CellOf(rect.right);
    for (unsigned int row = CellOf(rect.top) + 1; row-- > 0;) {
        float lowest = -1.0f;
        for (unsigned int column = first_column; column <= last_column; ++column) {
            for (const Placed& placed : _cells[row * _cells_per_side + column]) {
                const math::Rect& b = placed.rect;
                if (b.bottom < rect.top && b.left <= rect.right && rect.left <= b.right)
                    lowest = std::max(lowest, b.bottom);
            }
        }
        if (lowest >= 0.0f) return lowest + 1.0f;
    }
    return std::min(rect.top, 0.0f);
}

// One pixel right of the rightmost right edge left of the rectangle among the blocks it shares rows
// with, searching cell columns leftwards in the same way.
float BaseTexture::StopLeftOf(const math::Rect& rect) const {
    const unsigned int first_row = CellOf(rect.top);
    const unsigned int last_row = CellOf(rect.bottom);
    for (unsigned int column = CellOf(rect.left) + 1; column-- > 0;) {
        float rightmost = -1.0f;
        for (unsigned int row = first_row; row <= last_row; ++row) {
            for (const Placed& placed : _cells[row * _cells_per_side + column]) {
                const math::Rect& b = placed.rect;
                if (b.right < rect.left && b.top <= rect.bottom && rect.top <= b.bottom)
                    rightmost = std::max(rightmost, b.right);
            }
        }
        if (rightmost >= 0.0f) return rightmost + 1.0f;
    }
    return std::min(rect.left, 0.0f);
}

BaseTexture::Block* BaseTexture::Record(const math::Rect& rect) {
    Block* block = new Block{rect, 0};
    _blocks.push_back(block);
    AddToCells(block);
    return block;
}

unsigned int BaseTexture::CellOf(float coordinate) const {
    if (!(coordinate > 0.0f)) return 0;
    const unsigned int cell = static_cast<unsigned int>(coordinate) / kCellSide;
    return std::min(cell, _cells_per_side - 1);
}

void BaseTexture::AddToCells(const Block* block) {
    const math::Rect& r = block->rect;
    for (unsigned int row = CellOf(r.top); row <= CellOf(r.bottom); ++row) {
        for (unsigned int column = CellOf(r.left); column <= CellOf(r.right); ++column) {
            _cells[row * _cells_per_side + column].push_back(Placed{r, block});
        }
    }
}

void BaseTexture::RemoveFromCells(const Block* block) {
    const math::Rect& r = block->rect;
    for (unsigned int row = CellOf(r.top); row <= CellOf(r.bottom); ++row) {
        for (unsigned int column = CellOf(r.left); column <= CellOf(r.right); ++column) {
            std::vector<Placed>& cell = _cells[row * _cells_per_side + column];
            cell.erase(std::remove_if(cell.begin(), cell.end(),
                                      [block](const Placed& placed) { return placed.block == block; }),
                       cell.end());
        }
    }
}

}  // namespace render
