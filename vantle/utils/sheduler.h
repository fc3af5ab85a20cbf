#pragma once

namespace utils {

// An interval timer on the raw tick counter. Every operation takes a moment in milliseconds, where 0
// means the current tick; all differences wrap with the 32-bit counter.
class Sheduler {
public:
    Sheduler();
    explicit Sheduler(unsigned int interval);

    void SetInterval(unsigned int interval) { _interval = interval; }
    unsigned int GetInterval() const { return _interval; }

    // Starts a new period at the moment.
    void reset(unsigned int moment = 0);
    unsigned int elapsed(unsigned int moment = 0) const;
    // What remains of the period; 0 once more than the interval has elapsed.
    unsigned int left(unsigned int moment = 0) const;
    // A repeating trigger: true once the interval has elapsed, and the next period starts at the moment.
    bool test(unsigned int moment = 0);
    // Whether the interval has elapsed; the period goes on.
    bool test_once(unsigned int moment = 0) const;

private:
    unsigned int _start;
    unsigned int _interval;
};

}  // namespace utils
