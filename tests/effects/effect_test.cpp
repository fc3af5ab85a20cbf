#include <gtest/gtest.h>
#include <tinyxml.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/probe_effect.h"
#include "support/temp_dir.h"
#include "vantle/effects/effect.h"
#include "vantle/effects/effect_factory.h"
#include "vantle/effects/effects/register.h"

namespace {

using effects::Effect;
using test::ProbeEffect;

// Effect files written by the test into a private folder, removed afterwards.
class EffectFiles : public ::testing::Test {
protected:
    void SetUp() override {
        effects::RegisterEffects();
        ProbeEffect::Register();
        ProbeEffect::Journal().clear();
    }
    std::string Write(const std::string& name, const std::string& text) {
        _dir.Write(name, text);
        return _dir / name;
    }

private:
    test::TempDir _dir;
};

ProbeEffect* Probe(const core::ptr<Effect>& effect) {
    return dynamic_cast<ProbeEffect*>(effect.get());
}

// The names of a node's probe children, in order; "-" for a plain node.
std::vector<std::string> ChildNames(const Effect& node) {
    std::vector<std::string> names;
    for (const auto& child : node.GetChilds()) names.push_back(Probe(child) ? Probe(child)->GetName() : "-");
    return names;
}

TEST_F(EffectFiles, LoadsNestedTreesAndSkipsUnknownNames) {
    std::string path = Write("tree.xml", R"(<?xml version="1.0"?>
<effect x="5" y="7">
  <probe name="a" x="1" y="2">
    <effect x="3">
      <probe name="deep" y="4"/>
    </effect>
  </probe>
  <sparkle><probe name="lost-under-unknown"/></sparkle>
  <Probe name="wrong-case"/>
  <EFFECT><probe name="lost-under-wrong-case"/></EFFECT>
  <probe name="b"/>
</effect>)");
    Effect tree(path);
    EXPECT_EQ(tree.GetPos().x, 0.0f);  // the root's own attributes are not read
    EXPECT_EQ(tree.GetPos().y, 0.0f);
    ASSERT_EQ(ChildNames(tree), (std::vector<std::string>{"a", "b"}));

    const Effect& a = *tree.GetChilds()[0];
    EXPECT_EQ(a.GetPos().x, 1.0f);
    EXPECT_EQ(a.GetPos().y, 2.0f);
    EXPECT_EQ(a.GetParent(), &tree);
    ASSERT_EQ(ChildNames(a), (std::vector<std::string>{"-"}));
    const Effect& plain = *a.GetChilds()[0];
    EXPECT_EQ(plain.GetPos().x, 3.0f);
    ASSERT_EQ(ChildNames(plain), (std::vector<std::string>{"deep"}));
    const Effect& deep = *plain.GetChilds()[0];
    EXPECT_EQ(deep.GetPos().y, 4.0f);
    EXPECT_EQ(const_cast<Effect&>(deep).GetRoot(), &tree);
}

TEST_F(EffectFiles, BrokenOrMissingFilesGiveEmptyTrees) {
    struct Case {
        const char* name;
        const char* text;  // null: the file does not exist
        const char* log;   // expected part of a log line; null: no effect error
    };
    const Case cases[] = {
        {"broken.xml", "<effect><probe name='a'></effect>", "Error loading effect: "},
        {"no_root.xml", "<sprite><probe name='a'/></sprite>", nullptr},
        {"missing.xml", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = c.text ? Write(c.name, c.text) : "/tmp/vantle_no_such_dir/" + std::string(c.name);
        test::CaptureLog log;
        Effect tree(path);
        EXPECT_TRUE(tree.GetChilds().empty());
        EXPECT_FALSE(tree.IsPlaying());
        if (c.log) {
            EXPECT_TRUE(log.Contains(c.log + path + " : "));
        } else {
            EXPECT_FALSE(log.Contains("Error loading effect"));
        }
    }
}

TEST(EffectTree, MissingElementGivesAnEmptyNode) {
    Effect node(static_cast<TiXmlElement*>(nullptr));
    EXPECT_TRUE(node.GetChilds().empty());
    EXPECT_EQ(node.GetPos().x, 0.0f);
    core::ptr<Effect> created(effects::EffectCreate(nullptr));
    ASSERT_TRUE(created);
    EXPECT_TRUE(created->GetChilds().empty());
}

// root
//   a
//     a1
//   s (sound)
//     s1
core::ptr<Effect> SmallTree() {
    core::ptr<Effect> root(new Effect());
    ProbeEffect* a = new ProbeEffect("a");
    a->AddChild(new ProbeEffect("a1"));
    ProbeEffect* s = new ProbeEffect("s", true);
    s->AddChild(new ProbeEffect("s1"));
    root->AddChild(a);
    root->AddChild(s);
    return root;
}

TEST(EffectTree, StartRunsParentsBeforeChildrenAndCanLeaveSoundsIdle) {
    struct Case {
        bool no_sound;
        std::vector<std::string> journal;
    };
    const Case cases[] = {
        {false, {"start a", "start a1", "start s", "start s1"}},
        {true, {"start a", "start a1"}},
    };
    for (const Case& c : cases) {
        ProbeEffect::Journal().clear();
        core::ptr<Effect> root = SmallTree();
        root->Start(c.no_sound);
        EXPECT_EQ(ProbeEffect::Journal(), c.journal);
        EXPECT_TRUE(root->IsRunning());
        EXPECT_EQ(root->GetChilds()[1]->IsRunning(), !c.no_sound);
        EXPECT_EQ(root->GetChilds()[1]->GetChilds()[0]->IsRunning(), !c.no_sound);
    }
}

TEST(EffectTree, UpdatePassesTheAbsoluteTimeAndDropsFinishedChildren) {
    core::ptr<Effect> root(new Effect());
    for (const char* name : {"a", "b", "c"}) root->AddChild(new ProbeEffect(name));
    root->Start(false);
    ProbeEffect::Journal().clear();

    root->Update(1200);
    EXPECT_EQ(ProbeEffect::Journal(),
              (std::vector<std::string>{"update a 1200", "update b 1200", "update c 1200"}));

    Probe(root->GetChilds()[0])->Finish();
    Probe(root->GetChilds()[2])->Finish();
    core::ptr<Effect> kept_by_test = root->GetChilds()[2];
    ProbeEffect::Journal().clear();
    root->Update(1300);
    // The finishing children are updated in the frame they finish, then dropped; the third keeps its place.
    EXPECT_EQ(ProbeEffect::Journal(),
              (std::vector<std::string>{"update a 1300", "update b 1300", "update c 1300"}));
    EXPECT_EQ(ChildNames(*root), (std::vector<std::string>{"b"}));
    EXPECT_EQ(kept_by_test->GetParent(), nullptr);
    EXPECT_TRUE(root->IsPlaying());

    ProbeEffect::Journal().clear();
    root->Render();
    EXPECT_EQ(ProbeEffect::Journal(), (std::vector<std::string>{"render b"}));

    Probe(root->GetChilds()[0])->Finish();
    root->Update(1400);
    EXPECT_FALSE(root->IsPlaying());
}

TEST(EffectTree, ChildrenAddedDuringAnUpdateAreReachedInTheSamePass) {
    core::ptr<Effect> root(new Effect());
    ProbeEffect* spawner = new ProbeEffect("spawner");
    spawner->OnNextUpdate([](ProbeEffect& self) {
        // Enough siblings to make the parent's storage grow while it walks.
        for (int i = 0; i < 20; ++i) self.GetParent()->AddChild(new ProbeEffect("late"));
    });
    root->AddChild(spawner);
    root->Start(false);
    ProbeEffect::Journal().clear();
    root->Update(10);
    ASSERT_EQ(ProbeEffect::Journal().size(), 21u);
    EXPECT_EQ(ProbeEffect::Journal().back(), "update late 10");
}

void FinishNow(ProbeEffect& self) {
    self.Finish();
}

TEST(EffectTree, ChildrenFinishingInTheSameFrameLeaveTogetherAndTheOthersKeepTheirOrder) {
    // Per child: finished before the frame, finishing during its own update, or playing on.
    enum Fate { BEFORE, DURING, PLAYS };
    const Fate fates[] = {BEFORE, PLAYS, DURING, DURING, PLAYS, BEFORE, BEFORE, PLAYS, DURING, PLAYS};
    core::ptr<Effect> root(new Effect());
    std::vector<std::string> all, playing;
    for (size_t i = 0; i < sizeof fates / sizeof fates[0]; ++i) {
        const std::string name = "c" + std::to_string(i);
        ProbeEffect* child = new ProbeEffect(name);
        if (fates[i] == DURING) child->OnNextUpdate(&FinishNow);
        root->AddChild(child);
        all.push_back("update " + name + " 50");
        if (fates[i] == PLAYS) playing.push_back(name);
    }
    root->Start(false);
    std::vector<core::ptr<Effect>> held = root->GetChilds();
    for (size_t i = 0; i < held.size(); ++i) {
        if (fates[i] == BEFORE) Probe(held[i])->Finish();
    }
    ProbeEffect::Journal().clear();

    root->Update(50);
    // Every child is updated once, whether or not a neighbour finishes.
    EXPECT_EQ(ProbeEffect::Journal(), all);
    EXPECT_EQ(ChildNames(*root), playing);
    for (size_t i = 0; i < held.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(held[i]->GetParent(), fates[i] == PLAYS ? root.get() : nullptr);
    }
}

TEST(EffectTree, TenThousandChildrenFinishingInOneFrameAreAllUpdatedAndRemoved) {
    const int kChildren = 10000;
    core::ptr<Effect> root(new Effect());
    for (int i = 0; i < kChildren; ++i) {
        ProbeEffect* child = new ProbeEffect(i % 2 ? "odd" : "even");
        child->OnNextUpdate(&FinishNow);
        root->AddChild(child);
    }
    // A late child that plays on keeps its place after all of them.
    root->AddChild(new ProbeEffect("last"));
    root->Start(false);
    ProbeEffect::Journal().clear();

    root->Update(7);
    EXPECT_EQ(ProbeEffect::Journal().size(), static_cast<size_t>(kChildren + 1));
    EXPECT_EQ(ChildNames(*root), std::vector<std::string>{"last"});
}

TEST(EffectTree, StopEndsRunningKindsAndPlainNodesPlayOnlyWithChildren) {
    core::ptr<Effect> lonely(new Effect());
    lonely->Start(false);
    EXPECT_FALSE(lonely->IsPlaying());

    core::ptr<Effect> root = SmallTree();
    root->Start(false);
    root->Stop();
    EXPECT_FALSE(root->IsRunning());
    EXPECT_FALSE(root->GetChilds()[0]->GetChilds()[0]->IsRunning());
    root->Update(5);  // the leaves stop playing, then their parents drain
    root->Update(6);
    EXPECT_FALSE(root->IsPlaying());
}

TEST(EffectTree, RestartCallsOnStartThroughTheTreeWithoutStartingIt) {
    core::ptr<Effect> root = SmallTree();
    ProbeEffect::Journal().clear();
    root->Restart();
    EXPECT_EQ(ProbeEffect::Journal(),
              (std::vector<std::string>{"start a", "start a1", "start s", "start s1"}));
    EXPECT_FALSE(root->GetChilds()[0]->IsRunning());
}

TEST(EffectTree, MoveToPutsTheWholeSubtreeAtThePoint) {
    core::ptr<Effect> root = SmallTree();
    root->GetChilds()[0]->SetPos(math::Vector2(7.0f, 8.0f));
    root->MoveTo(math::Vector2(100.0f, 50.0f));
    std::vector<const Effect*> nodes{root.get()};
    for (size_t i = 0; i < nodes.size(); ++i) {
        EXPECT_EQ(nodes[i]->GetPos().x, 100.0f);
        EXPECT_EQ(nodes[i]->GetPos().y, 50.0f);
        for (const auto& child : nodes[i]->GetChilds()) nodes.push_back(child.get());
    }
    EXPECT_EQ(nodes.size(), 5u);
}

TEST(EffectTree, CloneCopiesTheSubtreeUnstartedAndSeparate) {
    core::ptr<Effect> prototype = SmallTree();
    prototype->SetPos(math::Vector2(3.0f, 4.0f));
    prototype->Start(false);

    core::ptr<Effect> copy(prototype->Clone());
    EXPECT_EQ(copy->GetPos().x, 3.0f);
    EXPECT_EQ(copy->GetPos().y, 4.0f);
    EXPECT_FALSE(copy->IsRunning());
    EXPECT_EQ(copy->GetParent(), nullptr);
    ASSERT_EQ(ChildNames(*copy), ChildNames(*prototype));
    EXPECT_NE(copy->GetChilds()[0].get(), prototype->GetChilds()[0].get());
    EXPECT_EQ(copy->GetChilds()[0]->GetParent(), copy.get());
    EXPECT_TRUE(Probe(copy->GetChilds()[1])->IsSound());

    copy->GetChilds()[0]->AddChild(new ProbeEffect("extra"));
    EXPECT_EQ(prototype->GetChilds()[0]->GetChilds().size(), 1u);

    core::ptr<Effect> texted(prototype->Clone("hello"));
    EXPECT_EQ(Probe(texted->GetChilds()[0]->GetChilds()[0])->GetText(), "hello");
    EXPECT_EQ(Probe(texted->GetChilds()[1]->GetChilds()[0])->GetText(), "hello");
}

TEST(CurrentEffectMatrix, PushAndPopRestoreTheState) {
    auto* current = effects::CurrentEffectMatrix::instance();
    EXPECT_EQ(current->GetMatrix(), math::Matrix4::IDENTITY);
    EXPECT_EQ(current->GetColor().a, 1.0f);

    current->Pop();  // nothing pushed: nothing changes
    EXPECT_EQ(current->GetMatrix(), math::Matrix4::IDENTITY);

    math::Matrix4 moved;
    moved.Move(1.0f, 2.0f, 3.0f);
    current->Push();
    current->SetState(effects::EffectState{moved, render::Color(1.0f, 0.0f, 0.0f, 0.5f)});
    EXPECT_EQ(current->GetMatrix(), moved);
    EXPECT_EQ(current->GetColor().g, 0.0f);
    current->Pop();
    EXPECT_EQ(current->GetMatrix(), math::Matrix4::IDENTITY);
    EXPECT_EQ(current->GetColor().g, 1.0f);
}

}  // namespace
