// One frame of a screen of 200 windows (containers holding buttons, texts and images), updated and
// drawn through the root window, against the same rectangles and texts drawn straight through the
// renderer in the same run. Both run through the recording renderer (no GL at all) and through the GL
// renderer in a small viewport, so that rasterising does not hide the GUI's own cost. Each pair reports
// engine_us, plain_us and engine/plain. The GL pair needs an X display (DISPLAY).
#include <GL/gl.h>
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <tinyxml.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "benchmarks/frame_compare.h"
#include "support/png_writer.h"
#include "support/recording_render.h"
#include "vantle/gui/root_window.h"
#include "vantle/gui/window_factory.h"
#include "vantle/io/file.h"
#include "vantle/io/loader.h"
#include "vantle/platform/sdl/platform_sdl.h"
#include "vantle/render/bitmap.h"
#include "vantle/render/font_bmf.h"
#include "vantle/render/ogl/render_ogl.h"
#include "vantle/render/scopes.h"
#include "vantle/render/texture_cache.h"
#include "vantle/xml/attributes.h"

namespace {

const int kRows = 5;
const int kColumns = 4;
const float kBoxWidth = 200.0f;
const float kBoxHeight = 120.0f;
// Each container holds a 3 by 3 grid of a button, a text and an image per row: 20 + 180 windows.
const int kCells = 3;
const float kCellWidth = 60.0f;
const float kCellHeight = 36.0f;
const int kTextures = 8;
const int kViewport = 64;
const unsigned int kFirstGlyph = 32;
const unsigned int kLastGlyph = 126;
const unsigned int kGlyphCell = 16;
const unsigned int kFontPage = 256;
const render::Color kTextColor(1.0f, 1.0f, 0.8f, 1.0f);

struct Scene {
    render::Render::Implementation* renderer = nullptr;
    test::RecordingRender* recording = nullptr;  // null for GL
    core::ptr<render::IFont> font;
    std::vector<render::Tile> tiles;
    std::unique_ptr<gui::RootWindow> root;
    // The plain frame's work in the order the screen draws it, in screen units: a tile over its place, or
    // a text at the place's corner.
    struct Item {
        math::Rect place;
        const render::Tile* tile;
        core::ptr<render::IFont::RenderedText> text;
    };
    std::vector<Item> items;
};

// The scene whose windows are being built.
Scene* building = nullptr;

// A button or an image: its tile over its rect.
class TileWindow : public gui::Window {
public:
    TileWindow(TiXmlElement* e, bool clickable)
        : gui::Window(e), _tile(building->tiles[xml::ReadUnsigned(e, "tile", 0) % kTextures]) {
        enabled = clickable;
    }

    void Render() override {
        const RenderScope drawn(*this);
        if (drawn) render::Renderer().DrawRect(rect, _tile);
    }

private:
    render::Tile _tile;
};

// A label laid out once and drawn at its rect's corner.
class TextWindow : public gui::Window {
public:
    explicit TextWindow(TiXmlElement* e)
        : gui::Window(e), _text(building->font->RenderText(xml::ReadText(e, "text"), 0, kTextColor)) {}

    void Render() override {
        const RenderScope drawn(*this);
        if (!drawn) return;
        render::IRender& renderer = render::Renderer();
        const render::WorldMatrixScope at(renderer, math::Translation(rect.TopLeft()));
        renderer.DrawVertexBuffer(_text->vertices, _text->texture.get());
    }

private:
    core::ptr<render::IFont::RenderedText> _text;
};

void RegisterKinds() {
    gui::Container::Register();
    gui::WindowFactory* factory = gui::WindowFactory::instance();
    factory->Register("button", [](TiXmlElement* e) -> gui::Window* { return new TileWindow(e, true); });
    factory->Register("image", [](TiXmlElement* e) -> gui::Window* { return new TileWindow(e, false); });
    factory->Register("text", [](TiXmlElement* e) -> gui::Window* { return new TextWindow(e); });
}

std::string Attributes(const math::Rect& r) {
    char text[128];
    std::snprintf(text, sizeof text, "x='%g' y='%g' w='%g' h='%g'", r.left, r.top, r.Width(), r.Height());
    return text;
}

std::string Label(int n) {
    return "Level " + std::to_string(n);
}

// The screen file, and the same draws for the plain frame.
std::string MakeScreen(Scene& scene) {
    std::string xml = "<gui>";
    int n = 0;
    for (int box = 0; box < kRows * kColumns; ++box) {
        const math::Vector2 corner(box % kColumns * kBoxWidth, box / kColumns * kBoxHeight);
        xml += "<container " +
               Attributes(math::Rect(corner.x, corner.y, corner.x + kBoxWidth, corner.y + kBoxHeight)) + ">";
        for (int cell = 0; cell < kCells * kCells; ++cell, ++n) {
            const math::Rect place(cell % kCells * kCellWidth, cell / kCells * kCellHeight,
                                   (cell % kCells + 1) * kCellWidth, (cell / kCells + 1) * kCellHeight);
            math::Rect absolute = place;
            absolute.Move(corner.x, corner.y);
            const char* kind = cell % kCells == 0 ? "button" : cell % kCells == 1 ? "text" : "image";
            xml += std::string("<") + kind + " " + Attributes(place) + " tile='" + std::to_string(n) +
                   "' text='" + Label(n) + "'/>";
            if (cell % kCells == 1) {
                scene.items.push_back({absolute, nullptr, scene.font->RenderText(Label(n), 0, kTextColor)});
            } else {
                scene.items.push_back({absolute, &scene.tiles[n % kTextures], nullptr});
            }
        }
        xml += "</container>";
    }
    return xml + "</gui>";
}

std::string FontXml() {
    std::string xml = "<font filename=\"glyphs.png\" size=\"256\">\n";
    for (unsigned int code = kFirstGlyph; code <= kLastGlyph; ++code) {
        const unsigned int cell = code - kFirstGlyph;
        char line[160];
        std::snprintf(line, sizeof line,
                      "<char id=\"%u\" x=\"%u\" y=\"%u\" w=\"7\" h=\"14\" xadvance=\"8\"/>\n", code,
                      cell % 16 * kGlyphCell, cell / 16 * kGlyphCell);
        xml += line;
    }
    return xml + "</font>\n";
}

// Textures, font, screen file and the root window that loads it, on the renderer given.
void Build(Scene& scene, const std::string& folder) {
    render::Render::instance()->SetImplementation(scene.renderer);
    // The cache may hold the other renderer's textures of the same names.
    render::TextureCache::instance()->Clear();
    for (int t = 0; t < kTextures; ++t) {
        render::Bitmap bitmap(34, 34);
        bitmap.fill(render::Color(t / 8.0f, 1.0f - t / 8.0f, 0.5f, 1.0f));
        scene.tiles.emplace_back(core::ptr<render::ITexture>(scene.renderer->LoadTexture(bitmap)));
    }
    scene.font = core::ptr<render::IFont>(
        new render::FontBMF(core::ptr<io::IStream>(new io::File(folder + "/font.xml", io::File::kRead))));
    building = &scene;
    std::ofstream(folder + "/screen.xml") << MakeScreen(scene);
    scene.root.reset(new gui::RootWindow());
    scene.root->Load("screen.xml", true);
    building = nullptr;
}

std::string MakeFolder() {
    char folder[] = "/tmp/vantle_gui_bench_XXXXXX";
    if (!mkdtemp(folder)) return std::string();
    test::WriteFile(
        std::string(folder) + "/glyphs.png",
        test::EncodePng(kFontPage, kFontPage, std::vector<std::uint8_t>(kFontPage * kFontPage * 4, 255)));
    std::ofstream(std::string(folder) + "/font.xml") << FontXml();
    io::Loader::instance()->AddSource(
        core::ptr<io::Loader::Source>(new io::FileSystemSource(std::string(folder) + "/")));
    RegisterKinds();
    return folder;
}

const std::string& Folder() {
    static const std::string folder = MakeFolder();
    return folder;
}

Scene* RecordingScene() {
    static Scene* scene = nullptr;
    if (scene || Folder().empty()) return scene;
    scene = new Scene;
    scene->recording = new test::RecordingRender();
    scene->renderer = scene->recording;
    Build(*scene, Folder());
    return scene;
}

Scene* GLScene() {
    static Scene* scene = nullptr;
    if (scene || Folder().empty()) return scene;
    if (SDL_Init(SDL_INIT_VIDEO) != 0 ||
        !platform::PlatformSDL::SetOpenGLVideoMode(kViewport, kViewport, 32, false)) {
        std::fprintf(stderr, "no OpenGL window: %s\n", SDL_GetError());
        return nullptr;
    }
    scene = new Scene;
    render::RenderOGL* gl = new render::RenderOGL();
    scene->renderer = gl;
    gl->Init(kViewport, kViewport, 32, false);
    gl->SetOrtho(800.0f, 600.0f);
    glViewport(0, 0, kViewport, kViewport);
    Build(*scene, Folder());
    return scene;
}

void EndFrame(Scene& scene) {
    if (scene.recording) {
        scene.recording->ClearRecord();
    } else {
        glFinish();
    }
}

__attribute__((noinline)) void GuiFrame(Scene& scene) {
    scene.root->Update();
    scene.root->Render();
    EndFrame(scene);
}

__attribute__((noinline)) void PlainFrame(Scene& scene) {
    render::IRender& renderer = render::Renderer();
    for (const Scene::Item& item : scene.items) {
        if (item.tile) {
            renderer.DrawRect(item.place, *item.tile);
            continue;
        }
        const render::WorldMatrixScope at(renderer, math::Translation(item.place.TopLeft()));
        renderer.DrawVertexBuffer(item.text->vertices, item.text->texture.get());
    }
    EndFrame(scene);
}

void Compare(benchmark::State& state, Scene* scene) {
    if (!scene) return state.SkipWithError("no scene");
    render::Render::instance()->SetImplementation(scene->renderer);
    gui::RootServices::SetImplementation(scene->root.get());
    bench::CompareWithPlain(
        state, [scene] { GuiFrame(*scene); }, [scene] { PlainFrame(*scene); });
}

void BM_GuiFrameRecording(benchmark::State& state) {
    Compare(state, RecordingScene());
}
BENCHMARK(BM_GuiFrameRecording)->Unit(benchmark::kMicrosecond);

void BM_GuiFrameGL(benchmark::State& state) {
    Compare(state, GLScene());
}
BENCHMARK(BM_GuiFrameGL)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
