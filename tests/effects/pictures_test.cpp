#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "effect_kinds_fixture.h"
#include "vantle/effects/effects/image_effect.h"
#include "vantle/effects/effects/particle_system.h"
#include "vantle/render/render.h"

namespace {

using effects::ImageEffect;

class Pictures : public test::EffectKindsTest {};

TEST_F(Pictures, ImageIsCentredOnItsPositionAndDrawnInTheCurrentColour) {
    core::ptr<effects::Effect> tree = Create(
        "<effect><image x='3' y='4' w='40' h='20' color='FF0000'><rect right='0.5' bottom='0.25'/></image>"
        "</effect>");
    tree->MoveTo(math::Vector2(100, 100));
    tree->Start(false);
    tree->Update(clock.At(10));
    tree->Render();
    tree->Render();  // drawing does not move the rectangle further
    ASSERT_EQ(renderer.Draws().size(), 2u);
    for (const auto& draw : renderer.Draws()) {
        EXPECT_EQ(draw.rect, math::Rect(80, 90, 120, 110));
        EXPECT_EQ(draw.color, render::Color(1, 1, 1, 1));  // outside any affine effect: white, not red
        EXPECT_EQ(draw.texture_rect, math::Rect(0, 0, 0.5f, 0.25f));
        EXPECT_EQ(draw.texture, nullptr);
    }
}

TEST_F(Pictures, ImagePlaysUntilStopped) {
    core::ptr<effects::Effect> tree = Create("<effect><image w='2' h='2'/></effect>");
    tree->Start(false);
    for (unsigned int t : {100u, 100000u}) {
        tree->Update(clock.At(t));
        EXPECT_TRUE(tree->IsPlaying());
    }
    tree->Stop();
    tree->Update(clock.At(100001));
    EXPECT_FALSE(tree->IsPlaying());
}

TEST_F(Pictures, ImageClonesAreMemberWiseCopies) {
    core::ptr<effects::Effect> tree =
        Create("<effect><image x='5' y='6' w='10' h='10'><effect/></image></effect>");
    tree->Start(false);
    const core::ptr<effects::Effect>& image = tree->GetChilds()[0];
    core::ptr<effects::Effect> copy(image->Clone(std::string("ignored")));
    auto* cloned = dynamic_cast<ImageEffect*>(copy.get());
    ASSERT_NE(cloned, nullptr);
    EXPECT_TRUE(cloned->IsRunning());
    EXPECT_EQ(cloned->GetPos(), math::Vector2(5, 6));
    EXPECT_EQ(cloned->GetRect(), dynamic_cast<ImageEffect*>(image.get())->GetRect());
    ASSERT_EQ(cloned->GetChilds().size(), 1u);
    // Its own children: starting and moving the copy leaves the prototype's alone.
    EXPECT_NE(cloned->GetChilds()[0], image->GetChilds()[0]);
    EXPECT_EQ(cloned->GetChilds()[0]->GetParent(), cloned);
    EXPECT_EQ(image->GetChilds()[0]->GetParent(), image.get());
    EXPECT_EQ(cloned->GetParent(), nullptr);
}

// Effects built while another renderer was installed, which is gone by the time they draw.
TEST_F(Pictures, EffectsDrawOnTheRendererInstalledWhenDrawing) {
    auto first = std::make_unique<test::RecordingRender>();
    render::Render::instance()->SetImplementation(first.get());
    core::ptr<effects::Effect> tree = Create(
        "<effect><affine><key tm='0'><scale x='1' y='1'/></key><key tm='1000'><scale x='1' y='1'/></key>"
        "<image w='4' h='4'/></affine><particle_system w='2' h='2'><emitter period='1000'/></particle_system>"
        "</effect>");
    first.reset();
    render::Render::instance()->SetImplementation(&renderer);
    tree->Start(false);
    tree->Update(clock.At(10));
    ASSERT_EQ(tree->GetChilds().size(), 2u);
    auto* system = dynamic_cast<effects::ParticleSystem*>(tree->GetChilds()[1].get());
    ASSERT_NE(system, nullptr);
    effects::ParticleSystem::Particle particle;
    particle.life = particle.energy = 1.0f;
    for (int i = 0; i < 3; ++i) system->Emit(particle);  // outgrows the first buffer
    ASSERT_NE(system->GetVertexBuffer(), nullptr);
    EXPECT_GE(system->GetVertexBuffer()->GetReservedCount(), 18u);
    tree->Render();
    ASSERT_EQ(renderer.Draws().size(), 1u);
    EXPECT_EQ(renderer.Draws()[0].rect, math::Rect(-2, -2, 2, 2));
    EXPECT_EQ(renderer.GetWorldMatrix(), math::Matrix4::IDENTITY);
}

}  // namespace
