#include "vantle/effects/effects/fly.h"

#include <tinyxml.h>

#include <cmath>
#include <limits>

#include "vantle/core/log.h"
#include "vantle/core/random.h"
#include "vantle/effects/effect_factory.h"
#include "vantle/effects/effect_manager.h"
#include "vantle/render/scopes.h"
#include "vantle/utils/timer.h"
#include "vantle/xml/attributes.h"

namespace effects {

namespace {

const float kNormalEpsilon = 0.00000001f;

// The path's middle point must lie between its ends, at a finite offset: a point on an end, or no number,
// gives the spline a zero-width interval and every position would be NaN.
bool UsableMiddle(float at, float offset) {
    return at != 0.0f && at != 1.0f && std::isfinite(at) && std::isfinite(offset);
}

}  // namespace

FlyEffect::FlyEffect(TiXmlElement* element) : Effect(element) {
    flightStart = utils::Timer::instance()->GetTime();
    if (!element) return;
    speed = xml::ReadFloat(element, "speed", speed);
    disp = xml::ReadFloat(element, "disp", disp);
    rf = xml::ReadFloat(element, "rf", rf);
    spoint = xml::ReadFloat(element, "spoint", spoint);
    // Without either pair the flight starts where the effect stands and ends where it was loaded.
    to = position;
    from = position;
    if (xml::Has(element, "to_x")) {
        to = xml::ReadPoint(element, "to_x", "to_y", position);
        endIsPosition = false;
    }
    if (xml::Has(element, "from_x")) {
        from = xml::ReadPoint(element, "from_x", "from_y", position);
        endIsPosition = true;
    }
    if (!UsableMiddle(spoint, disp) || !std::isfinite(rf)) {
        core::Log::instance()->Write(
            "Error: fly path middle at %g, offset %g, range %g is unusable; flying without it", spoint, disp,
            rf);
    }
    TiXmlElement* finish = element->FirstChildElement("finish_effect");
    if (finish) finishEffect = core::ptr<Effect>(new Effect(finish));
}

FlyEffect* FlyEffect::CloneSettings() const {
    FlyEffect* copy = new FlyEffect(*this);
    copy->running = 0;
    copy->flightStart = utils::Timer::instance()->GetTime();
    return copy;
}

Effect* FlyEffect::Clone() const {
    FlyEffect* copy = CloneSettings();
    copy->CloneChilds(this);
    return copy;
}

Effect* FlyEffect::Clone(const std::string& text) const {
    FlyEffect* copy = CloneSettings();
    copy->CloneChilds(this, text);
    return copy;
}

void FlyEffect::OnStart() {
    flightStart = utils::Timer::instance()->GetTime();
    if (endIsPosition) {
        to = position;
    } else {
        from = position;
    }
    current = from;
    finished = false;
    const math::Vector2 line = to - from;
    length = line.Length();
    normal = math::Vector2(-line.y, line.x);
    const float normal_length = normal.Length();
    if (normal_length > kNormalEpsilon) normal = normal / normal_length;

    path.Clear();
    path.AddPoint(0.0f, 0.0f);
    const float middle = disp + core::Random::instance()->GetFloat(-rf, rf);
    if (UsableMiddle(spoint, middle)) path.AddPoint(spoint, middle);
    path.AddPoint(1.0f, 0.0f);
    path.Build();

    // No finite duration (a speed of 0 or less, NaN included) or nothing to fly: arrive at once.
    duration = 0;
    if (!(speed > 0.0f) || !(length > 0.0f)) return;
    const float milliseconds = length * 1000.0f / speed;
    const float longest = static_cast<float>(std::numeric_limits<unsigned int>::max());
    duration = milliseconds < longest ? static_cast<unsigned int>(milliseconds)
                                      : std::numeric_limits<unsigned int>::max();
}

// The children stand at the effect's position: this shows them at the current point.
math::Matrix4 FlyEffect::ShownAtCurrent() const {
    return math::Translation(current - position);
}

// A flight of no duration has arrived: its progress is 1, never 0 / 0.
float FlyEffect::Progress(unsigned int time) const {
    if (duration == 0) return 1.0f;
    return static_cast<float>(time - flightStart) / static_cast<float>(duration);
}

void FlyEffect::Update(unsigned int time) {
    const float progress = Progress(time);
    const math::Vector2 base = math::Vector2::Lerp(from, to, progress);
    if (disp == 0.0f && rf == 0.0f) {
        current = base;
    } else {
        current = base + (path.GetValue(progress) * length) * normal;
    }

    {
        // Restored afterwards, not reset: siblings updated after this one keep an enclosing transform.
        EffectStateScope shown(EffectState{ShownAtCurrent(), render::Color(1.0f, 1.0f, 1.0f, 1.0f)});
        UpdateChilds(time);
    }

    if ((progress > 1.0f || duration == 0) && !finished) Arrive();
}

void FlyEffect::Arrive() {
    if (finishEffect) {
        core::ptr<Effect> copy(finishEffect->Clone());
        copy->MoveTo(to);
        EffectManager::instance()->StartEffect(copy);
    }
    finished = true;
}

void FlyEffect::Render() {
    render::WorldMatrixScope shown(render::Renderer(), ShownAtCurrent());
    RenderChilds();
}

bool FlyEffect::IsPlaying() const {
    if (finished) return false;
    return Effect::IsPlaying();
}

void FlyEffect::Register() {
    EffectFactory::instance()->Register("fly", &FlyEffectCreateFunc);
}

Effect* FlyEffectCreateFunc(TiXmlElement* element) {
    return new FlyEffect(element);
}

}  // namespace effects
