#include "support/memory_page.h"

#include "vantle/render/bitmap.h"

namespace test {

MemoryPage::MemoryPage(unsigned int side)
    : BaseTexture(side), _pixels(static_cast<std::size_t>(side) * side) {}

void MemoryPage::load(Block* block, const render::Bitmap& bitmap, unsigned int, unsigned int, unsigned int,
                      unsigned int) {
    ++_loads;
    const unsigned int left = static_cast<unsigned int>(block->rect.left);
    const unsigned int top = static_cast<unsigned int>(block->rect.top);
    for (unsigned int y = 0; y < bitmap.height && top + y < GetSide(); ++y) {
        for (unsigned int x = 0; x < bitmap.width && left + x < GetSide(); ++x) {
            _pixels[(top + y) * GetSide() + left + x] = bitmap.Pixel(x, y);
        }
    }
}

}  // namespace test
