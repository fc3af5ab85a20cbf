#include "vantle/gui/widgets/register_widgets.h"

#include "vantle/gui/container.h"
#include "vantle/gui/widgets/button.h"
#include "vantle/gui/widgets/clickable_window.h"
#include "vantle/gui/widgets/text.h"

namespace gui {

void RegisterWidgets() {
    Container::Register();
    Text::Register();
    Button::Register();
    ClickableWindow::Register();
}

}  // namespace gui
