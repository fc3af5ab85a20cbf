#include "Seaquell/ball.h"

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

#include "Seaquell/b_remove_color.h"
#include "Seaquell/b_remove_row.h"
#include "effects/effect_kinds_fixture.h"
#include "vantle/game/sprite.h"

namespace {

// Each animation shows its own colour, so the drawn colour tells which one plays.
const char* const kBallSprite =
    "<sprite w='10' h='20'>"
    "<animation name='default' default='1' loop='1'><frame color='FF0000'/></animation>"
    "<animation name='over' loop='1'><frame color='00FF00'/></animation>"
    "<animation name='mouse_over' loop='1'><frame color='0000FF'/></animation>"
    "<animation name='spin' loop='1'><frame color='FFFFFF'/></animation>"
    "<animation name='random'><frame color='FFFF00' length='100'/></animation>"
    "<animation name='lightwave'><frame color='00FFFF' length='100'/></animation>"
    "<sprite w='4' h='4'><animation name='default' default='1' loop='1'><frame/></animation></sprite>"
    "</sprite>";

// A rainbow ball: the looks of no colour, colour 5's own looks, and one-shot idle animations.
const char* const kRainbowSprite =
    "<sprite w='10' h='20'>"
    "<animation name='default' default='1' loop='1'><frame/></animation>"
    "<animation name='over' loop='1'><frame/></animation>"
    "<animation name='mouse_over' loop='1'><frame/></animation>"
    "<animation name='random'><frame length='100'/></animation>"
    "<animation name='lightwave'><frame length='100'/></animation>"
    "<animation name='default_5' loop='1'><frame/></animation>"
    "<animation name='over_5' loop='1'><frame/></animation>"
    "<animation name='mouse_over_5' loop='1'><frame/></animation>"
    "<animation name='random_5'><frame length='100'/></animation>"
    "<animation name='lightwave_5'><frame length='100'/></animation>"
    "</sprite>";

const math::Vector2 kCell(10, 20);

// A kind that never matches, as bonus balls do.
class Refusing : public cm::Ball {
public:
    using cm::Ball::Ball;
    bool CompareTo(const core::ptr<cm::Ball>&) const override { return false; }
};

class Balls : public test::EffectKindsTest {
protected:
    core::ptr<game::Sprite> NewSprite() {
        return core::ptr<game::Sprite>(new game::Sprite(Parse(kBallSprite)));
    }

    core::ptr<cm::Ball> NewBall(unsigned int color = 1) {
        return core::ptr<cm::Ball>(new cm::Ball(NewSprite(), kCell, color));
    }

    static std::string Playing(const cm::Ball& ball) {
        return ball.GetSprite()->GetCurrentAnimation()->GetName();
    }
};

TEST_F(Balls, HitTestCoversTheCellMovedByTheOffsetEdgesIncluded) {
    struct Case {
        math::Vector2 offset;
        math::Vector2 point;
        bool hit;
    };
    // The ball sits in cell (2, 1): x 20 to 30, y 20 to 40.
    const Case cases[] = {
        {{0, 0}, {25, 30}, true},     {{0, 0}, {20, 20}, true},     {{0, 0}, {30, 40}, true},
        {{0, 0}, {19.9f, 30}, false}, {{0, 0}, {30.1f, 30}, false}, {{0, 0}, {25, 40.1f}, false},
        {{5, -2}, {34, 18}, true},    {{5, -2}, {22, 39}, false},
    };
    core::ptr<cm::Ball> ball = NewBall();
    ball->MoveTo(2, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE("offset (" + std::to_string(c.offset.x) + ", " + std::to_string(c.offset.y) +
                     "), point (" + std::to_string(c.point.x) + ", " + std::to_string(c.point.y) + ")");
        ball->offset = c.offset;
        EXPECT_EQ(ball->HitTest(c.point), c.hit);
    }
}

TEST_F(Balls, OnlyTwoBallsThatBothAgreeCompareEqual) {
    const core::ptr<cm::Ball> three = NewBall(3);
    const core::ptr<cm::Ball> other_three = NewBall(3);
    const core::ptr<cm::Ball> four = NewBall(4);
    const core::ptr<cm::Ball> refusing(new Refusing(NewSprite(), kCell, 3));
    const core::ptr<cm::Ball> none;
    struct Case {
        const char* name;
        core::ptr<cm::Ball> a, b;
        bool equal;
    };
    const Case cases[] = {
        {"two plain balls of colour 3", three, other_three, true},
        {"colours 3 and 4", three, four, false},
        {"a plain ball and a kind that refuses", three, refusing, false},
        {"a kind that refuses and a plain ball", refusing, three, false},
        {"an empty pointer first", none, three, false},
        {"an empty pointer second", three, none, false},
        {"two empty pointers", none, none, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(cm::Ball::Compare(c.a, c.b), c.equal);
    }
}

// The rainbow ball's looks carry its colour, which its sprite's own default does not show; one of no
// colour keeps the plain looks.
TEST_F(Balls, HighlightHoverAndIdleAnimationsShowTheBallsLookAndLeaveItThere) {
    struct Step {
        const char* action;
        bool value;
        // What shows at once, and after the one-shot animations have played out.
        const char* plain;
        const char* rainbow;
        const char* plain_after;
        const char* rainbow_after;
    };
    const Step steps[] = {
        {"over", true, "over", "over_5", "over", "over_5"},
        {"mouse_over", true, "mouse_over", "mouse_over_5", "mouse_over", "mouse_over_5"},
        {"random", true, "random", "random_5", "mouse_over", "mouse_over_5"},
        {"mouse_over", false, "over", "over_5", "over", "over_5"},
        {"lightwave", true, "lightwave", "lightwave_5", "over", "over_5"},
        {"over", false, "default", "default_5", "default", "default_5"},
        {"random", true, "random", "random_5", "default", "default_5"},
        {"mouse_over", true, "mouse_over", "mouse_over_5", "mouse_over", "mouse_over_5"},
    };
    const auto rainbow_of = [this](unsigned int color) {
        return core::ptr<cm::Ball>(new cm::RemoveColor(
            core::ptr<game::Sprite>(new game::Sprite(Parse(kRainbowSprite))), kCell, color));
    };
    core::ptr<cm::Ball> plain = NewBall();
    core::ptr<cm::Ball> rainbow = rainbow_of(5);
    core::ptr<cm::Ball> colourless = rainbow_of(0);
    EXPECT_EQ(Playing(*rainbow), "default_5");
    EXPECT_EQ(Playing(*colourless), "default");
    unsigned int at = 0;
    for (const Step& step : steps) {
        const std::string action = step.action;
        SCOPED_TRACE(action + (step.value ? " on" : " off"));
        for (cm::Ball* ball : {plain.get(), rainbow.get(), colourless.get()}) {
            if (action == "over") ball->Over(step.value);
            if (action == "mouse_over") ball->MouseOver(step.value);
            if (action == "random" || action == "lightwave") ball->StartAnimation(action);
        }
        EXPECT_EQ(Playing(*plain), step.plain);
        EXPECT_EQ(Playing(*rainbow), step.rainbow);
        EXPECT_EQ(Playing(*colourless), step.plain);
        // Past the one-shot animation's end.
        at += 200;
        const unsigned int now = clock.At(at);
        for (cm::Ball* ball : {plain.get(), rainbow.get(), colourless.get()}) ball->Update(now);
        EXPECT_EQ(Playing(*plain), step.plain_after);
        EXPECT_EQ(Playing(*rainbow), step.rainbow_after);
        EXPECT_EQ(Playing(*colourless), step.plain_after);
    }
    plain->StartAnimation("spin");
    EXPECT_EQ(Playing(*plain), "spin");
}

TEST_F(Balls, RepeatingAStateDoesNotRestartItsAnimation) {
    core::ptr<cm::Ball> ball = NewBall();
    clock.At(100);
    ball->Over(true);
    clock.At(200);
    ball->Over(true);
    EXPECT_EQ(ball->GetSprite()->GetStart(), clock.Abs(100));
    ball->MouseOver(false);
    EXPECT_EQ(ball->GetSprite()->GetStart(), clock.Abs(100));
}

TEST_F(Balls, TheOffsetShowsForOneFrameWithTheChildSpritesOnceTheBallIsPlaced) {
    core::ptr<cm::Ball> ball = NewBall();
    ball->Render();
    EXPECT_TRUE(renderer.Draws().empty()) << "an unplaced ball draws nothing";
    ball->MoveTo(math::Position(2, 1));
    ball->offset = math::Vector2(3, 4);
    ball->Render();
    ASSERT_EQ(renderer.Draws().size(), 2u);
    EXPECT_EQ(renderer.Draws()[0].rect, math::Rect(23, 24, 33, 44));
    EXPECT_EQ(renderer.Draws()[0].color, render::Color(1, 0, 0, 1));
    EXPECT_EQ(renderer.Draws()[1].rect, math::Rect(23, 24, 27, 28));
    // Back in its cell afterwards, so the offset never accumulates.
    EXPECT_EQ(static_cast<const math::Rect&>(*ball->GetSprite()), math::Rect(20, 20, 30, 40));
    EXPECT_EQ(static_cast<const math::Rect&>(*ball->GetSprite()->GetChildren()[0]),
              math::Rect(20, 20, 24, 24));
}

TEST_F(Balls, ABallWithoutASpriteTakesEveryCallSafely) {
    cm::Ball ball(core::ptr<game::Sprite>(), kCell, 9999);
    ball.MoveTo(1, 1);
    ball.Update(clock.At(10));
    ball.Render();
    ball.Over(true);
    ball.MouseOver(true);
    ball.MouseOver(false);
    ball.StartAnimation("over");
    ball.SetNoEffects(true);
    const core::ptr<cm::Ball> copy = ball.Clone();
    EXPECT_TRUE(renderer.Draws().empty());
    EXPECT_TRUE(ball.IsOver());
    EXPECT_FALSE(copy->GetSprite());
    EXPECT_TRUE(ball.HitTest(math::Vector2(15, 30)));
}

TEST_F(Balls, ACloneIsAPlainBallWithTheSameStateAndASpriteOfItsOwn) {
    core::ptr<cm::Ball> original(new cm::RemoveRow(NewSprite(), kCell, 12));
    original->MoveTo(4, 5);
    original->target_col = 4;
    original->target_row = 6;
    original->locked = true;
    original->Over(true);
    const core::ptr<cm::Ball> copy = original->Clone();
    EXPECT_EQ(typeid(*copy), typeid(cm::Ball));
    EXPECT_EQ(copy->GetColor(), 12u);
    EXPECT_EQ(copy->col, 4);
    EXPECT_EQ(copy->row, 5);
    EXPECT_EQ(copy->target_row, 6);
    EXPECT_TRUE(copy->locked);
    EXPECT_TRUE(copy->IsPlaced());
    EXPECT_TRUE(copy->IsOver());
    ASSERT_TRUE(copy->GetSprite());
    EXPECT_NE(copy->GetSprite(), original->GetSprite());
    copy->StartAnimation("spin");
    EXPECT_EQ(Playing(*original), "over");
}

}  // namespace
