// The match board's own per-frame and per-click costs against plain code in the same run:
// - one frame (update and draw) of a full 22 by 16 board through the renderer, beside the same number of
//   textured quads drawn straight through the renderer;
// - one click that removes a group of 20 balls, with the falling that follows until the board is still,
//   beside a plain flood fill of the same board.
// GL calls go to null_gl.cpp, so no display is needed and rasterising stays out of the ratio. Each pair
// reports engine_us, plain_us and engine/plain.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <tinyxml.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Seaquell/board.h"
#include "Seaquell/ghost.h"
#include "benchmarks/frame_compare.h"
#include "support/png_writer.h"
#include "vantle/core/log.h"
#include "vantle/game/sprite.h"
#include "vantle/platform/platform.h"
#include "vantle/render/ogl/render_ogl.h"
#include "vantle/render/render.h"
#include "vantle/render/texture_cache.h"
#include "vantle/utils/config.h"
#include "vantle/utils/timer.h"

namespace {

const int kColumns = 22;
const int kRows = 16;
const float kCell = 32.0f;
const unsigned int kFrameTime = 17;
const unsigned int kStepTime = 51;
// The clicked group: a block of 5 by 4 balls of colour 1 at the bottom left.
const int kGroupWidth = 5;
const int kGroupHeight = 4;

// A clock that moves only when told to.
class BenchPlatform : public platform::IPlatform {
public:
    void Sleep(unsigned int milliseconds) override { ticks += milliseconds; }
    bool WindowCreate(unsigned int, unsigned int, unsigned int, bool, const std::string&) override {
        return true;
    }
    void SetFullscreen(bool) override {}
    void WindowClose() override {}
    void Run(platform::Application*) override {}
    std::string GetDir(SystemDirs, const std::string& name) override { return "./" + name; }
    void SetIcon(const std::string&) override {}
    void SetTitle(const std::string&) override {}
    void ShowSystemCursor(bool) override {}
    void SetWallpaper(const std::string&, WallpaperMode) override {}
    unsigned int GetTicks() override { return ticks; }

    unsigned int ticks = 1000;
};

class SilentWriter : public core::Log::Writer {
public:
    void Write(const std::string&) override {}
    void Write(const char*) override {}
};

struct Scene {
    BenchPlatform* platform = nullptr;
    std::unique_ptr<render::RenderOGL> renderer;
    core::ptr<game::Sprite> sprite;
    render::Tile tile;
};

void Advance(Scene& scene, unsigned int milliseconds) {
    scene.platform->ticks += milliseconds;
    utils::Timer::instance()->Update();
}

// A working directory of its own holding one 32 by 32 ball picture and a sprite drawing it.
Scene* MakeScene() {
    static Scene* scene = nullptr;
    if (scene) return scene;
    char folder[] = "/tmp/board_bench_XXXXXX";
    if (!mkdtemp(folder) || chdir(folder) != 0) return nullptr;
    core::Log::instance()->SetWriter(new SilentWriter);
    scene = new Scene;
    scene->platform = new BenchPlatform;
    platform::Platform::instance()->SetImplementation(scene->platform);
    scene->renderer.reset(new render::RenderOGL());
    render::Render::instance()->SetImplementation(scene->renderer.get());
    scene->renderer->Init(800, 600, 32, false);
    const unsigned int side = static_cast<unsigned int>(kCell);
    test::WriteFile("ball.png", test::EncodePng(side, side, std::vector<std::uint8_t>(side * side * 4, 200)));
    TiXmlDocument document;
    document.Parse(
        "<sprite w='32' h='32'><animation name='default' default='1'>"
        "<frame texture='ball.png'/></animation></sprite>");
    scene->sprite = core::ptr<game::Sprite>(new game::Sprite(document.RootElement()));
    scene->tile = render::Tile(render::TextureCache::instance()->Get("ball.png"), math::Rect(0, 0, 1, 1),
                               render::Color(1, 1, 1, 1));
    utils::Config::instance()->Set("fall_delay", core::Value(0u));
    return scene;
}

// No two neighbours alike outside the group, so only the group can be clicked.
unsigned int ColorAt(int x, int y) {
    if (x < kGroupWidth && y >= kRows - kGroupHeight) return 1;
    return 2 + static_cast<unsigned int>(x + 2 * y) % 4;
}

// A full board on a level whose every cell exists, without emitters or plates.
std::unique_ptr<cm::Board> MakeBoard(Scene& scene) {
    auto board = std::make_unique<cm::Board>(kColumns, kRows);
    board->cell_width = board->cell_height = kCell;
    TiXmlDocument document;
    document.Parse("<level><options><option name='time_limit' value='100000'/></options></level>");
    board->LoadLevel(
        core::ptr<game::LevelSet::Level>(new game::LevelSet::Level(document.RootElement(), nullptr)));
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) {
            const core::ptr<cm::Ball> ball(new cm::Ball(core::ptr<game::Sprite>(scene.sprite->Clone()),
                                                        math::Vector2(kCell, kCell), ColorAt(x, y)));
            ball->MoveTo(x, y);
            ball->target_col = x;
            ball->target_row = y;
            board->balls.Set(x, y, ball);
        }
    }
    return board;
}

bool Still(const cm::Board& board) {
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) {
            const core::ptr<cm::Ball>& ball = board.balls.Get(x, y);
            if (!ball) continue;
            if (ball->GetColor() == cm::Ghost::kColor || ball->target_col != x || ball->target_row != y)
                return false;
        }
    }
    return true;
}

// The size of the group at (x, y), with an explicit stack, as a hand-written game would find it.
unsigned int PlainFloodFill(const std::vector<unsigned int>& colors, int x, int y) {
    std::vector<bool> seen(colors.size());
    std::vector<int> stack{x + y * kColumns};
    const unsigned int color = colors[static_cast<size_t>(stack.back())];
    unsigned int count = 0;
    while (!stack.empty()) {
        const int cell = stack.back();
        stack.pop_back();
        if (seen[static_cast<size_t>(cell)] || colors[static_cast<size_t>(cell)] != color) continue;
        seen[static_cast<size_t>(cell)] = true;
        ++count;
        const int cx = cell % kColumns, cy = cell / kColumns;
        if (cx + 1 < kColumns) stack.push_back(cell + 1);
        if (cx > 0) stack.push_back(cell - 1);
        if (cy + 1 < kRows) stack.push_back(cell + kColumns);
        if (cy > 0) stack.push_back(cell - kColumns);
    }
    return count;
}

void BM_BoardFrame(benchmark::State& state) {
    Scene* scene = MakeScene();
    if (!scene) return state.SkipWithError("no working folder");
    std::unique_ptr<cm::Board> board = MakeBoard(*scene);
    render::IRender* renderer = scene->renderer.get();
    std::vector<math::Rect> places;
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < kColumns; ++x)
            places.emplace_back(x * kCell, y * kCell, (x + 1) * kCell, (y + 1) * kCell);
    }
    bench::CompareWithPlain(
        state,
        [&] {
            Advance(*scene, kFrameTime);
            board->Update();
            board->Render();
        },
        [&] {
            for (const math::Rect& place : places) renderer->DrawRect(place, scene->tile);
        });
}
BENCHMARK(BM_BoardFrame)->Unit(benchmark::kMicrosecond);

// Each round builds a fresh board untimed, then times the click with its falling and the flood fill.
void BM_ClickGroup(benchmark::State& state) {
    Scene* scene = MakeScene();
    if (!scene) return state.SkipWithError("no working folder");
    std::vector<unsigned int> colors;
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < kColumns; ++x) colors.push_back(ColorAt(x, y));
    }
    const math::Vector2 point(kCell / 2, (kRows - 1) * kCell + kCell / 2);
    using Clock = std::chrono::steady_clock;
    std::chrono::duration<double> engine_time{0}, plain_time{0};
    unsigned int removed = 0, filled = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<cm::Board> board = MakeBoard(*scene);
        board->MouseMove(point);
        state.ResumeTiming();
        const Clock::time_point start = Clock::now();
        board->Click(point);
        removed = board->score / 10;
        do {
            Advance(*scene, kStepTime);
            board->Update();
        } while (!Still(*board));
        const Clock::time_point middle = Clock::now();
        filled = PlainFloodFill(colors, 0, kRows - 1);
        benchmark::DoNotOptimize(filled);
        plain_time += Clock::now() - middle;
        engine_time += middle - start;
        state.PauseTiming();
        board.reset();
        state.ResumeTiming();
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["removed"] = removed;
    state.counters["engine_us"] = engine_time.count() * 1e6 / runs;
    state.counters["plain_us"] = plain_time.count() * 1e6 / runs;
    state.counters["engine/plain"] = plain_time.count() > 0 ? engine_time.count() / plain_time.count() : 0;
}
BENCHMARK(BM_ClickGroup)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
