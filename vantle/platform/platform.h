#pragma once

#include <deque>
#include <string>

#include "vantle/core/singleton.h"

namespace platform {

class Application;

// What the engine needs of the window system and the operating system.
class IPlatform {
public:
    enum SystemDirs {
        // The per-user directory; implementations may serve every kind alike.
        USER_DIR = 0,
    };
    enum WallpaperMode {
        WALLPAPER_CENTERED = 0,
        // Any value other than centred stretches the picture.
        WALLPAPER_STRETCHED = 1,
    };

    virtual ~IPlatform() = default;

    virtual void Sleep(unsigned int milliseconds) = 0;
    // Opens the window with an OpenGL context; false (logged) when there is none to draw into.
    virtual bool WindowCreate(unsigned int width, unsigned int height, unsigned int bpp, bool fullscreen,
                              const std::string& title) = 0;
    virtual void SetFullscreen(bool fullscreen) = 0;
    virtual void WindowClose() = 0;
    // Runs the application until it stops: Init, one Loop per turn, Destroy.
    virtual void Run(Application* application) = 0;
    // The directory of that name in the user's home, created on demand, without trailing slash.
    virtual std::string GetDir(SystemDirs kind, const std::string& name) = 0;
    virtual void SetIcon(const std::string& file_name) = 0;
    virtual void SetTitle(const std::string& title) = 0;
    virtual void ShowSystemCursor(bool show) = 0;
    virtual void SetWallpaper(const std::string& path, WallpaperMode mode) = 0;
    // Milliseconds since the platform started; the one tick source of timers and frame limiting.
    virtual unsigned int GetTicks() = 0;

    // Typed characters, first in first out: the main loop appends, the keyboard takes.
    void PushChar(char c) { _chars.push_back(c); }
    // Every queued character, oldest first; the queue is empty afterwards.
    std::string PopChars();

private:
    std::deque<char> _chars;
};

// The facade the whole system calls; forwards to one implementation installed at start-up.
class Platform : public IPlatform, public core::Singleton<Platform> {
public:
    Platform() = default;
    ~Platform() override;
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    // Takes ownership of the first implementation given. Later calls are refused (false) and leave the
    // refused object with the caller.
    bool SetImplementation(IPlatform* implementation);
    IPlatform* GetImplementation() const { return _implementation; }

    // Without an implementation every call does nothing, except GetDir ("./" and the name), GetTicks
    // (SDL's counter) and ShowSystemCursor (which still records its flag).
    void Sleep(unsigned int milliseconds) override;
    bool WindowCreate(unsigned int width, unsigned int height, unsigned int bpp, bool fullscreen,
                      const std::string& title) override;
    void SetFullscreen(bool fullscreen) override;
    void WindowClose() override;
    void Run(Application* application) override;
    std::string GetDir(SystemDirs kind, const std::string& name) override;
    void SetIcon(const std::string& file_name) override;
    void SetTitle(const std::string& title) override;
    void ShowSystemCursor(bool show) override;
    void SetWallpaper(const std::string& path, WallpaperMode mode) override;
    unsigned int GetTicks() override;

    // The last value given to ShowSystemCursor.
    bool IsSystemCursorShown() const { return _system_cursor; }

private:
    IPlatform* _implementation = nullptr;
    bool _system_cursor = false;
};

}  // namespace platform
