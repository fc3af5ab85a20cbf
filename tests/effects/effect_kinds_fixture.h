#pragma once

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <memory>
#include <string>
#include <vector>

#include "support/frame_clock.h"
#include "support/recording_render.h"
#include "vantle/effects/effect.h"
#include "vantle/math/mat4.h"
#include "vantle/math/vec2.h"

namespace test {

// A recording renderer installed in the renderer facade, the frame clock at a fresh origin, the effect
// kinds registered and the random generator at a fixed seed. Effects take the renderer when they are
// built, so build them inside the test.
class EffectKindsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The root element of the text; the document lives as long as the fixture.
    TiXmlElement* Parse(const std::string& xml);
    // A node of the kind the root element names, owned by the returned pointer (empty when unknown).
    core::ptr<effects::Effect> Create(const std::string& xml);

    // The node of the text as its kind, moved to the point if one is given, and started; held by the
    // fixture until the next call.
    template <class Kind>
    Kind* Started(const std::string& xml, const math::Vector2* at = nullptr) {
        held = Create(xml);
        auto* node = dynamic_cast<Kind*>(held.get());
        EXPECT_NE(node, nullptr);
        if (!node) return nullptr;
        if (at) node->MoveTo(*at);
        node->Start(false);
        return node;
    }

    FrameClock clock;
    RecordingRender renderer;
    core::ptr<effects::Effect> held;

private:
    std::vector<std::unique_ptr<TiXmlDocument>> _documents;
};

// Where the matrix takes the point.
math::Vector2 Apply(const math::Matrix4& matrix, float x, float y);

::testing::AssertionResult NearPoint(const math::Vector2& actual, float x, float y, float tolerance = 1e-3f);

}  // namespace test
