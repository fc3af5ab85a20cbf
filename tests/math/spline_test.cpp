#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "vantle/math/spline.h"

namespace {

constexpr float kTolerance = 1e-5f;
constexpr float kStep = 1e-3f;

float Slope(const math::Spline& s, float x) {
    return (s.GetValue(x + kStep) - s.GetValue(x - kStep)) / (2 * kStep);
}

TEST(SplineTest, PassesThroughPointsWithUnitEndSlopes) {
    math::Spline s;
    s.AddPoint(1, 0);  // unsorted on purpose
    s.AddPoint(0, 0);
    s.AddPoint(math::Vector2(0.3f, 0.2f));
    s.Build();
    EXPECT_NEAR(s.GetValue(0.0f), 0.0f, kTolerance);
    EXPECT_NEAR(s.GetValue(0.3f), 0.2f, kTolerance);
    EXPECT_NEAR(s.GetValue(1.0f), 0.0f, kTolerance);
    // The end slopes are 1; the cubics extend past the outer points.
    EXPECT_NEAR(Slope(s, 0.0f), 1.0f, 1e-2f);
    EXPECT_NEAR(Slope(s, 1.0f), 1.0f, 1e-2f);
    // Continuous at the inner knot.
    EXPECT_NEAR(s.GetValue(0.3f - 1e-4f), s.GetValue(0.3f + 1e-4f), 1e-3f);
}

TEST(SplineTest, TwoPointsGiveTheClampedCubic) {
    math::Spline s;
    s.AddPoint(0, 0);
    s.AddPoint(1, 0);
    s.Build();
    for (float x : {-0.5f, 0.0f, 0.1f, 0.25f, 0.5f, 0.75f, 0.9f, 1.0f, 1.5f}) {
        SCOPED_TRACE(x);
        EXPECT_NEAR(s.GetValue(x), x - 3 * x * x + 2 * x * x * x, kTolerance);
    }
    EXPECT_GT(s.GetValue(0.25f), 0.0f);
    EXPECT_LT(s.GetValue(0.75f), 0.0f);
}

TEST(SplineTest, NaturalValuesAgainstAHandComputedCurve) {
    // Points on y = x with unit end slopes: the spline is the line itself.
    math::Spline s;
    for (float x : {0.0f, 0.5f, 2.0f, 3.0f}) s.AddPoint(x, x);
    s.Build();
    for (float x : {-1.0f, 0.2f, 0.5f, 1.3f, 2.9f, 4.0f}) EXPECT_NEAR(s.GetValue(x), x, 1e-4f);
}

TEST(SplineTest, FewerThanTwoPointsGiveZero) {
    math::Spline never_built;
    EXPECT_EQ(never_built.GetValue(1.0f), 0.0f);
    math::Spline one;
    one.AddPoint(2, 5);
    one.Build();
    EXPECT_EQ(one.GetValue(2.0f), 0.0f);
    EXPECT_EQ(one.GetValue(-7.0f), 0.0f);
}

TEST(SplineTest, ClearKeepsTheCurveUntilTheNextBuild) {
    math::Spline s;
    s.AddPoint(0, 0);
    s.AddPoint(1, 0);
    s.Build();
    s.Clear();
    EXPECT_NEAR(s.GetValue(0.25f), 0.25f - 3 * 0.0625f + 2 * 0.015625f, kTolerance);
    s.Build();
    EXPECT_EQ(s.GetValue(0.25f), 0.0f);
}

}  // namespace

namespace {

// A data file can give "nan" for a coordinate; sorting must stay well defined and keep the numbers in
// order, with the unordered points after them.
TEST(SplineTest, PointsWithoutAnOrderSortLastInsteadOfBreakingTheSort) {
    math::Spline s;
    for (int i = 0; i < 64; ++i) s.AddPoint(i % 3 == 0 ? NAN : static_cast<float>((i * 37) % 64), 0.0f);
    s.Build();
    const std::vector<math::Vector2>& points = s.Points();
    ASSERT_EQ(points.size(), 64u);
    const std::size_t numbers = 42;
    for (std::size_t i = 0; i < points.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(std::isnan(points[i].x), i >= numbers);
        if (i > 0 && i < numbers) {
            EXPECT_LT(points[i - 1].x, points[i].x);
        }
    }
    s.GetValue(10.0f);
}

}  // namespace
