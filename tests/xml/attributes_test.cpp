#include "vantle/xml/attributes.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <cstring>
#include <string>

#include "support/capture_log.h"
#include "vantle/core/strutils.h"

namespace {

TiXmlElement WithValue(const char* text) {
    TiXmlElement element("e");
    element.SetAttribute("v", text);
    return element;
}

bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(XmlAttributes, FloatsReadAsTheStringRuleReadsThem) {
    const struct {
        const char* text;
        float expected;
    } cases[] = {
        {"1.5", 1.5f},   {"-3e2", -300.0f},   {"  7", 7.0f}, {"+.25", 0.25f}, {"2.5px", 2.5f},
        {"1,5", 1.0f},   {"abc", 0.0f},       {"", 0.0f},    {"-0", -0.0f},   {"0x10", 16.0f},
        {"1e-50", 0.0f}, {"3.4e38", 3.4e38f}, {"0.1", 0.1f}, {"1e", 1.0f},    {"-", 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const TiXmlElement element = WithValue(c.text);
        test::CaptureLog log;
        const float read = xml::ReadFloat(&element, "v", 99.0f);
        EXPECT_TRUE(SameBits(read, c.expected)) << read;
        EXPECT_TRUE(SameBits(read, core::str2float(std::string(c.text))));
        EXPECT_TRUE(xml::FindFloat(&element, "v").has_value());
        EXPECT_TRUE(log.Lines().empty());
    }
}

TEST(XmlAttributes, NumbersThatAreNotFiniteReadAsAbsentWithALogLine) {
    for (const char* text : {"nan", "NaN", "-nan", "inf", "-inf", "Infinity", "1e39", "-1e39", "nan(1)"}) {
        SCOPED_TRACE(text);
        const TiXmlElement element = WithValue(text);
        test::CaptureLog log;
        EXPECT_EQ(xml::ReadFloat(&element, "v", 4.0f), 4.0f);
        EXPECT_FALSE(xml::FindFloat(&element, "v").has_value());
        EXPECT_EQ(xml::ReadPoint(&element, "v", "v", math::Vector2(1, 2)), math::Vector2(1, 2));
        ASSERT_EQ(log.Lines().size(), 4u);
        EXPECT_EQ(log.Lines()[0],
                  "Error: v=\"" + std::string(text) + "\" of <e> is no finite number, read as absent");
    }
}

TEST(XmlAttributes, WholeNumbersAndTruthValuesReadAsTheStringRulesReadThem) {
    for (const char* text :
         {"12", "  7", "-1", "-2147483649", "4294967296", "1.9", "0x10", "abc", "", "+3"}) {
        SCOPED_TRACE(text);
        const TiXmlElement element = WithValue(text);
        EXPECT_EQ(xml::ReadUnsigned(&element, "v", 99), core::str2unsigned(text));
        EXPECT_EQ(xml::ReadInt(&element, "v", 99), core::str2int(text));
    }
    const TiXmlElement twelve = WithValue("12");
    EXPECT_EQ(xml::ReadUnsigned(&twelve, "v", 99), 12u);
    EXPECT_EQ(xml::ReadInt(&twelve, "v", 99), 12);

    const struct {
        const char* text;
        bool expected;
    } truths[] = {{"true", true}, {"yes", true}, {"1", true},   {"True", false},
                  {"0", false},   {"", false},   {" 1", false}, {"no", false}};
    for (const auto& t : truths) {
        SCOPED_TRACE(t.text);
        const TiXmlElement element = WithValue(t.text);
        EXPECT_EQ(xml::ReadBool(&element, "v", !t.expected), t.expected);
    }
}

TEST(XmlAttributes, AbsentAttributesAndNullElementsGiveTheFallback) {
    const TiXmlElement element("e");
    for (const TiXmlElement* e : {&element, static_cast<const TiXmlElement*>(nullptr)}) {
        SCOPED_TRACE(e ? "no attribute" : "null element");
        EXPECT_FALSE(xml::Has(e, "v"));
        EXPECT_EQ(xml::FindText(e, "v"), nullptr);
        EXPECT_EQ(xml::ReadText(e, "v"), "");
        EXPECT_EQ(xml::ReadText(e, "v", "fallback"), "fallback");
        EXPECT_FALSE(xml::FindFloat(e, "v").has_value());
        EXPECT_EQ(xml::ReadFloat(e, "v", -2.5f), -2.5f);
        EXPECT_EQ(xml::ReadUnsigned(e, "v", 7u), 7u);
        EXPECT_EQ(xml::ReadInt(e, "v", -7), -7);
        EXPECT_TRUE(xml::ReadBool(e, "v", true));
        EXPECT_FALSE(xml::ReadBool(e, "v", false));
        EXPECT_EQ(xml::ReadPoint(e, math::Vector2(3, 4)), math::Vector2(3, 4));
        EXPECT_EQ(xml::ReadPoint(e), math::Vector2(0, 0));
    }
}

TEST(XmlAttributes, PointsFallBackOneCoordinateAtATime) {
    const struct {
        const char* xml;
        math::Vector2 expected;
    } cases[] = {
        {"<p x='1.5' y='-2'/>", {1.5f, -2.0f}}, {"<p x='1.5'/>", {1.5f, 20.0f}},
        {"<p y='3'/>", {10.0f, 3.0f}},          {"<p x='nan' y='inf'/>", {10.0f, 20.0f}},
        {"<p x='abc' y=''/>", {0.0f, 0.0f}},    {"<p/>", {10.0f, 20.0f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xml);
        TiXmlDocument document;
        document.Parse(c.xml);
        EXPECT_EQ(xml::ReadPoint(document.RootElement(), math::Vector2(10, 20)), c.expected);
    }
    TiXmlDocument named;
    named.Parse("<p to_x='5' to_y='6' x='1' y='2'/>");
    EXPECT_EQ(xml::ReadPoint(named.RootElement(), "to_x", "to_y", math::Vector2()), math::Vector2(5, 6));
}

}  // namespace
