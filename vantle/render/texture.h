#pragma once

#include "vantle/math/rect.h"
#include "vantle/math/vec2.h"

namespace render {

struct Color;

// A texture as drawing code sees it. Its own coordinates run 0 to 1 across the image; get_abs_coord and
// get_abs_trect map them to the coordinates the renderer draws with.
class ITexture {
public:
    virtual ~ITexture() = default;

    virtual math::Vector2 get_abs_coord(const math::Vector2& point) const { return point; }
    virtual math::Rect get_abs_trect(const math::Rect& rect) const { return rect; }

    virtual unsigned int GetSize() const { return 0; }
    virtual unsigned int GetWidth() const { return 0; }
    virtual unsigned int GetHeight() const { return 0; }
    virtual unsigned int GetDepth() const { return 0; }
    virtual float GetScaleX() const = 0;
    virtual float GetScaleY() const = 0;

    // Pixel access; the textures of this engine do not offer it after loading.
    virtual void Lock(bool read_only) = 0;
    virtual void Unlock() = 0;
    virtual unsigned int Get(unsigned int x, unsigned int y) const = 0;
    virtual void Set(unsigned int x, unsigned int y, const Color& color) = 0;
    virtual void Set(unsigned int x, unsigned int y, unsigned int pixel) = 0;
    virtual void Fill(const Color& color) = 0;
};

}  // namespace render
