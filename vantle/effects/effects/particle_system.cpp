#include "vantle/effects/effects/particle_system.h"

#include <tinyxml.h>

#include <cmath>

#include "vantle/effects/effect_factory.h"
#include "vantle/math/vec3.h"
#include "vantle/render/render.h"
#include "vantle/render/texture.h"
#include "vantle/utils/timer.h"
#include "vantle/xml/attributes.h"

namespace effects {

namespace {

constexpr unsigned int kVerticesPerParticle = 6;
constexpr float kMinRadialDistance = 1e-8f;

}  // namespace

ParticleSystem::ParticleSystem() = default;

ParticleSystem::ParticleSystem(TiXmlElement* element)
    : Effect(element), render::Tile(element), math::Rect(element) {
    if (element) {
        startColor = render::ReadColor(element, "start_color", startColor);
        endColor = render::ReadColor(element, "end_color", endColor);
        startSize = xml::ReadFloat(element, "start_size", startSize);
        endSize = xml::ReadFloat(element, "end_size", endSize);
    }
    // Texture coordinates must address the shared texture page the texture lives on.
    if (const render::ITexture* texture = GetTexturePointer()) rect = texture->get_abs_trect(rect);
    RebuildVB();
}

ParticleSystem::~ParticleSystem() {
    if (!CurrentParticleSystem::exists()) return;
    CurrentParticleSystem* current = CurrentParticleSystem::instance();
    if (current->Get() == this) current->Set(nullptr);
}

Effect* ParticleSystem::Clone() const {
    ParticleSystem* copy = new ParticleSystem(*this);
    copy->vertexBuffer.reset();
    copy->CloneChilds(this);
    copy->lastUpdateTime = utils::Timer::instance()->GetTime();
    copy->RebuildVB();
    return copy;
}

Effect* ParticleSystem::Clone(const std::string&) const {
    return Clone();
}

void ParticleSystem::OnStart() {
    CurrentParticleSystem::instance()->Set(this);
    // A system started without being cloned would otherwise age its first particles by the whole
    // clock time at its first update.
    lastUpdateTime = utils::Timer::instance()->GetTime();
}

void ParticleSystem::Step(Particle& p, float dt) const {
    p.energy -= dt * energyLoss;
    p.velocity += dt * p.acceleration;
    p.angle += dt * p.spin;
    math::Vector2 d = p.position - position;
    const float length = std::sqrt(d.x * d.x + d.y * d.y);
    if (length > kMinRadialDistance) d *= 1.0f / length;
    p.velocity += dt * (p.radial * d + p.tangential * math::Vector2(-d.y, d.x));
    p.position += dt * p.velocity;
}

void ParticleSystem::RemoveDead() {
    size_t kept = 0;
    for (size_t i = 0; i < particles.size(); ++i) {
        if (particles[i].energy > 0.0f) particles[kept++] = particles[i];
    }
    particles.resize(kept);
}

void ParticleSystem::Update(unsigned int time) {
    CurrentParticleSystem::instance()->Set(this);
    const float dt = static_cast<float>(time - lastUpdateTime) / timeUnit;
    for (Particle& particle : particles) Step(particle, dt);
    RemoveDead();
    lastUpdateTime = time;
    UpdateChilds(time);
}

void ParticleSystem::Render() {
    render::IRender& renderer = render::Renderer();
    renderer.SetBlendingMode(render::IRender::BLEND_ALPHA);
    renderer.UnForceColor();
    UpdateVB();
    const render::ITexture* texture = GetTexturePointer();
    if (!texture || !vertexBuffer || vertexBuffer->GetCount() == 0) return;
    renderer.DrawVertexBuffer(vertexBuffer.get(), texture);
}

bool ParticleSystem::IsPlaying() const {
    return !particles.empty() || Effect::IsPlaying();
}

void ParticleSystem::Emit(const Particle& particle) {
    particles.push_back(particle);
    RebuildVB();
}

void ParticleSystem::RebuildVB() {
    render::IRender& renderer = render::Renderer();
    const unsigned int n = static_cast<unsigned int>(particles.size());
    const unsigned int reserved = (n + growth) * kVerticesPerParticle;
    if (!vertexBuffer) {
        vertexBuffer = core::ptr<render::IVertexBuffer>(renderer.CreateVertexBuffer(reserved));
        return;
    }
    if (vertexBuffer->GetReservedCount() >= n * kVerticesPerParticle) return;
    // The old buffer goes before the larger one is made.
    vertexBuffer.reset();
    vertexBuffer = core::ptr<render::IVertexBuffer>(renderer.CreateVertexBuffer(reserved));
    growth *= 2;
}

void ParticleSystem::UpdateVB() {
    if (!vertexBuffer) return;
    const unsigned int n = static_cast<unsigned int>(particles.size());
    vertexBuffer->SetCount(n * kVerticesPerParticle);
    if (n == 0) return;
    const render::ITexture* texture = GetTexturePointer();
    const float sx = texture ? texture->GetScaleX() : 1.0f;
    const float sy = texture ? texture->GetScaleY() : 1.0f;
    const float uL = sx * rect.left;
    const float vT = sy * rect.top;
    const float uR = sx * rect.right;
    const float vB = sy * rect.bottom;
    const math::Vector2 uv[4] = {{uL, vT}, {uR, vT}, {uR, vB}, {uL, vB}};
    const int corner_of_vertex[kVerticesPerParticle] = {0, 1, 2, 2, 3, 0};

    vertexBuffer->Lock();
    for (unsigned int i = 0; i < n; ++i) {
        const Particle& p = particles[i];
        // A particle born without life is drawn as at its death.
        const float t = p.life > 0.0f ? p.energy / p.life : 0.0f;
        const float size = endSize + t * (startSize - endSize);
        const float hw = Width() * 0.5f * size;
        const float hh = Height() * 0.5f * size;
        const render::Color color = render::Color::Lerp(endColor, startColor, t);
        const float c = std::cos(p.angle);
        const float s = std::sin(p.angle);
        const math::Vector2 local[4] = {{-hw, -hh}, {hw, -hh}, {hw, hh}, {-hw, hh}};
        math::Vector3 corners[4];
        for (int k = 0; k < 4; ++k) {
            corners[k] = math::Vector3(local[k].x * c - local[k].y * s + p.position.x,
                                       local[k].x * s + local[k].y * c + p.position.y, 0.0f);
        }
        render::Vertex quad[kVerticesPerParticle];
        for (unsigned int v = 0; v < kVerticesPerParticle; ++v) {
            const int k = corner_of_vertex[v];
            quad[v] = render::Vertex{corners[k], uv[k], color};
        }
        vertexBuffer->SetVertices(i * kVerticesPerParticle, quad, kVerticesPerParticle);
    }
    vertexBuffer->Unlock();
}

void ParticleSystem::Register() {
    EffectFactory::instance()->Register("particle_system", &ParticleSystemCreate);
}

Effect* ParticleSystemCreate(TiXmlElement* element) {
    return new ParticleSystem(element);
}

}  // namespace effects
