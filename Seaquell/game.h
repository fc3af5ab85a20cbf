#pragma once

#include <string>

#include "Seaquell/board.h"
#include "Seaquell/level_view.h"
#include "vantle/core/ptr.h"
#include "vantle/effects/effect_manager.h"
#include "vantle/gui/widgets/clickable_window.h"

class TiXmlElement;

namespace core {
class Functor;
}  // namespace core

namespace game {
class User;
}  // namespace game

namespace cm {

// The window that hosts the match board ("qx_board"): it picks the level from the selected player's
// progress, puts the level's background into the screen's "back", passes the mouse to the board, and each
// frame publishes the board's values to the context and fires the screen's handlers. A finished level is
// booked once (one statistics line, one payment, one "on_win" or "on_lose") until the next Reset. While
// it lives it holds the functors "game_reset", "game_pause", "game_resume" and "game_stop_effect".
class Game : public gui::ClickableWindow {
public:
    static constexpr unsigned int kColumns = 22;
    static constexpr unsigned int kRows = 16;
    // Levels after this id end the campaign: their win fires "after_last_level" instead of "after_win".
    static constexpr unsigned int kLastRegularLevel = 202;
    static constexpr unsigned int kTimerTutorialTime = 10000;
    // "after_first_remove" fires on the first level at this many score changes.
    static constexpr unsigned int kFirstRemoveChanges = 5;

    explicit Game(TiXmlElement* element);
    // Withdraws the functors it still holds and stops its effects.
    ~Game() override;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // The board through the view, at the window's top-left corner; children are not drawn.
    void Render() override;
    // One frame: the board, the view, the context values, the handlers and the end of the level. Ends
    // early when a handler loaded another screen.
    void Update() override;
    // Ignores everything once the level is finished. Moves hover and leaving the window ends it, a left
    // press clicks, a middle release forces an emission, a key release tries the developer keys.
    void OnEvent(const gui::Event& event) override;
    void OnMouseDown(const math::Vector2& pos) override;
    void OnMouseUp(const math::Vector2& pos) override;

    // Functors: the level from its start, the board's clock, the win effect.
    void Reset();
    void Pause();
    void Resume();
    void StopEffect();

    // Loads the win effect once per process.
    static void Preload();
    // "qx_board" with the window factory.
    static void Register();

    Board board;
    LevelView view;
    // 1 from "on_win" until the win effect has ended.
    int win_shown = 0;
    effects::EffectPuppy win_puppy;
    unsigned int level_id = 0;
    unsigned int frame_count = 0;
    unsigned int score_changes = 0;
    unsigned int last_score = 0;
    int timer_tutorial_shown = 0;
    int powerups_tutorial_shown = 0;
    // The finished level was booked; cleared by Reset.
    bool end_handled = false;

    static bool data_loaded;
    static core::ptr<effects::Effect> win_effect;

private:
    // The counters of a fresh level; the board is left alone.
    void ResetCounters();
    core::ptr<game::LevelSet::Level> ChooseLevel() const;
    void ReplaceBackground(const core::ptr<game::LevelSet::Level>& level) const;
    void RegisterFunctors();
    void OnKeyUp(int code);

    // Each runs the handler; true when it loaded another screen, so the step must end.
    bool Fire(const std::string& handler);
    // Update's phases; each returns after a handler that changed the screen.
    void FirstFrame();
    void PublishProgress();
    void WinEffectPhase();
    void Playing();
    void AnnounceBall();
    void EndOfLevel();
    void BookWin(const core::ptr<game::User>& player);
    void StartWinEffect();

    core::ptr<core::Functor> _functors[4];
};

// The factory's creator for "qx_board".
gui::Window* CreateQXGame(TiXmlElement* element);

}  // namespace cm
