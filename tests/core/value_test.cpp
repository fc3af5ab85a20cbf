#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "vantle/core/value.h"

namespace {

using core::Value;

TEST(Value, TextReadsAsTheLongestNumberPrefix) {
    struct Case {
        std::string text;
        int as_int;
        unsigned int as_unsigned;
        short as_short;
        float as_float;
        double as_double;
        unsigned char as_char;
    };
    const std::vector<Case> cases = {
        {"12abc", 12, 12, 12, 12.0f, 12.0, '1'},
        {" 7", 7, 7, 7, 7.0f, 7.0, '7'},
        {"abc", 0, 0, 0, 0.0f, 0.0, 'a'},
        {"", 0, 0, 0, 0.0f, 0.0, 0},
        {"-3", -3, 4294967293u, -3, -3.0f, -3.0, '-'},
        {"2.75x", 2, 2, 2, 2.75f, 2.75, '2'},
        {"1e3", 1, 1, 1, 1000.0f, 1000.0, '1'},
        {"A", 0, 0, 0, 0.0f, 0.0, 65},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Value v(c.text);
        EXPECT_EQ(v.as_int32(), c.as_int);
        EXPECT_EQ(v.as_uint32(), c.as_unsigned);
        EXPECT_EQ(v.as_int16(), c.as_short);
        EXPECT_EQ(v.as_uint16(), static_cast<unsigned short>(c.as_short));
        EXPECT_FLOAT_EQ(v.as_float(), c.as_float);
        EXPECT_DOUBLE_EQ(v.as_double(), c.as_double);
        EXPECT_EQ(v.as_uint8(), c.as_char);
    }
}

TEST(Value, TruthOfTextFollowsTheWordRuleOrTheNumbersZeroAndOne) {
    struct Case {
        std::string text;
        bool word;
        bool number;
    };
    const std::vector<Case> cases = {
        {"1", true, true},    {"yes", true, false},    {"true", true, false},  {"0", false, false},
        {"no", false, false}, {"false", false, false}, {"True", false, false}, {"", false, false},
        {"2", false, false},  {" 1", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Value(c.text).get_bool(), c.word);
        EXPECT_EQ(Value(c.text).as_bool(), c.word);
        EXPECT_EQ(Value(c.text).get<bool>(), c.number);
    }
}

TEST(Value, NumbersConvertByValueBetweenTypes) {
    struct Case {
        const char* name;
        Value value;
        int as_int;
        unsigned int as_unsigned;
        short as_short;
        unsigned char as_char;
        float as_float;
        double as_double;
        bool as_bool;
    };
    const std::vector<Case> cases = {
        {"int 5", Value(5), 5, 5u, 5, 5, 5.0f, 5.0, true},
        {"int -2", Value(-2), -2, 4294967294u, -2, 254, -2.0f, -2.0, true},
        {"short -7", Value(static_cast<short>(-7)), -7, 4294967289u, -7, 249, -7.0f, -7.0, true},
        {"ushort 300", Value(static_cast<unsigned short>(300)), 300, 300u, 300, 44, 300.0f, 300.0, true},
        {"uchar 65", Value(static_cast<unsigned char>(65)), 65, 65u, 65, 65, 65.0f, 65.0, true},
        {"uint 7", Value(7u), 7, 7u, 7, 7, 7.0f, 7.0, true},
        {"float 2.5", Value(2.5f), 2, 2u, 2, 2, 2.5f, 2.5, true},
        {"float -1.5", Value(-1.5f), -1, 0u, -1, 0, -1.5f, -1.5, true},
        {"double 0.25", Value(0.25), 0, 0u, 0, 0, 0.25f, 0.25, true},
        {"double huge", Value(1e300), std::numeric_limits<int>::max(),
         std::numeric_limits<unsigned int>::max(), std::numeric_limits<short>::max(), 255,
         std::numeric_limits<float>::infinity(), 1e300, true},
        {"bool true", Value(true), 1, 1u, 1, 1, 1.0f, 1.0, true},
        {"bool false", Value(false), 0, 0u, 0, 0, 0.0f, 0.0, false},
        {"unset", Value(), 0, 0u, 0, 0, 0.0f, 0.0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.value.as_int32(), c.as_int);
        EXPECT_EQ(c.value.as_uint32(), c.as_unsigned);
        EXPECT_EQ(c.value.as_int16(), c.as_short);
        EXPECT_EQ(c.value.as_uint8(), c.as_char);
        EXPECT_EQ(c.value.as_float(), c.as_float);
        EXPECT_EQ(c.value.as_double(), c.as_double);
        EXPECT_EQ(c.value.get<bool>(), c.as_bool);
        EXPECT_EQ(c.value.get_bool(), c.as_bool);
    }
}

TEST(Value, NotANumberReadsAsZeroInIntegers) {
    const Value nan(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(nan.as_int32(), 0);
    EXPECT_EQ(nan.as_uint32(), 0u);
    EXPECT_TRUE(std::isnan(nan.as_float()));
}

TEST(Value, TextAndTypeNames) {
    struct Case {
        Value value;
        std::string text;
        std::string type_name;
    };
    Value held_text(std::string("x"));
    held_text = 3;
    const std::vector<Case> cases = {
        {Value(std::string("hi")), "hi", "STRING"},
        {Value("literal"), "literal", "STRING"},
        {Value(static_cast<short>(-4)), "-4", "INT16"},
        {Value(-40), "-40", "INT32"},
        {Value(static_cast<unsigned char>('A')), "A", "UINT8"},
        {Value(static_cast<unsigned short>(65535)), "65535", "UINT16"},
        {Value(4000000000u), "4000000000", "UINT32"},
        {Value(0.1f), "0.1", "FLOAT"},
        {Value(0.5), "0.5", "DOUBLE"},
        {Value(1.25), "1.25", "DOUBLE"},
        {Value(1000000.0), "1e+06", "DOUBLE"},
        {Value(true), "true", "BOOL"},
        {Value(false), "false", "BOOL"},
        {Value(), "", "UNSET"},
        {held_text, "3", "INT32"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.value.as_string(), c.text);
        EXPECT_EQ(c.value.get_typename(), c.type_name);
    }
}

TEST(Value, UnsetLeavesNoTraceOfTheOldText) {
    Value v(std::string("old"));
    v.unset();
    EXPECT_EQ(v.get_type(), Value::UNSET);
    EXPECT_EQ(v.as_string(), "");
    EXPECT_EQ(v.as_int32(), 0);
    v = 9;
    EXPECT_EQ(v.as_string(), "9");
    v.convert(Value::STRING);
    EXPECT_EQ(v.as_string(), "9");
}

TEST(Value, ConvertInPlace) {
    struct Case {
        const char* name;
        Value from;
        Value::type target;
        Value expected;
    };
    const std::vector<Case> cases = {
        {"text to int", Value("42abc"), Value::INT32, Value(42)},
        {"text to float", Value("0.5"), Value::FLOAT, Value(0.5f)},
        {"text to bool takes digits", Value("1"), Value::BOOL, Value(true)},
        {"word to bool is false", Value("yes"), Value::BOOL, Value(false)},
        {"text to char", Value("A"), Value::UINT8, Value(static_cast<unsigned char>(65))},
        {"int to float", Value(5), Value::FLOAT, Value(5.0f)},
        {"int to double", Value(-5), Value::DOUBLE, Value(-5.0)},
        {"float to int truncates", Value(3.75f), Value::INT32, Value(3)},
        {"double to short", Value(-2.5), Value::INT16, Value(static_cast<short>(-2))},
        {"int to bool", Value(7), Value::BOOL, Value(true)},
        {"bool to uint", Value(true), Value::UINT32, Value(1u)},
        {"uint8 to string", Value(static_cast<unsigned char>('z')), Value::STRING, Value("z")},
        {"float to string", Value(1.25f), Value::STRING, Value("1.25")},
        {"same tag", Value(3), Value::INT32, Value(3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Value v = c.from;
        v.convert(c.target);
        EXPECT_EQ(v.get_type(), c.target);
        EXPECT_TRUE(v == c.expected) << v.as_string() << " vs " << c.expected.as_string();
    }
}

TEST(Value, ConvertToATagOutsideTheEnumerationDoesNothing) {
    Value v(5);
    v.convert(static_cast<Value::type>(11));
    EXPECT_EQ(v.get_type(), Value::INT32);
    v.convert(Value::UNSET);
    EXPECT_EQ(v.get_typename(), "UNSET");
}

TEST(Value, EqualityNeedsEqualTags) {
    EXPECT_TRUE(Value(3) == Value(3));
    EXPECT_FALSE(Value(3) == Value(3u));
    EXPECT_FALSE(Value(3) == Value("3"));
    EXPECT_TRUE(Value("ab") == Value(std::string("ab")));
    EXPECT_FALSE(Value("ab") == Value(std::string("ab\0", 3)));
    EXPECT_TRUE(Value(0.5) == Value(0.5));
    EXPECT_FALSE(Value() == Value());
    EXPECT_TRUE(Value() != Value());
}

TEST(Value, OrderingConvertsTheRightOperandByValue) {
    struct Case {
        const char* name;
        Value left;
        Value right;
        bool less;
        bool less_equal;
        bool greater;
        bool greater_equal;
    };
    const std::vector<Case> cases = {
        {"ints", Value(1), Value(2), true, true, false, false},
        {"equal ints", Value(2), Value(2), false, true, false, true},
        {"signed", Value(-1), Value(1), true, true, false, false},
        {"unsigned", Value(1u), Value(4000000000u), true, true, false, false},
        {"float vs int", Value(2.5f), Value(2), false, false, true, true},
        {"int vs float truncates", Value(2), Value(2.5f), false, true, false, true},
        {"double vs int", Value(4.0), Value(5), true, true, false, false},
        {"int vs text", Value(10), Value("9"), false, false, true, true},
        {"text vs int compares text", Value("10"), Value(9), true, true, false, false},
        {"prefix is smaller", Value("ab"), Value("abc"), true, true, false, false},
        {"bytes", Value("b"), Value("abc"), false, false, true, true},
        {"bools", Value(false), Value(true), true, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.left < c.right, c.less);
        EXPECT_EQ(c.left <= c.right, c.less_equal);
        EXPECT_EQ(c.left > c.right, c.greater);
        EXPECT_EQ(c.left >= c.right, c.greater_equal);
    }
}

TEST(Value, OrderingUnsetThrowsTheTypeMessage) {
    try {
        (void)(Value() < Value(1));
        FAIL() << "no exception";
    } catch (const char* message) {
        EXPECT_STREQ(message, "wrong Value::type");
    }
    Value int8(1);
    int8.convert(Value::INT8);
    EXPECT_THROW((void)(int8 <= Value(1)), const char*);
    // Only the left operand's tag decides: an UNSET right operand converts to 0.
    EXPECT_TRUE(Value(1) >= Value());
}

TEST(Value, CopiesAreIndependent) {
    Value a(std::string("one"));
    Value b = a;
    a = 2;
    EXPECT_EQ(b.as_string(), "one");
    b = a;
    EXPECT_EQ(b.as_int32(), 2);
}

}  // namespace
