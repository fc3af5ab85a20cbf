#include "vantle/effects/effects/boids.h"

#include <tinyxml.h>

#include <algorithm>
#include <cmath>

#include "vantle/core/log.h"
#include "vantle/core/random.h"
#include "vantle/effects/effect_factory.h"
#include "vantle/game/sprite.h"
#include "vantle/input/mouse.h"
#include "vantle/math/mat4.h"
#include "vantle/render/scopes.h"
#include "vantle/utils/timer.h"
#include "vantle/xml/attributes.h"

namespace effects {

namespace {

const unsigned int kDefaultCount = 5;
// Every step visits the flock once per boid and rule: a larger flock would stall every frame.
const unsigned int kMaxCount = 1000;
const float kLengthEpsilon = 1e-8f;
const float kCohesionPull = 0.01f;
const float kAlignmentPull = 0.125f;
const float kBoundPush = 50.0f;
const float kSlowBoost = 1.1f;
// The initial velocities are drawn from these ranges.
const float kStartSpeedX = 50.0f;
const float kStartSpeedY = 20.0f;

math::Vector2 UnitOrSame(const math::Vector2& v) {
    const float length = std::sqrt(v.LengthSq());
    return length > kLengthEpsilon ? v / length : v;
}

render::IRender::FilteringMode ParseFiltering(const std::string& text) {
    if (text == "point") return render::IRender::FILTER_POINT;
    if (text == "anisotropic") return render::IRender::FILTER_ANISOTROPIC;
    return render::IRender::FILTER_LINEAR;
}

}  // namespace

bool BoidsEffect::Boid::See(Boid& other, float distance) {
    const math::Vector2 heading = UnitOrSame(velocity);
    const math::Vector2 offset = UnitOrSame(other.position - position);
    if (heading.x * offset.x + heading.y * offset.y <= 0.0f) return false;
    return (other.position - position).LengthSq() <= distance * distance;
}

BoidsEffect::BoidsEffect(TiXmlElement* element) : Effect(element) {
    unsigned int count = kDefaultCount;
    if (element) {
        if (const char* name = xml::FindText(element, "filename"))
            sprite = core::ptr<game::Sprite>(new game::Sprite(name));
        ReadSettings(element);
        count = xml::ReadUnsigned(element, "count", count);
        if (count > kMaxCount) {
            core::Log::instance()->Write("Error: a flock of %u boids, keeping %u", count, kMaxCount);
            count = kMaxCount;
        }
    }
    CreateFlock(count);
}

BoidsEffect::~BoidsEffect() = default;

void BoidsEffect::ReadSettings(TiXmlElement* element) {
    if (const char* text = xml::FindText(element, "filtering")) filtering = ParseFiltering(text);
    minSpeed = xml::ReadFloat(element, "min_speed", minSpeed);
    maxSpeed = xml::ReadFloat(element, "max_speed", maxSpeed);
    minDistance = xml::ReadFloat(element, "min_distance", minDistance);
    visDistance = xml::ReadFloat(element, "vis_distance", visDistance);
    cohesionK = xml::ReadFloat(element, "cohesion_k", cohesionK);
    separationK = xml::ReadFloat(element, "separation_k", separationK);
    alignmentK = xml::ReadFloat(element, "alignment_k", alignmentK);
    fromMouseK = xml::ReadFloat(element, "from_mouse_k", fromMouseK);
    if (TiXmlElement* child = element->FirstChildElement("bound")) bound = math::Rect(child);
}

void BoidsEffect::CreateFlock(unsigned int count) {
    core::Random* random = core::Random::instance();
    boids.reserve(count);
    for (unsigned int i = 0; i < count; ++i) {
        Boid boid;
        boid.id = i;
        boid.position = position;
        boid.velocity.x = random->GetFloat(-kStartSpeedX, kStartSpeedX);
        boid.velocity.y = random->GetFloat(-kStartSpeedY, kStartSpeedY);
        if (sprite) boid.sprite = core::ptr<game::Sprite>(sprite->Clone());
        boids.push_back(boid);
    }
}

// The children are never run, so the copy does not carry them.
Effect* BoidsEffect::Clone() const {
    return new BoidsEffect(*this);
}

Effect* BoidsEffect::Clone(const std::string&) const {
    return Clone();
}

void BoidsEffect::OnStart() {
    lastUpdateTime = utils::Timer::instance()->GetTime();
}

void BoidsEffect::Update(unsigned int time) {
    UpdateBoids(time);
    lastUpdateTime = time;
}

math::Vector2 BoidsEffect::TowardSeenMean(Boid& boid, math::Vector2 Boid::*field, float pull) {
    math::Vector2 sum;
    unsigned int seen = 0;
    for (Boid& other : boids) {
        if (other.id == boid.id || !boid.See(other, visDistance)) continue;
        sum += other.*field;
        ++seen;
    }
    if (seen == 0) return math::Vector2();
    return (sum / static_cast<float>(seen) - boid.*field) * pull;
}

math::Vector2 BoidsEffect::BoidRuleCohesion(Boid& boid) {
    return TowardSeenMean(boid, &Boid::position, kCohesionPull);
}

math::Vector2 BoidsEffect::BoidRuleSeparation(Boid& boid) {
    math::Vector2 push;
    for (Boid& other : boids) {
        if (other.id == boid.id) continue;
        if ((other.position - boid.position).LengthSq() >= minDistance * minDistance) continue;
        if (!boid.See(other, visDistance)) continue;
        push += boid.position - other.position;
    }
    return push;
}

math::Vector2 BoidsEffect::BoidRuleAlignment(Boid& boid) {
    return TowardSeenMean(boid, &Boid::velocity, kAlignmentPull);
}

math::Vector2 BoidsEffect::BoidRuleBounding(Boid& boid) {
    math::Vector2 push;
    if (boid.position.x < bound.left) {
        push.x = kBoundPush;
    } else if (boid.position.x > bound.right) {
        push.x = -kBoundPush;
    }
    if (boid.position.y < bound.top) {
        push.y = kBoundPush;
    } else if (boid.position.y > bound.bottom) {
        push.y = -kBoundPush;
    }
    return push;
}

math::Vector2 BoidsEffect::BoidRuleFromMouse(Boid& boid, const math::Vector2& mouse) {
    const math::Vector2 away = boid.position - mouse;
    if (away.LengthSq() < visDistance * visDistance) return away;
    return math::Vector2();
}

void BoidsEffect::UpdateBoids(unsigned int time) {
    const float dt = static_cast<float>(time - lastUpdateTime) / 1000.0f;
    const math::Vector2 mouse = input::Mouse::instance()->GetPosition();
    for (Boid& boid : boids) {
        math::Vector2 v = boid.velocity + cohesionK * BoidRuleCohesion(boid);
        v += separationK * BoidRuleSeparation(boid);
        v += alignmentK * BoidRuleAlignment(boid);
        v += BoidRuleBounding(boid);
        v += fromMouseK * BoidRuleFromMouse(boid, mouse);
        boid.velocity = v;
        const float speed_sq = v.LengthSq();
        if (speed_sq > maxSpeed * maxSpeed) {
            boid.velocity = v / std::sqrt(speed_sq) * maxSpeed;
        } else if (speed_sq < minSpeed * minSpeed) {
            boid.velocity *= kSlowBoost;
        }
        boid.position += dt * boid.velocity;
    }
}

// Rounding may leave a unit component a hair beyond 1, where acos has no value.
float BoidsEffect::TurnAngle(const math::Vector2& velocity) {
    const math::Vector2 d = UnitOrSame(velocity);
    const auto arc = [](float c) { return std::acos(std::min(1.0f, std::max(-1.0f, c))); };
    if (d.x > 0.0f && d.y > 0.0f) return arc(d.x) + math::PI;
    if (d.x > 0.0f) return arc(-d.y) + math::PI / 2.0f;
    if (d.y <= 0.0f) return arc(-d.x);
    return arc(d.y) + 3.0f * math::PI / 2.0f;
}

void BoidsEffect::Render() {
    if (!sprite) return;
    render::IRender& renderer = render::Renderer();
    const render::IRender::FilteringMode previous = renderer.GetFilteringMode();
    renderer.SetFilteringMode(filtering);
    for (Boid& boid : boids) {
        if (!boid.sprite) continue;
        boid.sprite->MoveTo(boid.position);
        math::Matrix4 turn;
        turn.Rotate(TurnAngle(boid.velocity), 0.0f, 0.0f, 1.0f);
        render::WorldMatrixScope turned(
            renderer, math::Translation(boid.position) * turn * math::Translation(-boid.position));
        boid.sprite->Render();
    }
    renderer.SetFilteringMode(previous);
}

void BoidsEffect::Register() {
    EffectFactory::instance()->Register("boids", &BoidsEffectCreate);
}

Effect* BoidsEffectCreate(TiXmlElement* element) {
    return new BoidsEffect(element);
}

}  // namespace effects
