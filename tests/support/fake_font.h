#pragma once

#include <string>
#include <vector>

#include "vantle/render/font_bmf.h"
#include "vantle/render/tile.h"

namespace test {

// A font without glyph images, 10 units per byte and 20 high, that writes down what it lays out. The
// vertex buffers, one vertex per byte, come from the renderer installed at the time.
class FakeFont : public render::IFont {
public:
    struct Layout {
        std::string text;
        unsigned int size;
        render::Color color;
    };

    core::ptr<RenderedText> RenderText(const std::string& text, unsigned int size,
                                       const render::Color& color) override;
    float GetTextWidth(const std::string& text) override { return 10.0f * text.size(); }
    const math::Rect& GetSymbolRect(char) const override { return _tile.rect; }
    render::ITexture* GetTexture() const override { return nullptr; }
    const render::Tile& GetTile(char) const override { return _tile; }

    std::vector<Layout> layouts;

private:
    render::Tile _tile;
};

}  // namespace test
