#include "vantle/game/sprite.h"

#include <tinyxml.h>

#include <algorithm>
#include <climits>
#include <set>

#include "vantle/core/log.h"
#include "vantle/core/random.h"
#include "vantle/effects/animation.h"
#include "vantle/effects/effect.h"
#include "vantle/render/scopes.h"
#include "vantle/utils/timer.h"
#include "vantle/xml/attributes.h"
#include "vantle/xml/xmlcache.h"

namespace game {

namespace {

unsigned int Now() {
    return utils::Timer::instance()->GetTime();
}

core::ptr<effects::Effect> StartedEffect(effects::Effect* effect) {
    core::ptr<effects::Effect> started(effect);
    started->Start(false);
    return started;
}

core::ptr<effects::Effect> LoadEffect(TiXmlElement* element, const char* name) {
    TiXmlElement* child = element->FirstChildElement(name);
    if (!child) return core::ptr<effects::Effect>();
    return StartedEffect(new effects::Effect(child));
}

// The sprite files being loaded: an effect inside a sprite may load a sprite file in turn, and a file
// that reaches itself that way would recurse without end.
class LoadingFile {
public:
    explicit LoadingFile(const std::string& path) : _path(path), _entered(Files().insert(path).second) {}
    ~LoadingFile() {
        if (_entered) Files().erase(_path);
    }
    LoadingFile(const LoadingFile&) = delete;
    LoadingFile& operator=(const LoadingFile&) = delete;
    // False when the file is already being loaded further up.
    bool Entered() const { return _entered; }

private:
    static std::set<std::string>& Files() {
        static std::set<std::string> files;
        return files;
    }

    std::string _path;
    bool _entered;
};

}  // namespace

Sprite::Animation::Animation(TiXmlElement* element) {
    if (!element) return;
    frames = render::Animation(element);
    name = xml::ReadText(element, "name", name);
    isDefault = xml::ReadBool(element, "default", isDefault);
    if (TiXmlElement* child = element->FirstChildElement("affine")) {
        affine = core::ptr<effects::Animation>(new effects::Animation(child));
    }
    underEffect = LoadEffect(element, "under_effect");
    overEffect = LoadEffect(element, "over_effect");
}

unsigned int Sprite::Animation::GetLength() const {
    const unsigned int length = frames.GetLength();
    return affine ? std::max(length, affine->GetDuration()) : length;
}

bool Sprite::Animation::IsLooped() const {
    return affine ? affine->IsLooped() : frames.IsLooping();
}

Sprite::Animation* Sprite::Animation::Clone() const {
    Animation* copy = new Animation();
    copy->name = name;
    copy->isDefault = isDefault;
    copy->noEffects = noEffects;
    copy->frames = frames;
    copy->affine = affine;
    // The source's effects were started when it was loaded; the copy's run on their own clock from now.
    if (underEffect) copy->underEffect = StartedEffect(underEffect->Clone());
    if (overEffect) copy->overEffect = StartedEffect(overEffect->Clone());
    return copy;
}

void Sprite::Animation::RenderEffect(const core::ptr<effects::Effect>& effect,
                                     const math::Vector2& centre) const {
    if (!effect || noEffects) return;
    effect->MoveTo(centre);
    effect->Update(Now());
    effect->Render();
}

void Sprite::Animation::RenderFrame(const math::Rect& rect, unsigned int time,
                                    const math::Vector2& centre) const {
    if (frames.GetFrames().empty()) return;
    render::IRender& renderer = render::Renderer();
    if (!affine) {
        renderer.DrawRect(rect, frames.GetTile(time));
        return;
    }
    effects::Animation::State state = effects::Animation::InitialState();
    affine->UpdateState(time, state);
    render::WorldMatrixScope world(renderer, math::Translation(centre));
    renderer.MultWorldMatrix(state.matrix);
    renderer.MultWorldMatrix(math::Translation(-centre));
    render::ColorForceScope tint(renderer, state.color);
    renderer.DrawRect(rect, frames.GetTile(time));
}

void Sprite::Animation::Render(const math::Rect& rect, unsigned int time) {
    const math::Vector2 centre((rect.left + rect.right) / 2.0f, (rect.top + rect.bottom) / 2.0f);
    RenderEffect(underEffect, centre);
    RenderFrame(rect, time, centre);
    RenderEffect(overEffect, centre);
}

Sprite::Sprite(const std::string& path) {
    LoadingFile loading(path);
    if (!loading.Entered()) {
        core::Log::instance()->Write("Error loading sprite: " + path + " : the sprite contains itself");
        return;
    }
    const core::ptr<TiXmlDocument> document = xml::Load(path, "Error loading sprite: ");
    if (!document) return;
    TiXmlNode* node = document->FirstChild("sprite");
    TiXmlElement* element = node ? node->ToElement() : nullptr;
    if (!element) return;
    Load(element);
    static_cast<math::Rect&>(*this) = math::Rect(element);
}

Sprite::Sprite(TiXmlElement* element) : math::Rect(element) {
    Load(element);
}

void Sprite::Load(TiXmlElement* element) {
    maxShift = 0;
    speedScale = 1.0f;
    if (!element) return;
    for (TiXmlElement* child = element->FirstChildElement(); child; child = child->NextSiblingElement()) {
        const std::string tag = child->Value();
        if (tag == "animation") {
            core::ptr<Animation> animation(new Animation(child));
            AddAnimation(animation);
            if (animation->IsDefault()) current = defaultAnimation = animation;
        } else if (tag == "sprite") {
            children.push_back(core::ptr<Sprite>(new Sprite(child)));
        }
    }
    start = Now();
    maxShift = xml::ReadUnsigned(element, "max_shift", maxShift);
    DrawShift();
}

void Sprite::DrawShift() {
    if (maxShift == 0) return;
    const int highest = static_cast<int>(std::min<unsigned int>(maxShift, INT_MAX));
    shift = core::Random::instance()->GetInt(0, highest);
}

void Sprite::AddAnimation(const core::ptr<Animation>& animation) {
    if (!animation) return;
    animations[animation->GetName()] = animation;
}

void Sprite::SetAnimation(const std::string& name) {
    auto found = animations.find(name);
    if (found == animations.end()) return;
    current = found->second;
    for (auto& child : children) child->SetAnimation(name);
    start = Now();
}

bool Sprite::CurrentAnimationFinished() const {
    if (!current) return true;
    if (current->IsLooped()) return false;
    return current->GetLength() < Now() - start;
}

void Sprite::Render() {
    Render(Now() + static_cast<unsigned int>(shift));
}

void Sprite::Render(unsigned int time) {
    if (current) current->Render(*this, time - start);
    for (auto& child : children) child->Render(time);
}

void Sprite::Update(unsigned int time) {
    if (defaultAnimation && CurrentAnimationFinished()) {
        current = defaultAnimation;
        start = Now();
    }
    for (auto& child : children) child->Update(time);
}

void Sprite::Update() {
    Update(Now());
}

Sprite* Sprite::Clone() const {
    Sprite* copy = new Sprite();
    static_cast<math::Rect&>(*copy) = *this;
    copy->maxShift = maxShift;
    copy->speedScale = speedScale;
    copy->shift = shift;
    for (const auto& entry : animations) {
        core::ptr<Animation> animation(entry.second->Clone());
        copy->animations[entry.first] = animation;
        if (entry.second == current) copy->current = animation;
        if (entry.second == defaultAnimation) copy->defaultAnimation = animation;
    }
    // A default replaced in the map by a later animation of the same name still plays.
    if (current && !copy->current) copy->current = core::ptr<Animation>(current->Clone());
    if (defaultAnimation && !copy->defaultAnimation) {
        copy->defaultAnimation =
            current == defaultAnimation ? copy->current : core::ptr<Animation>(defaultAnimation->Clone());
    }
    copy->start = Now();
    copy->DrawShift();
    for (const auto& child : children) copy->children.push_back(core::ptr<Sprite>(child->Clone()));
    return copy;
}

void Sprite::MoveTo(float x, float y) {
    math::Rect::MoveTo(x, y);
    for (auto& child : children) child->MoveTo(x, y);
}

void Sprite::Resize(const math::Vector2& size) {
    math::Rect::Resize(size);
}

void Sprite::SetSpeedScale(float scale) {
    speedScale = scale;
    for (auto& entry : animations) entry.second->SetSpeedScale(scale);
    for (auto& child : children) child->SetSpeedScale(scale);
}

void Sprite::SetNoEffects(bool off) {
    for (auto& entry : animations) entry.second->SetNoEffects(off);
}

}  // namespace game
