#include <gtest/gtest.h>
#include <tinyxml.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/capture_log.h"
#include "vantle/core/ptr.h"
#include "vantle/utils/element_factory.h"

namespace {

// What the creators below make: the kind, and the tag of the element it was made from.
struct Shape {
    Shape(const std::string& kind_, TiXmlElement* element)
        : kind(kind_), made_from(utils::ElementName(element)) {
        ++alive;
    }
    ~Shape() { --alive; }

    std::string kind;
    std::string made_from;
    static int alive;
};

int Shape::alive = 0;

Shape* MakeCircle(TiXmlElement* element) {
    return new Shape("circle", element);
}
Shape* MakeSquare(TiXmlElement* element) {
    return new Shape("square", element);
}
Shape* MakeNothing(TiXmlElement*) {
    return nullptr;
}

using Factory = utils::ElementFactory<Shape>;
using Registrations = std::vector<std::pair<std::string, Factory::Creator>>;

// The kind made for the tag; empty when nothing is made.
std::string Made(const Factory& factory, const char* tag) {
    TiXmlElement element(tag);
    Shape* shape = factory.Create(&element);
    if (!shape) return "";
    const std::string kind = shape->kind;
    EXPECT_EQ(shape->made_from, tag);
    delete shape;
    return kind;
}

TEST(ElementFactory, RegistrationRules) {
    const struct {
        const char* rule;
        Registrations registrations;
        const char* tag;
        const char* made;
    } cases[] = {
        {"an unregistered name makes nothing", {{"circle", &MakeCircle}}, "square", ""},
        {"names match exactly, letter case included", {{"circle", &MakeCircle}}, "Circle", ""},
        {"the last registration of a name wins",
         {{"shape", &MakeCircle}, {"shape", &MakeSquare}},
         "shape",
         "square"},
        {"a null creator removes the name", {{"circle", &MakeCircle}, {"circle", nullptr}}, "circle", ""},
        {"a removed name can be registered again",
         {{"circle", &MakeCircle}, {"circle", nullptr}, {"circle", &MakeSquare}},
         "circle",
         "square"},
        {"two names may share one creator",
         {{"edit", &MakeCircle}, {"editbox", &MakeCircle}},
         "editbox",
         "circle"},
        {"other names keep their creators",
         {{"circle", &MakeCircle}, {"square", &MakeSquare}},
         "circle",
         "circle"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        test::CaptureLog log;
        Factory factory;
        for (const auto& registration : c.registrations)
            factory.Register(registration.first, registration.second);
        EXPECT_EQ(Made(factory, c.tag), c.made);
        EXPECT_EQ(factory.IsRegistered(c.tag), std::string(c.made) != "");
        EXPECT_TRUE(log.Lines().empty());
    }
    EXPECT_EQ(Shape::alive, 0);
}

TEST(ElementFactory, AGivenNameChoosesTheKindInsteadOfTheTag) {
    Factory factory;
    factory.Register("circle", &MakeCircle);
    TiXmlElement square("square");
    EXPECT_EQ(factory.Create(nullptr), nullptr);
    EXPECT_EQ(factory.Create(&square, "square"), nullptr);
    std::unique_ptr<Shape> by_name(factory.Create(&square, "circle"));
    ASSERT_TRUE(by_name);
    EXPECT_EQ(by_name->kind + " from " + by_name->made_from, "circle from square");
}

TEST(ElementFactory, SharedResultsTakeOverWhatTheCreatorMade) {
    utils::ElementFactory<Shape, core::ptr<Shape>> factory;
    factory.Register("circle", &MakeCircle);
    factory.Register("hole", &MakeNothing);
    TiXmlElement circle("circle");
    TiXmlElement hole("hole");
    TiXmlElement unknown("unknown");
    {
        core::ptr<Shape> made = factory.Create(&circle);
        ASSERT_TRUE(made);
        EXPECT_EQ(made.use_count(), 1);
        EXPECT_EQ(Shape::alive, 1);
        EXPECT_TRUE(factory.Create(&hole).empty());
        EXPECT_TRUE(factory.Create(&unknown).empty());
    }
    EXPECT_EQ(Shape::alive, 0);
}

}  // namespace
