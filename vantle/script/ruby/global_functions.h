#pragma once

#include <string>
#include <vector>

#include "vantle/script/function_table.h"

namespace script {

// The script back end's own global functions, in the order they are defined: logging and "require",
// named functors, players and their options, sound and music, full screen, context values, settings,
// score tables, messages, wallpaper and the mouse effect. The screen and window functions join them
// from the GUI's binding.
std::vector<Function> GlobalFunctions();

// The folder "scores_get" reads score tables from: the per-user directory, named once at start-up.
// Until then "scores_get" reads nothing.
void SetScoreTablesDir(const std::string& directory);

}  // namespace script
