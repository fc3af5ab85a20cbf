#pragma once

#include <cstdint>
#include <vector>

#include "vantle/render/base_texture.h"

namespace render {

// A texture page held by one GL texture. Needs the GL context current for everything but its size.
class BaseTextureOGL : public BaseTexture {
public:
    // Throws std::runtime_error("Couldn't create OpenGL texture") when GL gives no texture name.
    explicit BaseTextureOGL(unsigned int side);
    ~BaseTextureOGL() override;

    void load(Block* block, const Bitmap& bitmap, unsigned int x, unsigned int y, unsigned int width,
              unsigned int height) override;
    unsigned int GetHandle() const override { return _name; }
    void Orphan() override;

    // Keeps the page's pixels in memory, for a GL context that is about to go.
    void Dump();
    // Uploads the kept pixels into the current context and lets them go; nothing when none are kept.
    void Restore();
    // The page's pixels read back from GL, side x side RGBA bytes.
    std::vector<std::uint8_t> ReadPixels() const;

private:
    void ReleaseName();

    unsigned int _name = 0;
    std::vector<std::uint8_t> _saved;
};

}  // namespace render
