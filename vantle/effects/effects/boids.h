#pragma once

#include <string>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/effects/effect.h"
#include "vantle/math/rect.h"
#include "vantle/math/vec2.h"
#include "vantle/render/irender.h"

class TiXmlElement;

namespace game {
class Sprite;
}

namespace effects {

// A small flock of sprites steered by cohesion, separation and alignment among the boids each one sees,
// a push back into a bounding rectangle, optional flight from the mouse and speed limits. Speeds are in
// screen units per second. Each sprite is drawn turned to face its flight. The flock flies until stopped;
// its child effects are neither updated nor drawn. Without a sprite file the flock flies unseen.
class BoidsEffect : public Effect {
public:
    struct Boid {
        unsigned int id = 0;
        math::Vector2 position;
        math::Vector2 velocity;
        core::ptr<game::Sprite> sprite;

        // Whether the other lies ahead (less than 90 degrees off the heading) within the distance.
        bool See(Boid& other, float distance);
    };

    explicit BoidsEffect(TiXmlElement* element);
    ~BoidsEffect() override;

    // The settings and the flock as they stand; the copied boids share their sprites.
    Effect* Clone() const override;
    Effect* Clone(const std::string& text) const override;
    using Effect::Update;
    void Update(unsigned int time) override;
    void Render() override;
    bool IsPlaying() const override { return running != 0; }
    void OnStart() override;
    // The boids of the flock.
    unsigned int Weight() const override {
        return boids.empty() ? 1 : static_cast<unsigned int>(boids.size());
    }

    void UpdateBoids(unsigned int time);
    math::Vector2 BoidRuleCohesion(Boid& boid);
    math::Vector2 BoidRuleSeparation(Boid& boid);
    math::Vector2 BoidRuleAlignment(Boid& boid);
    math::Vector2 BoidRuleBounding(Boid& boid);
    math::Vector2 BoidRuleFromMouse(Boid& boid, const math::Vector2& mouse);

    // The flock, in id order.
    std::vector<Boid>& GetBoids() { return boids; }
    const math::Rect& GetBound() const { return bound; }
    float GetMinSpeed() const { return minSpeed; }
    float GetMaxSpeed() const { return maxSpeed; }
    render::IRender::FilteringMode GetFiltering() const { return filtering; }
    // The turn that makes a sprite drawn facing the negative x direction face the velocity.
    static float TurnAngle(const math::Vector2& velocity);

    static void Register();

private:
    BoidsEffect(const BoidsEffect&) = default;
    void ReadSettings(TiXmlElement* element);
    void CreateFlock(unsigned int count);
    // The pull times how far the boid's field lies from its mean over the boids it sees; none unseen.
    math::Vector2 TowardSeenMean(Boid& boid, math::Vector2 Boid::*field, float pull);

    core::ptr<game::Sprite> sprite;
    std::vector<Boid> boids;
    unsigned int lastUpdateTime = 0;
    float maxSpeed = 500.0f;
    float minSpeed = 100.0f;
    float cohesionK = 1.0f;
    float separationK = 1.0f;
    float alignmentK = 1.0f;
    float fromMouseK = 0.0f;
    float minDistance = 10.0f;
    float visDistance = 100.0f;
    // 50 units beyond every side of the 800 x 600 screen.
    math::Rect bound{-50.0f, -50.0f, 850.0f, 650.0f};
    render::IRender::FilteringMode filtering = render::IRender::FILTER_LINEAR;
};

Effect* BoidsEffectCreate(TiXmlElement* element);

}  // namespace effects
