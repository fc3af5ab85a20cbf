#pragma once

#include <string>

#include "vantle/math/rect.h"
#include "vantle/render/tile.h"

namespace gui {

// The pointer as the game draws it: a 32 by 32 square with its hot spot at the top-left corner, drawn
// after everything else. Without an image it is drawn as the renderer draws a tile without texture.
class Mouse {
public:
    Mouse();

    // The image of that file name, from the texture cache, drawn whole over the square.
    void SetTexture(const std::string& name);
    // Follows the pointer; hidden while the pointer is off the program's window, where it would stay
    // drawn where the pointer was last seen.
    void Update();
    void Render();

    const math::Rect& GetRect() const { return rect; }

private:
    static constexpr float kSize = 32.0f;

    math::Rect rect;
    render::Tile tile;
    bool shown = true;
};

}  // namespace gui
