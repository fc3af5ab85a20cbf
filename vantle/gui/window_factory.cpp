#include "vantle/gui/window_factory.h"

#include <tinyxml.h>

#include "vantle/gui/window.h"

namespace gui {

core::ptr<Window> WindowFactory::Create(TiXmlNode* node) const {
    return node ? Create(node->ToElement()) : core::ptr<Window>();
}

}  // namespace gui
