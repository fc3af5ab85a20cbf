// The engine's own per-frame code against plain code doing the same work in the same run: particles
// (stepped, turned into vertices and drawn), textured tiles (drawn) and text (laid out into vertices).
// GL calls go to null_gl.cpp, which does nothing, so the ratio engine/plain shows what the engine's own
// code costs against the plain loop's. Each pair reports engine_us, plain_us and engine/plain.
//
// For instruction counts: valgrind --tool=callgrind, then callgrind_annotate --inclusive=yes and compare
// the Engine* and Plain* functions below.
#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <tinyxml.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "benchmarks/frame_compare.h"
#include "support/png_writer.h"
#include "vantle/core/ptr.h"
#include "vantle/effects/effects/particle_system.h"
#include "vantle/io/file.h"
#include "vantle/render/bitmap.h"
#include "vantle/render/font_bmf.h"
#include "vantle/render/ogl/render_ogl.h"
#include "vantle/render/proxy_texture.h"
#include "vantle/render/render.h"
#include "vantle/render/texture_cache.h"
#include "vantle/render/tile.h"

namespace {

const int kWidth = 800;
const int kHeight = 600;
const int kTiles = 1000;
const int kColumns = 40;
const float kTileSize = 20.0f;
const int kParticles = 1000;
const float kParticleSize = 8.0f;
const unsigned int kFirstGlyph = 32;
const unsigned int kLastGlyph = 126;
const unsigned int kGlyphCell = 16;
const unsigned int kFontPage = 256;
const float kTextDepth = 0.5f;

const char kText[] =
    "The quick brown fox jumps over the lazy dog; PACK MY BOX WITH FIVE DOZEN LIQUOR JUGS! "
    "0123456789 (Sphinx of black quartz, judge my vow.) How vexingly quick daft zebras jump?";

const render::Color kStartColor(1.0f, 0.5f, 0.25f, 1.0f);
const render::Color kEndColor(0.0f, 0.25f, 1.0f, 0.0f);
const float kStartSize = 1.5f;
const float kEndSize = 0.5f;

struct Vertex {
    float x, y, z;
    float u, v;
    render::Color color;
};

struct Glyph {
    math::Rect quad;  // pixel rectangle moved by the glyph's offset
    math::Rect uv;    // in page coordinates
    float step;       // advance less x offset
};

struct Scene {
    std::string folder;
    std::unique_ptr<render::RenderOGL> renderer;
    // Tiles
    std::vector<core::ptr<render::ITexture>> textures;
    std::vector<render::Tile> tiles;
    std::vector<math::Rect> places;
    std::vector<math::Rect> tile_uvs;
    // Particles
    std::unique_ptr<effects::ParticleSystem> particles;
    std::vector<effects::ParticleSystem::Particle> plain_particles;
    core::ptr<render::ITexture> particle_texture;
    math::Rect particle_uv;
    // Text
    core::ptr<render::IFont> font;
    std::vector<Glyph> glyphs;
    std::vector<float> kerning;
};

void SaveWhitePicture(const std::string& path, unsigned int side) {
    test::WriteFile(path, test::EncodePng(side, side, std::vector<std::uint8_t>(side * side * 4, 255)));
}

// Advance and offsets vary by glyph so that rounding and kerning do real work.
std::string FontXml() {
    std::string xml = "<font filename=\"glyphs.png\" size=\"256\" default_kerning=\"0.25\">\n";
    for (unsigned int code = kFirstGlyph; code <= kLastGlyph; ++code) {
        const unsigned int cell = code - kFirstGlyph;
        char line[256];
        std::snprintf(line, sizeof line,
                      "<char id=\"%u\" x=\"%u\" y=\"%u\" w=\"%u\" h=\"14\" xoffset=\"%.2f\" yoffset=\"%u\" "
                      "xadvance=\"%.2f\"/>\n",
                      code, cell % 16 * kGlyphCell, cell / 16 * kGlyphCell, 6 + code % 7, 0.3f * (code % 3),
                      code % 4, 7.6f + 0.1f * (code % 5));
        xml += line;
    }
    xml +=
        "<kerning first=\"65\" second=\"86\" amount=\"-1.5\"/>\n<kerning first=\"84\" second=\"111\" "
        "amount=\"-1\"/>\n</font>\n";
    return xml;
}

void MakeTiles(Scene& scene) {
    for (int t = 0; t < 8; ++t) {
        render::Bitmap bitmap(34, 34);
        bitmap.fill(render::Color(t / 8.0f, 1.0f - t / 8.0f, 0.5f, 1.0f));
        scene.textures.emplace_back(scene.renderer->LoadTexture(bitmap));
    }
    for (int i = 0; i < kTiles; ++i) {
        const float x = static_cast<float>(i % kColumns) * kTileSize;
        const float y = static_cast<float>(i / kColumns) * kTileSize;
        scene.places.emplace_back(x, y, x + kTileSize, y + kTileSize);
        const render::Color tint(1.0f, 1.0f - (i % 7) / 14.0f, 1.0f, 1.0f);
        scene.tiles.emplace_back(scene.textures[i % 8], math::Rect(0, 0, 1, 1), tint);
        scene.tile_uvs.push_back(scene.textures[i % 8]->get_abs_trect(math::Rect(0, 0, 1, 1)));
    }
}

void MakeParticles(Scene& scene) {
    const std::string texture = scene.folder + "/particle.png";
    SaveWhitePicture(texture, 16);
    TiXmlElement element("particle_system");
    element.SetAttribute("texture", texture.c_str());
    element.SetAttribute("w", "8");
    element.SetAttribute("h", "8");
    element.SetAttribute("start_color", "ff8040ff");
    element.SetAttribute("end_color", "0040ff00");
    element.SetAttribute("start_size", "1.5");
    element.SetAttribute("end_size", "0.5");
    scene.particles.reset(new effects::ParticleSystem(&element));
    scene.particle_texture = render::TextureCache::instance()->Get(texture);
    scene.particle_uv = scene.particle_texture->get_abs_trect(math::Rect(0, 0, 1, 1));
    unsigned int seed = 99;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return static_cast<float>((seed >> 8) & 0xFFFF) / 65535.0f;
    };
    for (int i = 0; i < kParticles; ++i) {
        effects::ParticleSystem::Particle p;
        p.life = 1.0f + next();
        p.energy = p.life * next();
        p.angle = 6.28f * next();
        p.position = math::Vector2(kWidth * next(), kHeight * next());
        p.velocity = math::Vector2(next() - 0.5f, next() - 0.5f);
        p.radial = next();
        p.tangential = next();
        p.spin = next();
        scene.particles->Emit(p);
        scene.plain_particles.push_back(p);
    }
}

void MakeFont(Scene& scene) {
    SaveWhitePicture(scene.folder + "/glyphs.png", kFontPage);
    const std::string xml_path = scene.folder + "/font.xml";
    std::ofstream(xml_path) << FontXml();
    scene.font = core::ptr<render::IFont>(
        new render::FontBMF(core::ptr<io::IStream>(new io::File(xml_path, io::File::kRead))));
    // The plain layout's tables, built once from the same font.
    const render::FontBMF& font = static_cast<const render::FontBMF&>(*scene.font);
    for (unsigned int code = 0; code < render::FontBMF::GLYPHS; ++code) {
        const unsigned char c = static_cast<unsigned char>(code);
        Glyph glyph;
        glyph.quad = font.GetGlyphRect(c);
        glyph.quad.Move(font.GetGlyphOffset(c).x, font.GetGlyphOffset(c).y);
        glyph.uv = font.GetTexture()->get_abs_trect(font.GetSymbolRect(static_cast<char>(c)));
        glyph.step = font.GetAdvance(c) - font.GetGlyphOffset(c).x;
        scene.glyphs.push_back(glyph);
        for (unsigned int second = 0; second < render::FontBMF::GLYPHS; ++second)
            scene.kerning.push_back(font.GetKerning(c, static_cast<unsigned char>(second)));
    }
}

Scene* MakeScene() {
    static Scene* scene = nullptr;
    if (scene) return scene;
    char folder[] = "/tmp/vantle_bench_XXXXXX";
    if (!mkdtemp(folder)) return nullptr;
    scene = new Scene;
    scene->folder = folder;
    scene->renderer.reset(new render::RenderOGL());
    render::Render::instance()->SetImplementation(scene->renderer.get());
    scene->renderer->Init(kWidth, kHeight, 32, false);
    scene->renderer->SetOrtho(static_cast<float>(kWidth), static_cast<float>(kHeight));
    MakeTiles(*scene);
    MakeParticles(*scene);
    MakeFont(*scene);
    return scene;
}

void SetPlainState(GLuint page) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, page);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

GLuint PageOf(const core::ptr<render::ITexture>& texture) {
    return static_cast<const render::ProxyTexture*>(texture.get())->GetPage()->GetHandle();
}

// --- Tiles -----------------------------------------------------------------------------------------

__attribute__((noinline)) void EngineTiles(Scene& scene) {
    render::IRender* renderer = render::Render::instance()->GetImplementation();
    for (int i = 0; i < kTiles; ++i) renderer->DrawRect(scene.places[i], scene.tiles[i]);
    glFinish();
}

__attribute__((noinline)) void PlainTiles(Scene& scene) {
    SetPlainState(PageOf(scene.textures[0]));
    for (int i = 0; i < kTiles; ++i) {
        const math::Rect& r = scene.places[i];
        const math::Rect& uv = scene.tile_uvs[i];
        const render::Color& c = scene.tiles[i].color;
        glColor4f(c.r, c.g, c.b, c.a);
        glBegin(GL_QUADS);
        glTexCoord2f(uv.left, uv.top);
        glVertex2f(r.left - 0.5f, r.top - 0.5f);
        glTexCoord2f(uv.right, uv.top);
        glVertex2f(r.right - 0.5f, r.top - 0.5f);
        glTexCoord2f(uv.right, uv.bottom);
        glVertex2f(r.right - 0.5f, r.bottom - 0.5f);
        glTexCoord2f(uv.left, uv.bottom);
        glVertex2f(r.left - 0.5f, r.bottom - 0.5f);
        glEnd();
    }
    glFinish();
}

void BM_Tiles(benchmark::State& state) {
    Scene* scene = MakeScene();
    if (!scene) return state.SkipWithError("no scene");
    bench::CompareWithPlain(
        state, [scene] { EngineTiles(*scene); }, [scene] { PlainTiles(*scene); });
    state.SetItemsProcessed(state.iterations() * kTiles);
}
BENCHMARK(BM_Tiles)->Unit(benchmark::kMicrosecond);

// --- Particles -------------------------------------------------------------------------------------

// The frame time stays put, so every frame does the same work on the same particles.
__attribute__((noinline)) void EngineParticles(Scene& scene) {
    scene.particles->Update(0);
    scene.particles->Render();
    glFinish();
}

void StepPlain(effects::ParticleSystem::Particle& p, const math::Vector2& centre, float dt) {
    p.energy -= dt;
    p.velocity += dt * p.acceleration;
    p.angle += dt * p.spin;
    math::Vector2 d = p.position - centre;
    const float length = std::sqrt(d.x * d.x + d.y * d.y);
    if (length > 1e-8f) d *= 1.0f / length;
    p.velocity += dt * (p.radial * d + p.tangential * math::Vector2(-d.y, d.x));
    p.position += dt * p.velocity;
}

__attribute__((noinline)) void PlainParticles(Scene& scene) {
    const math::Vector2 centre(0.0f, 0.0f);
    for (effects::ParticleSystem::Particle& p : scene.plain_particles) StepPlain(p, centre, 0.0f);
    SetPlainState(PageOf(scene.particle_texture));
    const math::Rect& uv = scene.particle_uv;
    const float us[4] = {uv.left, uv.right, uv.right, uv.left};
    const float vs[4] = {uv.top, uv.top, uv.bottom, uv.bottom};
    const int corner_of_vertex[6] = {0, 1, 2, 2, 3, 0};
    glBegin(GL_TRIANGLES);
    for (const effects::ParticleSystem::Particle& p : scene.plain_particles) {
        const float t = p.life > 0.0f ? p.energy / p.life : 0.0f;
        const float size = kEndSize + t * (kStartSize - kEndSize);
        const float hw = kParticleSize * 0.5f * size;
        const float hh = kParticleSize * 0.5f * size;
        const render::Color color = render::Color::Lerp(kEndColor, kStartColor, t);
        const float c = std::cos(p.angle);
        const float s = std::sin(p.angle);
        const float lx[4] = {-hw, hw, hw, -hw};
        const float ly[4] = {-hh, -hh, hh, hh};
        float x[4];
        float y[4];
        for (int k = 0; k < 4; ++k) {
            x[k] = lx[k] * c - ly[k] * s + p.position.x;
            y[k] = lx[k] * s + ly[k] * c + p.position.y;
        }
        for (int k : corner_of_vertex) {
            glColor4f(color.r, color.g, color.b, color.a);
            glTexCoord2f(us[k], vs[k]);
            glVertex3f(x[k], y[k], 0.0f);
        }
    }
    glEnd();
    glFinish();
}

void BM_Particles(benchmark::State& state) {
    Scene* scene = MakeScene();
    if (!scene) return state.SkipWithError("no scene");
    bench::CompareWithPlain(
        state, [scene] { EngineParticles(*scene); }, [scene] { PlainParticles(*scene); });
    state.SetItemsProcessed(state.iterations() * kParticles);
}
BENCHMARK(BM_Particles)->Unit(benchmark::kMicrosecond);

// --- Text layout -----------------------------------------------------------------------------------

__attribute__((noinline)) void EngineText(Scene& scene) {
    core::ptr<render::IFont::RenderedText> text = scene.font->RenderText(kText, 0, kStartColor);
    benchmark::DoNotOptimize(text->size);
}

float RoundHalfDown(float value) {
    const float whole = std::floor(value);
    return value - whole > 0.5f ? whole + 1.0f : whole;
}

__attribute__((noinline)) void PlainText(Scene& scene) {
    const std::string text(kText);
    std::vector<Vertex> vertices(text.size() * 6);
    const int corners[6] = {0, 1, 2, 0, 2, 3};
    float pen = 0.0f;
    float tallest = 0.0f;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char code = static_cast<unsigned char>(text[i]);
        const Glyph& glyph = scene.glyphs[code];
        math::Rect quad = glyph.quad;
        quad.Move(pen, 0.0f);
        if (i > 0) quad.Move(scene.kerning[static_cast<unsigned char>(text[i - 1]) * 256 + code], 0.0f);
        const float xs[2] = {RoundHalfDown(quad.left) - 0.5f, RoundHalfDown(quad.right) - 0.5f};
        const float ys[2] = {RoundHalfDown(quad.top) - 0.5f, RoundHalfDown(quad.bottom) - 0.5f};
        const float cx[4] = {xs[0], xs[1], xs[1], xs[0]};
        const float cy[4] = {ys[0], ys[0], ys[1], ys[1]};
        const float cu[4] = {glyph.uv.left, glyph.uv.right, glyph.uv.right, glyph.uv.left};
        const float cv[4] = {glyph.uv.top, glyph.uv.top, glyph.uv.bottom, glyph.uv.bottom};
        for (int v = 0; v < 6; ++v) {
            const int k = corners[v];
            vertices[i * 6 + v] = Vertex{cx[k], cy[k], kTextDepth, cu[k], cv[k], kStartColor};
        }
        pen += glyph.step;
        tallest = std::max(tallest, quad.bottom - quad.top);
    }
    benchmark::DoNotOptimize(vertices.data());
    benchmark::DoNotOptimize(pen + tallest);
}

void BM_TextLayout(benchmark::State& state) {
    Scene* scene = MakeScene();
    if (!scene) return state.SkipWithError("no scene");
    bench::CompareWithPlain(
        state, [scene] { EngineText(*scene); }, [scene] { PlainText(*scene); });
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(sizeof kText - 1));
}
BENCHMARK(BM_TextLayout)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
