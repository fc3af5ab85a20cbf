#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/gui_fixture.h"
#include "support/probe_effect.h"
#include "vantle/effects/effect.h"
#include "vantle/gui/widgets/effect_holder.h"

namespace {

using test::ProbeEffect;

class EffectHolderWidget : public test::GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        ProbeEffect::Register();
        ProbeEffect::Journal().clear();
    }

    // 200 by 100 at (100, 50): its centre is (200, 100).
    core::ptr<gui::EffectHolder> Make(const std::string& attributes) {
        return core::ptr<gui::EffectHolder>(
            new gui::EffectHolder(Parse("<effect x='100' y='50' w='200' h='100' " + attributes +
                                        "><probe name='p' x='5' y='7'/><states><state name='away' x='0' "
                                        "y='0' w='10' h='10'/></states></effect>")));
    }

    static int Count(const std::string& line) {
        const auto& journal = ProbeEffect::Journal();
        return int(std::count(journal.begin(), journal.end(), line));
    }
};

TEST_F(EffectHolderWidget, TheEffectStartsCentredInTheRectAndStaysThereWhenTheWindowMoves) {
    core::ptr<gui::EffectHolder> holder = Make("");
    const effects::Effect& effect = *holder->GetEffect();
    ASSERT_EQ(1u, effect.GetChilds().size());
    EXPECT_EQ(math::Vector2(200, 100), effect.GetPos());
    EXPECT_EQ(math::Vector2(200, 100), effect.GetChilds()[0]->GetPos());
    EXPECT_EQ(1, Count("start p"));
    holder->SetState("away", 0);
    holder->Update();
    EXPECT_EQ(math::Rect(0, 0, 10, 10), holder->GetRect());
    EXPECT_EQ(math::Vector2(200, 100), effect.GetChilds()[0]->GetPos());
}

TEST_F(EffectHolderWidget, OutsideItsDetailRangeItDrawsNothingButKeepsUpdating) {
    const struct {
        const char* attributes;
        int renders;
    } cases[] = {{"", 1}, {"lod='10' max_lod='10'", 1}, {"lod='11'", 0}, {"max_lod='9'", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes);
        ProbeEffect::Journal().clear();
        clock.Start();
        core::ptr<gui::EffectHolder> holder = Make(c.attributes);
        clock.At(40);
        holder->Update();
        holder->Render();
        EXPECT_EQ(1, Count("update p " + std::to_string(clock.Abs(40))));
        EXPECT_EQ(c.renders, Count("render p"));
    }
}

}  // namespace
