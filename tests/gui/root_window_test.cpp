#include "vantle/gui/root_window.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "support/gui_fixture.h"
#include "support/png_writer.h"
#include "vantle/gui/event.h"
#include "vantle/gui/mouse.h"
#include "vantle/gui/widgets/clickable_window.h"
#include "vantle/gui/window_factory.h"
#include "vantle/render/texture_cache.h"
#include "vantle/xml/attributes.h"
#include "vantle/xml/xmlcache.h"

namespace {

using gui::Event;
using math::Rect;
using math::Vector2;

// What the windows received and drew and the handlers ran, each followed by ", ".
std::string journal;

// Writes down the events it gets (moves only when its element says "moves") and its draws; asks for the
// grab on a press when its element says "grab".
class Recorder : public gui::Window {
public:
    explicit Recorder(TiXmlElement* e) : gui::Window(e), _moves(xml::ReadBool(e, "moves", false)) {
        enabled = true;
        grab_on_press = xml::ReadBool(e, "grab", false);
    }

    void Render() override { journal += id + ", "; }

    void OnEvent(const Event& e) override {
        static const char* const kNames[] = {"enter", "leave", "move", "down", "up", "key", "key up", "char"};
        if (e.type <= Event::MOUSE_MOVE && !_moves) return;
        journal += id + " " + kNames[e.type];
        if (e.type == Event::CHAR) journal += std::string(" ") + e.ch;
        if (e.type != Event::CHAR && e.param >= 0) journal += " " + std::to_string(e.param);
        if (e.type >= Event::MOUSE_MOVE && e.type <= Event::MOUSE_UP) {
            journal += " at " + std::to_string(int(e.pos.x)) + "," + std::to_string(int(e.pos.y));
        }
        journal += ", ";
    }

private:
    bool _moves;
};

// A tooltip whose animation flag the test can see.
struct Tip : gui::Window {
    Tip() : gui::Window("tip", Rect(0, 0, 100, 40)) {}
    using gui::Window::create_animation_started;
};

class RootWindowTest : public test::GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        gui::Container::Register();
        gui::WindowFactory::instance()->Register(
            "rec", [](TiXmlElement* e) -> gui::Window* { return new Recorder(e); });
        journal.clear();
        script.on_eval = [](const std::string& code) { journal += code + ", "; };
        root = std::make_unique<gui::RootWindow>();
    }

    void TearDown() override {
        root.reset();
        GuiTest::TearDown();
    }

    // The screen file name.xml: a "gui" element with the attributes and the windows, whose handlers
    // write "<name> load", "<name> pop" and "<name> esc".
    void Screen(const std::string& name, const std::string& windows, const std::string& attributes = "") {
        std::string handlers = "<handlers>";
        for (const char* event : {"load", "pop", "esc"}) {
            handlers += std::string("<handler name='on_") + event + "' code='" + name + " " + event + "'/>";
        }
        dir.Write(name + ".xml", "<gui " + attributes + ">" + windows + handlers + "</handlers></gui>");
    }

    // One frame with the pointer there and the buttons held as "1" in the string.
    void Frame(const Vector2& pointer, const std::string& held) {
        mouse->position = pointer;
        for (int button = 0; button < 3; ++button) mouse->buttons[button] = held[button] == '1';
        root->Update();
    }

    // A press in one frame and the release in the next.
    void Stroke(int code) {
        keyboard->keys[code] = 1;
        root->Update();
        keyboard->keys[code] = 0;
        root->Update();
    }

    std::unique_ptr<gui::RootWindow> root;
};

TEST_F(RootWindowTest, ScreensLoadStackAndComeBackWithTheirHandlers) {
    Screen("a", "<rec id='a'/>");
    Screen("b", "<rec id='b'/>");
    Screen("c", "<rec id='c'/>");
    dir.Write("broken.xml", "<gui><rec id='x'></gui>");
    dir.Write("nogui.xml", "<screen><rec id='x'/></screen>");
    const std::pair<const char*, const char*> cases[] = {
        // Steps ("+" loads without reset, "!" calls "on_pop" directly); then the handlers run and the
        // windows drawn, back to front.
        {"a +b !", "a load, b load, b pop, a, b, "},
        {"a push c pop", "a load, c load, a load, a pop, a, "},
        {"a +b push c pop", "a load, b load, c load, a load, b load, b pop, a, b, "},
        {"a push2 c pop2", "a load, c load, a pop, a, "},
        {"a push b push2 c pop2 pop", "a load, b load, c load, b pop, a load, a pop, a, "},
        {"a clear !", "a load, a pop, "},
        {"pop pop2 a", "a load, a, "},
        // A screen that cannot be shown leaves the one there.
        {"a missing broken nogui", "a load, a, "},
    };
    const std::map<std::string, void (gui::RootWindow::*)()> kStackSteps = {
        {"push", &gui::RootWindow::Push},   {"pop", &gui::RootWindow::Pop},
        {"push2", &gui::RootWindow::Push2}, {"pop2", &gui::RootWindow::Pop2},
        {"clear", &gui::RootWindow::Clear},
    };
    for (const auto& [steps, expected] : cases) {
        SCOPED_TRACE(steps);
        root = std::make_unique<gui::RootWindow>();
        render::TextureCache::instance()->Get("any.png");
        journal.clear();
        std::istringstream in(steps);
        for (std::string step; in >> step;) {
            if (kStackSteps.count(step)) {
                (root.get()->*kStackSteps.at(step))();
            } else if (step == "!") {
                root->CallHandler("on_pop");
            } else {
                root->Load((step[0] == '+' ? step.substr(1) : step) + ".xml", step[0] != '+');
            }
        }
        root->Render();
        EXPECT_EQ(journal, expected);
    }
    EXPECT_TRUE(log.Contains("Can't load missing.xml"));
    EXPECT_TRUE(log.Contains("Error loading gui: broken.xml : "));
    EXPECT_TRUE(render::TextureCache::instance()->GetKeyList().empty());
    // Pop2 brings back the very windows that Push2 kept.
    const core::ptr<gui::Window> a = root->GetChild("a");
    root->Push2();
    root->Load("c.xml", true);
    root->Pop2();
    EXPECT_EQ(root->GetChild("a"), a);
    EXPECT_TRUE(root->GetLoadedFiles().empty());
}

TEST_F(RootWindowTest, AScreenWiderThanZeroSetsTheRootRectWhichLaterScreensKeep) {
    const std::pair<std::vector<std::string>, Rect> cases[] = {
        {{""}, Rect(0, 0, 800, 600)},
        {{"x='10' y='20' w='640' h='480'"}, Rect(10, 20, 650, 500)},
        {{"w='0' h='480'"}, Rect(0, 0, 800, 600)},
        {{"w='640' h='480'", "", "w='0'"}, Rect(0, 0, 640, 480)},
    };
    for (const auto& [screens, expected] : cases) {
        root = std::make_unique<gui::RootWindow>();
        for (const std::string& attributes : screens) {
            Screen("s", "", attributes);
            xml::XmlCache::instance()->Clear();
            root->Load("s.xml", true);
        }
        EXPECT_EQ(root->GetRect(), expected) << screens.back();
    }
}

TEST_F(RootWindowTest, HoldingAButtonGivesOneDownAndOneUp) {
    Screen("s", "<rec id='a' w='800' h='600'/>");
    root->Load("s.xml", true);
    journal.clear();
    for (const char* held : {"100", "100", "011", "010", "000"}) Frame(Vector2(5, 6), held);
    EXPECT_EQ(journal,
              "a down 0 at 5,6, a up 0 at 5,6, a down 1 at 5,6, a down 2 at 5,6, a up 2 at 5,6, "
              "a up 1 at 5,6, ");
}

// The mouse also keeps its button changes where they happened: a tap (press and release inside one frame)
// and a release followed by a move off inside one frame click the button, and a change the sampled state
// showed first is not sent again.
TEST_F(RootWindowTest, KeptButtonChangesClickTheButtonWhereTheyHappenedOnce) {
    gui::ClickableWindow::Register();
    Screen("s",
           "<clickable id='b' x='100' y='100' w='50' h='50'><handlers>"
           "<handler name='on_click' code='b click'/></handlers></clickable>");
    root->Load("s.xml", true);
    const Vector2 on(120, 130);
    const Vector2 off(400, 400);
    auto change = [&](bool down) { return input::ButtonChange{0, down, 120, 130}; };
    struct FrameStep {
        Vector2 pointer;
        const char* held;
        std::vector<input::ButtonChange> changes;
    };
    const std::pair<const char*, std::vector<FrameStep>> cases[] = {
        {"tap", {{off, "000", {change(true), change(false)}}}},
        {"release then move off", {{on, "100", {change(true)}}, {off, "000", {change(false)}}}},
        {"held", {{on, "100", {change(true)}}, {on, "100", {}}, {on, "000", {change(false)}}}},
        {"sampled first", {{on, "100", {}}, {on, "000", {change(true)}}, {on, "000", {change(false)}}}},
    };
    for (const auto& [name, frames] : cases) {
        SCOPED_TRACE(name);
        Frame(off, "000");
        journal.clear();
        for (const FrameStep& step : frames) {
            mouse->changes = step.changes;
            Frame(step.pointer, step.held);
        }
        EXPECT_EQ(journal, "b click, ");
    }
}

TEST_F(RootWindowTest, KeysGoToTheFocusWindowsElseToTheWindowUnderThePointer) {
    Screen("s", "<rec id='under' w='100' h='100'/><rec id='edit' x='200' w='10' h='10'/>");
    const std::pair<const char*, const char*> cases[] = {
        {"none", "under char x, under key 65, under key up 65, "},
        {"edit", "edit char x, edit key 65, edit key up 65, "},
        // The blank left by a window that left the list, or was destroyed, takes the next delivery.
        {"unset", "under key 65, under key up 65, "},
        {"destroyed", "under key 65, under key up 65, "},
    };
    for (const auto& [focus, expected] : cases) {
        root->Load("s.xml", true);
        const std::string mode = focus;
        core::ptr<gui::Window> edit = mode == "destroyed"
                                          ? gui::WindowFactory::instance()->Create(Parse("<rec/>"))
                                          : root->GetChild("edit");
        if (mode != "none") root->SetKeyboardFocus(edit.get());
        if (mode == "unset") root->UnsetKeyboardFocus(edit.get());
        edit.reset();
        root->Update();
        journal.clear();
        keyboard->typed = "x";
        Stroke(65);
        EXPECT_EQ(journal, expected) << focus;
        EXPECT_EQ(root->IsKeyboardFocus(nullptr), false) << "blanks are swept after a delivery";
    }
}

// A focus window whose key loads another screen, as an edit box's "on_enter" may; it writes down its id
// after the load, when only the delivery still holds it.
gui::RootWindow* leaver_root = nullptr;

class Leaver : public gui::Window {
public:
    explicit Leaver(TiXmlElement* e) : gui::Window(e) {}
    void OnEvent(const Event& e) override {
        if (e.type != Event::KEY_DOWN) return;
        leaver_root->Load("next.xml", true);
        journal += id + " left, ";
    }
};

TEST_F(RootWindowTest, AFocusWindowThatReplacesItsScreenFinishesItsKey) {
    leaver_root = root.get();
    gui::WindowFactory::instance()->Register("leaver",
                                             [](TiXmlElement* e) -> gui::Window* { return new Leaver(e); });
    Screen("s", "<leaver id='edit'/>");
    Screen("next", "<rec id='other'/>");
    root->Load("s.xml", true);
    root->SetKeyboardFocus(root->GetChild("edit").get());
    journal.clear();
    Stroke(65);
    EXPECT_EQ(journal, "next load, edit left, other key up 65, ");
}

TEST_F(RootWindowTest, TabAndTheArrowsMoveThePointerAlongTheTabStopsAndWrap) {
    Screen("tabs",
           "<rec id='t5' x='50' w='10' h='10' tabstop='5'/><rec id='t2' x='20' w='10' h='11' tabstop='2'/>"
           "<container x='100' y='100' w='50' h='50'><rec x='70' w='10' h='10' tabstop='7'/></container>");
    Screen("none", "<rec w='10' h='10'/>");
    const std::pair<std::vector<int>, const char*> cases[] = {
        // Tab 9, down 40, up 38; then where the pointer went.
        {{9, 9, 40, 9}, "25,5 55,5 175,105 25,5 "},
        {{38}, "175,105 "},
        {{9, 38}, "25,5 175,105 "},
    };
    for (const auto& [keys, expected] : cases) {
        root = std::make_unique<gui::RootWindow>();
        root->Load("tabs.xml", true);
        std::string visited;
        for (int key : keys) {
            Stroke(key);
            visited +=
                std::to_string(int(mouse->position.x)) + "," + std::to_string(int(mouse->position.y)) + " ";
        }
        EXPECT_EQ(visited, expected);
    }
    root->Load("none.xml", true);
    mouse->position = Vector2(3, 4);
    Stroke(9);
    EXPECT_EQ(mouse->position, Vector2(3, 4));
}

TEST_F(RootWindowTest, ReturnAndSpaceClickAtThePointerAndEscapeActsOnRelease) {
    Screen("s", "<rec id='a' w='100' h='100'/>");
    const std::pair<int, const char*> cases[] = {
        {13, "a down 0 at 7,8, a key 13, a up 0 at 7,8, a key up 13, "},
        {32, "a down 0 at 7,8, a key 32, a up 0 at 7,8, a key up 32, "},
        {27, "a key 27, s esc, a key up 27, "},
    };
    root->Load("s.xml", true);
    Frame(Vector2(7, 8), "000");
    for (const auto& [key, expected] : cases) {
        journal.clear();
        Stroke(key);
        EXPECT_EQ(journal, expected);
    }
}

TEST_F(RootWindowTest, ATooltipCrossingTheRightEdgeTurnsToThePointersLeft) {
    const std::pair<Vector2, Rect> cases[] = {
        {Vector2(10, 10), Rect(10, 10, 110, 50)},
        {Vector2(700, 10), Rect(700, 10, 800, 50)},
        {Vector2(750, 300), Rect(650, 260, 750, 300)},
        {Vector2(750, 20), Rect(650, 20, 750, 60)},
    };
    const core::ptr<gui::Window> tip(new Tip);
    Tip& shown = static_cast<Tip&>(*tip);
    for (const auto& [pointer, expected] : cases) {
        shown.create_animation_started = true;
        root->DisableTooltip();
        root->SetTooltip(tip, pointer);
        EXPECT_EQ(tip->GetRect(), expected);
        EXPECT_FALSE(shown.create_animation_started) << "shown anew, the animation starts again";
        shown.create_animation_started = true;
        root->SetTooltip(tip, pointer);
        EXPECT_TRUE(shown.create_animation_started) << "shown again, it only moves";
    }
    Screen("s", "");
    root->Load("s.xml", true);
    EXPECT_FALSE(root->GetTooltipShown()) << "a tip of the old screen is not shown over the new";
}

// A pause screen loaded over the screen: the button under the pointer leaves, and runs its handler, on
// the next move, and the tooltip stays until then.
TEST_F(RootWindowTest, AnOverlayLeavesTheHoveredWindowToLeaveOnTheNextMove) {
    Screen("s",
           "<rec id='btn' w='100' h='100' moves='true'><handlers><handler name='on_mouse_leave' "
           "code='btn left'/></handlers></rec>");
    Screen("over", "<rec id='pause' w='800' h='600' moves='true'/>");
    root->Load("s.xml", true);
    Frame(Vector2(10, 10), "000");
    const core::ptr<gui::Window> tip(new Tip);
    root->SetTooltip(tip, Vector2(10, 10));
    journal.clear();
    root->Load("over.xml", false);
    EXPECT_EQ(root->GetTooltipShown(), tip);
    Frame(Vector2(10, 10), "000");
    Frame(Vector2(11, 10), "000");
    EXPECT_EQ(journal,
              "over load, btn leave, btn left, pause enter, pause move at 10,10, pause move at 11,10, ");
}

TEST_F(RootWindowTest, TheGrabWindowGetsThePointerRelativeToItsCornerWhereverItIs) {
    Screen("s",
           "<container x='100' y='100' w='50' h='50'><rec id='g' x='10' y='10' w='20' h='20' grab='true' "
           "moves='true'/></container>");
    root->Load("s.xml", true);
    journal.clear();
    Frame(Vector2(115, 115), "000");
    Frame(Vector2(115, 115), "110");
    Frame(Vector2(300, 50), "010");
    // Held on past the program's window.
    mouse->inside = false;
    Frame(Vector2(850, 40), "010");
    Frame(Vector2(850, 40), "000");
    mouse->inside = true;
    root->ClearGrabMouse();
    Frame(Vector2(5, 5), "000");
    // The grab starts with the press of button 0; button 1 in the same frame is placed from the
    // container's corner, every later event from g's own.
    EXPECT_EQ(
        journal,
        "g enter, g move at 15,15, g move at 15,15, g down 0 at 15,15, g down 1 at 15,15, g move at "
        "190,-60, g up 0 at 190,-60, g move at 740,-70, g move at 740,-70, g up 1 at 740,-70, g leave, ");
}

TEST_F(RootWindowTest, TheCursorCoversA32SquareFromThePointerWhateverItsImageWhileInTheWindow) {
    test::WriteFile(dir / "wide.png", test::EncodePng(64, 16, std::vector<std::uint8_t>(64 * 16 * 4, 255)));
    // One cursor through these steps.
    const std::tuple<const char*, bool, bool, Rect, bool> cases[] = {
        // Image (kept when empty), whether the cursor was updated, whether the pointer is in the window;
        // where it is drawn, and with a texture.
        {"", false, true, Rect(0, 0, 32, 32), false},
        {"", true, true, Rect(100, 50, 132, 82), false},
        {"missing.png", true, true, Rect(100, 50, 132, 82), false},
        {"wide.png", true, true, Rect(100, 50, 132, 82), true},
        // Off the window it would stand where the pointer left.
        {"", true, false, Rect(), true},
        // Back in, it shows again.
        {"", true, true, Rect(100, 50, 132, 82), true},
    };
    mouse->position = Vector2(100, 50);
    gui::Mouse cursor;
    for (const auto& [image, updated, inside, drawn, textured] : cases) {
        mouse->inside = inside;
        if (*image) cursor.SetTexture(image);
        if (updated) cursor.Update();
        renderer.ClearRecord();
        cursor.Render();
        ASSERT_EQ(renderer.Draws().size(), inside ? 1u : 0u);
        if (!inside) continue;
        EXPECT_EQ(renderer.Draws()[0].rect, drawn) << image;
        EXPECT_EQ(renderer.Draws()[0].texture != nullptr, textured) << image;
    }
}

}  // namespace
