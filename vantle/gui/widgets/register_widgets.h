#pragma once

namespace gui {

// Registers every widget kind with the window factory under its layout element names, and the plain
// container. Called once at start-up, before any layout is loaded and before the game adds its own
// kinds, which may replace a name. Calling it again changes nothing.
void RegisterWidgets();

}  // namespace gui
