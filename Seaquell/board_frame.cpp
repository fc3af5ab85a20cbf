#include <algorithm>
#include <cmath>

#include "Seaquell/board.h"
#include "Seaquell/board_helpers.h"
#include "vantle/core/context.h"
#include "vantle/effects/effect.h"
#include "vantle/effects/effect_manager.h"
#include "vantle/game/current_powerup_set.h"
#include "vantle/game/sprite.h"
#include "vantle/render/render.h"

namespace cm {

namespace {

// Where the winning bonus rises on the screen: its column, and the bottom and height of the time bar.
const float kBonusX = 730.0f;
const float kBonusBottom = 545.0f;
const float kBonusHeight = 490.0f;

// The praise banners are wider than a cell, about 250 units at their largest, and rise above where they
// start: a banner for a group near an edge starts far enough in to stay whole on the board.
const float kPraiseHalfWidth = 128.0f;
const float kPraiseAbove = 66.0f;
const float kPraiseBelow = 32.0f;

// The cell nearest to the given one whose centre lies at least `before` from the start of a line of
// cells and `after` from its end; the given one on a line too short for both.
int KeepIn(int cell, float before, float after, float size, int cells) {
    if (!(size > 0)) return cell;
    const int first = static_cast<int>(std::ceil(before / size - 0.5f));
    const int last = cells - static_cast<int>(std::ceil(after / size + 0.5f));
    if (first > last) return cell;
    return std::min(std::max(cell, first), last);
}

// The cell under a position, kept within a range that converts safely.
int CellOf(float position, float size) {
    const float limit = 1e6f;
    const float cell = size > 0 ? std::floor(position / size) : 0.0f;
    if (!(cell > -limit)) return static_cast<int>(-limit);
    return cell < limit ? static_cast<int>(cell) : static_cast<int>(limit);
}

}  // namespace

void Board::Update() {
    const unsigned int now = helpers::Now();
    local_effects.Update();
    if (!paused) {
        game::CurrentPowerupSet::instance()->Update(now);
        if (!finished)
            RunClock(now);
        else
            PayBonus(now);
    }
    if (reshuffle_running)
        MoveReshuffledBalls(now);
    else if (now - last_step_time > step_period)
        FallingStep(now);
    else
        SlideBalls(now);
    if (random_animations_period != 0 && now - last_random_animation > random_animations_period) {
        last_random_animation = now;
        StartRandomAnimation();
    }
    RunLightWave(now);
    // The clock stops at 0: after a loss the time left must not wrap round to a full clock.
    time_left = play_time < time_limit ? time_limit - play_time : 0;
    // Also after a win: the played time stops with it, so only a board cleaned past the limit, in the
    // frame whose clock passed it, is lost here.
    if (play_time > time_limit) {
        finished = true;
        won = false;
    }
}

void Board::RunClock(unsigned int now) {
    const unsigned int elapsed = now - start_time;
    play_time = elapsed > paused_time ? elapsed - paused_time : 0;
    core::Context* context = core::Context::instance();
    context->Set("game_time", core::Value(play_time));
    const float progress =
        time_limit ? 1.0f - static_cast<float>(play_time) / static_cast<float>(time_limit) : 0.0f;
    context->Set("game_time_progress", core::Value(progress));
}

void Board::PayBonus(unsigned int now) {
    float progress = 0;
    if (time_limit == 0) {
        // No limit, no bonus.
    } else if (bonus_animation_length == 0 || bonus_emission_count == 0) {
        // No animation to spread the bonus over: all of it at once, in the first frame after the win.
        if (last_bonus_time == 0 && won) PayBonusStep(now, time_bonus, 0);
    } else {
        const float left = play_time < time_limit ? static_cast<float>(time_limit - play_time) : 0.0f;
        const float shown = static_cast<float>(now - end_time) / static_cast<float>(bonus_animation_length);
        progress = 1.0f - (shown * left + static_cast<float>(play_time)) / static_cast<float>(time_limit);
        if (progress >= 0 && now - last_bonus_time > bonus_animation_length / bonus_emission_count)
            PayBonusStep(now, time_bonus / bonus_emission_count, progress);
        if (progress < 0) {
            progress = 0;
            // The steps fall on frames, so a slow frame rate leaves some of them out, and the division
            // leaves a remainder: what is left is paid when the animation is over.
            if (won && bonus_paid < time_bonus) PayBonusStep(now, time_bonus - bonus_paid, 0);
        }
    }
    core::Context::instance()->Set("game_time_progress", core::Value(progress));
}

void Board::PayBonusStep(unsigned int now, unsigned int amount, float progress) {
    amount = std::min(amount, time_bonus - bonus_paid);
    if (bonus_score_effect && !no_effects) {
        const core::ptr<effects::Effect> effect(bonus_score_effect->Clone(std::to_string(amount)));
        effect->MoveTo(math::Vector2(kBonusX, kBonusBottom - kBonusHeight * progress));
        effects::EffectManager::instance()->StartEffect(effect);
    }
    // A clock at 0 must still count as paid.
    last_bonus_time = now ? now : 1;
    bonus_paid += amount;
    score += amount;
}

void Board::MoveReshuffledBalls(unsigned int now) {
    const unsigned int elapsed = now - reshuffle_start;
    if (elapsed < reshuffle_move_time) {
        const float f = static_cast<float>(elapsed) / static_cast<float>(reshuffle_move_time);
        for (const core::ptr<Ball>& ball : reshuffled_balls) ShiftTowardsTarget(*ball, f);
        return;
    }
    for (const core::ptr<Ball>& ball : reshuffled_balls) {
        ball->MoveTo(ball->target_col, ball->target_row);
        if (balls.Contains(ball->col, ball->row)) balls.Set(ball->col, ball->row, ball);
    }
    reshuffle_running = false;
    reshuffled_balls.clear();
}

void Board::FallingStep(unsigned int now) {
    landing_count = 0;
    helpers::ClearGrid(moved_mask);
    last_step_time = now;
    Step();
    UpdateRemovers();
    UpdateWaves();
    if (removers.empty() && waves.empty()) {
        ForEachBall([this, now](int x, int y, Ball& ball) {
            if (!ball.IsAlive(now)) balls.Set(x, y, core::ptr<Ball>());
        });
        Generate();
    }
    ForEachBall([](int, int, Ball& ball) { ball.offset = math::Vector2::ZERO; });
    if (!finished) RecheckHighlights();
    if (landing_count != 0) StartEffect(math::Position(0, 0), ball_drop_effect);
}

void Board::SlideBalls(unsigned int now) {
    balls_moving = false;
    const float f =
        step_period ? static_cast<float>(now - last_step_time) / static_cast<float>(step_period) : 0;
    ForEachBall([this, f](int, int, Ball& ball) {
        ShiftTowardsTarget(ball, f);
        if (ball.target_row != ball.row) balls_moving = true;
    });
}

void Board::ShiftTowardsTarget(Ball& ball, float f) const {
    ball.offset = math::Vector2(static_cast<float>(ball.target_col - ball.col) * cell_width * f,
                                static_cast<float>(ball.target_row - ball.row) * cell_height * f);
}

void Board::RunLightWave(unsigned int now) {
    if (lightwave_step_time == 0) return;
    if (!lightwave_running) {
        if (now - last_move_time < lightwave_threshold || now - last_lightwave_start <= lightwave_period)
            return;
        lightwave_step = 0;
        last_lightwave_start = last_lightwave_step = now;
        lightwave_running = true;
        UpdateLightWave();
        return;
    }
    if (now - last_lightwave_step < lightwave_step_time) return;
    ++lightwave_step;
    UpdateLightWave();
    last_lightwave_step = now;
    if (lightwave_step >= static_cast<unsigned int>(balls.width)) lightwave_running = false;
}

template <class Visit>
void Board::ForEachBall(Visit visit) {
    for (int x = 0; x < balls.width; ++x) {
        for (int y = 0; y < balls.height; ++y) {
            if (const core::ptr<Ball> ball = balls.Get(x, y)) visit(x, y, *ball);
        }
    }
}

void Board::Click(const math::Vector2& position) {
    const unsigned int remembered_min_group = min_group;
    const unsigned int remembered_plates = plates_left;
    const unsigned int remembered_score = score;
    const unsigned int remembered_tokens = collected_tokens;
    const math::Position cell(CellOf(cursor.x, cell_width), CellOf(cursor.y, cell_height));

    const bool removes = HandleClickPosition(position, false);
    if (removes) PerformRemove();
    // Every move (a group, a bonus ball's own action, a power-up) is a turn, so a bonus kind with a delay
    // comes from that move on; collecting a token is no move.
    if (removes || (action && collected_tokens == remembered_tokens)) factory.NextTurn();
    OnChanges();
    min_group = remembered_min_group;
    last_move_time = helpers::Now();

    if (plates_left < remembered_plates) StartEffect(math::Position(0, 0), remove_plates_effect);
    const unsigned int gain = score - remembered_score;
    const math::Position praise(KeepIn(cell.x, kPraiseHalfWidth, kPraiseHalfWidth, cell_width, balls.width),
                                KeepIn(cell.y, kPraiseAbove, kPraiseBelow, cell_height, balls.height));
    if (gain >= wow3_threshold)
        StartEffect(praise, wow3_effect);
    else if (gain >= wow2_threshold)
        StartEffect(praise, wow2_effect);
    else if (gain >= wow1_threshold)
        StartEffect(praise, wow1_effect);
    if (gain != 0) StartEffect(cell, score_effect, std::to_string(gain));
}

void Board::Pause() {
    if (paused) return;
    const unsigned int now = helpers::Now();
    paused = true;
    pause_start = now;
    game::CurrentPowerupSet::instance()->Pause(now);
    ForEachBall([](int, int, Ball& ball) { ball.SetNoEffects(true); });
}

void Board::Resume() {
    if (!paused) return;
    const unsigned int now = helpers::Now();
    paused = false;
    paused_time += now - pause_start;
    game::CurrentPowerupSet* powerups = game::CurrentPowerupSet::instance();
    powerups->Reload();
    powerups->Resume(now);
    if (!won) ForEachBall([](int, int, Ball& ball) { ball.SetNoEffects(false); });
}

float Board::GetFillRate() const {
    unsigned int playable = 0;
    unsigned int plated = 0;
    for (int x = 0; x < back_board.width; ++x) {
        for (int y = 0; y < back_board.height; ++y) {
            const BoardCell& cell = back_board.Get(x, y);
            if (!cell.exists || cell.emitter) continue;
            ++playable;
            if (cell.plate != 0) ++plated;
        }
    }
    return playable ? static_cast<float>(plated) / static_cast<float>(playable) : 0.0f;
}

void Board::Clean() {
    for (int x = 0; x < back_board.width; ++x) {
        for (int y = 0; y < back_board.height; ++y) {
            BoardCell& cell = back_board.Get(x, y);
            if (cell.exists) cell.plate = 0;
        }
    }
    collected_tokens = total_tokens;
}

core::ptr<Ball> Board::PopGeneratedBall() {
    if (generated_balls.empty()) return core::ptr<Ball>();
    const core::ptr<Ball> ball = generated_balls.front();
    generated_balls.pop_front();
    return ball;
}

void Board::Render() {
    const unsigned int now = helpers::Now();
    render::IRender* renderer = render::Render::instance()->GetImplementation();
    if (highlight_on) {
        for (int y = 0; y < highlights.height; ++y) {
            for (int x = 0; x < highlights.width; ++x) {
                if (const core::ptr<game::Sprite>& highlight = highlights.Get(x, y)) highlight->Render();
            }
        }
    }
    for (int y = 0; y < balls.height; ++y) {
        for (int x = 0; x < balls.width; ++x) {
            const core::ptr<Ball>& ball = balls.Get(x, y);
            if (!ball) continue;
            ball->Update(now);
            ball->Render();
            if (!ball->locked || !renderer) continue;
            const float left = cell_width * static_cast<float>(x);
            const float top = cell_height * static_cast<float>(y);
            renderer->DrawRect(math::Rect(left, top, left + cell_width, top + cell_height), lock_tile);
        }
    }
    local_effects.Render();
}

}  // namespace cm
