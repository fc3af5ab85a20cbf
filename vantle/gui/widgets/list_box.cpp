#include "vantle/gui/widgets/list_box.h"

#include <cmath>
#include <memory>

#include "vantle/game/users.h"
#include "vantle/gui/event.h"
#include "vantle/gui/widgets/text_attributes.h"
#include "vantle/gui/window_factory.h"
#include "vantle/render/font_cache.h"
#include "vantle/render/scopes.h"
#include "vantle/xml/attributes.h"

namespace gui {

namespace {

// A height not above 0 would divide the hit test by nothing.
constexpr float kDefaultRowHeight = 20.0f;
const char kMarkColor[] = "ad64b0";

float RowHeight(float size) {
    return size > 0.0f ? size : kDefaultRowHeight;
}

}  // namespace

ListBox::ListBox(TiXmlElement* element) : DrawableWindow(element), core::Context::Link(element) {
    Load(element);
}

ListBox::ListBox(const std::string& id, const math::Rect& rect, const core::ptr<render::IFont>& font,
                 float size)
    : DrawableWindow(id, rect),
      font(font),
      row_height(RowHeight(size)),
      text_color(1.0f, 1.0f, 1.0f, 1.0f),
      sel_color(1.0f, 0.0f, 0.0f, 1.0f) {
    enabled = true;
    clip = true;
    RegisterProperties();
}

Window* CreateListBox(TiXmlElement* element) {
    return new ListBox(element);
}

void ListBox::Register() {
    WindowFactory::instance()->Register("listbox", &CreateListBox);
}

void ListBox::RegisterProperties() {
    properties.Add("room", new core::Property<ListBox>(this, &ListBox::GetRoom, nullptr));
}

core::Value ListBox::GetRoom() const {
    const int fitting = static_cast<int>(std::floor(rect.Height() / row_height));
    return core::Value(static_cast<std::int32_t>(fitting - static_cast<int>(items.size())));
}

void ListBox::Load(TiXmlElement* element) {
    RegisterProperties();
    hover = -1;
    selected = -1;
    clip = true;
    enabled = true;
    if (const char* name = xml::FindText(element, "font")) font = render::FontCache::instance()->Get(name);
    row_height = RowHeight(xml::ReadFloat(element, "size", 0.0f));
    text_color = render::ReadColor(element, "color", text_color);
    sel_color = render::ReadColor(element, "sel_color", sel_color);
    mark_color = render::ReadColor(element, "mark_color", render::Color(kMarkColor));
    SetContentTransform(math::Matrix4());
}

void ListBox::Add(const std::string& text) {
    Item item{text, {}, {}};
    if (font) {
        item.normal = font->RenderText(text, FontSize(row_height), text_color);
        item.selected = font->RenderText(text, FontSize(row_height), sel_color);
    }
    items.push_back(item);
}

void ListBox::Select(const std::string& text) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].text != text) continue;
        selected = static_cast<int>(i);
        return;
    }
}

void ListBox::Delete(const std::string& text) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].text != text) continue;
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
        return;
    }
}

void ListBox::Delete(unsigned int index) {
    if (index < items.size()) items.erase(items.begin() + index);
}

void ListBox::DeleteSelected() {
    if (selected >= 0) Delete(static_cast<unsigned int>(selected));
}

void ListBox::Clear() {
    items.clear();
    selected = -1;
    hover = -1;
}

void ListBox::Update() {}

void ListBox::OnChange() {}

int ListBox::RowAt(const math::Vector2& pos) const {
    float y = pos.y - rect.top;
    if (has_content_transform) y -= content_transform(1, 3);
    const float row = std::ceil(y / row_height) - 1.0f;
    if (!(row >= 0.0f) || row >= static_cast<float>(items.size())) return -1;
    return static_cast<int>(row);
}

void ListBox::OnEvent(const Event& event) {
    switch (event.type) {
        case Event::MOUSE_MOVE:
            hover = RowAt(event.pos);
            return;
        case Event::MOUSE_LEAVE:
            hover = -1;
            return;
        case Event::MOUSE_UP:
            Choose(RowAt(event.pos));
            return;
        default:
            return;
    }
}

// The text is taken before OnChange, which may rebuild the rows.
void ListBox::Choose(int row) {
    if (row < 0) return;
    selected = row;
    const std::string text = items[static_cast<std::size_t>(row)].text;
    OnChange();
    CallHandler("on_change", text);
}

void ListBox::Render() {
    RenderScope scope(*this);
    if (!scope) return;
    render::IRender& renderer = Renderer();
    const math::Rect band(0.0f, 0.0f, rect.Width(), row_height);
    float y = rect.top;
    for (std::size_t k = 0; k < items.size(); ++k, y += row_height) {
        const int row = static_cast<int>(k);
        render::WorldMatrixScope moved(renderer, math::Translation(math::Vector2(rect.left, y)));
        if (row == selected) renderer.DrawRect(band, mark_color);
        const core::ptr<render::IFont::RenderedText>& text =
            row == selected || row == hover ? items[k].selected : items[k].normal;
        if (text) renderer.DrawVertexBuffer(text->vertices, text->texture.get());
    }
}

UserListBox::UserListBox(TiXmlElement* element) : ListBox(element) {
    game::Users::instance()->AttachObserver(this);
}

UserListBox::UserListBox(const std::string& id, const math::Rect& rect, const core::ptr<render::IFont>& font,
                         float size)
    : ListBox(id, rect, font, size) {
    game::Users::instance()->AttachObserver(this);
}

UserListBox::~UserListBox() {
    if (game::Users::exists()) game::Users::instance()->DetachObserver(this);
}

Window* CreateUserListBox(TiXmlElement* element) {
    std::unique_ptr<UserListBox> list(new UserListBox(element));
    list->Fill();
    return list.release();
}

void UserListBox::Register() {
    WindowFactory::instance()->Register("userlistbox", &CreateUserListBox);
}

void UserListBox::Fill() {
    game::Users* users = game::Users::instance();
    for (const std::string& name : users->GetNames()) Add(name);
    if (const core::ptr<game::User> user = users->GetSelectedUser()) Select(user->name);
}

void UserListBox::OnUpdate() {
    Clear();
    Fill();
}

void UserListBox::OnChange() {
    const int row = GetSelected();
    if (row < 0) return;
    game::Users::instance()->Select(GetItems()[static_cast<std::size_t>(row)].text);
}

}  // namespace gui
