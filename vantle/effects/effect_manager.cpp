#include "vantle/effects/effect_manager.h"

#include <algorithm>
#include <vector>

#include "vantle/core/log.h"
#include "vantle/input/mouse.h"

namespace effects {

void EffectPuppy::SetEffect(const core::ptr<Effect>& effect) {
    Stop();
    heldEffect = effect;
}

void EffectPuppy::Stop() {
    if (heldEffect) heldEffect->Stop();
}

bool EffectPuppy::IsAlive() const {
    return heldEffect && heldEffect->IsPlaying();
}

void EffectPuppy::MoveTo(const math::Vector2& point) {
    if (heldEffect) heldEffect->MoveTo(point);
}

void EffectManagerLocal::StartEffect(const core::ptr<Effect>& effect) {
    if (!effect) return;
    effect->Start(soundsOff != 0);
    runningEffects.push_back(effect);
}

void EffectManagerLocal::StartEffect(const core::ptr<Effect>& effect, const core::ptr<EffectPuppy>& puppy) {
    if (!effect) return;
    if (puppy) puppy->SetEffect(effect);
    StartEffect(effect);
}

EffectPuppy EffectManagerLocal::StartEffectWithPuppy(const core::ptr<Effect>& effect) {
    StartEffect(effect);
    return EffectPuppy(effect);
}

void EffectManagerLocal::Update() {
    std::vector<core::ptr<Effect>> finished;
    for (auto entry = runningEffects.begin(); entry != runningEffects.end(); ++entry) {
        core::ptr<Effect> effect = *entry;
        effect->Update();
        if (!effect->IsPlaying()) finished.push_back(effect);
    }
    for (const auto& done : finished) {
        auto found = std::find(runningEffects.begin(), runningEffects.end(), done);
        if (found != runningEffects.end()) runningEffects.erase(found);
    }
}

void EffectManagerLocal::Render() {
    for (auto entry = runningEffects.begin(); entry != runningEffects.end(); ++entry) {
        core::ptr<Effect> effect = *entry;
        effect->Render();
    }
}

namespace {
math::Vector2 MousePosition() {
    return input::Mouse::instance()->GetPosition();
}
}  // namespace

void EffectManager::Update() {
    mouseEffect.MoveTo(MousePosition());
    EffectManagerLocal::Update();
}

void EffectManager::StartMouseEffect(const core::ptr<Effect>& effect) {
    mouseEffect.Stop();
    mouseEffect = StartEffectWithPuppy(effect);
    mouseEffect.MoveTo(MousePosition());
    core::Log::instance()->Write("STTARTING MOUSE EFFECT");
}

void EffectManager::StopMouseEffect() {
    mouseEffect.Stop();
    core::Log::instance()->Write("STOPPING MOUSE EFFECT");
}

}  // namespace effects
