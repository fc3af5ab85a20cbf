#include <algorithm>
#include <cmath>
#include <iterator>

#include "Seaquell/b_token.h"
#include "Seaquell/board.h"
#include "Seaquell/board_helpers.h"
#include "Seaquell/ghost.h"
#include "vantle/effects/effect_manager.h"
#include "vantle/game/current_powerup_set.h"

namespace cm {

namespace {

enum ClickMode : unsigned int {
    kNone = 0,
    kRow = 1,
    kColumn = 2,
    kBlock = 3,
    kColor = 4,
    kRecolor = 6,
    kReshuffle = 7,
};

struct PowerupMode {
    const char* name;
    unsigned int mode;
};

const PowerupMode kPowerupModes[] = {
    {"", kNone},
    {"remove_row", kRow},
    {"remove_col", kColumn},
    {"remove_block", kBlock},
    {"remove_color", kColor},
    {"recolor", kRecolor},
    {"reshuffle", kReshuffle},
};

// The search looks this many cells around the pointer's cell.
const int kSearchReach = 2;
const unsigned int kPoints = 10;

// ceil(position / size) kept within [-1, limit + 1] before it becomes an integer; a position left of or
// above the board, a huge one, or one that is not a number all stay inside the grid's search window.
int SearchCentre(float position, float size, int limit) {
    const float cell = std::ceil(position / size);
    if (!(cell > -1.0f)) return -1;
    return cell < static_cast<float>(limit + 1) ? static_cast<int>(cell) : limit + 1;
}

core::ptr<effects::Effect> EffectOf(const std::map<unsigned int, core::ptr<effects::Effect>>& effects,
                                    unsigned int color) {
    const auto found = effects.find(color - 1);
    return found == effects.end() ? core::ptr<effects::Effect>() : found->second;
}

}  // namespace

bool Board::HandleClickPosition(const math::Vector2& point, bool preview_) {
    game::CurrentPowerupSet* powerups = game::CurrentPowerupSet::instance();
    const std::string selected = powerups->GetSelectedName();
    for (const PowerupMode& entry : kPowerupModes) {
        if (selected == entry.name) click_mode = entry.mode;
    }
    action = false;
    // Spending a power-up clears the click mode; the result still follows the mode the click began with.
    const unsigned int mode = click_mode;

    math::Position cell;
    if (!FindClickedBall(point, cell)) {
        if (mouse_over_ball) mouse_over_ball->MouseOver(false);
        return false;
    }
    const core::ptr<Ball> ball = balls.Get(cell.x, cell.y);
    if (ball->GetColor() == Token::kColor) {
        if (!preview) CollectToken(cell);
        return false;
    }

    bool accepted = false;
    if (click_mode != kRecolor && click_mode != kReshuffle) {
        accepted = TestGroup(cell, ball);
        if (!preview_ && accepted)
            StartEffect(math::Position(0, 0), EffectOf(all_ball_remove_effects, ball->GetColor()));
        if (preview_) {
            if (mouse_over_ball && mouse_over_ball != ball) mouse_over_ball->MouseOver(false);
            ball->MouseOver(true);
            mouse_over_ball = ball;
        }
    }
    RunPowerup(cell, preview_);

    const bool result = mode == kNone ? accepted : mode <= kColor;
    if (!preview_ && !result && !action) StartEffect(math::Position(0, 0), noresult_effect);
    return result;
}

bool Board::FindClickedBall(const math::Vector2& point, math::Position& cell) const {
    // No cell size yet: nothing on screen to click.
    if (!(cell_width > 0) || !(cell_height > 0)) return false;
    const int cx = SearchCentre(cursor.x, cell_width, balls.width);
    const int cy = SearchCentre(cursor.y, cell_height, balls.height);
    for (int x = std::max(cx - kSearchReach, 0); x < std::min(cx + kSearchReach, balls.width); ++x) {
        for (int y = std::max(cy - kSearchReach, 0); y < std::min(cy + kSearchReach, balls.height); ++y) {
            const core::ptr<Ball>& ball = balls.Get(x, y);
            if (ball && ball->HitTest(point)) {
                cell = math::Position(x, y);
                return true;
            }
        }
    }
    return false;
}

void Board::CollectToken(const math::Position& cell) {
    const Token* token = dynamic_cast<const Token*>(balls.Get(cell.x, cell.y).get());
    if (!token) return;
    action = true;
    StartEffect(cell, helpers::TokenEffect(token->value));
    collected_tokens += token->value;
    balls.Set(cell.x, cell.y, core::ptr<Ball>());
}

bool Board::TestGroup(const math::Position& cell, const core::ptr<Ball>& ball) {
    helpers::ClearGrid(remove_mask);
    marked_count = locked_count = 0;
    if (ball->locked) return false;
    CheckRemove(static_cast<unsigned int>(cell.x), static_cast<unsigned int>(cell.y));
    ball->OnClick(this);
    return marked_count >= min_group && marked_count != locked_count;
}

void Board::RunPowerup(const math::Position& cell, bool preview_) {
    if (click_mode == kNone) return;
    const char* name = nullptr;
    for (const PowerupMode& entry : kPowerupModes) {
        if (entry.mode == click_mode) name = entry.name;
    }
    game::CurrentPowerupSet* powerups = game::CurrentPowerupSet::instance();
    const core::ptr<game::Powerup> powerup = powerups->Get(name);
    // A power-up the player does not hold does nothing.
    if (!powerup) return;
    const unsigned int h = powerup->GetOption("halfwidth").as_uint32();
    const unsigned int x = static_cast<unsigned int>(cell.x);
    const unsigned int y = static_cast<unsigned int>(cell.y);
    bool always = true;
    switch (click_mode) {
        case kRow:
            RemoveRow(x, y, h);
            break;
        case kColumn:
            RemoveColumn(x, y, h);
            break;
        case kBlock:
            RemoveBlock(x, y, h, true);
            break;
        case kColor:
            always = false;
            RemoveColor(x, y);
            break;
        case kRecolor:
            always = false;
            Recolor(x, y, h);
            break;
        case kReshuffle:
            always = false;
            Reshuffle(x, y, h);
            break;
        default:
            return;
    }
    if (preview_ || !(always || action)) return;
    click_mode = kNone;
    powerups->Reset(name, helpers::Now());
    powerups->Select("");
    effects::EffectManager::instance()->StopMouseEffect();
}

void Board::CheckRemove(unsigned int x, unsigned int y) {
    const int col = static_cast<int>(x);
    const int row = static_cast<int>(y);
    const math::Position neighbours[] = {{col + 1, row}, {col - 1, row}, {col, row + 1}, {col, row - 1}};
    for (const math::Position& n : neighbours) {
        if (balls.Contains(n.x, n.y))
            CheckRemove(x, y, static_cast<unsigned int>(n.x), static_cast<unsigned int>(n.y));
    }
}

void Board::CheckRemove(unsigned int x, unsigned int y, unsigned int nx, unsigned int ny) {
    const int col = static_cast<int>(nx);
    const int row = static_cast<int>(ny);
    const core::ptr<Ball>& next = balls.Get(col, row);
    if (!Ball::Compare(balls.Get(static_cast<int>(x), static_cast<int>(y)), next)) return;
    if (remove_mask.Get(col, row)) return;
    remove_mask.Set(col, row, true);
    ++marked_count;
    if (next->locked) ++locked_count;
    CheckRemove(nx, ny);
}

void Board::MarkToRemove(unsigned int x, unsigned int y) {
    bool& marked = remove_mask.Get(static_cast<int>(x), static_cast<int>(y));
    if (!marked) ++marked_count;
    marked = true;
}

void Board::PerformRemove() {
    while (marked_count > 0) {
        bool found = false;
        for (int x = 0; x < remove_mask.width; ++x) {
            for (int y = 0; y < remove_mask.height; ++y) {
                if (!remove_mask.Get(x, y)) continue;
                found = true;
                if (marked_count > 0) --marked_count;
                remove_mask.Set(x, y, false);
                PerformSingleRemove(static_cast<unsigned int>(x), static_cast<unsigned int>(y), false);
            }
        }
        // A count that no marked cell backs would sweep for ever.
        if (!found) marked_count = 0;
    }
}

void Board::PerformSingleRemove(unsigned int x, unsigned int y, bool silent) {
    const int col = static_cast<int>(x);
    const int row = static_cast<int>(y);
    // Held here: its own action may replace it in its cell.
    const core::ptr<Ball> ball = balls.Get(col, row);
    if (!ball) return;
    const math::Position cell(col, row);
    if (ball->locked) {
        ball->locked = false;
        StartEffect(cell, unlock_effect);
        return;
    }
    const core::ptr<effects::Effect> effect = EffectOf(ball_remove_effects, ball->GetColor());
    if (!silent) ball->OnRemove(this);
    if (ball->GetColor() != Token::kColor) LeaveGhost(cell);
    if (effect) StartEffect(cell, effect);
}

void Board::LeaveGhost(const math::Position& cell) {
    const core::ptr<Ball> ghost(
        new Ghost(helpers::Now(), ghost_lifetime, math::Vector2(cell_width, cell_height)));
    ghost->MoveTo(cell);
    ghost->target_col = cell.x;
    ghost->target_row = cell.y;
    balls.Set(cell.x, cell.y, ghost);
    if (remove_mask.Get(cell.x, cell.y)) {
        remove_mask.Set(cell.x, cell.y, false);
        if (marked_count > 0) --marked_count;
    }
    BoardCell& floor = back_board.Get(cell.x, cell.y);
    if (floor.plate > 0) {
        --floor.plate;
        if (floor.plate < static_cast<int>(std::size(plate_remove_effects)))
            StartEffect(cell, plate_remove_effects[floor.plate]);
        if (plates_left > 0) --plates_left;
    }
    score += kPoints;
}

}  // namespace cm
