#include "Seaquell/b_token.h"
#include "Seaquell/board.h"
#include "Seaquell/board_helpers.h"
#include "Seaquell/ghost.h"
#include "vantle/core/random.h"
#include "vantle/game/sprite.h"

namespace cm {

namespace {

// Colours above this are bonus balls and tokens, which the game window announces.
const unsigned int kLastPlainColor = 10;
// Tokens start to come out once this share of the plates is gone, and all are out at the second.
const float kFullRate = 0.8f;
const float kEmptyRate = 0.1f;

bool AtRest(const Ball& ball) {
    return ball.target_col == ball.col && ball.target_row == ball.row;
}

const char* TokenSprite(unsigned int value) {
    if (value == 5) return "data/sprites/token5.xml";
    if (value == 10) return "data/sprites/token10.xml";
    return "data/sprites/token.xml";
}

}  // namespace

void Board::Step() {
    for (int x = 0; x < balls.width; ++x) {
        for (int y = 0; y < balls.height; ++y)
            PerformSingleStep(static_cast<unsigned int>(x), static_cast<unsigned int>(y));
    }
}

void Board::PerformSingleStep(unsigned int x, unsigned int y) {
    const core::ptr<Ball> ball = balls.Get(static_cast<int>(x), static_cast<int>(y));
    if (!ball || AtRest(*ball)) return;
    const int tx = ball->target_col;
    const int ty = ball->target_row;
    // Front first, so a chain moving the same way never runs into its own head.
    if (balls.Get(tx, ty)) PerformSingleStep(static_cast<unsigned int>(tx), static_cast<unsigned int>(ty));
    // A ball put there since the move was planned (by a reshuffle, a recolouring, a bomb or a placed ball)
    // stays; this one waits where it is for the next planning, rather than landing on it.
    if (balls.Get(tx, ty)) {
        ball->target_col = static_cast<int>(x);
        ball->target_row = static_cast<int>(y);
        return;
    }
    balls.Set(tx, ty, ball);
    ball->MoveTo(tx, ty);
    ball->OnMove(this);
    balls.Set(static_cast<int>(x), static_cast<int>(y), core::ptr<Ball>());
    moved_mask.Set(tx, ty, true);
    ++landing_count;

    const Token* token = dynamic_cast<const Token*>(ball.get());
    if (ty != balls.height - 1 || !token) return;
    StartEffect(math::Position(tx, ty), helpers::TokenEffect(token->value));
    collected_tokens += token->value;
    balls.Set(tx, ty, core::ptr<Ball>());
}

bool Board::GenerateStep(unsigned int x, unsigned int y, int dx, int dy) {
    const core::ptr<Ball>& ball = balls.Get(static_cast<int>(x), static_cast<int>(y));
    if (!ball) return false;
    const int tx = static_cast<int>(x) + dx;
    const int ty = static_cast<int>(y) + dy;
    if (!balls.Contains(tx, ty) || generation_mask.Get(tx, ty)) return false;
    const core::ptr<Ball>& there = balls.Get(tx, ty);
    if (there && AtRest(*there)) return false;
    if (ball->GetColor() == Ghost::kColor) return false;
    if (ball->GetColor() == Token::kColor) {
        // Tokens fall straight, through holes too.
        if (dx != 0 || dy != 1) return false;
    } else {
        if (!back_board.Get(tx, ty).exists) return false;
        if (dx != 0 && CheckUp(static_cast<unsigned int>(tx), static_cast<unsigned int>(ty))) return false;
    }
    ball->target_col = tx;
    ball->target_row = ty;
    generation_mask.Set(tx, ty, true);
    if (moved_mask.Get(static_cast<int>(x), static_cast<int>(y)) && landing_count > 0) --landing_count;
    return true;
}

bool Board::CheckUp(unsigned int x, unsigned int y) {
    const int col = static_cast<int>(x);
    for (int row = static_cast<int>(y) - 1; row >= 0; --row) {
        const BoardCell& cell = back_board.Get(col, row);
        if (cell.emitter) return true;
        if (!cell.exists) return false;
        if (const core::ptr<Ball>& ball = balls.Get(col, row)) return !ball->locked;
    }
    return false;
}

void Board::Generate() {
    helpers::ClearGrid(generation_mask);
    helpers::ClearGrid(blocked_mask);
    if (++generate_counter >= emission_period) {
        generate_counter = 0;
        Emit();
    }
    PlanStraightMoves();
    PlanDiagonalMoves();
}

float Board::TokenRate() const {
    // A level without plates has nothing left to wait for: every token may come.
    const float left =
        plates_at_start ? static_cast<float>(plates_left) / static_cast<float>(plates_at_start) : 0;
    if (left >= kFullRate) return 1;
    if (left <= kEmptyRate) return 0;
    return (left - kEmptyRate) / (kFullRate - kEmptyRate);
}

void Board::Emit() {
    const float rate = TokenRate();
    for (int x = 0; x < balls.width; ++x) {
        for (int y = 0; y < balls.height; ++y) {
            if (back_board.Get(x, y).emitter && !balls.Get(x, y)) EmitAt(x, y, rate);
        }
    }
}

void Board::EmitAt(int x, int y, float rate) {
    const bool token = !token_queue.empty() && total_tokens != 0 &&
                       static_cast<float>(token_queue.size()) / static_cast<float>(total_tokens) > rate;
    core::ptr<Ball> ball;
    unsigned int value = 0;
    if (token) {
        value = token_queue.front();
        token_queue.pop_front();
        ball = core::ptr<Ball>(new Token(core::ptr<game::Sprite>(new game::Sprite(TokenSprite(value))),
                                         math::Vector2(cell_width, cell_height), value));
    } else {
        ball = factory.CreateBall();
    }
    if (!ball) return;
    if (ball->GetColor() > kLastPlainColor) generated_balls.push_back(ball);
    ball->MoveTo(x, y);
    ball->target_col = x;
    ball->target_row = y;
    balls.Set(x, y, ball);
    if (GenerateStep(static_cast<unsigned int>(x), static_cast<unsigned int>(y), 0, 1)) return;
    balls.Set(x, y, core::ptr<Ball>());
    if (token) token_queue.push_back(value);
}

void Board::PlanStraightMoves() {
    for (bool planned = true; planned;) {
        planned = false;
        for (int y = balls.height - 1; y >= 0; --y) {
            for (int x = 0; x < balls.width; ++x) {
                const core::ptr<Ball>& ball = balls.Get(x, y);
                if (ball && !ball->locked && AtRest(*ball) &&
                    GenerateStep(static_cast<unsigned int>(x), static_cast<unsigned int>(y), 0, 1))
                    planned = true;
            }
        }
    }
}

void Board::PlanDiagonalMoves() {
    for (int y = balls.height - 1; y >= 0; --y) {
        for (int x = 0; x < balls.width; ++x) {
            const core::ptr<Ball>& ball = balls.Get(x, y);
            if (!ball || ball->locked || !AtRest(*ball)) continue;
            const unsigned int ux = static_cast<unsigned int>(x);
            const unsigned int uy = static_cast<unsigned int>(y);
            if (GenerateStep(ux, uy, 0, 1)) continue;
            const int first = core::Random::instance()->GetInt(0, 1) == 0 ? -1 : 1;
            if (!GenerateStep(ux, uy, first, 1)) GenerateStep(ux, uy, -first, 1);
        }
    }
}

void Board::ForceEmit() {
    generate_counter = emission_period;
}

void Board::PlaceBall(unsigned int x, unsigned int y, const core::ptr<Ball>& ball) {
    const int col = static_cast<int>(x);
    const int row = static_cast<int>(y);
    if (!ball || !back_board.Get(col, row).exists) return;
    ball->MoveTo(col, row);
    ball->target_col = col;
    ball->target_row = row;
    balls.Set(col, row, ball);
    if (ball->GetColor() == BallFactory::B_MAKEBADBALLS)
        StartEffect(math::Position(col, row), makebadball_effect);
}

void Board::PlaceBall(unsigned int x, unsigned int y, char code) {
    if (const core::ptr<Ball> ball = factory.CreateBall(code)) PlaceBall(x, y, ball);
}

}  // namespace cm
