#include "support/fake_platform.h"

#include "support/install_platform.h"
#include "vantle/platform/application.h"

namespace test {

FakePlatform* FakePlatform::Install() {
    return InstallPlatform<FakePlatform>();
}

void FakePlatform::Sleep(unsigned int milliseconds) {
    _sleeps.push_back(milliseconds);
    _ticks += milliseconds;
}

void FakePlatform::SetFullscreen(bool fullscreen) {
    requests.push_back("SetFullscreen " + std::to_string(fullscreen));
}

void FakePlatform::SetWallpaper(const std::string& path, WallpaperMode mode) {
    requests.push_back("SetWallpaper " + path + " " + std::to_string(mode));
}

void FakePlatform::Run(platform::Application* application) {
    application->Run();
}

}  // namespace test
