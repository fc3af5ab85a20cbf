#pragma once

#include <vector>

#include "vantle/math/rect.h"
#include "vantle/render/pixel_mask.h"

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
    // The width is the narrowest the scan could vouch for, often less than the request's.
    struct Taken {
        unsigned int width;
        unsigned int height;
        unsigned int bound;
    };

    bool FindFreePosition(unsigned int width, unsigned int height, math::Rect& found);
    // The first free x from x on in the row at y, or a value past the page's side.
    // Refused grows, if need be, to a width from which on every position passed is taken.
    unsigned int FindFreeInRow(unsigned int x, unsigned int y, unsigned int width, unsigned int height,
                               unsigned int& refused);
    // The entry for the size that reaches furthest, or a zero bound.
    static Taken BestKnown(const std::vector<Taken>& known, unsigned int width, unsigned int height);
    static void Remember(std::vector<Taken>& known, const Taken& taken);
    void SlideUpAndLeft(math::Rect& rect) const;
    float StopAbove(const math::Rect& rect) const;
    float StopLeftOf(const math::Rect& rect) const;
    bool Collides(const math::Rect& rect) const;
    Block* Record(const math::Rect& rect);
    void MarkUsed(const math::Rect& rect, bool used);

    unsigned int _side;
    std::vector<Block*> _blocks;
    // The pixels the blocks cover, edges included, so that rectangles that touch share a pixel and
    // collide. A block's right and bottom edges lie a pixel past its size: the mask is a pixel wider and
    // taller than the page.
    PixelMask _used;
    // The scan's union of the mask rows a request spans, kept to spare an allocation per row.
    std::vector<PixelMask::Word> _band;
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
