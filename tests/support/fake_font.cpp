#include "support/fake_font.h"

#include "vantle/render/render.h"

namespace test {

core::ptr<render::IFont::RenderedText> FakeFont::RenderText(const std::string& text, unsigned int size,
                                                            const render::Color& color) {
    layouts.push_back(Layout{text, size, color});
    core::ptr<RenderedText> laid_out(new RenderedText());
    laid_out->vertices = render::Renderer().CreateVertexBuffer(text.size());
    if (laid_out->vertices) laid_out->vertices->SetCount(text.size());
    laid_out->size = math::Vector2(GetTextWidth(text), 20.0f);
    return laid_out;
}

}  // namespace test
