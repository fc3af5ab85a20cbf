// One frame of 1,000 textured tiles, drawn through the renderer facade and again with plain
// immediate-mode GL calls, so that the engine's overhead shows as the ratio of the two times.
#include <GL/gl.h>
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "vantle/platform/sdl/platform_sdl.h"
#include "vantle/render/bitmap.h"
#include "vantle/render/ogl/base_texture_ogl.h"
#include "vantle/render/ogl/render_ogl.h"
#include "vantle/render/render.h"
#include "vantle/render/tile.h"

namespace {

const int kWidth = 800;
const int kHeight = 600;
const int kTiles = 1000;
const int kColumns = 40;
const float kTileSize = 20.0f;
const int kTextures = 8;

struct Scene {
    std::unique_ptr<render::RenderOGL> renderer;
    std::vector<render::Tile> tiles;
    std::vector<math::Rect> places;
    unsigned int page = 0;
};

// The window the game opens, with the same buffers.
bool OpenWindow() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
    return platform::PlatformSDL::SetOpenGLVideoMode(kWidth, kHeight, 32, false);
}

// Eight small textures on one page, as a screen's tiles usually share a page; each tile shows one of
// them in its own colour at its own place on a 40-column grid.
Scene* MakeScene() {
    static Scene* scene = nullptr;
    if (scene) return scene;
    if (!OpenWindow()) {
        std::fprintf(stderr, "no OpenGL window: %s\n", SDL_GetError());
        return nullptr;
    }
    scene = new Scene;
    scene->renderer.reset(new render::RenderOGL());
    render::Render::instance()->SetImplementation(scene->renderer.get());
    scene->renderer->Init(kWidth, kHeight, 32, false);
    scene->renderer->SetOrtho(static_cast<float>(kWidth), static_cast<float>(kHeight));
    std::vector<core::ptr<render::ITexture>> textures;
    for (int t = 0; t < kTextures; ++t) {
        render::Bitmap bitmap(34, 34);
        bitmap.fill(render::Color(t / 8.0f, 1.0f - t / 8.0f, 0.5f, 1.0f));
        textures.emplace_back(scene->renderer->LoadTexture(bitmap));
    }
    for (int i = 0; i < kTiles; ++i) {
        const float x = static_cast<float>(i % kColumns) * kTileSize;
        const float y = static_cast<float>(i / kColumns) * kTileSize;
        scene->places.emplace_back(x, y, x + kTileSize, y + kTileSize);
        const render::Color tint(1.0f, 1.0f - (i % 7) / 14.0f, 1.0f, 1.0f);
        scene->tiles.emplace_back(textures[i % kTextures], math::Rect(0, 0, 1, 1), tint);
    }
    scene->page = scene->renderer->GetPages()[0]->GetHandle();
    return scene;
}

void FinishFrame() {
    glFinish();
}

void BM_TilesThroughRenderer(benchmark::State& state) {
    Scene* scene = MakeScene();
    if (!scene) {
        state.SkipWithError("no OpenGL window");
        return;
    }
    for (auto _ : state) {
        render::IRender* renderer = render::Render::instance()->GetImplementation();
        renderer->BeginScene();
        for (int i = 0; i < kTiles; ++i) renderer->DrawRect(scene->places[i], scene->tiles[i]);
        FinishFrame();
    }
    state.SetItemsProcessed(state.iterations() * kTiles);
}
BENCHMARK(BM_TilesThroughRenderer)->Unit(benchmark::kMicrosecond);

// The same frame as a hand-written immediate-mode program would draw it: state set once, then per tile
// its colour and one quad with the same coordinates the renderer sends.
void BM_TilesPlainGL(benchmark::State& state) {
    Scene* scene = MakeScene();
    if (!scene) {
        state.SkipWithError("no OpenGL window");
        return;
    }
    std::vector<math::Rect> uvs;
    for (const render::Tile& tile : scene->tiles) uvs.push_back(tile.GetTexture()->get_abs_trect(tile.rect));
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, scene->page);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        for (int i = 0; i < kTiles; ++i) {
            const math::Rect& r = scene->places[i];
            const math::Rect& uv = uvs[i];
            const render::Color& c = scene->tiles[i].color;
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
        FinishFrame();
    }
    state.SetItemsProcessed(state.iterations() * kTiles);
}
BENCHMARK(BM_TilesPlainGL)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
