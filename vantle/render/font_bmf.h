#pragma once

#include <string>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/math/rect.h"
#include "vantle/math/vec2.h"
#include "vantle/render/color.h"
#include "vantle/render/tile.h"

class TiXmlElement;

namespace io {
class IStream;
}

namespace render {

class ITexture;
class IVertexBuffer;

// A font. Characters are bytes: one glyph slot per value 0..255, no multi-byte decoding, no line breaks.
class IFont {
public:
    // A string laid out once into textured quads, drawn every frame with DrawVertexBuffer under a
    // translation to the text's place. Its box runs from (0, 0) to its size, y growing downwards.
    class RenderedText {
    public:
        RenderedText() = default;
        ~RenderedText();
        RenderedText(const RenderedText&) = delete;
        RenderedText& operator=(const RenderedText&) = delete;

        core::ptr<ITexture> texture;        // the font's texture; empty when the font has none
        IVertexBuffer* vertices = nullptr;  // owned
        math::Vector2 size;                 // the pen's final x and the tallest glyph
    };

    virtual ~IFont() = default;
    // The size is the caller's wish; a bitmap font lays out in its own pixels whatever is asked.
    virtual core::ptr<RenderedText> RenderText(const std::string& text, unsigned int size,
                                               const Color& color) = 0;
    // The width RenderText reports for the same text.
    virtual float GetTextWidth(const std::string& text) = 0;
    // The glyph's texture rectangle in 0..1 units of the font texture.
    virtual const math::Rect& GetSymbolRect(char code) const = 0;
    // The font texture without taking a reference; null when the font has none.
    virtual ITexture* GetTexture() const = 0;
    virtual const Tile& GetTile(char code) const = 0;
};

// The floor, plus 1 when the fraction is greater than 0.5: a fraction of exactly 0.5 goes down.
float _round(float value);

// A bitmap font read from an XML description beside its glyph image. A description that cannot be read
// leaves an empty font: every glyph of zero size, no texture.
class FontBMF : public IFont {
public:
    static constexpr unsigned int GLYPHS = 256;

    explicit FontBMF(const core::ptr<io::IStream>& stream);

    core::ptr<RenderedText> RenderText(const std::string& text, unsigned int size,
                                       const Color& color) override;
    float GetTextWidth(const std::string& text) override;
    const math::Rect& GetSymbolRect(char code) const override;
    ITexture* GetTexture() const override { return _texture.get(); }
    const Tile& GetTile(char code) const override;

    // The glyph's pixel rectangle, moved to the origin.
    const math::Rect& GetGlyphRect(unsigned char code) const { return _rects[code]; }
    const math::Vector2& GetGlyphOffset(unsigned char code) const { return _offsets[code]; }
    float GetAdvance(unsigned char code) const { return _advances[code]; }
    float GetKerning(unsigned char first, unsigned char second) const {
        return _kerning[Pair(first, second)];
    }

private:
    static size_t Pair(unsigned char first, unsigned char second) { return first * GLYPHS + second; }

    void Load(const core::ptr<io::IStream>& stream);
    void LoadFont(TiXmlElement* font, const std::string& directory);
    // Takes the scale when it is a positive number, else logs what it came from and keeps the old one.
    void SetTextureScale(float scale, const char* source);
    void ResetGlyphs();
    void ReadGlyph(TiXmlElement* element, const char* code_attribute, bool with_metrics);
    void ReadKerning(TiXmlElement* element, bool allow_code_form);
    // Looks the glyph's texture rectangle up on the font texture once, not at every layout.
    void UpdateUV(unsigned char code);
    // The advance of the glyph less its x offset: how far it moves the pen.
    float PenStep(unsigned char code) const { return _advances[code] - _offsets[code].x; }

    core::ptr<ITexture> _texture;
    std::vector<Tile> _tiles;
    std::vector<math::Rect> _rects;
    std::vector<math::Rect> _uvs;  // where each glyph lies on the texture, in the renderer's coordinates
    std::vector<math::Vector2> _offsets;
    std::vector<float> _advances;
    std::vector<float> _kerning;
    float _default_kerning = 0.0f;
    float _texture_scale = 512.0f;
};

}  // namespace render
