#pragma once

#include <string>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/core/singleton.h"
#include "vantle/effects/effect.h"
#include "vantle/math/rect.h"
#include "vantle/math/vec2.h"
#include "vantle/render/buffers.h"
#include "vantle/render/color.h"
#include "vantle/render/tile.h"

class TiXmlElement;

namespace effects {

// Owns, moves, ages and draws particles, all in one vertex buffer. Emitters among its children feed it
// through CurrentParticleSystem. The tile is the particle image; the rectangle's width and height are a
// particle's size at scale 1. Particles live in absolute screen units; physics counts time in units of
// 800 ms.
class ParticleSystem : public Effect, public render::Tile, public math::Rect {
public:
    struct Particle {
        float life = 0.0f;
        float energy = 0.0f;
        float angle = 0.0f;
        math::Vector2 position;
        math::Vector2 velocity;
        math::Vector2 acceleration;
        float radial = 0.0f;
        float tangential = 0.0f;
        float spin = 0.0f;
    };

    ParticleSystem();
    explicit ParticleSystem(TiXmlElement* element);
    ~ParticleSystem() override;

    using Effect::MoveTo;

    Effect* Clone() const override;
    Effect* Clone(const std::string& text) const override;
    using Effect::Update;
    // Steps every particle by the time since the last update, drops the dead, then updates the
    // emitters. It steps whether or not it runs.
    void Update(unsigned int time) override;
    // Draws nothing without a texture.
    void Render() override;
    // While it holds particles or children.
    bool IsPlaying() const override;
    void OnStart() override;

    void Emit(const Particle& particle);
    // Makes the buffer large enough for every particle; it never shrinks.
    void RebuildVB();
    void UpdateVB();

    const std::vector<Particle>& GetParticles() const { return particles; }
    render::IVertexBuffer* GetVertexBuffer() const { return vertexBuffer.get(); }
    unsigned int GetGrowth() const { return growth; }
    const render::Color& GetStartColor() const { return startColor; }
    const render::Color& GetEndColor() const { return endColor; }
    float GetStartSize() const { return startSize; }
    float GetEndSize() const { return endSize; }

    static void Register();

    static constexpr float TIME_UNIT = 800.0f;

private:
    ParticleSystem(const ParticleSystem&) = default;
    void Step(Particle& particle, float dt) const;
    void RemoveDead();

    unsigned int lastUpdateTime = 0;
    float timeUnit = TIME_UNIT;
    float energyLoss = 1.0f;
    std::vector<Particle> particles;
    render::Color startColor;
    render::Color endColor;
    float startSize = 1.0f;
    float endSize = 1.0f;
    // Each system draws from its own buffer: a copy drops the one it shares and makes its own.
    core::ptr<render::IVertexBuffer> vertexBuffer;
    unsigned int growth = 1;
};

Effect* ParticleSystemCreate(TiXmlElement* element);

// The particle system emitters feed: the one that last started or began an update. A system that is
// destroyed while current clears it, so emitters never reach a dead system.
class CurrentParticleSystem : public core::Singleton<CurrentParticleSystem> {
public:
    void Set(ParticleSystem* system) { _system = system; }
    // Null when no system is current.
    ParticleSystem* Get() const { return _system; }

private:
    ParticleSystem* _system = nullptr;
};

}  // namespace effects
