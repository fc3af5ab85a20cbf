#include "vantle/effects/effects/affine.h"

#include "vantle/effects/effect_factory.h"
#include "vantle/render/scopes.h"
#include "vantle/utils/timer.h"

namespace effects {

AffineEffect::AffineEffect() : state(Animation::InitialState()) {}

AffineEffect::AffineEffect(TiXmlElement* element)
    : Effect(element), animation(element), state(Animation::InitialState()) {}

AffineEffect* AffineEffect::CopyNode() const {
    AffineEffect* copy = new AffineEffect(*this);
    copy->running = 0;
    copy->localTime = 0;
    copy->state = Animation::InitialState();
    return copy;
}

Effect* AffineEffect::Clone() const {
    AffineEffect* copy = CopyNode();
    copy->CloneChilds(this);
    return copy;
}

Effect* AffineEffect::Clone(const std::string& text) const {
    AffineEffect* copy = CopyNode();
    copy->CloneChilds(this, text);
    return copy;
}

void AffineEffect::OnStart() {
    startTime = utils::Timer::instance()->GetTime();
}

void AffineEffect::Update(unsigned int time) {
    localTime = time - startTime;
    animation.UpdateState(localTime, state);
    EffectStateScope applied(state);
    // Children get the absolute time, not the local one.
    UpdateChilds(time);
}

void AffineEffect::Render() {
    animation.UpdateState(localTime, state);
    render::IRender& renderer = render::Renderer();
    render::WorldMatrixScope world(renderer, math::Translation(position));
    EffectStateScope applied(state);
    renderer.MultWorldMatrix(state.matrix);
    renderer.MultWorldMatrix(math::Translation(-position));
    RenderChilds();
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
