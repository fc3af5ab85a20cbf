#include "game_session.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <set>

#include "support/png_writer.h"
#include "vantle/core/log.h"
#include "vantle/effects/effect_manager.h"
#include "vantle/gui/root_window.h"
#include "vantle/platform/platform.h"
#include "vantle/platform/sdl/platform_sdl.h"
#include "vantle/render/render.h"
#include "vantle/script/ruby/engine_ruby.h"

namespace test {

namespace {

// Enough frames for any wait here at the game's frame limit, even under the sanitizers.
const int kPatience = 3000;
const int kColourGridStep = 97;

}  // namespace

void GameSession::Assemble(const TempDir& run, const std::string& settings) {
    const std::string command = "cp -R '" SEAQUELL_SOURCE_DIR "/data' '" + run.Path() + "/' && python3 '" +
                                SEAQUELL_SOURCE_DIR "/tools/make_data.py' '" + run.Path() + "' >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    run.Write("home/.Moravane/log.txt", "");
    run.Write("home/.Moravane/config.cfg", settings);
    setenv("HOME", run.File("home").c_str(), 1);
}

bool GameSession::Start(const TempDir& run) {
    cwd = std::make_unique<WorkingDirectory>(run.Path());
    auto sdl = std::make_unique<platform::PlatformSDL>();
    if (platform::Platform::instance()->SetImplementation(sdl.get())) sdl.release();
    ZEDoz::Backends backends = ZEDoz::GameBackends();
    backends.mouse = [this] { return mouse = new FakeMouse; };
    backends.keyboard = [this] { return keyboard = new FakeKeyboard; };
    // The application lives as long as the process, as the singletons it installs into do.
    static ZEDoz game(backends);
    app = &game;
    core::Log::instance()->SetWriter(CreateLogWriter(core::CommandLine(), run.File("home/.Moravane")));
    app->Init();
    return app->IsRunning() && mouse && keyboard;
}

void GameSession::Exit() {
    app->Exit();
    core::Log::instance()->SetWriter(nullptr);
    cwd.reset();
}

void GameSession::Frame() {
    app->Loop();
    if (watch) watch();
}

bool GameSession::RunUntil(const std::function<bool()>& condition) {
    for (int i = 0; i < kPatience; ++i) {
        if (condition()) return true;
        Frame();
    }
    return condition();
}

void GameSession::Click(const math::Vector2& point) {
    mouse->SetPosition(static_cast<int>(point.x), static_cast<int>(point.y));
    Frame();
    mouse->buttons[0] = 1;
    Frame();
    mouse->buttons[0] = 0;
    Frame();
}

void GameSession::ClickWindow(const std::string& path) {
    gui::Window* window = Find(path);
    ASSERT_TRUE(window) << path;
    const math::Rect rect = window->GetAbsRect();
    Click(math::Vector2((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
}

void GameSession::Press(int key) {
    keyboard->keys[key] = 1;
    Frame();
    keyboard->keys[key] = 0;
    Frame();
}

void GameSession::Type(const std::string& text) {
    keyboard->typed += text;
    Frame();
}

gui::Window* GameSession::Find(const std::string& path) {
    return gui::RootWindow::instance()->GetChild(path).get();
}

bool GameSession::Shown(const std::string& path) {
    gui::Window* window = Find(path);
    return window && window->IsVisible();
}

std::vector<std::uint8_t> GameSession::Screen(const std::string& png) {
    render::Render::Implementation* renderer = render::Render::instance()->GetImplementation();
    renderer->BeginScene();
    gui::RootWindow::instance()->Render();
    effects::EffectManager::instance()->Render();
    std::vector<std::uint8_t> pixels(kWidth * kHeight * 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    renderer->EndScene();
    std::vector<std::uint8_t> rows(pixels.size());
    for (int y = 0; y < kHeight; ++y)
        std::copy_n(&pixels[(kHeight - 1 - y) * kWidth * 4], kWidth * 4, &rows[y * kWidth * 4]);
    WriteFile(png, EncodePng(kWidth, kHeight, rows));
    return rows;
}

size_t GameSession::ColoursShown(const std::vector<std::uint8_t>& rows) {
    std::set<std::uint32_t> colours;
    for (int i = 0; i < kWidth * kHeight; i += kColourGridStep)
        colours.insert(rows[i * 4] << 16 | rows[i * 4 + 1] << 8 | rows[i * 4 + 2]);
    return colours.size();
}

bool GameSession::AnyPixel(const std::vector<std::uint8_t>& rows, const math::Rect& area,
                           const std::function<bool(int r, int g, int b)>& test) {
    for (int y = std::max(0, int(area.top)); y < std::min(kHeight, int(area.bottom)); ++y) {
        for (int x = std::max(0, int(area.left)); x < std::min(kWidth, int(area.right)); ++x) {
            const std::uint8_t* p = &rows[(y * kWidth + x) * 4];
            if (test(p[0], p[1], p[2])) return true;
        }
    }
    return false;
}

}  // namespace test

int main(int argc, char** argv) {
    // The interpreter's collector scans the stack from here down.
    void* stack_base = nullptr;
    script::EngineRuby::MarkStackBase(&stack_base);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
