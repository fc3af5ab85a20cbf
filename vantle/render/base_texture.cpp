#include "vantle/render/base_texture.h"

namespace render {

namespace {

// The scan's coarse grid; the found block then slides pixel by pixel.
const unsigned int kScanStepX = 8;
const unsigned int kScanStepY = 16;

// Touching edges collide, so neighbouring blocks keep a pixel between them.
bool Collide(const math::Rect& a, const math::Rect& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

math::Rect RectAt(unsigned int x, unsigned int y, unsigned int width, unsigned int height) {
    return math::Rect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(x + width),
                      static_cast<float>(y + height));
}

}  // namespace

BaseTexture::BaseTexture(unsigned int side) : _side(side), _failed_width(side), _failed_height(side) {}

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
        } else {
            delete block;
        }
    }
    _blocks.swap(kept);
}

bool BaseTexture::CollidesWithBlock(const math::Rect& rect) const {
    for (const Block* block : _blocks) {
        if (Collide(rect, block->rect)) return true;
    }
    return false;
}

bool BaseTexture::FindFreePosition(unsigned int width, unsigned int height, math::Rect& found) const {
    for (unsigned int y = 0; y + height <= _side; y += kScanStepY) {
        for (unsigned int x = 0; x + width <= _side; x += kScanStepX) {
            const math::Rect candidate = RectAt(x, y, width, height);
            if (CollidesWithBlock(candidate)) continue;
            found = candidate;
            return true;
        }
    }
    return false;
}

void BaseTexture::SlideUpAndLeft(math::Rect& rect) const {
    while (rect.top > 0) {
        math::Rect higher(rect.left, rect.top - 1, rect.right, rect.bottom - 1);
        if (CollidesWithBlock(higher)) break;
        rect = higher;
    }
    while (rect.left > 0) {
        math::Rect further_left(rect.left - 1, rect.top, rect.right - 1, rect.bottom);
        if (CollidesWithBlock(further_left)) break;
        rect = further_left;
    }
}

BaseTexture::Block* BaseTexture::Record(const math::Rect& rect) {
    Block* block = new Block{rect, 0};
    _blocks.push_back(block);
    return block;
}

}  // namespace render
