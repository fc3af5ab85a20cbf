#include <gtest/gtest.h>

#include <vector>

#include "vantle/math/line2.h"
#include "vantle/math/quad2.h"
#include "vantle/math/rect.h"

namespace {

TEST(Line2Test, SegmentsIntersectIncludingEndPointsButNotWhenParallel) {
    struct Case {
        const char* name;
        math::Line2 a, b;
        bool expected;
    };
    const std::vector<Case> cases = {
        {"crossing", {0, 0, 10, 10}, {0, 10, 10, 0}, true},
        {"touching at an end point", {0, 0, 5, 5}, {5, 5, 10, 0}, true},
        {"T junction", {0, 0, 10, 0}, {5, 0, 5, 5}, true},
        {"collinear overlapping", {0, 0, 10, 0}, {5, 0, 15, 0}, false},
        {"parallel", {0, 0, 10, 0}, {0, 1, 10, 1}, false},
        {"lines cross beyond the segments", {0, 0, 1, 1}, {0, 10, 10, 9}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.a.Intersect(c.b), c.expected);
        EXPECT_EQ(c.b.Intersect(c.a), c.expected);
    }
}

TEST(Line2Test, MeasuresAndTellsSides) {
    const math::Line2 line(math::Vector2(0, 0), math::Vector2(3, 4));
    EXPECT_FLOAT_EQ(line.LengthSq(), 25.0f);
    EXPECT_FLOAT_EQ(line.Length(), 5.0f);
    EXPECT_EQ(line.Direction(), math::Vector2(3, 4));

    const math::Line2 horizontal(0, 0, 10, 0);
    EXPECT_EQ(horizontal.Side(math::Vector2(5, -1)), 1);
    EXPECT_EQ(horizontal.Side(math::Vector2(5, 1)), -1);
    EXPECT_EQ(horizontal.Side(math::Vector2(5, 0)), -1);
    EXPECT_EQ(math::Line2(1, 1, 1, 1).Side(math::Vector2(7, 3)), -1);
}

TEST(Quad2Test, ContainsWithEitherWinding) {
    const math::Quad2 clockwise(math::Rect(0, 0, 10, 10));
    EXPECT_EQ(clockwise[0], math::Vector2(0, 0));
    EXPECT_EQ(clockwise[2], math::Vector2(10, 10));
    const math::Quad2 counter(clockwise[3], clockwise[2], clockwise[1], clockwise[0]);
    for (const math::Quad2* q : {&clockwise, &counter}) {
        EXPECT_TRUE(q->Contains(math::Vector2(5, 5)));
        EXPECT_FALSE(q->Contains(math::Vector2(15, 5)));
        EXPECT_FALSE(q->Contains(math::Vector2(-1, 5)));
    }
    // On an edge: inside for exactly one winding.
    EXPECT_NE(clockwise.Contains(math::Vector2(0, 5)), counter.Contains(math::Vector2(0, 5)));
}

TEST(Quad2Test, IntersectsRectanglesAndSegments) {
    const math::Quad2 diamond(math::Vector2(5, 0), math::Vector2(10, 5), math::Vector2(5, 10),
                              math::Vector2(0, 5));
    EXPECT_TRUE(diamond.Intersect(math::Rect(4, -2, 6, 1)));
    EXPECT_TRUE(diamond.Intersect(math::Rect(-1, 4, 20, 6)));
    EXPECT_FALSE(diamond.Intersect(math::Rect(20, 20, 30, 30)));
    // Wholly inside without touching an edge.
    EXPECT_FALSE(diamond.Intersect(math::Rect(4, 4, 6, 6)));

    EXPECT_TRUE(diamond.Intersect(math::Line2(-5, 5, 15, 5)));
    EXPECT_FALSE(diamond.Intersect(math::Line2(4, 5, 6, 5)));
}

}  // namespace
