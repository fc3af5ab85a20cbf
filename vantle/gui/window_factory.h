#pragma once

#include "vantle/core/ptr.h"
#include "vantle/core/singleton.h"
#include "vantle/utils/element_factory.h"

class TiXmlNode;

namespace gui {

class Window;

// Makes windows by the element names of screen layouts. Each window kind registers its creator once at
// start-up (the last registration of a name wins); Create wraps the new window in a shared pointer, or
// gives an empty one, without a log line, for a name that no kind registered. Names match exactly,
// letter case included.
class WindowFactory : public utils::ElementFactory<Window, core::ptr<Window>>,
                      public core::Singleton<WindowFactory> {
public:
    using ElementFactory::Create;

    // The same for any node of a document; a node that is not an element (a comment, a text) makes
    // nothing.
    core::ptr<Window> Create(TiXmlNode* node) const;
};

}  // namespace gui
