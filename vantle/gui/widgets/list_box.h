#pragma once

#include <string>
#include <vector>

#include "vantle/core/context.h"
#include "vantle/core/ptr.h"
#include "vantle/gui/widgets/drawable_window.h"
#include "vantle/render/color.h"
#include "vantle/render/font_bmf.h"

class TiXmlElement;

namespace gui {

// A vertical list of one-line rows of equal height, added by code: the row under the pointer shows in
// the selected colour, the selected row also on a band of the mark colour. Releasing any mouse button
// over a row selects it, calls OnChange, then runs "on_change" with the row's text. Rows are drawn and
// hit-tested from the window's top-left corner (moved by the content transform), without scrolling.
// The selection is not written to the context. Deleted only as a Window.
class ListBox : public DrawableWindow, public core::Context::Link {
public:
    struct Item {
        std::string text;
        core::ptr<render::IFont::RenderedText> normal;
        core::ptr<render::IFont::RenderedText> selected;
    };

    // "font"; "size", the row height and the text size (20 when absent or not above 0); "color" and
    // "sel_color" for the text (transparent black by default); "mark_color" ("ad64b0" by default).
    explicit ListBox(TiXmlElement* element);
    // White text, red when selected, no band.
    ListBox(const std::string& id, const math::Rect& rect, const core::ptr<render::IFont>& font, float size);

    void Load(TiXmlElement* element);
    // Without a font the row is kept but shows no text.
    void Add(const std::string& text);
    // The first row of exactly that text; nothing when there is none.
    void Select(const std::string& text);
    // Deleting leaves the selected and hovered indices as they are.
    void Delete(const std::string& text);
    void Delete(unsigned int index);
    void DeleteSelected();
    void Clear();

    int GetSelected() const { return selected; }
    int GetHover() const { return hover; }
    const std::vector<Item>& GetItems() const { return items; }
    // How many more rows fit inside the window's rectangle, which clips the rest; negative when rows are
    // cut off already. Scripts read it as the property "room".
    core::Value GetRoom() const;

    void Render() override;
    // Nothing: no "on_update", no state transitions, no children.
    void Update() override;
    void OnEvent(const Event& event) override;
    // After a click selected a row, before "on_change".
    virtual void OnChange();

    // Registers "listbox" with the window factory.
    static void Register();

private:
    void RegisterProperties();
    // The row under a point in the parent's frame; -1 for none.
    int RowAt(const math::Vector2& pos) const;
    void Choose(int row);

    core::ptr<render::IFont> font;
    float row_height = 0.0f;
    render::Color text_color{0.0f, 0.0f, 0.0f, 0.0f};
    render::Color sel_color{0.0f, 0.0f, 0.0f, 0.0f};
    render::Color mark_color{0.0f, 0.0f, 0.0f, 0.0f};
    std::vector<Item> items;
    int selected = -1;
    int hover = -1;
};

// The players of game::Users with the selected one selected; choosing a row selects that player. It
// rebuilds itself on every change of the players and every write of its "value_key", and watches the
// players until it is destroyed.
class UserListBox : public ListBox {
public:
    explicit UserListBox(TiXmlElement* element);
    UserListBox(const std::string& id, const math::Rect& rect, const core::ptr<render::IFont>& font,
                float size);
    ~UserListBox() override;

    // Adds every player's name, then selects the selected player's row; does not clear first.
    void Fill();
    void OnUpdate() override;
    // Choosing another player saves the players, which rebuilds this list before "on_change" runs.
    void OnChange() override;

    // Registers "userlistbox" with the window factory.
    static void Register();
};

// The factory's creators for "listbox" and "userlistbox"; the player list comes filled.
Window* CreateListBox(TiXmlElement* element);
Window* CreateUserListBox(TiXmlElement* element);

}  // namespace gui
