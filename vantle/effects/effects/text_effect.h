#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/effects/effect.h"
#include "vantle/render/color.h"
#include "vantle/render/font_bmf.h"

class TiXmlElement;

namespace effects {

// One line of localised text in a bitmap font, laid out once and drawn at the effect's position: its top
// line at y, its left end, right end or middle at x. It plays until stopped and never changes.
class TextEffect : public Effect {
public:
    enum Alignment { ALIGN_LEFT = 0, ALIGN_RIGHT = 1, ALIGN_CENTER = 2 };

    explicit TextEffect(TiXmlElement* element);
    ~TextEffect() override;

    // A copy sharing the font and the laid-out text, with copies of the children.
    Effect* Clone() const override;
    // The same, showing the given text as it is (no localisation); an empty text keeps this one's.
    Effect* Clone(const std::string& text) const override;
    using Effect::Update;
    void Update(unsigned int) override {}
    void Render() override;
    bool IsPlaying() const override { return running != 0; }

    int GetAlignment() const { return alignment; }
    const render::Color& GetColor() const { return color; }
    // Empty when there is nothing to draw.
    const core::ptr<render::IFont::RenderedText>& GetRenderedText() const { return renderedText; }

    static void Register();

private:
    TextEffect(const TextEffect&) = default;
    float AlignmentOffset() const;

    int alignment = ALIGN_CENTER;
    render::Color color;
    core::ptr<render::IFont> font;
    core::ptr<render::IFont::RenderedText> renderedText;
};

Effect* TextEffectCreate(TiXmlElement* element);

}  // namespace effects
