#include "vantle/effects/effects/affine.h"

#include "vantle/effects/effect_factory.h"
#include "vantle/render/render.h"
#include "vantle/utils/timer.h"

namespace effects {

AffineEffect::AffineEffect() : state(Animation::InitialState()) {}

AffineEffect::AffineEffect(TiXmlElement* element)
    : Effect(element),
      animation(element),
      renderer(render::Render::instance()->GetImplementation()),
      state(Animation::InitialState()) {}

void AffineEffect::CopyFrom(const AffineEffect& source) {
    animation = source.animation;
    renderer = source.renderer;
    startTime = source.startTime;
    position = source.position;
}

Effect* AffineEffect::Clone() const {
    AffineEffect* copy = new AffineEffect();
    copy->CopyFrom(*this);
    copy->CloneChilds(this);
    return copy;
}

Effect* AffineEffect::Clone(const std::string& text) const {
    AffineEffect* copy = new AffineEffect();
    copy->CopyFrom(*this);
    copy->CloneChilds(this, text);
    return copy;
}

void AffineEffect::OnStart() {
    startTime = utils::Timer::instance()->GetTime();
}

void AffineEffect::Update(unsigned int time) {
    localTime = time - startTime;
    animation.UpdateState(localTime, state);
    CurrentEffectMatrix* current = CurrentEffectMatrix::instance();
    current->Push();
    current->SetState(state);
    // Children get the absolute time, not the local one.
    UpdateChilds(time);
    current->Pop();
}

void AffineEffect::Render() {
    // The renderer seen at construction may since have been replaced.
    renderer = render::Render::instance()->GetImplementation();
    animation.UpdateState(localTime, state);
    CurrentEffectMatrix* current = CurrentEffectMatrix::instance();
    if (renderer) {
        renderer->PushWorldMatrix();
        renderer->MultWorldMatrix(math::Translation(position));
    }
    current->Push();
    current->SetState(state);
    if (renderer) {
        renderer->MultWorldMatrix(state.matrix);
        renderer->MultWorldMatrix(math::Translation(-position));
    }
    RenderChilds();
    current->Pop();
    if (renderer) renderer->PopWorldMatrix();
}

bool AffineEffect::IsPlaying() const {
    if (animation.IsLooped()) return IsLoopPlaying(true);
    return localTime <= animation.GetDuration();
}

void AffineEffect::Register() {
    EffectFactory::instance()->Register("affine", &AffineEffectCreateFunc);
}

Effect* AffineEffectCreateFunc(TiXmlElement* element) {
    return new AffineEffect(element);
}

}  // namespace effects
