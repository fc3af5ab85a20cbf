#include "vantle/gui/widgets/register_widgets.h"

#include "vantle/gui/container.h"
#include "vantle/gui/widgets/button.h"
#include "vantle/gui/widgets/clickable_window.h"
#include "vantle/gui/widgets/edit_box.h"
#include "vantle/gui/widgets/image_box.h"
#include "vantle/gui/widgets/link.h"
#include "vantle/gui/widgets/list_box.h"
#include "vantle/gui/widgets/slider.h"
#include "vantle/gui/widgets/text.h"

namespace gui {

void RegisterWidgets() {
    Container::Register();
    Text::Register();
    Button::Register();
    Slider::Register();
    ClickableWindow::Register();
    EditBox::Register();
    ListBox::Register();
    UserListBox::Register();
    Link::Register();
    ImageBox::Register();
}

}  // namespace gui
