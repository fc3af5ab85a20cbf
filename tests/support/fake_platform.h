#pragma once

#include <string>
#include <vector>

#include "vantle/platform/platform.h"

namespace test {

// A platform whose clock moves only when told to or when someone sleeps: timers and frame limiting run
// against it without real waiting. Install it once per test executable with Install().
class FakePlatform : public platform::IPlatform {
public:
    // The instance installed in platform::Platform (installed on the first call). Fails the test
    // when another implementation was installed first.
    static FakePlatform* Install();

    void SetTicks(unsigned int ticks) { _ticks = ticks; }
    void Advance(unsigned int milliseconds) { _ticks += milliseconds; }
    // Every Sleep request, oldest first.
    const std::vector<unsigned int>& Sleeps() const { return _sleeps; }
    void ClearSleeps() { _sleeps.clear(); }
    // Every full-screen and wallpaper request, oldest first: "SetFullscreen 1", "SetWallpaper a.png 0".
    std::vector<std::string> requests;

    // Sleeping moves the clock by exactly the time asked.
    void Sleep(unsigned int milliseconds) override;
    bool WindowCreate(unsigned int, unsigned int, unsigned int, bool, const std::string&) override {
        return true;
    }
    void SetFullscreen(bool fullscreen) override;
    void WindowClose() override {}
    // Runs the application as its own Run does, without events.
    void Run(platform::Application* application) override;
    std::string GetDir(SystemDirs, const std::string& name) override { return "./" + name; }
    void SetIcon(const std::string&) override {}
    void SetTitle(const std::string&) override {}
    void ShowSystemCursor(bool) override {}
    void SetWallpaper(const std::string& path, WallpaperMode mode) override;
    unsigned int GetTicks() override { return _ticks; }

private:
    unsigned int _ticks = 0;
    std::vector<unsigned int> _sleeps;
};

}  // namespace test
