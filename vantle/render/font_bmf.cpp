#include "vantle/render/font_bmf.h"

#include <tinyxml.h>

#include <algorithm>
#include <cmath>

#include "vantle/core/log.h"
#include "vantle/io/stream.h"
#include "vantle/math/vec3.h"
#include "vantle/render/buffers.h"
#include "vantle/render/render.h"
#include "vantle/render/texture.h"
#include "vantle/render/texture_cache.h"
#include "vantle/utils/timer.h"
#include "vantle/xml/attributes.h"
#include "vantle/xml/xmlcache.h"

namespace render {

namespace {

constexpr float GLYPH_DEPTH = 0.5f;
// Quad corners sit half a pixel before the rounded coordinate, on the pixel centres of the glyph edges.
constexpr float SNAP_SHIFT = 0.5f;
constexpr unsigned int VERTICES_PER_GLYPH = 6;
// Two triangles per glyph quad, corners numbered top left, top right, bottom right, bottom left.
constexpr unsigned int GLYPH_CORNERS[VERTICES_PER_GLYPH] = {0, 1, 2, 0, 2, 3};

// Codes above a byte are skipped; so is a missing one.
bool ReadCode(TiXmlElement* element, const char* name, unsigned char& code) {
    const unsigned int value = xml::ReadUnsigned(element, name, FontBMF::GLYPHS);
    if (value >= FontBMF::GLYPHS) return false;
    code = static_cast<unsigned char>(value);
    return true;
}

// A scale of 0 or less (or no number) would spread the glyphs over infinite texture coordinates.
bool IsUsableScale(float scale) {
    return std::isfinite(scale) && scale > 0.0f;
}

// The directory part of a stream's name, its "/" kept; empty without one.
std::string DirectoryOf(const std::string& file_name) {
    size_t slash = file_name.rfind('/');
    return slash == std::string::npos ? std::string() : file_name.substr(0, slash + 1);
}

}  // namespace

IFont::RenderedText::~RenderedText() {
    delete vertices;
}

float _round(float value) {
    float whole = std::floor(value);
    return value - whole > 0.5f ? whole + 1.0f : whole;
}

FontBMF::FontBMF(const core::ptr<io::IStream>& stream)
    : _tiles(GLYPHS),
      _rects(GLYPHS),
      _uvs(GLYPHS),
      _offsets(GLYPHS),
      _advances(GLYPHS, 0.0f),
      _kerning(GLYPHS * GLYPHS, 0.0f) {
    Load(stream);
}

void FontBMF::Load(const core::ptr<io::IStream>& stream) {
    core::Log* log = core::Log::instance();
    if (!stream || !stream->IsOpened()) {
        log->Write("Error: definition is empty");
        return;
    }
    const std::string text = io::ReadText(stream);

    unsigned int started = utils::Timer::GetTicks();
    const core::ptr<TiXmlDocument> document = xml::Parse("font", text);
    if (xml::ReportParseError(*document, "Error loading font: ")) return;
    TiXmlNode* node = document->FirstChild("font");
    TiXmlElement* font = node ? node->ToElement() : nullptr;
    if (!font) return;
    LoadFont(font, DirectoryOf(stream->GetFilename()));
    if (font->FirstChildElement()) {
        log->Write("Font loaded in %d ms", static_cast<int>(utils::Timer::GetTicks() - started));
    }
}

void FontBMF::LoadFont(TiXmlElement* font, const std::string& directory) {
    core::Log* log = core::Log::instance();
    const char* file_name = xml::FindText(font, "filename");
    if (!file_name) return;
    std::string path = directory + file_name;
    log->Write("Loading font bitmap from: %s", path.c_str());
    _texture = TextureCache::instance()->Get(path);
    if (!_texture) log->Write("Error: font texture is not properly loaded");

    SetTextureScale(xml::ReadFloat(font, "size", _texture_scale), "texture size");
    _default_kerning = xml::ReadFloat(font, "default_kerning", _default_kerning);
    ResetGlyphs();
    for (unsigned int code = 0; code < GLYPHS; ++code) UpdateUV(static_cast<unsigned char>(code));

    for (TiXmlElement* child = font->FirstChildElement(); child; child = child->NextSiblingElement()) {
        const std::string& name = child->ValueStr();
        if (name == "symbol") {
            ReadGlyph(child, "code", false);
        } else if (name == "char") {
            ReadGlyph(child, "id", true);
        } else if (name == "chars") {
            for (TiXmlElement* glyph = child->FirstChildElement(); glyph;
                 glyph = glyph->NextSiblingElement()) {
                ReadGlyph(glyph, "id", true);
            }
        } else if (name == "kerning") {
            ReadKerning(child, true);
        } else if (name == "kernings") {
            for (TiXmlElement* pair = child->FirstChildElement(); pair; pair = pair->NextSiblingElement()) {
                ReadKerning(pair, false);
            }
        } else if (name == "common" && xml::Has(child, "scaleW")) {
            SetTextureScale(xml::ReadFloat(child, "scaleW", _texture_scale), "scaleW");
        }
    }
}

void FontBMF::SetTextureScale(float scale, const char* source) {
    if (IsUsableScale(scale)) {
        _texture_scale = scale;
        return;
    }
    core::Log::instance()->Write("Error: font %s must be positive, keeping %g", source, _texture_scale);
}

void FontBMF::ResetGlyphs() {
    std::fill(_rects.begin(), _rects.end(), math::Rect());
    std::fill(_offsets.begin(), _offsets.end(), math::Vector2(0.0f, 0.0f));
    std::fill(_advances.begin(), _advances.end(), 0.0f);
    std::fill(_kerning.begin(), _kerning.end(), _default_kerning);
}

void FontBMF::ReadGlyph(TiXmlElement* element, const char* code_attribute, bool with_metrics) {
    unsigned char code = 0;
    if (!ReadCode(element, code_attribute, code)) return;
    math::Rect pixels(element);
    float width = pixels.right - pixels.left;
    float height = pixels.bottom - pixels.top;
    math::Rect texture_rect;
    if (width > 1.0f || height > 1.0f) {
        texture_rect = math::Rect(pixels.left / _texture_scale, pixels.top / _texture_scale,
                                  pixels.right / _texture_scale, pixels.bottom / _texture_scale);
    }
    _tiles[code] = Tile(_texture, texture_rect);
    UpdateUV(code);
    _rects[code] = math::Rect(0.0f, 0.0f, width, height);
    if (!with_metrics) return;
    _offsets[code] = xml::ReadPoint(element, "xoffset", "yoffset", math::Vector2::ZERO);
    _advances[code] = xml::ReadFloat(element, "xadvance", 0.0f);
}

// Without a font texture the quads get no texture coordinates.
void FontBMF::UpdateUV(unsigned char code) {
    _uvs[code] = _texture ? _texture->get_abs_trect(_tiles[code].rect) : math::Rect();
}

void FontBMF::ReadKerning(TiXmlElement* element, bool allow_code_form) {
    unsigned char first = 0;
    unsigned char second = 0;
    const char* amount_name = nullptr;
    bool code_form = allow_code_form && xml::Has(element, "code1") && xml::Has(element, "code2") &&
                     xml::Has(element, "value");
    if (code_form) {
        if (!ReadCode(element, "code1", first) || !ReadCode(element, "code2", second)) return;
        amount_name = "value";
    } else {
        if (!xml::Has(element, "amount")) return;
        if (!ReadCode(element, "first", first) || !ReadCode(element, "second", second)) return;
        amount_name = "amount";
    }
    float& kerning = _kerning[Pair(first, second)];
    kerning = xml::ReadFloat(element, amount_name, kerning);
}

core::ptr<IFont::RenderedText> FontBMF::RenderText(const std::string& text, unsigned int,
                                                   const Color& color) {
    core::ptr<RenderedText> rendered(new RenderedText());
    rendered->texture = _texture;
    Render::Implementation* renderer = Render::instance()->GetImplementation();
    if (!renderer) {
        core::Log::instance()->Write("Error: no renderer to lay text out");
        return rendered;
    }
    const unsigned int count = static_cast<unsigned int>(text.size()) * VERTICES_PER_GLYPH;
    IVertexBuffer* vertices = renderer->CreateVertexBuffer(count);
    rendered->vertices = vertices;
    if (!vertices) return rendered;
    vertices->SetCount(count);
    vertices->Lock();

    math::Vector2 pen(0.0f, 0.0f);
    float tallest = 0.0f;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char code = static_cast<unsigned char>(text[i]);
        const math::Rect& uv = _uvs[code];
        math::Rect quad = _rects[code];
        quad.Move(pen.x + _offsets[code].x, pen.y + _offsets[code].y);
        // Kerning shifts this glyph alone: neither the pen nor the width take it up.
        if (i > 0) quad.Move(_kerning[Pair(static_cast<unsigned char>(text[i - 1]), code)], 0.0f);

        const float x0 = _round(quad.left) - SNAP_SHIFT;
        const float x1 = _round(quad.right) - SNAP_SHIFT;
        const float y0 = _round(quad.top) - SNAP_SHIFT;
        const float y1 = _round(quad.bottom) - SNAP_SHIFT;
        const math::Vector3 corners[4] = {
            math::Vector3(x0, y0, GLYPH_DEPTH), math::Vector3(x1, y0, GLYPH_DEPTH),
            math::Vector3(x1, y1, GLYPH_DEPTH), math::Vector3(x0, y1, GLYPH_DEPTH)};
        const math::Vector2 uvs[4] = {math::Vector2(uv.left, uv.top), math::Vector2(uv.right, uv.top),
                                      math::Vector2(uv.right, uv.bottom), math::Vector2(uv.left, uv.bottom)};
        Vertex glyph[VERTICES_PER_GLYPH];
        for (unsigned int v = 0; v < VERTICES_PER_GLYPH; ++v) {
            glyph[v] = Vertex{corners[GLYPH_CORNERS[v]], uvs[GLYPH_CORNERS[v]], color};
        }
        vertices->SetVertices(static_cast<unsigned int>(i) * VERTICES_PER_GLYPH, glyph, VERTICES_PER_GLYPH);

        pen.x += PenStep(code);
        tallest = std::max(tallest, quad.bottom - quad.top);
    }
    vertices->Unlock();
    rendered->size = math::Vector2(pen.x, tallest);
    return rendered;
}

float FontBMF::GetTextWidth(const std::string& text) {
    float width = 0.0f;
    for (char c : text) width += PenStep(static_cast<unsigned char>(c));
    return width;
}

const math::Rect& FontBMF::GetSymbolRect(char code) const {
    return GetTile(code).rect;
}

const Tile& FontBMF::GetTile(char code) const {
    return _tiles[static_cast<unsigned char>(code)];
}

}  // namespace render
