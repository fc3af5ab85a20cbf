#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/capture_log.h"
#include "vantle/core/functor_factory.h"

namespace {

using core::Functor;
using core::FunctorFactory;
using Calls = std::vector<std::string>;

Calls g_calls;

struct Named : Functor {
    explicit Named(std::string name) : name(std::move(name)) {}
    void operator()() override { g_calls.push_back(name); }
    std::string name;
};

Functor* CreateF(const std::string& argument) {
    return new Named("f:" + argument);
}
Functor* CreateNothing(const std::string&) {
    return nullptr;
}

FunctorFactory* Factory() {
    return FunctorFactory::instance();
}

class FunctorGrammar : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Factory()->Register("a", core::ptr<Functor>(new Named("a")));
        Factory()->Register("b", core::ptr<Functor>(new Named("b")));
        Factory()->Register("exit", core::ptr<Functor>(new Named("exit")));
        Factory()->Register("f", &CreateF);
        Factory()->Register("null", &CreateNothing);
    }
    void SetUp() override { g_calls.clear(); }
};

TEST_F(FunctorGrammar, SpecsRunTheirPartsInOrder) {
    struct Case {
        std::string command;
        Calls calls;
        std::size_t warnings;
    };
    const std::vector<Case> cases = {
        {"a", {"a"}, 0},          {"a(7)", {"a"}, 0},
        {"exit()", {"exit"}, 0},  {"a;b", {"a", "b"}, 0},
        {"a;x;b", {"a", "b"}, 1}, {"a;", {"a"}, 1},
        {"a; b", {"a"}, 1},       {";", {}, 2},
        {"a;;b", {"a", "b"}, 1},  {"f(5)", {"f:5"}, 0},
        {"f", {"f:"}, 0},         {"f()", {"f:"}, 0},
        {"f(", {"f:"}, 0},        {"f(a(b))", {"f:a"}, 0},
        {"f(x)junk", {"f:x"}, 0}, {"f(1);a;f(2)", {"f:1", "a", "f:2"}, 0},
        {"x;y", {}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("command '" + c.command + "'");
        g_calls.clear();
        test::CaptureLog log;
        core::ptr<Functor> action = Factory()->Create(c.command);
        ASSERT_FALSE(action.empty());
        (*action)();
        EXPECT_EQ(g_calls, c.calls);
        EXPECT_EQ(log.Lines().size(), c.warnings);
        for (const std::string& line : log.Lines())
            EXPECT_EQ(line, "Warning: invalid functor in FunctorChain()");
    }
}

TEST_F(FunctorGrammar, UnknownSingleNamesGiveEmptyPointers) {
    test::CaptureLog log;
    for (const char* command : {"", "x", " a", "a ", "x(1)", "null", "null(3)"}) {
        SCOPED_TRACE(command);
        EXPECT_TRUE(Factory()->Create(command).empty());
    }
    EXPECT_TRUE(log.Lines().empty());
}

TEST_F(FunctorGrammar, ChainRunsAgainAndWarnsEveryRun) {
    test::CaptureLog log;
    core::ptr<Functor> action = Factory()->Create("a;missing");
    (*action)();
    (*action)();
    EXPECT_EQ(g_calls, (Calls{"a", "a"}));
    EXPECT_EQ(log.Lines().size(), 2u);
}

TEST_F(FunctorGrammar, InstancesAreSharedAndCreatorsMakeFreshFunctors) {
    EXPECT_EQ(Factory()->Create("exit").get(), Factory()->Create("exit()").get());
    core::ptr<Functor> first = Factory()->Create("f(1)");
    core::ptr<Functor> second = Factory()->Create("f(1)");
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(first.use_count(), 1);
}

TEST(FunctorFactory, CreatorWinsOverInstanceAndReplacementReleasesTheOld) {
    Factory()->Register("both", &CreateF);
    Factory()->Register("both", core::ptr<Functor>(new Named("instance")));
    g_calls.clear();
    (*Factory()->Create("both(z)"))();
    EXPECT_EQ(g_calls, (Calls{"f:z"}));

    core::ptr<Functor> old(new Named("old"));
    Factory()->Register("replaced", old);
    EXPECT_EQ(old.use_count(), 2);
    Factory()->Register("replaced", core::ptr<Functor>(new Named("new")));
    EXPECT_EQ(old.use_count(), 1);
}

// A window that registers an action bound to itself, as game windows do.
class Window {
public:
    explicit Window(int id) : _id(id), _reset(new core::ObjectFunctor<Window>(this, &Window::Reset)) {
        Factory()->Register("window_reset", _reset);
    }
    ~Window() {
        if (FunctorFactory::exists()) Factory()->Unregister("window_reset", _reset);
    }
    void Reset() { g_calls.push_back("reset " + std::to_string(_id)); }

private:
    int _id;
    core::ptr<Functor> _reset;
};

TEST(FunctorFactory, UnregisterClearsOnlyTheFunctorItWasGiven) {
    g_calls.clear();
    auto first = std::make_unique<Window>(1);
    (*Factory()->Create("window_reset"))();
    auto second = std::make_unique<Window>(2);
    first.reset();  // must leave the successor's action in place
    (*Factory()->Create("window_reset"))();
    second.reset();
    EXPECT_TRUE(Factory()->Create("window_reset").empty());
    EXPECT_EQ(g_calls, (Calls{"reset 1", "reset 2"}));
}

TEST(FunctorFactory, UnregisterKeepsACreatorInForce) {
    core::ptr<Functor> instance(new Named("instance"));
    Factory()->Register("keeps_creator", &CreateF);
    Factory()->Register("keeps_creator", instance);
    Factory()->Unregister("keeps_creator", instance);
    Factory()->Unregister("never_registered", instance);
    EXPECT_EQ(instance.use_count(), 1);
    g_calls.clear();
    (*Factory()->Create("keeps_creator(k)"))();
    EXPECT_EQ(g_calls, (Calls{"f:k"}));
}

}  // namespace
