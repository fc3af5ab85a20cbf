#pragma once

#include <vector>

#include "vantle/math/rect.h"

namespace render {

class Bitmap;

// One square texture page that many images share, each in its own block.
class BaseTexture {
public:
    // One allocated rectangle of the page, in page pixels; count is the number of textures on it.
    struct Block {
        math::Rect rect;
        int count = 0;
    };

    explicit BaseTexture(unsigned int side);
    virtual ~BaseTexture();
    BaseTexture(const BaseTexture&) = delete;
    BaseTexture& operator=(const BaseTexture&) = delete;

    // A free block of width x height pixels, first fit; null when the page has no room. A page that
    // once failed refuses every later request at least as large in both directions.
    Block* alloc_block(unsigned int width, unsigned int height);
    // Deletes every block that no texture holds.
    void clear_unused_blocks();

    // Copies the bitmap into the block. The four numbers do not change what is copied.
    virtual void load(Block* block, const Bitmap& bitmap, unsigned int x, unsigned int y, unsigned int width,
                      unsigned int height) = 0;

    // The graphics API's name for the page, for binding; 0 when it has none.
    virtual unsigned int GetHandle() const { return 0; }

    // The renderer that made the page is gone: the page now belongs to the textures still on it and is
    // deleted with the last of them. An orphan drops its graphics resources at once.
    virtual void Orphan() { _orphaned = true; }
    bool IsOrphaned() const { return _orphaned; }

    unsigned int GetSide() const { return _side; }
    const std::vector<Block*>& GetBlocks() const { return _blocks; }
    bool Empty() const { return _blocks.empty(); }

private:
    // What a scan learnt: for this size and every size at least as large both ways, every position
    // before the bound is taken (in one row: the positions left of it; in the page: the rows above it).
    struct Taken {
        unsigned int width;
        unsigned int height;
        unsigned int bound;
    };

    // A block's rectangle kept in a cell beside the block, so that tests read cells only.
    struct Placed {
        math::Rect rect;
        const Block* block;
    };

    // The rectangle of a block the rectangle touches, or null.
    const math::Rect* FindCollision(const math::Rect& rect) const;
    bool CollidesWithBlock(const math::Rect& rect) const { return FindCollision(rect) != nullptr; }
    bool FindFreePosition(unsigned int width, unsigned int height, math::Rect& found);
    // The first free x from x on in the row at y, or a value past the page's side.
    unsigned int FindFreeInRow(unsigned int x, unsigned int y, unsigned int width, unsigned int height) const;
    static unsigned int KnownBound(const std::vector<Taken>& known, unsigned int width, unsigned int height);
    static void Remember(std::vector<Taken>& known, const Taken& taken);
    void SlideUpAndLeft(math::Rect& rect) const;
    float StopAbove(const math::Rect& rect) const;
    float StopLeftOf(const math::Rect& rect) const;
    Block* Record(const math::Rect& rect);
    // The cells of the grid a rectangle covers, edges included.
    unsigned int CellOf(float coordinate) const;
    void AddToCells(const Block* block);
    void RemoveFromCells(const Block* block);

    unsigned int _side;
    std::vector<Block*> _blocks;
    // Each block is listed in every cell of a coarse grid it touches, so that a collision test looks at
    // its neighbours only.
    unsigned int _cells_per_side;
    std::vector<std::vector<Placed>> _cells;
    // What earlier scans found taken, per scan row and for whole rows, so that a scan for a size at
    // least as large both ways starts further on. Blocks only ever take more room, so this holds until
    // a block is freed.
    std::vector<std::vector<Taken>> _taken;
    std::vector<Taken> _full_rows;
    unsigned int _start_x = 0;
    unsigned int _start_y = 0;
    unsigned int _failed_width;
    unsigned int _failed_height;
    bool _orphaned = false;
};

}  // namespace render
