#pragma once

#include <cstdint>
#include <string>

#include "vantle/core/context.h"
#include "vantle/core/ptr.h"
#include "vantle/gui/widgets/drawable_window.h"
#include "vantle/render/font_bmf.h"
#include "vantle/render/render.h"

class TiXmlElement;

namespace gui {

// An unsigned counter, usually bound to a context key through "value_key", drawn as decimal text in a
// bitmap font anchored like a caption. A new value is not jumped to: over "roto_time" ms (default 1000)
// the figure rolls linearly from what it shows to the new value, never past it; a value arriving
// mid-run restarts the run from the figure on screen. All counting happens while drawing. Deleted only
// as a Window.
class Number : public DrawableWindow, public core::Context::Link {
public:
    explicit Number(TiXmlElement* element);
    Number(const std::string& id, const math::Rect& rect, std::uint32_t value,
           const core::ptr<render::IFont>& font, float size, render::Render::TextAlign align);

    // "size", "roto_time", "value" (written through the link), "align", "font".
    void LoadData(TiXmlElement* element);
    // Without a font nothing is drawn.
    void Render() override;

    std::uint32_t GetShownValue() const { return shown_value; }

    // Registers "number" with the window factory.
    static void Register();

private:
    static constexpr std::uint32_t kDefaultRotoTime = 1000;

    void StartRun(std::uint32_t target, unsigned int now);
    void Advance(unsigned int now);
    void Prepare();

    math::Rect layout_rect;
    core::ptr<render::IFont> font;
    render::Render::TextAlign align = render::Render::LEFT;
    float size = 0.0f;
    core::ptr<render::IFont::RenderedText> rendered_text;
    std::uint32_t start_value = 0;
    std::uint32_t target_value = 0;
    std::uint32_t shown_value = 0;
    bool running = false;
    std::uint32_t roto_time = kDefaultRotoTime;
    unsigned int run_start = 0;
    bool refresh = true;
};

// The factory's creator for "number".
Window* CreateNumber(TiXmlElement* element);

}  // namespace gui
