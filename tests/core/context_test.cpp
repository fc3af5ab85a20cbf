#include <gtest/gtest.h>

#include <tinyxml.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vantle/core/context.h"
#include "vantle/core/observer.h"

namespace {

using core::Context;
using core::Value;
using Calls = std::vector<std::string>;

Context* Store() {
    return Context::instance();
}

// Records its name on every notification, then runs its action.
struct Recorder : core::Observer {
    Recorder(std::string name, Calls* calls) : name(std::move(name)), calls(calls) {}
    void OnUpdate() override {
        calls->push_back(name);
        // A copy: the action may destroy this recorder.
        const std::function<void()> run = action;
        if (run) run();
    }
    std::string name;
    Calls* calls;
    std::function<void()> action;
};

// A bound element as screen elements build them: refresh first, then read.
struct BoundElement : Context::Link {
    BoundElement(const std::string& key, std::string name, Calls* calls)
        : Link(key), name(std::move(name)), calls(calls) {}
    BoundElement(TiXmlElement* element, std::string name, Calls* calls)
        : Link(element), name(std::move(name)), calls(calls) {}
    void OnUpdate() override {
        UpdateFromContext();
        calls->push_back(name + "=" + GetValue().as_string());
    }
    std::string name;
    Calls* calls;
};

TEST(Context, UnsetKeyReadsAsUnset) {
    EXPECT_EQ(Store()->Get("never_set").get_type(), Value::UNSET);
    Store()->Set("score", Value(12));
    EXPECT_EQ(Store()->Get("score").as_int32(), 12);
}

TEST(Context, EverySetNotifiesEvenWhenUnchanged) {
    Calls calls;
    Recorder recorder("r", &calls);
    Store()->Subscribe("twice", &recorder);
    Store()->Set("twice", Value(1));
    Store()->Set("twice", Value(1));
    Store()->Unsubscribe("twice", &recorder);
    Store()->Set("twice", Value(1));
    EXPECT_EQ(calls, (Calls{"r", "r"}));
    Store()->Unsubscribe("no_observers_here", &recorder);
}

TEST(Context, ObserverAttachedTwiceIsCalledTwiceAndDetachedOnceAtATime) {
    Calls calls;
    Recorder recorder("r", &calls);
    Store()->Subscribe("dup", &recorder);
    Store()->Subscribe("dup", &recorder);
    Store()->Set("dup", Value(1));
    Store()->Unsubscribe("dup", &recorder);
    Store()->Set("dup", Value(2));
    Store()->Unsubscribe("dup", &recorder);
    Store()->Set("dup", Value(3));
    EXPECT_EQ(calls, (Calls{"r", "r", "r"}));
}

TEST(ContextLink, ElementWithoutKeyStaysUnconnected) {
    Calls calls;
    Recorder watcher("watcher", &calls);
    Store()->Subscribe("", &watcher);
    TiXmlElement element("image");
    BoundElement link(&element, "link", &calls);
    EXPECT_FALSE(link.IsConnected());
    link.SetValue(Value(5));
    EXPECT_EQ(link.GetValue().as_int32(), 5);
    EXPECT_TRUE(calls.empty());
    Store()->Unsubscribe("", &watcher);
}

TEST(ContextLink, ElementKeyBindsAndConnectingCreatesTheKey) {
    Calls calls;
    TiXmlElement element("slider");
    element.SetAttribute("value_key", "element_key");
    BoundElement link(&element, "link", &calls);
    EXPECT_TRUE(link.IsConnected());
    EXPECT_EQ(link.GetKey(), "element_key");
    EXPECT_EQ(link.GetValue().get_type(), Value::UNSET);
    EXPECT_TRUE(calls.empty());  // connecting does not call the link's own OnUpdate
    Store()->Set("element_key", Value(std::string("on")));
    EXPECT_EQ(calls, (Calls{"link=on"}));
}

TEST(ContextLink, ConnectingNotifiesExistingObserversOnceWithTheValueUnchanged) {
    Calls calls;
    Store()->Set("volume", Value(40));
    Recorder recorder("r", &calls);
    Store()->Subscribe("volume", &recorder);
    Context::Link link("volume");
    EXPECT_EQ(calls, (Calls{"r"}));
    EXPECT_EQ(Store()->Get("volume").as_int32(), 40);
    EXPECT_EQ(link.GetValue().as_int32(), 40);
    Store()->Unsubscribe("volume", &recorder);
}

TEST(ContextLink, SetValueNotifiesEveryLinkOnTheKeyInConnectOrder) {
    Calls calls;
    BoundElement first("shared", "first", &calls);
    BoundElement second("shared", "second", &calls);
    EXPECT_EQ(calls, (Calls{"first="}));  // the second connection notified the first link
    calls.clear();
    second.SetValue(Value(7));
    EXPECT_EQ(calls, (Calls{"first=7", "second=7"}));
    EXPECT_EQ(Store()->Get("shared").as_int32(), 7);
}

TEST(ContextLink, ReconnectedLinkIgnoresItsOldKey) {
    Calls calls;
    BoundElement link("key_a", "link", &calls);
    link.Connect("key_b");
    Store()->Set("key_a", Value(1));
    EXPECT_TRUE(calls.empty());
    Store()->Set("key_b", Value(2));
    EXPECT_EQ(calls, (Calls{"link=2"}));
}

TEST(ContextLink, DestroyedLinkIsNeverNotifiedAgain) {
    Calls calls;
    { BoundElement link("gone", "link", &calls); }
    Store()->Set("gone", Value(1));
    EXPECT_TRUE(calls.empty());
}

TEST(ContextLink, LinkOutlivingTheStoreDoesNotBringItBack) {
    auto link = std::make_unique<Context::Link>("late");
    Context::destroy();
    link.reset();
    EXPECT_FALSE(Context::exists());
}

// The observer list changing while it is notified.
TEST(ContextNotification, ObserversChangingTheListDuringAPass) {
    struct Scenario {
        const char* name;
        // Sets up observers r0..r2 on the key (in that order) and their actions.
        std::function<void(const std::string& key, std::vector<std::unique_ptr<Recorder>>&)> arrange;
        Calls first_pass;
        Calls second_pass;
    };
    const std::vector<Scenario> scenarios = {
        {"detaches a later observer",
         [](const std::string& key, std::vector<std::unique_ptr<Recorder>>& r) {
             Recorder* later = r[2].get();
             r[0]->action = [key, later] { Store()->Unsubscribe(key, later); };
         },
         {"r0", "r1"},
         {"r0", "r1"}},
        {"destroys a later observer",
         [](const std::string& key, std::vector<std::unique_ptr<Recorder>>& r) {
             auto* slot = &r[1];
             r[0]->action = [key, slot] {
                 if (!*slot) return;
                 Store()->Unsubscribe(key, slot->get());
                 slot->reset();
             };
         },
         {"r0", "r2"},
         {"r0", "r2"}},
        {"detaches itself",
         [](const std::string& key, std::vector<std::unique_ptr<Recorder>>& r) {
             Recorder* self = r[1].get();
             r[1]->action = [key, self] { Store()->Unsubscribe(key, self); };
         },
         {"r0", "r1", "r2"},
         {"r0", "r2"}},
        {"destroys itself",
         [](const std::string& key, std::vector<std::unique_ptr<Recorder>>& r) {
             auto* slot = &r[0];
             r[0]->action = [key, slot] {
                 Store()->Unsubscribe(key, slot->get());
                 slot->reset();  // ends the running OnUpdate's object; the pass must not touch it again
             };
         },
         {"r0", "r1", "r2"},
         {"r1", "r2"}},
        {"attaches a new observer",
         [](const std::string& key, std::vector<std::unique_ptr<Recorder>>& r) {
             Recorder* added = r[2].get();
             Store()->Unsubscribe(key, added);
             auto attached = std::make_shared<bool>(false);
             r[0]->action = [key, added, attached] {
                 if (*attached) return;
                 *attached = true;
                 Store()->Subscribe(key, added);
             };
         },
         {"r0", "r1"},
         {"r0", "r1", "r2"}},
        {"nested set on the same key runs depth first",
         [](const std::string& key, std::vector<std::unique_ptr<Recorder>>& r) {
             auto depth = std::make_shared<int>(0);
             r[0]->action = [key, depth] {
                 if (*depth > 0) return;
                 ++*depth;
                 Store()->Set(key, Value(2));
                 --*depth;
             };
         },
         {"r0", "r0", "r1", "r2", "r1", "r2"},
         {"r0", "r0", "r1", "r2", "r1", "r2"}},
        {"nested pass destroys an observer the outer pass has yet to reach",
         [](const std::string& key, std::vector<std::unique_ptr<Recorder>>& r) {
             auto nested = std::make_shared<bool>(false);
             r[0]->action = [key, nested] {
                 if (*nested) return;
                 *nested = true;
                 Store()->Set(key, Value(2));
                 *nested = false;
             };
             auto* victim = &r[2];
             r[1]->action = [key, victim] {
                 if (!*victim) return;
                 Store()->Unsubscribe(key, victim->get());
                 victim->reset();
             };
         },
         {"r0", "r0", "r1", "r1"},
         {"r0", "r0", "r1", "r1"}},
    };
    int round = 0;
    for (const Scenario& scenario : scenarios) {
        SCOPED_TRACE(scenario.name);
        const std::string key = "pass_" + std::to_string(round++);
        Calls calls;
        std::vector<std::unique_ptr<Recorder>> recorders;
        for (int i = 0; i < 3; ++i) {
            recorders.push_back(std::make_unique<Recorder>("r" + std::to_string(i), &calls));
            Store()->Subscribe(key, recorders.back().get());
        }
        scenario.arrange(key, recorders);
        Store()->Set(key, Value(1));
        EXPECT_EQ(calls, scenario.first_pass);
        calls.clear();
        Store()->Set(key, Value(1));
        EXPECT_EQ(calls, scenario.second_pass);
        for (auto& recorder : recorders)
            if (recorder) Store()->Unsubscribe(key, recorder.get());
    }
}

TEST(ContextNotification, LinkMovingToAnotherKeyDuringAPass) {
    Calls calls;
    struct Mover : Context::Link {
        using Link::Link;
        void OnUpdate() override {
            if (armed) Connect("moved_to");
        }
        bool armed = false;
    };
    Mover mover("move_from");
    BoundElement after("move_from", "after", &calls);
    BoundElement watcher("moved_to", "watcher", &calls);
    mover.armed = true;
    calls.clear();
    Store()->Set("move_from", Value(3));
    EXPECT_EQ(calls, (Calls{"watcher=", "after=3"}));
    calls.clear();
    Store()->Set("move_from", Value(4));
    EXPECT_EQ(calls, (Calls{"after=4"}));
}

TEST(ContextNotification, NestedSetSeesTheLatestValue) {
    Calls calls;
    Recorder writer("writer", &calls);
    writer.action = [] {
        if (Store()->Get("latest").as_int32() < 3)
            Store()->Set("latest", Value(Store()->Get("latest").as_int32() + 1));
    };
    Store()->Subscribe("latest", &writer);
    BoundElement reader("latest", "reader", &calls);
    calls.clear();
    Store()->Set("latest", Value(0));
    // Depth first: the innermost pass (value 3) reaches the reader first; outer passes then see 3 too.
    EXPECT_EQ(calls, (Calls{"writer", "writer", "writer", "writer", "reader=3", "reader=3", "reader=3",
                            "reader=3"}));
    Store()->Unsubscribe("latest", &writer);
}

TEST(Observable, DetachedDuringPassIsCompactedAfterwards) {
    Calls calls;
    core::Observable list;
    Recorder a("a", &calls), b("b", &calls);
    list.AttachObserver(&a);
    list.AttachObserver(&b);
    list.AttachObserver(nullptr);
    a.action = [&] { list.DetachObserver(&b); };
    list.Notify();
    EXPECT_EQ(list.size(), 1u);
    list.DetachObserver(&a);
    list.DetachObserver(&a);
    list.Notify();
    EXPECT_EQ(calls, (Calls{"a"}));
}

}  // namespace
