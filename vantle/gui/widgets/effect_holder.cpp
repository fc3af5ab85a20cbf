#include "vantle/gui/widgets/effect_holder.h"

#include "vantle/effects/effect.h"
#include "vantle/gui/window_factory.h"
#include "vantle/render/render.h"

namespace gui {

EffectHolder::EffectHolder(TiXmlElement* element)
    : DrawableWindow(element), effect(new effects::Effect(element)) {
    effect->MoveTo(math::Vector2((rect.left + rect.right) * 0.5f, (rect.top + rect.bottom) * 0.5f));
    effect->Start(false);
}

EffectHolder::EffectHolder(const std::string& id, const math::Rect& rect) : DrawableWindow(id, rect) {}

EffectHolder::~EffectHolder() = default;

Window* CreateEffectHolder(TiXmlElement* element) {
    return new EffectHolder(element);
}

void EffectHolder::Register() {
    WindowFactory::instance()->Register("effect", &CreateEffectHolder);
}

void EffectHolder::Update() {
    if (effect) effect->Update();
}

void EffectHolder::Render() {
    const unsigned int level = render->GetLOD();
    if (level < lod || level > max_lod || !effect) return;
    effect->Render();
}

}  // namespace gui
