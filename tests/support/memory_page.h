#pragma once

#include <cstdint>
#include <vector>

#include "vantle/render/base_texture.h"

namespace test {

// A texture page kept in memory, for tests without GL: load copies the bitmap into its pixels.
class MemoryPage : public render::BaseTexture {
public:
    explicit MemoryPage(unsigned int side = 1024);

    void load(Block* block, const render::Bitmap& bitmap, unsigned int x, unsigned int y, unsigned int width,
              unsigned int height) override;

    // Pixel (x, y) of the page, in the bitmap's memory byte order.
    std::uint32_t Pixel(unsigned int x, unsigned int y) const { return _pixels[y * GetSide() + x]; }
    int LoadCount() const { return _loads; }

private:
    std::vector<std::uint32_t> _pixels;
    int _loads = 0;
};

}  // namespace test
