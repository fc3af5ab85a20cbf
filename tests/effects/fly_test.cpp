#include <gtest/gtest.h>
#include <tinyxml.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/frame_clock.h"
#include "support/recording_render.h"
#include "vantle/core/random.h"
#include "vantle/effects/effect_factory.h"
#include "vantle/effects/effect_manager.h"
#include "vantle/effects/effects/affine.h"
#include "vantle/effects/effects/fly.h"
#include "vantle/xml/attributes.h"

namespace {

// A leaf that plays until stopped (with "once", only until its first update) and notes where it starts
// and where the current effect state puts it while it updates; it draws a 1 x 1 rectangle at its place.
class Marker : public effects::Effect {
public:
    explicit Marker(TiXmlElement* element) : Effect(element), once(xml::Has(element, "once")) {}
    Effect* Clone() const override { return new Marker(*this); }
    Effect* Clone(const std::string&) const override { return Clone(); }
    using Effect::Update;
    void Update(unsigned int) override {
        updated.push_back(effects::CurrentEffectMatrix::instance()->GetMatrix() * position);
        if (once) running = 0;
    }
    void Render() override {
        render::Render::instance()->GetImplementation()->DrawRect(
            math::Rect(position.x, position.y, position.x + 1, position.y + 1), render::Color(1, 1, 1, 1));
    }
    bool IsPlaying() const override { return running != 0; }
    void OnStart() override { started.push_back(position); }

    static std::vector<math::Vector2> started;
    static std::vector<math::Vector2> updated;

private:
    Marker(const Marker&) = default;

    bool once;
};

std::vector<math::Vector2> Marker::started;
std::vector<math::Vector2> Marker::updated;

effects::Effect* MarkerCreate(TiXmlElement* element) {
    return new Marker(element);
}

class FlyEffectTest : public ::testing::Test {
protected:
    void SetUp() override {
        effects::Effect::Register();
        effects::FlyEffect::Register();
        effects::EffectFactory::instance()->Register("marker", &MarkerCreate);
        Marker::started.clear();
        Marker::updated.clear();
        core::Random::Seed(7);
    }
    void TearDown() override {
        // Drains the finishing effects this test started.
        effects::EffectManager::instance()->Update();
        EXPECT_EQ(effects::EffectManager::instance()->GetEffectCount(), 0u);
    }

    // A started clone of the fly element, moved to start (the effect's place when it starts).
    std::unique_ptr<effects::FlyEffect> Launch(const std::string& attributes, const math::Vector2& start) {
        const std::string xml =
            "<fly " + attributes + "><marker/><finish_effect><marker once='1'/></finish_effect></fly>";
        document.Clear();
        document.Parse(xml.c_str());
        EXPECT_FALSE(document.Error()) << xml;
        prototype.reset(
            static_cast<effects::FlyEffect*>(effects::FlyEffectCreateFunc(document.RootElement())));
        std::unique_ptr<effects::FlyEffect> fly(static_cast<effects::FlyEffect*>(prototype->Clone()));
        fly->MoveTo(start);
        clock.Start();
        fly->Start(false);
        return fly;
    }

    // Flights start at the clock's origin; Abs(t) is t ms later.
    test::FrameClock clock;
    TiXmlDocument document;
    std::unique_ptr<effects::FlyEffect> prototype;
};

void ExpectNear(const math::Vector2& actual, const math::Vector2& expected, float tolerance = 0.01f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

TEST_F(FlyEffectTest, StraightFlightArrivesOnTimeAndStartsTheFinishingEffectThere) {
    auto fly = Launch("to_x='400' to_y='100'", math::Vector2(100, 100));
    EXPECT_EQ(fly->GetDuration(), 1500u);  // 300 units at 200 per second
    ASSERT_EQ(Marker::started.size(), 1u);

    fly->Update(clock.Abs(750));
    ExpectNear(fly->GetCurrent(), math::Vector2(250, 100));
    ASSERT_EQ(Marker::updated.size(), 1u);
    ExpectNear(Marker::updated[0], math::Vector2(250, 100));
    EXPECT_EQ(effects::CurrentEffectMatrix::instance()->GetMatrix(), math::Matrix4::IDENTITY);

    fly->Update(clock.Abs(1500));
    EXPECT_TRUE(fly->IsPlaying()) << "progress 1 is not yet beyond the target";
    EXPECT_EQ(effects::EffectManager::instance()->GetEffectCount(), 0u);

    fly->Update(clock.Abs(1501));
    EXPECT_FALSE(fly->IsPlaying());
    EXPECT_TRUE(fly->IsFinished());
    EXPECT_EQ(effects::EffectManager::instance()->GetEffectCount(), 1u);
    ASSERT_EQ(Marker::started.size(), 2u);
    ExpectNear(Marker::started[1], math::Vector2(400, 100));

    fly->Update(clock.Abs(1600));
    EXPECT_EQ(effects::EffectManager::instance()->GetEffectCount(), 1u) << "the finish starts once";
}

TEST_F(FlyEffectTest, CurvedFlightFollowsItsSplineSideways) {
    // 100 units at 200 per second: 500 ms; progress 0.3 at 150 ms.
    auto fly = Launch("from_x='0' from_y='0' disp='0.5'", math::Vector2(100, 0));
    fly->Update(clock.Abs(150));
    ExpectNear(fly->GetCurrent(), math::Vector2(30, 50));
    // Both ends lie on the line; the path leaves it at once.
    fly->Update(clock.Abs(0));
    ExpectNear(fly->GetCurrent(), math::Vector2(0, 0));
    fly->Update(clock.Abs(50));
    EXPECT_GT(fly->GetCurrent().y, 0.5f);
    fly->Update(clock.Abs(500));
    ExpectNear(fly->GetCurrent(), math::Vector2(100, 0));
}

TEST_F(FlyEffectTest, RandomMiddleOffsetStaysInItsRange) {
    for (int i = 0; i < 20; ++i) {
        auto fly = Launch("to_x='100' to_y='0' rf='0.2'", math::Vector2(0, 0));
        fly->Update(clock.Abs(150));
        EXPECT_LE(std::fabs(fly->GetCurrent().y), 0.2f * 100.0f + 0.01f);
        EXPECT_NEAR(fly->GetCurrent().x, 30.0f, 0.01f);
    }
}

TEST_F(FlyEffectTest, EndsComeFromTheElementAndThePlaceAtStart) {
    const struct {
        const char* attributes;
        math::Vector2 start;
        math::Vector2 from;
        math::Vector2 to;
    } cases[] = {
        {"to_x='700' to_y='20'", {100, 500}, {100, 500}, {700, 20}},
        {"from_x='700' from_y='20'", {100, 500}, {700, 20}, {100, 500}},
        {"from_x='1' from_y='2' to_x='700' to_y='20'", {100, 500}, {1, 2}, {100, 500}},
        {"x='5' y='6'", {100, 500}, {100, 500}, {5, 6}},
        {"x='5' y='6' to_x='50'", {100, 500}, {100, 500}, {50, 6}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto fly = Launch(c.attributes, c.start);
        ExpectNear(fly->GetFrom(), c.from);
        ExpectNear(fly->GetTo(), c.to);
        fly->Update(clock.Abs(fly->GetDuration() + 1));
        ASSERT_FALSE(fly->IsPlaying());
        ExpectNear(Marker::started.back(), c.to);
    }
}

// No finite duration: the flight arrives at its first update, finite positions, the finish still starts.
TEST_F(FlyEffectTest, DegenerateFlightsArriveAtOnce) {
    const struct {
        const char* attributes;
        math::Vector2 start;
    } cases[] = {
        {"to_x='300' to_y='300' speed='0'", {0, 0}},
        {"to_x='300' to_y='300' speed='-50' disp='0.5'", {0, 0}},
        {"to_x='300' to_y='300'", {300, 300}},
        {"to_x='300' to_y='300' disp='0.4' rf='0.3'", {300, 300}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes);
        const size_t finishes = Marker::started.size() + 1;
        auto fly = Launch(c.attributes, c.start);
        fly->Update(clock.Abs(100));
        EXPECT_TRUE(std::isfinite(fly->GetCurrent().x) && std::isfinite(fly->GetCurrent().y));
        ExpectNear(fly->GetCurrent(), math::Vector2(300, 300));
        EXPECT_FALSE(fly->IsPlaying());
        ASSERT_EQ(Marker::started.size(), finishes + 1);
        ExpectNear(Marker::started.back(), math::Vector2(300, 300));
    }
}

TEST_F(FlyEffectTest, ChildrenAreDrawnAtTheCurrentPoint) {
    test::RecordingRender renderer;
    render::Render::instance()->SetImplementation(&renderer);
    auto fly = Launch("to_x='400' to_y='100'", math::Vector2(100, 100));
    fly->Update(clock.Abs(750));
    fly->Render();
    ASSERT_EQ(renderer.Draws().size(), 1u);
    ExpectNear(renderer.Draws()[0].world * math::Vector2(100, 100), math::Vector2(250, 100));
    EXPECT_EQ(renderer.GetWorldMatrix(), math::Matrix4::IDENTITY);
    render::Render::instance()->SetImplementation(nullptr);
}

// The fly restores the effect state it found, so nodes updated after it inside an affine effect still see
// the affine's transform.
TEST_F(FlyEffectTest, NodesAfterAFlyInsideAnAffineEffectKeepItsTransform) {
    effects::AffineEffect::Register();
    document.Clear();
    document.Parse(
        "<affine><key tm='0'><move x='0' y='50'/></key><key tm='1000'><move x='0' y='50'/></key>"
        "<fly to_x='400' to_y='0'><marker/></fly><marker/></affine>");
    std::unique_ptr<effects::Effect> affine(
        effects::EffectFactory::instance()->Create(document.RootElement()));
    ASSERT_EQ(affine->GetChilds().size(), 2u);
    clock.Start();
    affine->Start(false);
    affine->Update(clock.Abs(100));
    ASSERT_EQ(Marker::updated.size(), 2u);
    ExpectNear(Marker::updated[1], math::Vector2(0, 50));
    EXPECT_EQ(effects::CurrentEffectMatrix::instance()->GetMatrix(), math::Matrix4::IDENTITY);
}

TEST_F(FlyEffectTest, CloneCopiesChildrenAndSharesTheFinish) {
    auto fly = Launch("to_x='400' to_y='100'", math::Vector2(100, 100));
    std::unique_ptr<effects::Effect> copy(prototype->Clone());
    ASSERT_EQ(copy->GetChilds().size(), 1u);
    EXPECT_NE(copy->GetChilds()[0].get(), prototype->GetChilds()[0].get());
    EXPECT_FALSE(copy->IsRunning());

    // Without children the flight ends at once, and no finishing effect starts.
    document.Clear();
    document.Parse("<fly to_x='10'><finish_effect><marker/></finish_effect></fly>");
    std::unique_ptr<effects::Effect> empty(effects::FlyEffectCreateFunc(document.RootElement()));
    clock.Start();
    empty->Start(false);
    const size_t starts = Marker::started.size();
    empty->Update(clock.Abs(1));
    EXPECT_FALSE(empty->IsPlaying());
    EXPECT_EQ(Marker::started.size(), starts);
}

TEST_F(FlyEffectTest, DrawsOnTheRendererInstalledWhenDrawing) {
    auto first = std::make_unique<test::RecordingRender>();
    render::Render::instance()->SetImplementation(first.get());
    auto fly = Launch("to_x='400' to_y='100'", math::Vector2(100, 100));
    first.reset();
    test::RecordingRender renderer;
    render::Render::instance()->SetImplementation(&renderer);
    fly->Update(clock.Abs(750));
    fly->Render();
    EXPECT_EQ(renderer.Draws().size(), 1u);
    render::Render::instance()->SetImplementation(nullptr);
}

// A middle point on an end of the path is left out of the spline.
TEST_F(FlyEffectTest, UnusablePathMiddlesGiveFinitePositions) {
    for (const char* attributes : {"spoint='0' disp='0.5'", "spoint='1' disp='0.5'"}) {
        SCOPED_TRACE(attributes);
        test::CaptureLog log;
        auto fly = Launch(std::string("to_x='100' to_y='0' ") + attributes, math::Vector2(0, 0));
        EXPECT_TRUE(log.Contains("Error: fly path middle"));
        for (unsigned int t : {0u, 150u, 400u}) {
            fly->Update(clock.Abs(t));
            EXPECT_TRUE(std::isfinite(fly->GetCurrent().x) && std::isfinite(fly->GetCurrent().y)) << t;
        }
        fly->Update(clock.Abs(501));
        ExpectNear(fly->GetCurrent(), math::Vector2(100, 0), 1.0f);
        EXPECT_FALSE(fly->IsPlaying());
    }
}

// Numbers that are not finite never reach the path: the flight is the one without them.
TEST_F(FlyEffectTest, NumbersThatAreNotFiniteReadAsAbsent) {
    const struct {
        const char* attributes;
        const char* same_as;
    } cases[] = {
        {"speed='nan'", ""},
        {"spoint='nan' disp='0.5'", "disp='0.5'"},
        {"disp='1e39'", ""},
        {"disp='0.5' rf='-inf'", "disp='0.5'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes);
        const std::string ends = "to_x='100' to_y='0' ";
        core::Random::Seed(7);
        auto expected = Launch(ends + c.same_as, math::Vector2(0, 0));
        expected->Update(clock.Abs(150));
        const math::Vector2 expected_at = expected->GetCurrent();
        test::CaptureLog log;
        core::Random::Seed(7);
        auto fly = Launch(ends + c.attributes, math::Vector2(0, 0));
        EXPECT_TRUE(log.Contains("is no finite number"));
        EXPECT_FALSE(log.Contains("Error: fly path middle"));
        EXPECT_EQ(fly->GetDuration(), expected->GetDuration());
        fly->Update(clock.Abs(150));
        ExpectNear(fly->GetCurrent(), expected_at);
    }
}

}  // namespace
