#pragma once

#include <functional>
#include <memory>
#include <string>

#include "vantle/core/command_line.h"
#include "vantle/core/log.h"
#include "vantle/platform/application.h"
#include "vantle/render/render.h"
#include "vantle/utils/fps_manager.h"

namespace audio {
class IDevice;
}
namespace gui {
class Mouse;
}
namespace input {
class IMouse;
class IKeyboard;
}  // namespace input
namespace script {
class IEngine;
}

// The program's arguments, parsed once by real_main.
extern core::CommandLine cl;

// The entry SDL's start-up glue calls where it has one; forwards to real_main.
extern "C" int SDL_main(int argc, char** argv);

// The program: prepares the process (working directory, command line, platform, log) and runs the game
// until it ends. 0 after a normal end, 1 when the game could not start.
int real_main(int argc, char** argv);

// Where the log goes: standard output with the key "-d", otherwise "log.txt" in the user directory.
core::Log::Writer* CreateLogWriter(const core::CommandLine& command_line, const std::string& user_dir);

// The application: starts the engine's services in their order, runs one frame per turn of the
// platform's loop and follows the window's input focus. Created once and kept until the process ends.
class ZEDoz : public platform::Application {
public:
    // The back ends Init installs, each made when its step comes: the game's own from GameBackends,
    // stand-ins in tests. The application keeps the renderer and the script engine; the audio, mouse and
    // keyboard facades keep theirs.
    struct Backends {
        std::function<render::Render::Implementation*()> renderer;
        std::function<audio::IDevice*()> audio;
        std::function<input::IMouse*()> mouse;
        std::function<input::IKeyboard*()> keyboard;
        std::function<script::IEngine*()> script;
        // Defines the script classes; the power-up table is loaded by then.
        std::function<void()> script_classes;
    };

    static constexpr unsigned int kDefaultActiveFPS = 100;
    static constexpr unsigned int kDefaultInactiveFPS = 15;

    // SDL, OpenGL, SDL_mixer and Ruby.
    static Backends GameBackends();

    ZEDoz();
    explicit ZEDoz(Backends backends);
    ~ZEDoz() override;

    // Start-up, ending on the first screen. Without a window it logs why and stops the game.
    void Init() override;
    void Loop() override;
    void OnClose() override;
    // Focus: the frame limit, then the sound, then the screen's "on_activate" / "on_deactivate".
    void OnActivate() override;
    void OnDeactivate() override;
    void OnFullscreenToggle() override;

    // Reads "fps_limit_active" and "fps_limit_inactive" (100 and 15 when absent) and applies the active
    // one. A limit of 0 or one that does not read as a number means no limit.
    void LoadFrameLimits();

    // The first screen: the full-screen setting applied, then the logo while the "main" list loads.
    void StartGui();

    // Loads every file of the list "data/preload_<list>" into its cache (".xml" documents, ".ogg"
    // samples, anything else textures), one drawn frame of the loading screen (the screen with the
    // overlay on top) before each, publishing the share done as "reload_progress". Ends with the loading
    // screen shown and pushed, for the caller to pop. A missing list changes nothing.
    void DoPreload(const std::string& list, const std::string& screen, const std::string& overlay);

    // Named functors. Each "preload_" functor empties the sample and texture caches, preloads its list
    // behind the loading screen and shows its screen.
    void Play();
    void Preload();
    void PreloadMain();
    void PreloadMap();
    void PreloadCustom();
    void PreloadGame();
    void PreloadJigsaw();
    void PreloadGallery();
    void PreloadGarden();
    void PreloadGarden2();
    void PreloadGarden3();
    void PreloadShop();
    void Exit();
    void OtherGames() {}

    // 0 unless start-up failed (1).
    int GetExitStatus() const { return _exit_status; }
    unsigned int GetMinFrameTime() const { return fps_manager.GetMinFrameTime(); }
    const std::string& GetUserDir() const { return _user_dir; }

private:
    void LoadSettings();
    void AddDataSources();
    void PublishSettings();
    bool OpenWindow();
    void InstallBackends();
    void SetProjection();
    void RegisterWindowsAndEffects();
    void StartScripting();
    void CreateCursor();
    void ApplyLevelOfDetail();
    void LoadMessages();
    void RegisterFunctors();
    void LoadGameData();
    void ApplyFullscreenSetting();
    void ShowPreloaded(const std::string& list, bool board_resources, const std::string& screen);

    Backends _backends;
    std::string _user_dir;
    int _exit_status = 0;
    // Declared before the cursor, whose picture lives on the renderer's texture pages.
    std::unique_ptr<render::Render::Implementation> _own_renderer;
    std::unique_ptr<script::IEngine> _script_engine;

    render::IRender* renderer = nullptr;
    utils::FPSManager fps_manager;
    unsigned int active_fps = kDefaultActiveFPS;
    unsigned int inactive_fps = kDefaultInactiveFPS;
    std::unique_ptr<gui::Mouse> mouse_cursor;
};
