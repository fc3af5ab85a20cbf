#pragma once

#include <string>
#include <vector>

#include "vantle/script/function.h"

namespace script {

// The global functions of the scripts, in the order they are defined: logging and "require", the
// screen and window functions that the GUI describes (gui::ScriptFunctions), named functors, the level set,
// players and their options, sound and music, full screen, context values, settings, score tables, messages,
// wallpaper and the mouse effect.
std::vector<Function> GlobalFunctions();

// The folder "scores_get" reads score tables from: the per-user directory, named once at start-up.
// Until then "scores_get" reads nothing.
void SetScoreTablesDir(const std::string& directory);

}  // namespace script
