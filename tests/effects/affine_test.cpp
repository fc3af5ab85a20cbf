#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "effect_kinds_fixture.h"
#include "support/capture_log.h"
#include "vantle/effects/animation.h"
#include "vantle/effects/effects/affine.h"
#include "vantle/io/memory_stream.h"

namespace {

using effects::Animation;
using test::Apply;
using test::NearPoint;

class KeyFrames : public test::EffectKindsTest {
protected:
    Animation Load(const std::string& xml) { return Animation(Parse(xml)); }
};

const char* const kMoveAndScale =
    "<affine %s>"
    "<key tm='0'><scale x='1' y='1'/><move x='0' y='0'/></key>"
    "<key tm='1000'><scale x='2' y='2'/><move x='100' y='0'/></key>"
    "</affine>";

std::string WithAttributes(const char* format, const std::string& attributes) {
    char text[512];
    std::snprintf(text, sizeof text, format, attributes.c_str());
    return text;
}

TEST_F(KeyFrames, InterpolateScaleAndOffsetWithDelayAndLoop) {
    struct Case {
        const char* attributes;
        unsigned int t;
        float scale;
        float offset;
    };
    const Case cases[] = {
        {"", 0, 1.0f, 0.0f},
        {"", 500, 1.5f, 50.0f},
        {"", 1000, 2.0f, 100.0f},
        {"", 1500, 2.0f, 100.0f},  // held at the last key
        {"loop='true'", 1500, 1.5f, 50.0f},
        {"loop='yes'", 2250, 1.25f, 25.0f},
        {"delay='200'", 100, 1.0f, 0.0f},  // during the delay: the state of time 0
        {"delay='200'", 700, 1.5f, 50.0f},
        {"delay='200' loop='1'", 1300, 1.1f, 10.0f},  // local time 100, as at t = 300
        {"delay='200' loop='1'", 300, 1.1f, 10.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.attributes) + " at " + std::to_string(c.t));
        Animation animation = Load(WithAttributes(kMoveAndScale, c.attributes));
        Animation::State state;
        animation.UpdateState(c.t, state);
        // A point is scaled first, then offset.
        EXPECT_TRUE(NearPoint(Apply(state.matrix, 10, 10), 10 * c.scale + c.offset, 10 * c.scale));
        EXPECT_TRUE(
            NearPoint(Apply(animation.GetMatrix4(c.t), 10, 10), 10 * c.scale + c.offset, 10 * c.scale));
        EXPECT_EQ(state.color, render::Color(1, 1, 1, 1));
    }
}

TEST_F(KeyFrames, RotateAboutTheLaterKeysPivot) {
    Animation animation = Load(
        "<affine>"
        "<key tm='0'><scale x='1' y='1'/><pivot x='10' y='0'/><angle value='0'/></key>"
        "<key tm='1000'><scale x='1' y='1'/><pivot x='10' y='0'/><angle value='90'/></key>"
        "</affine>");
    for (unsigned int t : {0u, 250u, 500u, 1000u, 5000u}) {
        SCOPED_TRACE(t);
        EXPECT_TRUE(NearPoint(Apply(animation.GetMatrix4(t), 10, 0), 10, 0));
    }
    // A quarter turn about (10, 0); y grows downwards, so positive angles turn clockwise on screen.
    EXPECT_TRUE(NearPoint(Apply(animation.GetMatrix4(1000), 20, 0), 10, 10));
    EXPECT_TRUE(NearPoint(Apply(animation.GetMatrix4(1000), 10, 10), 0, 0));
    const float half = std::sqrt(0.5f) * 10.0f;
    EXPECT_TRUE(NearPoint(Apply(animation.GetMatrix4(500), 20, 0), 10 + half, half));
}

TEST_F(KeyFrames, FadeColoursByLinearSteps) {
    Animation animation = Load(
        "<affine>"
        "<key tm='0'><scale x='1' y='1'/></key>"
        "<key tm='1000'><scale x='1' y='1'/><color value='FF000080'/></key>"
        "</affine>");
    const float half_alpha = 128.0f / 255.0f;
    Animation::State state;
    animation.UpdateState(1000, state);
    EXPECT_EQ(state.color, render::Color(1, 0, 0, half_alpha));
    animation.UpdateState(500, state);
    EXPECT_FLOAT_EQ(state.color.r, 1.0f);
    EXPECT_FLOAT_EQ(state.color.g, 0.5f);
    EXPECT_FLOAT_EQ(state.color.b, 0.5f);
    EXPECT_FLOAT_EQ(state.color.a, (1.0f + half_alpha) / 2.0f);
}

TEST_F(KeyFrames, ReadKeysWithTheirDefaults) {
    Animation animation = Load(
        "<affine delay='300'>"
        "<key tm='400'><move x='7'/><angle value='180'/><pivot y='2'/></key>"
        "<other tm='9000'/>"
        "<key/>"
        "</affine>");
    ASSERT_EQ(animation.GetKeys().size(), 2u);
    const Animation::Key& key = animation.GetKeys()[0];
    EXPECT_EQ(key.tm, 400u);
    EXPECT_EQ(key.scale, math::Vector2(0, 0));  // no "scale": scaled to nothing
    EXPECT_EQ(key.move, math::Vector2(7, 0));
    EXPECT_FLOAT_EQ(key.angle, 3.1415927f);
    EXPECT_EQ(key.pivot, math::Vector2(0, 2));
    EXPECT_EQ(key.color, render::Color(1, 1, 1, 1));
    EXPECT_EQ(animation.GetDuration(), 400u);  // the largest time, not the last
    EXPECT_EQ(animation.GetDelay(), 300u);
    EXPECT_FALSE(animation.IsLooped());
    // Stored out of time order: the local time 200 lies in no pair.
    EXPECT_EQ(animation.GetMatrix4(200), math::Matrix4::IDENTITY);
}

TEST_F(KeyFrames, GiveIdentityAndWhiteWhereNoPairOfKeysApplies) {
    struct Case {
        const char* name;
        const char* xml;
        unsigned int t;
    };
    const Case cases[] = {
        {"no keys", "<affine/>", 100},
        {"one key, looping", "<affine loop='true'><key tm='0'><scale x='3' y='3'/></key></affine>", 0},
        {"one key at 500, looping", "<affine loop='true'><key tm='500'><scale x='3' y='3'/></key></affine>",
         700},
        {"before the first key",
         "<affine><key tm='200'><scale x='3' y='3'/></key><key tm='400'><scale x='3' y='3'/></key></affine>",
         100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Animation::State state{math::Matrix4().Scale(5, 5, 5), render::Color(0, 0, 0, 0)};
        Load(c.xml).UpdateState(c.t, state);
        EXPECT_EQ(state.matrix, math::Matrix4::IDENTITY);
        EXPECT_EQ(state.color, render::Color(1, 1, 1, 1));
    }
}

TEST_F(KeyFrames, TwoKeysAtOneTimeJumpToTheLaterOne) {
    Animation animation = Load(
        "<affine>"
        "<key tm='0'><scale x='1' y='1'/></key>"
        "<key tm='0'><scale x='2' y='2'/></key>"
        "<key tm='1000'><scale x='4' y='4'/></key>"
        "</affine>");
    EXPECT_TRUE(NearPoint(Apply(animation.GetMatrix4(0), 1, 1), 2, 2));
    EXPECT_TRUE(NearPoint(Apply(animation.GetMatrix4(500), 1, 1), 3, 3));
}

TEST_F(KeyFrames, LoadFromAnAnimationStream) {
    std::string text =
        "<animation loop='true'><key tm='0'><scale x='1' y='1'/></key>"
        "<key tm='100'><scale x='3' y='3'/></key></animation>";
    core::ptr<io::IStream> stream(new io::MemoryStream(&text[0], text.size()));
    Animation animation(stream);
    EXPECT_TRUE(animation.IsLooped());
    EXPECT_EQ(animation.GetDuration(), 100u);
    EXPECT_TRUE(NearPoint(Apply(animation.GetMatrix4(150), 1, 1), 2, 2));
}

TEST_F(KeyFrames, ABrokenAnimationStreamLogsAndStaysEmpty) {
    test::CaptureLog log;
    std::string text = "<animation><key tm='0'></animation>";
    core::ptr<io::IStream> stream(new io::MemoryStream(&text[0], text.size()));
    Animation animation(stream);
    EXPECT_TRUE(animation.GetKeys().empty());
    ASSERT_EQ(log.Lines().size(), 1u);
    EXPECT_EQ(log.Lines()[0].rfind("Error loading animation: animation : ", 0), 0u) << log.Lines()[0];

    Animation from_nothing{core::ptr<io::IStream>()};
    EXPECT_TRUE(from_nothing.GetKeys().empty());
}

TEST_F(KeyFrames, ADeeplyNestedAnimationStreamIsRefused) {
    test::CaptureLog log;
    std::string text = "<animation>";
    for (int i = 0; i < 40000; ++i) text += "<key>";
    core::ptr<io::IStream> stream(new io::MemoryStream(&text[0], text.size()));
    Animation animation(stream);
    EXPECT_TRUE(animation.GetKeys().empty());
    EXPECT_TRUE(log.Contains("XML nested too deeply: animation"));
    EXPECT_TRUE(log.Contains("Error loading animation: animation : "));
}

class Affine : public test::EffectKindsTest {};

// No number that is not finite reaches the renderer: such an angle, move or colour keeps its default.
TEST_F(Affine, NumbersThatAreNotFiniteKeepTheirDefaults) {
    test::CaptureLog log;
    core::ptr<effects::Effect> affine = Create(
        "<affine x='100' y='50'>"
        "<key tm='0'><scale x='1' y='1'/><angle value='nan'/></key>"
        "<key tm='1000'><scale x='inf' y='2'/><move x='-inf'/><angle value='inf'/></key>"
        "<image w='20' h='10'/>"
        "</affine>");
    ASSERT_TRUE(affine);
    EXPECT_TRUE(log.Contains("value=\"nan\" of <angle> is no finite number"));
    affine->MoveTo(math::Vector2(100, 50));
    affine->Start(false);
    clock.At(500);
    affine->Update();
    affine->Render();
    ASSERT_EQ(renderer.Draws().size(), 1u);
    // Scaled by (0.5, 1.5) about (100, 50), unturned and unmoved.
    EXPECT_TRUE(NearPoint(Apply(renderer.Draws()[0].world, 110, 55), 105, 57.5f));
}

const char* const kFadingImage =
    "<affine x='100' y='50' %s>"
    "<key tm='0'><scale x='1' y='1'/></key>"
    "<key tm='1000'><scale x='2' y='2'/><move x='10' y='0'/><color value='FFFFFF00'/></key>"
    "<image w='20' h='10' color='FF0000'/>"
    "</affine>";

TEST_F(Affine, AppliesItsStateAboutItsPositionToTheSubtree) {
    core::ptr<effects::Effect> affine = Create(WithAttributes(kFadingImage, ""));
    ASSERT_TRUE(affine);
    affine->MoveTo(math::Vector2(100, 50));
    affine->Start(false);
    clock.At(500);
    affine->Update();
    affine->Render();

    ASSERT_EQ(renderer.Draws().size(), 1u);
    const test::RecordingRender::Draw& draw = renderer.Draws()[0];
    // The image is centred on (100, 50); the animation scales by 1.5 about that point and offsets by 5.
    EXPECT_EQ(draw.rect, math::Rect(90, 45, 110, 55));
    EXPECT_TRUE(NearPoint(Apply(draw.world, 100, 50), 105, 50));
    EXPECT_TRUE(NearPoint(Apply(draw.world, 110, 55), 120, 57.5f));
    EXPECT_EQ(draw.color, render::Color(1, 1, 1, 0.5f));  // the image's own red never shows
    EXPECT_EQ(renderer.GetWorldMatrix(), math::Matrix4::IDENTITY);
}

TEST_F(Affine, PlaysUntilItsLocalTimePassesTheDuration) {
    struct Case {
        const char* attributes;
        unsigned int last_playing;
    };
    for (const Case& c : {Case{"", 1000}, Case{"delay='500'", 1000}}) {
        SCOPED_TRACE(c.attributes);
        clock.Start();
        core::ptr<effects::Effect> affine = Create(WithAttributes(kFadingImage, c.attributes));
        affine->Start(false);
        clock.At(c.last_playing);
        affine->Update();
        EXPECT_TRUE(affine->IsPlaying());
        clock.At(c.last_playing + 1);
        affine->Update();
        EXPECT_FALSE(affine->IsPlaying());
    }
}

TEST_F(Affine, WithoutKeysPlaysOnlyAtItsStartTime) {
    core::ptr<effects::Effect> affine = Create("<affine><image w='2' h='2'/></affine>");
    affine->Start(false);
    affine->Update(clock.Abs(0));
    EXPECT_TRUE(affine->IsPlaying());
    affine->Update(clock.At(1));
    EXPECT_FALSE(affine->IsPlaying());
}

TEST_F(Affine, ShowsTheDelayedStateOfItsLastPlayingFrame) {
    core::ptr<effects::Effect> effect = Create(WithAttributes(kFadingImage, "delay='500'"));
    auto* affine = dynamic_cast<effects::AffineEffect*>(effect.get());
    ASSERT_NE(affine, nullptr);
    affine->Start(false);
    clock.At(1000);
    affine->Update();
    EXPECT_TRUE(NearPoint(Apply(affine->GetState().matrix, 0, 0), 5, 0));  // animation time 500
}

TEST_F(Affine, ChildrenGetTheAbsoluteTimeAndTheStateIsRestored) {
    core::ptr<effects::Effect> affine = Create(
        "<affine><key tm='0'><scale x='1' y='1'/><color value='00FF00'/></key>"
        "<key tm='100'><scale x='1' y='1'/><color value='00FF00'/></key>"
        "<affine><key tm='0'><scale x='1' y='1'/></key><key tm='5000'><scale x='1' y='1'/></key>"
        "<image w='2' h='2'/></affine></affine>");
    affine->Start(false);
    const unsigned int now = clock.At(50);
    affine->Update(now);
    auto* inner = dynamic_cast<effects::AffineEffect*>(affine->GetChilds()[0].get());
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->GetLocalTime(), 50u);  // the absolute time minus its own start
    affine->Render();
    ASSERT_EQ(renderer.Draws().size(), 1u);
    // The inner effect replaces the outer state for its subtree.
    EXPECT_EQ(renderer.Draws()[0].color, render::Color(1, 1, 1, 1));
}

TEST_F(Affine, AStoppedLoopingEffectEndsOnceItsChildrenHaveGone) {
    core::ptr<effects::Effect> root(new effects::Effect());
    root->AddChild(Create(WithAttributes(kFadingImage, "loop='true'"))->Clone());
    root->Start(false);
    clock.At(5000);
    root->Update();
    EXPECT_EQ(root->GetChilds().size(), 1u);  // looping: still there long after its duration
    root->Stop();
    clock.At(5001);
    root->Update();  // the stopped image leaves, then the affine effect with it
    EXPECT_TRUE(root->GetChilds().empty());
    EXPECT_FALSE(root->IsPlaying());
}

TEST_F(Affine, ClonesCopyTheAnimationAndTheSubtreeButNotTheLocalTime) {
    core::ptr<effects::Effect> effect = Create(WithAttributes(kFadingImage, "loop='true' delay='20'"));
    effect->Start(false);
    clock.At(300);
    effect->Update();
    core::ptr<effects::Effect> copy(effect->Clone());
    auto* cloned = dynamic_cast<effects::AffineEffect*>(copy.get());
    ASSERT_NE(cloned, nullptr);
    EXPECT_EQ(cloned->GetLocalTime(), 0u);
    EXPECT_EQ(cloned->GetPos(), math::Vector2(100, 50));
    EXPECT_EQ(cloned->GetAnimation().GetKeys().size(), 2u);
    EXPECT_TRUE(cloned->GetAnimation().IsLooped());
    EXPECT_EQ(cloned->GetAnimation().GetDelay(), 20u);
    ASSERT_EQ(cloned->GetChilds().size(), 1u);
    EXPECT_NE(cloned->GetChilds()[0].get(), effect->GetChilds()[0].get());
    EXPECT_FALSE(cloned->IsRunning());
    // Not restarted, the copy keeps its source's time origin.
    cloned->Update(clock.Abs(300));
    EXPECT_EQ(cloned->GetLocalTime(), 300u);
}

}  // namespace
