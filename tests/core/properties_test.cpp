#include <gtest/gtest.h>

#include <string>

#include "vantle/core/properties.h"

namespace {

class Label {
public:
    core::Value GetText() { return core::Value(_text); }
    core::Value GetLength() const { return core::Value(static_cast<int>(_text.size())); }
    void SetText(const core::Value& value) { _text = value.as_string(); }

    std::string _text = "start";
};

TEST(Properties, ReadAndWriteThroughGettersAndSetters) {
    Label label;
    core::Properties properties;
    properties.Add("text", new core::Property<Label>(&label, &Label::GetText, &Label::SetText));
    properties.Add("length", new core::Property<Label>(&label, &Label::GetLength, nullptr));

    EXPECT_EQ(properties.Get("text").as_string(), "start");
    properties.Set("text", core::Value(std::string("hello")));
    EXPECT_EQ(label._text, "hello");
    EXPECT_EQ(properties.Get("length").as_int32(), 5);

    // Without a setter, Set does nothing; without a property, Get is UNSET and Set is harmless.
    properties.Set("length", core::Value(1));
    EXPECT_EQ(properties.Get("length").as_int32(), 5);
    EXPECT_EQ(properties.Get("missing").get_type(), core::Value::UNSET);
    properties.Set("missing", core::Value(1));
    EXPECT_EQ(label._text, "hello");
}

TEST(Properties, WithoutAGetterAPropertyIsUnsetAndAddReplaces) {
    Label label;
    core::Properties properties;
    properties.Add("text", new core::Property<Label>(&label, &Label::GetText, &Label::SetText));
    properties.Add("text", new core::Property<Label>(
                               &label, static_cast<core::Property<Label>::Getter>(nullptr), &Label::SetText));
    EXPECT_EQ(properties.Get("text").get_type(), core::Value::UNSET);
    properties.Set("text", core::Value(std::string("set")));
    EXPECT_EQ(label._text, "set");
}

}  // namespace
