#include "vantle/platform/platform.h"

#include <SDL.h>

namespace platform {

std::string IPlatform::PopChars() {
    std::string chars(_chars.begin(), _chars.end());
    _chars.clear();
    return chars;
}

Platform::~Platform() {
    delete _implementation;
}

bool Platform::SetImplementation(IPlatform* implementation) {
    if (_implementation) return false;
    _implementation = implementation;
    return true;
}

void Platform::Sleep(unsigned int milliseconds) {
    if (_implementation) _implementation->Sleep(milliseconds);
}

bool Platform::WindowCreate(unsigned int width, unsigned int height, unsigned int bpp, bool fullscreen,
                            const std::string& title) {
    if (!_implementation) return false;
    return _implementation->WindowCreate(width, height, bpp, fullscreen, title);
}

void Platform::SetFullscreen(bool fullscreen) {
    if (_implementation) _implementation->SetFullscreen(fullscreen);
}

void Platform::WindowClose() {
    if (_implementation) _implementation->WindowClose();
}

void Platform::Run(Application* application) {
    if (_implementation) _implementation->Run(application);
}

std::string Platform::GetDir(SystemDirs kind, const std::string& name) {
    if (!_implementation) return "./" + name;
    return _implementation->GetDir(kind, name);
}

void Platform::SetIcon(const std::string& file_name) {
    if (_implementation) _implementation->SetIcon(file_name);
}

void Platform::SetTitle(const std::string& title) {
    if (_implementation) _implementation->SetTitle(title);
}

void Platform::ShowSystemCursor(bool show) {
    _system_cursor = show;
    if (_implementation) _implementation->ShowSystemCursor(show);
}

void Platform::SetWallpaper(const std::string& path, WallpaperMode mode) {
    if (_implementation) _implementation->SetWallpaper(path, mode);
}

unsigned int Platform::GetTicks() {
    if (!_implementation) return SDL_GetTicks();
    return _implementation->GetTicks();
}

}  // namespace platform
