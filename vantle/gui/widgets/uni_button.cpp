#include "vantle/gui/widgets/uni_button.h"

#include <tinyxml.h>

#include <initializer_list>
#include <string>

#include "vantle/gui/container.h"
#include "vantle/gui/window_factory.h"

namespace gui {

namespace {

const char kDefault[] = "default";
const char kActive[] = "active";
const char kPressed[] = "pressed";
const char kDisabled[] = "disabled";
const char kCheckmark[] = "checkmark";
// Matches none of the click states: all three containers hide.
constexpr int kNoClickState = -1;

void Show(const Window& owner, const char* id, bool shown) {
    const core::ptr<Window> container = owner.GetChild(id);
    if (container) container->SetVisible(shown);
}

void ShowClickState(const Window& owner, int click_state) {
    Show(owner, kDefault, click_state == ClickableWindow::STATE_DEFAULT);
    Show(owner, kActive, click_state == ClickableWindow::STATE_ACTIVE);
    Show(owner, kPressed, click_state == ClickableWindow::STATE_PRESSED);
}

// The first element of each state name, in the order given, as a container of that name; only
// "default" starts shown. Each is added above the children before it.
void AddStateContainers(Window& owner, TiXmlElement* element, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        TiXmlElement* state = element->FirstChildElement(name);
        if (!state) continue;
        const core::ptr<Window> container(new Container(state));
        container->SetId(name);
        container->SetVisible(std::string(name) == kDefault);
        owner.AddChild(container);
    }
}

}  // namespace

UniButton::UniButton(TiXmlElement* element) : ClickableWindow(element) {
    LoadContent(element);
}

UniButton::UniButton(const std::string& id, const math::Rect& rect) : ClickableWindow(id, rect) {}

Window* CreateUniButton(TiXmlElement* element) {
    return new UniButton(element);
}

void UniButton::Register() {
    WindowFactory::instance()->Register("unibutton", &CreateUniButton);
}

void UniButton::LoadContent(TiXmlElement* element) {
    if (!element) return;
    LoadOrdinaryChilds(element);
    last_enabled = 1;
    last_state = STATE_DEFAULT;
    AddStateContainers(*this, element, {kDefault, kActive, kPressed, kDisabled});
}

// The state elements are taken out first: they are the button's own, not unknown windows to log.
void UniButton::LoadOrdinaryChilds(TiXmlElement* element) {
    TiXmlElement ordinary(*element);
    for (const char* name : {kDefault, kActive, kPressed, kDisabled}) {
        while (TiXmlElement* state = ordinary.FirstChildElement(name)) ordinary.RemoveChild(state);
    }
    LoadChilds(&ordinary, false);
}

void UniButton::Update() {
    const int now_enabled = enabled ? 1 : 0;
    bool forced = false;
    if (now_enabled != last_enabled) {
        last_enabled = now_enabled;
        if (!now_enabled) {
            ShowClickState(*this, kNoClickState);
            Show(*this, kDisabled, true);
            return;
        }
        Show(*this, kDisabled, false);
        forced = true;
    }
    if (now_enabled && (forced || click_state != last_state)) {
        ShowClickState(*this, click_state);
        last_state = click_state;
    }
    childs.Update();
}

UniCheckbox::UniCheckbox(TiXmlElement* element) : CheckableWindow(element) {
    LoadContent(element);
}

UniCheckbox::UniCheckbox(const std::string& id, const math::Rect& rect, const core::ptr<render::ITexture>&,
                         const core::ptr<render::ITexture>&, const core::ptr<render::ITexture>&,
                         const core::ptr<render::ITexture>&)
    : CheckableWindow(id, rect) {}

Window* _CreateUniCheckbox(TiXmlElement* element) {
    return new UniCheckbox(element);
}

void UniCheckbox::Register() {
    WindowFactory::instance()->Register("unicheckbox", &_CreateUniCheckbox);
}

void UniCheckbox::LoadContent(TiXmlElement* element) {
    if (!element) return;
    last_state = STATE_DEFAULT;
    last_checked = 0;
    AddStateContainers(*this, element, {kDefault, kActive, kPressed, kCheckmark});
}

void UniCheckbox::Update() {
    if (click_state != last_state) {
        ShowClickState(*this, click_state);
        last_state = click_state;
    }
    if (checked != last_checked) {
        Show(*this, kCheckmark, checked == 1);
        last_checked = checked;
    }
}

}  // namespace gui
