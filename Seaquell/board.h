#pragma once

#include <deque>
#include <list>
#include <map>
#include <string>
#include <vector>

#include "Seaquell/back_board.h"
#include "Seaquell/ball.h"
#include "Seaquell/ball_factory.h"
#include "vantle/core/ptr.h"
#include "vantle/effects/effect_manager.h"
#include "vantle/game/board.h"
#include "vantle/game/levelset.h"
#include "vantle/math/position.h"
#include "vantle/math/vec2.h"
#include "vantle/render/tile.h"

namespace core {
class Functor;
}  // namespace core

namespace effects {
class Effect;
}  // namespace effects

namespace game {
class Sprite;
}  // namespace game

namespace cm {

// The match board: the balls on their grid, the back board of cells and plates, the ball factory, the
// level's clock and score, and the state the board's rules work on. Owners build it, set the cell size,
// and hand it a level with LoadLevel (or Reset) before the first frame. Times are milliseconds of the
// frame clock (utils::Timer), unsigned 32-bit.
class Board {
public:
    // One moving line remover: a cell cursor that steps by (dx, dy) and removes what it reaches.
    struct Remover {
        int x;
        int y;
        int dx;
        int dy;
    };

    // A ring of cells spreading from a start cell one Chebyshev step per board step, removing the targeted
    // balls or dropping block balls on the targeted cells. Copies share their grids.
    class Wave {
    public:
        // No targets; only the start cell is in the front.
        Wave(unsigned int x_, unsigned int y_, Board* board_);
        // Puts an untouched cell into the next front.
        void FillOne(unsigned int x_, unsigned int y_);
        // Acts on the current front and advances it; true once no front is left.
        bool Update();

        unsigned int x;
        unsigned int y;
        // A removal wave; false for a bomb insertion wave.
        bool removes = false;
        // Non-zero cells are acted on.
        core::ptr<game::Board<unsigned int>> target;
        // Per cell: 0 untouched, 1 front, 2 done, 3 next front.
        core::ptr<game::Board<unsigned int>> state;
        Board* board;
        // Started at each cell a removal wave removes; may be empty.
        core::ptr<effects::Effect> effect;
    };

    // An empty board without a level; reads the settings kept for the board's life and registers the
    // named functors "remove_random_blocks" and "insert_random_bombs" (the last board built holds them).
    Board(unsigned int width, unsigned int height);
    // Withdraws its named functors when it still holds them, then releases everything; the balls go last.
    ~Board();
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;

    // Keeps a counted reference to the level (which may be empty) and resets.
    void LoadLevel(const core::ptr<game::LevelSet::Level>& level_);
    // Rebuilds the board from the current level: settings, clock, colours and bonus kinds, the map with
    // its preplaced and locked balls, tokens, plates and power-ups. Running removers, waves and a running
    // reshuffle end; effects already started play on and announced balls stay queued.
    void Reset();
    // Fills every existing, unblocked, empty cell from the bottom row up to the second one with a ball
    // from the factory's lottery.
    void Fill();

    // One frame: effects, clock, falling step, reshuffle, idle animations, light wave, time limit.
    void Update();
    // One click at a position relative to the board's origin, with its feedback effects; a click that
    // moves (removes, or acts through a bonus ball or a power-up) advances the factory's turn.
    void Click(const math::Vector2& position);
    // Each does nothing when the board is already in that state.
    void Pause();
    void Resume();
    // The share of existing non-emitter cells that still carry a plate; 0 when there are none.
    float GetFillRate() const;
    // Developer action: takes every plate and counts all of the level's tokens as collected.
    void Clean();
    // The oldest announced ball, removed from the list; empty when none is left.
    core::ptr<Ball> PopGeneratedBall();
    // Highlights, balls with their locks, then the board's effects.
    void Render();

    // Carries out every planned move, front first.
    void Step();
    void PerformSingleStep(unsigned int x, unsigned int y);
    // Plans the move of the ball in (x, y) by (dx, dy); true when planned.
    bool GenerateStep(unsigned int x, unsigned int y, int dx, int dy);
    // Emits on every second call and plans the next moves on every call.
    void Generate();
    // Puts a ball straight into an existing cell; nothing for an empty pointer or a hole.
    void PlaceBall(unsigned int x, unsigned int y, const core::ptr<Ball>& ball);
    void PlaceBall(unsigned int x, unsigned int y, char code);
    // The next Generate emits whatever the counter held.
    void ForceEmit();
    // Whether a ball can still come down into (x, y) from above.
    bool CheckUp(unsigned int x, unsigned int y);

    // One click (preview false) or one hover check (preview true); true when PerformRemove is to follow.
    bool HandleClickPosition(const math::Vector2& point, bool preview_);
    // Marks the group of the ball at (x, y) through its four neighbours.
    void CheckRemove(unsigned int x, unsigned int y);
    void CheckRemove(unsigned int x, unsigned int y, unsigned int nx, unsigned int ny);
    void MarkToRemove(unsigned int x, unsigned int y);
    // Removes every marked cell, including those that removed bonus balls mark on the way.
    void PerformRemove();
    // Unlocks a locked ball, or removes the ball leaving a ghost; silent skips the ball's own action.
    void PerformSingleRemove(unsigned int x, unsigned int y, bool silent);

    // Line actions send removers outward from (x, y); h is the half-width of the band.
    void RemoveRow(unsigned int x, unsigned int y, unsigned int h);
    void RemoveColumn(unsigned int x, unsigned int y, unsigned int h);
    void RemoveCross(unsigned int x, unsigned int y);
    void RemoveDiagonalCross(unsigned int x, unsigned int y);
    void RemoveDiagonalLeft(unsigned int x, unsigned int y, unsigned int h);
    void RemoveDiagonalRight(unsigned int x, unsigned int y, unsigned int h);
    // The square of side 2h + 1 at once; direct tells a click from a chained removal.
    void RemoveBlock(unsigned int x, unsigned int y, unsigned int h, bool direct);
    void AddTime(unsigned int x, unsigned int y);
    void UpdateRemovers();

    // Every ball of the colour of the ball at (x, y), by a wave from there.
    void RemoveColor(unsigned int x, unsigned int y);
    void RemoveColor(unsigned int x, unsigned int y, unsigned int color);
    void Recolor(unsigned int x, unsigned int y, unsigned int h);
    void Reshuffle(unsigned int x, unsigned int y, unsigned int h);
    // One plate level back on an existing cell that is no emitter, up to 3.
    void RestorePlate(const math::Position& cell);
    void RemoveRandomBlocks(unsigned int count);
    // With the count of the current power-up set's "remove_rb".
    void RemoveRandomBlocks();
    void InsertRandomBombs(unsigned int count);
    // With the count of the current power-up set's "rnd_bombs".
    void InsertRandomBombs();
    void UpdateWaves();

    // Stores the pointer position and updates the hover highlight.
    void MouseMove(const math::Vector2& point);
    // The pointer left the board: the hover ends as over an empty cell, until the next MouseMove.
    void MouseLeave();
    void RecheckHighlights();
    // Win check and highlights after a change.
    void OnChanges();
    // True when no existing cell carries a plate.
    bool Cleaned() const;
    void UpdateHighlights(bool strong);
    void StartRandomAnimation();
    void UpdateLightWave();

    // Appends the ended level's line to "playing_stat.csv" in the user directory. A won level's score
    // counts its whole time bonus, also the part still being paid out.
    void SaveStat();

    // Loads the shared artwork and effect templates on the first call; later calls return at once.
    static void Preload();
    // Releases the shared artwork; the next Preload loads it again. Runs by itself at process exit, before
    // the services that were in place at the first Preload go; owners may call it earlier.
    static void Unload();
    // Starts a copy of the template at the centre of the cell in the board's own effect runner. Nothing
    // starts in preview, with no_effects set, or for an empty template (a missing file).
    void StartEffect(const math::Position& cell, const core::ptr<effects::Effect>& effect);
    // The same with a copy showing the text.
    void StartEffect(const math::Position& cell, const core::ptr<effects::Effect>& effect,
                     const std::string& text);

    // The balls by (column, row); an empty pointer is an empty cell.
    game::Board<core::ptr<Ball>> balls;
    // The time limit minus play_time, as of the end of the last frame.
    unsigned int time_left = 0;
    unsigned int score = 0;
    // The winning bonus, fixed on the win and paid into the score step by step, all of it by the end of
    // the bonus animation.
    unsigned int time_bonus = 0;
    // What of it the score holds so far.
    unsigned int bonus_paid = 0;
    unsigned int last_bonus_time = 0;
    // The level being played; may be empty.
    core::ptr<game::LevelSet::Level> level;
    // Time played, pauses excluded.
    unsigned int play_time = 0;
    // Clock time of the last reset, and of the win.
    unsigned int start_time = 0;
    unsigned int end_time = 0;
    unsigned int time_limit = kDefaultTimeLimit;
    unsigned int pause_start = 0;
    // All finished pauses since the reset.
    unsigned int paused_time = 0;
    bool paused = false;
    // The level is over, won or lost.
    bool finished = false;
    bool won = false;

    bool reshuffle_running = false;
    unsigned int reshuffle_start = 0;
    unsigned int reshuffle_move_time = kReshuffleMoveTime;
    std::vector<core::ptr<Ball>> reshuffled_balls;

    // One cell in screen units; set by the owner.
    float cell_width = 0.0f;
    float cell_height = 0.0f;
    // The last pointer position given to MouseMove.
    math::Vector2 cursor;

    BackBoard back_board;
    // Cells already chosen as a destination in the current planning.
    game::Board<bool> generation_mask;
    // Cells that filling and generation leave alone; cleared by every reset.
    game::Board<bool> blocked_mask;
    BallFactory factory;

    unsigned int step_period = kStepPeriod;
    unsigned int last_step_time = 0;
    // Generate emits on every emission_period-th call.
    unsigned int emission_period = kEmissionPeriod;
    unsigned int generate_counter = 0;
    // How long a cleared cell holds its ghost: the setting "fall_delay".
    unsigned int ghost_lifetime = 0;
    unsigned int bonus_animation_length = 0;
    unsigned int bonus_emission_count = 0;

    // Cells marked for removal.
    game::Board<bool> remove_mask;
    unsigned int marked_count = 0;
    // Locked balls among those marked by the current group test.
    unsigned int locked_count = 0;
    // The action of the current click: 0 none, 1 row, 2 column, 3 block, 4 colour, 6 recolour, 7 reshuffle.
    unsigned int click_mode = 0;
    // The ball that last received MouseOver(true).
    core::ptr<Ball> mouse_over_ball;
    // The smallest group a click removes.
    unsigned int min_group = kMinGroup;
    // While set, removal actions only mark cells.
    bool preview = false;

    // Sums of the plate levels after the reset, and as plates go.
    unsigned int plates_at_start = 0;
    unsigned int plates_left = 0;
    // How many tokens the level has (a count, not their value).
    unsigned int total_tokens = 0;
    // The values (1, 5 or 10) of the tokens still to be placed, in order.
    std::deque<unsigned int> token_queue;
    // The value of the tokens collected in this level.
    unsigned int collected_tokens = 0;

    // The board's own running effects.
    effects::EffectManagerLocal local_effects;
    std::list<Remover> removers;
    std::list<Wave> waves;

    // Whether the highlight sprites show, and which of the two the cells carry.
    bool highlight_on = false;
    bool highlight_strong = false;
    game::Board<core::ptr<game::Sprite>> highlights;

    // Balls that arrived in the current step and stay, and the cells moved into in it.
    unsigned int landing_count = 0;
    game::Board<bool> moved_mask;
    // Set by every action that changed the board.
    bool action = false;

    unsigned int last_random_animation = 0;
    // Between idle animations; 0 for none.
    unsigned int random_animations_period = 0;
    // Clock time of the last click.
    unsigned int last_move_time = 0;

    bool lightwave_running = false;
    unsigned int lightwave_step = 0;
    unsigned int last_lightwave_start = 0;
    unsigned int lightwave_period = 0;
    // Per light-wave column; 0 for no light wave.
    unsigned int lightwave_step_time = 0;
    unsigned int last_lightwave_step = 0;
    // Idle time after which a light wave may start.
    unsigned int lightwave_threshold = 0;

    // Balls the game window is to announce, oldest first.
    std::list<core::ptr<Ball>> generated_balls;
    // A ball is still on its way to its target row.
    bool balls_moving = false;
    // Score gains that earn the three kinds of praise.
    unsigned int wow1_threshold = 0;
    unsigned int wow2_threshold = 0;
    unsigned int wow3_threshold = 0;
    // When set, the board's effects start nothing (a preview's board).
    bool no_effects = false;

    // Block removals chained since the last direct one, across all boards.
    static inline unsigned int chain = 0;

    // The shared artwork, filled by Preload.
    static bool data_loaded;
    static render::Tile board_tile;
    static render::Tile emitter_tile;
    static render::Tile lock_tile;
    // "plate1" to "plate5".
    static render::Tile plate_tile[5];
    static core::ptr<game::Sprite> highlight_sprite;
    static core::ptr<game::Sprite> highlight2_sprite;
    // By colour - 1.
    static std::map<unsigned int, core::ptr<effects::Effect>> ball_remove_effects;
    static std::map<unsigned int, core::ptr<effects::Effect>> all_ball_remove_effects;
    // By the plate level left after the removal.
    static core::ptr<effects::Effect> plate_remove_effects[3];
    static core::ptr<effects::Effect> remove_row_effect;
    static core::ptr<effects::Effect> remove_col_effect;
    static core::ptr<effects::Effect> remove_row2_effect;
    static core::ptr<effects::Effect> remove_col2_effect;
    static core::ptr<effects::Effect> remove_row3_effect;
    static core::ptr<effects::Effect> remove_col3_effect;
    static core::ptr<effects::Effect> remove_cross_effect;
    static core::ptr<effects::Effect> remove_diag_left_effect;
    static core::ptr<effects::Effect> remove_diag_right_effect;
    static core::ptr<effects::Effect> remove_diag_cross_effect;
    static core::ptr<effects::Effect> remove_token_effect;
    static core::ptr<effects::Effect> remove_token5_effect;
    static core::ptr<effects::Effect> remove_token10_effect;
    static core::ptr<effects::Effect> ball_drop_effect;
    static core::ptr<effects::Effect> noresult_effect;
    static core::ptr<effects::Effect> remove_block_effect;
    static core::ptr<effects::Effect> remove_block0_effect;
    static core::ptr<effects::Effect> remove_block2_effect;
    static core::ptr<effects::Effect> remove_block_snd_effect;
    static core::ptr<effects::Effect> remove_block0_snd_effect;
    static core::ptr<effects::Effect> remove_block2_snd_effect;
    static core::ptr<effects::Effect> remove_block_chain_snd_effect;
    static core::ptr<effects::Effect> remove_block_chain2_snd_effect;
    static core::ptr<effects::Effect> unlock_effect;
    static core::ptr<effects::Effect> remove_add_time_effect;
    static core::ptr<effects::Effect> remove_color_effect;
    static core::ptr<effects::Effect> remove_plates_effect;
    static core::ptr<effects::Effect> recolor_cell_effect;
    static core::ptr<effects::Effect> recolor_effect;
    static core::ptr<effects::Effect> recolor2_effect;
    static core::ptr<effects::Effect> recolor3_effect;
    static core::ptr<effects::Effect> reshuffle_effect;
    static core::ptr<effects::Effect> reshuffle2_effect;
    static core::ptr<effects::Effect> reshuffle3_effect;
    static core::ptr<effects::Effect> remove_rbs_effect;
    static core::ptr<effects::Effect> remove_rb_effect;
    static core::ptr<effects::Effect> rnd_bombs_effect;
    static core::ptr<effects::Effect> insert_bomb_effect;
    static core::ptr<effects::Effect> restore_plate_effect;
    static core::ptr<effects::Effect> makebadball_effect;
    static core::ptr<effects::Effect> wow1_effect;
    static core::ptr<effects::Effect> wow2_effect;
    static core::ptr<effects::Effect> wow3_effect;
    static core::ptr<effects::Effect> score_effect;
    static core::ptr<effects::Effect> bonus_score_effect;

    static constexpr unsigned int kDefaultTimeLimit = 30000;
    static constexpr unsigned int kReshuffleMoveTime = 500;
    static constexpr unsigned int kStepPeriod = 50;
    static constexpr unsigned int kEmissionPeriod = 2;
    static constexpr unsigned int kMinGroup = 3;

private:
    // Generate's steps: emission into empty emitters, then straight and diagonal planning.
    void Emit();
    void EmitAt(int x, int y, float rate);
    // How far the plates have gone, as the share of tokens that may still wait in the queue.
    float TokenRate() const;
    void PlanStraightMoves();
    void PlanDiagonalMoves();

    // HandleClickPosition's steps.
    bool FindClickedBall(const math::Vector2& point, math::Position& cell) const;
    void CollectToken(const math::Position& cell);
    // Marks the clicked ball's group and runs the ball's own action; true when the group goes.
    bool TestGroup(const math::Position& cell, const core::ptr<Ball>& ball);
    void RunPowerup(const math::Position& cell, bool preview_);
    // A ghost in place of the removed ball, with its score and plate.
    void LeaveGhost(const math::Position& cell);

    // Update's steps.
    void RunClock(unsigned int now);
    void PayBonus(unsigned int now);
    void PayBonusStep(unsigned int now, unsigned int amount, float progress);
    void MoveReshuffledBalls(unsigned int now);
    void FallingStep(unsigned int now);
    void SlideBalls(unsigned int now);
    void ShiftTowardsTarget(Ball& ball, float f) const;
    void RunLightWave(unsigned int now);
    template <class Visit>
    void ForEachBall(Visit visit);

    // Reset's steps on the level's record.
    void ApplyLevel();
    void LoadTokens();
    void LoadColors();
    void LoadBonusKinds();
    void LoadMap();
    void PlacePreplacedBalls(const std::string& layer);
    void LockBalls(const std::string& layer);
    unsigned int SumPlates() const;
    // An existing, unblocked cell without a ball.
    bool CanFill(int x, int y) const;
    void ReloadPowerups(unsigned int now);
    bool StartsNothing(const core::ptr<effects::Effect>& effect) const;
    // A started copy of a template, at the centre of the cell.
    void StartCopy(const math::Position& cell, effects::Effect* copy);

    // Held so the destructor withdraws only its own registrations.
    core::ptr<core::Functor> _remove_random_blocks;
    core::ptr<core::Functor> _insert_random_bombs;
};

}  // namespace cm
