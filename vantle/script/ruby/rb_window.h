#pragma once

namespace script {

// Defines the script classes of windows; the application calls it once at start-up, after the script
// engine (the interpreter starts here when it has not yet).
//
// Window wraps one gui::Window and keeps it alive until the collector frees the object, also after the
// window has left its screen. Objects are made only by get_child: Window.new, allocate, dup and clone
// raise a TypeError. Methods: id, visible?, enabled?, visible= and enabled= (only true sets a flag; the
// flags are written directly, with no handler or state change), get_child(path), load_childs(file),
// get(property), set(property, text), set_state(name[, time]) and set_handler(event, code).
//
// RootWindow, a subclass of Window, acts on gui::RootWindow through its class methods get_child(path),
// set_focus(path) and set_state(name[, time]).
//
// Names must be Strings and a switch time a number (TypeError otherwise); a path that finds no window
// gives nil or does nothing. A switch time outside 0 to 2^32 - 1 ms is logged and taken at the nearest
// end.
void InitRubyWindows();

}  // namespace script
