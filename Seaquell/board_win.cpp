#include "Seaquell/board.h"
#include "Seaquell/board_helpers.h"
#include "vantle/core/random.h"
#include "vantle/game/sprite.h"

namespace cm {

namespace {

// The full time bonus, paid for a level won at once.
const float kFullBonus = 10000.0f;
const int kRandomAnimationAttempts = 11;
// Left of and above every cell, even of a ball sliding in: no ball is hit there.
const math::Vector2 kOffBoard(-1e6f, -1e6f);

}  // namespace

void Board::MouseMove(const math::Vector2& point) {
    cursor = point;
    RecheckHighlights();
}

void Board::MouseLeave() {
    MouseMove(kOffBoard);
}

void Board::RecheckHighlights() {
    preview = true;
    HandleClickPosition(cursor, true);
    const bool group = marked_count >= min_group;
    for (int x = 0; x < balls.width; ++x) {
        for (int y = 0; y < balls.height; ++y) {
            if (const core::ptr<Ball>& ball = balls.Get(x, y)) ball->Over(group && remove_mask.Get(x, y));
        }
    }
    helpers::ClearGrid(remove_mask);
    preview = false;
    marked_count = locked_count = 0;
}

void Board::OnChanges() {
    // An ended level stays as it ended: a remover or wave finishing later neither pays the bonus again
    // nor turns a loss into a win.
    if (finished) return;
    if (Cleaned()) {
        finished = won = true;
        end_time = helpers::Now();
        highlight_on = highlight_strong = false;
        const unsigned int left = play_time < time_limit ? time_limit - play_time : 0;
        time_bonus = time_limit ? static_cast<unsigned int>(static_cast<float>(left) * kFullBonus /
                                                            static_cast<float>(time_limit))
                                : 0;
        bonus_paid = last_bonus_time = 0;
        return;
    }
    unsigned int plated = 0;
    for (int x = 0; x < back_board.width; ++x) {
        for (int y = 0; y < back_board.height; ++y) {
            const BoardCell& cell = back_board.Get(x, y);
            if (cell.exists && cell.plate > 0) ++plated;
        }
    }
    if (plated >= helpers::Setting("highlight_threshold")) return;
    highlight_on = true;
    UpdateHighlights(plated < helpers::Setting("highlight2_threshold"));
}

bool Board::Cleaned() const {
    for (int x = 0; x < back_board.width; ++x) {
        for (int y = 0; y < back_board.height; ++y) {
            const BoardCell& cell = back_board.Get(x, y);
            if (cell.exists && cell.plate > 0) return false;
        }
    }
    return true;
}

void Board::UpdateHighlights(bool strong) {
    const core::ptr<game::Sprite>& source = strong ? highlight2_sprite : highlight_sprite;
    for (int y = 0; y < back_board.height; ++y) {
        for (int x = 0; x < back_board.width; ++x) {
            const BoardCell& cell = back_board.Get(x, y);
            core::ptr<game::Sprite>& highlight = highlights.Get(x, y);
            if (!cell.exists) continue;
            if (cell.plate <= 0) {
                highlight = core::ptr<game::Sprite>();
                continue;
            }
            if ((highlight && strong == highlight_strong) || !source) continue;
            highlight = core::ptr<game::Sprite>(source->Clone());
            highlight->MoveTo(cell_width * static_cast<float>(x), cell_height * static_cast<float>(y));
        }
    }
    highlight_strong = strong;
}

void Board::StartRandomAnimation() {
    core::Random* random = core::Random::instance();
    for (int attempt = 0; attempt < kRandomAnimationAttempts; ++attempt) {
        const int x = random->GetInt(0, balls.width - 1);
        const int y = random->GetInt(0, balls.height - 1);
        if (!balls.Contains(x, y) || !back_board.Get(x, y).exists) continue;
        const core::ptr<Ball>& ball = balls.Get(x, y);
        if (!ball || ball->IsOver()) continue;
        ball->StartAnimation("random");
        return;
    }
}

void Board::UpdateLightWave() {
    const int k = static_cast<int>(lightwave_step);
    if (!balls.Contains(k, k)) return;
    const auto light = [this](int x, int y) {
        const core::ptr<Ball>& ball = balls.Get(x, y);
        if (ball && !ball->IsOver()) ball->StartAnimation("lightwave");
    };
    for (int i = 0; balls.Contains(k + i, k - i); ++i) light(k + i, k - i);
    for (int i = 0; balls.Contains(k - i, k + i); ++i) light(k - i, k + i);
}

}  // namespace cm
