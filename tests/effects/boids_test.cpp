#include <gtest/gtest.h>
#include <tinyxml.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/frame_clock.h"
#include "support/recording_render.h"
#include "support/still_mouse.h"
#include "support/temp_dir.h"
#include "vantle/core/random.h"
#include "vantle/effects/effects/boids.h"
#include "vantle/io/loader.h"

namespace {

// An 8 x 4 red bird.
const char kSprite[] =
    "<sprite x='0' y='0' w='8' h='4'>"
    "<animation name='fly' default='1' loop='1'><frame color='ff0000' length='100'/></animation>"
    "</sprite>";

class BoidsEffectTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new test::TempDir;
        dir->Write("bird.xml", kSprite);
        io::Loader::instance()->AddSource(
            core::ptr<io::Loader::Source>(new io::FileSystemSource(dir->Path() + "/")));
        mouse = test::StillMouse::Install();
    }
    static void TearDownTestSuite() {
        delete dir;
        dir = nullptr;
    }

    void SetUp() override {
        core::Random::Seed(11);
        mouse->position = math::Vector2(-1000.0f, -1000.0f);
        render::Render::instance()->SetImplementation(&renderer);
    }
    void TearDown() override { render::Render::instance()->SetImplementation(nullptr); }

    std::unique_ptr<effects::BoidsEffect> Make(const std::string& xml) {
        TiXmlDocument document;
        document.Parse(xml.c_str());
        EXPECT_FALSE(document.Error()) << xml;
        return std::unique_ptr<effects::BoidsEffect>(
            static_cast<effects::BoidsEffect*>(effects::BoidsEffectCreate(document.RootElement())));
    }

    static test::TempDir* dir;
    static test::StillMouse* mouse;
    test::FrameClock clock;
    test::RecordingRender renderer;
};

test::TempDir* BoidsEffectTest::dir = nullptr;
test::StillMouse* BoidsEffectTest::mouse = nullptr;

TEST_F(BoidsEffectTest, FlockStartsTogetherWithSmallRandomVelocities) {
    auto flock = Make("<boids x='200' y='150' count='7' filename='bird.xml'/>");
    ASSERT_EQ(flock->GetBoids().size(), 7u);
    for (unsigned int i = 0; i < 7; ++i) {
        const auto& boid = flock->GetBoids()[i];
        EXPECT_EQ(boid.id, i);
        EXPECT_EQ(boid.position, math::Vector2(200, 150));
        EXPECT_LE(std::fabs(boid.velocity.x), 50.0f);
        EXPECT_LE(std::fabs(boid.velocity.y), 20.0f);
        EXPECT_TRUE(boid.sprite);
    }
    EXPECT_NE(flock->GetBoids()[0].sprite.get(), flock->GetBoids()[1].sprite.get());
    EXPECT_EQ(Make("<boids/>")->GetBoids().size(), 5u);
}

TEST_F(BoidsEffectTest, RulesForOneBoid) {
    auto flock = Make("<boids count='3' min_distance='10' vis_distance='100'/>");
    auto& boids = flock->GetBoids();
    boids[0].position = math::Vector2(0, 0);
    boids[0].velocity = math::Vector2(10, 0);
    // Ahead and close; behind; ahead but out of sight.
    boids[1].position = math::Vector2(5, 0);
    boids[1].velocity = math::Vector2(0, 8);
    boids[2].position = math::Vector2(-50, 0);

    EXPECT_TRUE(boids[0].See(boids[1], 100));
    EXPECT_FALSE(boids[0].See(boids[2], 100));
    EXPECT_FALSE(boids[0].See(boids[1], 4));
    EXPECT_NEAR(flock->BoidRuleCohesion(boids[0]).x, 0.05f, 1e-6f);
    EXPECT_EQ(flock->BoidRuleCohesion(boids[0]).y, 0.0f);
    EXPECT_EQ(flock->BoidRuleSeparation(boids[0]), math::Vector2(-5, 0));
    EXPECT_EQ(flock->BoidRuleAlignment(boids[0]), math::Vector2(-10 * 0.125f, 8 * 0.125f));

    // Boids at one point do not see each other.
    boids[1].position = boids[0].position;
    EXPECT_FALSE(boids[0].See(boids[1], 100));
    EXPECT_EQ(flock->BoidRuleCohesion(boids[0]), math::Vector2());
}

TEST_F(BoidsEffectTest, BoundingPushesBackFromBeyondEachSide) {
    auto flock = Make("<boids count='1'><bound left='0' top='0' right='100' bottom='50'/></boids>");
    auto& boid = flock->GetBoids()[0];
    const struct {
        math::Vector2 position;
        math::Vector2 push;
    } cases[] = {{{101, 10}, {-50, 0}},
                 {{100, 50}, {0, 0}},
                 {{-1, 51}, {50, -50}},
                 {{50, -0.5f}, {0, 50}},
                 {{50, 25}, {0, 0}}};
    for (const auto& c : cases) {
        boid.position = c.position;
        EXPECT_EQ(flock->BoidRuleBounding(boid), c.push) << c.position.x << ", " << c.position.y;
    }
}

TEST_F(BoidsEffectTest, FlockStaysWithinItsBoundsAndSpeedLimits) {
    auto flock = Make(
        "<boids x='200' y='200' count='8' min_speed='50' max_speed='150'>"
        "<bound left='100' top='100' right='300' bottom='300'/></boids>");
    clock.Start();
    flock->Start(false);
    // Ten simulated seconds in 16 ms steps.
    const float margin = 60.0f;
    unsigned int time = 0;
    for (int step = 0; step < 625; ++step) {
        time += 16;
        flock->Update(clock.Abs(time));
        for (const auto& boid : flock->GetBoids()) {
            ASSERT_GE(boid.position.x, 100 - margin) << "step " << step;
            ASSERT_LE(boid.position.x, 300 + margin) << "step " << step;
            ASSERT_GE(boid.position.y, 100 - margin) << "step " << step;
            ASSERT_LE(boid.position.y, 300 + margin) << "step " << step;
            ASSERT_LE(std::sqrt(boid.velocity.LengthSq()), 150.0f * 1.001f);
        }
    }
    EXPECT_TRUE(flock->IsPlaying());
    flock->Stop();
    EXPECT_FALSE(flock->IsPlaying());
}

TEST_F(BoidsEffectTest, BoidsFleeTheMouseWithinSight) {
    const struct {
        const char* weight;
        math::Vector2 mouse;
        math::Vector2 velocity;
    } cases[] = {
        {"from_mouse_k='5'", {200, 200}, {50, 150}},   // pushed away from the pointer 10 units behind
        {"from_mouse_k='5'", {220, 200}, {-50, 150}},  // ahead or behind, it does not matter
        {"", {200, 200}, {0, 150}},                    // the mouse is ignored by default
        {"from_mouse_k='5'", {400, 200}, {0, 150}},    // out of reach
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.weight);
        auto flock = Make(std::string("<boids count='1' ") + c.weight + "/>");
        auto& boid = flock->GetBoids()[0];
        boid.position = math::Vector2(210, 200);
        boid.velocity = math::Vector2(0, 150);
        mouse->position = c.mouse;
        flock->Update(0);
        EXPECT_EQ(boid.velocity, c.velocity);
    }

    // A whole flock started on the pointer scatters from it.
    mouse->position = math::Vector2(400, 300);
    auto flock = Make("<boids x='400' y='300' count='6' from_mouse_k='2'/>");
    clock.Start();
    flock->Start(false);
    for (unsigned int time = 16; time <= 1600; time += 16) flock->Update(clock.Abs(time));
    for (const auto& boid : flock->GetBoids()) {
        EXPECT_GT(std::sqrt((boid.position - mouse->position).LengthSq()), 50.0f);
    }
}

TEST_F(BoidsEffectTest, SpeedLimitsAndTimeSteps) {
    auto flock = Make("<boids count='1' min_speed='100' max_speed='200'/>");
    auto& boid = flock->GetBoids()[0];
    boid.position = math::Vector2(400, 300);
    const struct {
        math::Vector2 before;
        math::Vector2 after;
    } cases[] = {{{300, 400}, {120, 160}}, {{30, 40}, {33, 44}}, {{150, 0}, {150, 0}}};
    for (const auto& c : cases) {
        boid.velocity = c.before;
        flock->Update(0);  // no time passes: positions stay
        EXPECT_NEAR(boid.velocity.x, c.after.x, 1e-3f);
        EXPECT_NEAR(boid.velocity.y, c.after.y, 1e-3f);
        EXPECT_EQ(boid.position, math::Vector2(400, 300));
    }
    flock->Update(500);
    EXPECT_EQ(boid.position, math::Vector2(475, 300));
}

TEST_F(BoidsEffectTest, EachSpriteIsDrawnAtItsBoidTurnedToItsFlight) {
    auto flock = Make("<boids count='2' filename='bird.xml' filtering='point'/>");
    ASSERT_EQ(flock->GetFiltering(), render::IRender::FILTER_POINT);
    auto& boids = flock->GetBoids();
    boids[0].position = math::Vector2(100, 100);
    boids[0].velocity = math::Vector2(-30, 0);  // already faces its flight: no turn
    boids[1].position = math::Vector2(300, 200);
    boids[1].velocity = math::Vector2(30, 0);  // turned half round
    renderer.SetFilteringMode(render::IRender::FILTER_LINEAR);
    flock->Render();
    EXPECT_EQ(renderer.GetFilteringMode(), render::IRender::FILTER_LINEAR);
    ASSERT_EQ(renderer.Draws().size(), 2u);
    const auto& first = renderer.Draws()[0];
    EXPECT_EQ(first.rect, math::Rect(100, 100, 108, 104));
    const math::Vector2 far_corner = first.world * math::Vector2(108, 104);
    EXPECT_NEAR(far_corner.x, 108, 1e-3f);
    EXPECT_NEAR(far_corner.y, 104, 1e-3f);
    const auto& second = renderer.Draws()[1];
    EXPECT_EQ(second.rect, math::Rect(300, 200, 308, 204));
    const math::Vector2 turned = second.world * math::Vector2(308, 204);
    EXPECT_NEAR(turned.x, 292, 1e-3f);
    EXPECT_NEAR(turned.y, 196, 1e-3f);
    EXPECT_EQ(renderer.GetWorldMatrix(), math::Matrix4::IDENTITY);

    const struct {
        math::Vector2 velocity;
        float angle;
    } angles[] = {{{0, 0}, math::PI / 2},
                  {{-1, 0}, 0},
                  {{1, 0}, math::PI},
                  {{0, 1}, 3 * math::PI / 2},
                  {{1, 1}, 1.25f * math::PI}};
    for (const auto& a : angles) EXPECT_NEAR(effects::BoidsEffect::TurnAngle(a.velocity), a.angle, 1e-5f);
}

TEST_F(BoidsEffectTest, FlocksWithoutSpritesOrBoidsDrawNothing) {
    for (const char* xml : {"<boids count='4'/>", "<boids count='0' filename='bird.xml'/>",
                            "<boids count='3' filename='missing.xml'/>"}) {
        SCOPED_TRACE(xml);
        auto flock = Make(xml);
        flock->Start(false);
        flock->Update(100);
        flock->Render();
        EXPECT_TRUE(renderer.Draws().empty());
        EXPECT_TRUE(flock->IsPlaying());
    }
}

TEST_F(BoidsEffectTest, CloneCopiesTheFlockAndSharesItsSprites) {
    auto flock = Make("<boids count='3' filename='bird.xml'><effect/></boids>");
    flock->GetBoids()[1].position = math::Vector2(7, 8);
    std::unique_ptr<effects::Effect> copy(flock->Clone());
    auto* boids = static_cast<effects::BoidsEffect*>(copy.get());
    ASSERT_EQ(boids->GetBoids().size(), 3u);
    for (unsigned int i = 0; i < 3; ++i) {
        EXPECT_EQ(boids->GetBoids()[i].position, flock->GetBoids()[i].position);
        EXPECT_EQ(boids->GetBoids()[i].velocity, flock->GetBoids()[i].velocity);
        EXPECT_EQ(boids->GetBoids()[i].sprite.get(), flock->GetBoids()[i].sprite.get());
    }
    boids->GetBoids()[0].position = math::Vector2(1, 1);
    EXPECT_NE(flock->GetBoids()[0].position, math::Vector2(1, 1));
}

TEST_F(BoidsEffectTest, DrawsOnTheRendererInstalledWhenDrawing) {
    auto first = std::make_unique<test::RecordingRender>();
    render::Render::instance()->SetImplementation(first.get());
    auto flock = Make("<boids count='2' filename='bird.xml'/>");
    std::unique_ptr<effects::Effect> copy(flock->Clone());
    first.reset();
    render::Render::instance()->SetImplementation(&renderer);
    flock->Render();
    copy->Render();
    EXPECT_EQ(renderer.Draws().size(), 4u);
}

TEST_F(BoidsEffectTest, OversizedFlocksAreCutDown) {
    test::CaptureLog log;
    auto flock = Make("<boids count='4000000000'/>");
    EXPECT_EQ(flock->GetBoids().size(), 1000u);
    EXPECT_TRUE(log.Contains("Error: a flock of 4000000000 boids, keeping 1000"));
}

}  // namespace
