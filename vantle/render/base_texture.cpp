#include "vantle/render/base_texture.h"

#include <algorithm>

namespace render {

namespace {

// The scan's coarse grid; the found block then slides pixel by pixel.
const unsigned int kScanStepX = 8;
const unsigned int kScanStepY = 16;
// Enough to remember the sizes a page's pictures mostly come in, few enough to look through quickly.
const std::size_t kKnownSizes = 24;

// Block edges are whole pixels inside the page's mask.
unsigned int Pixel(float edge) {
    return static_cast<unsigned int>(edge);
}

// The first position of the scan's grid at or after the column.
unsigned int ScanColumnFrom(unsigned int column) {
    return (column + kScanStepX - 1) / kScanStepX * kScanStepX;
}

// The pixels set in any of the mask's rows top to bottom, put together a word at a time as a scan along
// them reaches it. The scan only moves right, from the column given first.
class RowBand {
public:
    RowBand(const PixelMask& mask, unsigned int top, unsigned int bottom, unsigned int from,
            std::vector<PixelMask::Word>& words)
        : _mask(mask), _top(top), _bottom(bottom), _words(words), _built(from / PixelMask::kWordBits) {
        _words.resize(mask.WordsPerRow());
    }

    // The first clear column from the given one on; at least the mask's side when there is none.
    unsigned int FirstClearFrom(unsigned int column) {
        return FirstIn(column, _mask.WordsPerRow() * PixelMask::kWordBits - 1, ~PixelMask::Word(0));
    }
    // The first set column from first to last, or the one after last.
    unsigned int FirstSetIn(unsigned int first, unsigned int last) { return FirstIn(first, last, 0); }

private:
    // The first column from first to last whose bit differs from the flip's, or the one after last.
    unsigned int FirstIn(unsigned int first, unsigned int last, PixelMask::Word flip) {
        const unsigned int last_index = last / PixelMask::kWordBits;
        unsigned int index = first / PixelMask::kWordBits;
        PixelMask::Word found = (Get(index) ^ flip) & (~PixelMask::Word(0) << first % PixelMask::kWordBits);
        while (!found) {
            if (++index > last_index) return last + 1;
            found = Get(index) ^ flip;
        }
        return std::min(last + 1,
                        index * PixelMask::kWordBits + static_cast<unsigned int>(__builtin_ctzll(found)));
    }

    PixelMask::Word Get(unsigned int index) {
        for (; _built <= index; ++_built) _words[_built] = _mask.RowsWord(_top, _bottom, _built);
        return _words[index];
    }

    const PixelMask& _mask;
    unsigned int _top;
    unsigned int _bottom;
    std::vector<PixelMask::Word>& _words;
    // Words from the first column's on up to this one are in _words.
    unsigned int _built;
};

math::Rect RectAt(unsigned int x, unsigned int y, unsigned int width, unsigned int height) {
    return math::Rect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(x + width),
                      static_cast<float>(y + height));
}

}  // namespace

BaseTexture::BaseTexture(unsigned int side)
    : _side(side),
      _used(side + 1),
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
    if (!Collides(start)) return Record(start);

    math::Rect found;
    if (!FindFreePosition(width, height, found)) {
        _failed_width = width - 1;
        _failed_height = height - 1;
        return nullptr;
    }
    SlideUpAndLeft(found);
    return Record(found);
}

// In place: every texture freed comes through here, and a page may hold a thousand blocks.
void BaseTexture::clear_unused_blocks() {
    auto kept = _blocks.begin();
    for (Block* block : _blocks) {
        if (block->count > 0) {
            *kept++ = block;
            continue;
        }
        MarkUsed(block->rect, false);
        delete block;
    }
    if (kept == _blocks.end()) return;
    _blocks.erase(kept, _blocks.end());
    // A freed block may have made room where scans found none.
    for (std::vector<Taken>& known : _taken) known.clear();
    _full_rows.clear();
}

bool BaseTexture::Collides(const math::Rect& rect) const {
    return _used.AnyIn(Pixel(rect.left), Pixel(rect.top), Pixel(rect.right), Pixel(rect.bottom));
}

// The first fit in scan order, row by row. A scan starts past the positions earlier scans found taken
// for a size no larger, and what it learns holds for every width its turned-down positions were too
// narrow for.
bool BaseTexture::FindFreePosition(unsigned int width, unsigned int height, math::Rect& found) {
    const Taken full = BestKnown(_full_rows, width, height);
    unsigned int full_width = full.width;
    for (unsigned int y = full.bound * kScanStepY; y + height <= _side; y += kScanStepY) {
        const unsigned int row = y / kScanStepY;
        std::vector<Taken>& known = _taken[row];
        const Taken start = BestKnown(known, width, height);
        unsigned int refused = start.width;
        const unsigned int x = FindFreeInRow(start.bound, y, width, height, refused);
        if (x != start.bound) Remember(known, Taken{refused, height, x});
        if (x + width > _side) {
            // The positions from x on are too near the edge for any wider request.
            const unsigned int near_edge = x > _side ? 0 : _side - x + 1;
            full_width = std::max(full_width, std::max(refused, near_edge));
            continue;
        }
        if (row != full.bound) Remember(_full_rows, Taken{full_width, height, row});
        found = RectAt(x, y, width, height);
        return true;
    }
    return false;
}

// A position fits when the clear run of the band from it is longer than the width. Positions that start
// on a set pixel are skipped in one step, and so are those inside a run too short, which are shorter
// still.
unsigned int BaseTexture::FindFreeInRow(unsigned int x, unsigned int y, unsigned int width,
                                        unsigned int height, unsigned int& refused) {
    RowBand band(_used, y, y + height, x, _band);
    while (x + width <= _side) {
        const unsigned int clear = band.FirstClearFrom(x);
        if (clear > x) {
            x = ScanColumnFrom(clear);
            continue;
        }
        const unsigned int run = band.FirstSetIn(x, x + width) - x;
        if (width < run) return x;
        refused = std::max(refused, run);
        x = ScanColumnFrom(x + run);
    }
    return x;
}

// The lists run furthest bound first, narrowest first among equal bounds: the first entry that applies
// is the one wanted.
BaseTexture::Taken BaseTexture::BestKnown(const std::vector<Taken>& known, unsigned int width,
                                          unsigned int height) {
    for (const Taken& taken : known) {
        if (taken.width <= width && taken.height <= height) return taken;
    }
    return Taken{0, 0, 0};
}

// Drops what the new knowledge covers: an entry for a size at least as large both ways that knows less.
void BaseTexture::Remember(std::vector<Taken>& known, const Taken& taken) {
    known.erase(std::remove_if(known.begin(), known.end(),
                               [&](const Taken& k) {
                                   return k.width >= taken.width && k.height >= taken.height &&
                                          k.bound <= taken.bound;
                               }),
                known.end());
    known.insert(std::find_if(known.begin(), known.end(),
                              [&](const Taken& k) {
                                  return k.bound < taken.bound ||
                                         (k.bound == taken.bound && k.width > taken.width);
                              }),
                 taken);
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

// One pixel below the nearest used pixel above the rectangle in its columns: the lowest bottom edge of
// the blocks above it.
float BaseTexture::StopAbove(const math::Rect& rect) const {
    return static_cast<float>(_used.LastRowAbove(Pixel(rect.top), Pixel(rect.left), Pixel(rect.right)) + 1);
}

// One pixel right of the rightmost used pixel left of the rectangle in its rows.
float BaseTexture::StopLeftOf(const math::Rect& rect) const {
    return static_cast<float>(_used.LastColumnBefore(Pixel(rect.left), Pixel(rect.top), Pixel(rect.bottom)) +
                              1);
}

BaseTexture::Block* BaseTexture::Record(const math::Rect& rect) {
    Block* block = new Block{rect, 0};
    _blocks.push_back(block);
    MarkUsed(rect, true);
    return block;
}

void BaseTexture::MarkUsed(const math::Rect& rect, bool used) {
    _used.Set(Pixel(rect.left), Pixel(rect.top), Pixel(rect.right), Pixel(rect.bottom), used);
}

}  // namespace render
