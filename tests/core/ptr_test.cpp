#include <gtest/gtest.h>

#include "vantle/core/ptr.h"
#include "vantle/core/singleton.h"
#include "vantle/utils/cache.h"

namespace {

struct Tracked {
    explicit Tracked(int* deaths) : deaths(deaths) {}
    virtual ~Tracked() { ++*deaths; }
    int* deaths;
};

struct Derived : Tracked {
    using Tracked::Tracked;
};

TEST(Ptr, SelfAssignmentAndSharedHolderKeepTheObjectAlive) {
    int deaths = 0;
    core::ptr<Tracked> a(new Tracked(&deaths));
    core::ptr<Tracked> b = a;
    auto& alias = a;
    a = alias;
    a = b;
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(a.use_count(), 2);
}

TEST(Ptr, LastReleaseDeletesOnceThroughTheVirtualDestructor) {
    int deaths = 0;
    {
        core::ptr<Tracked> base;
        {
            core::ptr<Derived> derived(new Derived(&deaths));
            base = derived;
            EXPECT_EQ(base.use_count(), 2);
        }
        EXPECT_EQ(deaths, 0);
        core::ptr<Derived> back = core::dynamic_ptr_cast<Derived>(base);
        EXPECT_FALSE(back.empty());
        EXPECT_EQ(base.use_count(), 2);
    }
    EXPECT_EQ(deaths, 1);
}

TEST(Ptr, EmptyForms) {
    core::ptr<Tracked> none;
    core::ptr<Tracked> copy = none;
    core::ptr<Tracked> from_null(static_cast<Tracked*>(nullptr));
    EXPECT_TRUE(none.empty());
    EXPECT_TRUE(copy.empty());
    EXPECT_TRUE(from_null.empty());
    EXPECT_EQ(copy.use_count(), 0);
    EXPECT_EQ(from_null.use_count(), 1);
    EXPECT_TRUE(core::dynamic_ptr_cast<Derived>(from_null).empty());
}

TEST(Ptr, HolderUnrefDeletesObjectAndHolderOnTheLastRelease) {
    int deaths = 0;
    // A holder with an object, and one made from null: the last release deletes only what is there.
    for (Tracked* object : {new Tracked(&deaths), static_cast<Tracked*>(nullptr)}) {
        const int before = deaths;
        auto* holder = new core::ptr<Tracked>::holder{object, 2, &core::detail::DeleteObject<Tracked>};
        holder->unref();
        EXPECT_EQ(holder->count, 1);
        EXPECT_EQ(deaths, before);
        holder->unref();
        EXPECT_EQ(deaths, before + (object ? 1 : 0));
    }
}

int g_creations = 0;
int g_failures = 0;

struct CountingFactory {
    static core::ptr<int> Create(const std::string& key) {
        if (key == "bad") {
            ++g_failures;
            return core::ptr<int>();
        }
        ++g_creations;
        return core::ptr<int>(new int(static_cast<int>(key.size())));
    }
};

TEST(Cache, MakesEachKeyOnceAndRemembersFailuresUntilClear) {
    g_creations = g_failures = 0;
    utils::Cache<int, std::string, CountingFactory> cache;
    core::ptr<int> a = cache.Get("abc");
    core::ptr<int> b = cache.Get("abc");
    EXPECT_EQ(a.get(), b.get());
    EXPECT_EQ(*a, 3);
    EXPECT_TRUE(cache.Get("bad").empty());
    EXPECT_TRUE(cache.Get("bad").empty());
    EXPECT_EQ(g_creations, 1);
    EXPECT_EQ(g_failures, 1);
    EXPECT_EQ(cache.GetKeyList(), (std::list<std::string>{"abc", "bad"}));

    cache.Clear();
    EXPECT_EQ(*a, 3);  // still held here
    EXPECT_NE(cache.Get("abc").get(), a.get());
    cache.Get("bad");
    EXPECT_EQ(g_failures, 2);
}

TEST(Cache, NeverCachedKeysAreMadeEveryTime) {
    g_creations = 0;
    utils::Cache<int, std::string, CountingFactory> cache;
    cache.AddNeverCached("x");
    cache.Get("x");
    cache.Get("x");
    EXPECT_EQ(g_creations, 2);
    EXPECT_TRUE(cache.GetKeyList().empty());
}

std::vector<std::string> g_destroyed;

struct Inner : core::Singleton<Inner> {
    ~Inner() { g_destroyed.push_back("inner"); }
};

struct Outer : core::Singleton<Outer> {
    Outer() { Inner::instance(); }
    ~Outer() { g_destroyed.push_back("outer"); }
};

TEST(Singleton, ExistsOnlyBetweenInstanceAndDestroy) {
    EXPECT_FALSE(Outer::exists());
    Outer* outer = Outer::instance();
    EXPECT_EQ(Outer::instance(), outer);
    EXPECT_TRUE(Outer::exists());
    EXPECT_TRUE(Inner::exists());
}

// Exit handlers run in reverse registration order: the inner singleton, registered first, goes last.
// The check runs in an exit handler registered before both.
void CheckExitOrder() {
    if (g_destroyed != std::vector<std::string>{"outer", "inner"}) {
        std::fprintf(stderr, "singletons destroyed in the wrong order\n");
        std::_Exit(1);
    }
}

const bool g_registered = [] {
    std::atexit(&CheckExitOrder);
    return true;
}();

}  // namespace
