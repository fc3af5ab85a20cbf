#include "vantle/effects/effect.h"

#include <tinyxml.h>

#include <algorithm>
#include <limits>
#include <unordered_set>

#include "vantle/effects/effect_factory.h"
#include "vantle/utils/timer.h"
#include "vantle/xml/xmlcache.h"

namespace effects {

Effect::Effect() = default;

Effect::Effect(TiXmlElement* element) {
    if (!element) return;
    position = math::Vector2(element);
    LoadChilds(element);
}

Effect::Effect(const Effect& other) : running(other.running), position(other.position) {}

Effect::Effect(const std::string& file_name) {
    LoadFile(file_name);
}

Effect::~Effect() {
    // A child that someone else still holds must not point back at a dead node.
    for (auto& child : children) {
        if (child && child->parent == this) child->parent = nullptr;
    }
}

void Effect::LoadFile(const std::string& file_name) {
    const core::ptr<TiXmlDocument> document = xml::Load(file_name, "Error loading effect: ");
    if (!document) return;
    TiXmlNode* root = document->FirstChild("effect");
    if (root) LoadChilds(root->ToElement());
}

Effect* Effect::Clone() const {
    Effect* copy = new Effect(*this);
    copy->running = 0;
    copy->CloneChilds(this);
    return copy;
}

Effect* Effect::Clone(const std::string& text) const {
    Effect* copy = new Effect(*this);
    copy->running = 0;
    copy->CloneChilds(this, text);
    return copy;
}

void Effect::Update() {
    Update(utils::Timer::instance()->GetTime());
}

void Effect::Update(unsigned int time) {
    UpdateChilds(time);
}

void Effect::Render() {
    RenderChilds();
}

bool Effect::IsSound() const {
    return false;
}

bool Effect::IsPlaying() const {
    return HasChilds();
}

void Effect::OnStart() {}

unsigned int Effect::Weight() const {
    if (children.empty()) return 1;
    unsigned int weight = 0;
    for (const auto& child : children) weight = AddWeights(weight, child->Weight());
    return weight;
}

unsigned int AddWeights(unsigned int a, unsigned int b) {
    return a > std::numeric_limits<unsigned int>::max() - b ? std::numeric_limits<unsigned int>::max()
                                                            : a + b;
}

unsigned int MultiplyWeight(unsigned int weight, unsigned int times) {
    const unsigned long long product = static_cast<unsigned long long>(weight) * times;
    return static_cast<unsigned int>(
        std::min<unsigned long long>(product, std::numeric_limits<unsigned int>::max()));
}

Effect* Effect::GetRoot() {
    Effect* node = this;
    while (node->parent) node = node->parent;
    return node;
}

void Effect::SetPos(const math::Vector2& point) {
    position = point;
    for (auto& child : children) child->SetPos(point);
}

void Effect::MoveTo(const math::Vector2& point) {
    SetPos(point);
}

void Effect::Start(bool no_sound) {
    if (no_sound && IsSound()) return;
    running = 1;
    OnStart();
    // By index, holding each child: an OnStart may add children to this node.
    for (size_t i = 0; i < children.size(); ++i) {
        core::ptr<Effect> child = children[i];
        child->Start(no_sound);
    }
}

void Effect::Restart() {
    OnStart();
    for (size_t i = 0; i < children.size(); ++i) {
        core::ptr<Effect> child = children[i];
        child->Restart();
    }
}

void Effect::Stop() {
    running = 0;
    for (auto& child : children) child->Stop();
}

void Effect::UpdateChilds(unsigned int time) {
    std::unordered_set<const Effect*> finished;
    for (size_t i = 0; i < children.size(); ++i) {
        core::ptr<Effect> child = children[i];
        child->Update(time);
        if (!child->IsPlaying()) finished.insert(child.get());
    }
    if (finished.empty()) return;
    // One pass for the whole frame, keeping the order: thousands of particles may finish together.
    const auto is_finished = [&finished](const core::ptr<Effect>& child) {
        return finished.count(child.get()) != 0;
    };
    for (const auto& child : children) {
        if (is_finished(child) && child->parent == this) child->parent = nullptr;
    }
    children.erase(std::remove_if(children.begin(), children.end(), is_finished), children.end());
}

void Effect::RenderChilds() {
    for (size_t i = 0; i < children.size(); ++i) {
        core::ptr<Effect> child = children[i];
        child->Render();
    }
}

void Effect::AddChild(Effect* child) {
    if (!child) return;
    child->parent = this;
    children.push_back(core::ptr<Effect>(child));
}

void Effect::LoadChilds(TiXmlElement* element) {
    if (!element) return;
    EffectFactory* factory = EffectFactory::instance();
    for (TiXmlElement* child = element->FirstChildElement(); child; child = child->NextSiblingElement()) {
        AddChild(factory->Create(child));
    }
}

// Counted up front: a node may copy its own children onto itself.
void Effect::CloneChilds(const Effect* source) {
    if (!source) return;
    const size_t count = source->children.size();
    for (size_t i = 0; i < count; ++i) AddChild(source->children[i]->Clone());
}

void Effect::CloneChilds(const Effect* source, const std::string& text) {
    if (!source) return;
    const size_t count = source->children.size();
    for (size_t i = 0; i < count; ++i) AddChild(source->children[i]->Clone(text));
}

void Effect::Register() {
    EffectFactory::instance()->Register("effect", &EffectCreate);
}

Effect* EffectCreate(TiXmlElement* element) {
    return new Effect(element);
}

CurrentEffectMatrix::CurrentEffectMatrix()
    : _matrix(math::Matrix4::IDENTITY), _color(1.0f, 1.0f, 1.0f, 1.0f) {}

void CurrentEffectMatrix::SetState(const EffectState& state) {
    _matrix = state.matrix;
    _color = state.color;
}

void CurrentEffectMatrix::Push() {
    _stack.push_back(EffectState{_matrix, _color});
}

void CurrentEffectMatrix::Pop() {
    if (_stack.empty()) return;
    SetState(_stack.back());
    _stack.pop_back();
}

EffectStateScope::EffectStateScope() : _current(CurrentEffectMatrix::instance()) {
    _current->Push();
}

EffectStateScope::EffectStateScope(const EffectState& state) : EffectStateScope() {
    _current->SetState(state);
}

EffectStateScope::~EffectStateScope() {
    _current->Pop();
}

}  // namespace effects
