// Bitmap fonts, read through the font cache as the game reads them, with a text laid out and drawn. The
// input is the font description and the text, split at the first zero byte.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_world.h"
#include "vantle/render/buffers.h"
#include "vantle/render/font_bmf.h"

namespace {

bool SameFloat(float a, float b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> parts = test::SplitInput(data, size, 2);
    const std::string& text = parts[1];
    test::FuzzWorld& world = test::FuzzWorld::Get();
    world.Begin(parts[0]);

    const core::ptr<render::IFont> font = render::FontCache::instance()->Get(test::FuzzWorld::kInputName);
    test::FuzzCheck(static_cast<bool>(font), "an XML description always makes a font");
    const core::ptr<render::IFont::RenderedText> laid_out =
        font->RenderText(text, 16, render::Color(1.0f, 0.5f, 0.25f, 1.0f));
    test::FuzzCheck(laid_out && laid_out->vertices, "a text is laid out");
    test::FuzzCheck(laid_out->vertices->GetCount() == 6 * text.size(), "every character gets its quad");
    test::FuzzCheck(SameFloat(laid_out->size.x, font->GetTextWidth(text)),
                    "the laid-out width is the measured width");
    world.renderer.DrawVertexBuffer(laid_out->vertices, laid_out->texture.get());
    for (char c : text) {
        const render::Tile& tile = font->GetTile(c);
        test::FuzzCheck(&font->GetSymbolRect(c) == &tile.rect, "a glyph's rectangle is its tile's");
    }
    return 0;
}
