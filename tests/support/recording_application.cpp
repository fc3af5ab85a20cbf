#include "support/recording_application.h"

#include <algorithm>

namespace test {

void RecordingApplication::Init() {
    calls.push_back("Init");
    if (on_init) on_init(*this);
}

void RecordingApplication::Loop() {
    ++_turns;
    calls.push_back("Loop");
    if (on_loop) on_loop(*this, _turns);
    if (stop_after != 0 && _turns >= stop_after) Stop();
}

void RecordingApplication::OnClose() {
    calls.push_back("OnClose");
    Application::OnClose();
}

int RecordingApplication::Count(const std::string& name) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), name));
}

}  // namespace test
