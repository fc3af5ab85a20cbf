#include "Seaquell/zeph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Seaquell/board.h"
#include "support/capture_log.h"
#include "support/context_recorder.h"
#include "support/fake_audio_device.h"
#include "support/fake_input.h"
#include "support/fake_platform.h"
#include "support/fake_script_engine.h"
#include "support/recording_render.h"
#include "support/temp_dir.h"
#include "vantle/audio/sample_cache.h"
#include "vantle/core/context.h"
#include "vantle/core/functor_factory.h"
#include "vantle/gui/root_window.h"
#include "vantle/render/render.h"
#include "vantle/render/texture_cache.h"
#include "vantle/utils/config.h"
#include "vantle/xml/xmlcache.h"

namespace {

// The game started once for the whole executable with stand-in back ends, in a folder holding: defaults
// in the working directory, a user's settings naming the localised folder "loc/", whose defaults and
// logo screens win over the working directory's, the "main" preload list, and an empty screen for each
// screen functor and loading screen.
struct World {
    test::CaptureLog log;
    test::TempDir dir;
    std::unique_ptr<test::WorkingDirectory> cwd;
    test::FakePlatform* platform = test::FakePlatform::Install();
    test::RecordingRender* renderer = nullptr;
    test::FakeAudioDevice* audio = nullptr;
    test::FakeMouse* mouse = nullptr;
    test::FakeScriptEngine* script = nullptr;
    std::unique_ptr<ZEDoz> app;

    World() {
        dir.Write("data/defaults.cfg", "sfx_volume = 0.75\nmusic_volume = 0.5\n");
        dir.Write("Moravane/config.cfg", "localized_data = loc/\n");
        dir.Write("loc/data/defaults.cfg", "sfx_volume = 0.25\n");
        dir.Write("loc/data/gui/logo.xml",
                  "<gui><handlers><handler name='on_load' code='loc logo'/></handlers></gui>");
        dir.Write("loc/data/gui/logo_loaded.xml",
                  "<gui><handlers><handler name='on_activate' code='activate'/>"
                  "<handler name='on_deactivate' code='deactivate'/></handlers></gui>");
        dir.Write("data/preload_main", "data/gui/main.xml");
        for (const char* screen :
             {"splash/splash1", "main", "map", "map2", "game", "jigsaw", "gallery", "garden", "garden2",
              "garden3", "shop", "logo_not_loaded", "load", "load_nl"}) {
            dir.Write(std::string("data/gui/") + screen + ".xml", "<gui/>");
        }
        cwd = std::make_unique<test::WorkingDirectory>(dir.Path());
        app = std::make_unique<ZEDoz>(StandIns());
    }

    ZEDoz::Backends StandIns() {
        ZEDoz::Backends backends;
        backends.renderer = [this] { return renderer = new test::RecordingRender; };
        backends.audio = [this] { return audio = new test::FakeAudioDevice; };
        backends.mouse = [this] { return mouse = new test::FakeMouse; };
        backends.keyboard = [] { return new test::FakeKeyboard; };
        backends.script = [this] { return script = new test::FakeScriptEngine; };
        backends.script_classes = [] {};
        return backends;
    }
};

// Started after the world is complete, so the services Init creates go before the world at exit.
World& Started() {
    static World world;
    static bool started = false;
    if (!started) {
        started = true;
        world.app->Init();
    }
    return world;
}

std::vector<std::string> LoadedFiles() {
    return gui::RootWindow::instance()->GetLoadedFiles();
}

template <class Cache>
std::vector<std::string> Keys() {
    const std::list<std::string> keys = Cache::instance()->GetKeyList();
    return std::vector<std::string>(keys.begin(), keys.end());
}

void ClearCaches() {
    render::TextureCache::instance()->Clear();
    xml::XmlCache::instance()->Clear();
    audio::SampleCache::instance()->Clear();
}

size_t Count(const std::vector<std::string>& calls, const std::string& name) {
    return static_cast<size_t>(std::count(calls.begin(), calls.end(), name));
}

std::string ContextText(const std::string& key) {
    return core::Context::instance()->Get(key).as_string();
}

TEST(ZEDozTest, StartUpTakesTheLocalisedDefaultsAndTheDefaultsOfWhatNoFileSets) {
    World& world = Started();
    ASSERT_TRUE(world.app->IsRunning());
    // The localised defaults on the second pass; what only the working directory's file set stays.
    EXPECT_EQ(ContextText("sfx_volume"), "0.25");
    EXPECT_EQ(ContextText("music_volume"), "0.5");
    EXPECT_EQ(ContextText("fs"), "0");
    EXPECT_EQ(world.app->GetMinFrameTime(), 10u);
    EXPECT_EQ(render::Render::instance()->GetLOD(), 10u);
    EXPECT_FALSE(world.log.Contains("data/i18n/"));
    EXPECT_EQ(world.renderer->OrthoWidth(), 800.0f);
    // The first screen, from the localised folder, with the overlay of a loaded list.
    EXPECT_EQ(gui::RootWindow::instance()->GetLoadedFiles(),
              (std::vector<std::string>{"data/gui/logo.xml", "data/gui/logo_loaded.xml"}));
    EXPECT_EQ(world.script->calls.back(), "Eval loc logo");
}

TEST(ZEDozTest, FrameLimitsGiveWholeMillisecondsAndZeroOrTextMeansNoLimit) {
    World& world = Started();
    const std::pair<const char*, unsigned int> cases[] = {{"100", 10}, {"60", 16}, {"15", 66}, {"1000", 1},
                                                          {"2000", 0}, {"0", 0},   {"fast", 0}};
    for (const auto& [limit, frame_time] : cases) {
        SCOPED_TRACE(limit);
        utils::Config::instance()->Set("fps_limit_active", core::Value(limit));
        world.app->LoadFrameLimits();
        EXPECT_EQ(world.app->GetMinFrameTime(), frame_time);
    }
    utils::Config::instance()->Set("fps_limit_active", core::Value("100"));
    world.app->LoadFrameLimits();
}

TEST(ZEDozTest, FocusChangesSwitchTheLimitAndTheSoundBeforeTheScreenHears) {
    World& world = Started();
    std::vector<std::string> seen;
    world.script->on_eval = [&](const std::string& code) {
        const std::vector<std::string>& calls = world.audio->calls;
        seen.push_back(code + " " + std::to_string(world.app->GetMinFrameTime()) + " " +
                       (calls.empty() ? "" : calls.back()));
    };
    world.app->OnDeactivate();
    world.app->OnActivate();
    world.script->on_eval = nullptr;
    EXPECT_EQ(seen, (std::vector<std::string>{"deactivate 66 Mute on", "activate 10 Mute off"}));
}

TEST(ZEDozTest, AFrameDrawsTheCursorAtThePointerLastInTheScene) {
    World& world = Started();
    world.mouse->SetPosition(100, 50);
    world.renderer->ClearRecord();
    world.app->Loop();
    ASSERT_FALSE(world.renderer->Draws().empty());
    const math::Rect cursor = world.renderer->Draws().back().rect;
    EXPECT_EQ(std::make_pair(cursor.left, cursor.bottom), std::make_pair(100.0f, 82.0f));
    EXPECT_EQ(world.renderer->Calls().front(), "BeginScene");
    EXPECT_EQ(world.renderer->Calls().back(), "EndScene");
}

// Each screen functor loads its screen alone, empties the caches, and loads the board artwork only where
// a board is shown.
TEST(ZEDozTest, EachNamedFunctorReachesItsMember) {
    World& world = Started();
    const std::pair<const char*, const char*> screens[] = {
        {"play", "data/gui/splash/splash1.xml"},     {"preload_main", "data/gui/main.xml"},
        {"preload_map", "data/gui/map2.xml"},        {"preload_custom", "data/gui/map.xml"},
        {"preload_game", "data/gui/game.xml"},       {"preload_jigsaw", "data/gui/jigsaw.xml"},
        {"preload_gallery", "data/gui/gallery.xml"}, {"preload_garden", "data/gui/garden.xml"},
        {"preload_garden2", "data/gui/garden2.xml"}, {"preload_garden3", "data/gui/garden3.xml"},
        {"preload_shop", "data/gui/shop.xml"},       {"other_games", "data/gui/shop.xml"}};
    for (const auto& [name, screen] : screens) {
        SCOPED_TRACE(name);
        const core::ptr<core::Functor> functor = core::FunctorFactory::instance()->Create(name);
        ASSERT_TRUE(functor);
        cm::Board::Unload();
        audio::SampleCache::instance()->Get("kept.ogg");
        (*functor)();
        EXPECT_EQ(gui::RootWindow::instance()->GetLoadedFiles(), std::vector<std::string>{screen});
        const std::string functor_name = name;
        if (functor_name.rfind("preload_", 0) != 0) continue;
        EXPECT_TRUE(Keys<audio::SampleCache>().empty());
        EXPECT_EQ(cm::Board::data_loaded, functor_name == "preload_main" || functor_name == "preload_game");
    }
    (*core::FunctorFactory::instance()->Create("preload"))();
    EXPECT_EQ(gui::RootWindow::instance()->GetLoadedFiles(),
              (std::vector<std::string>{"data/gui/logo.xml", "data/gui/logo_loaded.xml"}));
    (*core::FunctorFactory::instance()->Create("exit"))();
    EXPECT_FALSE(world.app->IsRunning());
}

struct PreloadCase {
    const char* name;
    std::string list;
    std::vector<float> progress;
    std::vector<std::string> textures, documents, samples;
};

// One frame of the loading screen is drawn per entry, and the screen is left pushed.
TEST(ZEDozTest, EachEntryOfAPreloadListGoesToTheCacheItsLastFourCharactersName) {
    World& world = Started();
    world.dir.Write("data/sfx/c.ogg", "12345");
    const PreloadCase cases[] = {
        {"three lines",
         "a.png\nb.xml\nc.ogg",
         {0.0f, 1.0f / 3, 2.0f / 3, 1.0f},
         {"a.png"},
         {"b.xml"},
         {"c.ogg"}},
        {"a final line feed",
         "a.png\nb.xml\nc.ogg\n",
         {0, 0.25f, 0.5f, 0.75f, 1},
         {"", "a.png"},
         {"b.xml"},
         {"c.ogg"}},
        {"an empty list", "", {0.0f, 1.0f}, {""}, {}, {}},
        {"capital and short extensions",
         "c.OGG\n.xml\nb.XML",
         {0, 1.0f / 3, 2.0f / 3, 1},
         {".xml", "b.XML", "c.OGG"},
         {},
         {}},
        {"line ends of CR LF", "b.xml\r\nc.ogg", {0, 0.5f, 1}, {"b.xml\r"}, {}, {"c.ogg"}},
        {"a zero byte", std::string("a.png\0b.xml", 11), {0, 1}, {"a.png"}, {}, {}},
    };
    for (const PreloadCase& test : cases) {
        SCOPED_TRACE(test.name);
        world.dir.Write("data/preload_case", test.list);
        ClearCaches();
        world.audio->calls.clear();
        world.renderer->ClearRecord();
        test::ContextRecorder progress("reload_progress");
        world.app->DoPreload("case", "data/gui/load.xml", "data/gui/load_nl.xml");
        EXPECT_EQ(Keys<render::TextureCache>(), test.textures);
        EXPECT_EQ(Count(world.renderer->Calls(), "BeginScene"), test.progress.size() - 1);
        EXPECT_EQ(Count(world.renderer->Calls(), "EndScene"), test.progress.size() - 1);
        EXPECT_EQ(LoadedFiles(), (std::vector<std::string>{"data/gui/load.xml", "data/gui/load_nl.xml"}));
        gui::RootWindow::instance()->Pop();
        EXPECT_EQ(LoadedFiles(), std::vector<std::string>{"data/gui/load.xml"});
        EXPECT_EQ(progress.Floats(), test.progress);
        std::vector<std::string> documents = Keys<xml::XmlCache>();
        documents.erase(std::remove_if(documents.begin(), documents.end(),
                                       [](const std::string& key) { return key.rfind("data/gui/", 0) == 0; }),
                        documents.end());
        EXPECT_EQ(documents, test.documents);
        EXPECT_EQ(Keys<audio::SampleCache>(), test.samples);
        // Read from the sample folder: the five bytes there.
        EXPECT_EQ(Count(world.audio->calls, "LoadSample 5"), test.samples.size());
    }
}

TEST(ZEDozTest, AMissingPreloadListLeavesTheScreenAndTheProgressAlone) {
    World& world = Started();
    (*core::FunctorFactory::instance()->Create("preload_shop"))();
    world.renderer->ClearRecord();
    test::ContextRecorder progress("reload_progress");
    world.app->DoPreload("missing", "data/gui/load.xml", "data/gui/load_nl.xml");
    EXPECT_EQ(LoadedFiles(), std::vector<std::string>{"data/gui/shop.xml"});
    EXPECT_TRUE(progress.Values().empty());
    EXPECT_FALSE(world.renderer->Called("BeginScene"));
    // Nothing was pushed: popping keeps the screen.
    gui::RootWindow::instance()->Pop();
    EXPECT_EQ(LoadedFiles(), std::vector<std::string>{"data/gui/shop.xml"});
}

TEST(ZEDozTest, AQuitRequestStopsTheGame) {
    ZEDoz idle{ZEDoz::Backends()};
    ASSERT_TRUE(idle.IsRunning());
    idle.OnClose();
    EXPECT_FALSE(idle.IsRunning());
}

TEST(ZEDozTest, OnlyTheDashedKeyDSendsTheLogToTheConsole) {
    test::TempDir user;
    const std::pair<std::vector<std::string>, bool> cases[] = {
        {{"game", "-d"}, true}, {{"game", "d"}, false}, {{"game"}, false}};
    for (const auto& [words, console] : cases) {
        SCOPED_TRACE(words.back());
        std::vector<char*> argv;
        for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
        const core::CommandLine command_line(static_cast<int>(argv.size()), argv.data());
        std::unique_ptr<core::Log::Writer> writer(CreateLogWriter(command_line, user.Path()));
        EXPECT_EQ(dynamic_cast<core::Log::ConsoleWriter*>(writer.get()) != nullptr, console);
        EXPECT_EQ(dynamic_cast<core::Log::FileWriter*>(writer.get()) != nullptr, !console);
    }
}

}  // namespace
