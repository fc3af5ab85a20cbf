#include <gtest/gtest.h>
#include <tinyxml.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/gui_fixture.h"
#include "vantle/gui/container.h"
#include "vantle/gui/event.h"
#include "vantle/gui/root_services.h"
#include "vantle/gui/window_factory.h"
#include "vantle/xml/attributes.h"

namespace {

using gui::Event;
using math::Rect;
using math::Vector2;

// What the windows received, their handlers ran and the root was asked to grab, each followed by ", ".
std::string journal;

std::string At(const Vector2& p) {
    return std::to_string(static_cast<int>(p.x)) + "," + std::to_string(static_cast<int>(p.y));
}

// A widget as the routing sees it: enabled unless told, it writes down each event and has handlers that
// write down their names; after a press it asks for the grab when its element says "grab".
class Recorder : public gui::Window {
public:
    explicit Recorder(TiXmlElement* e) : gui::Window(e), _grabs(xml::ReadBool(e, "grab", false)) {
        enabled = xml::ReadBool(e, "enabled", true);
        for (const char* name : {"on_mouse_enter", "on_mouse_leave", "on_press", "on_update"}) {
            SetHandlerCode(name, id + " " + name);
        }
    }

    void OnEvent(const Event& e) override {
        static const char* const kNames[] = {"enter", "leave", "move", "down", "up", "key", "key up", "char"};
        journal += id + " " + kNames[e.type];
        if (e.type == Event::MOUSE_MOVE) journal += " " + At(e.pos) + " abs " + At(e.abs_pos);
        if (e.type == Event::MOUSE_DOWN || e.type == Event::MOUSE_UP) journal += " at " + At(e.pos);
        if (e.type == Event::KEY_DOWN || e.type == Event::KEY_UP) journal += " " + std::to_string(e.param);
        journal += e.type == Event::CHAR ? std::string(" ") + e.ch + ", " : ", ";
        if (e.type != Event::MOUSE_DOWN) return;
        CallHandler("on_press");
        grab_on_press = _grabs;
    }

private:
    bool _grabs;
};

// Stands in for the root window: keeps the tooltip shown and writes grabs into the journal.
class StandInRoot : public gui::IRootServices {
public:
    void SetTooltip(const core::ptr<gui::Window>& tip, const Vector2& p) override {
        shown = tip->GetId() + " at " + At(p);
    }
    void DisableTooltip() override { shown = "none"; }
    void SetGrabMouse(const core::ptr<gui::Window>& w, const Rect& r) override {
        journal += "grab " + w->GetId() + " from " + At(r.TopLeft()) + ", ";
    }

    std::string shown;
};

// Side by side a and b, and a box at (50, 50) holding inner; b and inner ask for the grab.
const char kWindows[] =
    "<rec id='a' x='10' y='10' w='20' h='20'/><rec id='b' x='40' y='10' w='20' h='20' grab='true'/>"
    "<container id='box' x='50' y='50' w='40' h='40'><rec id='inner' x='5' y='5' w='10' h='10' grab='true'/>"
    "</container>";

Event Move(float x, float y) {
    return Event(Event::MOUSE_MOVE, Vector2(x, y), Vector2(x, y));
}

Event Button(Event::Type type, float x, float y) {
    return Event(type, 0, Vector2(x, y));
}

class ContainerTest : public test::GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        gui::Container::Register();
        gui::WindowFactory::instance()->Register(
            "rec", [](TiXmlElement* e) -> gui::Window* { return new Recorder(e); });
        gui::RootServices::SetImplementation(&root);
        journal.clear();
        script.on_eval = [](const std::string& code) { journal += code + ", "; };
    }

    void TearDown() override {
        gui::RootServices::SetImplementation(nullptr);
        GuiTest::TearDown();
    }

    // A screen of 100 by 100 holding the windows.
    core::ptr<gui::Window> Screen(const std::string& windows = kWindows) {
        core::ptr<gui::Window> screen(
            new gui::Container(Parse("<container w='100' h='100'>" + windows + "</container>")));
        screen->CalcAbsRect(Rect());
        journal.clear();
        return screen;
    }

    StandInRoot root;
};

TEST_F(ContainerTest, AddedIdsAreMadeUniqueByOneCounterThatClearDoesNotReset) {
    const std::pair<std::string, std::string> cases[] = {
        // Ids to add, "-id" to remove one, "clear"; then the ids the added windows got.
        {"a a b b", "a a_1 b b_2 "},
        {"a x x a_2 a", "a x x_1 a_2 a_2_3 "},
        {"a a clear a a", "a a_1 a a_2 "},
        {"a -a -nobody a", "a a "},
    };
    for (const auto& [steps, added] : cases) {
        gui::WindowList list;
        std::string ids;
        std::istringstream in(steps);
        for (std::string step; in >> step;) {
            if (step == "clear") {
                list.Clear();
            } else if (step[0] == '-') {
                list.Remove(step.substr(1));
            } else {
                const core::ptr<gui::Window> window(new gui::Window(step, Rect()));
                list.Add(window);
                ids += window->GetId() + " ";
                EXPECT_EQ(list.Get(window->GetId()), window);
            }
        }
        EXPECT_EQ(ids, added);
    }
}

TEST_F(ContainerTest, ThePointerReachesTheTopmostVisibleChildThatIsEnabledOrHasADisabledTooltip) {
    const std::pair<const char*, Vector2> cases[] = {
        // A window over back, which covers (0, 0, 10, 10), and a point.
        {"<rec id='front' x='5' y='5' w='10' h='10'/>", Vector2(7, 7)},
        {"<rec id='front' x='5' y='5' w='10' h='10'/>", Vector2(2, 2)},
        {"<rec id='front' x='5' y='5' w='10' h='10'/>", Vector2(15, 15)},
        {"<rec id='front' x='5' y='5' w='10' h='10'/>", Vector2(15.5f, 15)},
        {"<rec id='front' w='10' h='10' enabled='false'/>", Vector2(7, 7)},
        {"<rec id='front' w='10' h='10' enabled='false'><disabled_tooltip/></rec>", Vector2(7, 7)},
        {"<rec id='front' w='10' h='10' visible='false'/>", Vector2(7, 7)},
    };
    std::string entered;
    for (const auto& [front, at] : cases) {
        Screen(std::string("<rec id='back' w='10' h='10'/>") + front)->OnEvent(Move(at.x, at.y));
        entered += journal.empty() ? "nobody " : journal.substr(0, journal.find(' ') + 1);
    }
    EXPECT_EQ(entered, "front back front nobody back front back ");
}

TEST_F(ContainerTest, TabOrderFindsTheNearestStopEachWayThroughNestedContainers) {
    const core::ptr<gui::Window> mixed = Screen(
        "<rec id='t2' tabstop='2'/><container id='c10' tabstop='10'><rec id='in3' tabstop='3'/></container>"
        "<container><rec id='t5' tabstop='5'/><rec id='t7' tabstop='7'/><rec id='t7_later' tabstop='7'/>"
        "</container>");
    const core::ptr<gui::Window> alone =
        Screen("<container id='c10' tabstop='10'><rec tabstop='3'/></container>");
    const auto walk = [](const gui::Window& root, bool next, std::initializer_list<int> from) {
        std::string found;
        for (int n : from) {
            const core::ptr<gui::Window> w = next ? root.FindNext(n) : root.FindPrev(n);
            found += (w ? w->GetId() : "none") + " ";
        }
        return found;
    };
    // Forwards, every child whose stop does not beat the best so far is searched, so in3 is found in the
    // mixed screen but hidden by c10 when c10 comes first. Backwards, only children without a stop are.
    EXPECT_EQ(walk(*mixed, true, {-1, 2, 3, 5, 7, 10}), "t2 in3 t5 t7_later c10 none ");
    EXPECT_EQ(walk(*mixed, false, {999999, 10, 7, 5, 2}), "c10 t7_later t5 t2 none ");
    EXPECT_EQ(walk(*alone, true, {0, 10}), "c10 none ");
    EXPECT_EQ(walk(*alone, false, {20, 5}), "c10 none ");
}

TEST_F(ContainerTest, TheFactoryBuildsOnlyExactlyRegisteredNamesAndTheLastRegistrationWins) {
    gui::WindowFactory* factory = gui::WindowFactory::instance();
    factory->Register("twice",
                      [](TiXmlElement*) -> gui::Window* { return new gui::Window("first", Rect()); });
    factory->Register("twice",
                      [](TiXmlElement*) -> gui::Window* { return new gui::Window("second", Rect()); });
    TiXmlElement* layout =
        Parse("<gui><twice/><Container/><nothing/><!-- note -->text<container id='c'/></gui>");
    std::string made;
    for (TiXmlNode* node = layout->FirstChild(); node; node = node->NextSibling()) {
        const core::ptr<gui::Window> window = factory->Create(node);
        made += (window ? window->GetId() : "none") + " ";
    }
    EXPECT_EQ(made, "second none none none none c ");
    EXPECT_FALSE(log.Contains("nothing"));
}

TEST_F(ContainerTest, EventsReachTheHoveredChildInItsParentsFrameLevelByLevel) {
    const std::pair<std::vector<Event>, std::string> cases[] = {
        {{Move(15, 15), Move(45, 15), Move(35, 5), Move(36, 5)},
         "a enter, a on_mouse_enter, a move 15,15 abs 15,15, a leave, a on_mouse_leave, b enter, "
         "b on_mouse_enter, b move 45,15 abs 45,15, b leave, b on_mouse_leave, "},
        // A press goes to the hovered child without a hit test, so to none before a move.
        {{Button(Event::MOUSE_DOWN, 15, 15), Move(15, 15), Button(Event::MOUSE_DOWN, 45, 15),
          Event(Event::MOUSE_UP, 2, Vector2(45, 15))},
         "a enter, a on_mouse_enter, a move 15,15 abs 15,15, a down at 45,15, a on_press, a up at 45,15, "},
        {{Move(60, 60), Event(Event::KEY_DOWN, 13), Event(Event::CHAR, 'x'), Event(Event::KEY_UP, 13),
          Event(Event::MOUSE_LEAVE)},
         "inner enter, inner on_mouse_enter, inner move 10,10 abs 60,60, inner key 13, inner char x, "
         "inner key up 13, inner leave, inner on_mouse_leave, "},
        // The grab starts within the press, from the container's corner; the release does not end it.
        {{Move(60, 60), Button(Event::MOUSE_DOWN, 60, 60), Button(Event::MOUSE_UP, 60, 60), Move(45, 15),
          Button(Event::MOUSE_DOWN, 45, 15)},
         "inner enter, inner on_mouse_enter, inner move 10,10 abs 60,60, inner down at 10,10, "
         "inner on_press, grab inner from 50,50, inner up at 10,10, inner leave, inner on_mouse_leave, "
         "b enter, b on_mouse_enter, b move 45,15 abs 45,15, b down at 45,15, b on_press, grab b from 0,0, "},
    };
    for (const auto& [events, expected] : cases) {
        const core::ptr<gui::Window> screen = Screen();
        for (const Event& event : events) screen->OnEvent(event);
        EXPECT_EQ(journal, expected);
    }
}

TEST_F(ContainerTest, TheTooltipShownIsThatOfTheInnermostWindowUnderThePointer) {
    const std::string windows =
        std::string(kWindows) +
        "<rec x='10' y='40' w='20' h='20' enabled='false'><tooltip id='on'/>"
        "<disabled_tooltip id='off'/></rec><container x='0' y='70' w='40' h='30'>"
        "<tooltip id='outer'/><rec x='5' y='5' w='10' h='10'><tooltip id='inner'/></rec>"
        "<rec x='20' y='5' w='10' h='10'/></container>";
    const std::pair<std::vector<Vector2>, const char*> cases[] = {
        {{Vector2(15, 45)}, "off at 15,45"},
        {{Vector2(2, 72)}, "outer at 2,72"},
        {{Vector2(7, 77)}, "inner at 7,77"},
        {{Vector2(22, 77)}, "none"},
        // The container's own tooltip comes back over its empty space, however the pointer got there.
        {{Vector2(7, 77), Vector2(2, 72)}, "outer at 2,72"},
        {{Vector2(7, 77), Vector2(15, 15), Vector2(2, 72)}, "outer at 2,72"},
        {{Vector2(7, 77), Vector2(95, 5)}, "none"},
    };
    for (const auto& [moves, shown] : cases) {
        const core::ptr<gui::Window> screen = Screen(windows);
        for (const Vector2& p : moves) screen->OnEvent(Move(p.x, p.y));
        EXPECT_EQ(root.shown, shown);
    }
}

TEST_F(ContainerTest, AHandlerThatReplacesTheScreenStopsRoutingAndUpdatingSafely) {
    struct Case {
        const char* handler;        // the one that replaces the screen
        std::vector<Event> events;  // none: an update
        const char* journal;
    };
    const Case cases[] = {
        {"a on_mouse_enter", {Move(15, 15)}, "a enter, a on_mouse_enter, "},
        {"a on_mouse_leave",
         {Move(15, 15), Move(45, 15)},
         "a enter, a on_mouse_enter, a move 15,15 abs 15,15, a leave, a on_mouse_leave, "},
        {"inner on_mouse_enter", {Move(60, 60)}, "inner enter, inner on_mouse_enter, "},
        {"b on_press",
         {Move(45, 15), Button(Event::MOUSE_DOWN, 45, 15)},
         "b enter, b on_mouse_enter, b move 45,15 abs 45,15, b down at 45,15, b on_press, "},
        {"b on_update", {}, "inner on_update, b on_update, "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.handler);
        core::ptr<gui::Window> screen = Screen();
        script.on_eval = [&](const std::string& code) {
            journal += code + ", ";
            if (code != c.handler) return;
            screen->Clear();
            screen = core::ptr<gui::Window>(new gui::Container("next", Rect(0, 0, 100, 100)));
            gui::RootServices::CountReload();
        };
        const core::ptr<gui::Window> first = screen;
        for (const Event& event : c.events) first->OnEvent(event);
        if (c.events.empty()) first->Update();
        EXPECT_EQ(journal, c.journal);
    }
    script.on_eval = [](const std::string& code) { journal += code + ", "; };
    gui::RootServices::CountReload();
    Screen()->Update();
    EXPECT_EQ(journal, "inner on_update, b on_update, a on_update, ")
        << "a load before the walk does not end it";
}

}  // namespace
