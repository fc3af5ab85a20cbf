#include "vantle/game/sprite.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "effects/effect_kinds_fixture.h"
#include "support/capture_log.h"
#include "support/temp_dir.h"
#include "vantle/effects/animation.h"
#include "vantle/effects/effect.h"

namespace {

using game::Sprite;

// Frames are told apart by their colour: red, green, blue.
const char* const kFrames =
    "<frame color='FF0000' length='100'/><frame color='00FF00' length='50'/><frame color='0000FF' "
    "length='200'/>";

class Sprites : public test::EffectKindsTest {
protected:
    // Writes the text as a sprite file and returns its path.
    std::string Write(const std::string& name, const std::string& text) {
        dir.Write(name, text);
        return dir / name;
    }

    std::unique_ptr<Sprite> Load(const std::string& text) {
        static int files = 0;
        return std::unique_ptr<Sprite>(new Sprite(Write("sprite" + std::to_string(++files) + ".xml", text)));
    }

    // The colour of the last drawn rectangle; transparent black when nothing was drawn.
    render::Color LastColor() const {
        return renderer.Draws().empty() ? render::Color() : renderer.Draws().back().color;
    }

    test::TempDir dir;
};

const render::Color kRed(1, 0, 0, 1);
const render::Color kGreen(0, 1, 0, 1);
const render::Color kBlue(0, 0, 1, 1);

TEST_F(Sprites, LoadFromASpriteFile) {
    std::unique_ptr<Sprite> sprite = Load(
        "<?xml version='1.0'?>\n<sprite x='10' y='20' w='30' h='40'>"
        "<animation name='idle' default='yes' loop='true'>" +
        std::string(kFrames) +
        "</animation>"
        "<animation name='over'><frame color='FFFFFF'/></animation>"
        "<ignored/>"
        "<sprite x='1' y='2' w='3' h='4'><animation name='over' default='1'><frame/></animation></sprite>"
        "</sprite>");
    EXPECT_EQ(static_cast<const math::Rect&>(*sprite), math::Rect(10, 20, 40, 60));
    ASSERT_EQ(sprite->GetAnimations().size(), 2u);
    ASSERT_TRUE(sprite->GetCurrentAnimation());
    EXPECT_EQ(sprite->GetCurrentAnimation()->GetName(), "idle");
    EXPECT_EQ(sprite->GetDefaultAnimation(), sprite->GetCurrentAnimation());
    EXPECT_EQ(sprite->GetCurrentAnimation()->GetLength(), 350u);
    EXPECT_TRUE(sprite->GetCurrentAnimation()->IsLooped());
    EXPECT_EQ(sprite->GetStart(), clock.Abs(0));
    EXPECT_EQ(sprite->GetShift(), 0);
    ASSERT_EQ(sprite->GetChildren().size(), 1u);
    EXPECT_EQ(static_cast<const math::Rect&>(*sprite->GetChildren()[0]), math::Rect(1, 2, 4, 6));
    EXPECT_FALSE(sprite->IsEmpty());
}

TEST_F(Sprites, BrokenOrMissingFilesGiveEmptySprites) {
    test::CaptureLog log;
    const std::string broken = Write("broken.xml", "<sprite><animation name='a'></sprite>");
    Sprite from_broken(broken);
    EXPECT_TRUE(from_broken.IsEmpty());
    std::vector<std::string> errors;
    for (const std::string& line : log.Lines()) {
        if (line.find("Error loading sprite") != std::string::npos) errors.push_back(line);
    }
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind("Error loading sprite: " + broken + " : ", 0), 0u) << errors[0];

    log.Clear();
    Sprite from_missing(dir.File("missing.xml"));
    Sprite without_sprite(Write("other.xml", "<animation/>"));
    for (Sprite* sprite : {&from_broken, &from_missing, &without_sprite}) {
        EXPECT_TRUE(sprite->IsEmpty());
        EXPECT_EQ(static_cast<const math::Rect&>(*sprite), math::Rect());
        sprite->Update();
        sprite->Render();
    }
    EXPECT_FALSE(log.Contains("Error loading sprite"));
    EXPECT_TRUE(renderer.Draws().empty());
}

// A sprite file whose effect shows that same file, directly or through another one.
TEST_F(Sprites, SpritesThatContainThemselvesStopAtTheRepeat) {
    const std::string self = dir.File("self.xml");
    Write("self.xml", "<sprite><animation name='a' default='1'><frame/><over_effect><sprite filename='" +
                          self + "'/></over_effect></animation></sprite>");
    const std::string first = dir.File("first.xml");
    const std::string second = dir.File("second.xml");
    Write("first.xml", "<sprite><animation name='a'><frame/><under_effect><sprite filename='" + second +
                           "'/></under_effect></animation></sprite>");
    Write("second.xml", "<sprite><animation name='a'><frame/><under_effect><sprite filename='" + first +
                            "'/></under_effect></animation></sprite>");
    for (const std::string& path : {self, first}) {
        SCOPED_TRACE(path);
        test::CaptureLog log;
        Sprite sprite(path);
        EXPECT_EQ(sprite.GetAnimations().size(), 1u);
        std::vector<std::string> errors;
        for (const std::string& line : log.Lines()) {
            if (line.find("Error") != std::string::npos) errors.push_back(line);
        }
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0], "Error loading sprite: " + path + " : the sprite contains itself");
        // Loaded again afterwards, the file is no longer being loaded.
        Sprite again(path);
        EXPECT_EQ(again.GetAnimations().size(), 1u);
    }
}

TEST_F(Sprites, DrawTheFrameOfTheTimeSinceTheAnimationStarted) {
    std::unique_ptr<Sprite> sprite = Load("<sprite w='8' h='8'><animation name='a' default='1' loop='1'>" +
                                          std::string(kFrames) + "</animation></sprite>");
    sprite->MoveTo(100, 50);
    struct Case {
        unsigned int t;
        render::Color color;
    };
    sprite->Render();  // at its start
    EXPECT_EQ(LastColor(), kRed);
    for (const Case& c : {Case{99, kRed}, Case{100, kGreen}, Case{150, kBlue}, Case{349, kBlue},
                          Case{350, kRed}, Case{450, kGreen}}) {
        clock.At(c.t);
        sprite->Render();
        EXPECT_EQ(LastColor(), c.color) << "at " << c.t;
    }
    EXPECT_EQ(renderer.Draws().back().rect, math::Rect(100, 50, 108, 58));
    sprite->Render(clock.Abs(120));  // a given clock time
    EXPECT_EQ(LastColor(), kGreen);
}

TEST_F(Sprites, FinishedAnimationsFallBackToTheDefault) {
    std::unique_ptr<Sprite> sprite = Load(
        "<sprite><animation name='idle' default='true' loop='true'><frame color='FF0000'/></animation>"
        "<animation name='pop'><frame color='00FF00' length='500'/></animation></sprite>");
    clock.At(1000);
    sprite->SetAnimation("pop");
    EXPECT_EQ(sprite->GetStart(), clock.Abs(1000));
    sprite->Update(clock.At(1500));
    EXPECT_FALSE(sprite->CurrentAnimationFinished());
    EXPECT_EQ(sprite->GetCurrentAnimation()->GetName(), "pop");
    sprite->Update(clock.At(1501));
    EXPECT_EQ(sprite->GetCurrentAnimation()->GetName(), "idle");
    EXPECT_EQ(sprite->GetStart(), clock.Abs(1501));
    sprite->Render();
    EXPECT_EQ(LastColor(), kRed);

    sprite->SetAnimation("missing");  // unknown: nothing changes
    EXPECT_EQ(sprite->GetCurrentAnimation()->GetName(), "idle");
}

TEST_F(Sprites, WithoutADefaultNothingSwitchesBack) {
    std::unique_ptr<Sprite> sprite = Load(
        "<sprite><animation name='a'><frame color='FF0000' length='10'/></animation>"
        "<sprite><animation name='b' default='1'><frame/></animation></sprite></sprite>");
    EXPECT_FALSE(sprite->GetCurrentAnimation());
    EXPECT_TRUE(sprite->CurrentAnimationFinished());
    sprite->Update(clock.At(100));
    EXPECT_FALSE(sprite->GetCurrentAnimation());
    sprite->Render();
    EXPECT_EQ(renderer.Draws().size(), 1u);  // only the child draws

    sprite->SetAnimation("b");  // the parent lacks it: the child is not reached either
    EXPECT_FALSE(sprite->GetCurrentAnimation());
    sprite->SetAnimation("a");
    sprite->Update(clock.At(200));
    EXPECT_EQ(sprite->GetCurrentAnimation()->GetName(), "a");  // finished, but no default to go to
}

TEST_F(Sprites, SameNamedAnimationsReplaceEachOther) {
    std::unique_ptr<Sprite> sprite = Load(
        "<sprite><animation name='a'><frame color='FF0000'/></animation>"
        "<animation name='a'><frame color='00FF00'/></animation></sprite>");
    ASSERT_EQ(sprite->GetAnimations().size(), 1u);
    sprite->SetAnimation("a");
    sprite->Render();
    EXPECT_EQ(LastColor(), kGreen);
}

TEST_F(Sprites, ClonesMoveAndAnimateOnTheirOwnClock) {
    std::unique_ptr<Sprite> source =
        Load("<sprite w='10' h='10'><animation name='a' default='1' loop='1'>" + std::string(kFrames) +
             "</animation><sprite w='2' h='2'/></sprite>");
    clock.At(120);
    std::unique_ptr<Sprite> copy(source->Clone());
    EXPECT_EQ(copy->GetStart(), clock.Abs(120));
    EXPECT_NE(copy->GetCurrentAnimation(), source->GetCurrentAnimation());
    EXPECT_EQ(copy->GetCurrentAnimation(), copy->GetDefaultAnimation());
    EXPECT_EQ(copy->GetAnimations().at("a"), copy->GetCurrentAnimation());
    ASSERT_EQ(copy->GetChildren().size(), 1u);
    EXPECT_NE(copy->GetChildren()[0], source->GetChildren()[0]);

    copy->MoveTo(math::Vector2(300, 200));
    EXPECT_EQ(static_cast<const math::Rect&>(*source), math::Rect(0, 0, 10, 10));
    EXPECT_EQ(static_cast<const math::Rect&>(*copy), math::Rect(300, 200, 310, 210));
    EXPECT_EQ(static_cast<const math::Rect&>(*copy->GetChildren()[0]), math::Rect(300, 200, 302, 202));

    clock.At(130);
    source->Render();
    EXPECT_EQ(LastColor(), kGreen);  // 130 ms into its animation
    copy->Render();
    EXPECT_EQ(LastColor(), kRed);  // 10 ms into its own
    EXPECT_EQ(renderer.Draws().back().rect, math::Rect(300, 200, 310, 210));
}

TEST_F(Sprites, ShiftsAreDrawnForEveryCloneWithinMaxShift) {
    std::unique_ptr<Sprite> source = Load(
        "<sprite max_shift='200'><animation name='a' default='1' loop='1'><frame/></animation></sprite>");
    EXPECT_EQ(source->GetMaxShift(), 200u);
    EXPECT_GE(source->GetShift(), 0);
    EXPECT_LE(source->GetShift(), 200);
    bool differs = false;
    for (int i = 0; i < 20; ++i) {
        std::unique_ptr<Sprite> copy(source->Clone());
        EXPECT_GE(copy->GetShift(), 0);
        EXPECT_LE(copy->GetShift(), 200);
        differs |= copy->GetShift() != source->GetShift();
    }
    EXPECT_TRUE(differs);

    std::unique_ptr<Sprite> steady =
        Load("<sprite max_shift='0'><animation name='a'><frame/></animation></sprite>");
    std::unique_ptr<Sprite> steady_copy(steady->Clone());
    EXPECT_EQ(steady->GetShift(), 0);
    EXPECT_EQ(steady_copy->GetShift(), 0);
}

TEST_F(Sprites, KeyFramesTransformAndTintAboutTheCentre) {
    std::unique_ptr<Sprite> sprite = Load(
        "<sprite x='10' y='10' w='20' h='20'><animation name='a' default='1'>"
        "<frame color='FF0000' length='300'/>"
        "<affine loop='true'><key tm='0'><scale x='1' y='1'/></key>"
        "<key tm='800'><scale x='3' y='3'/><color value='FFFFFF00'/></key></affine>"
        "</animation></sprite>");
    const auto& animation = sprite->GetCurrentAnimation();
    EXPECT_EQ(animation->GetLength(), 800u);
    EXPECT_TRUE(animation->IsLooped());  // the affine animation's loop decides

    clock.At(400);
    sprite->Render();
    ASSERT_EQ(renderer.Draws().size(), 1u);
    const auto& draw = renderer.Draws()[0];
    // Scaled by 2 about the centre (20, 20).
    EXPECT_TRUE(test::NearPoint(test::Apply(draw.world, 20, 20), 20, 20));
    EXPECT_TRUE(test::NearPoint(test::Apply(draw.world, 30, 30), 40, 40));
    EXPECT_FLOAT_EQ(draw.color.a, 0.5f);  // drawn under the forced colour of the key frames
    EXPECT_EQ(renderer.GetWorldMatrix(), math::Matrix4::IDENTITY);
    renderer.DrawRect(math::Rect(0, 0, 1, 1), render::Color(1, 1, 1, 1));
    EXPECT_EQ(renderer.Draws().back().color, render::Color(1, 1, 1, 1));  // colour forcing restored
}

TEST_F(Sprites, UnderAndOverEffectsFrameTheAnimation) {
    std::unique_ptr<Sprite> sprite = Load(
        "<sprite w='10' h='10'>"
        "<animation name='a' default='1' loop='1'><frame color='FF0000'/>"
        "<under_effect><image w='2' h='2'/></under_effect>"
        "<over_effect><image w='4' h='4'/></over_effect>"
        "</animation>"
        "<sprite w='10' h='10'><animation name='a' default='1'><frame color='0000FF'/>"
        "<over_effect><image w='6' h='6'/></over_effect></animation></sprite>"
        "</sprite>");
    sprite->MoveTo(100, 100);
    sprite->Render();
    ASSERT_EQ(renderer.Draws().size(), 5u);
    // Effects stand on the rectangle's centre; the frame fills the rectangle; then the child.
    EXPECT_EQ(renderer.Draws()[0].rect, math::Rect(104, 104, 106, 106));
    EXPECT_EQ(renderer.Draws()[1].color, kRed);
    EXPECT_EQ(renderer.Draws()[2].rect, math::Rect(103, 103, 107, 107));
    EXPECT_EQ(renderer.Draws()[3].color, kBlue);
    EXPECT_EQ(renderer.Draws()[4].rect, math::Rect(102, 102, 108, 108));

    renderer.ClearRecord();
    sprite->SetNoEffects(true);  // this sprite's own animations only
    sprite->Render();
    ASSERT_EQ(renderer.Draws().size(), 3u);
    EXPECT_EQ(renderer.Draws()[0].color, kRed);
    EXPECT_EQ(renderer.Draws()[2].rect, math::Rect(102, 102, 108, 108));
}

TEST_F(Sprites, ClonesRunTheirOwnStartedEffects) {
    std::unique_ptr<Sprite> source = Load(
        "<sprite w='10' h='10'><animation name='a' default='1' loop='1'><frame/>"
        "<over_effect><image w='2' h='2'/></over_effect></animation></sprite>");
    std::unique_ptr<Sprite> copy(source->Clone());
    const auto& effect = copy->GetCurrentAnimation()->GetOverEffect();
    ASSERT_TRUE(effect);
    EXPECT_NE(effect, source->GetCurrentAnimation()->GetOverEffect());
    ASSERT_EQ(effect->GetChilds().size(), 1u);
    EXPECT_TRUE(effect->GetChilds()[0]->IsRunning());
    EXPECT_EQ(copy->GetCurrentAnimation()->GetAffine(), source->GetCurrentAnimation()->GetAffine());
    copy->Update(clock.At(10));
    copy->Render();
    EXPECT_EQ(renderer.Draws().size(), 2u);  // the frame and the copy's own image
}

TEST_F(Sprites, SpeedScaleReachesEveryAnimationAndChild) {
    std::unique_ptr<Sprite> sprite = Load(
        "<sprite><animation name='a'><frame/></animation><sprite><animation "
        "name='b'><frame/></animation></sprite>"
        "</sprite>");
    sprite->SetSpeedScale(2.5f);
    EXPECT_EQ(sprite->GetSpeedScale(), 2.5f);
    EXPECT_EQ(sprite->GetAnimations().at("a")->GetFrames().GetSpeedScale(), 2.5f);
    EXPECT_EQ(sprite->GetChildren()[0]->GetAnimations().at("b")->GetFrames().GetSpeedScale(), 2.5f);
    sprite->Resize(math::Vector2(7, 9));
    EXPECT_EQ(static_cast<const math::Rect&>(*sprite), math::Rect(0, 0, 7, 9));
}

}  // namespace
