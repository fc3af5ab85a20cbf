#pragma once

namespace script {

// Defines the global functions as global Ruby functions taking exactly their parameters, in their order.
// Once per process, after the interpreter has started.
//
// A call converts and checks its arguments in protected code first; a refused argument raises a
// TypeError in the calling script. The row's body runs only after that, outside protected code, and an
// exception it throws is logged as "<name>: <what>" and gives nil. A Ruby error is raised again only
// after every C++ frame of the call has returned.
void DefineGlobalFunctions();

}  // namespace script
