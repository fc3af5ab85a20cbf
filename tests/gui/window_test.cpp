#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gui/probe_windows.h"
#include "vantle/gui/style.h"
#include "vantle/gui/window.h"
#include "vantle/render/render.h"

namespace {

using math::Rect;
using test::Probe;
using test::ProbeWindow;

class WindowTest : public test::ProbeTest {
protected:
    // A window of 10 by 10 with the state "big" (110 by 210, transparent).
    core::ptr<gui::Window> Growing(const std::string& attributes = "") {
        return Load("<container w='10' h='10' " + attributes +
                    "><states><s name='big' w='110' h='210' alpha='0'/></states></container>");
    }
};

TEST_F(WindowTest, TheElementsAttributesSetTheWindowAndAbsentOnesKeepTheDefaults) {
    dir.Write("look.xml", "<style/>");
    struct Case {
        const char* xml;
        const char* id;
        bool visible;
        unsigned int lod, max_lod, state_switch_time;
        int tabstop;
        Rect rect;
        bool styled;
    };
    const Case cases[] = {
        {"<container/>", "", true, 0, 10, 1000, -1, Rect(), false},
        {"<container id='ok' visible='false' lod='2' max_lod='8' state_switch_time='300' tabstop='4' x='10' "
         "y='20' w='30' h='40' style='look.xml'/>",
         "ok", false, 2, 8, 300, 4, Rect(10, 20, 40, 60), true},
        {"<container style='missing.xml'/>", "", true, 0, 10, 1000, -1, Rect(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xml);
        const core::ptr<gui::Window> window = Load(c.xml);
        ProbeWindow* probe = Probe(window);
        EXPECT_EQ(window->GetId(), c.id);
        EXPECT_EQ(window->IsVisible(), c.visible);
        EXPECT_FALSE(window->IsEnabled());
        EXPECT_EQ(probe->lod, c.lod);
        EXPECT_EQ(probe->max_lod, c.max_lod);
        EXPECT_EQ(probe->state_switch_time, c.state_switch_time);
        EXPECT_EQ(probe->tabstop, c.tabstop);
        EXPECT_EQ(window->GetRect(), c.rect);
        EXPECT_EQ(static_cast<bool>(probe->style), c.styled);
    }
    EXPECT_EQ(Probe(Load("<container style='look.xml'/>"))->style,
              gui::StyleCache::instance()->Get("look.xml"));
}

TEST_F(WindowTest, TheDefaultStateIsTheLoadedRectWhateverTheStatesSay) {
    const core::ptr<gui::Window> window = Load(
        "<container id='w' w='10' h='10'><states>"
        "<state name='default' x='5' w='1' h='1' alpha='0.5'/><state name='dim' alpha='0.25'/>"
        "<state x='1'/></states></container>");
    ProbeWindow* probe = Probe(window);
    ASSERT_EQ(probe->states.size(), 2u);
    EXPECT_EQ(probe->states["default"].rect, Rect(0, 0, 10, 10));
    EXPECT_EQ(probe->states["default"].alpha, 1.0f);
    EXPECT_EQ(probe->cur_state.name, "default");
    EXPECT_EQ(probe->states["dim"].alpha, 0.25f);
    EXPECT_TRUE(log.Contains("A state without a name in w is skipped"));
}

TEST_F(WindowTest, ATransitionMovesRectAndAlphaOverItsTimeThenTakesTheTargetsName) {
    const core::ptr<gui::Window> window = Growing();
    ProbeWindow* probe = Probe(window);
    window->SetState("big", 1000);
    EXPECT_TRUE(probe->switching);
    clock.At(500);
    window->Update();
    EXPECT_EQ(probe->cur_state.name, "");
    EXPECT_EQ(window->GetRect(), Rect(0, 0, 60, 110));
    EXPECT_FLOAT_EQ(probe->cur_state.alpha, 0.5f);
    clock.At(1000);
    window->Update();
    EXPECT_EQ(probe->cur_state.name, "big");
    EXPECT_EQ(window->GetRect(), Rect(0, 0, 110, 210));
    EXPECT_FALSE(probe->switching);
}

TEST_F(WindowTest, SetStateFollowsItsRulesForRunningTransitions) {
    struct Case {
        const char* name;
        std::function<void(gui::Window&)> steps;
        float alpha;  // of the current state after the steps and an update at 1000 ms
        bool switching;
    };
    const Case cases[] = {
        {"a jump during a transition to the same state lands at once",
         [&](gui::Window& w) {
             w.SetState("big", 1000);
             clock.At(200);
             w.SetState("big", 0);
         },
         0.0f, false},
        {"the same state with a time lets the running transition go on",
         [&](gui::Window& w) {
             w.SetState("big", 2000);
             clock.At(500);
             w.SetState("big", 500);
         },
         0.5f, true},
        {"the current state's name does nothing",
         [&](gui::Window& w) {
             w.SetState("big", 0);
             w.SetState("big", 500);
         },
         0.0f, false},
        {"going back during a transition starts from the in-between state",
         [&](gui::Window& w) {
             w.SetState("big", 1000);
             clock.At(500);
             w.Update();
             w.SetState("default", 1000);
         },
         0.75f, true},
        {"without a time the window's own switch time is used", [&](gui::Window& w) { w.SetState("big"); },
         0.5f, true},
        {"an unknown name changes nothing", [&](gui::Window& w) { w.SetState("huge", 0); }, 1.0f, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clock.Start();
        const core::ptr<gui::Window> window = Growing("state_switch_time='2000'");
        c.steps(*window);
        clock.At(1000);
        window->Update();
        EXPECT_FLOAT_EQ(Probe(window)->cur_state.alpha, c.alpha);
        EXPECT_EQ(Probe(window)->switching, c.switching);
    }
}

TEST_F(WindowTest, SetStateReachesTheChildrenEvenWhenTheParentLacksTheState) {
    const core::ptr<gui::Window> parent = Load(
        "<container id='p'><container id='c' w='10' h='10'>"
        "<states><s name='big' w='110' h='210'/></states></container></container>");
    parent->SetState("big", 0);
    EXPECT_EQ(Probe(parent)->cur_state.name, "default");
    EXPECT_EQ(parent->GetChild("c")->GetRect(), Rect(0, 0, 110, 210));
}

TEST_F(WindowTest, AWindowIsDrawnOnlyWithinItsLevelOfDetail) {
    struct Case {
        const char* attributes;
        bool drawn;
    };
    const Case cases[] = {
        {"", true}, {"lod='10'", true}, {"lod='11'", false}, {"max_lod='10'", true}, {"max_lod='9'", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        EXPECT_EQ(DrawnBy(*Load(std::string("<container ") + c.attributes + "/>")).size(), c.drawn ? 1u : 0u);
    }
}

TEST_F(WindowTest, DrawingLeavesTheRenderersStateAsItFoundIt) {
    const core::ptr<gui::Window> window = Load(
        "<container x='10' y='20' w='20' h='20'><on_create_animation>"
        "<key tm='0'><scale x='2' y='2'/><color value='ffffff80'/></key>"
        "<key tm='1000'><scale x='2' y='2'/><color value='ffffff80'/></key>"
        "</on_create_animation></container>");
    ProbeWindow* probe = Probe(window);
    probe->clip = true;
    probe->cur_state.alpha = 0.5f;
    window->SetContentTransform(math::Translation(math::Vector2(5, 0)));
    const Rect screen(0, 0, 800, 600);
    renderer.SetClipRect(screen);
    renderer.ForceColor(render::Color(1, 0, 0, 1));

    window->Render();
    ASSERT_EQ(renderer.Draws().size(), 1u);
    const test::RecordingRender::Draw& drawn = renderer.Draws()[0];
    EXPECT_EQ(drawn.color.g, 0.0f) << "the forced colour outside reaches the window";
    EXPECT_NEAR(drawn.color.a, 0.5f * 128.0f / 255.0f, 1e-6f);
    // Scaled by 2 about the centre (20, 30), after the content's move by 5.
    EXPECT_EQ(drawn.world * math::Vector2(20, 30), math::Vector2(30, 30));
    EXPECT_EQ(drawn.world * math::Vector2(10, 20), math::Vector2(10, 10));

    EXPECT_EQ(renderer.GetWorldMatrix(), math::Matrix4::IDENTITY);
    EXPECT_EQ(renderer.GetClipRect(), screen);
    renderer.DrawRect(Rect(0, 0, 1, 1), render::Color(1, 1, 1, 1));
    EXPECT_EQ(renderer.Draws().back().color, render::Color(1, 0, 0, 1))
        << "the creation animation's colour goes, the forced one stays";
}

TEST_F(WindowTest, TheCreationAnimationStartsAtTheFirstDrawAndAgainAfterReset) {
    dir.Write("fade.xml",
              "<animation><key tm='0'><scale x='1' y='1'/><color value='ffffff00'/></key>"
              "<key tm='1000'><scale x='1' y='1'/><color value='ffffffff'/></key></animation>");
    const auto alpha_at = [&](gui::Window& window, unsigned int t) {
        clock.At(t);
        return DrawnBy(window).at(0).color.a;
    };
    const core::ptr<gui::Window> window =
        Load("<container><on_create_animation filename='fade.xml'/></container>");
    EXPECT_FLOAT_EQ(alpha_at(*window, 5000), 0.0f);
    EXPECT_FLOAT_EQ(alpha_at(*window, 5500), 0.5f);
    window->Reset();
    EXPECT_FLOAT_EQ(alpha_at(*window, 6000), 0.0f);
    EXPECT_FLOAT_EQ(alpha_at(*window, 7000), 1.0f);

    EXPECT_FALSE(
        Probe(Load("<container><on_create_animation filename='gone.xml'/></container>"))->create_animation);
}

TEST_F(WindowTest, ChildrenAreDrawnInTheParentsFrameTheLastLoadedOnTop) {
    const core::ptr<gui::Window> parent = Load(
        "<container x='10' y='20' w='100' h='100'>"
        "<probe id='under' x='1' y='1' w='5' h='5'/><probe id='over' x='2' y='2' w='5' h='5'/></container>");
    parent->Render();
    ASSERT_EQ(renderer.Draws().size(), 3u);
    EXPECT_EQ(renderer.Draws()[1].rect, Rect(1, 1, 6, 6));
    EXPECT_EQ(renderer.Draws()[2].rect, Rect(2, 2, 7, 7));
    EXPECT_EQ(renderer.Draws()[2].world, math::Translation(math::Vector2(10, 20)));
    EXPECT_EQ(renderer.GetWorldMatrix(), math::Matrix4::IDENTITY);

    parent->CalcAbsRect(Rect(1000, 2000, 0, 0));
    EXPECT_EQ(parent->GetChild("over")->GetAbsRect(), Rect(1012, 2022, 1017, 2027));
}

TEST_F(WindowTest, ChildPathsReachDescendantsAndTooltips) {
    const core::ptr<gui::Window> root = Load(
        "<container id='root'><container id='a'><probe id='b'/></container>"
        "<tooltip><probe id='tip'/></tooltip><disabled_tooltip id='off'/></container>");
    const core::ptr<gui::Window> a = root->GetChild("a");
    ASSERT_TRUE(a);
    struct Case {
        const char* path;
        const char* found;  // the id, or null for none
    };
    const Case cases[] = {
        {"a", "a"},
        {"a/b", "b"},
        {"a/", "a"},
        {"a/b/", "b"},
        {"b", nullptr},
        {"a/x", nullptr},
        {"x/b", nullptr},
        {"tooltip/tip", "tip"},
        {"tooltip", ""},
        {"disabled_tooltip", "off"},
        {"a/tooltip", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const core::ptr<gui::Window> found = root->GetChild(c.path);
        if (!c.found) {
            EXPECT_FALSE(found);
        } else {
            ASSERT_TRUE(found);
            EXPECT_EQ(found->GetId(), c.found);
        }
    }
}

TEST_F(WindowTest, ChildElementsBecomeChildrenWithUniqueIdsAndInitsInDocumentOrder) {
    const core::ptr<gui::Window> parent = Load(
        "<container id='p'><handlers><handler name='on_init' code='p'/></handlers>"
        "<probe id='a'><handlers><handler name='on_init' code='first a'/></handlers></probe>"
        "<probe id='a'><handlers><handler name='on_init' code='second a'/></handlers></probe>"
        "<!-- a note --><states/><blink/><Probe id='c'/></container>");
    EXPECT_EQ(script.calls, (std::vector<std::string>{"Eval p", "Eval first a", "Eval second a"}));
    ASSERT_TRUE(parent->GetChild("a_1"));
    script.calls.clear();
    parent->GetChild("a")->CallHandler("on_init");
    EXPECT_EQ(script.calls, std::vector<std::string>{"Eval first a"}) << "the plain id names the first";
    EXPECT_FALSE(parent->GetChild("c"));
    EXPECT_TRUE(log.Contains("Unknown window element <blink> in p is skipped"));
    EXPECT_TRUE(log.Contains("Unknown window element <Probe> in p is skipped"));
    EXPECT_FALSE(log.Contains("<states>"));
}

TEST_F(WindowTest, ALayoutFileGivesItsWindowsAndTheHandlersStandingUnderItsRoot) {
    dir.Write("panel.xml",
              "<gui><probe id='one'/><handler name='on_show' code='shown'/>"
              "<handlers><handler name='on_hide' code='hidden'/></handlers></gui>");
    const core::ptr<gui::Window> window = Load(
        "<container id='host' filename='panel.xml'><probe id='inline'/>"
        "<handlers><handler name='on_load' code='loaded'/></handlers>"
        "</container>");
    EXPECT_TRUE(window->GetChild("one"));
    EXPECT_FALSE(window->GetChild("inline"));
    EXPECT_EQ(script.calls, std::vector<std::string>{"Eval loaded"});
    script.calls.clear();
    window->CallHandler("on_show");
    window->CallHandler("on_hide");
    EXPECT_EQ(script.calls, std::vector<std::string>{"Eval shown"});
}

TEST_F(WindowTest, LayoutFilesThatCannotBeLoadedGiveNoChildren) {
    dir.Write("broken.xml", "<gui><probe id='one'></gui>");
    dir.Write("other.xml", "<layout><probe id='one'/></layout>");
    dir.Write("loop.xml", "<gui><probe id='before'/><container id='again' filename='loop.xml'/></gui>");
    struct Case {
        const char* file;
        const char* logged;  // null: nothing about it
        std::vector<std::string> children;
    };
    const Case cases[] = {
        {"missing.xml", nullptr, {}},
        {"broken.xml", "Error loading gui: gui : ", {}},
        {"other.xml", nullptr, {}},
        {"loop.xml", "Error loading gui: loop.xml : the layout contains itself", {"before", "again"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        log.Clear();
        const core::ptr<gui::Window> window(new ProbeWindow("host", Rect()));
        window->LoadChilds(c.file);
        EXPECT_EQ(static_cast<bool>(window->GetChild("one")), false);
        for (const std::string& id : c.children) EXPECT_TRUE(window->GetChild(id)) << id;
        if (c.logged) {
            EXPECT_TRUE(log.Contains(c.logged));
        } else {
            EXPECT_FALSE(log.Contains("Error loading gui"));
        }
    }
}

}  // namespace
