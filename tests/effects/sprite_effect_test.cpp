#include <gtest/gtest.h>

#include <string>

#include "effect_kinds_fixture.h"
#include "support/temp_dir.h"
#include "vantle/effects/effects/sprite_effect.h"
#include "vantle/game/sprite.h"

namespace {

using effects::SpriteEffect;

class SpriteEffects : public test::EffectKindsTest {
protected:
    std::string SpriteFile(const std::string& text) {
        dir.Write("sprite.xml", text);
        return dir / "sprite.xml";
    }

    test::TempDir dir;
};

const char* const kTwoFrames =
    "<sprite w='10' h='6'><animation name='a' default='1' loop='1'>"
    "<frame color='FF0000' length='100'/><frame color='00FF00' length='100'/></animation></sprite>";

TEST_F(SpriteEffects, CopiesShareOneSpriteAndDrawAtTheirOwnPlaces) {
    const std::string xml = "<sprite filename='" + SpriteFile(kTwoFrames) + "'/>";
    core::ptr<effects::Effect> prototype = Create(xml);
    auto* sprite_effect = dynamic_cast<SpriteEffect*>(prototype.get());
    ASSERT_NE(sprite_effect, nullptr);
    ASSERT_TRUE(sprite_effect->GetSprite());

    core::ptr<effects::Effect> first(prototype->Clone());
    core::ptr<effects::Effect> second(prototype->Clone());
    EXPECT_EQ(dynamic_cast<SpriteEffect*>(second.get())->GetSprite(), sprite_effect->GetSprite());
    first->MoveTo(math::Vector2(10, 20));
    second->MoveTo(math::Vector2(300, 40));
    first->Start(false);
    second->Start(false);
    first->Update(clock.At(150));
    second->Update(clock.Abs(150));
    first->Render();
    second->Render();
    ASSERT_EQ(renderer.Draws().size(), 2u);
    // The top-left corner stands on the position; both show the same frame.
    EXPECT_EQ(renderer.Draws()[0].rect, math::Rect(10, 20, 20, 26));
    EXPECT_EQ(renderer.Draws()[1].rect, math::Rect(300, 40, 310, 46));
    EXPECT_EQ(renderer.Draws()[0].color, render::Color(0, 1, 0, 1));
    EXPECT_EQ(renderer.Draws()[1].color, render::Color(0, 1, 0, 1));
    EXPECT_TRUE(first->IsPlaying());
}

TEST_F(SpriteEffects, CopiesStartAndMoveTheirOwnChildren) {
    core::ptr<effects::Effect> prototype = Create("<sprite x='1' y='2'><effect x='5' y='6'/></sprite>");
    ASSERT_EQ(prototype->GetChilds().size(), 1u);
    const core::ptr<effects::Effect> child = prototype->GetChilds()[0];
    core::ptr<effects::Effect> copy(prototype->Clone());
    ASSERT_EQ(copy->GetChilds().size(), 1u);
    EXPECT_NE(copy->GetChilds()[0], child);
    EXPECT_EQ(copy->GetChilds()[0]->GetParent(), copy.get());
    copy->MoveTo(math::Vector2(300, 40));
    copy->Start(false);
    EXPECT_TRUE(copy->GetChilds()[0]->IsRunning());
    EXPECT_EQ(child->GetPos(), math::Vector2(5, 6));
    EXPECT_FALSE(child->IsRunning());
    EXPECT_EQ(child->GetParent(), prototype.get());
}

TEST_F(SpriteEffects, UpdatesReachTheSprite) {
    const std::string file = SpriteFile(
        "<sprite><animation name='idle' default='1' loop='1'><frame/></animation>"
        "<animation name='pop'><frame length='50'/></animation></sprite>");
    core::ptr<effects::Effect> effect = Create("<sprite filename='" + file + "'/>");
    const core::ptr<game::Sprite>& sprite = dynamic_cast<SpriteEffect*>(effect.get())->GetSprite();
    sprite->SetAnimation("pop");
    effect->Start(false);
    clock.At(100);
    effect->Update();
    EXPECT_EQ(sprite->GetCurrentAnimation()->GetName(), "idle");
}

TEST_F(SpriteEffects, WithoutFileDrawsNothingAndPlaysUntilStopped) {
    core::ptr<effects::Effect> effect = Create("<sprite x='4' y='4'/>");
    ASSERT_TRUE(effect);
    EXPECT_FALSE(dynamic_cast<SpriteEffect*>(effect.get())->GetSprite());
    effect->Start(false);
    effect->Update(clock.At(50));
    effect->Update();
    effect->Render();
    EXPECT_TRUE(renderer.Draws().empty());
    EXPECT_TRUE(effect->IsPlaying());
    effect->Stop();
    EXPECT_FALSE(effect->IsPlaying());
}

}  // namespace
