#include "vantle/gui/widgets/register_widgets.h"

#include "vantle/gui/container.h"
#include "vantle/gui/widgets/button.h"
#include "vantle/gui/widgets/clickable_window.h"
#include "vantle/gui/widgets/dev/board_edit.h"
#include "vantle/gui/widgets/dmesh.h"
#include "vantle/gui/widgets/effect_holder.h"
#include "vantle/gui/widgets/progress_button.h"
#include "vantle/gui/widgets/spin_box.h"
#include "vantle/gui/widgets/text.h"
#include "vantle/gui/widgets/text_box.h"

namespace gui {

void RegisterWidgets() {
    Container::Register();
    Text::Register();
    Button::Register();
    ClickableWindow::Register();
    EffectHolder::Register();
    DMesh::Register();
    TextBox::Register();
    BoardEdit::Register();
    SpinBox::Register();
    ProgressButton::Register();
}

}  // namespace gui
