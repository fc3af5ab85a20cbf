#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/fake_font.h"
#include "support/gui_fixture.h"
#include "vantle/game/users.h"
#include "vantle/gui/event.h"
#include "vantle/gui/widgets/list_box.h"

namespace {

using gui::Event;
using math::Vector2;

class ListBoxTest : public test::GuiTest {
protected:
    // Rows a, b, c, 20 high, in a window at (100, 50) inside its parent.
    std::unique_ptr<gui::ListBox> List() {
        std::unique_ptr<gui::ListBox> list(new gui::ListBox("l", math::Rect(100, 50, 300, 250), font, 20));
        list->SetHandlerCode("on_change", "changed");
        for (const char* row : {"a", "b", "c"}) list->Add(row);
        return list;
    }

    // The rows drawn, each as "<text width>@<y>" with a "*" when on the band.
    std::string Frame(gui::ListBox& list) {
        std::string drawn;
        for (const auto& draw : DrawnBy(list)) {
            const Vector2 at = draw.world * Vector2();
            if (draw.kind == test::RecordingRender::RECT) drawn += "*";
            if (draw.kind == test::RecordingRender::VERTICES) drawn += std::to_string(draw.count) + "@";
            if (draw.kind == test::RecordingRender::VERTICES) drawn += std::to_string(int(at.y)) + " ";
            EXPECT_EQ(100, at.x);
        }
        return drawn;
    }

    core::ptr<test::FakeFont> font{new test::FakeFont()};
};

TEST_F(ListBoxTest, AReleaseOverARowSelectsTheRowDrawnThere) {
    const struct {
        int button;
        float y;  // in the parent's frame; the window's top is at 50
        int selected;
        const char* frame;
    } cases[] = {
        {0, 70, 0, "*1@50 1@70 1@90 "},  {0, 70.5f, 1, "1@50 *1@70 1@90 "},
        {2, 110, 2, "1@50 1@70 *1@90 "}, {1, 90.5f, 2, "1@50 1@70 *1@90 "},
        {0, 50, -1, "1@50 1@70 1@90 "},  {0, 110.5f, -1, "1@50 1@70 1@90 "},
        {0, 30, -1, "1@50 1@70 1@90 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.y);
        script.calls.clear();
        auto list = List();
        list->OnEvent(Event(Event::MOUSE_UP, c.button, Vector2(400, c.y)));
        EXPECT_EQ(c.selected, list->GetSelected());
        EXPECT_EQ(c.frame, Frame(*list));
        const std::vector<std::string> ran = {"Set $value " + std::string(1, char('a' + c.selected)),
                                              "Eval changed"};
        EXPECT_EQ(c.selected < 0 ? std::vector<std::string>() : ran, script.calls);
    }
}

TEST_F(ListBoxTest, TheHoverFollowsThePointerAndClearForgetsEveryRow) {
    auto list = List();
    list->SetContentTransform(math::Matrix4().Move(0, 20, 0));
    const struct {
        float y;
        int hover;
    } moves[] = {{95, 1}, {90, 0}, {150, -1}, {71, 0}};
    for (const auto& move : moves) {
        list->OnEvent(Event(Event::MOUSE_MOVE, Vector2(0, move.y)));
        EXPECT_EQ(move.hover, list->GetHover()) << move.y;
    }
    // The hovered row takes the selected colour; the rows move with the content.
    font->layouts.clear();
    const auto& drawn = DrawnBy(*list);
    ASSERT_EQ(3u, drawn.size());
    EXPECT_EQ(70, (drawn[0].world * Vector2()).y);
    list->OnEvent(Event(Event::MOUSE_LEAVE));
    EXPECT_EQ(-1, list->GetHover());
    list->OnEvent(Event(Event::MOUSE_UP, 0, Vector2(0, 80)));
    list->Clear();
    EXPECT_EQ(-1, list->GetSelected());
    EXPECT_EQ("", Frame(*list));
}

// Rows past the bottom are drawn but clipped to the box, as the parent places it and within the parent's
// own clip; "room" tells a screen how many more rows would still show.
TEST_F(ListBoxTest, RowsPastTheBoxAreClippedToItAndRoomCountsWhatStillFits) {
    auto list = List();
    EXPECT_EQ(list->GetProperty("room").as_int32(), 7);
    for (int i = 0; i < 9; ++i) list->Add("row");
    EXPECT_EQ(list->GetProperty("room").as_int32(), -2);

    renderer.SetOrtho(800, 600);
    renderer.PushWorldMatrix();
    renderer.MultWorldMatrix(math::Translation(Vector2(20, 10)));
    renderer.PushClipRect();
    renderer.SetClipRect(math::Rect(0, 0, 250, 200));
    const auto& drawn = DrawnBy(*list);
    ASSERT_EQ(drawn.size(), 12u);
    for (const auto& draw : drawn) {
        EXPECT_TRUE(draw.clipped);
        EXPECT_EQ(draw.clip, math::Rect(120, 60, 270, 210));
    }
    EXPECT_EQ(renderer.ClipBox(), math::Rect(20, 10, 270, 210)) << "the parent's clip comes back";
    renderer.PopClipRect();
    renderer.PopWorldMatrix();
    EXPECT_EQ(renderer.ClipBox(), math::Rect(0, 0, 801, 601));
}

TEST_F(ListBoxTest, ALayoutWithoutSizeOrFontStillHasRowsToChoose) {
    const std::pair<const char*, float> cases[] = {
        {"<listbox y='10' h='100'/>", 30.5f},
        {"<listbox y='10' h='100' size='0'/>", 30.5f},
        {"<listbox y='10' h='100' size='-4'/>", 30.5f},
        {"<listbox y='10' h='100' size='10'/>", 20.5f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        gui::ListBox list(Parse(c.first));
        list.Add("a");
        list.Add("b");
        list.OnEvent(Event(Event::MOUSE_UP, 0, Vector2(0, c.second)));
        EXPECT_EQ(1, list.GetSelected());
        const auto& drawn = DrawnBy(list);
        ASSERT_EQ(1u, drawn.size());
        EXPECT_EQ(test::RecordingRender::RECT, drawn[0].kind);
    }
}

TEST_F(ListBoxTest, ChoosingAnotherPlayerSavesAndRebuildsBeforeOnChange) {
    game::Users::SetFilename(dir / "users.dat");
    game::Users* users = game::Users::instance();
    for (const char* name : {"ann", "bob"}) users->Add(core::ptr<game::User>(new game::User(name)));
    users->Select("ann");
    std::unique_ptr<gui::Window> made(gui::CreateUserListBox(Parse("<userlistbox h='100' size='20'/>")));
    auto& list = static_cast<gui::UserListBox&>(*made);
    list.SetHandlerCode("on_change", "changed");
    std::string seen;
    script.on_eval = [&](const std::string&) {
        seen += std::to_string(list.GetItems().size()) + " rows, " + std::to_string(list.GetSelected()) +
                " selected, saved " + dir.Read("users.dat").substr(0, 1) + "; ";
    };
    const struct {
        float y;
        const char* seen;
        const char* value;
    } cases[] = {
        {10, "2 rows, 0 selected, saved \x05; ", "ann"},
        {30, "2 rows, 1 selected, saved \x06; ", "bob"},
    };
    EXPECT_EQ(0, list.GetSelected());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        seen.clear();
        script.calls.clear();
        list.OnEvent(Event(Event::MOUSE_UP, 0, Vector2(0, c.y)));
        EXPECT_EQ(c.seen, seen);
        EXPECT_EQ("Set $value " + std::string(c.value), script.calls.at(0));
        EXPECT_EQ(c.value, users->GetSelectedUser()->name);
    }
    // Gone from the players' observers: the next change reaches no list.
    made.reset();
    users->Remove("bob");
}

}  // namespace
