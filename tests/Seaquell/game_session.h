#pragma once

// The whole game in this process on its real back ends (SDL window, OpenGL, Ruby, SDL audio on the dummy
// driver), in a run folder assembled as the play command does, with a scripted mouse and keyboard.
// Windows are found by id. Needs DISPLAY; one game per process.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Seaquell/zeph.h"
#include "support/fake_input.h"
#include "support/temp_dir.h"
#include "vantle/gui/window.h"
#include "vantle/math/rect.h"
#include "vantle/math/vec2.h"

namespace test {

class GameSession {
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    // Copies the data tree into the run folder, draws its pictures, and gives the player an empty log and
    // the settings under "home/.Moravane"; HOME points there.
    static void Assemble(const TempDir& run, const std::string& settings);

    // Starts the game in the run folder, its log going to the home's "log.txt". False without a game.
    bool Start(const TempDir& run);
    void Exit();
    bool IsRunning() const { return app && app->IsRunning(); }

    // One frame of the game's loop, then the watcher.
    void Frame();
    // Frames until the condition holds; false when patience runs out.
    bool RunUntil(const std::function<bool()>& condition);
    // Called after every frame, e.g. to catch what a single frame shows.
    std::function<void()> watch;

    // A left click at a screen point: press over one frame, release over the next.
    void Click(const math::Vector2& point);
    void ClickWindow(const std::string& path);
    // A key pressed over one frame and released over the next.
    void Press(int key);
    // Characters typed during one frame.
    void Type(const std::string& text);

    static gui::Window* Find(const std::string& path);
    static bool Shown(const std::string& path);

    // A frame drawn as the loop draws it and read before the buffers swap, as RGBA rows from the top; the
    // picture is kept at the path for a look.
    static std::vector<std::uint8_t> Screen(const std::string& png);
    // How many colours the screen shows, counted on a coarse grid.
    static size_t ColoursShown(const std::vector<std::uint8_t>& rows);
    // Whether any pixel of the screen's rectangle passes the test.
    static bool AnyPixel(const std::vector<std::uint8_t>& rows, const math::Rect& area,
                         const std::function<bool(int r, int g, int b)>& test);

private:
    ZEDoz* app = nullptr;
    FakeMouse* mouse = nullptr;
    FakeKeyboard* keyboard = nullptr;
    std::unique_ptr<WorkingDirectory> cwd;
};

}  // namespace test
