#pragma once

#include <string>

#include "vantle/platform/platform.h"

union SDL_Event;

namespace platform {

// The platform over SDL 1.2, with POSIX calls for the user directory and the wallpaper.
class PlatformSDL : public IPlatform {
public:
    // Engine key codes index a table of this size.
    static constexpr int kKeyCount = 256;

    // Starts SDL's video and audio; a failure is logged and leaves the window uncreatable. Unless
    // SDL_VIDEODRIVER names a driver, only one that opens a window is tried (X11 on Unix).
    PlatformSDL();
    ~PlatformSDL() override;
    PlatformSDL(const PlatformSDL&) = delete;
    PlatformSDL& operator=(const PlatformSDL&) = delete;

    void Sleep(unsigned int milliseconds) override;
    bool WindowCreate(unsigned int width, unsigned int height, unsigned int bpp, bool fullscreen,
                      const std::string& title) override;
    void SetFullscreen(bool fullscreen) override;
    void WindowClose() override {}
    void Run(Application* application) override;
    std::string GetDir(SystemDirs kind, const std::string& name) override;
    void SetIcon(const std::string& file_name) override;
    void SetTitle(const std::string& title) override;
    void ShowSystemCursor(bool show) override;
    void SetWallpaper(const std::string& path, WallpaperMode mode) override;
    unsigned int GetTicks() override;

    // Whether SDL's video started; without it no window can be made.
    bool IsStarted() const { return _started; }
    // 1 while the key with that engine code is held, else 0 (also for codes outside the table).
    int KeyState(int code) const;
    // The engine code of an SDL key symbol: arrows 37 to 40, other symbols below 256 themselves,
    // -1 for the rest.
    static int EngineKeyCode(int symbol);
    // Sets an OpenGL video mode with the buffers the renderer relies on: double buffering, depth and the
    // stencil its masked drawing needs. False (logged) when SDL refuses; SDL's video must have started.
    static bool SetOpenGLVideoMode(unsigned int width, unsigned int height, unsigned int bpp,
                                   bool fullscreen);

private:
    bool SetVideoMode();
    // Handles at most one event of a kind the loop reacts to.
    void TakeOneEvent();
    // Handles one event; false for the kinds the loop has no use for. Mouse buttons are handed to the
    // installed SDL mouse and count as none.
    bool HandleEvent(const SDL_Event& event);
    void OnKeyDown(const SDL_Event& event);
    void OnKeyUp(const SDL_Event& event);
    void OnActiveEvent(const SDL_Event& event);

    int _keys[kKeyCount] = {};
    unsigned int _width = 0;
    unsigned int _height = 0;
    unsigned int _bpp = 0;
    bool _fullscreen = false;
    bool _started = false;
    Application* _application = nullptr;
};

}  // namespace platform
