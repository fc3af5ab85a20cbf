#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "effect_kinds_fixture.h"
#include "vantle/effects/effects/affine.h"
#include "vantle/effects/effects/particle_emitter.h"
#include "vantle/effects/effects/particle_system.h"
#include "vantle/render/ogl/vertexbuffer_ogl.h"
#include "vantle/render/texture.h"

namespace {

using effects::ParticleEmitter;
using effects::ParticleSystem;
using Particle = effects::ParticleSystem::Particle;
using test::NearPoint;

// A texture whose page coordinates are its own, scaled by 0.5.
class HalfScaleTexture : public render::ITexture {
public:
    float GetScaleX() const override { return 0.5f; }
    float GetScaleY() const override { return 0.5f; }
    void Lock(bool) override {}
    void Unlock() override {}
    unsigned int Get(unsigned int, unsigned int) const override { return 0; }
    void Set(unsigned int, unsigned int, const render::Color&) override {}
    void Set(unsigned int, unsigned int, unsigned int) override {}
    void Fill(const render::Color&) override {}
};

class Particles : public test::EffectKindsTest {
protected:
    ParticleSystem* Started(const std::string& xml, const math::Vector2& at = math::Vector2()) {
        return EffectKindsTest::Started<ParticleSystem>(xml, &at);
    }

    static render::VertexBufferOGL& Vertices(const ParticleSystem& system) {
        return *dynamic_cast<render::VertexBufferOGL*>(system.GetVertexBuffer());
    }

    static Particle Moving(float x, float y, float vx, float vy) {
        Particle p;
        p.life = p.energy = 2.0f;
        p.position = math::Vector2(x, y);
        p.velocity = math::Vector2(vx, vy);
        return p;
    }
};

TEST_F(Particles, SystemReadsItsLookAndKeepsDefaults) {
    core::ptr<effects::Effect> plain = Create("<particle_system w='8' h='6'/>");
    auto* system = dynamic_cast<ParticleSystem*>(plain.get());
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->GetStartColor(), render::Color(0, 0, 0, 0));
    EXPECT_EQ(system->GetEndColor(), render::Color(0, 0, 0, 0));
    EXPECT_EQ(system->GetStartSize(), 1.0f);
    EXPECT_EQ(system->GetEndSize(), 1.0f);
    EXPECT_EQ(system->Width(), 8.0f);
    EXPECT_EQ(system->Height(), 6.0f);
    EXPECT_EQ(system->GetVertexBuffer()->GetReservedCount(), 6u);

    core::ptr<effects::Effect> styled = Create(
        "<particle_system x='5' y='7' start_color='FF0000' end_color='0000FF80' start_size='2' "
        "end_size='0.5'>"
        "<emitter count='3'/><particle_emitter/><unknown/></particle_system>");
    system = dynamic_cast<ParticleSystem*>(styled.get());
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->GetPos(), math::Vector2(5, 7));
    EXPECT_EQ(system->GetStartColor(), render::Color(1, 0, 0, 1));
    EXPECT_EQ(system->GetEndColor(), render::Color(0, 0, 1, 128.0f / 255.0f));
    EXPECT_EQ(system->GetStartSize(), 2.0f);
    EXPECT_EQ(system->GetEndSize(), 0.5f);
    EXPECT_EQ(system->GetChilds().size(), 2u);
}

TEST_F(Particles, BufferGrowsWithAReserveThatDoubles) {
    ParticleSystem* system = Started("<particle_system w='4' h='4'/>");
    struct Step {
        unsigned int particles;
        unsigned int reserved;
        unsigned int growth;
    };
    const Step steps[] = {{1, 6, 1}, {2, 18, 2}, {3, 18, 2}, {4, 36, 4}, {6, 36, 4}, {7, 66, 8}, {11, 66, 8}};
    for (const Step& step : steps) {
        while (system->GetParticles().size() < step.particles) system->Emit(Moving(0, 0, 0, 0));
        SCOPED_TRACE(step.particles);
        EXPECT_EQ(system->GetVertexBuffer()->GetReservedCount(), step.reserved);
        EXPECT_EQ(system->GetGrowth(), step.growth);
    }
}

TEST_F(Particles, ParticlesMoveAndAgeInTimeUnitsOf800Milliseconds) {
    ParticleSystem* system = Started("<particle_system x='0' y='0'/>");
    Particle falling = Moving(100, 0, 100, 0);
    falling.acceleration = math::Vector2(0, 80);
    falling.spin = 2.0f;
    Particle pushed = Moving(10, 0, 0, 0);  // radial acceleration away from the system's position
    pushed.radial = 8.0f;
    Particle turned = Moving(0, -10, 0, 0);  // tangential: at right angles to the radial direction
    turned.tangential = 4.0f;
    Particle centred = Moving(0, 0, 0, 0);  // on the position: the offset stays unnormalised (zero)
    centred.radial = 50.0f;
    for (const Particle& p : {falling, pushed, turned, centred}) system->Emit(p);

    system->Update(clock.At(400));  // half a time unit
    const auto& ps = system->GetParticles();
    ASSERT_EQ(ps.size(), 4u);
    EXPECT_FLOAT_EQ(ps[0].energy, 1.5f);
    EXPECT_FLOAT_EQ(ps[0].life, 2.0f);
    EXPECT_FLOAT_EQ(ps[0].angle, 1.0f);
    EXPECT_TRUE(NearPoint(ps[0].velocity, 100, 40));
    EXPECT_TRUE(NearPoint(ps[0].position, 150, 20));  // moved with the velocity just updated
    EXPECT_TRUE(NearPoint(ps[1].velocity, 4, 0));
    EXPECT_TRUE(NearPoint(ps[1].position, 12, 0));
    EXPECT_TRUE(NearPoint(ps[2].velocity, 2, 0));  // (-d.y, d.x) with d = (0, -1)
    EXPECT_TRUE(NearPoint(ps[3].velocity, 0, 0));
    EXPECT_TRUE(NearPoint(ps[3].position, 0, 0));

    system->Update(clock.At(2000));  // two more time units: every particle has spent its energy
    EXPECT_TRUE(system->GetParticles().empty());
}

TEST_F(Particles, ZeroTimeStepMovesNothingButStillRemovesTheSpent) {
    ParticleSystem* system = Started("<particle_system/>");
    Particle spent = Moving(5, 5, 10, 10);
    spent.energy = 0.0f;
    system->Emit(Moving(1, 1, 10, 10));
    system->Emit(spent);
    system->Emit(Moving(2, 2, 10, 10));
    const unsigned int now = clock.At(100);
    system->Update(now);
    system->Update(now);
    ASSERT_EQ(system->GetParticles().size(), 2u);
    const math::Vector2 first = system->GetParticles()[0].position;
    system->Update(now);
    EXPECT_EQ(system->GetParticles()[0].position, first);
    EXPECT_TRUE(NearPoint(system->GetParticles()[1].position, 2 + 1.25f, 2 + 1.25f));  // survivors keep order
}

TEST_F(Particles, QuadsFadeAndShrinkFromBirthToDeath) {
    ParticleSystem* system = Started(
        "<particle_system w='10' h='4' start_color='FFFFFFFF' end_color='00000000' start_size='2' "
        "end_size='0'><rect left='0.5' top='0' right='1' bottom='0.25'/></particle_system>");
    system->SetTexture(core::ptr<render::ITexture>(new HalfScaleTexture()));
    Particle half = Moving(100, 50, 0, 0);
    half.energy = 1.0f;  // half its life: size 1, colour halfway
    half.angle = math::PI / 2;
    Particle newborn = Moving(0, 0, 0, 0);
    Particle lifeless = Moving(0, 0, 0, 0);
    lifeless.life = lifeless.energy = 0.0f;  // drawn as at its death, without dividing by zero
    for (const Particle& p : {half, newborn, lifeless}) system->Emit(p);

    system->Render();
    render::VertexBufferOGL& vb = Vertices(*system);
    ASSERT_EQ(vb.GetCount(), 18u);
    // Corners (left, top), (right, top), (right, bottom), (right, bottom), (left, bottom), (left, top),
    // turned a quarter about the particle's centre: (x, y) -> (-y, x).
    const math::Vector2 turned[6] = {{102, 45}, {102, 55}, {98, 55}, {98, 55}, {98, 45}, {102, 45}};
    const math::Vector2 uv[6] = {{0.25f, 0},     {0.5f, 0},       {0.5f, 0.125f},
                                 {0.5f, 0.125f}, {0.25f, 0.125f}, {0.25f, 0}};
    for (unsigned int v = 0; v < 6; ++v) {
        SCOPED_TRACE(v);
        EXPECT_TRUE(
            NearPoint(math::Vector2(vb.GetPosition(v).x, vb.GetPosition(v).y), turned[v].x, turned[v].y));
        EXPECT_EQ(vb.GetPosition(v).z, 0.0f);
        EXPECT_TRUE(NearPoint(vb.GetUV(v), uv[v].x, uv[v].y));
        EXPECT_EQ(vb.GetColor(v), render::Color(0.5f, 0.5f, 0.5f, 0.5f));
    }
    EXPECT_TRUE(NearPoint(math::Vector2(vb.GetPosition(6).x, vb.GetPosition(6).y), -10, -4));  // size 2
    EXPECT_EQ(vb.GetColor(6), render::Color(1, 1, 1, 1));
    EXPECT_TRUE(NearPoint(math::Vector2(vb.GetPosition(12).x, vb.GetPosition(12).y), 0, 0));  // size 0
    EXPECT_EQ(vb.GetColor(12), render::Color(0, 0, 0, 0));

    ASSERT_EQ(renderer.Draws().size(), 1u);
    EXPECT_EQ(renderer.Draws()[0].kind, test::RecordingRender::VERTICES);
    EXPECT_EQ(renderer.Draws()[0].count, 18u);
    EXPECT_EQ(renderer.Draws()[0].blending, render::IRender::BLEND_ALPHA);
}

TEST_F(Particles, SystemWithoutTextureDrawsNothing) {
    ParticleSystem* system = Started("<particle_system w='10' h='10'><emitter count='5'/></particle_system>");
    EXPECT_EQ(system->GetParticles().size(), 5u);
    system->Update(clock.At(10));
    system->Render();
    EXPECT_TRUE(renderer.Draws().empty());
    EXPECT_EQ(system->GetVertexBuffer()->GetCount(), 30u);  // the vertices are still kept up to date
}

TEST_F(Particles, EmittersReadRangesInPlainMinMaxOrder) {
    struct Case {
        const char* xml;
        float low;
        float high;
    };
    // The radial acceleration of every particle of one burst lies in the range read.
    const Case cases[] = {
        {"<emitter count='20'><acceleration radial='3'/></emitter>", 3, 3},
        {"<emitter count='20'><acceleration radial_max='5'/></emitter>", 0, 5},
        {"<emitter count='20'><acceleration radial_min='4'/></emitter>", 4, 4},
        {"<emitter count='20'><acceleration radial='1' radial_min='2' radial_max='6'/></emitter>", 2, 6},
        {"<emitter count='20' radial='9'/>", 0, 0},  // only read inside "acceleration"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xml);
        ParticleSystem* system = Started(std::string("<particle_system>") + c.xml + "</particle_system>");
        ASSERT_EQ(system->GetParticles().size(), 20u);
        for (const Particle& p : system->GetParticles()) {
            EXPECT_GE(p.radial, c.low);
            EXPECT_LE(p.radial, c.high);
            EXPECT_EQ(p.tangential, 0.0f);
        }
    }
}

TEST_F(Particles, EmittedParticlesFollowTheEmittersSettings) {
    ParticleSystem* system = Started(
        "<particle_system>"
        "<emitter count='40' energy='1' energy_max='3'>"
        "<position left='-5' right='5' top='0' bottom='2'/>"
        "<speed direction='90' spread='0' min='30' max='30'/>"
        "<acceleration left='0.5' right='2.9' top='-1.5' bottom='-1.5'/>"
        "<spin min='1' max='2'/>"
        "</emitter></particle_system>",
        math::Vector2(200, 100));
    ASSERT_EQ(system->GetParticles().size(), 40u);
    std::set<float> x_accelerations;
    for (const Particle& p : system->GetParticles()) {
        EXPECT_EQ(p.life, p.energy);
        EXPECT_GE(p.life, 1.0f);
        EXPECT_LE(p.life, 3.0f);
        // The origin lies one unit right of and below the emitter's position.
        EXPECT_GE(p.position.x, 196.0f);
        EXPECT_LE(p.position.x, 206.0f);
        EXPECT_GE(p.position.y, 101.0f);
        EXPECT_LE(p.position.y, 103.0f);
        EXPECT_TRUE(NearPoint(p.velocity, 0, 30));  // straight down the screen
        EXPECT_GE(p.spin, 1.0f);
        EXPECT_LE(p.spin, 2.0f);
        EXPECT_EQ(p.angle, 0.0f);
        EXPECT_EQ(p.acceleration.y, -1.0f);  // bounds cut towards zero
        x_accelerations.insert(p.acceleration.x);
    }
    EXPECT_EQ(x_accelerations, (std::set<float>{0, 1, 2}));
}

// Bounds beyond the range of whole numbers stop at its ends instead of wrapping round to other signs.
TEST_F(Particles, HugeAccelerationBoundsStayOnTheirSide) {
    ParticleSystem* system = Started(
        "<particle_system><emitter count='20'>"
        "<acceleration left='0' right='1e20' top='-1e30' bottom='0'/>"
        "</emitter></particle_system>");
    ASSERT_EQ(system->GetParticles().size(), 20u);
    for (const Particle& p : system->GetParticles()) {
        EXPECT_GE(p.acceleration.x, 0.0f);
        EXPECT_LE(p.acceleration.y, 0.0f);
    }
}

TEST_F(Particles, MissingSpeedGivesEveryDirectionAtSpeed100) {
    ParticleSystem* system = Started("<particle_system><particle_emitter count='30'/></particle_system>");
    ASSERT_EQ(system->GetParticles().size(), 30u);
    bool left = false, right = false, up = false, down = false;
    for (const Particle& p : system->GetParticles()) {
        EXPECT_NEAR(p.velocity.Length(), 100.0f, 1e-3f);
        EXPECT_FLOAT_EQ(p.life, 2.0f);
        left |= p.velocity.x < -50;
        right |= p.velocity.x > 50;
        up |= p.velocity.y < -50;
        down |= p.velocity.y > 50;
    }
    EXPECT_TRUE(left && right && up && down);
}

TEST_F(Particles, BothEmitterNamesMakeEqualEmitters) {
    const std::string settings = "count='4' period='250' delay='30' energy='5'><speed min='1' max='2'/>";
    core::ptr<effects::Effect> a = Create("<particle_emitter " + settings + "</particle_emitter>");
    core::ptr<effects::Effect> b = Create("<emitter " + settings + "</emitter>");
    auto* first = dynamic_cast<ParticleEmitter*>(a.get());
    auto* second = dynamic_cast<ParticleEmitter*>(b.get());
    ASSERT_TRUE(first && second);
    for (ParticleEmitter* e : {first, second}) {
        EXPECT_EQ(e->GetCount(), 4u);
        EXPECT_FALSE(e->IsOnce());
        EXPECT_EQ(e->GetDelay(), 30u);
    }
}

TEST_F(Particles, EmittersBurstOnceOrPeriodically) {
    struct Case {
        const char* name;
        const char* emitter;
        size_t at_start;
        std::vector<unsigned int> times;
        std::vector<size_t> counts;
        bool emitter_left;
    };
    const Case cases[] = {
        {"once at start", "<emitter count='3'/>", 3, {100, 200}, {3, 3}, false},
        {"once after its delay",
         "<emitter count='3' delay='150'/>",
         0,
         {100, 149, 150, 400},
         {0, 0, 3, 3},
         false},
        {"every update with period 0", "<emitter count='2' period='0'/>", 0, {10, 20, 30}, {2, 4, 6}, true},
        {"every 100 ms",
         "<emitter count='1' period='100'/>",
         0,
         {50, 100, 150, 199, 200, 350},
         {0, 1, 1, 1, 2, 3},
         true},
        {"once without count", "<emitter delay='50'/>", 0, {40, 60}, {0, 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clock.Start();
        ParticleSystem* system = Started(std::string("<particle_system>") + c.emitter + "</particle_system>");
        EXPECT_EQ(system->GetParticles().size(), c.at_start);
        for (size_t i = 0; i < c.times.size(); ++i) {
            system->Update(clock.At(c.times[i]));
            EXPECT_EQ(system->GetParticles().size(), c.counts[i]) << "at " << c.times[i];
        }
        EXPECT_EQ(system->GetChilds().size(), c.emitter_left ? 1u : 0u);
    }
}

TEST_F(Particles, EmitterWithoutCurrentSystemEmitsNothing) {
    effects::CurrentParticleSystem::instance()->Set(nullptr);
    core::ptr<effects::Effect> root = Create("<effect><emitter count='5' period='0'/></effect>");
    root->Start(false);
    root->Update(clock.At(10));
    EXPECT_EQ(effects::CurrentParticleSystem::instance()->Get(), nullptr);
    EXPECT_TRUE(root->IsPlaying());
}

TEST_F(Particles, DestroyedSystemStopsBeingCurrent) {
    core::ptr<effects::Effect> other = Create("<particle_system/>");
    {
        core::ptr<effects::Effect> doomed = Create("<particle_system/>");
        doomed->Start(false);
        EXPECT_EQ(effects::CurrentParticleSystem::instance()->Get(), doomed.get());
    }
    EXPECT_EQ(effects::CurrentParticleSystem::instance()->Get(), nullptr);
    // A periodic emitter started outside any system after that writes nowhere.
    core::ptr<effects::Effect> orphan = Create("<emitter count='2' period='0'/>");
    orphan->Start(false);
    orphan->Update(clock.At(5));

    // Destroying a system that is not current leaves the current one alone.
    other->Start(false);
    core::ptr<effects::Effect> unrelated = Create("<particle_system/>");
    unrelated.reset();
    EXPECT_EQ(effects::CurrentParticleSystem::instance()->Get(), other.get());
}

TEST_F(Particles, StoppedSystemDropsItsEmittersAndEndsWithItsLastParticle) {
    ParticleSystem* system = Started(
        "<particle_system><emitter count='2' period='100' energy='0.5'/><emitter count='1' energy='1'/>"
        "</particle_system>");
    EXPECT_TRUE(system->IsPlaying());
    system->Update(clock.At(100));
    EXPECT_EQ(system->GetParticles().size(), 3u);
    system->Stop();
    system->Update(clock.At(200));  // the periodic emitter is dropped without another burst
    EXPECT_TRUE(system->GetChilds().empty());
    EXPECT_EQ(system->GetParticles().size(), 3u);
    EXPECT_TRUE(system->IsPlaying());
    system->Update(clock.At(500));  // the first two spent their 0.5 units
    EXPECT_EQ(system->GetParticles().size(), 1u);
    system->Update(clock.At(800));
    EXPECT_FALSE(system->IsPlaying());
}

TEST_F(Particles, ClonesCarryTheLiveParticlesWithTheirOwnBuffer) {
    ParticleSystem* system = Started(
        "<particle_system w='3' h='3' start_size='4'><emitter count='3' period='1000'/></particle_system>");
    system->Emit(Moving(1, 2, 0, 0));
    system->Emit(Moving(3, 4, 0, 0));
    clock.At(400);
    core::ptr<effects::Effect> copy_holder(system->Clone());
    auto* copy = dynamic_cast<ParticleSystem*>(copy_holder.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetParticles().size(), 2u);
    EXPECT_TRUE(copy->IsRunning());
    EXPECT_EQ(copy->GetStartSize(), 4.0f);
    EXPECT_EQ(copy->Width(), 3.0f);
    ASSERT_EQ(copy->GetChilds().size(), 1u);
    EXPECT_NE(copy->GetChilds()[0].get(), system->GetChilds()[0].get());
    ASSERT_NE(copy->GetVertexBuffer(), nullptr);
    EXPECT_NE(copy->GetVertexBuffer(), system->GetVertexBuffer());
    // Cloned at 400: its first step counts from there, not from the source's last update.
    copy->Update(clock.At(800));
    EXPECT_FLOAT_EQ(copy->GetParticles()[0].energy, 1.5f);
    core::ptr<effects::Effect> text_copy(copy->Clone(std::string("text")));
    EXPECT_EQ(dynamic_cast<ParticleSystem*>(text_copy.get())->GetParticles().size(), 2u);
}

TEST_F(Particles, EmissionPointFollowsTheCurrentEffectTransform) {
    core::ptr<effects::Effect> affine = Create(
        "<affine><key tm='0'><scale x='1' y='1'/><move x='30' y='0'/></key>"
        "<key tm='1000'><scale x='1' y='1'/><move x='30' y='0'/></key>"
        "<particle_system><emitter count='1' period='0'><speed min='0' max='0'/></emitter></particle_system>"
        "</affine>");
    affine->MoveTo(math::Vector2(10, 20));
    affine->Start(false);
    affine->Update(clock.At(10));
    auto* system = dynamic_cast<ParticleSystem*>(affine->GetChilds()[0].get());
    ASSERT_NE(system, nullptr);
    ASSERT_EQ(system->GetParticles().size(), 1u);
    EXPECT_TRUE(NearPoint(system->GetParticles()[0].position, 10 + 31, 20 + 1));
}

}  // namespace
