#include "vantle/gui/widgets/button_look.h"

#include <utility>

#include "vantle/gui/style.h"
#include "vantle/i18n/mtable.h"
#include "vantle/render/scopes.h"
#include "vantle/render/texture_cache.h"
#include "vantle/utils/timer.h"
#include "vantle/xml/attributes.h"

namespace gui {

namespace {

core::ptr<render::Tile> WholeTexture(const core::ptr<render::ITexture>& texture) {
    return core::ptr<render::Tile>(new render::Tile(texture));
}

// The style's tile where it has one.
void Override(core::ptr<render::Tile>& tile, const core::ptr<render::Tile>& from_style) {
    if (from_style) tile = from_style;
}

void DrawTile(render::IRender& renderer, const math::Rect& rect, const core::ptr<render::Tile>& tile) {
    if (tile) renderer.DrawRect(rect, *tile);
}

}  // namespace

void ButtonLook::SetTextures(const core::ptr<render::ITexture>& normal,
                             const core::ptr<render::ITexture>& active,
                             const core::ptr<render::ITexture>& pressed) {
    tile_default = WholeTexture(normal);
    tile_active = WholeTexture(active);
    tile_pressed = WholeTexture(pressed);
}

void ButtonLook::Load(TiXmlElement* element, const Style* style, math::Rect& rect) {
    has_caption = false;
    LoadTiles(element);
    switch_time1 = xml::ReadUnsigned(element, "switch1", switch_time1);
    switch_time2 = xml::ReadUnsigned(element, "switch2", switch_time2);
    LoadCaption(element);
    if (!style || !style->font) return;
    LayOutCaptions(*style);
    TakeStyleLook(*style, rect);
    PlaceCaptions(*style, rect);
}

void ButtonLook::LoadTiles(TiXmlElement* element) {
    const std::pair<const char*, core::ptr<render::Tile>*> tiles[] = {
        {"default", &tile_default},   {"active", &tile_active}, {"pressed", &tile_pressed},
        {"disabled", &tile_disabled}, {"shadow", &tile_shadow},
    };
    for (const auto& tile : tiles) {
        const char* name = xml::FindText(element, tile.first);
        if (name) *tile.second = WholeTexture(render::TextureCache::instance()->Get(name));
    }
}

void ButtonLook::LoadCaption(TiXmlElement* element) {
    const char* key = xml::FindText(element, "text");
    if (!key) return;
    caption = i18n::MessageTable::instance()->GetMsg(key);
    has_caption = true;
}

void ButtonLook::LayOutCaptions(const Style& style) {
    const render::Color colors[kCaptionColors] = {style.text_color, style.text_color_active,
                                                  style.text_color_pressed, style.text_color_disabled};
    for (int i = 0; i < kCaptionColors; ++i) caption_text[i] = style.font->RenderText(caption, 0, colors[i]);
}

void ButtonLook::TakeStyleLook(const Style& style, math::Rect& rect) {
    Override(tile_default, style.tile);
    Override(tile_active, style.tile_active ? style.tile_active : style.tile);
    Override(tile_pressed, style.tile_pressed ? style.tile_pressed : style.tile);
    Override(tile_disabled, style.tile_disabled ? style.tile_disabled : style.tile);
    if (style.size.x * style.size.x + style.size.y * style.size.y > 0.0f) rect.Resize(style.size);
    Override(tile_shadow, style.shadow);
    if (style.switch_time1 != 0) switch_time1 = style.switch_time1;
    if (style.switch_time2 != 0) switch_time2 = style.switch_time2;
}

void ButtonLook::PlaceCaptions(const Style& style, const math::Rect& rect) {
    const math::Vector2 adjust[kClickStates] = {style.text_adjust, style.text_adjust_active,
                                                style.text_adjust_pressed};
    for (int state = 0; state < kClickStates; ++state) {
        const math::Vector2 size = caption_text[state] ? caption_text[state]->size : math::Vector2();
        caption_offset[state] = math::Vector2((rect.Width() - size.x) * 0.5f + adjust[state].x,
                                              (rect.Height() - size.y) * 0.5f + adjust[state].y);
    }
}

void ButtonLook::StartFade(int leaving_state) {
    from_state = leaving_state;
    switch_start = utils::Timer::instance()->GetTime();
}

const core::ptr<render::Tile>& ButtonLook::StateTile(int state) const {
    if (state == ClickableWindow::STATE_ACTIVE) return tile_active;
    if (state == ClickableWindow::STATE_PRESSED) return tile_pressed;
    return tile_default;
}

unsigned int ButtonLook::FadeTime(int state) const {
    if (state == ClickableWindow::STATE_DEFAULT) return switch_time1;
    if (state == ClickableWindow::STATE_ACTIVE) return switch_time2;
    return 0;
}

void ButtonLook::Draw(render::IRender& renderer, const math::Rect& rect, int click_state, bool enabled) {
    renderer.SetBlendingMode(render::IRender::BLEND_ALPHA);
    DrawTile(renderer, rect, tile_shadow);
    render::ColorForceScope force(renderer);
    if (!enabled && tile_disabled) {
        DrawTile(renderer, rect, tile_disabled);
        return;
    }
    DrawStateTiles(renderer, rect, click_state);
    if (has_caption) DrawCaption(renderer, rect, click_state);
}

// The steady look leaves its forced alpha on for the caption; a fade releases it before the caption.
void ButtonLook::DrawStateTiles(render::IRender& renderer, const math::Rect& rect, int cur) {
    if (from_state != cur) {
        const unsigned int fade = FadeTime(cur);
        const float t = fade == 0 ? 1.0f
                                  : static_cast<float>(utils::Timer::instance()->GetTime() - switch_start) /
                                        static_cast<float>(fade);
        if (t < 1.0f) {
            renderer.ForceColorAlpha(1.0f);
            DrawTile(renderer, rect, StateTile(from_state));
            renderer.UnForceColorAlpha();
            renderer.ForceColorAlpha(t);
            DrawTile(renderer, rect, StateTile(cur));
            renderer.UnForceColorAlpha();
            return;
        }
        from_state = cur;
    }
    renderer.ForceColorAlpha(1.0f);
    DrawTile(renderer, rect, StateTile(cur));
    renderer.UnForceColor();
}

void ButtonLook::DrawCaption(render::IRender& renderer, const math::Rect& rect, int cur) {
    const math::Vector2 at(rect.left + caption_offset[cur].x, rect.top + caption_offset[cur].y);
    render::WorldMatrixScope moved(renderer, math::Translation(at));
    renderer.SetFilteringMode(render::IRender::FILTER_POINT);
    const core::ptr<render::IFont::RenderedText>& text = caption_text[cur];
    if (text) renderer.DrawVertexBuffer(text->vertices, text->texture.get());
}

}  // namespace gui
