#include "Seaquell/zeph.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "Seaquell/board.h"
#include "vantle/audio/device.h"
#include "vantle/audio/sample_cache.h"
#include "vantle/audio/sdl/device_sdl.h"
#include "vantle/core/context.h"
#include "vantle/core/functor_factory.h"
#include "vantle/core/strutils.h"
#include "vantle/effects/effect_manager.h"
#include "vantle/effects/effects/register.h"
#include "vantle/game/levelset.h"
#include "vantle/game/powerup_definition.h"
#include "vantle/game/users.h"
#include "vantle/gui/mouse.h"
#include "vantle/gui/root_window.h"
#include "vantle/gui/widgets/register_widgets.h"
#include "vantle/i18n/mtable.h"
#include "vantle/input/keyboard.h"
#include "vantle/input/mouse.h"
#include "vantle/input/sdl/keyboard_sdl.h"
#include "vantle/input/sdl/mouse_sdl.h"
#include "vantle/io/loader.h"
#include "vantle/io/pak_src.h"
#include "vantle/platform/platform.h"
#include "vantle/platform/sdl/platform_sdl.h"
#include "vantle/render/font_cache.h"
#include "vantle/render/ogl/render_ogl.h"
#include "vantle/render/texture_cache.h"
#include "vantle/script/engine.h"
#include "vantle/script/ruby/engine_ruby.h"
#include "vantle/script/ruby/global_functions.h"
#include "vantle/script/ruby/rb_powerups.h"
#include "vantle/script/ruby/rb_window.h"
#include "vantle/utils/config.h"
#include "vantle/utils/timer.h"
#include "vantle/xml/xmlcache.h"

#ifdef __APPLE__
#include <CoreFoundation/CoreFoundation.h>
#include <unistd.h>
#endif

core::CommandLine cl;

namespace {

const char kTitle[] = "Mora Vane";
const char kUserDirName[] = "Moravane";
const char kVersion[] = "1.0.9";
const unsigned int kWidth = 800;
const unsigned int kHeight = 600;
const unsigned int kBitsPerPixel = 32;

const char kDefaultsFile[] = "data/defaults.cfg";
const char kLogoScreen[] = "data/gui/logo.xml";
const char kLoadScreen[] = "data/gui/load.xml";
const char kLoadOverlay[] = "data/gui/load_nl.xml";
const char kPreloadListPrefix[] = "data/preload_";
const char kProgressKey[] = "reload_progress";
const size_t kExtensionLength = 4;

struct NamedMember {
    const char* name;
    void (ZEDoz::*member)();
};

const NamedMember kFunctors[] = {
    {"play", &ZEDoz::Play},
    {"preload", &ZEDoz::Preload},
    {"preload_main", &ZEDoz::PreloadMain},
    {"preload_map", &ZEDoz::PreloadMap},
    {"preload_custom", &ZEDoz::PreloadCustom},
    {"preload_game", &ZEDoz::PreloadGame},
    {"preload_jigsaw", &ZEDoz::PreloadJigsaw},
    {"preload_gallery", &ZEDoz::PreloadGallery},
    {"preload_garden", &ZEDoz::PreloadGarden},
    {"preload_garden2", &ZEDoz::PreloadGarden2},
    {"preload_garden3", &ZEDoz::PreloadGarden3},
    {"preload_shop", &ZEDoz::PreloadShop},
    {"exit", &ZEDoz::Exit},
    {"other_games", &ZEDoz::OtherGames},
};

core::Value Setting(const std::string& key) {
    return utils::Config::instance()->Get(key);
}

bool HasValue(const core::Value& value) {
    return value.get_type() != core::Value::UNSET;
}

unsigned int LimitSetting(const std::string& key, unsigned int fallback) {
    const core::Value value = Setting(key);
    return HasValue(value) ? value.as_uint32() : fallback;
}

platform::Platform* ThePlatform() {
    return platform::Platform::instance();
}

gui::RootWindow* Root() {
    return gui::RootWindow::instance();
}

// The list's entries: its bytes up to the first zero, split at every line feed, empty pieces kept and
// nothing trimmed.
std::vector<std::string> ReadPreloadList(const core::ptr<io::IStream>& stream) {
    const unsigned int size = stream->Size();
    std::vector<char> buffer(static_cast<size_t>(size) + 1, '\0');
    stream->Read(buffer.data(), size);
    return core::str_split(std::string(buffer.data()), "\n");
}

// Into the cache its last four characters name, case and all; the cache keeps it.
void PreloadEntry(const std::string& entry) {
    const std::string extension =
        entry.size() > kExtensionLength ? entry.substr(entry.size() - kExtensionLength) : std::string();
    if (extension == ".xml") {
        xml::XmlCache::instance()->Get(entry);
    } else if (extension == ".ogg") {
        audio::SampleCache::instance()->Get(entry);
    } else {
        render::TextureCache::instance()->Get(entry);
    }
}

#ifdef __APPLE__
// Inside an application bundle the data lies in the bundle's resources folder. False when that folder
// cannot be named.
bool EnterBundleResources() {
    CFBundleRef bundle = CFBundleGetMainBundle();
    if (!bundle) return true;
    CFURLRef url = CFBundleCopyResourcesDirectoryURL(bundle);
    if (!url) return true;
    char path[1024];
    const bool converted =
        CFURLGetFileSystemRepresentation(url, true, reinterpret_cast<UInt8*>(path), sizeof path);
    CFRelease(url);
    if (!converted) return false;
    // Where the folder cannot be entered the game looks for its data where it was started.
    if (chdir(path) != 0) std::fprintf(stderr, "chdir failed: ");
    std::fprintf(stderr, "%s\n", path);
    return true;
}
#endif

}  // namespace

extern "C" int SDL_main(int argc, char** argv) {
    return real_main(argc, argv);
}

core::Log::Writer* CreateLogWriter(const core::CommandLine& command_line, const std::string& user_dir) {
    if (command_line.KeyExist("-d")) return new core::Log::ConsoleWriter;
    return new core::Log::FileWriter(user_dir + "/log.txt");
}

int real_main(int argc, char** argv) {
    // The interpreter's collector scans the machine stack from this frame down, which holds every script
    // call the game makes.
    void* stack_base = nullptr;
    script::EngineRuby::MarkStackBase(&stack_base);
#ifdef __APPLE__
    if (!EnterBundleResources()) return 1;
#endif
    cl = core::CommandLine(argc, argv);
    auto sdl = std::make_unique<platform::PlatformSDL>();
    if (ThePlatform()->SetImplementation(sdl.get())) sdl.release();
    const std::string user_dir = ThePlatform()->GetDir(platform::IPlatform::USER_DIR, kUserDirName);
    core::Log::instance()->SetWriter(CreateLogWriter(cl, user_dir));
    // Static, so that it goes after the services Init creates: they may still use its back ends.
    static ZEDoz application;
    ThePlatform()->Run(&application);
    // The log ends with the run's "average fps"; the teardown at exit has nothing to tell the player.
    core::Log::instance()->SetWriter(nullptr);
    return application.GetExitStatus();
}

ZEDoz::Backends ZEDoz::GameBackends() {
    Backends backends;
    backends.renderer = [] { return new render::RenderOGL; };
    backends.audio = [] { return new audio::DeviceSDL; };
    backends.mouse = [] { return new input::MouseSDL; };
    backends.keyboard = [] { return new input::KeyboardSDL; };
    backends.script = [] { return new script::EngineRuby; };
    backends.script_classes = [] {
        script::InitRubyWindows();
        script::InitRubyPowerupDefinition();
        script::InitRubyPowerupSet();
    };
    return backends;
}

ZEDoz::ZEDoz() : ZEDoz(GameBackends()) {}

ZEDoz::ZEDoz(Backends backends) : _backends(std::move(backends)) {}

ZEDoz::~ZEDoz() = default;

void ZEDoz::Init() {
    _user_dir = ThePlatform()->GetDir(platform::IPlatform::USER_DIR, kUserDirName);
    LoadSettings();
    AddDataSources();
    // Again through every source: the localised folder or the archive may hold the defaults.
    LoadSettings();
    PublishSettings();
    if (!OpenWindow()) return;
    InstallBackends();
    SetProjection();
    RegisterWindowsAndEffects();
    StartScripting();
    game::LevelSet::instance()->Load("data/levels.xml");
    LoadFrameLimits();
    ThePlatform()->SetTitle(kTitle);
    ThePlatform()->SetIcon("mrv.ico");
    CreateCursor();
    ApplyLevelOfDetail();
    LoadMessages();
    core::Context::instance()->Set("version", core::Value(std::string("v ") + kVersion));
    RegisterFunctors();
    LoadGameData();
    StartGui();
}

void ZEDoz::LoadSettings() {
    utils::Config::instance()->LoadDefaults(kDefaultsFile);
    utils::Config::SetFilename(_user_dir + "/config.cfg");
    utils::Config::instance()->Reload();
}

void ZEDoz::AddDataSources() {
    io::Loader* loader = io::Loader::instance();
    const std::string localized = Setting("localized_data").as_string();
    if (!localized.empty()) {
        core::Log::instance()->Write("USING localized data %s", localized.c_str());
        loader->ClearSources();
        loader->AddSource(core::ptr<io::Loader::Source>(new io::FileSystemSource(localized)));
        loader->AddSource(core::ptr<io::Loader::Source>(new io::FileSystemSource()));
    }
    loader->AddSource(core::ptr<io::Loader::Source>(new io::PakFileSource("data.pak")));
}

void ZEDoz::PublishSettings() {
    core::Context* context = core::Context::instance();
    context->Set("fs", core::Value(Setting("fullscreen").as_bool() ? "1" : "0"));
    context->Set("sfx_volume", Setting("sfx_volume"));
    context->Set("music_volume", Setting("music_volume"));
}

bool ZEDoz::OpenWindow() {
    if (ThePlatform()->WindowCreate(kWidth, kHeight, kBitsPerPixel, false, kTitle)) return true;
    core::Log::instance()->Write("Can't open the game window: the game stops");
    _exit_status = 1;
    Stop();
    return false;
}

void ZEDoz::InstallBackends() {
    _own_renderer.reset(_backends.renderer());
    render::Render::instance()->SetImplementation(_own_renderer.get());
    // The back end learns the window's size and sets up its drawing state.
    render::Render::instance()->Init(kWidth, kHeight, kBitsPerPixel, false);
    audio::Device::instance()->SetImplementation(_backends.audio());
    audio::SampleCache::instance()->SetSamplesDir("data/sfx/");
    render::FontCache::instance()->SetFontDir("data/fonts/");
    input::Mouse::instance()->SetImplementation(_backends.mouse());
    input::Keyboard::instance()->SetImplementation(_backends.keyboard());
}

void ZEDoz::SetProjection() {
    renderer = render::Render::instance()->GetImplementation();
    render::Render::instance()->SetOrtho(static_cast<float>(kWidth), static_cast<float>(kHeight));
}

void ZEDoz::RegisterWindowsAndEffects() {
    gui::RegisterWidgets();
    effects::RegisterEffects();
}

void ZEDoz::StartScripting() {
    _script_engine.reset(_backends.script());
    script::Engine::instance()->SetImplementation(_script_engine.get());
    script::SetScoreTablesDir(_user_dir);
}

void ZEDoz::LoadFrameLimits() {
    active_fps = LimitSetting("fps_limit_active", kDefaultActiveFPS);
    inactive_fps = LimitSetting("fps_limit_inactive", kDefaultInactiveFPS);
    fps_manager.SetFrameRateLimit(active_fps);
}

void ZEDoz::CreateCursor() {
    mouse_cursor = std::make_unique<gui::Mouse>();
    mouse_cursor->SetTexture("data/gfx/mouse/cursor1.png");
    ThePlatform()->ShowSystemCursor(false);
}

void ZEDoz::ApplyLevelOfDetail() {
    const core::Value lod = Setting("lod");
    if (!HasValue(lod)) return;
    const int level = lod.as_int32();
    render::Render::instance()->SetLOD(level < 0 ? 0u : static_cast<unsigned int>(level));
}

void ZEDoz::LoadMessages() {
    const core::Value language = Setting("language");
    if (!HasValue(language)) return;
    i18n::MessageTable::instance()->Load("data/i18n/" + language.as_string() + ".xml");
}

void ZEDoz::RegisterFunctors() {
    for (const NamedMember& entry : kFunctors) {
        core::FunctorFactory::instance()->Register(
            entry.name, core::ptr<core::Functor>(new core::ObjectFunctor<ZEDoz>(this, entry.member)));
    }
}

void ZEDoz::LoadGameData() {
    game::Users::SetFilename(_user_dir + "/users.dat");
    game::PowerupDefinitionTable::instance()->Load("data/powerups.xml");
    _backends.script_classes();
}

void ZEDoz::Loop() {
    utils::Timer::instance()->Update();
    fps_manager.Update();
    Root()->Update();
    effects::EffectManager::instance()->Update();
    renderer->BeginScene();
    Root()->Render();
    effects::EffectManager::instance()->Render();
    // Read after the screen's update: the windows work with the pointer of the frame before.
    input::Mouse::instance()->Update();
    mouse_cursor->Update();
    mouse_cursor->Render();
    renderer->EndScene();
}

void ZEDoz::OnActivate() {
    fps_manager.SetFrameRateLimit(active_fps);
    audio::Device::instance()->Mute(false);
    Root()->CallHandler("on_activate");
}

void ZEDoz::OnDeactivate() {
    fps_manager.SetFrameRateLimit(inactive_fps);
    audio::Device::instance()->Mute(true);
    Root()->CallHandler("on_deactivate");
}

void ZEDoz::OnClose() {
    Stop();
}

void ZEDoz::Exit() {
    Stop();
}

void ZEDoz::OnFullscreenToggle() {
    ThePlatform()->ShowSystemCursor(false);
    SetProjection();
}

void ZEDoz::ApplyFullscreenSetting() {
    ThePlatform()->SetFullscreen(Setting("fullscreen").as_bool());
}

void ZEDoz::StartGui() {
    ThePlatform()->ShowSystemCursor(false);
    ApplyFullscreenSetting();
    Preload();
}

void ZEDoz::DoPreload(const std::string& list, const std::string& screen, const std::string& overlay) {
    const core::ptr<io::IStream> stream = io::Loader::instance()->Load(kPreloadListPrefix + list);
    if (!stream) return;
    const std::vector<std::string> entries = ReadPreloadList(stream);
    core::Context* context = core::Context::instance();
    Root()->Clear();
    context->Set(kProgressKey, core::Value(0.0f));
    Root()->Load(screen, true);
    Root()->Push();
    Root()->Load(overlay, false);
    const float count = static_cast<float>(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        render::Render::Implementation* scene = render::Render::instance()->GetImplementation();
        if (scene) scene->BeginScene();
        Root()->Update();
        Root()->Render();
        PreloadEntry(entries[i]);
        context->Set(kProgressKey, core::Value(static_cast<float>(i + 1) / count));
        if (scene) scene->EndScene();
    }
}

void ZEDoz::Play() {
    Root()->Load("data/gui/splash/splash1.xml", true);
}

void ZEDoz::Preload() {
    ApplyFullscreenSetting();
    DoPreload("main", kLogoScreen, "data/gui/logo_not_loaded.xml");
    Root()->Pop();
    Root()->Load("data/gui/logo_loaded.xml", false);
}

void ZEDoz::ShowPreloaded(const std::string& list, bool board_resources, const std::string& screen) {
    audio::SampleCache::instance()->Clear();
    render::TextureCache::instance()->Clear();
    if (render::Render::Implementation* impl = render::Render::instance()->GetImplementation()) {
        impl->ClearTextures();
    }
    DoPreload(list, kLoadScreen, kLoadOverlay);
    if (board_resources) cm::Board::Preload();
    Root()->Pop();
    Root()->Load(screen, true);
}

void ZEDoz::PreloadMain() {
    ShowPreloaded("main", true, "data/gui/main.xml");
}

void ZEDoz::PreloadMap() {
    ShowPreloaded("map", false, "data/gui/map2.xml");
}

void ZEDoz::PreloadCustom() {
    ShowPreloaded("custom", false, "data/gui/map.xml");
}

void ZEDoz::PreloadGame() {
    ShowPreloaded("game", true, "data/gui/game.xml");
}

void ZEDoz::PreloadJigsaw() {
    ShowPreloaded("jigsaw", false, "data/gui/jigsaw.xml");
}

void ZEDoz::PreloadGallery() {
    ShowPreloaded("gallery", false, "data/gui/gallery.xml");
}

void ZEDoz::PreloadGarden() {
    ShowPreloaded("garden", false, "data/gui/garden.xml");
}

void ZEDoz::PreloadGarden2() {
    ShowPreloaded("garden2", false, "data/gui/garden2.xml");
}

void ZEDoz::PreloadGarden3() {
    ShowPreloaded("garden3", false, "data/gui/garden3.xml");
}

void ZEDoz::PreloadShop() {
    ShowPreloaded("shop", false, "data/gui/shop.xml");
}
