#pragma once

#include <string>

#include "vantle/gui/widgets/text.h"
#include "vantle/utils/sheduler.h"

class TiXmlElement;

namespace gui {

// A one-line text entry: a caption that takes the keyboard focus when pressed, appends typed characters
// and drops the last one on backspace, with a caret after the text blinking every 300 ms of raw ticks
// while it has the focus. Each change is written through the link, then to the context key "$", then
// handed to "on_change"; Return runs "on_enter". Deleted only as a Window.
class EditBox : public Text {
public:
    // The caption's attributes; "max_size" (typed characters beyond it are dropped; 0 or less, or none,
    // is no limit) and "focused" (takes the focus when built).
    explicit EditBox(TiXmlElement* element);
    EditBox(const std::string& id, const math::Rect& rect, const core::ptr<render::IFont>& font, float size,
            render::Render::TextAlign align);
    ~EditBox() override;

    void LoadData(TiXmlElement* element);
    // The caption, then the caret while focused.
    void Render() override;
    // Only the caret's blinking: no "on_update", no state transitions, no children.
    void Update() override;
    void OnEvent(const Event& event) override;

    bool IsCaretVisible() const { return caret_visible; }

    // Registers "edit" and "editbox" with the window factory.
    static void Register();

private:
    void Backspace();
    void Type(char ch);
    void Publish(const std::string& text);
    void DrawCaret();

    utils::Sheduler blink;
    bool caret_visible = false;
    int max_size = -1;
};

// The factory's creator for "edit" and "editbox".
Window* CreateEditBox(TiXmlElement* element);

}  // namespace gui
