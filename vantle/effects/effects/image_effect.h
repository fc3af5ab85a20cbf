#pragma once

#include <string>

#include "vantle/effects/effect.h"
#include "vantle/math/rect.h"
#include "vantle/math/vec2.h"
#include "vantle/render/tile.h"

class TiXmlElement;

namespace effects {

// Draws one tile in a rectangle centred on the effect's position, tinted with the current effect colour,
// so that an enclosing affine effect moves, turns, scales and fades it. Plays until stopped; its own
// child effects are never updated or drawn.
class ImageEffect : public Effect {
public:
    // Position, the tile ("texture", "color", child "rect") and the rectangle's size from the element.
    explicit ImageEffect(TiXmlElement* element);

    // A member-wise copy sharing the texture, with copies of the children.
    Effect* Clone() const override;
    Effect* Clone(const std::string& text) const override;
    using Effect::Update;
    void Update(unsigned int time) override;
    void Render() override;
    bool IsPlaying() const override;

    const render::Tile& GetTile() const { return tile; }
    const math::Rect& GetRect() const { return rect; }

    static void Register();

private:
    ImageEffect(const ImageEffect&) = default;

    render::Tile tile;
    math::Rect rect;
    math::Vector2 halfSize;
};

Effect* ImageEffectCreate(TiXmlElement* element);

}  // namespace effects
