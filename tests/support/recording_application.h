#pragma once

#include <functional>
#include <string>
#include <vector>

#include "vantle/platform/application.h"

namespace test {

// An application that records every call the main loop makes ("Init", "Loop", "Destroy", "OnClose",
// "OnActivate", "OnDeactivate", "OnFullscreenToggle") and runs optional hooks in Init and Loop.
class RecordingApplication : public platform::Application {
public:
    std::vector<std::string> calls;
    // Runs inside Init, after it was recorded.
    std::function<void(RecordingApplication&)> on_init;
    // Runs inside every Loop, after it was recorded; gets the number of the turn, counting from 1.
    std::function<void(RecordingApplication&, int turn)> on_loop;
    // Stops the run after this many turns (0: never).
    int stop_after = 0;

    void Init() override;
    void Loop() override;
    void Destroy() override { calls.push_back("Destroy"); }
    void OnClose() override;
    void OnActivate() override { calls.push_back("OnActivate"); }
    void OnDeactivate() override { calls.push_back("OnDeactivate"); }
    void OnFullscreenToggle() override { calls.push_back("OnFullscreenToggle"); }

    int Turns() const { return _turns; }
    // How often the name was recorded.
    int Count(const std::string& name) const;

private:
    int _turns = 0;
};

}  // namespace test
