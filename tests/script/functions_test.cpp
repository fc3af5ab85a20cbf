#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "functions_fixture.h"
#include "support/capture_log.h"
#include "vantle/core/context.h"
#include "vantle/core/functor_factory.h"
#include "vantle/game/scores.h"
#include "vantle/game/users.h"
#include "vantle/i18n/mtable.h"
#include "vantle/script/engine.h"
#include "vantle/script/function_table.h"
#include "vantle/script/ruby/global_functions.h"

namespace {

using Strings = std::vector<std::string>;

struct Call {
    std::string code;
    std::string result;
    Strings log;
};

class ScriptFunctions : public test::ScriptFunctionsTest {
protected:
    // Runs each call in order, checking what it gives and the log lines it writes.
    void RunCalls(const std::vector<Call>& calls) {
        for (const Call& c : calls) {
            SCOPED_TRACE(c.code);
            test::CaptureLog log;
            EXPECT_EQ(Inspect(c.code), c.result);
            EXPECT_EQ(log.Lines(), c.log);
        }
    }
};

TEST_F(ScriptFunctions, EachFunctionTakesExactlyItsArguments) {
    const std::vector<std::pair<const char*, int>> arities = {
        {"log", 1},
        {"require", 1},
        {"call_functor", 1},
        {"user_add", 1},
        {"user_exists?", 1},
        {"user_delete", 1},
        {"user_select", 1},
        {"userlist_empty", 0},
        {"userlist_size", 0},
        {"userlist_selected", 0},
        {"seluser_set_option", 2},
        {"seluser_get_option", 1},
        {"snd_set_volume", 1},
        {"snd_get_volume", 0},
        {"snd_mute", 0},
        {"snd_unmute", 0},
        {"sfx_set_volume", 1},
        {"sfx_get_volume", 0},
        {"music_set_volume", 1},
        {"music_get_volume", 0},
        {"music_play", 1},
        {"music_play_nl", 1},
        {"sound_play", 1},
        {"sound_play_v", 2},
        {"video_set_fullscreen", 1},
        {"context_get", 1},
        {"context_set", 2},
        {"config_get", 1},
        {"config_set", 2},
        {"scores_get", 2},
        {"localize", 1},
        {"wallpaper_set", 2},
        {"stop_mouse_effect", 0},
    };
    for (const auto& [name, arity] : arities) {
        SCOPED_TRACE(name);
        const std::string method = std::string("method(:") + name + ")";
        EXPECT_EQ(Inspect(method + ".arity"), std::to_string(arity));
        test::CaptureLog log;
        EXPECT_EQ(Inspect(method + ".call(*[0] * " + std::to_string(arity + 1) + ")"), "") << "failed";
        ASSERT_EQ(log.Lines().size(), 1u);
        EXPECT_EQ(log.Lines()[0], "EngineRuby: wrong number of arguments (given " +
                                      std::to_string(arity + 1) + ", expected " + std::to_string(arity) +
                                      ")");
    }
}

TEST_F(ScriptFunctions, ArgumentsOfTheWrongKindRaiseATypeErrorAndChangeNothing) {
    const std::vector<Call> calls = {
        {"snd_set_volume('loud')", "", {"EngineRuby: no implicit conversion to float from string"}},
        {"sound_play_v('click.wav', nil)", "", {"EngineRuby: no implicit conversion to float from nil"}},
        {"sound_play(:click)", "", {"EngineRuby: no implicit conversion of Symbol into String"}},
        {"context_set(1, 'x')", "", {"EngineRuby: no implicit conversion of Integer into String"}},
        {"user_select(false)", "", {"EngineRuby: no implicit conversion of false into String"}},
        {"sound_play(Class.new { def to_str; raise 'refused'; end }.new)", "", {"EngineRuby: refused"}},
    };
    Audio()->calls.clear();
    RunCalls(calls);
    EXPECT_EQ(Audio()->calls, Strings{});
    EXPECT_EQ(Inspect("begin; context_get(nil); rescue TypeError; 'rescued'; end"), "\"rescued\"");
}

TEST_F(ScriptFunctions, SoundCallsReachTheDeviceAndGettersGiveFloats) {
    ResetAudio();
    Dir().Write("sfx/click.wav", "1234");
    Dir().Write("music/a.ogg", "123456");
    Dir().Write("music/b.ogg", "12");
    const std::vector<std::pair<Call, Strings>> cases = {
        {{"snd_set_volume(0.5)", "nil", {}}, {"SetMasterVolume 0.5"}},
        {{"snd_set_volume(1)", "nil", {}}, {"SetMasterVolume 1"}},
        {{"snd_get_volume", "1.0", {}}, {}},
        {{"sfx_set_volume(0.25)", "nil", {}}, {"SetSfxVolume 0.25"}},
        {{"sfx_get_volume", "0.25", {}}, {}},
        {{"music_set_volume(1e300)", "nil", {}}, {"SetMusicVolume inf"}},
        {{"music_set_volume(0.75)", "nil", {}}, {"SetMusicVolume 0.75"}},
        {{"music_get_volume", "0.75", {}}, {}},
        {{"snd_mute", "nil", {}}, {"Mute on"}},
        {{"snd_unmute", "nil", {}}, {"Mute off"}},
        {{"music_play('music/a.ogg')", "nil", {"LOAD: music/a.ogg"}}, {"LoadStream 6", "Play(stream) loop"}},
        {{"music_play('music/a.ogg')", "nil", {}}, {}},
        {{"music_play_nl('music/b.ogg')", "nil", {"LOAD: music/b.ogg"}},
         {"LoadStream 2", "Stop(stream)", "Play(stream) once"}},
        {{"sound_play('click.wav')", "nil", {"Loading sample click.wav", "LOAD: sfx/click.wav"}},
         {"LoadSample 4", "Play(sample) -1 once"}},
        {{"sound_play_v('click.wav', 0.3)", "nil", {}}, {"Play(sample) 0.3 once", "SetChannelVolume 3 0.3"}},
    };
    for (const auto& [call, device] : cases) {
        Audio()->calls.clear();
        RunCalls({call});
        EXPECT_EQ(Audio()->calls, device) << call.code;
    }
}

TEST_F(ScriptFunctions, LogWritesOnlyTextsAndRequireRunsAFileOnEveryCall) {
    Dir().Write("counter.rb", "$required = ($required || 0) + 1\ndef from_file; 'defined'; end");
    Dir().Write("empty.rb", "");
    Dir().Write("broken.rb", "def (");
    const std::vector<Call> calls = {
        {"log('100% %s done')", "nil", {"100% %s done"}},
        {"log(5)", "nil", {}},
        {"log(nil)", "nil", {}},
        {"alias say log; say('through an alias')", "nil", {"through an alias"}},
        {"require('counter.rb')", "nil", {"require: loading counter.rb", "LOAD: counter.rb"}},
        {"require('counter.rb'); [$required, from_file]",
         "[2, \"defined\"]",
         {"require: loading counter.rb", "LOAD: counter.rb"}},
        {"require('empty.rb')", "nil", {"require: loading empty.rb", "LOAD: empty.rb"}},
        {"require('missing.rb')",
         "nil",
         {"require: loading missing.rb", "LOAD: missing.rb", "require: Error: Can't load missing.rb"}},
        {"require(:counter)", "nil", {}},
        {"require('broken.rb'); 'goes on'",
         "\"goes on\"",
         {"require: loading broken.rb", "LOAD: broken.rb",
          "EngineRuby: eval:1: syntax error, unexpected end-of-input\ndef (\n     ^\n"}},
    };
    RunCalls(calls);
}

TEST_F(ScriptFunctions, RequireOfAFileThatRequiresItselfEndsWithALoggedError) {
    Dir().Write("again.rb", "require('again.rb')");
    test::CaptureLog log;
    EXPECT_EQ(Inspect("require('again.rb'); 'returned'"), "\"returned\"");
    EXPECT_TRUE(log.Contains("stack level too deep"));
}

TEST_F(ScriptFunctions, ContextSettingsMessagesAndPlatformCalls) {
    Dir().Write("i18n.xml", "<localization><messages><m key='greet' msg='Hello'/></messages></localization>");
    i18n::MessageTable::instance()->Load("i18n.xml");
    const std::vector<std::pair<Call, Strings>> cases = {
        {{"context_set('k', 'v'); context_get('k')", "\"v\"", {}}, {}},
        {{"context_set('k', 12); context_get('k')", "\"\"", {}}, {}},
        {{"context_set('k', ''); context_get('k')", "\"\"", {}}, {}},
        {{"context_get('never set')", "\"\"", {}}, {}},
        {{"config_set('sfx', '0.7')", "nil", {}}, {}},
        {{"config_get('sfx')", "\"0.7\"", {}}, {}},
        {{"config_get('absent')", "\"\"", {}}, {}},
        {{"localize('greet')", "\"Hello\"", {}}, {}},
        {{"localize('no such key')", "\"no such key\"", {}}, {}},
        {{"video_set_fullscreen(nil)", "nil", {}}, {"SetFullscreen 1"}},
        {{"video_set_fullscreen(0)", "nil", {}}, {"SetFullscreen 0"}},
        {{"video_set_fullscreen(false)", "nil", {}}, {"SetFullscreen 0"}},
        {{"video_set_fullscreen(0.0)", "nil", {}}, {"SetFullscreen 1"}},
        {{"video_set_fullscreen(2**80)", "nil", {}}, {"SetFullscreen 1"}},
        {{"video_set_fullscreen('no')", "nil", {}}, {"SetFullscreen 1"}},
        {{"wallpaper_set('a.png', 'stretched')", "nil", {}}, {"SetWallpaper a.png 1"}},
        {{"wallpaper_set('a.png', 'Stretched')", "nil", {}}, {"SetWallpaper a.png 0"}},
        {{"stop_mouse_effect", "nil", {"STOPPING MOUSE EFFECT"}}, {}},
    };
    for (const auto& [call, requests] : cases) {
        Platform()->requests.clear();
        RunCalls({call});
        EXPECT_EQ(Platform()->requests, requests) << call.code;
    }
    EXPECT_EQ(core::Context::instance()->Get("k").get_type(), core::Value::STRING);
    EXPECT_NE(Dir().Read("config.cfg").find("sfx = 0.7"), std::string::npos);
}

class CountingFunctor : public core::Functor {
public:
    void operator()() override { ++calls; }
    static int calls;
};
int CountingFunctor::calls = 0;

class ThrowingFunctor : public core::Functor {
public:
    void operator()() override { throw std::out_of_range("cell 30, 2"); }
};

TEST_F(ScriptFunctions, CallFunctorRunsTheNamedChainAndContainsItsExceptions) {
    core::FunctorFactory::instance()->Register("count", core::ptr<core::Functor>(new CountingFunctor));
    core::FunctorFactory::instance()->Register("throws", core::ptr<core::Functor>(new ThrowingFunctor));
    const std::vector<std::pair<Call, int>> cases = {
        {{"call_functor('count')", "nil", {}}, 1},
        {{"call_functor('count;count')", "nil", {}}, 2},
        {{"call_functor('nothing')", "nil", {"Error: no functor 'nothing'"}}, 0},
        {{"call_functor('throws'); 'goes on'", "\"goes on\"", {"call_functor: cell 30, 2"}}, 0},
    };
    for (const auto& [call, count] : cases) {
        CountingFunctor::calls = 0;
        RunCalls({call});
        EXPECT_EQ(CountingFunctor::calls, count) << call.code;
    }
}

TEST_F(ScriptFunctions, PlayersAreAddedSelectedAndKeepTheirOptions) {
    for (const std::string& name : game::Users::instance()->GetNames()) game::Users::instance()->Remove(name);
    const std::vector<Call> calls = {
        {"userlist_empty", "true", {}},
        {"userlist_size", "0", {}},
        {"userlist_selected", "nil", {}},
        {"seluser_set_option('level', '3')", "nil", {}},
        {"seluser_get_option('level')", "\"\"", {}},
        {"user_add('Ann')", "nil", {}},
        {"user_add('Bob')", "nil", {}},
        {"[userlist_empty, userlist_size, userlist_selected]", "[false, 2, \"Bob\"]", {}},
        {"['Ann', 'ann', 'An', 'Anne', ''].map { |n| user_exists?(n) }",
         "[true, false, false, false, false]",
         {}},
        {"user_select(nil); userlist_selected", "\"Bob\"", {}},
        {"user_select('Ann'); userlist_selected", "\"Ann\"", {}},
        {"user_select('Nobody'); userlist_selected", "\"Ann\"", {}},
        {"seluser_set_option('level', '7')", "nil", {}},
        {"[seluser_get_option('level'), seluser_get_option('absent')]", "[\"7\", \"\"]", {}},
        {"user_select('Bob'); seluser_get_option('level')", "\"\"", {}},
    };
    RunCalls(calls);
    game::Users reread;
    ASSERT_TRUE(reread.GetUser("Ann"));
    EXPECT_EQ(reread.GetUser("Ann")->Get("level").as_string(), "7");

    RunCalls({{"user_delete('Bob'); [user_exists?('Bob'), userlist_selected]", "[false, \"Ann\"]", {}}});
}

TEST_F(ScriptFunctions, ScoresGetGivesTenRowsFromATableOfTheScoreFolderOnly) {
    setenv("TZ", "UTC", 1);
    tzset();
    const std::string empty = "[\"\", \"\", \"\"]";
    std::string eight_empty;
    for (int i = 0; i < 8; ++i) eight_empty += ", " + empty;
    std::string ten_empty = empty;
    for (int i = 0; i < 9; ++i) ten_empty += ", " + empty;
    game::Scores table;
    table.Add(core::ptr<game::Scores::Entry>(new game::Scores::Entry("Ann", 500, 978404640)));
    table.Add(core::ptr<game::Scores::Entry>(new game::Scores::Entry("Bob", 20, 1000000000)));
    std::filesystem::create_directories(Dir() / "scores");
    table.Save(Dir() / "scores/best.sc");
    table.Save(Dir() / "best.sc");
    const std::string best =
        "[[\"Ann\", \"500\", \"01/02/2001 03:04\"], [\"Bob\", \"20\", \"09/09/2001 01:46\"]" + eight_empty +
        "]";

    script::SetScoreTablesDir("");
    RunCalls(
        {{"scores_get('Moravane', 'best')", ("[" + ten_empty + "]"), {"scores_get: no score table folder"}}});
    script::SetScoreTablesDir(Dir() / "scores");
    const std::vector<Call> calls = {
        {"scores_get('Moravane', 'best')", best, {}},
        {"scores_get('ignored', 'best')", best, {}},
        {"scores_get('Moravane', 'none')", ("[" + ten_empty + "]"), {}},
        {"scores_get('Moravane', '../best')",
         ("[" + ten_empty + "]"),
         {"scores_get: refused table name '../best'"}},
        {"scores_get('Moravane', '/tmp/best')",
         ("[" + ten_empty + "]"),
         {"scores_get: refused table name '/tmp/best'"}},
        {"scores_get('Moravane', '..')", ("[" + ten_empty + "]"), {"scores_get: refused table name '..'"}},
        {"scores_get('Moravane', '')", ("[" + ten_empty + "]"), {"scores_get: refused table name ''"}},
    };
    RunCalls(calls);
    EXPECT_FALSE(std::filesystem::exists(Dir() / "scoresbest.sc"));
}

script::Result Echo(const script::Arguments& a) {
    return script::Result::Text(a[0].text + "|" + a[1].text);
}

script::Result Bytes(const script::Arguments& a) {
    return script::Result::Integer(static_cast<int>(a[0].text.size()));
}

TEST_F(ScriptFunctions, RowsAddedLaterAreDefinedAtOnceAndResultsConvert) {
    test::CaptureLog log;
    script::FunctionTable::instance()->Add({
        {"echo", {script::Parameter::Text, script::Parameter::Any}, &Echo},
        {"bytes", {script::Parameter::Text}, &Bytes},
        {"rows",
         {},
         [](const script::Arguments&) {
             return script::Result::Rows({{"a", "b"}, {}});
         }},
        {"cut_text",
         {},
         [](const script::Arguments&) { return script::Result::Text(std::string("ab\0c", 4)); }},
        {"big", {}, [](const script::Arguments&) { return script::Result::Integer(-2000000000); }},
        {"too_many", {{}, {}, {}, {}}, [](const script::Arguments&) { return script::Result(); }},
    });
    EXPECT_EQ(log.Lines(), Strings{"FunctionTable: refused too_many"});
    RunCalls({
        {"bytes(\"x\\0y\")", "3", {}},
        {"echo('a', 5)", "\"a|\"", {}},
        {"rows", "[[\"a\", \"b\"], []]", {}},
        {"cut_text", "\"ab\"", {}},
        {"cut_text.encoding", "#<Encoding:UTF-8>", {}},
        {"big", "-2000000000", {}},
        {"respond_to?(:too_many, true)", "false", {}},
    });
}

}  // namespace
