#pragma once

#include <vector>

#include "vantle/script/function.h"

namespace gui {

// The global script functions of screens and windows, in their table order: "gui_load", "gui_load_nc",
// "gui_clear", "gui_push", "gui_pop", "gui_push2", "gui_pop2" act on the root window; "window_enable",
// "window_disable", "window_show", "window_hide" and "window_set_handler_code" on the root window's
// descendant at a path of ids, and do nothing when there is none. The flags are written directly: no
// handler runs and no state changes. Each gives nil.
std::vector<script::Function> ScriptFunctions();

}  // namespace gui
