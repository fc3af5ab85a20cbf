#pragma once

#include "vantle/core/ptr.h"
#include "vantle/core/singleton.h"
#include "vantle/utils/element_factory.h"

namespace gui {

class Window;

// Makes windows by the element names of screen layouts. Each window kind registers its creator once at
// start-up; Create wraps the new window in a shared pointer, or gives an empty one for a name that no
// kind registered.
class WindowFactory : public utils::ElementFactory<Window, core::ptr<Window>>,
                      public core::Singleton<WindowFactory> {};

}  // namespace gui
