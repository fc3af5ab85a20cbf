#include "Seaquell/ball_factory.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <typeindex>
#include <typeinfo>
#include <utility>
#include <vector>

#include "Seaquell/b_addtime.h"
#include "Seaquell/b_badball.h"
#include "Seaquell/b_makebedballs.h"
#include "Seaquell/b_remove_block.h"
#include "Seaquell/b_remove_col.h"
#include "Seaquell/b_remove_color.h"
#include "Seaquell/b_remove_cross.h"
#include "Seaquell/b_remove_diag_cross.h"
#include "Seaquell/b_remove_diag_left.h"
#include "Seaquell/b_remove_diag_right.h"
#include "Seaquell/b_remove_row.h"
#include "Seaquell/b_replater.h"
#include "effects/effect_kinds_fixture.h"
#include "support/capture_log.h"
#include "vantle/core/random.h"
#include "vantle/game/sprite.h"

namespace {

using cm::BallFactory;

const char* const kSprite =
    "<sprite w='30' h='30'><animation name='default' default='1' loop='1'><frame/></animation></sprite>";

class Factory : public test::EffectKindsTest {
protected:
    core::ptr<game::Sprite> Prototype() { return core::ptr<game::Sprite>(new game::Sprite(Parse(kSprite))); }

    void Register(unsigned int id, unsigned int prob, unsigned int delay = 0) {
        factory.SetProb(id, Prototype(), prob, delay);
    }

    // How many of n random draws gave each colour code; "none" counts draws that made nothing.
    std::map<unsigned int, int> Draw(int n, unsigned int id = 0) {
        std::map<unsigned int, int> counts;
        for (int i = 0; i < n; ++i) {
            const core::ptr<cm::Ball> ball = id == 0 ? factory.CreateBall() : factory.CreateBall(id);
            ++counts[ball ? ball->GetColor() : kNone];
        }
        return counts;
    }

    static constexpr unsigned int kNone = 0;
    BallFactory factory;
};

TEST_F(Factory, DrawsFollowTheWeights) {
    Register(1, 100);
    Register(2, 100);
    Register(BallFactory::B_REMOVE_ROW, 2);
    const int draws = 20200;
    std::map<unsigned int, int> counts = Draw(draws);
    // Expected 200 remove-row balls and 10000 of each colour.
    EXPECT_NEAR(counts[BallFactory::B_REMOVE_ROW], 200, 60);
    EXPECT_NEAR(counts[1], 10000, 400);
    EXPECT_NEAR(counts[2], 10000, 400);
    EXPECT_EQ(counts[1] + counts[2] + counts[BallFactory::B_REMOVE_ROW], draws);
}

TEST_F(Factory, ARandomColourRemoverTakesOnlyTheLevelsColours) {
    Register(1, 100);
    Register(2, 300);
    Register(BallFactory::B_REMOVE_COLOR, 5);
    std::map<unsigned int, int> counts = Draw(4000, BallFactory::B_REMOVE_COLOR);
    EXPECT_EQ(counts.size(), 2u);
    EXPECT_NEAR(counts[1], 1000, 120);
    EXPECT_NEAR(counts[2], 3000, 120);

    factory.Reset();
    Register(5, 1);
    Register(6, 1);
    counts = Draw(200, BallFactory::B_REMOVE_COLOR);
    EXPECT_EQ(counts.size(), 2u);
    EXPECT_GT(counts[5], 0);
    EXPECT_GT(counts[6], 0);
}

TEST_F(Factory, AKindEntersTheLotteryAtItsTurn) {
    Register(1, 1);
    Register(BallFactory::B_REMOVE_ROW, 1000, 3);
    for (unsigned int turn = 0; turn < 3; ++turn) {
        SCOPED_TRACE("turn " + std::to_string(turn));
        EXPECT_EQ(Draw(100)[BallFactory::B_REMOVE_ROW], 0);
        factory.NextTurn();
    }
    EXPECT_GT(Draw(100)[BallFactory::B_REMOVE_ROW], 90);
}

TEST_F(Factory, MapCharactersMakeTheirKinds) {
    struct Case {
        char code;
        std::type_index kind;
        unsigned int color;
    };
    const Case cases[] = {
        {'1', typeid(cm::Ball), 1},
        {'8', typeid(cm::Ball), 8},
        {'a', typeid(cm::BadBall), BallFactory::B_BADBALL},
        {'e', typeid(cm::RemoveRow), BallFactory::B_REMOVE_ROW},
        {'c', typeid(cm::RemoveCol), BallFactory::B_REMOVE_COL},
        {'d', typeid(cm::RemoveCross), BallFactory::B_REMOVE_CROSS},
        {'b', typeid(cm::RemoveBlock), BallFactory::B_REMOVE_BLOCK},
        {'f', typeid(cm::RemoveColor), 4},
        {'j', typeid(cm::RemoveDiagonalLeft), BallFactory::B_REMOVE_DIAG_LEFT},
        {'i', typeid(cm::RemoveDiagonalRight), BallFactory::B_REMOVE_DIAG_RIGHT},
        {'k', typeid(cm::RemoveDiagonalCross), BallFactory::B_REMOVE_DIAG_CROSS},
        {'l', typeid(cm::AddTime), BallFactory::B_ADDTIME},
        {'m', typeid(cm::ReplaterBall), BallFactory::B_REPLATER},
        {'n', typeid(cm::MakeBadBall), BallFactory::B_MAKEBADBALLS},
        {'g', typeid(cm::RemoveColor), 1},
        {'h', typeid(cm::RemoveColor), 2},
        {'q', typeid(cm::RemoveColor), 3},
        {'o', typeid(cm::RemoveColor), 4},
        {'p', typeid(cm::RemoveColor), 5},
        {'r', typeid(cm::RemoveColor), 6},
        {'s', typeid(cm::RemoveColor), 7},
        {'t', typeid(cm::RemoveColor), 8},
    };
    // One colour only, so the random colour remover's colour is known.
    Register(4, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("code ") + c.code);
        const core::ptr<cm::Ball> ball = factory.CreateBall(c.code);
        ASSERT_TRUE(ball);
        EXPECT_EQ(std::type_index(typeid(*ball)), c.kind);
        EXPECT_EQ(ball->GetColor(), c.color);
        EXPECT_TRUE(c.code != 'e' || !ball->GetSprite()) << "a kind without a picture has no sprite";
    }
    for (char code : {'0', 'z', '9', ' ', '\0'}) {
        SCOPED_TRACE(std::string("code ") + code);
        EXPECT_FALSE(factory.CreateBall(code));
    }
}

TEST_F(Factory, NothingToDrawMakesNoBall) {
    struct Case {
        const char* name;
        std::vector<std::pair<unsigned int, unsigned int>> weights;
        bool draw_makes_a_ball;
    };
    const Case cases[] = {
        {"no kind registered", {}, false},
        {"every weight 0", {{3, 0}, {BallFactory::B_BADBALL, 0}}, false},
        {"only a bonus kind", {{BallFactory::B_BADBALL, 5}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        factory.Reset();
        for (const auto& weight : c.weights) Register(weight.first, weight.second);
        EXPECT_EQ(static_cast<bool>(factory.CreateBall()), c.draw_makes_a_ball);
        // A random colour remover needs a colour to remove.
        EXPECT_FALSE(factory.CreateBall(BallFactory::B_REMOVE_COLOR));
    }
}

TEST_F(Factory, EveryBallGetsItsOwnSpriteWithTheFactorySettings) {
    const core::ptr<game::Sprite> prototype = Prototype();
    factory.SetProb(2, prototype, 1, 0);
    struct Case {
        bool no_effects;
        bool resize;
        math::Rect rect;
    };
    const Case cases[] = {{false, false, math::Rect(0, 0, 30, 30)}, {true, true, math::Rect(0, 0, 12, 14)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.no_effects ? "no effects" : "effects") + (c.resize ? ", resized" : ""));
        factory.cell_size = math::Vector2(7, 9);
        factory.no_effects = c.no_effects;
        factory.resize_sprite = c.resize;
        factory.sprite_size = math::Vector2(12, 14);
        const core::ptr<cm::Ball> ball = factory.CreateBall(2u);
        ASSERT_TRUE(ball && ball->GetSprite());
        EXPECT_NE(ball->GetSprite(), prototype);
        EXPECT_EQ(ball->GetCellSize(), math::Vector2(7, 9));
        EXPECT_EQ(ball->GetSprite()->GetCurrentAnimation()->HasNoEffects(), c.no_effects);
        EXPECT_EQ(static_cast<const math::Rect&>(*ball->GetSprite()), c.rect);
    }
    EXPECT_EQ(static_cast<const math::Rect&>(*prototype), math::Rect(0, 0, 30, 30));
}

TEST_F(Factory, ARandomColourRemoverClonesItsSpriteBeforeDrawingItsColour) {
    const char* const shifted = "<sprite w='30' h='30' max_shift='100000'/>";
    Register(1, 1);
    Register(2, 1);
    factory.SetProb(BallFactory::B_REMOVE_COLOR, core::ptr<game::Sprite>(new game::Sprite(Parse(shifted))), 1,
                    0);
    for (unsigned int seed : {1u, 2u, 3u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        core::Random::Seed(seed);
        const int first_draw = core::Random::instance()->GetInt(0, 100000);
        core::Random::Seed(seed);
        const core::ptr<cm::Ball> ball = factory.CreateBall(BallFactory::B_REMOVE_COLOR);
        ASSERT_TRUE(ball && ball->GetSprite());
        EXPECT_EQ(ball->GetSprite()->GetShift(), first_draw);
    }
    // With no colour to remove the clone is still made, so later draws stay where they were.
    factory.Reset();
    factory.SetProb(BallFactory::B_REMOVE_COLOR, core::ptr<game::Sprite>(new game::Sprite(Parse(shifted))), 1,
                    0);
    core::Random::Seed(4);
    core::Random::instance()->GetInt(0, 100000);
    const int second_draw = core::Random::instance()->GetInt(0, 100000);
    core::Random::Seed(4);
    EXPECT_FALSE(factory.CreateBall(BallFactory::B_REMOVE_COLOR));
    EXPECT_EQ(core::Random::instance()->GetInt(0, 100000), second_draw);
}

TEST_F(Factory, HugeWeightsStayDrawable) {
    test::CaptureLog log;
    Register(1, UINT_MAX);
    Register(2, UINT_MAX);
    Register(3, 7);
    std::map<unsigned int, int> counts = Draw(1000);
    EXPECT_EQ(counts[kNone], 0);
    EXPECT_NEAR(counts[1], 500, 60);
    EXPECT_NEAR(counts[2], 500, 60);
    EXPECT_TRUE(log.Contains("scaled down"));
}

}  // namespace
