#include "vantle/utils/sheduler.h"

#include "vantle/utils/timer.h"

namespace utils {

namespace {
unsigned int MomentOrNow(unsigned int moment) {
    return moment == 0 ? Timer::GetTicks() : moment;
}
}  // namespace

Sheduler::Sheduler() : Sheduler(0) {}

Sheduler::Sheduler(unsigned int interval) : _start(Timer::GetTicks()), _interval(interval) {}

void Sheduler::reset(unsigned int moment) {
    _start = MomentOrNow(moment);
}

unsigned int Sheduler::elapsed(unsigned int moment) const {
    return MomentOrNow(moment) - _start;
}

unsigned int Sheduler::left(unsigned int moment) const {
    unsigned int passed = elapsed(moment);
    return passed > _interval ? 0 : _interval - passed;
}

bool Sheduler::test(unsigned int moment) {
    unsigned int now = MomentOrNow(moment);
    if (now - _start < _interval) return false;
    _start = now;
    return true;
}

bool Sheduler::test_once(unsigned int moment) const {
    return elapsed(moment) >= _interval;
}

}  // namespace utils
