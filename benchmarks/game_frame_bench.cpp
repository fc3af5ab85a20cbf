// One frame of the game screen (the root window's update and draw with the game window on its first
// level, from the committed data tree and the pictures tools/make_data.py draws) against raw immediate-mode
// GL drawing as many textured quads as that frame draws, alternately in the same run. The window is 64
// by 64 pixels so that rasterising does not hide the game's own cost. Reports engine_us, plain_us,
// engine/plain (target at most 1.5) and startup_ms, the time from loading the screen to its first drawn
// frame. Needs DISPLAY.
#include <GL/gl.h>
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Seaquell/board.h"
#include "Seaquell/game.h"
#include "benchmarks/frame_compare.h"
#include "support/fake_script_engine.h"
#include "support/still_mouse.h"
#include "vantle/core/log.h"
#include "vantle/effects/effects/register.h"
#include "vantle/game/levelset.h"
#include "vantle/game/users.h"
#include "vantle/gui/root_window.h"
#include "vantle/gui/widgets/register_widgets.h"
#include "vantle/io/loader.h"
#include "vantle/platform/sdl/platform_sdl.h"
#include "vantle/render/ogl/render_ogl.h"
#include "vantle/render/render.h"
#include "vantle/render/texture_cache.h"
#include "vantle/script/engine.h"
#include "vantle/utils/timer.h"

namespace {

const int kViewport = 64;
const int kPictureSide = 32;

class SilentWriter : public core::Log::Writer {
public:
    void Write(const std::string&) override {}
    void Write(const char*) override {}
};

struct Scene {
    render::RenderOGL* renderer = nullptr;
    cm::Game* game = nullptr;
    GLuint texture = 0;
    size_t quads = 0;
    double startup_ms = 0;
};

// A run folder as the play command assembles it, in a fresh temporary folder that becomes the working
// directory and the home.
bool EnterRunFolder() {
    char folder[] = "/tmp/game_frame_bench_XXXXXX";
    if (!mkdtemp(folder) || chdir(folder) != 0) return false;
    setenv("HOME", folder, 1);
    const std::string command = "cp -R '" SEAQUELL_SOURCE_DIR "/data' . && python3 '" SEAQUELL_SOURCE_DIR
                                "/tools/make_data.py' . >/dev/null";
    return std::system(command.c_str()) == 0;
}

GLuint PlainTexture() {
    std::vector<unsigned char> pixels(kPictureSide * kPictureSide * 4, 200);
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kPictureSide, kPictureSide, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 pixels.data());
    return id;
}

// The quads one frame of the screen draws: the background picture, every layer of every existing cell
// that shows, the frame ring around the board, the balls and the captions' letters.
size_t QuadsOf(const cm::Game& game) {
    const cm::Board& board = game.board;
    size_t quads = 1;
    for (int x = 0; x < board.balls.width; ++x) {
        for (int y = 0; y < board.balls.height; ++y) {
            if (!board.back_board.Get(x, y).exists) continue;
            quads += 1 + (board.back_board.Get(x, y).plate ? 2 : 0) + (board.balls.Get(x, y) ? 1 : 0);
        }
    }
    const size_t frame_ring = 2 * (board.balls.width + board.balls.height) + 4;
    const size_t caption_letters = 5 + 5 + 3 + 2;
    return quads + frame_ring + caption_letters;
}

Scene* MakeScene() {
    static Scene* scene = nullptr;
    if (scene) return scene;
    if (!EnterRunFolder()) {
        std::fprintf(stderr, "no run folder\n");
        return nullptr;
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0 ||
        !platform::PlatformSDL::SetOpenGLVideoMode(kViewport, kViewport, 32, false)) {
        std::fprintf(stderr, "no OpenGL window: %s\n", SDL_GetError());
        return nullptr;
    }
    core::Log::instance()->SetWriter(new SilentWriter);
    platform::Platform::instance()->SetImplementation(new platform::PlatformSDL);
    scene = new Scene;
    scene->renderer = new render::RenderOGL();
    render::Render::instance()->SetImplementation(scene->renderer);
    scene->renderer->Init(kViewport, kViewport, 32, false);
    scene->renderer->SetOrtho(800.0f, 600.0f);
    glViewport(0, 0, kViewport, kViewport);
    script::Engine::instance()->SetImplementation(new test::FakeScriptEngine);
    test::StillMouse::Install(math::Vector2(700, 20));
    gui::RegisterWidgets();
    effects::RegisterEffects();
    cm::Game::Register();
    game::Users::SetFilename("users.dat");
    game::LevelSet::instance()->Load("data/levels.xml");

    const auto start = std::chrono::steady_clock::now();
    cm::Board::Preload();
    gui::RootWindow::instance()->Load("data/gui/game.xml", true);
    utils::Timer::instance()->Update();
    gui::RootWindow::instance()->Update();
    gui::RootWindow::instance()->Render();
    glFinish();
    scene->startup_ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

    scene->game = dynamic_cast<cm::Game*>(gui::RootWindow::instance()->GetChild("board").get());
    if (!scene->game) return nullptr;
    // Play until the board stands full, as a player sees it most of the time.
    for (int i = 0; i < 400; ++i) {
        SDL_Delay(5);
        utils::Timer::instance()->Update();
        gui::RootWindow::instance()->Update();
    }
    scene->texture = PlainTexture();
    scene->quads = QuadsOf(*scene->game);
    return scene;
}

__attribute__((noinline)) void GameFrame() {
    utils::Timer::instance()->Update();
    gui::RootWindow::instance()->Update();
    gui::RootWindow::instance()->Render();
    glFinish();
}

__attribute__((noinline)) void PlainFrame(const Scene& scene) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, scene.texture);
    const float cell = 32.0f;
    for (size_t i = 0; i < scene.quads; ++i) {
        const float x = static_cast<float>(i % 25) * cell, y = static_cast<float>(i / 25 % 18) * cell;
        glBegin(GL_QUADS);
        glColor4f(1, 1, 1, 1);
        glTexCoord2f(0, 0);
        glVertex2f(x, y);
        glTexCoord2f(1, 0);
        glVertex2f(x + cell, y);
        glTexCoord2f(1, 1);
        glVertex2f(x + cell, y + cell);
        glTexCoord2f(0, 1);
        glVertex2f(x, y + cell);
        glEnd();
    }
    glFinish();
}

void BM_GameFrame(benchmark::State& state) {
    Scene* scene = MakeScene();
    if (!scene) return state.SkipWithError("no scene");
    bench::CompareWithPlain(
        state, [] { GameFrame(); }, [scene] { PlainFrame(*scene); });
    state.counters["quads"] = static_cast<double>(scene->quads);
    state.counters["startup_ms"] = scene->startup_ms;
}
BENCHMARK(BM_GameFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
