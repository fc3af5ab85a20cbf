#include "vantle/gui/widgets/register_widgets.h"

#include "vantle/gui/container.h"
#include "vantle/gui/widgets/button.h"
#include "vantle/gui/widgets/checkbox.h"
#include "vantle/gui/widgets/clickable_window.h"
#include "vantle/gui/widgets/dev/board_edit.h"
#include "vantle/gui/widgets/dmesh.h"
#include "vantle/gui/widgets/edit_box.h"
#include "vantle/gui/widgets/effect_holder.h"
#include "vantle/gui/widgets/image.h"
#include "vantle/gui/widgets/image_box.h"
#include "vantle/gui/widgets/link.h"
#include "vantle/gui/widgets/list_box.h"
#include "vantle/gui/widgets/number.h"
#include "vantle/gui/widgets/powerup_button.h"
#include "vantle/gui/widgets/progress.h"
#include "vantle/gui/widgets/progress_button.h"
#include "vantle/gui/widgets/slider.h"
#include "vantle/gui/widgets/spin_box.h"
#include "vantle/gui/widgets/text.h"
#include "vantle/gui/widgets/text_box.h"
#include "vantle/gui/widgets/uni_button.h"

namespace gui {

void RegisterWidgets() {
    Container::Register();
    Image::Register();
    Text::Register();
    Button::Register();
    UniButton::Register();
    Progress::Register();
    Slider::Register();
    Checkbox::Register();
    UniCheckbox::Register();
    ClickableWindow::Register();
    EditBox::Register();
    ListBox::Register();
    UserListBox::Register();
    Link::Register();
    EffectHolder::Register();
    ImageBox::Register();
    Number::Register();
    DMesh::Register();
    TextBox::Register();
    BoardEdit::Register();
    SpinBox::Register();
    ProgressButton::Register();
    PowerupButton::Register();
}

}  // namespace gui
