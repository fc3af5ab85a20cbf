#include "vantle/platform/sdl/platform_sdl.h"

#include <SDL.h>
#include <errno.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <vector>

#include "vantle/core/log.h"
#include "vantle/input/sdl/mouse_sdl.h"
#include "vantle/platform/application.h"
#include "vantle/render/ogl/render_ogl.h"
#include "vantle/render/render.h"

namespace platform {

namespace {

const int kColorBits = 5;
const int kDepthBits = 16;
// The renderer's masked drawing needs a stencil buffer.
const int kStencilBits = 8;
const mode_t kDirMode = 0775;
const int kFirstPrintable = 0x20;
const int kLastPrintable = 0x7E;
const float kMillisecondsPerSecond = 1000.0f;

render::RenderOGL* CurrentRenderOGL() {
    if (!render::Render::exists()) return nullptr;
    return dynamic_cast<render::RenderOGL*>(render::Render::instance()->GetImplementation());
}

// Where "HOME" is missing: the password database's home, else the working directory.
std::string HomeDirectory() {
    const char* home = std::getenv("HOME");
    if (home && *home) return home;
    const passwd* entry = getpwuid(getuid());
    std::string fallback;
    if (entry && entry->pw_dir && *entry->pw_dir) {
        fallback = entry->pw_dir;
    } else {
        std::vector<char> cwd(PATH_MAX + 1, '\0');
        fallback = getcwd(cwd.data(), cwd.size()) ? cwd.data() : ".";
    }
    core::Log::instance()->Write("GetDir: HOME is not set, using %s", fallback.c_str());
    return fallback;
}

// Every place PATH offers for the program, in search order.
std::vector<std::string> ProgramCandidates(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string dirs = path && *path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::vector<std::string> candidates;
    std::string::size_type start = 0;
    while (start <= dirs.size()) {
        std::string::size_type end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::string dir = end > start ? dirs.substr(start, end - start) : ".";
        candidates.push_back(dir + "/" + program);
        start = end + 1;
    }
    return candidates;
}

// Runs the program with exactly these arguments, no shell in between, and waits for it; its outcome
// does not matter. Everything the child needs is prepared before the fork, so the child only execs.
void RunProgram(const std::vector<std::string>& args) {
    std::vector<std::string> candidates = ProgramCandidates(args[0]);
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    pid_t child = fork();
    if (child < 0) {
        core::Log::instance()->Write("Can't start %s", args[0].c_str());
        return;
    }
    if (child == 0) {
        for (const std::string& candidate : candidates) execv(candidate.c_str(), argv.data());
        _exit(127);
    }
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// The mouse samples its state once a frame; the events tell it of a press and release between two samples.
void KeepForMouse(const SDL_Event& event) {
    if (!input::Mouse::exists()) return;
    auto* mouse = dynamic_cast<input::MouseSDL*>(input::Mouse::instance()->GetImplementation());
    if (mouse) mouse->Keep(event);
}

#ifdef __unix__
// Left to choose, SDL falls back on drivers that make no window OpenGL can draw in: the frame-buffer
// console, or text-mode art through curses, which ends the process when TERM is unset and takes over the
// terminal when it is set. X11 is the one driver there that opens a window.
const char* const kWindowDriver = "x11";
#else
const char* const kWindowDriver = nullptr;
#endif
const char kVideoDriverVariable[] = "SDL_VIDEODRIVER";

// A driver asked for by name is SDL's to find (the tests ask for "dummy"); otherwise only the window
// driver is tried.
bool StartVideo() {
    if (std::getenv(kVideoDriverVariable) || !kWindowDriver) return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    // SDL reads the name from the environment only while it starts; the environment is left as found.
    setenv(kVideoDriverVariable, kWindowDriver, 1);
    const bool started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    unsetenv(kVideoDriverVariable);
    return started;
}

void RequestGLAttributes() {
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, kColorBits);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, kColorBits);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, kColorBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, kDepthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, kStencilBits);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

}  // namespace

PlatformSDL::PlatformSDL() {
    if (SDL_Init(0) < 0 || !StartVideo()) core::Log::instance()->Write("SDL_Init: %s", SDL_GetError());
    // Audio failing alone leaves the window possible; the audio device reports its own trouble.
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) core::Log::instance()->Write("SDL_Init: %s", SDL_GetError());
    _started = SDL_WasInit(SDL_INIT_VIDEO) != 0;
    if (_started) SDL_EnableUNICODE(1);
}

PlatformSDL::~PlatformSDL() {
    SDL_Quit();
}

void PlatformSDL::Sleep(unsigned int milliseconds) {
    SDL_Delay(milliseconds);
}

unsigned int PlatformSDL::GetTicks() {
    return SDL_GetTicks();
}

bool PlatformSDL::WindowCreate(unsigned int width, unsigned int height, unsigned int bpp, bool fullscreen,
                               const std::string&) {
    _width = width;
    _height = height;
    _bpp = bpp;
    _fullscreen = fullscreen;
    if (!_started) {
        core::Log::instance()->Write("Can't create the window: SDL video did not start");
        return false;
    }
    return SetVideoMode();
}

bool PlatformSDL::SetVideoMode() {
    return SetOpenGLVideoMode(_width, _height, _bpp, _fullscreen);
}

bool PlatformSDL::SetOpenGLVideoMode(unsigned int width, unsigned int height, unsigned int bpp,
                                     bool fullscreen) {
    RequestGLAttributes();
    // Queried at every mode set; the answers are not used.
    SDL_GetVideoInfo();
    SDL_ListModes(nullptr, SDL_OPENGL | SDL_FULLSCREEN);
    Uint32 flags = SDL_OPENGL | (fullscreen ? SDL_FULLSCREEN : 0);
    if (SDL_SetVideoMode(static_cast<int>(width), static_cast<int>(height), static_cast<int>(bpp), flags))
        return true;
    core::Log::instance()->Write("SDL_SetVideoMode: %s", SDL_GetError());
    return false;
}

void PlatformSDL::SetFullscreen(bool fullscreen) {
    if (fullscreen == _fullscreen) return;
    _fullscreen = fullscreen;
    if (!_started) return;
    // The new video mode comes with a new OpenGL context, which has lost every texture page.
    render::RenderOGL* renderer = CurrentRenderOGL();
    if (renderer) renderer->StoreTextures();
    if (!SetVideoMode()) {
        _fullscreen = !fullscreen;
        return;
    }
    if (render::Render::exists()) render::Render::instance()->ResizeWindow(fullscreen);
    if (renderer) renderer->RestoreTextures();
    if (_application) _application->OnFullscreenToggle();
}

void PlatformSDL::Run(Application* application) {
    if (!application) return;
    _application = application;
    application->Init();
    unsigned int start = GetTicks();
    unsigned int frames = 0;
    while (application->IsRunning()) {
        TakeOneEvent();
        ++frames;
        application->Loop();
    }
    float seconds = static_cast<float>(GetTicks() - start) / kMillisecondsPerSecond;
    float fps = seconds > 0.0f ? static_cast<float>(frames) / seconds : 0.0f;
    core::Log::instance()->Write("average fps: %f", fps);
    application->Destroy();
    _application = nullptr;
}

void PlatformSDL::TakeOneEvent() {
    // Events the loop has no use for (mouse motion above all) are dropped in the same turn; taken one per
    // frame they would fill SDL's bounded queue and push out key releases and the quit request.
    SDL_Event event;
    while (SDL_PollEvent(&event))
        if (HandleEvent(event)) return;
}

bool PlatformSDL::HandleEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN:
            OnKeyDown(event);
            return true;
        case SDL_KEYUP:
            OnKeyUp(event);
            return true;
        case SDL_ACTIVEEVENT:
            if (!(event.active.state & SDL_APPINPUTFOCUS)) return false;
            OnActiveEvent(event);
            return true;
        case SDL_QUIT:
            _application->OnClose();
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            // Kept, not handled here: the turn goes on to the next event.
            KeepForMouse(event);
            return false;
        default:
            return false;
    }
}

void PlatformSDL::OnKeyDown(const SDL_Event& event) {
    int symbol = event.key.keysym.sym;
    core::Log::instance()->Write("SDL_KEYDOWN %i", symbol);
    int code = EngineKeyCode(symbol);
    if (code >= 0) _keys[code] = 1;
    int unicode = event.key.keysym.unicode;
    if (unicode < kFirstPrintable || unicode > kLastPrintable) return;
    char typed = static_cast<char>(unicode);
    PushChar(typed);
    core::Log::instance()->Write("%c %c (0x%04X)", typed, typed, static_cast<unsigned int>(unicode));
}

void PlatformSDL::OnKeyUp(const SDL_Event& event) {
    core::Log::instance()->Write("SDL_KEYUP");
    int code = EngineKeyCode(event.key.keysym.sym);
    if (code >= 0) _keys[code] = 0;
}

void PlatformSDL::OnActiveEvent(const SDL_Event& event) {
    if (event.active.gain)
        _application->OnActivate();
    else
        _application->OnDeactivate();
}

int PlatformSDL::EngineKeyCode(int symbol) {
    switch (symbol) {
        case SDLK_LEFT:
            return 37;
        case SDLK_UP:
            return 38;
        case SDLK_RIGHT:
            return 39;
        case SDLK_DOWN:
            return 40;
        default:
            return symbol >= 0 && symbol < kKeyCount ? symbol : -1;
    }
}

int PlatformSDL::KeyState(int code) const {
    return code >= 0 && code < kKeyCount ? _keys[code] : 0;
}

std::string PlatformSDL::GetDir(SystemDirs, const std::string& name) {
    std::string path = HomeDirectory() + "/." + name;
    core::Log::instance()->Write("GetDir %s", path.c_str());
    if (mkdir(path.c_str(), kDirMode) != 0)
        core::Log::instance()->Write("GetDir %s: mkdir failed", path.c_str());
    return path;
}

void PlatformSDL::SetIcon(const std::string&) {
    core::Log::instance()->Write("PlatformSDL::SetIcon not implemented yet");
}

void PlatformSDL::SetTitle(const std::string& title) {
    SDL_WM_SetCaption(title.c_str(), nullptr);
}

void PlatformSDL::ShowSystemCursor(bool show) {
    core::Log::instance()->Write(show ? "enabling CURSOR" : "disabling CURSOR");
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void PlatformSDL::SetWallpaper(const std::string& path, WallpaperMode mode) {
    const std::string tool = "gconftool-2";
    const std::string key = "/desktop/gnome/background/";
    RunProgram({tool, "-t", "str", "-s", key + "picture_filename", path});
    RunProgram({tool, "-t", "str", "-s", key + "picture_options",
                mode == WALLPAPER_CENTERED ? "centered" : "stretched"});
}

}  // namespace platform
