#pragma once

#include <string>
#include <vector>

#include "vantle/script/function_table.h"

namespace script {

// The global functions of the scripting layer itself, in the order scripts see them: logging and
// "require", named functors, players and their options, sound and music, full screen, context values,
// settings, score tables, messages, wallpaper and the mouse effect. The screen and window functions
// come from the GUI.
std::vector<Function> GlobalFunctions();

// The folder "scores_get" reads score tables from: the per-user directory, named once at start-up.
// Until then "scores_get" reads nothing.
void SetScoreTablesDir(const std::string& directory);

}  // namespace script
