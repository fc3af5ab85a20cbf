#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <list>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/fake_audio_device.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"
#include "vantle/audio/sample_cache.h"
#include "vantle/core/context.h"
#include "vantle/core/functor_factory.h"
#include "vantle/game/levelset.h"
#include "vantle/game/scores.h"
#include "vantle/game/users.h"
#include "vantle/gui/container.h"
#include "vantle/i18n/mtable.h"
#include "vantle/io/loader.h"
#include "vantle/script/engine.h"
#include "vantle/script/function.h"
#include "vantle/script/ruby/global_functions.h"
#include "vantle/utils/config.h"

namespace {

using Strings = std::vector<std::string>;

struct Call {
    std::string code;
    // As Ruby's inspect shows it; "" when the code failed.
    std::string result;
    // The log lines, then the sound device's calls, then the platform's requests.
    Strings records;
};

// The services, set up once per process: files in a temporary folder that is also the loader's only
// source (samples under "sfx/", score tables under "scores/"), a recording sound device and platform.
class ScriptFunctions : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static bool done = false;
        if (done) return;
        done = true;
        utils::Config::SetFilename(Dir() / "config.cfg");
        game::Users::SetFilename(Dir() / "users.dat");
        audio::Device::instance()->SetImplementation(new test::FakeAudioDevice);
        audio::SampleCache::instance()->SetSamplesDir("sfx/");
        io::Loader::instance()->ClearSources();
        io::Loader::instance()->AddSource(
            core::ptr<io::Loader::Source>(new io::FileSystemSource(Dir() / "")));
        script::SetScoreTablesDir(Dir() / "scores");
    }

    static const test::TempDir& Dir() {
        static const test::TempDir dir;
        return dir;
    }

    static test::FakeAudioDevice* Audio() {
        return dynamic_cast<test::FakeAudioDevice*>(audio::Device::instance()->GetImplementation());
    }
    static std::string Inspect(const std::string& code) {
        return script::Engine::instance()->Eval("(" + code + ").inspect")->to_string();
    }

    void Run(const std::vector<Call>& calls) {
        test::FakePlatform* platform = test::FakePlatform::Install();
        for (const Call& c : calls) {
            SCOPED_TRACE(c.code);
            Audio()->calls.clear();
            platform->requests.clear();
            test::CaptureLog log;
            EXPECT_EQ(Inspect(c.code), c.result);
            Strings records = log.Lines();
            records.insert(records.end(), Audio()->calls.begin(), Audio()->calls.end());
            records.insert(records.end(), platform->requests.begin(), platform->requests.end());
            EXPECT_EQ(records, c.records);
        }
    }
};

// method(:name) also fails for a function that is not defined.
TEST_F(ScriptFunctions, EachFunctionIsDefinedAndTakesExactlyItsArguments) {
    for (const script::Function& row : script::GlobalFunctions()) {
        SCOPED_TRACE(row.name);
        const std::string arity = std::to_string(row.parameters.size());
        const std::string method = "method(:" + row.name + ")";
        EXPECT_EQ(Inspect(method + ".arity"), arity);
        test::CaptureLog log;
        Inspect(method + ".call(*[0] * " + std::to_string(row.parameters.size() + 1) + ")");
        EXPECT_EQ(log.Lines(),
                  Strings{"EngineRuby: wrong number of arguments (given " +
                          std::to_string(row.parameters.size() + 1) + ", expected " + arity + ")"});
    }
}

TEST_F(ScriptFunctions, ArgumentsOfTheWrongKindRaiseATypeErrorAndDoNothing) {
    Run({
        {"snd_set_volume('loud')", "", {"EngineRuby: no implicit conversion to float from string"}},
        {"sound_play_v('click.wav', nil)", "", {"EngineRuby: no implicit conversion to float from nil"}},
        {"sound_play(:click)", "", {"EngineRuby: no implicit conversion of Symbol into String"}},
        {"user_select(false)", "", {"EngineRuby: no implicit conversion of false into String"}},
        {"sound_play(Class.new { def to_str; raise 'refused'; end }.new)", "", {"EngineRuby: refused"}},
        {"begin; context_get(1); rescue TypeError; 'rescued'; end", "\"rescued\"", {}},
    });
}

TEST_F(ScriptFunctions, EachFunctionReachesItsServiceAndGivesItsResult) {
    // A new device, so channels count from 0.
    test::FakeAudioDevice* replaced = Audio();
    audio::Device::instance()->SetImplementation(new test::FakeAudioDevice);
    delete replaced;
    Dir().Write("sfx/click.wav", "1234");
    Dir().Write("music/a.ogg", "123456");
    Dir().Write("i18n.xml", "<localization><messages><m key='greet' msg='Hello'/></messages></localization>");
    i18n::MessageTable::instance()->Load("i18n.xml");
    Run({
        {"log('100% %s done')", "nil", {"100% %s done"}},
        {"log(5)", "nil", {}},
        {"alias say log; say('through an alias')", "nil", {"through an alias"}},
        {"snd_set_volume(1)", "nil", {"SetMasterVolume 1"}},
        {"snd_get_volume", "1.0", {}},
        {"sfx_set_volume(0.25); sfx_get_volume", "0.25", {"SetSfxVolume 0.25"}},
        {"music_set_volume(1e300)", "nil", {"SetMusicVolume inf"}},
        {"music_set_volume(0.75); music_get_volume", "0.75", {"SetMusicVolume 0.75"}},
        {"[snd_mute, snd_unmute]", "[nil, nil]", {"Mute on", "Mute off"}},
        {"music_play('music/a.ogg')", "nil", {"LOAD: music/a.ogg", "LoadStream 6", "Play(stream) loop"}},
        {"music_play('music/a.ogg')", "nil", {}},
        {"music_play_nl('x.ogg')",
         "nil",
         {"LOAD: x.ogg", "LoadStream empty", "Stop(stream)", "Play(stream) once"}},
        {"sound_play('click.wav')",
         "nil",
         {"Loading sample click.wav", "LOAD: sfx/click.wav", "LoadSample 4", "Play(sample) -1 once"}},
        {"sound_play_v('click.wav', 0.3)", "nil", {"Play(sample) 0.3 once", "SetChannelVolume 3 0.3"}},
        {"context_set('nul', \"a\\0b\"); context_get('nul')", "\"a\"", {}},
        {"context_set('k', 12); context_get('k')", "\"\"", {}},
        {"context_get('never set')", "\"\"", {}},
        {"config_set('sfx', '0.7'); config_get('sfx')", "\"0.7\"", {}},
        {"config_get('absent')", "\"\"", {}},
        {"[localize('greet'), localize('no key')]", "[\"Hello\", \"no key\"]", {}},
        {"[nil, 0, false, 0.0, 2**80].map { |f| video_set_fullscreen(f) }",
         "[nil, nil, nil, nil, nil]",
         {"SetFullscreen 1", "SetFullscreen 0", "SetFullscreen 0", "SetFullscreen 1", "SetFullscreen 1"}},
        {"%w[stretched Stretched].map { |m| wallpaper_set('a.png', m) }",
         "[nil, nil]",
         {"SetWallpaper a.png 1", "SetWallpaper a.png 0"}},
        {"stop_mouse_effect", "nil", {"STOPPING MOUSE EFFECT"}},
    });
    EXPECT_EQ(core::Context::instance()->Get("nul").as_string(), std::string("a\0b", 3));
    EXPECT_EQ(core::Context::instance()->Get("k").get_type(), core::Value::STRING);
    EXPECT_EQ(core::Context::instance()->Get("k").as_string(), "");
    EXPECT_NE(Dir().Read("config.cfg").find("sfx = 0.7"), std::string::npos);
}

TEST_F(ScriptFunctions, RequireRunsAFileOnEveryCallAndItsErrorsStayInIt) {
    Dir().Write("counter.rb", "$required = ($required || 0) + 1");
    Dir().Write("empty.rb", "");
    Dir().Write("broken.rb", "def (");
    Dir().Write("local.rb", "$outer_seen = defined?(x).inspect; x = 99");
    Run({
        {"require('counter.rb'); require('counter.rb'); $required",
         "2",
         {"require: loading counter.rb", "LOAD: counter.rb", "require: loading counter.rb",
          "LOAD: counter.rb"}},
        {"require('empty.rb')", "nil", {"require: loading empty.rb", "LOAD: empty.rb"}},
        {"x = 1; require('local.rb'); [x, $outer_seen, self.to_s]",
         "[1, \"nil\", \"main\"]",
         {"require: loading local.rb", "LOAD: local.rb"}},
        {"require('missing.rb')",
         "nil",
         {"require: loading missing.rb", "LOAD: missing.rb", "require: Error: Can't load missing.rb"}},
        {"require(:counter)", "nil", {}},
        {"require('broken.rb'); 'goes on'",
         "\"goes on\"",
         {"require: loading broken.rb", "LOAD: broken.rb",
          "EngineRuby: eval:1: syntax error, unexpected end-of-input\ndef (\n     ^\n"}},
    });
    Dir().Write("again.rb", "require('again.rb')");
    test::CaptureLog log;
    EXPECT_EQ(Inspect("require('again.rb'); 'returned'"), "\"returned\"");
    EXPECT_TRUE(log.Contains("stack level too deep"));
}

class LoggingFunctor : public core::Functor {
public:
    void operator()() override { core::Log::instance()->Write("ran"); }
};

class ThrowingFunctor : public core::Functor {
public:
    void operator()() override { throw std::out_of_range("cell 30, 2"); }
};

TEST_F(ScriptFunctions, CallFunctorRunsTheNamedChainAndContainsItsExceptions) {
    core::FunctorFactory::instance()->Register("logs", core::ptr<core::Functor>(new LoggingFunctor));
    core::FunctorFactory::instance()->Register("throws", core::ptr<core::Functor>(new ThrowingFunctor));
    Run({
        {"call_functor('logs;logs')", "nil", {"ran", "ran"}},
        {"call_functor('nothing')", "nil", {"Error: no functor 'nothing'"}},
        {"call_functor('throws'); 'goes on'", "\"goes on\"", {"call_functor: cell 30, 2"}},
    });
}

TEST_F(ScriptFunctions, ChangeLevelsetReplacesTheLevelsUnlessTheFileIsMissing) {
    Dir().Write("levels.xml", "<levelset><episode><level/><level/></episode></levelset>");
    Run({
        {"change_levelset('levels.xml')", "nil", {"LevelSet::Load levels.xml", "LOAD: levels.xml"}},
        {"change_levelset('none.xml')", "nil", {"LevelSet::Load none.xml", "LOAD: none.xml"}},
    });
    EXPECT_EQ(game::LevelSet::instance()->GetLevelCount(), 2u);
}

TEST_F(ScriptFunctions, PlayersAreAddedSelectedAndKeepTheirOptions) {
    Run({
        {"[userlist_empty, userlist_size, userlist_selected]", "[true, 0, nil]", {}},
        {"seluser_set_option('level', '3'); seluser_get_option('level')", "\"\"", {}},
        {"user_add('Ann'); user_add('Bob')", "nil", {}},
        {"[userlist_empty, userlist_size, userlist_selected]", "[false, 2, \"Bob\"]", {}},
        {"['Ann', 'ann', 'An', 'Anne'].map { |n| user_exists?(n) }", "[true, false, false, false]", {}},
        {"user_select(nil); userlist_selected", "\"Bob\"", {}},
        {"user_select('Nobody'); user_select('Ann'); userlist_selected", "\"Ann\"", {}},
        {"seluser_set_option('level', '7'); [seluser_get_option('level'), seluser_get_option('x')]",
         "[\"7\", \"\"]",
         {}},
        {"user_delete('Ann'); [user_exists?('Ann'), userlist_selected]", "[false, \"Bob\"]", {}},
    });
    game::Users reread;
    EXPECT_EQ(reread.GetNames(), std::list<std::string>{"Bob"});
}

TEST_F(ScriptFunctions, ScoresGetGivesTenRowsFromATableOfTheScoreFolderOnly) {
    setenv("TZ", "UTC", 1);
    tzset();
    game::Scores table;
    table.Add(core::ptr<game::Scores::Entry>(new game::Scores::Entry("Ann", 500, 978404640)));
    std::filesystem::create_directories(Dir() / "scores");
    table.Save(Dir() / "scores/best.sc");
    table.Save(Dir() / "best.sc");
    const std::string empty_row = "[\"\", \"\", \"\"]";
    std::string nine_empty;
    for (int i = 0; i < 9; ++i) nine_empty += ", " + empty_row;
    const std::string best = "[[\"Ann\", \"500\", \"01/02/2001 03:04\"]" + nine_empty + "]";
    const std::string none = "[" + empty_row + nine_empty + "]";
    Run({
        {"scores_get('Moravane', 'best')", best, {}},
        {"scores_get('not read', 'best')", best, {}},
        {"scores_get('Moravane', 'none')", none, {}},
        {"scores_get('Moravane', '../best')", none, {"scores_get: refused table name '../best'"}},
        {"scores_get('Moravane', '/tmp/x')", none, {"scores_get: refused table name '/tmp/x'"}},
        {"scores_get('Moravane', '')", none, {"scores_get: refused table name ''"}},
    });
    script::SetScoreTablesDir("");
    Run({{"scores_get('Moravane', 'best')", none, {"scores_get: no score table folder"}}});
    script::SetScoreTablesDir(Dir() / "scores");
}

TEST_F(ScriptFunctions, ThousandsOfCallsWithWrongArgumentsNeverBreakTheInterpreter) {
    const Strings values = {"nil",
                            "true",
                            "0",
                            "-1",
                            "2**40",
                            "-(2**90)",
                            "1.5",
                            "Float::NAN",
                            "1e40",
                            "1r",
                            "'text'",
                            "''",
                            "\"a\\0b\"",
                            "'../up'",
                            "'x' * 5000",
                            "\"\\xff\"",
                            ":symbol",
                            "[1, 'a']",
                            "{key: 1}",
                            "Object.new",
                            "BasicObject.new",
                            "method(:puts)",
                            "Class.new { def to_str; raise 'to_str failed'; end }.new",
                            "Class.new { def to_f; raise 'to_f failed'; end }.new",
                            "'screen.xml'",
                            "'panel'",
                            "'panel/ok'",
                            "'on_load'",
                            "'gui_clear; gui_pop'"};
    // A screen whose windows the window functions find, and whose loading runs script.
    Dir().Write("screen.xml",
                "<gui><container id='panel'><container id='ok'/></container>"
                "<handlers><handler name='on_load' code='window_hide(\"panel\")'/></handlers></gui>");
    gui::Container::Register();
    Strings names;
    for (const script::Function& row : script::GlobalFunctions()) names.push_back(row.name);
    std::mt19937 generator(20240611);
    test::CaptureLog log;
    for (int call = 0; call < 3000; ++call) {
        std::string code = names[generator() % names.size()] + "(";
        const unsigned int count = generator() % 5;
        for (unsigned int i = 0; i < count; ++i)
            code += (i ? ", " : "") + values[generator() % values.size()];
        script::Engine::instance()->Eval(code + ")");
        ASSERT_EQ(script::Engine::instance()->Eval("6 * 7")->to_int(), 42) << code;
    }
    EXPECT_TRUE(log.Contains("wrong number of arguments"));
    EXPECT_TRUE(log.Contains("to_str failed"));
}

}  // namespace
