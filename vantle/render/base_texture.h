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
    bool CollidesWithBlock(const math::Rect& rect) const;
    bool FindFreePosition(unsigned int width, unsigned int height, math::Rect& found) const;
    void SlideUpAndLeft(math::Rect& rect) const;
    Block* Record(const math::Rect& rect);

    unsigned int _side;
    std::vector<Block*> _blocks;
    unsigned int _start_x = 0;
    unsigned int _start_y = 0;
    unsigned int _failed_width;
    unsigned int _failed_height;
    bool _orphaned = false;
};

}  // namespace render
