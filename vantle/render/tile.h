#pragma once

#include "vantle/core/ptr.h"
#include "vantle/math/rect.h"
#include "vantle/render/color.h"
#include "vantle/render/texture.h"

class TiXmlElement;

namespace render {

// What gets drawn: a texture (or none), the part of it to show in its own 0 to 1 coordinates, and a
// colour. Copies share the texture.
class Tile {
public:
    Tile() = default;
    explicit Tile(const core::ptr<ITexture>& texture) : _texture(texture) {}
    Tile(const core::ptr<ITexture>& texture, const Color& tint) : color(tint), _texture(texture) {}
    Tile(const core::ptr<ITexture>& texture, const math::Rect& texture_rect)
        : rect(texture_rect), _texture(texture) {}
    Tile(const core::ptr<ITexture>& texture, const math::Rect& texture_rect, const Color& tint)
        : rect(texture_rect), color(tint), _texture(texture) {}
    // Reads the attributes "color" and "texture" (a texture-cache name) and the child "rect"; whatever
    // is absent keeps the default. Other attributes belong to the embedding element.
    explicit Tile(TiXmlElement* element);

    void SetColor(const Color& c) { color = c; }
    core::ptr<ITexture> GetTexture() const { return _texture; }
    void SetTexture(const core::ptr<ITexture>& texture) { _texture = texture; }
    // The texture without taking a reference, for drawing; null without one.
    const ITexture* GetTexturePointer() const { return _texture.get(); }

    math::Rect rect{0.0f, 0.0f, 1.0f, 1.0f};
    Color color{1.0f, 1.0f, 1.0f, 1.0f};

private:
    core::ptr<ITexture> _texture;
};

}  // namespace render
