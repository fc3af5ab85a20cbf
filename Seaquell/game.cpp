#include "Seaquell/game.h"

#include "Seaquell/owned_functors.h"
#include "vantle/core/context.h"
#include "vantle/core/functor_factory.h"
#include "vantle/core/log.h"
#include "vantle/core/strutils.h"
#include "vantle/effects/effect.h"
#include "vantle/game/current_powerup_set.h"
#include "vantle/game/levelset.h"
#include "vantle/game/users.h"
#include "vantle/gui/root_services.h"
#include "vantle/gui/root_window.h"
#include "vantle/gui/window_factory.h"
#include "vantle/math/mat4.h"
#include "vantle/render/render.h"
#include "vantle/utils/config.h"

namespace cm {

bool Game::data_loaded = false;
core::ptr<effects::Effect> Game::win_effect;

namespace {

const char kBackgroundDir[] = "data/gui/backgrounds/";
const char kWinEffectFile[] = "data/effects/win.xml";
const char kAllPowerups[] =
    "remove_color:1;rnd_bombs:1;remove_rb:1;remove_col:1;remove_block:1;remove_row:1;recolor:1";
// Where the win effect plays, in screen units: the middle of the 800 by 600 screen.
const float kWinEffectX = 400.0f;
const float kWinEffectY = 300.0f;
const float kRowShare = 0.0625f;

enum Button { kLeft = 0, kMiddle = 1 };

// Developer keys by SDL key code: F10 and F11 come through only from an input layer wider than a byte.
const int kCleanKeys[] = {119, 121, 291};
const int kPowerupKeys[] = {122, 292};

template <size_t N>
bool OneOf(int code, const int (&codes)[N]) {
    for (int c : codes)
        if (c == code) return true;
    return false;
}

core::Context* Context() {
    return core::Context::instance();
}

bool CustomPlay() {
    return Context()->Get("custom_play").as_bool();
}

core::ptr<game::User> SelectedPlayer() {
    return game::Users::instance()->GetSelectedUser();
}

// A player option read as a whole number; 0 without a player.
unsigned int PlayerNumber(const core::ptr<game::User>& player, const std::string& option) {
    return player ? player->Get(option).as_uint32() : 0u;
}

const NamedAction<Game> kFunctors[] = {
    {"game_reset", &Game::Reset},
    {"game_pause", &Game::Pause},
    {"game_resume", &Game::Resume},
    {"game_stop_effect", &Game::StopEffect},
};

}  // namespace

Game::Game(TiXmlElement* element)
    : gui::ClickableWindow(element), board(kColumns, kRows), view(GetRect(), &board, false) {
    const math::Rect& area = GetRect();
    board.cell_width = (area.right - area.left) / static_cast<float>(kColumns);
    board.cell_height = (area.bottom - area.top) * kRowShare;
    SetEnabled(true);
    const core::ptr<game::LevelSet::Level> level = ChooseLevel();
    ReplaceBackground(level);
    RegisterFunctors();
    Preload();
    win_shown = 0;
    // Loading resets the board; a second board reset would queue the preplaced bonus balls twice, so
    // only the rest of Reset follows.
    board.LoadLevel(level);
    level_id = level ? level->id : 0u;
    ResetCounters();
    effects::EffectManager::instance()->StopMouseEffect();
}

Game::~Game() {
    core::Log::instance()->Write("Game DELETE");
    if (effects::EffectManager::exists()) effects::EffectManager::instance()->StopMouseEffect();
    win_puppy.Stop();
    WithdrawOwnedFunctors(kFunctors, _functors);
}

core::ptr<game::LevelSet::Level> Game::ChooseLevel() const {
    game::LevelSet* levels = game::LevelSet::instance();
    const core::ptr<game::User> player = SelectedPlayer();
    core::ptr<game::LevelSet::Level> level;
    if (player) {
        const char* option = CustomPlay() ? "last_level" : "max_level";
        level = levels->GetLevel(static_cast<int>(PlayerNumber(player, option)));
    }
    if (!level) level = levels->GetLevel(0);
    if (!level) core::Log::instance()->Write("Game: the level set holds no level");
    return level;
}

void Game::ReplaceBackground(const core::ptr<game::LevelSet::Level>& level) const {
    if (!level) return;
    const std::string file = kBackgroundDir + level->Get("background").as_string() + ".xml";
    core::Log::instance()->Write("Replacing BG with %s", file.c_str());
    const core::ptr<gui::Window> back = gui::RootWindow::instance()->GetChild("back");
    if (back) back->LoadChilds(file);
}

void Game::RegisterFunctors() {
    RegisterOwnedFunctors(this, kFunctors, _functors);
}

void Game::Preload() {
    if (data_loaded) return;
    win_effect = core::ptr<effects::Effect>(new effects::Effect(kWinEffectFile));
    data_loaded = true;
}

gui::Window* CreateQXGame(TiXmlElement* element) {
    return new Game(element);
}

void Game::Register() {
    gui::WindowFactory::instance()->Register("qx_board", &CreateQXGame);
}

void Game::ResetCounters() {
    frame_count = last_score = score_changes = 0;
    timer_tutorial_shown = powerups_tutorial_shown = 0;
    end_handled = false;
}

void Game::Reset() {
    board.Reset();
    ResetCounters();
    effects::EffectManager::instance()->StopMouseEffect();
}

void Game::Pause() {
    board.Pause();
}

void Game::Resume() {
    board.Resume();
}

void Game::StopEffect() {
    win_puppy.Stop();
}

void Game::Render() {
    if (!RenderStart()) return;
    render::IRender* renderer = render::Render::instance()->GetImplementation();
    const math::Rect& area = GetRect();
    renderer->PushWorldMatrix();
    renderer->MultWorldMatrix(math::Translation(area.TopLeft()));
    view.Render();
    renderer->PopWorldMatrix();
    RenderEnd();
}

void Game::OnEvent(const gui::Event& event) {
    if (board.finished) return;
    const math::Rect& area = GetRect();
    const math::Vector2 local(event.pos.x - area.left, event.pos.y - area.top);
    switch (event.type) {
        case gui::Event::MOUSE_MOVE:
            board.MouseMove(local);
            break;
        case gui::Event::MOUSE_LEAVE:
            board.MouseLeave();
            break;
        case gui::Event::MOUSE_DOWN:
            if (event.param == kLeft) OnMouseDown(local);
            break;
        case gui::Event::MOUSE_UP:
            if (event.param == kLeft) OnMouseUp(local);
            if (event.param == kMiddle) board.ForceEmit();
            break;
        case gui::Event::KEY_UP:
            OnKeyUp(event.param);
            break;
        default:
            break;
    }
}

void Game::OnMouseDown(const math::Vector2& pos) {
    board.Click(pos);
}

void Game::OnMouseUp(const math::Vector2&) {}

void Game::OnKeyUp(int code) {
    core::Log* log = core::Log::instance();
    log->Write("Game: KEY_DOWN: %i", code);
    if (!utils::Config::instance()->Get("cheats_enabled").as_bool()) {
        log->Write("cheats disabled");
        return;
    }
    if (OneOf(code, kCleanKeys)) {
        board.Clean();
        log->Write("cleaning level");
        return;
    }
    if (!OneOf(code, kPowerupKeys)) return;
    log->Write("get all powerups");
    const core::ptr<game::User> player = SelectedPlayer();
    if (!player) return;
    player->Set("powerups", core::Value(std::string(kAllPowerups)));
    game::Users::instance()->Update();
}

bool Game::Fire(const std::string& handler) {
    const gui::ReloadWatch reload;
    CallHandler(handler);
    return reload.Reloaded();
}

void Game::Update() {
    const gui::ReloadWatch reload;
    gui::Window::Update();
    if (reload.Reloaded()) return;
    board.Update();
    view.alpha = cur_state.alpha;
    view.Update();
    if (frame_count == 0) {
        // A new level's score shows from its first frame, not after its first removal.
        Context()->Set("game_score", core::Value(board.score));
        if (level_id == 0 && Fire("on_first_level_start")) return;
        if (Fire("on_first_frame")) return;
    }
    ++frame_count;
    PublishProgress();
    if (win_shown == 1) return WinEffectPhase();
    if (!board.finished) return Playing();
    if (!end_handled) EndOfLevel();
}

void Game::PublishProgress() {
    Context()->Set("board_fill_rate", core::Value(board.GetFillRate()));
    // What the score is a share of is not settled yet; until it is, the share stays 0.
    Context()->Set("board_progress", core::Value(0.0f));
}

void Game::WinEffectPhase() {
    if (!win_puppy.IsAlive()) {
        win_shown = 0;
        if (Fire(level_id > kLastRegularLevel ? "after_last_level" : "after_win")) return;
    }
    Context()->Set("game_score", core::Value(board.score));
}

void Game::Playing() {
    const unsigned int timeout = utils::Config::instance()->Get("timeout_time").as_uint32();
    if (board.time_left < timeout) {
        if (Fire("on_timeout")) return;
    } else if (!board.paused && !board.balls_moving) {
        if (!game::CurrentPowerupSet::instance()->IsEmpty() && powerups_tutorial_shown == 0) {
            powerups_tutorial_shown = 1;
            if (Fire("powerups_tutorial")) return;
        } else {
            const core::ptr<Ball> ball = board.PopGeneratedBall();
            if (ball && Fire(ball->locked ? "chain_appear" : ball->GetTypeName() + "_appear")) return;
        }
    }
    Context()->Set("collected_tokens_count", core::Value(board.collected_tokens));
    const unsigned int tokens = PlayerNumber(SelectedPlayer(), "tokens");
    Context()->Set("total_tokens_count", core::Value(board.collected_tokens + tokens));
    if (board.score != last_score) {
        ++score_changes;
        last_score = board.score;
        Context()->Set("game_score", core::Value(board.score));
        if (level_id == 0 && score_changes == kFirstRemoveChanges && Fire("after_first_remove")) return;
    }
    if (timer_tutorial_shown == 0 && board.play_time >= kTimerTutorialTime) {
        timer_tutorial_shown = 1;
        Fire("timer_tutorial");
    }
}

void Game::EndOfLevel() {
    // Booked before any handler runs: a handler may reset the game or leave the screen.
    end_handled = true;
    board.SaveStat();
    if (!board.won) {
        Fire("on_lose");
        return;
    }
    const core::ptr<game::User> player = SelectedPlayer();
    if (!CustomPlay() && player) BookWin(player);
    Context()->Set("collected_tokens_count", core::Value(board.collected_tokens));
    Context()->Set("total_tokens_count", core::Value(PlayerNumber(player, "tokens")));
    Context()->Set("game_score", core::Value(board.score));
    Context()->Set("play_time", core::Value(core::time2str(board.play_time / 1000)));
    win_shown = 1;
    if (Fire("on_win")) return;
    StartWinEffect();
}

void Game::BookWin(const core::ptr<game::User>& player) {
    game::LevelSet* levels = game::LevelSet::instance();
    const unsigned int max_level = PlayerNumber(player, "max_level");
    core::ptr<game::LevelSet::Level> next = levels->GetNextLevel(static_cast<int>(max_level));
    player->Set("tokens", core::Value(PlayerNumber(player, "tokens") + board.collected_tokens));
    if (!next) next = levels->GetNextLevel(0);
    if (!next) return;
    if (max_level < next->id) player->Set("max_level", core::Value(next->id));
    player->Set("last_level", core::Value(next->id - 1));
    game::Users::instance()->Update();
}

void Game::StartWinEffect() {
    // A file that failed to load leaves a node without children.
    if (!win_effect || win_effect->GetChilds().empty()) return;
    const core::ptr<effects::Effect> copy(win_effect->Clone());
    copy->MoveTo(math::Vector2(kWinEffectX, kWinEffectY));
    win_puppy = effects::EffectManager::instance()->StartEffectWithPuppy(copy);
}

}  // namespace cm
