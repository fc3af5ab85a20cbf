#include "Seaquell/b_makebedballs.h"

#include "Seaquell/board.h"
#include "vantle/core/random.h"
#include "vantle/game/sprite.h"
#include "vantle/utils/config.h"
#include "vantle/utils/timer.h"

namespace cm {

namespace {

const unsigned int kDefaultPeriod = 5000;
// Plain colours and colour removers lie below; they are the balls a maker may take over.
const unsigned int kTakenBelow = 10;

unsigned int ReadPeriod() {
    const unsigned int period = utils::Config::instance()->Get("makebadball_action_period").as_uint32();
    return period == 0 ? kDefaultPeriod : period;
}

}  // namespace

MakeBadBall::MakeBadBall(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size,
                         unsigned int color)
    : Ball(sprite, cell_size, color), _period(ReadPeriod()) {}

void MakeBadBall::Update(unsigned int now) {
    Ball::Update(now);
    if (!_board || _last_action >= now || now - _last_action < _period) return;
    if (!_board->paused && !_board->finished) {
        _board->RestorePlate(math::Position(col, row));
        Spread(now);
    }
    _last_action = now;
}

void MakeBadBall::Spread(unsigned int now) const {
    // One draw per action, no retry.
    core::Random* random = core::Random::instance();
    const int x = random->GetInt(col - 1, col + 1);
    const int y = random->GetInt(row - 1, row + 1);
    if ((x == col && y == row) || !_board->balls.Contains(x, y)) return;
    const core::ptr<Ball>& victim = _board->balls.Get(x, y);
    if (!victim || victim->GetColor() >= kTakenBelow) return;
    const core::ptr<game::Sprite> copy =
        sprite ? core::ptr<game::Sprite>(sprite->Clone()) : core::ptr<game::Sprite>();
    core::ptr<MakeBadBall> maker(new MakeBadBall(copy, cell_size, color));
    maker->_board = _board;
    // Its first action comes two periods from now.
    maker->_last_action = now + _period;
    _board->PlaceBall(static_cast<unsigned int>(x), static_cast<unsigned int>(y), maker);
}

void MakeBadBall::OnMove(Board* board) {
    _board = board;
    _last_action = utils::Timer::instance()->GetTime();
}

std::string MakeBadBall::GetTypeName() const {
    return "makebadballs";
}

bool MakeBadBall::CompareTo(const core::ptr<Ball>&) const {
    return false;
}

}  // namespace cm
