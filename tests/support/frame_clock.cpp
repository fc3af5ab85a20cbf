#include "support/frame_clock.h"

#include <gtest/gtest.h>

#include "vantle/utils/timer.h"

namespace test {

namespace {
// Far enough beyond the last time used that no test's own times overlap the previous test's.
constexpr unsigned int kGap = 1000000;
}  // namespace

FrameClock::FrameClock() : _platform(FakePlatform::Install()) {}

void FrameClock::Start() {
    _origin = utils::Timer::instance()->GetTime() + kGap;
    At(0);
}

unsigned int FrameClock::At(unsigned int t) {
    _platform->SetTicks(_origin + t);
    utils::Timer::instance()->Update();
    const unsigned int now = utils::Timer::instance()->GetTime();
    EXPECT_EQ(now, _origin + t) << "the frame clock must move forward";
    return now;
}

}  // namespace test
