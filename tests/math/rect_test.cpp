#include <gtest/gtest.h>
#include <tinyxml.h>

#include <string>
#include <utility>
#include <vector>

#include "vantle/math/rect.h"
#include "vantle/math/vec2.h"

namespace {

using Attributes = std::vector<std::pair<std::string, std::string>>;

TiXmlElement MakeElement(const Attributes& attributes) {
    TiXmlElement element("rect");
    for (const auto& attribute : attributes) element.SetAttribute(attribute.first, attribute.second);
    return element;
}

void ExpectRect(const math::Rect& r, float left, float top, float right, float bottom) {
    EXPECT_FLOAT_EQ(r.left, left);
    EXPECT_FLOAT_EQ(r.top, top);
    EXPECT_FLOAT_EQ(r.right, right);
    EXPECT_FLOAT_EQ(r.bottom, bottom);
}

struct RectCase {
    const char* name;
    Attributes attributes;
    math::Rect expected;
};

TEST(RectTest, ReadsGeometryAttributesByPrecedence) {
    const std::vector<RectCase> cases = {
        {"sizes added to the position",
         {{"x", "10"}, {"y", "20"}, {"w", "30"}, {"h", "40"}},
         {10, 20, 40, 60}},
        {"w beats right",
         {{"x", "10"}, {"y", "20"}, {"w", "30"}, {"h", "40"}, {"right", "100"}},
         {10, 20, 40, 60}},
        {"width beats w",
         {{"x", "10"}, {"y", "20"}, {"w", "30"}, {"h", "40"}, {"width", "5"}},
         {10, 20, 15, 60}},
        {"height beats h and bottom",
         {{"y", "1"}, {"h", "4"}, {"bottom", "50"}, {"height", "2"}},
         {0, 1, 0, 3}},
        {"normalised after loading",
         {{"left", "50"}, {"right", "10"}, {"top", "0"}, {"bottom", "5"}},
         {10, 0, 50, 5}},
        {"only x is a zero-size rectangle", {{"x", "3"}}, {3, 0, 3, 0}},
        {"left beats x whatever the order", {{"left", "5"}, {"x", "1"}, {"width", "2"}}, {5, 0, 7, 0}},
        {"x after left in the element", {{"x", "1"}, {"left", "5"}, {"width", "2"}}, {5, 0, 7, 0}},
        {"top beats y", {{"top", "8"}, {"y", "2"}, {"h", "1"}}, {0, 8, 0, 9}},
        {"right and bottom alone", {{"right", "4"}, {"bottom", "6"}}, {0, 0, 4, 6}},
        {"negative size is normalised", {{"x", "10"}, {"w", "-4"}}, {6, 0, 10, 0}},
        {"malformed number reads as 0", {{"x", "abc"}, {"w", "7"}}, {0, 0, 7, 0}},
        {"fractions",
         {{"x", "0.5"}, {"y", "0.25"}, {"w", "1.5"}, {"h", "0.125"}},
         {0.5f, 0.25f, 2.0f, 0.375f}},
        {"no attributes", {}, {0, 0, 0, 0}},
        {"a position that is not finite is absent", {{"x", "2"}, {"left", "inf"}, {"w", "1"}}, {2, 0, 3, 0}},
        {"a size that is not finite is absent", {{"w", "3"}, {"width", "nan"}, {"h", "1e39"}}, {0, 0, 3, 0}},
        {"no finite size leaves the far edge", {{"width", "nan"}, {"right", "4"}}, {0, 0, 4, 0}},
    };
    for (const RectCase& c : cases) {
        SCOPED_TRACE(c.name);
        TiXmlElement element = MakeElement(c.attributes);
        ExpectRect(math::Rect(&element), c.expected.left, c.expected.top, c.expected.right,
                   c.expected.bottom);
    }
}

TEST(RectTest, NodeAndNullElementsAreSafe) {
    TiXmlElement element = MakeElement({{"x", "1"}, {"w", "2"}});
    TiXmlNode* node = &element;
    ExpectRect(math::Rect(node), 1, 0, 3, 0);
    ExpectRect(math::Rect(static_cast<TiXmlElement*>(nullptr)), 0, 0, 0, 0);
    TiXmlText text("not an element");
    ExpectRect(math::Rect(static_cast<TiXmlNode*>(&text)), 0, 0, 0, 0);
}

TEST(RectTest, LoadWithoutNormalizeKeepsReversedEdges) {
    TiXmlElement element = MakeElement({{"left", "50"}, {"right", "10"}});
    math::Rect r;
    r.Load(&element);
    ExpectRect(r, 50, 0, 10, 0);
}

TEST(RectTest, MovesResizesAndClips) {
    math::Rect r(1, 2, 4, 8);
    r.Move(10, 20);
    ExpectRect(r, 11, 22, 14, 28);
    r.MoveTo(0, 0);
    ExpectRect(r, 0, 0, 3, 6);
    r.Resize(math::Vector2(5, 5));
    ExpectRect(r, 0, 0, 5, 5);
    r.Snap(2, 3);
    ExpectRect(r, 0, 0, 2, 3);

    math::Rect far(0, 0, 10, 10);
    far.ClipBy(math::Rect(20, 20, 30, 30));
    ExpectRect(far, 20, 20, 10, 10);
    math::Rect overlap(0, 0, 10, 10);
    overlap.ClipBy(math::Rect(5, -5, 15, 5));
    ExpectRect(overlap, 5, 0, 10, 5);

    ExpectRect(math::Rect(math::Vector2(5, 6), math::Vector2(1, 2)), 1, 2, 5, 6);
}

TEST(RectTest, SegmentIntersection) {
    const math::Rect r(0, 0, 10, 10);
    struct Case {
        const char* name;
        math::Vector2 a, b;
        bool expected;
    };
    const std::vector<Case> cases = {
        {"inside", {2, 2}, {3, 3}, true},
        {"first end on the edge", {10, 5}, {20, 5}, true},
        {"crossing through", {-5, 5}, {15, 5}, true},
        {"diagonal through a corner region", {-1, 5}, {5, -1}, true},
        {"outside", {11, 0}, {20, 20}, false},
        {"parallel beside", {-1, -1}, {-1, 20}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(r.Intersect(c.a, c.b), c.expected);
        EXPECT_EQ(r.Intersect(math::Line2(c.a, c.b)), c.expected);
    }
}

TEST(Vector2Test, ReadsAttributesAndInterpolates) {
    TiXmlElement element = MakeElement({{"x", "1.5"}});
    const math::Vector2 v(&element);
    EXPECT_FLOAT_EQ(v.x, 1.5f);
    EXPECT_FLOAT_EQ(v.y, 0.0f);
    const math::Vector2 mid = math::Vector2::Lerp(math::Vector2(0, 0), math::Vector2(10, -4), 0.25f);
    EXPECT_FLOAT_EQ(mid.x, 2.5f);
    EXPECT_FLOAT_EQ(mid.y, -1.0f);
    const math::Vector2 beyond = math::Vector2::Lerp(math::Vector2(0, 0), math::Vector2(1, 1), 2.0f);
    EXPECT_FLOAT_EQ(beyond.x, 2.0f);
    EXPECT_EQ(math::Vector2::UNIT_SCALE, math::Vector2(1, 1));
    EXPECT_EQ(math::Vector2::NEGATIVE_UNIT_Y, math::Vector2(0, -1));
}

}  // namespace
