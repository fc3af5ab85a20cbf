#include "vantle/gui/window.h"

#include <tinyxml.h>

#include <algorithm>
#include <optional>
#include <set>

#include "vantle/core/log.h"
#include "vantle/effects/animation.h"
#include "vantle/gui/event.h"
#include "vantle/gui/root_services.h"
#include "vantle/gui/style.h"
#include "vantle/gui/window_factory.h"
#include "vantle/io/loader.h"
#include "vantle/render/render.h"
#include "vantle/render/scopes.h"
#include "vantle/utils/timer.h"
#include "vantle/xml/attributes.h"
#include "vantle/xml/xmlcache.h"

namespace gui {

namespace {

const char kDefaultState[] = "default";
// Asked of every window every frame: made once.
const std::string kOnUpdate = "on_update";
const char kTooltip[] = "tooltip";
const char kDisabledTooltip[] = "disabled_tooltip";
// The kind every tooltip element is built as.
const char kTooltipKind[] = "container";

// Elements under a window element that configure the window itself rather than make a child.
const std::set<std::string> kConfigurationElements = {
    "handlers", "handler", "states", kTooltip, kDisabledTooltip, "on_create_animation",
};

unsigned int Now() {
    return utils::Timer::instance()->GetTime();
}

float Lerp(float a, float b, float t) {
    return a + t * (b - a);
}

// The layout files being loaded right now, innermost last: a file that names itself, directly or
// through others, would otherwise load without end.
std::vector<std::string>& FilesBeingLoaded() {
    static std::vector<std::string> files;
    return files;
}

class LoadingFile {
public:
    explicit LoadingFile(const std::string& file) { FilesBeingLoaded().push_back(file); }
    ~LoadingFile() { FilesBeingLoaded().pop_back(); }
    LoadingFile(const LoadingFile&) = delete;
    LoadingFile& operator=(const LoadingFile&) = delete;

    static bool IsLoading(const std::string& file) {
        const std::vector<std::string>& files = FilesBeingLoaded();
        return std::find(files.begin(), files.end(), file) != files.end();
    }
};

}  // namespace

Window::State::State(TiXmlElement* element)
    : name(xml::ReadText(element, "name")), rect(element), alpha(xml::ReadFloat(element, "alpha", 1.0f)) {}

Window::State::State(const State& a, const State& b, float t)
    : rect(Lerp(a.rect.left, b.rect.left, t), Lerp(a.rect.top, b.rect.top, t),
           Lerp(a.rect.right, b.rect.right, t), Lerp(a.rect.bottom, b.rect.bottom, t)),
      alpha(Lerp(a.alpha, b.alpha, t)) {}

// Guards in the order they are taken; destroyed in reverse, each stack popped on the renderer it was
// pushed on.
struct Window::DrawState {
    std::optional<render::WorldMatrixScope> animation_matrix;
    std::optional<render::ColorForceScope> animation_color;
    std::optional<render::ClipRectScope> clip;
    std::optional<render::WorldMatrixScope> content;
    std::optional<render::ColorForceScope> alpha;

    // Undoes what was taken, last first; the state is then ready for the next draw.
    void Release() {
        alpha.reset();
        content.reset();
        clip.reset();
        animation_color.reset();
        animation_matrix.reset();
    }
};

Window::Window(const std::string& id, const math::Rect& rect) : id(id), rect(rect), content_rect(rect) {
    InitDefaultState();
    CallHandler("on_init");
}

Window::Window(TiXmlElement* element) {
    Load(element);
    InitDefaultState();
    CallHandler("on_init");
}

Window::~Window() {
    if (core::Log::exists()) core::Log::instance()->Write("DELETE Window #%s", id.c_str());
    // The focus list does not own its windows: one that goes away must not be given keys afterwards.
    RootServices::UnsetKeyboardFocus(this);
    Clear();
}

void Window::InitDefaultState() {
    cur_state = State(kDefaultState, rect, 1.0f);
    from_state = cur_state;
    states[kDefaultState] = cur_state;
}

void Window::Load(TiXmlElement* element) {
    if (!element) return;
    id = xml::ReadText(element, "id");
    visible = xml::ReadBool(element, "visible", visible);
    lod = xml::ReadUnsigned(element, "lod", lod);
    max_lod = xml::ReadUnsigned(element, "max_lod", max_lod);
    state_switch_time = xml::ReadUnsigned(element, "state_switch_time", state_switch_time);
    tabstop =
        static_cast<std::int32_t>(xml::ReadUnsigned(element, "tabstop", static_cast<unsigned int>(tabstop)));
    rect = math::Rect(element);
    content_rect = rect;
    content_transform = math::Matrix4::IDENTITY;
    if (const char* name = xml::FindText(element, "style")) style = StyleCache::instance()->Get(name);
    LoadCreateAnimation(element->FirstChildElement("on_create_animation"));
    LoadHandlers(element->FirstChildElement("handlers"));
    LoadStates(element->FirstChildElement("states"));
    tooltip = LoadTooltip(element->FirstChildElement(kTooltip));
    disabled_tooltip = LoadTooltip(element->FirstChildElement(kDisabledTooltip));
}

void Window::LoadCreateAnimation(TiXmlElement* element) {
    if (!element) return;
    const char* file = xml::FindText(element, "filename");
    if (!file) {
        create_animation = core::ptr<effects::Animation>(new effects::Animation(element));
        return;
    }
    const core::ptr<io::IStream> stream = io::Loader::instance()->Load(file);
    if (stream) create_animation = core::ptr<effects::Animation>(new effects::Animation(stream));
}

void Window::LoadStates(TiXmlElement* element) {
    if (!element) return;
    for (TiXmlElement* child = element->FirstChildElement(); child; child = child->NextSiblingElement()) {
        if (!xml::Has(child, "name")) {
            core::Log::instance()->Write("A state without a name in %s is skipped", id.c_str());
            continue;
        }
        const State state(child);
        core::Log::instance()->Write("ading state %s for %s (alpha=%f)", state.name.c_str(), id.c_str(),
                                     static_cast<double>(state.alpha));
        states[state.name] = state;
    }
}

core::ptr<Window> Window::LoadTooltip(TiXmlElement* element) {
    if (!element) return core::ptr<Window>();
    return WindowFactory::instance()->Create(element, kTooltipKind);
}

void Window::OnEvent(const Event&) {}

void Window::CalcAbsRect(const math::Rect& parent_abs) {
    abs_rect = rect;
    abs_rect.Move(parent_abs.left, parent_abs.top);
    childs.CalcAbsRect(abs_rect);
}

bool Window::IsUnderPoint(const math::Vector2& p) const {
    return rect.left <= p.x && p.x <= rect.right && rect.top <= p.y && p.y <= rect.bottom;
}

void Window::SetContentTransform(const math::Matrix4& transform) {
    content_transform = transform;
    has_content_transform = true;
}

void Window::AddChild(const core::ptr<Window>& child) {
    if (child) childs.Add(child);
}

core::ptr<Window> Window::GetChild(const std::string& path) const {
    const std::string::size_type slash = path.find('/');
    const std::string head = path.substr(0, slash);
    const std::string rest = slash == std::string::npos ? std::string() : path.substr(slash + 1);
    core::ptr<Window> named;
    if (head == kTooltip) {
        named = tooltip;
    } else if (head == kDisabledTooltip) {
        named = disabled_tooltip;
    } else {
        named = childs.Get(head);
    }
    if (rest.empty() || !named) return named;
    return named->GetChild(rest);
}

void Window::LoadChilds(TiXmlElement* element, bool skip_file) {
    if (!element) return;
    if (!skip_file && xml::Has(element, "filename")) {
        LoadChilds(xml::ReadText(element, "filename"));
        CallHandler("on_load");
        return;
    }
    WindowFactory* factory = WindowFactory::instance();
    for (TiXmlElement* child = element->FirstChildElement(); child; child = child->NextSiblingElement()) {
        const core::ptr<Window> made = factory->Create(child);
        if (made) {
            AddChild(made);
        } else if (kConfigurationElements.count(child->ValueStr()) == 0) {
            core::Log::instance()->Write("Unknown window element <%s> in %s is skipped", child->Value(),
                                         id.c_str());
        }
    }
}

void Window::LoadChilds(const std::string& file) {
    if (LoadingFile::IsLoading(file)) {
        core::Log::instance()->Write("Error loading gui: %s : the layout contains itself", file.c_str());
        return;
    }
    const LoadingFile loading(file);
    const core::ptr<io::IStream> stream = io::Loader::instance()->Load(file);
    if (!stream) return;
    // Read afresh, not through the document cache: a layout loaded into a window is not shared.
    const core::ptr<TiXmlDocument> document = xml::Parse("gui", io::ReadText(stream));
    if (xml::ReportParseError(*document, "Error loading gui: ")) return;
    TiXmlElement* root = document->FirstChildElement("gui");
    if (!root) return;
    LoadChilds(root, true);
    LoadHandlers(root);
}

void Window::Clear() {
    childs.Clear();
}

core::ptr<Window> Window::FindNext(int n) const {
    return childs.FindNext(n);
}

core::ptr<Window> Window::FindPrev(int n) const {
    return childs.FindPrev(n);
}

core::ptr<Window> Window::FindHeld(const Window* w) const {
    return childs.FindHeld(w);
}

void Window::Reset() {
    create_animation_started = false;
    childs.Reset();
}

void Window::SetState(const std::string& name, unsigned int time) {
    SwitchOwnState(name, time);
    childs.SetState(name, time);
}

void Window::SetState(const std::string& name) {
    SetState(name, state_switch_time);
}

void Window::SwitchOwnState(const std::string& name, unsigned int time) {
    if (name == cur_state.name) return;
    auto found = states.find(name);
    if (found == states.end()) return;
    const State& target = found->second;
    if (to_state.name == target.name) {
        // The transition to this state runs already: only a jump changes anything.
        if (time == 0) {
            switching = false;
            cur_state = target;
            from_state = cur_state;
        }
    } else if (time == 0) {
        switching = false;
        cur_state = target;
        from_state = cur_state;
        to_state = cur_state;
    } else {
        switching = true;
        switch_start = Now();
        from_state = cur_state;
        to_state = target;
        switch_time = time;
    }
    rect = cur_state.rect;
}

void Window::AdvanceStateSwitch() {
    if (!switching) return;
    const unsigned int elapsed = Now() - switch_start;
    const float t = static_cast<float>(elapsed) / static_cast<float>(switch_time);
    if (t >= 1.0f) {
        switching = false;
        cur_state = to_state;
    } else {
        cur_state = State(from_state, to_state, t);
    }
    rect = cur_state.rect;
}

void Window::SetProperty(const std::string& name, const core::Value& value) {
    properties.Set(name, value);
}

core::Value Window::GetProperty(const std::string& name) const {
    return properties.Get(name);
}

void Window::Update() {
    childs.Update();
    CallHandler(kOnUpdate);
    AdvanceStateSwitch();
}

void Window::Render() {
    const RenderScope drawn(*this);
    if (drawn) RenderChilds();
}

void Window::RenderChilds() {
    if (childs.Empty()) return;
    const render::WorldMatrixScope frame(render::Renderer(), math::Translation(rect.TopLeft()));
    childs.Render();
}

bool Window::RenderStart() {
    const unsigned int level = render::Render::instance()->GetLOD();
    if (level < lod || level > max_lod) return false;
    render::IRender& renderer = render::Renderer();
    // Kept from earlier frames: drawing allocates nothing once every window has been drawn.
    if (_open_draw_states == _draw_states.size()) _draw_states.push_back(std::make_unique<DrawState>());
    DrawState* state = _draw_states[_open_draw_states++].get();
    if (create_animation) DrawCreateAnimation(renderer, *state);
    if (clip) state->clip.emplace(renderer, rect);
    if (has_content_transform) state->content.emplace(renderer, content_transform);
    if (cur_state.alpha != 1.0f) {
        state->alpha.emplace(renderer);
        renderer.ForceColorAlpha(cur_state.alpha);
    }
    return true;
}

void Window::DrawCreateAnimation(render::IRender& renderer, DrawState& state) {
    if (!create_animation_started) {
        create_animation_start = Now();
        create_animation_started = true;
    }
    effects::Animation::State animated = effects::Animation::InitialState();
    create_animation->UpdateState(Now() - create_animation_start, animated);
    const math::Vector2 centre((rect.left + rect.right) / 2.0f, (rect.top + rect.bottom) / 2.0f);
    state.animation_matrix.emplace(renderer);
    renderer.MultWorldMatrix(math::Translation(centre));
    renderer.MultWorldMatrix(animated.matrix);
    renderer.MultWorldMatrix(math::Translation(-centre));
    // Pushed, so the parent's forced colour comes back when this window is done.
    state.animation_color.emplace(renderer, animated.color);
}

void Window::RenderEnd() {
    if (_open_draw_states > 0) _draw_states[--_open_draw_states]->Release();
}

}  // namespace gui
