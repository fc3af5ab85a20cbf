#include <gtest/gtest.h>

#include <stdexcept>

#include "vantle/effects/effect.h"

namespace {

using effects::CurrentEffectMatrix;
using effects::EffectState;
using effects::EffectStateScope;

EffectState Moved(float x) {
    return EffectState{math::Translation(math::Vector2(x, 0)), render::Color(1, 1, 1, x)};
}

// Where the current state puts the origin, and its alpha.
float ShownX() {
    return (CurrentEffectMatrix::instance()->GetMatrix() * math::Vector2(0, 0)).x;
}
float ShownAlpha() {
    return CurrentEffectMatrix::instance()->GetColor().a;
}

TEST(EffectStateScopes, RestoreTheStateHoweverTheScopeIsLeft) {
    CurrentEffectMatrix::instance()->SetState(Moved(0.5f));
    const auto update = [](bool leave_early) {
        EffectStateScope applied(Moved(0.25f));
        EXPECT_EQ(ShownX(), 0.25f);
        EXPECT_EQ(ShownAlpha(), 0.25f);
        if (leave_early) return;
        CurrentEffectMatrix::instance()->SetState(Moved(0.125f));
    };
    for (bool leave_early : {true, false}) {
        SCOPED_TRACE(leave_early ? "early return" : "end of scope");
        update(leave_early);
        EXPECT_EQ(ShownX(), 0.5f);
        EXPECT_EQ(ShownAlpha(), 0.5f);
    }

    try {
        EffectStateScope saved;
        CurrentEffectMatrix::instance()->SetState(Moved(0.25f));
        throw std::runtime_error("update failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(ShownX(), 0.5f);

    {
        EffectStateScope outer(Moved(0.25f));
        {
            EffectStateScope inner(Moved(0.125f));
            EXPECT_EQ(ShownX(), 0.125f);
        }
        EXPECT_EQ(ShownX(), 0.25f);
    }
    EXPECT_EQ(ShownX(), 0.5f);
    CurrentEffectMatrix::instance()->SetState(
        EffectState{math::Matrix4::IDENTITY, render::Color(1, 1, 1, 1)});
}

}  // namespace
