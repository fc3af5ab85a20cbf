#include "Seaquell/b_replater.h"

#include "Seaquell/board.h"
#include "vantle/utils/config.h"

namespace cm {

namespace {

const unsigned int kDefaultPeriod = 5000;

unsigned int ReadPeriod() {
    const unsigned int period = utils::Config::instance()->Get("replater_action_period").as_uint32();
    return period == 0 ? kDefaultPeriod : period;
}

}  // namespace

ReplaterBall::ReplaterBall(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size,
                           unsigned int color)
    : Ball(sprite, cell_size, color), _period(ReadPeriod()) {}

void ReplaterBall::Update(unsigned int now) {
    Ball::Update(now);
    if (!_board || _last_action >= now || now - _last_action < _period) return;
    if (!_board->paused && !_board->finished) {
        if (_toggle) {
            RestoreNeighbours();
        } else {
            _board->RestorePlate(math::Position(col, row));
        }
        _toggle = !_toggle;
    }
    _last_action = now;
}

void ReplaterBall::RestoreNeighbours() const {
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx == 0 && dy == 0) continue;
            if (_board->back_board.Contains(col + dx, row + dy))
                _board->RestorePlate(math::Position(col + dx, row + dy));
        }
    }
}

void ReplaterBall::OnMove(Board* board) {
    _board = board;
}

std::string ReplaterBall::GetTypeName() const {
    return "replater";
}

bool ReplaterBall::CompareTo(const core::ptr<Ball>&) const {
    return false;
}

}  // namespace cm
