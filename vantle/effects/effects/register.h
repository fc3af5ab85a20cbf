#pragma once

namespace effects {

// Enters every effect kind with the effect factory. Called once at start-up, after the renderer and the
// audio device are set up; effect files loaded before it lose every node.
void RegisterEffects();

}  // namespace effects
