#include "vantle/script/ruby/global_functions.h"

#include <algorithm>
#include <ctime>
#include <list>

#include "vantle/audio/device.h"
#include "vantle/audio/sample_cache.h"
#include "vantle/core/context.h"
#include "vantle/core/functor_factory.h"
#include "vantle/core/log.h"
#include "vantle/core/strutils.h"
#include "vantle/effects/effect_manager.h"
#include "vantle/game/levelset.h"
#include "vantle/game/scores.h"
#include "vantle/game/users.h"
#include "vantle/gui/script_functions.h"
#include "vantle/i18n/mtable.h"
#include "vantle/io/loader.h"
#include "vantle/platform/platform.h"
#include "vantle/script/engine.h"
#include "vantle/utils/config.h"

namespace script {

namespace {

using P = Parameter;

// Sound played without a volume of its own.
const float kDefaultVolume = -1.0f;
const unsigned int kScoreRows = 10;
const char kScoreTableExtension[] = ".sc";
const char kScoreDateFormat[] = "%m/%d/%Y %H:%M";
const std::size_t kScoreDateSize = 49;

std::string score_tables_dir;

core::Log* Log() {
    return core::Log::instance();
}

game::Users* Users() {
    return game::Users::instance();
}

audio::Device* Device() {
    return audio::Device::instance();
}

Result Done() {
    return Result();
}

std::string ReadAll(const core::ptr<io::IStream>& stream) {
    std::string text;
    if (!stream->CanRead()) return text;
    text.resize(stream->Size());
    text.resize(stream->Read(&text[0], text.size()));
    return text;
}

std::string ScoreDate(int time) {
    const std::time_t when = time;
    std::tm local;
    if (!localtime_r(&when, &local)) return std::string();
    char date[kScoreDateSize];
    const std::size_t length = std::strftime(date, sizeof date, kScoreDateFormat, &local);
    return std::string(date, length);
}

std::vector<std::string> ScoreRow(const game::Scores::Entry& entry) {
    if (entry.score == 0) return {entry.name, "", ""};
    return {entry.name, core::unsigned2str(entry.score), ScoreDate(entry.time)};
}

// A table name cannot lead out of the score folder.
bool IsPlainName(const std::string& name) {
    return !name.empty() && name.find_first_of(std::string("/\0", 2)) == std::string::npos &&
           name.find("..") == std::string::npos;
}

std::string ScoreTablePath(const std::string& name) {
    if (score_tables_dir.empty()) {
        Log()->Write("scores_get: no score table folder");
        return std::string();
    }
    if (!IsPlainName(name)) {
        Log()->Write("scores_get: refused table name '%s'", name.c_str());
        return std::string();
    }
    return score_tables_dir + "/" + name + kScoreTableExtension;
}

}  // namespace

// Every function below is one row of the table at the end: its arguments arrive checked.

Result log(const Arguments& a) {
    if (a[0].kind == Argument::Kind::String) Log()->Write(a[0].text);
    return Done();
}

// Runs the file again on every call: there is no record of loaded files.
Result require(const Arguments& a) {
    if (a[0].kind != Argument::Kind::String) return Done();
    const std::string& name = a[0].text;
    Log()->Write("require: loading %s", name.c_str());
    const core::ptr<io::IStream> stream = io::Loader::instance()->Load(name);
    if (!stream) {
        Log()->Write("require: Error: Can't load %s", name.c_str());
        return Done();
    }
    Engine::instance()->Eval(ReadAll(stream));
    return Done();
}

Result call_functor(const Arguments& a) {
    const core::ptr<core::Functor> functor = core::FunctorFactory::instance()->Create(a[0].text);
    if (!functor) {
        Log()->Write("Error: no functor '%s'", a[0].text.c_str());
        return Done();
    }
    (*functor)();
    return Done();
}

Result change_levelset(const Arguments& a) {
    game::LevelSet::instance()->Load(a[0].text);
    return Done();
}

Result user_add(const Arguments& a) {
    Users()->Add(core::ptr<game::User>(new game::User(a[0].text)));
    return Done();
}

Result user_exists(const Arguments& a) {
    const std::list<std::string> names = Users()->GetNames();
    return Result::Bool(std::find(names.begin(), names.end(), a[0].text) != names.end());
}

Result user_delete(const Arguments& a) {
    Users()->Remove(a[0].text);
    return Done();
}

Result user_select(const Arguments& a) {
    if (a[0].kind == Argument::Kind::String) Users()->Select(a[0].text);
    return Done();
}

Result userlist_empty(const Arguments&) {
    return Result::Bool(Users()->GetNames().empty());
}

Result userlist_size(const Arguments&) {
    return Result::Integer(static_cast<int>(Users()->GetNames().size()));
}

Result userlist_selected(const Arguments&) {
    const core::ptr<game::User> user = Users()->GetSelectedUser();
    return user ? Result::Text(user->name) : Done();
}

// Without a selected player there is nobody to keep the option for.
Result seluser_set_option(const Arguments& a) {
    const core::ptr<game::User> user = Users()->GetSelectedUser();
    if (!user) return Done();
    user->Set(a[0].text, core::Value(a[1].text));
    Users()->Update();
    return Done();
}

Result seluser_get_option(const Arguments& a) {
    const core::ptr<game::User> user = Users()->GetSelectedUser();
    return Result::Text(user ? user->Get(a[0].text).as_string() : std::string());
}

Result snd_set_volume(const Arguments& a) {
    Device()->SetMasterVolume(static_cast<float>(a[0].number));
    return Done();
}

Result snd_get_volume(const Arguments&) {
    return Result::Float(Device()->GetMasterVolume());
}

Result snd_mute(const Arguments&) {
    Device()->Mute(true);
    return Done();
}

Result snd_unmute(const Arguments&) {
    Device()->Mute(false);
    return Done();
}

Result sfx_set_volume(const Arguments& a) {
    Device()->SetSfxVolume(static_cast<float>(a[0].number));
    return Done();
}

Result sfx_get_volume(const Arguments&) {
    return Result::Float(Device()->GetSfxVolume());
}

Result music_set_volume(const Arguments& a) {
    Device()->SetMusicVolume(static_cast<float>(a[0].number));
    return Done();
}

Result music_get_volume(const Arguments&) {
    return Result::Float(Device()->GetMusicVolume());
}

Result music_play(const Arguments& a) {
    Device()->SwitchMusicTrack(a[0].text, true);
    return Done();
}

Result music_play_nl(const Arguments& a) {
    Device()->SwitchMusicTrack(a[0].text, false);
    return Done();
}

Result sound_play(const Arguments& a) {
    Device()->Play(audio::SampleCache::instance()->Get(a[0].text), kDefaultVolume, false);
    return Done();
}

// The device may mix a sample at its channel's volume whatever Play was given, so the channel gets it too.
Result sound_play_v(const Arguments& a) {
    const float volume = static_cast<float>(a[1].number);
    const int channel = Device()->Play(audio::SampleCache::instance()->Get(a[0].text), volume, false);
    if (channel >= 0) Device()->SetChannelVolume(channel, volume);
    return Done();
}

Result video_set_fullscreen(const Arguments& a) {
    const bool windowed =
        a[0].kind == Argument::Kind::False || (a[0].kind == Argument::Kind::Integer && a[0].number == 0.0);
    platform::Platform::instance()->SetFullscreen(!windowed);
    return Done();
}

Result context_get(const Arguments& a) {
    return Result::Text(core::Context::instance()->Get(a[0].text).as_string());
}

Result context_set(const Arguments& a) {
    const std::string text = a[1].kind == Argument::Kind::String ? a[1].text : std::string();
    core::Context::instance()->Set(a[0].text, core::Value(text));
    return Done();
}

Result config_get(const Arguments& a) {
    return Result::Text(utils::Config::instance()->Get(a[0].text).as_string());
}

Result config_set(const Arguments& a) {
    utils::Config::instance()->Set(a[0].text, core::Value(a[1].text));
    return Done();
}

// The first argument is not read: tables live in the one score folder, named by the second.
Result scores_get(const Arguments& a) {
    game::Scores table;
    const std::string path = ScoreTablePath(a[1].text);
    if (!path.empty()) table.Load(path);
    std::vector<std::vector<std::string>> rows;
    for (unsigned int index = 0; index < kScoreRows; ++index) rows.push_back(ScoreRow(*table.Get(index)));
    return Result::Rows(rows);
}

Result localize(const Arguments& a) {
    return Result::Text(i18n::MessageTable::instance()->GetMsg(a[0].text));
}

Result wallpaper_set(const Arguments& a) {
    const platform::IPlatform::WallpaperMode mode = a[1].text == "stretched"
                                                        ? platform::IPlatform::WALLPAPER_STRETCHED
                                                        : platform::IPlatform::WALLPAPER_CENTERED;
    platform::Platform::instance()->SetWallpaper(a[0].text, mode);
    return Done();
}

Result stop_mouse_effect(const Arguments&) {
    effects::EffectManager::instance()->StopMouseEffect();
    return Done();
}

std::vector<Function> GlobalFunctions() {
    std::vector<Function> rows = {
        {"log", {P::Any}, &log},
        {"require", {P::Any}, &require},
    };
    const std::vector<Function> gui_rows = gui::ScriptFunctions();
    rows.insert(rows.end(), gui_rows.begin(), gui_rows.end());
    const std::vector<Function> rest = {
        {"call_functor", {P::Text}, &call_functor},
        {"change_levelset", {P::Text}, &change_levelset},
        {"user_add", {P::Text}, &user_add},
        {"user_exists?", {P::Text}, &user_exists},
        {"user_delete", {P::Text}, &user_delete},
        {"user_select", {P::TextOrNil}, &user_select},
        {"userlist_empty", {}, &userlist_empty},
        {"userlist_size", {}, &userlist_size},
        {"userlist_selected", {}, &userlist_selected},
        {"seluser_set_option", {P::Text, P::Text}, &seluser_set_option},
        {"seluser_get_option", {P::Text}, &seluser_get_option},
        {"snd_set_volume", {P::Number}, &snd_set_volume},
        {"snd_get_volume", {}, &snd_get_volume},
        {"snd_mute", {}, &snd_mute},
        {"snd_unmute", {}, &snd_unmute},
        {"sfx_set_volume", {P::Number}, &sfx_set_volume},
        {"sfx_get_volume", {}, &sfx_get_volume},
        {"music_set_volume", {P::Number}, &music_set_volume},
        {"music_get_volume", {}, &music_get_volume},
        {"music_play", {P::Text}, &music_play},
        {"music_play_nl", {P::Text}, &music_play_nl},
        {"sound_play", {P::Text}, &sound_play},
        {"sound_play_v", {P::Text, P::Number}, &sound_play_v},
        {"video_set_fullscreen", {P::Any}, &video_set_fullscreen},
        {"context_get", {P::Text}, &context_get},
        {"context_set", {P::Text, P::Any}, &context_set},
        {"config_get", {P::Text}, &config_get},
        {"config_set", {P::Text, P::Text}, &config_set},
        {"scores_get", {P::Text, P::Text}, &scores_get},
        {"localize", {P::Text}, &localize},
        {"wallpaper_set", {P::Text, P::Text}, &wallpaper_set},
        {"stop_mouse_effect", {}, &stop_mouse_effect},
    };
    rows.insert(rows.end(), rest.begin(), rest.end());
    return rows;
}

void SetScoreTablesDir(const std::string& directory) {
    score_tables_dir = directory;
}

}  // namespace script
