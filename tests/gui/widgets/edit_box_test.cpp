#include <gtest/gtest.h>

#include <string>

#include "support/fake_font.h"
#include "support/gui_fixture.h"
#include "vantle/core/context.h"
#include "vantle/gui/event.h"
#include "vantle/gui/root_window.h"
#include "vantle/gui/widgets/edit_box.h"

namespace {

using gui::Event;
using math::Vector2;

std::string journal;

// Writes "<key>=<value> " to the journal at every write of its key.
class KeyWatch : public core::Observer {
public:
    explicit KeyWatch(const std::string& key) : _key(key) { core::Context::instance()->Subscribe(key, this); }
    ~KeyWatch() { core::Context::instance()->Unsubscribe(_key, this); }
    void OnUpdate() override {
        journal += _key + "=" + core::Context::instance()->Get(_key).as_string() + " ";
    }

private:
    std::string _key;
};

class EditBoxTest : public test::GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        script.on_eval = [](const std::string& code) { journal += code + " "; };
        journal.clear();
    }

    // Characters as themselves, "<" for backspace and "\n" for Return.
    static void Type(gui::Window& box, const std::string& keys) {
        for (const char key : keys) {
            if (key == '<')
                box.OnEvent(Event(Event::KEY_DOWN, 8));
            else if (key == '\n')
                box.OnEvent(Event(Event::KEY_DOWN, 13));
            else
                box.OnEvent(Event(Event::CHAR, key));
        }
    }

    const std::string kHandlers =
        "<handlers><handler name='on_change'>changed</handler><handler name='on_enter'>entered</handler>"
        "</handlers>";
};

TEST_F(EditBoxTest, TypingPublishesEachChangeToTheKeyThenDollarThenTheHandler) {
    const struct {
        const char* attributes;
        const char* keys;
        const char* journal;
    } cases[] = {
        {"max_size='3'", "abcd<d",
         "name=a $=a changed name=ab $=ab changed name=abc $=abc changed "
         "name=ab $=ab changed name=abd $=abd changed "},
        {"max_size='0'", "abcd",
         "name=a $=a changed name=ab $=ab changed name=abc $=abc changed "
         "name=abcd $=abcd changed "},
        {"text='x'", "<<\n", "name= $= changed entered "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        KeyWatch key("name"), dollar("$");
        gui::EditBox box(
            Parse("<edit value_key='name' " + std::string(c.attributes) + ">" + kHandlers + "</edit>"));
        journal.clear();
        Type(box, c.keys);
        EXPECT_EQ(c.journal, journal);
        core::Context::instance()->Set("name", core::Value(""));
    }
}

TEST_F(EditBoxTest, APressTakesTheFocusAndOnlyTheFocusedBoxBlinksItsCaret) {
    core::ptr<test::FakeFont> font(new test::FakeFont());
    const struct {
        render::Render::TextAlign align;
        float size;
        math::Rect caret;  // in screen units, for "abc" anchored at (100, 10)
    } cases[] = {
        {render::Render::LEFT, 12, {130, 10, 134, 22}},
        {render::Render::CENTER, 0, {115, 10, 119, 26}},
        {render::Render::RIGHT, 12, {100, 10, 104, 22}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.align);
        clock.Start();
        gui::EditBox first("a", math::Rect(100, 10, 200, 30), font, c.size, c.align);
        gui::EditBox second("b", math::Rect(100, 10, 200, 30), font, c.size, c.align);
        first.SetText(core::Value("abc"));
        second.SetText(core::Value("abc"));
        first.OnEvent(Event(Event::MOUSE_DOWN, 0, Vector2()));
        second.OnEvent(Event(Event::MOUSE_DOWN, 2, Vector2()));
        std::string carets;
        for (const unsigned int t : {299u, 300u, 599u, 600u, 900u}) {
            clock.At(t);
            for (gui::EditBox* box : {&first, &second}) {
                box->Update();
                const auto& draws = DrawnBy(*box);
                const bool caret = draws.size() == 2;
                carets += caret ? "|" : ".";
                if (!caret) continue;
                const math::Rect& r = draws[1].rect;
                const Vector2 at = draws[1].world * Vector2();
                EXPECT_EQ(c.caret, math::Rect(r.left + at.x, r.top + at.y, r.right + at.x, r.bottom + at.y));
            }
        }
        EXPECT_EQ(
            ".."
            ".|"
            ".|"
            ".."
            ".|",
            carets);
        EXPECT_FALSE(gui::RootWindow::instance()->IsKeyboardFocus(&first));
    }
}

// A state or a script may move the box: the caret goes with the caption, after its text.
TEST_F(EditBoxTest, TheCaretFollowsTheCaptionWhenTheBoxIsMoved) {
    core::ptr<test::FakeFont> font(new test::FakeFont());
    gui::EditBox box("a", math::Rect(100, 10, 200, 30), font, 12, render::Render::LEFT);
    box.SetText(core::Value("abc"));
    box.OnEvent(Event(Event::MOUSE_DOWN, 0, Vector2()));
    clock.Start();
    DrawnBy(box);
    box.SetRect(math::Rect(300, 50, 330, 62));
    clock.At(300);
    box.Update();
    const auto& draws = DrawnBy(box);
    ASSERT_EQ(draws.size(), 2u);
    const Vector2 caption = draws[0].world * Vector2();
    const Vector2 caret = draws[1].world * Vector2(draws[1].rect.left, draws[1].rect.top);
    EXPECT_EQ(caption, Vector2(300, 50));
    EXPECT_EQ(caret, Vector2(330, 50));
}

}  // namespace
