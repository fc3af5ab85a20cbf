#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <locale>
#include <string>
#include <vector>

#include "vantle/core/strutils.h"

namespace {

using Tokens = std::vector<std::string>;

TEST(StrUtils, SplitKeepsEmptyTokensAndFillsUpToTheMinimum) {
    struct Case {
        std::string text;
        std::string delimiter;
        unsigned int minimum;
        Tokens expected;
    };
    const std::vector<Case> cases = {
        {"a;;b", ";", 0, {"a", "", "b"}},
        {"a;b;", ";", 0, {"a", "b", ""}},
        {"", ";", 0, {""}},
        {"a,b", ",", 4, {"a", "b", "", ""}},
        {"a,b,c", ",", 2, {"a", "b", "c"}},
        {"a--b--c", "--", 0, {"a", "b", "c"}},
        {"a-b", "--", 0, {"a-b"}},
        {"a;b", "", 0, {"a;b"}},
        {"", "", 2, {"", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + c.text + "' on '" + c.delimiter + "'");
        EXPECT_EQ(core::str_split(c.text, c.delimiter, c.minimum), c.expected);
        const std::vector<core::Value> values = core::str_splitv(c.text, c.delimiter, c.minimum);
        ASSERT_EQ(values.size(), c.expected.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
            EXPECT_EQ(values[i].get_type(), core::Value::STRING);
            EXPECT_EQ(values[i].as_string(), c.expected[i]);
        }
    }
}

TEST(StrUtils, TokenizerIteratorsCompareByTokenizerAndPosition) {
    const std::string text = "x y";
    core::StringTokenizer a(text, " ");
    core::StringTokenizer b(text, " ");
    EXPECT_TRUE(a.begin() == a.begin());
    EXPECT_FALSE(a.begin() == b.begin());
    core::StringTokenizer::iterator it = a.begin();
    EXPECT_EQ(*it, "x");
    ++it;
    EXPECT_EQ(*it, "y");
    ++it;
    EXPECT_TRUE(it == a.end());
    ++it;
    EXPECT_TRUE(it == a.end());
}

TEST(StrUtils, RemoveAndChomp) {
    EXPECT_EQ(core::remove("a--b--c", "--"), "abc");
    EXPECT_EQ(core::remove("--", "--"), "");
    EXPECT_EQ(core::remove("abc", ""), "abc");
    EXPECT_EQ(core::chomp("  a b  "), "a b");
    EXPECT_EQ(core::chomp("   "), "");
    EXPECT_EQ(core::chomp(""), "");
    EXPECT_EQ(core::chomp("\t a\n "), "\t a\n");
}

TEST(StrUtils, NumberReaders) {
    struct Case {
        std::string text;
        unsigned int as_unsigned;
        int as_int;
        unsigned int as_hex;
        float as_float;
    };
    const std::vector<Case> cases = {
        {"12", 12, 12, 0x12, 12.0f},
        {"FF", 0, 0, 255, 0.0f},
        {"ff", 0, 0, 255, 0.0f},
        {"0.5", 0, 0, 0, 0.5f},
        {" -7x", 4294967289u, -7, 4294967289u, -7.0f},
        {"", 0, 0, 0, 0.0f},
        {"abc", 0, 0, 0xabc, 0.0f},
        {"1e2", 1, 1, 0x1e2, 100.0f},
        {"1e300", 1, 1, 0x1e300, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(core::str2unsigned(c.text), c.as_unsigned);
        EXPECT_EQ(core::str2int(c.text), c.as_int);
        EXPECT_EQ(core::hex2unsigned(c.text), c.as_hex);
        if (c.text == "1e300")
            EXPECT_TRUE(std::isinf(core::str2float(c.text)));
        else
            EXPECT_EQ(core::str2float(c.text), c.as_float);
    }
}

TEST(StrUtils, TruthWords) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"true", true}, {"yes", true}, {"1", true}, {"True", false}, {"no", false}, {"0", false}, {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(core::str2bool(c.first), c.second) << c.first;
    EXPECT_EQ(core::bool2str(true), "true");
    EXPECT_EQ(core::bool2str(false), "false");
}

TEST(StrUtils, NumberWriters) {
    EXPECT_EQ(core::unsigned2str(4000000000u), "4000000000");
    EXPECT_EQ(core::unsigned2hex(255), "ff");
    EXPECT_EQ(core::unsigned2hex(0), "0");
    EXPECT_EQ(core::float2str(0.1f), "0.1");
    EXPECT_EQ(core::float2str(1.25f), "1.25");
    EXPECT_EQ(core::float2str(1000000.0f), "1e+06");
    EXPECT_EQ(core::float2str(2.0f), "2");
}

TEST(StrUtils, TimeAsHoursMinutesSeconds) {
    const std::vector<std::pair<unsigned int, std::string>> cases = {
        {0, "00:00:00"}, {59, "00:00:59"}, {3725, "01:02:05"}, {360000, "100:00:00"}, {86399, "23:59:59"},
    };
    for (const auto& c : cases) EXPECT_EQ(core::time2str(c.first), c.second) << c.first;
}

// A global locale that writes decimal commas must not leak into numbers.
struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(StrUtils, NumbersIgnoreTheGlobalLocale) {
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    EXPECT_EQ(core::float2str(0.5f), "0.5");
    EXPECT_EQ(core::unsigned2str(1234567), "1234567");
    EXPECT_EQ(core::str2unsigned("1234"), 1234u);
    EXPECT_EQ(core::Value(std::string("0.5")).as_float(), 0.5f);
    EXPECT_EQ(core::Value(0.25).as_string(), "0.25");
    std::locale::global(previous);
}

TEST(StrUtils, FloatTextIgnoresTheCLocale) {
    const char* names[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "ru_RU.UTF-8"};
    const char* chosen = nullptr;
    for (const char* name : names) {
        if (std::setlocale(LC_NUMERIC, name)) {
            chosen = name;
            break;
        }
    }
    if (!chosen) GTEST_SKIP() << "no locale with a decimal comma installed";
    const float parsed = core::str2float("0.5");
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(parsed, 0.5f);
}

}  // namespace
