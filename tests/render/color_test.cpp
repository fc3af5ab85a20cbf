#include <gtest/gtest.h>
#include <tinyxml.h>

#include <cmath>
#include <string>

#include "vantle/render/color.h"
#include "vantle/render/color_force.h"
#include "vantle/render/utils.h"

namespace {

struct ParseCase {
    const char* text;
    float r, g, b, a;
};

class ColorParsing : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ColorParsing, ReadsPairsOfDigitsAsBytes) {
    const ParseCase& c = GetParam();
    for (const render::Color& color : {render::Color(c.text), render::Color(std::string(c.text))}) {
        EXPECT_FLOAT_EQ(color.r, c.r) << c.text;
        EXPECT_FLOAT_EQ(color.g, c.g) << c.text;
        EXPECT_FLOAT_EQ(color.b, c.b) << c.text;
        EXPECT_FLOAT_EQ(color.a, c.a) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ColorParsing,
    ::testing::Values(ParseCase{"FF0000", 1, 0, 0, 1}, ParseCase{"ff0000", 1, 0, 0, 1},
                      ParseCase{"00FF0080", 0, 1, 0, 128 / 255.0f}, ParseCase{"FFF", 0, 0, 0, 0},
                      ParseCase{"", 0, 0, 0, 0}, ParseCase{"FFFFFFF", 1, 1, 1, 1},
                      ParseCase{"FFFFFFFF00", 1, 1, 1, 1},
                      ParseCase{"#FF000", 15 / 255.0f, 240 / 255.0f, 0, 1}, ParseCase{"GG0000", 0, 0, 0, 1},
                      ParseCase{"7f7F7f7F", 127 / 255.0f, 127 / 255.0f, 127 / 255.0f, 127 / 255.0f}));

TEST(Color, NullTextIsTransparentBlack) {
    render::Color color(static_cast<const char*>(nullptr));
    EXPECT_EQ(color, render::Color());
}

TEST(Color, ReadsAnAttributeOrKeepsTheFallback) {
    TiXmlElement element("e");
    element.SetAttribute("red", "FF0000");
    element.SetAttribute("short", "FFF");
    const render::Color fallback(0.5f, 0.5f, 0.5f, 0.5f);
    EXPECT_EQ(render::ReadColor(&element, "red", fallback), render::Color(1, 0, 0, 1));
    EXPECT_EQ(render::ReadColor(&element, "short", fallback), render::Color());
    EXPECT_EQ(render::ReadColor(&element, "missing", fallback), fallback);
    EXPECT_EQ(render::ReadColor(nullptr, "red", fallback), fallback);
}

TEST(Color, ToHexTruncatesAndWritesSpacesOutOfRange) {
    EXPECT_EQ(render::Color(1, 0.5f, 0, 1).ToHex(), "ff7f00ff");
    EXPECT_EQ(render::Color(0, 0, 0, 0).ToHex(), "00000000");
    const std::string wide = render::Color(2, 0, 0, 1).ToHex();
    EXPECT_EQ(wide.substr(0, 2), " e");
    EXPECT_EQ(render::Color(-1, 0, 0, 1).ToHex().substr(0, 2), "  ");
    // Far beyond any int: spaces, not an undefined conversion.
    EXPECT_EQ(render::Color(1e30f, -1e30f, std::nanf(""), 1).ToHex(), "      ff");
}

TEST(Color, ToHexReadsBackWithinOneStep) {
    const render::Color original(0.2f, 0.4f, 0.6f, 0.8f);
    const render::Color back(original.ToHex());
    EXPECT_NEAR(back.r, original.r, 1 / 255.0f);
    EXPECT_NEAR(back.g, original.g, 1 / 255.0f);
    EXPECT_NEAR(back.b, original.b, 1 / 255.0f);
    EXPECT_NEAR(back.a, original.a, 1 / 255.0f);
}

TEST(Color, ModulateAndLerpWorkPerComponent) {
    render::Color c(0.5f, 1, 0.25f, 1);
    c.Modulate(render::Color(0.5f, 0.5f, 4, 0.5f));
    EXPECT_EQ(c, render::Color(0.25f, 0.5f, 1, 0.5f));
    const render::Color mid =
        render::Color::Lerp(render::Color(0, 0, 0, 0), render::Color(1, 0.5f, 1, 1), 0.5f);
    EXPECT_EQ(mid, render::Color(0.5f, 0.25f, 0.5f, 0.5f));
    const render::Color beyond = render::Color::Lerp(render::Color(0, 0, 0, 0), render::Color(1, 1, 1, 1), 2);
    EXPECT_FLOAT_EQ(beyond.r, 2);
}

TEST(RenderUtils, DigitsAndPowersOfTwo) {
    const struct {
        char digit;
        int value;
    } digits[] = {{'0', 0}, {'9', 9}, {'a', 10}, {'F', 15}, {'g', 0}, {'#', 0}};
    for (const auto& d : digits) EXPECT_EQ(render::hex_to_int(d.digit), d.value) << d.digit;
    EXPECT_EQ(render::int_to_hex(0), '0');
    EXPECT_EQ(render::int_to_hex(15), 'f');
    EXPECT_EQ(render::int_to_hex(16), ' ');
    EXPECT_EQ(render::int_to_hex(-1), ' ');
    const int powers[][2] = {{-5, 1}, {0, 1}, {1, 1}, {2, 2}, {3, 4}, {1024, 1024}, {1025, 2048}};
    for (const auto& p : powers) EXPECT_EQ(render::powerof2(p[0]), p[1]) << p[0];
    EXPECT_GT(render::powerof2(2147483647), 0);
}

TEST(ColorForce, NestedForcingsCombine) {
    render::ColorForce force;
    const render::Color white(1, 1, 1, 1);
    EXPECT_EQ(force.Apply(white), white);

    force.Force(render::Color(1, 0, 0, 1));
    force.ForceAlpha(0.5f);
    EXPECT_EQ(force.Apply(white), render::Color(1, 0, 0, 0.5f));

    render::ColorForce alpha_first;
    alpha_first.ForceAlpha(0.5f);
    alpha_first.Force(render::Color(0, 1, 0, 0.8f));
    EXPECT_EQ(alpha_first.GetForced(), render::Color(0, 1, 0, 0.4f));

    render::ColorForce twice;
    twice.Force(render::Color(0.5f, 1, 1, 1));
    twice.Force(render::Color(0.5f, 0.5f, 1, 1));
    EXPECT_EQ(twice.Apply(white), render::Color(0.25f, 0.5f, 1, 1));
}

TEST(ColorForce, AlphaAloneKeepsTheDrawnColour) {
    render::ColorForce force;
    force.ForceAlpha(0.25f);
    EXPECT_EQ(force.Apply(render::Color(0.1f, 0.2f, 0.3f, 1)), render::Color(0.1f, 0.2f, 0.3f, 0.25f));
    force.UnForceAlpha();
    EXPECT_EQ(force.Apply(render::Color(0.1f, 0.2f, 0.3f, 1)), render::Color(0.1f, 0.2f, 0.3f, 1));
}

TEST(ColorForce, PushAndPopRestoreTheWholeStateAndEmptyPopDoesNothing) {
    render::ColorForce force;
    force.Pop();  // nothing pushed: no effect
    force.Force(render::Color(1, 0, 0, 1));
    force.Push();
    force.Force(render::Color(0, 0, 0, 1));
    force.ForceAlpha(0.5f);
    force.Pop();
    EXPECT_TRUE(force.IsColorForced());
    EXPECT_FALSE(force.IsAlphaForced());
    EXPECT_EQ(force.GetForced(), render::Color(1, 0, 0, 1));
    force.Pop();
    force.Pop();
    EXPECT_EQ(force.GetForced(), render::Color(1, 0, 0, 1));
    force.UnForce();
    EXPECT_EQ(force.Apply(render::Color(0, 0, 1, 1)), render::Color(0, 0, 1, 1));
}

}  // namespace
