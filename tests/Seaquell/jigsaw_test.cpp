#include "Seaquell/jigsaw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "jigsaw_pieces.h"
#include "support/gui_fixture.h"
#include "support/png_writer.h"
#include "vantle/core/context.h"
#include "vantle/core/functor_factory.h"
#include "vantle/core/random.h"
#include "vantle/effects/effect.h"
#include "vantle/effects/effect_factory.h"
#include "vantle/gui/event.h"
#include "vantle/render/texture_cache.h"
#include "vantle/xml/attributes.h"

namespace {

using cm::Jigsaw;
using math::Position;

// Effects that write "name@x,y" when they start, so a test sees which effect started where.
std::vector<std::string> started;

class SpotEffect : public effects::Effect {
public:
    explicit SpotEffect(TiXmlElement* element)
        : effects::Effect(element), _name(xml::ReadText(element, "name", "")) {}
    explicit SpotEffect(const std::string& name) : _name(name) {}
    effects::Effect* Clone() const override {
        SpotEffect* copy = new SpotEffect(_name);
        copy->position = position;
        return copy;
    }
    bool IsPlaying() const override { return IsRunning(); }
    void OnStart() override {
        std::ostringstream text;
        text << _name << "@" << position.x << "," << position.y;
        started.push_back(text.str());
    }
    static effects::Effect* Create(TiXmlElement* element) { return new SpotEffect(element); }

private:
    std::string _name;
};

const char* const kEffects[] = {"place",        "place_orig", "swap", "swap_result",
                                "swap_result2", "no_way",     "win"};
// The window's rectangle in its parent: cells of 100 by 80.
const char kBoard[] =
    "<jigsaw_board x='50' y='20' w='600' h='400'><handlers><handler name='on_win' code='on_win'/>"
    "<handler name='after_win' code='after_win'/></handlers></jigsaw_board>";

class JigsawTest : public test::GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        core::Random::Seed(7);
        effects::EffectFactory::instance()->Register("spot", &SpotEffect::Create);
        for (const char* name : kEffects)
            dir.Write(std::string("data/effects/jigsaw/") + name + ".xml",
                      std::string("<effect><spot name='") + name + "'/></effect>");
        const std::vector<std::uint8_t> png = test::EncodePng(2, 2, std::vector<std::uint8_t>(16, 0xFF));
        for (const char* name : {"data/gfx/jigsaw_border_normal.png", "data/gfx/jigsaw_border_active.png",
                                 "data/gfx/jigsaw_border_start.png", "picture.png",
                                 "data/gfx/backgrounds/walps/04_wp_x1280b.jpg"})
            dir.Write(name, std::string(png.begin(), png.end()));
        core::Context::instance()->Set("jigsaw_image", core::Value("picture.png"));
        Jigsaw::Unload();
        started.clear();
    }
    void TearDown() override {
        jigsaw.reset();
        Jigsaw::Unload();
        GuiTest::TearDown();
    }

    // A fresh window whose pieces are all home but for the swaps given.
    Jigsaw& Arrange(const std::vector<std::pair<Position, Position>>& swaps) {
        jigsaw = std::make_unique<Jigsaw>(Parse(kBoard));
        test::PutEveryPieceHome(*jigsaw);
        for (const auto& [a, b] : swaps) jigsaw->Swap(a, b);
        started.clear();
        return *jigsaw;
    }

    // In the parent's frame, at the middle of the cell.
    void Click(const Position& cell, int button = 0) {
        const math::Vector2 at(50 + 100 * cell.x + 50, 20 + 80 * cell.y + 40);
        jigsaw->OnEvent(gui::Event(gui::Event::MOUSE_DOWN, button, at));
        jigsaw->OnEvent(gui::Event(gui::Event::MOUSE_UP, button, at));
    }
    // One frame at t ms of the clock.
    void Frame(unsigned int t) {
        clock.At(t);
        jigsaw->Update();
    }
    std::vector<std::string> Handlers() {
        std::vector<std::string> run;
        for (const std::string& call : script.calls) {
            if (call.rfind("Eval ", 0) == 0) run.push_back(call.substr(5));
        }
        script.calls.clear();
        return run;
    }

    std::unique_ptr<Jigsaw> jigsaw;
};

using Strings = std::vector<std::string>;
const Position k00(0, 0), k10(1, 0), k20(2, 0), k30(3, 0), k01(0, 1), k02(0, 2), k12(1, 2), k22(2, 2);

TEST_F(JigsawTest, ASwapEndsWithLandingEffectsByHowManyPiecesWentHome) {
    struct Case {
        const char* name;
        std::vector<Position> clicks;
        Strings effects;
    };
    // (0,0)-(1,0) swapped, and a ring of three on row 2, each piece one cell to the right of home.
    const Case cases[] = {
        {"both home", {k00, k10}, {"place_orig@100,60", "place_orig@200,60", "swap_result2@100,60"}},
        {"one home", {k02, k12}, {"place_orig@100,220", "place@200,220", "swap_result@100,220"}},
        {"none home", {k12, k30}, {"place@200,220", "place@400,60", "swap@200,220"}},
        {"the picked piece again", {k12, k12}, {"place@200,220", "place@200,220", "swap@200,220"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Jigsaw& j = Arrange({{k00, k10}, {k02, k12}, {k02, k22}, {k30, k20}});
        clock.Start();
        for (const Position& cell : c.clicks) Click(cell);
        EXPECT_TRUE(j.swapping);
        EXPECT_TRUE(j.first_click);
        Frame(250);
        EXPECT_TRUE(started.empty());
        EXPECT_TRUE(j.board->Get(c.clicks[0].x, c.clicks[0].y).moving);
        Frame(500);
        EXPECT_EQ(started, c.effects);
        EXPECT_FALSE(j.swapping);
        EXPECT_EQ(j.selected, Jigsaw::kNone);
        EXPECT_EQ(j.hovered, Jigsaw::kNone);
        EXPECT_FALSE(j.won);
    }
}

TEST_F(JigsawTest, AHomePieceSaysNoWayAndKeepsThePickWhileClicksDuringASwapDoNothing) {
    Jigsaw& j = Arrange({{k00, k10}, {k20, k30}});
    clock.Start();
    Click(k10);
    Click(k01);
    EXPECT_EQ(started, Strings{"no_way@100,140"});
    EXPECT_EQ(j.selected, k10);
    EXPECT_FALSE(j.first_click);
    Click(k00);
    started.clear();
    for (const Position& cell : {k20, k01}) Click(cell);
    EXPECT_TRUE(started.empty()) << "not even the no-way effect";
    EXPECT_EQ(j.swap_from, k10);
    EXPECT_EQ(j.swap_to, k00);
    Frame(100);
    EXPECT_NEAR(j.board->Get(1, 0).pos.x, 80.0f, 1e-3f) << "a fifth of the way from 100 to 0";
    EXPECT_NEAR(j.board->Get(0, 0).pos.x, 20.0f, 1e-3f);
}

TEST_F(JigsawTest, OnlyLeftPressesOnTheGridPickAndTheRightOrBottomEdgeIsOffIt) {
    struct Case {
        const char* name;
        gui::Event event;
        bool picks;
    };
    const Case cases[] = {
        {"left press", gui::Event(gui::Event::MOUSE_DOWN, 0, {60, 30}), true},
        {"right press", gui::Event(gui::Event::MOUSE_DOWN, 2, {60, 30}), false},
        {"middle press", gui::Event(gui::Event::MOUSE_DOWN, 1, {60, 30}), false},
        {"right edge, column 6", gui::Event(gui::Event::MOUSE_DOWN, 0, {650, 30}), false},
        {"bottom edge, row 5", gui::Event(gui::Event::MOUSE_DOWN, 0, {60, 420}), false},
        {"left of the window", gui::Event(gui::Event::MOUSE_DOWN, 0, {49, 30}), false},
        {"a coordinate that is no number", gui::Event(gui::Event::MOUSE_DOWN, 0, {0.0f / 0.0f, 30}), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Jigsaw& j = Arrange({{k00, k10}});
        j.OnEvent(c.event);
        EXPECT_EQ(j.selected, c.picks ? k00 : Jigsaw::kNone);
        EXPECT_EQ(j.first_click, !c.picks);
        EXPECT_EQ(j.GetClickState(), 0) << "no click state";
    }
}

TEST_F(JigsawTest, HoverFollowsTheMouseOnTheGridOnly) {
    Jigsaw& j = Arrange({});
    j.OnEvent(gui::Event(gui::Event::MOUSE_MOVE, math::Vector2(170, 130)));
    EXPECT_EQ(j.hovered, Position(1, 1));
    j.OnEvent(gui::Event(gui::Event::MOUSE_MOVE, math::Vector2(700, 130)));
    EXPECT_EQ(j.hovered, Position(1, 1)) << "off the grid keeps the last cell";
}

TEST_F(JigsawTest, SolvingRunsAfterWinInTheSameFrameAndOnWinAtEveryLaterRelease) {
    Jigsaw& j = Arrange({{k00, k10}});
    clock.Start();
    Click(k00);
    Click(k10);
    EXPECT_TRUE(Handlers().empty()) << "no win before the swap ends";
    Frame(500);
    EXPECT_TRUE(j.won);
    EXPECT_EQ(Handlers(), Strings{"after_win"});
    EXPECT_EQ(started.back(), "win@350,220") << "the window's centre in its parent";
    EXPECT_TRUE(j.win_puppy.IsAlive());
    Click(k20);
    Click(k20);
    EXPECT_EQ(Handlers(), (Strings{"on_win", "on_win"}));
    EXPECT_EQ(started.back(), "no_way@300,60");
    core::FunctorFactory::instance()->Create("jigsaw_stop_effect")->operator()();
    effects::EffectManager::instance()->Update();
    EXPECT_FALSE(j.win_puppy.IsAlive());
    // A reset forgets the win: the board stays solved, and releases run nothing.
    core::FunctorFactory::instance()->Create("jigsaw_reset")->operator()();
    EXPECT_FALSE(j.won);
    Click(k20);
    EXPECT_TRUE(Handlers().empty());
    EXPECT_EQ(started.back(), "no_way@300,60");
}

TEST_F(JigsawTest, AResetWhileAPieceIsPickedLetsTheNextClickPickAgain) {
    Jigsaw& j = Arrange({{k00, k10}, {k20, k30}});
    Click(k00);
    j.Reset();
    EXPECT_TRUE(j.first_click);
    EXPECT_NO_THROW(Click(k20));
    EXPECT_EQ(j.selected, k20);
    EXPECT_FALSE(j.swapping);
}

TEST_F(JigsawTest, TheShuffleKeepsEveryPieceOnceAndTheFunctorsGoWithTheirOwnWindow) {
    jigsaw = std::make_unique<Jigsaw>(Parse(kBoard));
    std::set<Position> homes;
    int placed = 0;
    for (int x = 0; x < Jigsaw::kColumns; ++x) {
        for (int y = 0; y < Jigsaw::kRows; ++y) {
            homes.insert(jigsaw->board->Get(x, y).home);
            placed += jigsaw->IsHome({x, y}) ? 1 : 0;
        }
    }
    EXPECT_EQ(homes.size(), 30u);
    EXPECT_LT(placed, 30);
    auto second = std::make_unique<Jigsaw>(Parse(kBoard));
    second->won = true;
    jigsaw.reset();
    core::FunctorFactory::instance()->Create("jigsaw_reset")->operator()();
    EXPECT_FALSE(second->won) << "the second window's reset survives the first window";
    second.reset();
    for (const char* name : {"jigsaw_reset", "jigsaw_pause", "jigsaw_resume", "jigsaw_stop_effect"})
        EXPECT_FALSE(core::FunctorFactory::instance()->Create(name)) << name;
}

// What a frame draws: "backdrop", "piece x,y" (window-local corner), "frame <kind>", in order.
Strings Drawn(const test::RecordingRender& renderer) {
    Strings drawn;
    for (const auto& draw : renderer.Draws()) {
        const std::string name = draw.texture == Jigsaw::normal_border.GetTexture().get()   ? "frame normal"
                                 : draw.texture == Jigsaw::active_border.GetTexture().get() ? "frame active"
                                 : draw.texture == Jigsaw::start_border.GetTexture().get()  ? "frame start"
                                 : draw.color.a == 0.5f                                     ? "backdrop"
                                                                                            : "piece";
        std::ostringstream text;
        text << name;
        if (name == "piece") text << " " << draw.rect.left << "," << draw.rect.top;
        drawn.push_back(text.str());
    }
    return drawn;
}

TEST_F(JigsawTest, PiecesRestThenMoveAboveThemWithFramesOnlyOnLoosePieces) {
    struct Case {
        const char* image;
        bool picture;
    };
    const Case cases[] = {{"picture.png", true}, {"missing.png", true}, {"", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.image);
        core::Context::instance()->Set("jigsaw_image", core::Value(std::string(c.image)));
        if (!c.picture) {
            render::TextureCache::instance()->Clear();
            dir.Write("data/gfx/backgrounds/walps/04_wp_x1280b.jpg", "not a picture");
        }
        Jigsaw& j = Arrange({{k00, k10}});
        EXPECT_EQ(static_cast<bool>(j.image), c.picture);
        Click(k00);
        renderer.ClearRecord();
        j.Render();
        Strings drawn = Drawn(renderer);
        // Column by column; only the two loose pieces get frames.
        const Strings framed = c.picture ? Strings{"backdrop", "piece 0,0", "frame start", "piece 0,80"}
                                         : Strings{"frame start", "frame normal"};
        ASSERT_GE(drawn.size(), framed.size());
        EXPECT_EQ(Strings(drawn.begin(), drawn.begin() + framed.size()), framed);
        EXPECT_EQ(std::count(drawn.begin(), drawn.end(), "frame normal"), 1);
        EXPECT_EQ(drawn.size(), c.picture ? 33u : 2u);
        clock.Start();
        Click(k10);
        Frame(100);
        renderer.ClearRecord();
        j.Render();
        drawn = Drawn(renderer);
        if (c.picture) {
            EXPECT_EQ(Strings(drawn.end() - 2, drawn.end()), (Strings{"piece 20,0", "piece 80,0"}));
        }
        EXPECT_EQ(std::count(drawn.begin(), drawn.end(), "frame normal"), 0) << "both pieces are moving";
    }
}

}  // namespace
